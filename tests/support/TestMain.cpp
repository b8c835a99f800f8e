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
    QCoreApplication::setOrganizationName(QStringLiteral("TaskarelloTests"));
    QCoreApplication::setApplicationName(QStringLiteral("TaskarelloTests"));
    QQuickStyle::setStyle(QStringLiteral("Basic")); // as the app does, before any QML
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
