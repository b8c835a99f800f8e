#include "Velmora/Platform/DesktopNotificationService.h"

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/PrivateFiles.h"
#include "Velmora/Platform/WallClock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimeZone>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>

namespace Velmora {

namespace {
std::atomic<int> g_connectionCounter{0};

// A stored whole number, or none for text, NULL, fractions and values beyond int.
std::optional<int> storedInt(const QVariant &value)
{
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (value.isNull() || !ok || !std::isfinite(d) || d != std::trunc(d)
        || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(d);
}

// The five trigger columns starting at column first, or none when any is unusable.
std::optional<NotificationTrigger> storedTrigger(const QSqlQuery &query, int first)
{
    std::optional<int> parts[5];
    for (int i = 0; i < 5; ++i) {
        parts[i] = storedInt(query.value(first + i));
        if (!parts[i])
            return std::nullopt;
    }
    const NotificationTrigger trigger{*parts[0], *parts[1], *parts[2], *parts[3], *parts[4]};
    return trigger.isValid() ? std::optional(trigger) : std::nullopt;
}

void later(QObject *context, std::function<void()> work)
{
    QTimer::singleShot(0, context, std::move(work));
}
} // namespace

DesktopNotificationService::DesktopNotificationService(const QString &databasePath,
                                                       std::unique_ptr<NotificationBus> bus,
                                                       std::unique_ptr<WallClockAlarm> alarm, QObject *parent)
    : QObject(parent)
    , m_connection(QStringLiteral("velmora-notifications-%1").arg(++g_connectionCounter))
    , m_bus(bus ? std::move(bus) : std::make_unique<DBusNotificationBus>())
    , m_alarm(alarm ? std::move(alarm) : std::make_unique<TimerFdWallClockAlarm>())
{
    m_persistent = openDatabase(databasePath);
    if (m_persistent)
        load();
    connect(m_alarm.get(), &WallClockAlarm::rang, this, &DesktopNotificationService::deliverDue);
    connect(m_alarm.get(), &WallClockAlarm::clockSet, this, &DesktopNotificationService::deliverDue);
    // What the server turned away goes out as soon as a server is back, the same day.
    QPointer<DesktopNotificationService> self(this);
    m_bus->watchServer([self] {
        if (self) {
            self->m_failed.clear();
            self->askCapabilities();
            self->deliverDue();
        }
    });
    m_bus->watchActions([self](uint id, const QString &key) {
        if (self)
            self->onActionInvoked(id, key);
    });
    askCapabilities();
    // Not in the constructor's turn: start-up should not wait for the bus.
    later(this, [this] { deliverDue(); });
}

DesktopNotificationService::~DesktopNotificationService()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool DesktopNotificationService::openDatabase(const QString &path)
{
    if (path.isEmpty())
        return false;
    // SQLite gives its journal the mode of the file, so the file is made private first.
    if (!PrivateFiles::makeFolder(QFileInfo(path).absolutePath()) || !PrivateFiles::makeFile(path))
        return false;
    PrivateFiles::tighten(path + QStringLiteral("-journal"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    if (!db.open())
        return false;
    QSqlQuery query(db);
    return query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS pending ("
                                     "identifier TEXT PRIMARY KEY NOT NULL, title TEXT, body TEXT, "
                                     "sound INTEGER, year INTEGER, month INTEGER, day INTEGER, "
                                     "hour INTEGER, minute INTEGER)"))
        && query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS delivered ("
                                     "identifier TEXT PRIMARY KEY NOT NULL, year INTEGER, month INTEGER, "
                                     "day INTEGER, hour INTEGER, minute INTEGER)"));
}

void DesktopNotificationService::load()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT identifier, title, body, sound, year, month, day, hour, minute "
                                  "FROM pending ORDER BY rowid"))) {
        while (query.next()) {
            NotificationRequest r;
            r.identifier = query.value(0).toString();
            r.title = query.value(1).toString();
            r.body = query.value(2).toString();
            r.defaultSound = query.value(3).toBool();
            const auto trigger = storedTrigger(query, 4);
            if (!trigger) {
                erase(r.identifier);
                continue;
            }
            r.trigger = *trigger;
            m_pending.append(r);
        }
    }
    // A day that has passed can only drop a request as stale, so older records are of no use.
    const QDate today = Clock::current().now().toTimeZone(Clock::current().timeZone()).date();
    if (query.exec(QStringLiteral("SELECT identifier, year, month, day, hour, minute FROM delivered"))) {
        while (query.next()) {
            const auto trigger = storedTrigger(query, 1);
            if (trigger && trigger->date() >= today.addDays(-1))
                m_delivered.insert(query.value(0).toString(), *trigger);
        }
    }
    const QDate cutoff = today.addDays(-1);
    QSqlQuery prune(db);
    prune.prepare(QStringLiteral("DELETE FROM delivered WHERE NOT coalesce(year * 10000 + month * 100 + day >= ?, 0)"));
    prune.addBindValue(cutoff.year() * 10000 + cutoff.month() * 100 + cutoff.day());
    prune.exec();
}

void DesktopNotificationService::store(const NotificationRequest &r)
{
    if (!m_persistent)
        return;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO pending "
                                 "(identifier, title, body, sound, year, month, day, hour, minute) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &v : {QVariant(r.identifier), QVariant(r.title), QVariant(r.body), QVariant(r.defaultSound),
                              QVariant(r.trigger.year), QVariant(r.trigger.month), QVariant(r.trigger.day),
                              QVariant(r.trigger.hour), QVariant(r.trigger.minute)})
        query.addBindValue(v);
    query.exec();
}

void DesktopNotificationService::erase(const QString &identifier)
{
    if (!m_persistent)
        return;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("DELETE FROM pending WHERE identifier = ?"));
    query.addBindValue(identifier);
    query.exec();
}

void DesktopNotificationService::markDelivered(const NotificationRequest &r)
{
    m_delivered.insert(r.identifier, r.trigger);
    if (!m_persistent)
        return;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO delivered (identifier, year, month, day, hour, minute) "
                                 "VALUES (?, ?, ?, ?, ?, ?)"));
    query.addBindValue(r.identifier);
    for (const int v : {r.trigger.year, r.trigger.month, r.trigger.day, r.trigger.hour, r.trigger.minute})
        query.addBindValue(v);
    query.exec();
}

void DesktopNotificationService::requestAuthorization(std::function<void()> done)
{
    // The desktop asks no one: a running notification server is the permission.
    later(this, std::move(done));
}

void DesktopNotificationService::fetchSettings(std::function<void(NotificationSettings)> done)
{
    QPointer<DesktopNotificationService> self(this);
    m_bus->probeServer([self, done = std::move(done)](bool serverPresent) {
        if (self)
            done({serverPresent ? NotificationSettings::Authorized : NotificationSettings::Denied});
    });
}

void DesktopNotificationService::add(const NotificationRequest &request)
{
    if (!request.trigger.isValid())
        return;
    // Asked again for a reminder that has already rung (a restart, an edit that kept the time).
    const auto delivered = m_delivered.constFind(request.identifier);
    if (delivered != m_delivered.cend() && *delivered == request.trigger) {
        removePendingRequests({request.identifier});
        return;
    }
    m_pending.removeIf([&](const NotificationRequest &r) { return r.identifier == request.identifier; });
    m_pending.append(request);
    m_failed.remove(request.identifier);
    store(request);
    replanSoon();
}

void DesktopNotificationService::removePendingRequests(const QStringList &identifiers)
{
    for (const QString &id : identifiers) {
        if (m_pending.removeIf([&](const NotificationRequest &r) { return r.identifier == id; }) > 0) {
            erase(id);
            m_failed.remove(id);
            replanSoon();
        }
    }
}

void DesktopNotificationService::replanSoon()
{
    // Many changes come in one go (every chore at start-up): plan once after them.
    if (m_replanQueued)
        return;
    m_replanQueued = true;
    later(this, [this] { replan(); });
}

void DesktopNotificationService::replan()
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
        m_alarm->arm(*next);
    else
        m_alarm->disarm();
}

void DesktopNotificationService::askCapabilities()
{
    QPointer<DesktopNotificationService> self(this);
    m_bus->fetchCapabilities([self](const QStringList &capabilities) {
        if (self)
            self->m_serverActions = capabilities.contains(QStringLiteral("actions"));
    });
}

void DesktopNotificationService::onActionInvoked(uint id, const QString &key)
{
    // Another app's notification, or one of an earlier run.
    const auto shown = m_shown.constFind(id);
    if (shown == m_shown.cend())
        return;
    const NotificationRequest request = *shown;
    // The server leaves a notification up after a button unless told; done with, it goes.
    if (key == QLatin1String("finish") || key == QLatin1String("snooze"))
        m_bus->closeNotification(id);
    if (key == QLatin1String("snooze"))
        snooze(request);
    else if (onAction)
        onAction(request.identifier.section(QLatin1Char('#'), 0, 0), key);
}

void DesktopNotificationService::snooze(const NotificationRequest &shown)
{
    const Clock &clock = Clock::current();
    const QDateTime later = clock.now().toTimeZone(clock.timeZone()).addSecs(snoozeMinutes * 60);
    NotificationRequest again = shown;
    again.identifier = snoozedIdentifier(shown.identifier.section(QLatin1Char('#'), 0, 0));
    again.trigger = {later.date().year(), later.date().month(), later.date().day(), later.time().hour(),
                     later.time().minute()};
    add(again);
}

void DesktopNotificationService::setDelivering(bool delivering)
{
    m_delivering = delivering;
    replanSoon();
}

void DesktopNotificationService::deliverDue()
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
        markDelivered(r);
        removePendingRequests({r.identifier});
    }

    NotificationBus::Actions actions;
    if (m_serverActions) {
        actions = {{QStringLiteral("default"), tr("Open")},
                   {QStringLiteral("finish"), tr("Finish")},
                   {QStringLiteral("snooze"), tr("Snooze for an hour")}};
    }
    QPointer<DesktopNotificationService> self(this);
    for (const NotificationRequest &r : std::as_const(due)) {
        m_inFlight.insert(r.identifier);
        m_bus->notify(r.title, r.body, r.defaultSound, actions, [self, r](bool shown, uint id) {
            if (!self)
                return;
            self->m_inFlight.remove(r.identifier);
            if (shown)
                self->m_shown.insert(id, r);
            // A request replaced while it was on its way stays pending as the new one.
            if (shown && self->m_pending.contains(r)) {
                self->markDelivered(r);
                self->removePendingRequests({r.identifier});
            } else if (!shown) {
                self->m_failed.insert(r.identifier);
            }
            self->replanSoon();
        });
    }
    replanSoon();
}

} // namespace Velmora
