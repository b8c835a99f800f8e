#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/NotificationBus.h"
#include "tests/support/PrivateBus.h"
#include "VelmoraQmlPlugins.h"
#include "tests/support/QuickTestSetup.h"

#include <QProcess>
#include <QQmlContext>
#include <QtQuickTest/quicktest.h>

// Also the QML tests' "setup": the desktop's notification bus on a session bus of the test's
// own, where python-dbusmock's notification server runs when asked.
class Setup : public QObject {
    Q_OBJECT
public:
    Setup() { VelmoraTest::prepareQuickTestProcess(); m_bus.becomeSessionBus(); }
    // A manager on the bus, collected with the test's objects.
    Q_INVOKABLE QObject *newManager()
    {
        if (!m_notificationBus) // once the application is there
            m_notificationBus = std::make_unique<Velmora::DBusNotificationBus>();
        return new Velmora::NotificationsManager(*m_notificationBus);
    }
    // Starts python-dbusmock's notification server afresh, or stops it; whether it runs as asked.
    Q_INVOKABLE bool serve(bool running)
    {
        m_server.reset();
        if (running)
            m_server = m_bus.startMock(QStringLiteral("notification_daemon"), QStringLiteral("{}"),
                                       QStringLiteral("org.freedesktop.Notifications"));
        return bool(m_server) == running;
    }

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        VelmoraTest::prepareQuickTestEngine(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("setup"), this);
    }

private:
    VelmoraTest::PrivateBus m_bus;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<Velmora::DBusNotificationBus> m_notificationBus;
};

QUICK_TEST_MAIN_WITH_SETUP(notifications_quick_tests, Setup)
#include "setup.moc"
