#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>

namespace Velmora {

// The app's presence on the session bus: one process owns the app's name and answers
// org.freedesktop.Application at the path made from it; a second start hands over to it.
// It also publishes whether a window shows, for scripts and tests.
class ApplicationBus : public QObject {
    Q_OBJECT
public:
    static constexpr const char *appId = "org.taskarello.Taskarello";
    // How long a second start waits for the running one to answer.
    static constexpr int handOverTimeoutMs = 3000;

    enum class Role {
        // This process owns the name and answers on the bus.
        Primary,
        // Another process owns the name: hand over to it.
        Secondary,
        // No session bus: the app runs alone, with no life beyond its window.
        Alone,
    };

    explicit ApplicationBus(QDBusConnection bus, QObject *parent = nullptr);
    ~ApplicationBus() override;

    static QString objectPath();

    // Exports the interfaces, then claims the name.
    Role claim();

    // From a second start: asks the running one to show itself, or to run an action.
    bool handOverActivate();
    bool handOverAction(const QString &action, const QVariantList &parameter);

    void setWindowShown(bool shown);
    bool windowShown() const { return m_windowShown; }

signals:
    void activated();
    void actionActivated(const QString &action, const QVariantList &parameter);

private:
    bool call(const QString &method, const QVariantList &arguments);

    QDBusConnection m_bus;
    bool m_claimed = false;
    bool m_windowShown = false;
};

} // namespace Velmora
