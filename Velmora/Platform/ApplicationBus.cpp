#include "Velmora/Platform/ApplicationBus.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

namespace Velmora {

namespace {

const QString applicationInterface = QStringLiteral("org.freedesktop.Application");

// org.freedesktop.Application, as desktops and launchers call it.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(ApplicationBus *owner) : QDBusAbstractAdaptor(owner), m_owner(owner) {}

public slots:
    void Activate(const QVariantMap &platformData)
    {
        Q_UNUSED(platformData);
        emit m_owner->activated();
    }
    // The app opens no files: opening any shows the window.
    void Open(const QStringList &uris, const QVariantMap &platformData)
    {
        Q_UNUSED(uris);
        Activate(platformData);
    }
    void ActivateAction(const QString &action, const QVariantList &parameter, const QVariantMap &platformData)
    {
        Q_UNUSED(platformData);
        emit m_owner->actionActivated(action, parameter);
    }

private:
    ApplicationBus *m_owner;
};

// What scripts and tests may ask of the running app.
class StateAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.taskarello.Taskarello.State")
    Q_PROPERTY(bool WindowShown READ windowShown)
public:
    explicit StateAdaptor(ApplicationBus *owner) : QDBusAbstractAdaptor(owner), m_owner(owner) {}
    bool windowShown() const { return m_owner->windowShown(); }

private:
    ApplicationBus *m_owner;
};

const QString commandsInterface = QStringLiteral("org.taskarello.Taskarello.Commands");

// Command-line actions of a second start, run by this one. The answer waits for the action's
// end (a delayed reply), so the second start can print its outcome and exit with it.
class CommandsAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.taskarello.Taskarello.Commands")
public:
    explicit CommandsAdaptor(ApplicationBus *owner) : QDBusAbstractAdaptor(owner), m_owner(owner) {}

public slots:
    bool Run(const QString &action, const QStringList &arguments, const QDBusMessage &message, QString &answer)
    {
        message.setDelayedReply(true);
        QDBusConnection bus = m_owner->connection();
        m_owner->runCommand(action, arguments, [bus, message](const ApplicationBus::CommandResult &result) mutable {
            bus.send(message.createReply({result.ok, result.message}));
        });
        answer.clear();
        return false;
    }

private:
    ApplicationBus *m_owner;
};

} // namespace

ApplicationBus::ApplicationBus(QDBusConnection bus, QObject *parent) : QObject(parent), m_bus(std::move(bus))
{
    new ApplicationAdaptor(this);
    new StateAdaptor(this);
    new CommandsAdaptor(this);
}

ApplicationBus::~ApplicationBus()
{
    if (m_claimed) {
        m_bus.unregisterObject(objectPath());
        m_bus.unregisterService(QString::fromLatin1(appId));
    }
}

QString ApplicationBus::objectPath()
{
    return QLatin1Char('/') + QString::fromLatin1(appId).replace(QLatin1Char('.'), QLatin1Char('/'));
}

ApplicationBus::Role ApplicationBus::claim()
{
    if (!m_bus.isConnected())
        return Role::Alone;
    // The object first: a second start that finds the name also finds someone to answer.
    if (!m_bus.registerObject(objectPath(), this, QDBusConnection::ExportAdaptors))
        return Role::Alone;
    const auto reply = m_bus.interface()->registerService(QString::fromLatin1(appId),
                                                          QDBusConnectionInterface::DontQueueService,
                                                          QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_claimed = true;
        return Role::Primary;
    }
    m_bus.unregisterObject(objectPath());
    return reply.isValid() ? Role::Secondary : Role::Alone;
}

bool ApplicationBus::call(const QString &method, const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(appId), objectPath(),
                                                          applicationInterface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, handOverTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool ApplicationBus::handOverActivate()
{
    return call(QStringLiteral("Activate"), {QVariantMap()});
}

bool ApplicationBus::handOverAction(const QString &action, const QVariantList &parameter)
{
    return call(QStringLiteral("ActivateAction"), {action, QVariant::fromValue(parameter), QVariantMap()});
}

ApplicationBus::CommandResult ApplicationBus::handOverCommand(const QString &action, const QStringList &arguments,
                                                             int timeoutMs)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(appId), objectPath(),
                                                          commandsInterface, QStringLiteral("Run"));
    message << action << arguments;
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return {false, tr("Taskarello is already running but does not answer.")};
    return {reply.arguments().at(0).toBool(), reply.arguments().at(1).toString()};
}

void ApplicationBus::runCommand(const QString &action, const QStringList &arguments, CommandAnswer answer)
{
    if (!m_commands) {
        answer({false, tr("This Taskarello cannot run \"%1\".").arg(action)});
        return;
    }
    m_commands(action, arguments, std::move(answer));
}

void ApplicationBus::setWindowShown(bool shown)
{
    m_windowShown = shown;
}

} // namespace Velmora

#include "ApplicationBus.moc"
