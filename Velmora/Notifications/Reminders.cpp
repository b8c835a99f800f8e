#include "Velmora/Notifications/Reminders.h"

#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreField.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <QSet>
#include <QTimer>

namespace Velmora {

namespace {

const QString openKey = QStringLiteral("default");
const QString finishKey = QStringLiteral("finish");
const QString snoozeKey = QStringLiteral("snooze");
const QString snoozedSuffix = QStringLiteral("#snoozed");

QString prefix()
{
    return QStringLiteral("Notification-") + Chore::entityName() + QLatin1Char('-');
}

} // namespace

bool Reminders::wantsReminder(const Chore &chore) const
{
    return !chore.isFinished() && chore.notify() && (!m_keeps || m_keeps(&chore));
}

void Reminders::setRingsFor(std::function<bool(const Chore *)> keeps)
{
    m_keeps = std::move(keeps);
    refollow();
}

void Reminders::refollow()
{
    if (!m_rings || !m_store)
        return;
    QSet<QString> pending;
    for (const NotificationRequest &request : m_queue.pending())
        pending.insert(request.identifier);
    for (const Chore *chore : m_store->chores()) {
        const bool has = pending.contains(identifier(chore->persistentId()));
        if (!chore->isFinished() && chore->notify() && wantsReminder(*chore) != has)
            follow(chore);
    }
}

Reminders::Reminders(ChoreChanges &changes, NotificationBus &bus, WallClockAlarm &alarm, const QString &filePath,
                     bool rings, std::function<bool(const Chore *)> ringsFor, QObject *parent)
    : QObject(parent), m_changes(changes), m_store(changes.store()), m_bus(bus), m_queue(filePath, bus, alarm),
      m_keeps(std::move(ringsFor))
{
    m_queue.setActions([] {
        return NotificationBus::Actions{{openKey, tr("Open")}, {finishKey, tr("Finish")},
                                        {snoozeKey, tr("Snooze for an hour")}};
    });
    connect(&m_queue, &ReminderQueue::actionInvoked, this, &Reminders::act);
    // Every chore's reminder is added at start-up: look for snoozes once after a batch of changes.
    connect(&m_queue, &ReminderQueue::pendingChanged, this, [this] {
        if (!m_snoozedQueued) {
            m_snoozedQueued = true;
            QTimer::singleShot(0, this, &Reminders::collectSnoozed);
        }
    });
    collectSnoozed();
    m_queue.setDelivering(rings);
    m_rings = rings;
    if (!rings || !m_store)
        return;
    connect(m_store, &ChoreStore::peopleChanged, this, [this](Chore *chore) {
        if (m_keeps)
            follow(chore);
    });
    connect(m_store, &ChoreStore::inserted, this, &Reminders::follow);
    connect(m_store, &ChoreStore::changed, this, [this](Chore *chore, Chore::Field field) {
        // Colour and start day changes leave a reminder alone.
        if (ChoreField::row(field).shapesReminder)
            follow(chore);
    });
    connect(m_store, &ChoreStore::removed, this, &Reminders::withdraw);
    reconcile();
}

QString Reminders::identifier(qint64 persistentId, bool snoozed)
{
    return prefix() + QString::number(persistentId) + (snoozed ? snoozedSuffix : QString());
}

std::optional<qint64> Reminders::choreOf(const QString &identifier)
{
    const QString ours = prefix();
    if (!identifier.startsWith(ours))
        return std::nullopt;
    QStringView id = QStringView(identifier).mid(ours.size());
    if (id.endsWith(snoozedSuffix))
        id.chop(snoozedSuffix.size());
    bool ok = false;
    const qint64 persistentId = id.toLongLong(&ok);
    return ok ? std::optional(persistentId) : std::nullopt;
}

std::optional<NotificationRequest> Reminders::requestFor(const Chore &chore, const QTimeZone &zone)
{
    if (!chore.notify())
        return std::nullopt;
    const std::optional<QDateTime> instant
        = ChoreDates::reminderInstant(chore.dueDate(), chore.notificationTime(), zone);
    if (!instant)
        return std::nullopt;
    return NotificationRequest{identifier(chore.persistentId()), Chore::shownTitle(chore.title()), ChoreDates::dueTodayText(), true,
                               NotificationTrigger::of(instant->toTimeZone(zone))};
}

void Reminders::follow(const Chore *chore)
{
    if (!chore)
        return;
    // A reminder that cannot be formed (an odd stored time) leaves none behind either.
    const auto request = wantsReminder(*chore) ? requestFor(*chore, Clock::current().timeZone()) : std::nullopt;
    if (request)
        m_queue.add(*request);
    else
        withdraw(chore->persistentId());
}

void Reminders::withdraw(qint64 persistentId)
{
    m_queue.remove({identifier(persistentId), identifier(persistentId, true)});
}

void Reminders::reconcile()
{
    if (!m_store)
        return;
    QSet<QString> wanted;
    for (const Chore *chore : m_store->chores()) {
        if (!wantsReminder(*chore))
            continue;
        wanted.insert(identifier(chore->persistentId()));
        wanted.insert(identifier(chore->persistentId(), true));
    }
    const QString ours = prefix();
    QStringList stray;
    for (const NotificationRequest &request : m_queue.pending()) {
        if (request.identifier.startsWith(ours) && !wanted.contains(request.identifier))
            stray.append(request.identifier);
    }
    m_queue.remove(stray);
    for (const Chore *chore : m_store->chores()) {
        if (wantsReminder(*chore))
            follow(chore);
    }
}

void Reminders::collectSnoozed()
{
    m_snoozedQueued = false;
    QVariantMap snoozed;
    for (const NotificationRequest &request : m_queue.pending()) {
        if (!request.identifier.endsWith(snoozedSuffix))
            continue;
        if (const std::optional<qint64> persistentId = choreOf(request.identifier))
            snoozed.insert(QString::number(*persistentId), request.trigger.hour * 3600 + request.trigger.minute * 60);
    }
    if (snoozed != m_snoozed) {
        m_snoozed = snoozed;
        emit snoozedChanged();
    }
}

void Reminders::act(const NotificationRequest &shown, const QString &key, uint id)
{
    const std::optional<qint64> persistentId = choreOf(shown.identifier);
    if (!persistentId)
        return;
    // A resident notification stays up after any button unless told; done with, it goes.
    if (key == openKey || key == finishKey || key == snoozeKey)
        m_bus.closeNotification(id);
    if (key == snoozeKey) {
        const Clock &clock = Clock::current();
        NotificationRequest again = shown;
        again.identifier = identifier(*persistentId, true);
        again.trigger = NotificationTrigger::of(clock.now().toTimeZone(clock.timeZone()).addSecs(snoozeMinutes * 60));
        // Held in memory, it rings once more if the app keeps running; a quit or restart loses it.
        if (!m_queue.add(again))
            m_bus.notify(Chore::shownTitle(shown.title), tr("The snooze could not be saved: it rings again in an hour only if Taskarello keeps running."),
                         false, false, {}, [](bool, uint) {});
        return;
    }
    Chore *chore = m_store ? m_store->chore(*persistentId) : nullptr;
    if (!chore)
        return;
    if (key == finishKey && !chore->isFinished() && !m_changes.finish(chore)) {
        // The reminder is gone from the screen and the window may be closed: only a
        // notification of its own can tell that the chore is not finished, and why.
        m_bus.notify(Chore::shownTitle(chore->title()), m_changes.lastError(), false, false, {}, [](bool, uint) {});
    } else if (key == openKey)
        emit choreWanted(chore);
}

} // namespace Velmora
