#include "Velmora/Sync/SyncLedger.h"

#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimeZone>

#include <algorithm>

namespace Velmora::Sync {

namespace {

namespace C = ChoreSchema::Chores;
namespace R = ChoreSchema::SyncRecords;
namespace F = ChoreSchema::SyncForeign;
namespace K = ChoreSchema::SyncCalendar;
using ChoreSchema::sql;

// Every href is kept in one spelling.
QString canonical(const QUrl &href)
{
    return href.isEmpty() ? QString() : CalDavClient::normalized(href).toString(QUrl::FullyEncoded);
}

// What is still to send: a deletion, a chore the server never had, or a change since the last send.
constexpr auto kChangedHere = sql("WHERE ", R::deleted, " = 1 OR ", R::href, " IS NULL OR ", R::version, " != ",
                                  R::syncedVersion);

constexpr auto kEntryColumns = sql("SELECT ", R::chore, ", ", R::uid, ", ", R::href, ", ", R::etag, ", ", R::serverCopy, ", ",
                                   R::version, ", ", R::syncedVersion, ", ", R::modified, ", ", R::deleted,
                                   " FROM ", R::table, " ");

// The hrefs kept whole, as the ledger wrote them before it kept them below the calendar.
constexpr char kWholeHref[] = " LIKE 'http://%' OR ";
constexpr char kWholeHrefEnd[] = " LIKE 'https://%'";

} // namespace

SyncLedger::SyncLedger(ChoreChanges &changes) : m_changes(changes) {}

QSqlQuery *SyncLedger::executed(const QString &sql, const QVariantList &values) const
{
    // Preparing costs more than running these small statements: each is prepared once.
    auto it = m_queries.find(sql);
    if (it == m_queries.end()) {
        QSqlQuery query(QSqlDatabase::database(m_changes.store()->connectionName(), false));
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            m_error = query.lastError().text();
            return nullptr;
        }
        it = m_queries.insert(sql, std::move(query));
    }
    QSqlQuery *query = &it.value();
    for (int i = 0; i < values.size(); ++i)
        query->bindValue(i, values.at(i));
    if (!query->exec()) {
        m_error = query->lastError().text();
        return nullptr;
    }
    return query;
}

bool SyncLedger::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery *query = executed(sql, values);
    if (!query)
        return false;
    query->finish();
    return true;
}

QVariantList SyncLedger::firstRow(const QString &sql, const QVariantList &values) const
{
    QVariantList row;
    QSqlQuery *query = executed(sql, values);
    if (!query)
        return row;
    if (query->next()) {
        for (int i = 0; i < query->record().count(); ++i)
            row << query->value(i);
    }
    query->finish();
    return row;
}

bool SyncLedger::outside(const QUrl &href) const
{
    m_error = QStringLiteral("Not inside the calendar: %1").arg(CalDavClient::shownAddress(href));
    return false;
}

QString SyncLedger::relative(const QUrl &href) const
{
    // A received resource is looked up and then written under the same href: worked out once.
    if (href == m_lastHref)
        return m_lastRelative;
    m_lastHref = href;
    // Kept as the server spelled it: a later request must name the very resource it listed.
    m_lastRelative = href.isEmpty() ? QString() : CalDavClient::spelledBelow(m_calendarUrl, href);
    return m_lastRelative;
}

QUrl SyncLedger::absolute(const QString &kept) const
{
    if (kept.isEmpty())
        return {};
    QUrl url = m_calendarUrl;
    url.setPath(m_basePath + kept, QUrl::TolerantMode);
    return url;
}

QList<std::pair<QUrl, QString>> SyncLedger::pairs(const QString &sql) const
{
    QList<std::pair<QUrl, QString>> found;
    QSqlQuery query(QSqlDatabase::database(m_changes.store()->connectionName(), false));
    query.setForwardOnly(true);
    if (query.exec(sql)) {
        while (query.next())
            found.append({absolute(query.value(0).toString()), query.value(1).toString()});
    }
    return found;
}

QList<LedgerEntry> SyncLedger::entries(const QString &where, const QVariantList &values) const
{
    QList<LedgerEntry> found;
    QSqlQuery *query = executed(kEntryColumns.latin1() + where, values);
    if (!query)
        return found;
    while (query->next()) {
        LedgerEntry entry;
        entry.chore = query->value(0).toLongLong();
        entry.uid = query->value(1).toString();
        entry.href = absolute(query->value(2).toString());
        entry.etag = query->value(3).toString();
        entry.serverCopy = query->value(4).toByteArray();
        entry.version = query->value(5).toLongLong();
        entry.syncedVersion = query->value(6).toLongLong();
        if (!query->value(7).isNull())
            entry.modified = QDateTime::fromMSecsSinceEpoch(query->value(7).toLongLong(), QTimeZone::utc());
        entry.deleted = query->value(8).toInt() != 0;
        found.append(entry);
    }
    query->finish();
    return found;
}

bool SyncLedger::bindCalendar(const QUrl &calendar)
{
    m_calendar = canonical(calendar);
    m_calendarUrl = CalDavClient::normalized(calendar);
    m_lastHref.clear();
    m_basePath = calendar.path(QUrl::FullyEncoded);
    if (!m_basePath.endsWith(QLatin1Char('/')))
        m_basePath += QLatin1Char('/');
    QSqlQuery query(QSqlDatabase::database(m_changes.store()->connectionName(), false));
    if (!query.exec(sql("SELECT ", K::url, " FROM ", K::table))) {
        m_error = query.lastError().text();
        return false;
    }
    QStringList bound;
    while (query.next())
        bound << query.value(0).toString();
    if (bound == QStringList{m_calendar})
        return migrateAbsoluteHrefs();
    // Deletions meant for the old calendar do not concern the new one.
    return m_changes.batch([&] {
        return exec(sql("DELETE FROM ", K::table)) && exec(sql("DELETE FROM ", F::table))
            && exec(sql("DELETE FROM ", R::table, " WHERE ", R::deleted, " = 1"))
            && exec(sql("UPDATE ", R::table, " SET ", R::href, " = NULL, ", R::etag, " = NULL, ", R::serverCopy, " = NULL, ",
                        R::syncedVersion, " = 0"))
            && exec(sql("INSERT INTO ", K::table, " (", K::url, ") VALUES (?)"), {m_calendar});
    });
}

bool SyncLedger::migrateAbsoluteHrefs()
{
    QList<std::pair<QString, QString>> records;
    QStringList foreign;
    QSqlQuery query(QSqlDatabase::database(m_changes.store()->connectionName(), false));
    if (!query.exec(sql("SELECT ", R::chore, ", ", R::href, " FROM ", R::table, " WHERE ", R::href, kWholeHref, R::href,
                        kWholeHrefEnd))) {
        m_error = query.lastError().text();
        return false;
    }
    while (query.next())
        records.append({query.value(0).toString(), query.value(1).toString()});
    if (!query.exec(sql("SELECT ", F::href, " FROM ", F::table, " WHERE ", F::href, kWholeHref, F::href, kWholeHrefEnd))) {
        m_error = query.lastError().text();
        return false;
    }
    while (query.next())
        foreign.append(query.value(0).toString());
    if (records.isEmpty() && foreign.isEmpty())
        return true;
    return m_changes.batch([&] {
        for (const auto &[chore, href] : std::as_const(records)) {
            const QString kept = relative(QUrl(href, QUrl::StrictMode));
            // Outside the calendar it was never ours to write: what is here goes up anew.
            const bool done = kept.isEmpty()
                ? exec(sql("DELETE FROM ", R::table, " WHERE ", R::chore, " = ? AND ", R::deleted, " = 1"), {chore})
                    && exec(sql("UPDATE ", R::table, " SET ", R::href, " = NULL, ", R::etag, " = NULL, ", R::serverCopy,
                                " = NULL, ", R::syncedVersion, " = 0 WHERE ", R::chore, " = ?"), {chore})
                : exec(sql("UPDATE ", R::table, " SET ", R::href, " = ? WHERE ", R::chore, " = ?"), {kept, chore});
            if (!done)
                return false;
        }
        for (const QString &href : std::as_const(foreign)) {
            const QString kept = relative(QUrl(href, QUrl::StrictMode));
            if (!(kept.isEmpty() ? exec(sql("DELETE FROM ", F::table, " WHERE ", F::href, " = ?"), {href})
                                 : exec(sql("UPDATE OR REPLACE ", F::table, " SET ", F::href, " = ? WHERE ", F::href, " = ?"),
                                        {kept, href})))
                return false;
        }
        return true;
    });
}

SyncState SyncLedger::state() const
{
    const QVariantList row = firstRow(sql("SELECT ", K::syncToken, ", ", K::ctag, " FROM ", K::table, " WHERE ", K::url, " = ?"),
                                    {m_calendar});
    return {row.value(0).toString(), row.value(1).toString()};
}

bool SyncLedger::saveState(const SyncState &state)
{
    return m_changes.batch([&] {
        return exec(sql("UPDATE ", K::table, " SET ", K::syncToken, " = ?, ", K::ctag, " = ? WHERE ", K::url, " = ?"),
                    {state.syncToken, state.ctag, m_calendar});
    });
}

std::optional<bool> SyncLedger::syncCollection() const
{
    const QVariant offered =
        firstRow(sql("SELECT ", K::syncCollection, " FROM ", K::table, " WHERE ", K::url, " = ?"), {m_calendar}).value(0);
    if (offered.isNull())
        return std::nullopt;
    return offered.toInt() != 0;
}

bool SyncLedger::saveSyncCollection(bool offered)
{
    return m_changes.batch([&] {
        return exec(sql("UPDATE ", K::table, " SET ", K::syncCollection, " = ? WHERE ", K::url, " = ?"),
                    {offered ? 1 : 0, m_calendar});
    });
}

bool SyncLedger::enrollAll()
{
    const QVariantList unenrolled =
        firstRow(sql("SELECT count(*) FROM ", C::table, " WHERE ", C::id, " NOT IN (SELECT ", R::chore, " FROM ", R::table, ")"));
    if (unenrolled.isEmpty())
        return false;
    if (unenrolled.first().toLongLong() == 0)
        return true;
    return m_changes.batch([&] {
        return exec(S2::enrollUnsynced());
    });
}

qint64 SyncLedger::choreCount() const
{
    return firstRow(sql("SELECT count(*) FROM ", C::table)).value(0).toLongLong();
}

QList<LedgerEntry> SyncLedger::changedHere() const
{
    return entries(sql(kChangedHere, " ORDER BY ", R::chore));
}

int SyncLedger::changedHereCount() const
{
    return firstRow(sql("SELECT count(*) FROM ", R::table, " ", kChangedHere)).value(0).toInt();
}

QList<std::pair<QUrl, QString>> SyncLedger::etagsOnServer() const
{
    return pairs(sql("SELECT ", R::href, ", ", R::etag, " FROM ", R::table, " WHERE ", R::href, " IS NOT NULL"));
}

QList<QUrl> SyncLedger::onServer() const
{
    QList<QUrl> hrefs;
    for (const auto &[href, etag] : etagsOnServer())
        hrefs << href;
    return hrefs;
}

std::optional<LedgerEntry> SyncLedger::byChore(qint64 chore) const
{
    const auto found = entries(sql("WHERE ", R::chore, " = ?"), {chore});
    return found.isEmpty() ? std::nullopt : std::optional(found.constFirst());
}

std::optional<LedgerEntry> SyncLedger::byHref(const QUrl &href) const
{
    const QString kept = relative(href);
    if (kept.isEmpty())
        return std::nullopt;
    const auto found = entries(sql("WHERE ", R::href, " = ?"), {kept});
    return found.isEmpty() ? std::nullopt : std::optional(found.constFirst());
}

std::optional<LedgerEntry> SyncLedger::byUid(const QString &uid) const
{
    const auto found = entries(sql("WHERE ", R::uid, " = ?"), {uid});
    return found.isEmpty() ? std::nullopt : std::optional(found.constFirst());
}

std::optional<LedgerEntry> SyncLedger::byHrefOrUid(const QUrl &href, const QString &uid, bool &underHref) const
{
    const QString kept = relative(href);
    underHref = false;
    if (kept.isEmpty() || uid.isEmpty()) {
        std::optional<LedgerEntry> found = kept.isEmpty() ? std::nullopt : byHref(href);
        underHref = found.has_value();
        return found || uid.isEmpty() ? found : byUid(uid);
    }
    // One look-up where most resources find neither; both columns are unique, so at most two
    // rows come, and the one under the href wins.
    const auto found = entries(sql("WHERE ", R::href, " = ? OR ", R::uid, " = ?"), {kept, uid});
    if (found.isEmpty())
        return std::nullopt;
    const QUrl at = absolute(kept);
    const auto under = std::find_if(found.cbegin(), found.cend(), [&](const LedgerEntry &e) { return e.href == at; });
    underHref = under != found.cend();
    return underHref ? *under : found.constFirst();
}

bool SyncLedger::markSent(qint64 chore, const QString &uid, const QUrl &href, const QString &etag,
                          const QByteArray &copy, qint64 version)
{
    const QString kept = relative(href);
    if (kept.isEmpty())
        return outside(href);
    // A chore deleted here while it was on its way up left no entry: the server's copy is
    // now a deletion to send.
    return m_changes.batch([&] {
        return exec(sql("UPDATE ", R::table, " SET ", R::href, " = ?, ", R::etag, " = ?, ", R::serverCopy, " = ?, ",
                        R::syncedVersion, " = ? WHERE ", R::chore, " = ?"),
                    {kept, etag, copy, version, chore})
            && exec(sql("INSERT OR IGNORE INTO ", R::table, " (", R::chore, ", ", R::uid, ", ", R::href, ", ", R::etag, ", ",
                        R::deleted, ") SELECT ?, ?, ?, ?, 1 WHERE NOT EXISTS (SELECT 1 FROM ", C::table, " WHERE ",
                        C::id, " = ?)"),
                    {chore, uid, kept, etag, chore});
    });
}

bool SyncLedger::markReceived(qint64 chore, const QString &uid, const QUrl &href, const QString &etag,
                              const QByteArray &copy)
{
    const QString kept = relative(href);
    if (kept.isEmpty())
        return outside(href);
    // Called inside the transaction that wrote the chore; another entry holding this UID or
    // href (a deletion the server's change overrides) makes way.
    return exec(sql("DELETE FROM ", R::table, " WHERE ", R::chore, " != ? AND (", R::uid, " = ? OR ", R::href, " = ?)"),
                {chore, uid, kept})
        && exec(sql("UPDATE ", R::table, " SET ", R::uid, " = ?, ", R::href, " = ?, ", R::etag, " = ?, ", R::serverCopy,
                    " = ?, ", R::syncedVersion, " = ", R::version, ", ", R::deleted, " = 0 WHERE ", R::chore, " = ?"),
                {uid, kept, etag, copy, chore});
}

bool SyncLedger::markMerged(qint64 chore, const QUrl &href, const QString &etag, const QByteArray &copy)
{
    const QString kept = relative(href);
    if (kept.isEmpty())
        return outside(href);
    return exec(sql("UPDATE ", R::table, " SET ", R::href, " = ?, ", R::etag, " = ?, ", R::serverCopy, " = ?, ",
                    R::syncedVersion, " = min(", R::syncedVersion, ", ", R::version, " - 1) WHERE ", R::chore, " = ?"),
                {kept, etag, copy, chore});
}

bool SyncLedger::unlink(qint64 chore, const QString &newUid)
{
    return m_changes.batch([&] {
        return exec(sql("UPDATE ", R::table, " SET ", R::href, " = NULL, ", R::etag, " = NULL, ", R::serverCopy, " = NULL, ",
                        R::syncedVersion, " = 0, ", R::uid, " = coalesce(nullif(?, ''), ", R::uid, ") WHERE ", R::chore,
                        " = ?"),
                    {newUid, chore});
    });
}

bool SyncLedger::forget(qint64 chore)
{
    return exec(sql("DELETE FROM ", R::table, " WHERE ", R::chore, " = ?"), {chore});
}

bool SyncLedger::recordForeign(const QUrl &href, const QString &etag, ForeignKind kind)
{
    const QString kept = relative(href);
    if (kept.isEmpty())
        return outside(href);
    return m_changes.batch([&] {
        return exec(sql("INSERT OR REPLACE INTO ", F::table, " (", F::href, ", ", F::etag, ", ", F::kind, ") VALUES (?, ?, ?)"),
                    {kept, etag, int(kind)});
    });
}

bool SyncLedger::forgetForeign(const QUrl &href)
{
    const QString kept = relative(href);
    return m_changes.batch([&] {
        return exec(sql("DELETE FROM ", F::table, " WHERE ", F::href, " = ?"), {kept});
    });
}

QList<std::pair<QUrl, QString>> SyncLedger::foreignEtags() const
{
    return pairs(sql("SELECT ", F::href, ", ", F::etag, " FROM ", F::table));
}

int SyncLedger::foreignCount(ForeignKind kind) const
{
    return firstRow(sql("SELECT count(*) FROM ", F::table, " WHERE ", F::kind, " = ?"), {int(kind)}).value(0).toInt();
}

} // namespace Velmora::Sync
