#include "QuickFixture.h"
#include "tests/support/QuickTestSetup.h"

#include "VelmoraQmlPlugins.h"

#include <QQmlContext>
#include <QtQuickTest>

#include <memory>

class Setup : public QObject {
    Q_OBJECT
public:
    Setup() { VelmoraTest::prepareQuickTestProcess(); }

public slots:
    void applicationAvailable() { m_fixture = std::make_unique<QuickFixture>(); }
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        VelmoraTest::prepareQuickTestEngine(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"), m_fixture.get());
    }
    void cleanupTestCase() { m_fixture.reset(); }

private:
    std::unique_ptr<QuickFixture> m_fixture;
};

QUICK_TEST_MAIN_WITH_SETUP(screens_quick_tests, Setup)

#include "QuickSetup.moc"
