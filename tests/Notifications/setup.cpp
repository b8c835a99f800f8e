#include "Velmora/Notifications/NotificationsManager.h"
#include "tests/support/Fakes.h"
#include "VelmoraQmlPlugins.h"
#include "tests/support/QuickTestSetup.h"

#include <QQmlContext>
#include <QtQuickTest/quicktest.h>

// Lets the QML tests set what the notification service answers.
class FakeServiceControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(int status READ status WRITE setStatus)
    Q_PROPERTY(int statusAfterRequest READ statusAfterRequest WRITE setStatusAfterRequest)
    Q_PROPERTY(int authorizationRequests READ authorizationRequests)
public:
    explicit FakeServiceControl(Velmora::FakeNotificationService &service) : m_service(service) {}
    int status() const { return m_service.status; }
    void setStatus(int s) { m_service.status = s; }
    int statusAfterRequest() const { return m_service.statusAfterRequest; }
    void setStatusAfterRequest(int s) { m_service.statusAfterRequest = s; }
    int authorizationRequests() const { return m_service.authorizationRequests; }
    // A manager of the fake service, collected with the test's objects.
    Q_INVOKABLE QObject *newManager() { return new Velmora::NotificationsManager(m_service); }

private:
    Velmora::FakeNotificationService &m_service;
};

class Setup : public QObject {
    Q_OBJECT
public:
    Setup() { VelmoraTest::prepareQuickTestProcess(); }
public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        VelmoraTest::prepareQuickTestEngine(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fakeService"), &m_control);
    }

private:
    Velmora::FakeNotificationService m_service;
    FakeServiceControl m_control{m_service};
};

QUICK_TEST_MAIN_WITH_SETUP(notifications_quick_tests, Setup)
#include "setup.moc"
