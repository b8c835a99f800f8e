#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

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
    // A command may talk to a server first: a few of the network's own timeouts.
    static constexpr int commandTimeoutMs = 150000;

    // How a command-line action ended: the line to print, on stdout when ok, else on stderr.
    struct CommandResult {
        bool ok = false;
        QString message;
    };
    using CommandAnswer = std::function<void(const CommandResult &)>;
    // Runs one command-line action (such as "sync-account") and answers once, when it is done.
    using CommandHandler = std::function<void(const QString &action, const QStringList &arguments, CommandAnswer)>;

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
    // Has the running one do a command-line action, so that one process writes the app's data.
    CommandResult handOverCommand(const QString &action, const QStringList &arguments,
                                  int timeoutMs = commandTimeoutMs);

    // Who runs the actions handed over; without one, they fail.
    void setCommandHandler(CommandHandler handler) { m_commands = std::move(handler); }
    void runCommand(const QString &action, const QStringList &arguments, CommandAnswer answer);
    QDBusConnection connection() const { return m_bus; }

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
    CommandHandler m_commands;
};

} // namespace Velmora
