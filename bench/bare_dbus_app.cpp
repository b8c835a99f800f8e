// The floor for the background process: a GUI application on the session bus, no QML.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    QDBusConnection::sessionBus().interface()->registerService(QStringLiteral("org.example.BareDBusApp"));
    return application.exec();
}
