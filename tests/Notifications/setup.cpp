#include "Velmora/Notifications/NotificationsManager.h"
#include "tests/support/Fakes.h"
#include "VelmoraQmlPlugins.h"
#include "tests/support/QuickTestSetup.h"

#include <QQmlContext>
#include <QtQuickTest/quicktest.h>

// Also the QML tests' "fakeService": it sets what the notification service answers.
class Setup : public QObject {
    Q_OBJECT
    Q_PROPERTY(int authorizationRequests READ authorizationRequests)
public:
    Setup() { VelmoraTest::prepareQuickTestProcess(); }
    // A manager of a service that reports status, and statusAfterRequest once asked; it is
    // collected with the test's objects.
    Q_INVOKABLE QObject *newManager(int status, int statusAfterRequest)
    {
        m_service.status = status;
        m_service.statusAfterRequest = statusAfterRequest;
        return new Velmora::NotificationsManager(m_service);
    }
    int authorizationRequests() const { return m_service.authorizationRequests; }

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        VelmoraTest::prepareQuickTestEngine(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fakeService"), this);
    }

private:
    Velmora::FakeNotificationService m_service;
};

QUICK_TEST_MAIN_WITH_SETUP(notifications_quick_tests, Setup)
#include "setup.moc"
