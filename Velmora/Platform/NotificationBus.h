#pragma once

#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

namespace Velmora {

// The desktop's notification server, reached asynchronously. Callbacks run later on the
// thread that made the call, never inside it.
class NotificationBus {
public:
    virtual ~NotificationBus() = default;
    // done(true) when a notification server answers.
    virtual void probeServer(std::function<void(bool)> done) = 0;
    // Buttons offered with a notification: the key reported back, and the label shown.
    using Actions = QList<QPair<QString, QString>>;

    // done(true, id) once the server has taken the notification, id naming it in actions. Every
    // notification stays until the user acts on it; resident asks the server to keep it after a
    // button too (worth asking only of one that lists "persistence").
    virtual void notify(const QString &title, const QString &body, bool defaultSound, bool resident,
                        const Actions &actions, std::function<void(bool shown, uint id)> done) = 0;
    // Takes a shown notification off the screen; one already gone is no matter.
    virtual void closeNotification(uint id) = 0;
    // What the server can do ("actions", "body", ...); empty when none answers.
    virtual void fetchCapabilities(std::function<void(QStringList)> done) = 0;
    // invoked(id, key) when the user picks an action of a notification shown by this bus.
    virtual void watchActions(std::function<void(uint id, const QString &key)> invoked) = 0;
    // appeared() whenever a notification server starts (again).
    virtual void watchServer(std::function<void()> appeared) = 0;
};

// org.freedesktop.Notifications on the session bus, over Qt DBus.
class DBusNotificationBus final : public QObject, public NotificationBus {
    Q_OBJECT
public:
    static constexpr int callTimeoutMs = 5000;

    explicit DBusNotificationBus(QObject *parent = nullptr);
    void probeServer(std::function<void(bool)> done) override;
    void notify(const QString &title, const QString &body, bool defaultSound, bool resident, const Actions &actions,
                std::function<void(bool shown, uint id)> done) override;
    void closeNotification(uint id) override;
    void fetchCapabilities(std::function<void(QStringList)> done) override;
    void watchActions(std::function<void(uint id, const QString &key)> invoked) override;
    void watchServer(std::function<void()> appeared) override;

private slots:
    void onActionInvoked(uint id, const QString &key);

private:
    void call(const QDBusMessage &message, std::function<void(bool, const QDBusMessage &)> done);

    std::function<void(uint, const QString &)> m_actionInvoked;
};

} // namespace Velmora
