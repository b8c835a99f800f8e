// The floor for start-up: a Qt Quick window with nothing in it, started the way the app starts.
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTimer>

#include <cstdlib>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    QQmlApplicationEngine engine;
    engine.loadData("import QtQuick\nimport QtQuick.Controls\nApplicationWindow { width: 390; height: 844; visible: true; color: \"#F2EEE6\" }");
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    // Ends at the first frame, as the app's start-up timing does.
    QObject::connect(window, &QQuickWindow::frameSwapped, [] { std::_Exit(0); });
    return app.exec();
}
