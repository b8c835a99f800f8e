#include "Velmora/Platform/NotificationBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QTimer>
#include <QVariantMap>

namespace Velmora {

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

void callLater(std::function<void(bool)> done, bool value)
{
    QTimer::singleShot(0, QCoreApplication::instance(), [done = std::move(done), value] { done(value); });
}
} // namespace

DBusNotificationBus::DBusNotificationBus(QObject *parent)
    : QObject(parent)
{
}

bool DBusNotificationBus::sessionBusConfigured()
{
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
}

void DBusNotificationBus::call(const QDBusMessage &message, std::function<void(bool)> done)
{
    if (!sessionBusConfigured())
        return callLater(std::move(done), false);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return callLater(std::move(done), false);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done = std::move(done)](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        done(!w->isError());
    });
}

void DBusNotificationBus::probeServer(std::function<void(bool)> done)
{
    // Asking the server itself also starts a D-Bus activatable one.
    call(QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("GetServerInformation")),
         std::move(done));
}

void DBusNotificationBus::notify(const QString &title, const QString &body, bool defaultSound,
                                 std::function<void(bool)> done)
{
    QVariantMap hints;
    if (!defaultSound)
        hints.insert(QStringLiteral("suppress-sound"), true);
    QDBusMessage message = QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("Notify"));
    message << QCoreApplication::applicationName() << 0u << QString() << title << body << QStringList() << hints
            << -1;
    call(message, std::move(done));
}

void DBusNotificationBus::watchServer(std::function<void()> appeared)
{
    if (!sessionBusConfigured())
        return;
    auto *watcher = new QDBusServiceWatcher(service, QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [appeared = std::move(appeared)] { appeared(); });
}

} // namespace Velmora
