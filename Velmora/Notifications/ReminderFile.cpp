#include "Velmora/Notifications/ReminderFile.h"

#include "Velmora/Platform/PrivateFiles.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

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
} // namespace

ReminderFile::ReminderFile(const QString &path)
    : m_connection(QStringLiteral("velmora-notifications-%1").arg(++g_connectionCounter))
{
    m_open = open(path);
}

ReminderFile::~ReminderFile()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool ReminderFile::open(const QString &path)
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

QList<NotificationRequest> ReminderFile::pending()
{
    QList<NotificationRequest> requests;
    if (!m_open)
        return requests;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.exec(QStringLiteral("SELECT identifier, title, body, sound, year, month, day, hour, minute "
                                   "FROM pending ORDER BY rowid")))
        return requests;
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
        requests.append(r);
    }
    return requests;
}

QHash<QString, NotificationTrigger> ReminderFile::rung(QDate today)
{
    QHash<QString, NotificationTrigger> marks;
    if (!m_open)
        return marks;
    // A day that has passed can only drop a request as stale, so older records are of no use.
    const QDate cutoff = today.addDays(-1);
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT identifier, year, month, day, hour, minute FROM delivered"))) {
        while (query.next()) {
            const auto trigger = storedTrigger(query, 1);
            if (trigger && trigger->date() >= cutoff)
                marks.insert(query.value(0).toString(), *trigger);
        }
    }
    QSqlQuery prune(db);
    prune.prepare(QStringLiteral("DELETE FROM delivered WHERE NOT coalesce(year * 10000 + month * 100 + day >= ?, 0)"));
    prune.addBindValue(cutoff.year() * 10000 + cutoff.month() * 100 + cutoff.day());
    prune.exec();
    return marks;
}

bool ReminderFile::store(const NotificationRequest &r)
{
    if (!m_open)
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO pending "
                                 "(identifier, title, body, sound, year, month, day, hour, minute) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &v : {QVariant(r.identifier), QVariant(r.title), QVariant(r.body), QVariant(r.defaultSound),
                              QVariant(r.trigger.year), QVariant(r.trigger.month), QVariant(r.trigger.day),
                              QVariant(r.trigger.hour), QVariant(r.trigger.minute)})
        query.addBindValue(v);
    return query.exec();
}

void ReminderFile::erase(const QString &identifier)
{
    if (!m_open)
        return;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("DELETE FROM pending WHERE identifier = ?"));
    query.addBindValue(identifier);
    query.exec();
}

void ReminderFile::markRung(const QString &identifier, const NotificationTrigger &t)
{
    if (!m_open)
        return;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO delivered (identifier, year, month, day, hour, minute) "
                                 "VALUES (?, ?, ?, ?, ?, ?)"));
    query.addBindValue(identifier);
    for (const int v : {t.year, t.month, t.day, t.hour, t.minute})
        query.addBindValue(v);
    query.exec();
}

} // namespace Velmora
