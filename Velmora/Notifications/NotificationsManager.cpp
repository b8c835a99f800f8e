#include "Velmora/Notifications/NotificationsManager.h"

#include "Velmora/Model/Chore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/WallClock.h"

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
    // Beyond ±2^63 the conversion to a whole number of seconds would be undefined.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(notificationTime) || notificationTime >= limit || notificationTime <= -limit)
        return std::nullopt;
    if (!dueDate.isValid() || !zone.isValid())
        return std::nullopt;
    const qint64 seconds = qint64(notificationTime);
    const qint64 hour = seconds / 3600;
    const qint64 minute = seconds % 3600 / 60;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    const QDate day = dueDate.toTimeZone(zone).date();
    if (!day.isValid())
        return std::nullopt;
    return firstInstantAt(day, QTime(int(hour), int(minute)), zone);
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
