#include "VelmoraQmlPlugins.h"
#include "tests/support/QuickTestSetup.h"

#include <QtQuickTest/quicktest.h>

class Setup : public QObject
{
    Q_OBJECT
public:
    Setup() { VelmoraTest::prepareQuickTestProcess(); }
public slots:
    void qmlEngineAvailable(QQmlEngine *engine) { VelmoraTest::prepareQuickTestEngine(engine); }
};

QUICK_TEST_MAIN_WITH_SETUP(ombrapop_quick_tests, Setup)
#include "setup.moc"
