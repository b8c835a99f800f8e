#include "tests/support/NotificationServer.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>

namespace VelmoraTest {

namespace {

const QString notifications = QStringLiteral("org.freedesktop.Notifications");

// A method of python-dbusmock's own interface on the notification server.
QDBusMessage mock(const QString &method)
{
    return QDBusMessage::createMethodCall(notifications, QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.DBus.Mock"), method);
}

} // namespace

void NotificationServerTest::SetUpTestSuite()
{
    bus = std::make_unique<PrivateBus>();
    bus->becomeSessionBus();
}

void NotificationServerTest::SetUp()
{
    ASSERT_TRUE(bus->isRunning());
    startServer();
    start();
}

void NotificationServerTest::TearDown()
{
    stop();
    stopServer();
}

void NotificationServerTest::startServer(const QString &capabilities)
{
    server = bus->startMock(QStringLiteral("notification_daemon"),
                            QStringLiteral("{\"capabilities\": \"%1\"}").arg(capabilities), notifications);
    ASSERT_TRUE(server) << "python3-dbusmock did not come up";
}

void NotificationServerTest::stopServer()
{
    if (server) {
        server->terminate();
        server->waitForFinished(3000);
    }
    server.reset();
}

void NotificationServerTest::settle()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (alarm)
            alarm->ringIfDue();
    }
}

QList<QVariantList> NotificationServerTest::serverCalls(const QString &method)
{
    const QDBusMessage reply = QDBusConnection::sessionBus().call(mock(QStringLiteral("GetMethodCalls")) << method);
    QList<QVariantList> calls;
    const QDBusArgument outer = reply.arguments().value(0).value<QDBusArgument>();
    outer.beginArray();
    while (!outer.atEnd()) {
        qulonglong time = 0;
        QVariantList args;
        outer.beginStructure();
        outer >> time >> args;
        outer.endStructure();
        calls.append(args);
    }
    outer.endArray();
    return calls;
}

QStringList NotificationServerTest::shown()
{
    QStringList summaries;
    for (const QVariantList &args : serverCalls(QStringLiteral("Notify")))
        summaries.append(args.value(3).toString());
    return summaries;
}

void NotificationServerTest::forgetShown()
{
    QDBusConnection::sessionBus().call(mock(QStringLiteral("ClearCalls")));
}

void NotificationServerTest::invoke(uint id, const QString &key)
{
    QDBusConnection::sessionBus().call(mock(QStringLiteral("EmitSignal"))
                                       << notifications << QStringLiteral("ActionInvoked") << QStringLiteral("us")
                                       << QVariant::fromValue(QVariantList{id, key}));
}

} // namespace VelmoraTest
