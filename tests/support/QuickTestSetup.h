#pragma once

// Shared set-up of the Qt Quick Test programs. A program's setup file includes
// VelmoraQmlPlugins.h (once), and calls these from its setup object:
//
//   class Setup : public QObject {
//       Q_OBJECT
//   public:
//       Setup() { VelmoraTest::prepareQuickTestProcess(); }
//   public slots:
//       void qmlEngineAvailable(QQmlEngine *engine) { VelmoraTest::prepareQuickTestEngine(engine); }
//   };
//   QUICK_TEST_MAIN_WITH_SETUP(name, Setup)
//   #include "setup.moc"

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

} // namespace VelmoraTest
