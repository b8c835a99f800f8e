#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>

namespace Velmora {

// The desktop's notification server, reached asynchronously. Callbacks run later on the
// thread that made the call, never inside it.
class NotificationBus {
public:
    virtual ~NotificationBus() = default;
    // done(true) when a notification server answers.
    virtual void probeServer(std::function<void(bool)> done) = 0;
    // done(true) once the server has taken the notification.
    virtual void notify(const QString &title, const QString &body, bool defaultSound,
                        std::function<void(bool)> done) = 0;
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
    void notify(const QString &title, const QString &body, bool defaultSound,
                std::function<void(bool)> done) override;
    void watchServer(std::function<void()> appeared) override;

private:
    // False without a session bus address: connecting would try to autolaunch a bus.
    static bool sessionBusConfigured();
    void call(const QDBusMessage &message, std::function<void(bool)> done);
};

} // namespace Velmora
