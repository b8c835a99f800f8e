#include "Velmora/Platform/NotificationBus.h"

#include "Velmora/Platform/AppIcon.h"
#include "Velmora/Platform/ApplicationBus.h"
#include "Velmora/Platform/SessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

namespace Velmora {

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

DBusNotificationBus::DBusNotificationBus(QObject *parent)
    : QObject(parent)
{
}

void DBusNotificationBus::call(const QDBusMessage &message, std::function<void(bool, const QDBusMessage &)> done)
{
    QDBusConnection bus = sessionBusIfAny();
    if (!bus.isConnected()) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(false, QDBusMessage()); });
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done = std::move(done)](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        done(!w->isError(), w->reply());
    });
}

void DBusNotificationBus::probeServer(std::function<void(bool)> done)
{
    // Asking the server itself also starts a D-Bus activatable one.
    call(QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("GetServerInformation")),
         [done = std::move(done)](bool ok, const QDBusMessage &) { done(ok); });
}

void DBusNotificationBus::fetchCapabilities(std::function<void(QStringList)> done)
{
    call(QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("GetCapabilities")),
         [done = std::move(done)](bool ok, const QDBusMessage &reply) {
             done(ok ? reply.arguments().value(0).toStringList() : QStringList());
         });
}

void DBusNotificationBus::watchActions(std::function<void(uint, const QString &)> invoked)
{
    m_actionInvoked = std::move(invoked);
    QDBusConnection bus = sessionBusIfAny();
    if (bus.isConnected())
        bus.connect(service, objectPath, service, QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
}

void DBusNotificationBus::onActionInvoked(uint id, const QString &key)
{
    if (m_actionInvoked)
        m_actionInvoked(id, key);
}

void DBusNotificationBus::notify(const QString &title, const QString &body, bool defaultSound, bool resident,
                                 const Actions &actions, std::function<void(bool, uint)> done)
{
    QVariantMap hints;
    if (!defaultSound)
        hints.insert(QStringLiteral("suppress-sound"), true);
    if (resident)
        hints.insert(QStringLiteral("resident"), true);
    // The desktop entry goes by the app's id, whatever the desktop file name was set to.
    const QString appId = QString::fromLatin1(ApplicationBus::appId);
    hints.insert(QStringLiteral("desktop-entry"), appId);
    QStringList flatActions;
    for (const auto &[key, label] : actions)
        flatActions << key << label;
    // The icon as a file: by name it is found only where a theme holds it, not in a run from the
    // build folder. Servers that know the desktop entry take the theme's icon from it all the same.
    const QString iconFile = AppIcon::filePath();
    const QString icon = iconFile.isEmpty() ? appId : QUrl::fromLocalFile(iconFile).toString();
    QDBusMessage message = QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("Notify"));
    // A timeout of 0: never expires. The server's own default (dunst: 10 s) took reminders away
    // unseen, and a reminder popped back from a history has no buttons.
    message << QCoreApplication::applicationName() << 0u << icon << title << body << flatActions << hints << 0;
    call(message, [done = std::move(done)](bool ok, const QDBusMessage &reply) {
        done(ok, ok ? reply.arguments().value(0).toUInt() : 0u);
    });
}

void DBusNotificationBus::closeNotification(uint id)
{
    call(QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("CloseNotification")) << id,
         [](bool, const QDBusMessage &) {});
}

void DBusNotificationBus::watchServer(std::function<void()> appeared)
{
    QDBusConnection bus = sessionBusIfAny();
    if (!bus.isConnected())
        return;
    auto *watcher = new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [appeared = std::move(appeared)] { appeared(); });
}

} // namespace Velmora
