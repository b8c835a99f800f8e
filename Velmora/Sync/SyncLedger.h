#pragma once

#include "Velmora/Sync/CalDavClient.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QUrl>

#include <optional>

namespace Velmora {
class ChoreChanges;
}

namespace Velmora::Sync {

// What sync knows of one chore.
struct LedgerEntry {
    qint64 chore = 0; // the chore's id; no longer stored once deleted here
    QString uid;
    QUrl href;        // empty while the server has never had it
    QString etag;
    QByteArray serverCopy; // the resource as the server last had it
    qint64 version = 0;       // changes here, counted by the store
    qint64 syncedVersion = 0; // the count the server holds
    QDateTime modified;       // the last change here
    bool deleted = false;     // deleted here, not yet on the server

    bool changedHere() const { return deleted || href.isEmpty() || version != syncedVersion; }
};

// Resources of the calendar that are not chores.
enum class ForeignKind { WithoutDue = 1, Other = 2, Unreadable = 3 };

// The sync bookkeeping kept in the store's own file, beside the chores, written through the
// store's connection inside the changes' batches, so that a chore and its bookkeeping change
// in one transaction. Hrefs are
// kept relative to the calendar: nothing it keeps can name a resource outside it.
class SyncLedger {
public:
    explicit SyncLedger(ChoreChanges &changes);

    // Binds the bookkeeping to this calendar. Another calendar than before starts afresh:
    // every chore is to be sent there, nothing of the old one is kept.
    bool bindCalendar(const QUrl &calendar);
    SyncState state() const;
    bool saveState(const SyncState &state);
    // Whether the calendar offers sync-collection; unknown until first asked.
    std::optional<bool> syncCollection() const;
    bool saveSyncCollection(bool offered);

    // Every chore that has no entry gets one, to be sent (a file restored from elsewhere).
    bool enrollAll();
    // Chores in the store.
    qint64 choreCount() const;

    QList<LedgerEntry> changedHere() const;
    int changedHereCount() const;
    // Where each chore the server holds lies, and as what.
    QList<std::pair<QUrl, QString>> etagsOnServer() const;
    QList<QUrl> onServer() const;
    std::optional<LedgerEntry> byChore(qint64 chore) const;
    std::optional<LedgerEntry> byHref(const QUrl &href) const;
    std::optional<LedgerEntry> byUid(const QString &uid) const;
    // The entry under href, else the one with uid (none asked for when uid is empty); underHref
    // tells which it is.
    std::optional<LedgerEntry> byHrefOrUid(const QUrl &href, const QString &uid, bool &underHref) const;

    // The server holds the chore as `copy` with this ETag, as of the chore's change count `version`.
    bool markSent(qint64 chore, const QString &uid, const QUrl &href, const QString &etag, const QByteArray &copy,
                  qint64 version);
    // The chore was just written from the server's copy: nothing is left to send.
    bool markReceived(qint64 chore, const QString &uid, const QUrl &href, const QString &etag, const QByteArray &copy);
    // The server's copy moved on (a merge): what is here still differs from it and goes up next.
    bool markMerged(qint64 chore, const QUrl &href, const QString &etag, const QByteArray &copy);
    // The server has lost it: send it again as new.
    bool unlink(qint64 chore, const QString &newUid = {});
    bool forget(qint64 chore);

    bool recordForeign(const QUrl &href, const QString &etag, ForeignKind kind);
    bool forgetForeign(const QUrl &href);
    // Where each foreign resource lies, and as what.
    QList<std::pair<QUrl, QString>> foreignEtags() const;
    int foreignCount(ForeignKind kind) const;

    QString lastError() const { return m_error; }

private:
    // The href as kept: its path below the calendar in one spelling; empty when it lies outside.
    QString relative(const QUrl &href) const;
    QUrl absolute(const QString &kept) const;
    bool outside(const QUrl &href) const;
    // Hrefs kept whole by earlier versions become relative; one outside the calendar is dropped.
    bool migrateAbsoluteHrefs();
    QList<std::pair<QUrl, QString>> pairs(const QString &sql) const;
    // The statement, prepared once and kept, run with these values; null on failure (lastError()).
    QSqlQuery *executed(const QString &sql, const QVariantList &values) const;
    // The first row's values; empty when there is none or the read failed (lastError()).
    QVariantList firstRow(const QString &sql, const QVariantList &values = {}) const;
    bool exec(const QString &sql, const QVariantList &values = {});
    QList<LedgerEntry> entries(const QString &where, const QVariantList &values = {}) const;

    ChoreChanges &m_changes;
    mutable QHash<QString, QSqlQuery> m_queries;
    QString m_calendar;
    QUrl m_calendarUrl;
    QString m_basePath; // the calendar's path as hrefs are kept below it
    mutable QString m_error;
    mutable QUrl m_lastHref; // and what relative() made of it
    mutable QString m_lastRelative;
};

} // namespace Velmora::Sync
