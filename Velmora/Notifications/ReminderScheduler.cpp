#include "Velmora/Notifications/ReminderScheduler.h"

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/NotificationService.h"

#include <QSet>

namespace Velmora {

namespace {

bool wantsReminder(const Chore &chore)
{
    return !chore.isFinished() && chore.notify();
}

// The fields a reminder is made of; colour and start day changes leave it alone.
bool shapesReminder(Chore::Field field)
{
    switch (field) {
    case Chore::Field::Title:
    case Chore::Field::DueDate:
    case Chore::Field::EndDate:
    case Chore::Field::Notify:
    case Chore::Field::NotificationTime:
        return true;
    case Chore::Field::ColorComponents:
    case Chore::Field::StartDate:
        return false;
    }
    return true;
}

} // namespace

ReminderScheduler::ReminderScheduler(ChoreStore &store, NotificationService &service, QObject *parent)
    : QObject(parent), m_store(&store), m_service(service)
{
    connect(&store, &ChoreStore::inserted, this, &ReminderScheduler::follow);
    connect(&store, &ChoreStore::changed, this, [this](Chore *chore, Chore::Field field) {
        if (shapesReminder(field))
            follow(chore);
    });
    connect(&store, &ChoreStore::removed, this, &ReminderScheduler::withdraw);
    reconcile();
}

void ReminderScheduler::follow(const Chore *chore)
{
    if (!chore)
        return;
    // A reminder that cannot be formed (an odd stored time) leaves none behind either.
    if (!wantsReminder(*chore) || !NotificationsManager::scheduleNotification(*chore, m_service))
        withdraw(chore->persistentId());
}

void ReminderScheduler::withdraw(qint64 persistentId)
{
    const QString identifier = NotificationsManager::notificationIdentifier(persistentId);
    m_service.removePendingRequests({identifier, snoozedIdentifier(identifier)});
}

void ReminderScheduler::reconcile()
{
    if (!m_store)
        return;
    QSet<QString> wanted;
    for (const Chore *chore : m_store->chores()) {
        if (!wantsReminder(*chore))
            continue;
        const QString identifier = NotificationsManager::notificationIdentifier(*chore);
        wanted.insert(identifier);
        wanted.insert(snoozedIdentifier(identifier));
    }
    const QString ours = NotificationsManager::notificationIdentifierPrefix();
    QStringList stray;
    for (const NotificationRequest &request : m_service.pendingRequests()) {
        if (request.identifier.startsWith(ours) && !wanted.contains(request.identifier))
            stray.append(request.identifier);
    }
    if (!stray.isEmpty())
        m_service.removePendingRequests(stray);
    for (const Chore *chore : m_store->chores()) {
        if (wantsReminder(*chore))
            follow(chore);
    }
}

} // namespace Velmora
