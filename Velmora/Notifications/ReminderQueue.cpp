#include "Velmora/Notifications/ReminderQueue.h"

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/Logging.h"
#include "Velmora/Platform/WallClock.h"
#include "Velmora/Platform/WallClockAlarm.h"

#include <QPointer>
#include <QTimeZone>
#include <QTimer>

#include <optional>

namespace Velmora {

ReminderQueue::ReminderQueue(const QString &filePath, NotificationBus &bus, WallClockAlarm &alarm, QObject *parent)
    : QObject(parent), m_file(filePath), m_bus(bus), m_alarm(alarm)
{
    m_pending = m_file.pending();
    m_rung = m_file.rung(Clock::current().now().toTimeZone(Clock::current().timeZone()).date());
    connect(&m_alarm, &WallClockAlarm::rang, this, &ReminderQueue::deliverDue);
    connect(&m_alarm, &WallClockAlarm::clockSet, this, &ReminderQueue::deliverDue);
    // What the server turned away goes out as soon as a server is back, the same day.
    QPointer<ReminderQueue> self(this);
    m_bus.watchServer([self] {
        if (self) {
            self->m_failed.clear();
            self->askCapabilities();
            self->deliverDue();
        }
    });
    m_bus.watchActions([self](uint id, const QString &key) {
        if (self)
            self->onActionInvoked(id, key);
    });
    askCapabilities();
    // Not in the constructor's turn: start-up should not wait for the bus.
    QTimer::singleShot(0, this, &ReminderQueue::deliverDue);
}

void ReminderQueue::markRung(const NotificationRequest &request)
{
    m_rung.insert(request.identifier, request.trigger);
    m_file.markRung(request.identifier, request.trigger);
}

bool ReminderQueue::add(const NotificationRequest &request)
{
    if (!request.trigger.isValid())
        return true;
    // Asked again for a reminder that has already rung (a restart, an edit that kept the time).
    const auto rung = m_rung.constFind(request.identifier);
    if (rung != m_rung.cend() && *rung == request.trigger) {
        remove({request.identifier});
        return true;
    }
    m_pending.removeIf([&](const NotificationRequest &r) { return r.identifier == request.identifier; });
    m_pending.append(request);
    m_failed.remove(request.identifier);
    const bool stored = m_file.store(request) || !isPersistent();
    replanSoon();
    emit pendingChanged();
    return stored;
}

void ReminderQueue::remove(const QStringList &identifiers)
{
    for (const QString &id : identifiers) {
        if (m_pending.removeIf([&](const NotificationRequest &r) { return r.identifier == id; }) > 0) {
            m_file.erase(id);
            m_failed.remove(id);
            replanSoon();
            emit pendingChanged();
        }
    }
}

void ReminderQueue::replanSoon()
{
    // Many changes come in one go (every chore at start-up): plan once after them.
    if (m_replanQueued)
        return;
    m_replanQueued = true;
    QTimer::singleShot(0, this, &ReminderQueue::replan);
}

void ReminderQueue::replan()
{
    m_replanQueued = false;
    const Clock &clock = Clock::current();
    const QTimeZone zone = clock.timeZone();
    const QDateTime now = clock.now();
    const QDateTime local = now.toTimeZone(zone);
    std::optional<QDateTime> next;
    for (const NotificationRequest &r : std::as_const(m_pending)) {
        if (m_inFlight.contains(r.identifier))
            continue;
        std::optional<QDateTime> at;
        if (!r.trigger.isDueAt(local.date(), local.time()))
            at = firstInstantAt(r.trigger.date(), QTime(r.trigger.hour, r.trigger.minute), zone);
        // Due already: at once, or a while after the server last turned it away.
        if (!at)
            at = m_failed.contains(r.identifier) ? now.addMSecs(retryMs) : now;
        if (!next || *at < *next)
            next = at;
    }
    if (next && m_delivering)
        m_alarm.arm(*next);
    else
        m_alarm.disarm();
}

void ReminderQueue::askCapabilities()
{
    QPointer<ReminderQueue> self(this);
    m_bus.fetchCapabilities([self](const QStringList &capabilities) {
        if (!self)
            return;
        self->m_serverActions = capabilities.contains(QStringLiteral("actions"));
        self->m_serverPersistence = capabilities.contains(QStringLiteral("persistence"));
    });
}

void ReminderQueue::onActionInvoked(uint id, const QString &key)
{
    // Another app's notification, or one of an earlier run.
    const auto shown = m_shown.constFind(id);
    if (shown != m_shown.cend())
        emit actionInvoked(NotificationRequest(*shown), key, id);
}

void ReminderQueue::setDelivering(bool delivering)
{
    m_delivering = delivering;
    replanSoon();
}

void ReminderQueue::deliverDue()
{
    if (!m_delivering)
        return;
    const Clock &clock = Clock::current();
    const QDateTime local = clock.now().toTimeZone(clock.timeZone());
    const QDate today = local.date();
    const QTime time = local.time();

    QList<NotificationRequest> stale;
    QList<NotificationRequest> due;
    for (const NotificationRequest &r : std::as_const(m_pending)) {
        if (!r.trigger.isDueAt(today, time))
            continue;
        if (r.trigger.date() < today)
            stale.append(r);
        else if (!m_inFlight.contains(r.identifier))
            due.append(r);
    }
    // Its day has passed unseen: it counts as rung, so asking for it again adds nothing.
    for (const NotificationRequest &r : std::as_const(stale)) {
        markRung(r);
        remove({r.identifier});
    }

    const NotificationBus::Actions actions = m_serverActions && m_actions ? m_actions() : NotificationBus::Actions();
    QPointer<ReminderQueue> self(this);
    for (const NotificationRequest &r : std::as_const(due)) {
        m_inFlight.insert(r.identifier);
        m_bus.notify(r.title, r.body, r.defaultSound, m_serverPersistence, actions, [self, r](bool shown, uint id) {
            if (!self)
                return;
            self->m_inFlight.remove(r.identifier);
            if (shown)
                self->m_shown.insert(id, r);
            // A request replaced while it was on its way stays pending as the new one.
            if (shown && self->m_pending.contains(r)) {
                self->markRung(r);
                self->remove({r.identifier});
            } else if (!shown) {
                qCWarning(logReminders).noquote() << "A reminder did not show and is tried again:" << r.identifier;
                self->m_failed.insert(r.identifier);
            }
            self->replanSoon();
        });
    }
    replanSoon();
}

} // namespace Velmora
