// Shared main of the GoogleTest programs: a GUI application on the offscreen platform, with
// Qt's test mode so nothing touches the user's real data folders.
#include <QGuiApplication>
#include <QQuickStyle>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication app(argc, argv);
    // A name of its own for each test program of each build tree: two checkouts' suites running at
    // once never share settings or data (a child started from the same program does).
    QCoreApplication::setOrganizationName(
        QStringLiteral("TaskarelloTests-%1").arg(qHash(QCoreApplication::applicationDirPath()), 0, 16));
    QCoreApplication::setApplicationName(QStringLiteral("TaskarelloTests"));
    QQuickStyle::setStyle(QStringLiteral("Basic")); // as the app does, before any QML
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
