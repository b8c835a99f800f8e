#pragma once

// Shared set-up of the Qt Quick Test programs. A program's setup file includes
// VelmoraQmlPlugins.h (once) and, when it needs nothing of its own, uses QuickSetup:
//
//   QUICK_TEST_MAIN_WITH_SETUP(name, VelmoraTest::QuickSetup)
//
// A setup object of its own calls prepareQuickTestProcess() and prepareQuickTestEngine().

#include <QObject>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QStandardPaths>

namespace VelmoraTest {

inline void prepareQuickTestProcess()
{
    QStandardPaths::setTestModeEnabled(true);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

inline void prepareQuickTestEngine(QQmlEngine *engine)
{
    engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
}

class QuickSetup : public QObject {
    Q_OBJECT
public:
    QuickSetup() { prepareQuickTestProcess(); }
public slots:
    void qmlEngineAvailable(QQmlEngine *engine) { prepareQuickTestEngine(engine); }
};

} // namespace VelmoraTest
