#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Notifications/NotificationRequest.h"
#include "Velmora/Notifications/ReminderQueue.h"

#include <QObject>
#include <QPointer>
#include <QTimeZone>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace Velmora {

class ChoreChanges;
class ChoreStore;
class NotificationBus;
class WallClockAlarm;

// The app's reminders in one place. The pending ones are "every active chore with notify on"
// (and the snoozed ones of those), kept so by following the store: inserts, every field
// assignment, deletes and rolled-back writes alike, so no caller schedules or withdraws a
// reminder by hand. Here each reminder's notification is made, with its buttons, and a button
// picked on it is carried out through the owner of changes to chores.
class Reminders : public QObject {
    Q_OBJECT
    // The chores snoozed until a later minute: persistent id (as text) to that minute in seconds
    // into its day, as a chore's notificationTime counts them. A snooze lives only here, in the
    // reminders' file, not in the chore; it is gone once it has rung or the chore's reminder went.
    Q_PROPERTY(QVariantMap snoozed READ snoozed NOTIFY snoozedChanged)
public:
    static constexpr int snoozeMinutes = 60;

    // changes (and its store), bus and alarm are not owned and outlive this. Brings the queue in
    // line with the store at once: a start after a crash or an older version finds its reminders
    // as they should be. A run beside the one that rings (a screenshot) passes rings false: it
    // neither follows the store nor shows anything.
    // ringsFor: see setRingsFor; given here, the start asks it at once.
    Reminders(ChoreChanges &changes, NotificationBus &bus, WallClockAlarm &alarm, const QString &filePath,
              bool rings = true, std::function<bool(const Chore *)> ringsFor = {}, QObject *parent = nullptr);

    ReminderQueue &queue() { return m_queue; }

    // "Notification-<entity>-<persistent id>": the same text for the same chore in every run. A
    // reminder shown again later ("Snooze") is a request of its own, "#snoozed" after the
    // chore's, so that re-scheduling the chore leaves it alone; withdrawing withdraws both.
    static QString identifier(qint64 persistentId, bool snoozed = false);
    // The persistent id of the chore an identifier of ours names, snoozed or not.
    static std::optional<qint64> choreOf(const QString &identifier);
    // The chore's reminder in zone, at the minute of its due day ChoreDates::reminderInstant
    // gives; none when notify is off or that minute cannot be formed.
    static std::optional<NotificationRequest> requestFor(const Chore &chore, const QTimeZone &zone);

    QVariantMap snoozed() const { return m_snoozed; }

    // Rings only for the chores this keeps (the household's: this device's member's or anyone's);
    // none rings for all. Each chore is asked again at once.
    void setRingsFor(std::function<bool(const Chore *)> keeps);
    // The answers of that filter changed: every chore asked again, and only those whose answer
    // changed touch the reminders' file.
    void refollow();

signals:
    // The user opened a chore's reminder: the app shows the chore.
    void choreWanted(Velmora::Chore *chore);
    void snoozedChanged();

private:
    // The whole set afresh; also withdraws reminders of chores that are no longer stored.
    void reconcile();
    void follow(const Chore *chore);
    void withdraw(qint64 persistentId);
    void act(const NotificationRequest &shown, const QString &key, uint id);
    void collectSnoozed();
    bool wantsReminder(const Chore &chore) const;

    ChoreChanges &m_changes;
    QPointer<const ChoreStore> m_store;
    NotificationBus &m_bus;
    ReminderQueue m_queue;
    QVariantMap m_snoozed;
    bool m_snoozedQueued = false;
    bool m_rings = true;
    std::function<bool(const Chore *)> m_keeps;
};

} // namespace Velmora
