#pragma once

#include "Velmora/Model/Chore.h"

#include <QObject>
#include <QPointer>

namespace Velmora {

class ChoreStore;
class NotificationService;

// Keeps the pending reminders equal to "every active chore with notify on" (and the snoozed
// ones of those) by following the
// store: inserts, every field assignment, deletes and rolled-back writes alike. No caller
// schedules or withdraws a reminder by hand.
class ReminderScheduler : public QObject {
    Q_OBJECT
public:
    // Both are not owned and outlive the scheduler. Brings the service in line with the store
    // at once: a start after a crash or an older version finds its reminders as they should be.
    ReminderScheduler(ChoreStore &store, NotificationService &service, QObject *parent = nullptr);

    // The whole set afresh; also withdraws reminders of chores that are no longer stored.
    void reconcile();

private:
    void follow(const Chore *chore);
    void withdraw(qint64 persistentId);

    QPointer<ChoreStore> m_store;
    NotificationService &m_service;
};

} // namespace Velmora
