#include "Velmora/Notifications/NotificationsManager.h"

#include "Velmora/Platform/NotificationBus.h"

#include <QPointer>

namespace Velmora {

NotificationsManager::NotificationsManager(NotificationBus &bus, QObject *parent)
    : QObject(parent), m_bus(bus)
{
}

void NotificationsManager::publish(AuthorizationStatus status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit settingsChanged();
}

void NotificationsManager::refreshSettings()
{
    // The bus answers later on this thread, by which time the manager may be gone.
    QPointer<NotificationsManager> self(this);
    m_bus.probeServer([self](bool serverPresent) {
        if (self)
            self->publish(serverPresent ? Authorized : Denied);
    });
}

} // namespace Velmora
