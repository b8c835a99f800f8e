#include "Velmora/Notifications/NotificationsManager.h"

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/Clock.h"

#include <QPointer>

#include <cmath>

namespace Velmora {

NotificationsManager::NotificationsManager(NotificationService &service, QObject *parent)
    : QObject(parent), m_service(service)
{
}

void NotificationsManager::publish(const NotificationSettings &settings)
{
    m_settings = settings;
    emit settingsChanged();
}

void NotificationsManager::requestAuthorization()
{
    QPointer<NotificationsManager> self(this);
    m_service.requestAuthorization([self] {
        // The answer itself does not matter: the settings tell what was decided.
        if (self)
            QMetaObject::invokeMethod(self, &NotificationsManager::refreshSettings, Qt::QueuedConnection);
    });
}

void NotificationsManager::refreshSettings()
{
    QPointer<NotificationsManager> self(this);
    m_service.fetchSettings([self](NotificationSettings settings) {
        // The service may answer on any thread; the settings belong to the manager's.
        if (self)
            QMetaObject::invokeMethod(self, [self, settings] { if (self) self->publish(settings); },
                                      Qt::QueuedConnection);
    });
}

QString NotificationsManager::notificationIdentifier(const Chore &chore)
{
    return notificationIdentifier(chore.persistentId());
}

QString NotificationsManager::notificationIdentifier(qint64 persistentId)
{
    return notificationIdentifierPrefix() + QString::number(persistentId);
}

QString NotificationsManager::notificationIdentifierPrefix()
{
    return QStringLiteral("Notification-") + Chore::entityName() + QLatin1Char('-');
}

std::optional<QDateTime> NotificationsManager::reminderInstant(const QDateTime &dueDate, double notificationTime,
                                                               const QTimeZone &zone)
{
    return ChoreDates::reminderInstant(dueDate, notificationTime, zone);
}

std::optional<NotificationRequest> NotificationsManager::reminderRequest(const Chore &chore, const QTimeZone &zone)
{
    if (!chore.notify())
        return std::nullopt;
    const std::optional<QDateTime> instant = reminderInstant(chore.dueDate(), chore.notificationTime(), zone);
    if (!instant)
        return std::nullopt;
    const QDateTime local = instant->toTimeZone(zone);
    NotificationRequest request;
    request.identifier = notificationIdentifier(chore);
    request.title = chore.title();
    request.body = tr("This chore is due today!");
    request.defaultSound = true;
    request.trigger = {local.date().year(), local.date().month(), local.date().day(), local.time().hour(),
                       local.time().minute()};
    return request;
}

bool NotificationsManager::scheduleNotification(const Chore &chore, NotificationService &service)
{
    const auto request = reminderRequest(chore, Clock::current().timeZone());
    if (request)
        service.add(*request);
    return request.has_value();
}

} // namespace Velmora
