#include "Velmora/Model/ChoreSchema.h"

#include "Velmora/Model/Chore.h"

namespace Velmora {

namespace C = ChoreSchema::Chores;
namespace R = ChoreSchema::SyncRecords;
namespace F = ChoreSchema::SyncForeign;
namespace K = ChoreSchema::SyncCalendar;
namespace Rec = ChoreSchema::Recurrences;
namespace L = ChoreSchema::SeriesLinks;
namespace P = ChoreSchema::People;
namespace M = ChoreSchema::Members;
using ChoreSchema::sql;

QString ChoreSchema::createEndDateIndex()
{
    return sql("CREATE INDEX IF NOT EXISTS ", C::endDateIndex, " ON ", C::table, " (", C::endDate, ")");
}

QStringList S1::createStatements()
{
    return {
        QString(sql("CREATE TABLE ", C::table, " (",
                    " ", C::id, " INTEGER PRIMARY KEY AUTOINCREMENT,",
                    " ", C::title, " TEXT DEFAULT '',",
                    " ", C::colorComponents, " TEXT DEFAULT '%1',",
                    " ", C::startDate, " INTEGER,",
                    " ", C::dueDate, " INTEGER,",
                    " ", C::endDate, " INTEGER,",
                    " ", C::notify, " INTEGER DEFAULT 0,",
                    " ", C::notificationTime, " REAL DEFAULT %2)"))
            .arg(QString::fromUtf8(ColorComponentsModel::standardRed().encode()),
                 QString::number(ChoreFields::defaultNotificationTime)),
    };
}

namespace {

// A random (version 4) UUID, made inside SQLite so that triggers can give one to every new chore.
constexpr char kNewUuid[] = "lower(hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' || substr(hex(randomblob(2)), 2)"
                            " || '-' || substr('89ab', 1 + abs(random() % 4), 1) || substr(hex(randomblob(2)), 2)"
                            " || '-' || hex(randomblob(6)))";
constexpr char kNowMs[] = "CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER)";

// A change of the chore for sync; %1 is the row of the trigger ("new" or "old") naming it.
constexpr auto kTouch = sql("UPDATE ", R::table, " SET ", R::version, " = ", R::version, " + 1, ", R::modified, " = ",
                            kNowMs, " WHERE ", R::chore, " = %1;");

QStringList syncStatements()
{
    return {
        // version counts the chore's changes here; syncedVersion is the count the server holds.
        sql("CREATE TABLE ", R::table, " (",
            " ", R::chore, " INTEGER PRIMARY KEY,",
            " ", R::uid, " TEXT NOT NULL UNIQUE,",
            " ", R::href, " TEXT UNIQUE,",
            " ", R::etag, " TEXT,",
            " ", R::serverCopy, " BLOB,",
            " ", R::version, " INTEGER NOT NULL DEFAULT 1,",
            " ", R::syncedVersion, " INTEGER NOT NULL DEFAULT 0,",
            " ", R::modified, " INTEGER,",
            " ", R::deleted, " INTEGER NOT NULL DEFAULT 0)"),
        // Left alone, counted, not fetched again.
        sql("CREATE TABLE ", F::table, " (", F::href, " TEXT PRIMARY KEY, ", F::etag, " TEXT, ", F::kind,
            " INTEGER NOT NULL)"),
        sql("CREATE TABLE ", K::table, " (", K::url, " TEXT PRIMARY KEY, ", K::syncToken, " TEXT, ", K::ctag, " TEXT,",
            " ", K::syncCollection, " INTEGER)"),
        sql("CREATE TRIGGER ChoreSyncInsert AFTER INSERT ON ", C::table, " BEGIN",
            " INSERT OR IGNORE INTO ", R::table, " (", R::chore, ", ", R::uid, ", ", R::modified, ") VALUES (new.", C::id,
            ", ", kNewUuid, ", ", kNowMs, "); END"),
        QString(sql("CREATE TRIGGER ChoreSyncUpdate AFTER UPDATE ON ", C::table, " BEGIN ", kTouch, " END"))
            .arg(sql("new.", C::id).latin1()),
        // A chore the server never had leaves nothing behind; any other waits to be deleted there.
        sql("CREATE TRIGGER ChoreSyncDelete AFTER DELETE ON ", C::table, " BEGIN",
            " DELETE FROM ", R::table, " WHERE ", R::chore, " = old.", C::id, " AND ", R::href, " IS NULL;",
            " UPDATE ", R::table, " SET ", R::deleted, " = 1, ", R::version, " = ", R::version, " + 1, ", R::modified,
            " = ", kNowMs, " WHERE ", R::chore, " = old.", C::id, ";",
            " END"),
    };
}

} // namespace

QStringList S2::createStatements()
{
    return S1::createStatements() + syncStatements();
}

QStringList S2::stageFromS1()
{
    return syncStatements() << enrollUnsynced();
}

QString S2::enrollUnsynced()
{
    return sql("INSERT INTO ", R::table, " (", R::chore, ", ", R::uid, ", ", R::modified, ") SELECT ", C::id, ", ",
               kNewUuid, ", ", kNowMs, " FROM ", C::table,
               " WHERE ", C::id, " NOT IN (SELECT ", R::chore, " FROM ", R::table, ")");
}

namespace {

QStringList recurrenceStatements()
{
    // A change of how a chore repeats is a change of the chore for sync, as a field's is.
    const QString touchNew = QString(kTouch).arg(sql("new.", Rec::chore).latin1());
    const QString touchOld = QString(kTouch).arg(sql("old.", Rec::chore).latin1());
    return {
        sql("CREATE TABLE ", Rec::table, " (",
            " ", Rec::chore, " INTEGER PRIMARY KEY,",
            " ", Rec::rule, " TEXT NOT NULL,",
            " ", Rec::afterFinishing, " INTEGER NOT NULL DEFAULT 0,",
            " ", Rec::exceptions, " TEXT NOT NULL DEFAULT '',",
            " ", Rec::moved, " TEXT NOT NULL DEFAULT '')"),
        sql("CREATE TRIGGER ChoreRecurrenceGone AFTER DELETE ON ", C::table, " BEGIN",
            " DELETE FROM ", Rec::table, " WHERE ", Rec::chore, " = old.", C::id, "; END"),
        QString(sql("CREATE TRIGGER ChoreRecurrenceInsert AFTER INSERT ON ", Rec::table, " BEGIN %1 END")).arg(touchNew),
        QString(sql("CREATE TRIGGER ChoreRecurrenceUpdate AFTER UPDATE ON ", Rec::table, " BEGIN %1 END")).arg(touchNew),
        QString(sql("CREATE TRIGGER ChoreRecurrenceDelete AFTER DELETE ON ", Rec::table, " BEGIN %1 END")).arg(touchOld),
    };
}

} // namespace

QStringList S3::createStatements()
{
    return S2::createStatements() + recurrenceStatements();
}

QStringList S3::stageFromS2()
{
    return recurrenceStatements();
}

namespace {

QStringList seriesStatements()
{
    // A copy linked or relinked is a change of it for sync: the link goes up with it.
    const QString touch = QString(kTouch).arg(sql("new.", L::chore).latin1());
    return {
        sql("CREATE TABLE ", L::table, " (", L::chore, " INTEGER PRIMARY KEY, ", L::series, " TEXT NOT NULL)"),
        // A series' history is read by its UID.
        sql("CREATE INDEX ", L::bySeriesIndex, " ON ", L::table, " (", L::series, ")"),
        sql("CREATE TRIGGER ChoreSeriesGone AFTER DELETE ON ", C::table, " BEGIN",
            " DELETE FROM ", L::table, " WHERE ", L::chore, " = old.", C::id, "; END"),
        QString(sql("CREATE TRIGGER ChoreSeriesInsert AFTER INSERT ON ", L::table, " BEGIN %1 END")).arg(touch),
        QString(sql("CREATE TRIGGER ChoreSeriesUpdate AFTER UPDATE ON ", L::table, " BEGIN %1 END")).arg(touch),
        // A series that sync gives another UID (the server's, or a new one when the server lost
        // it) takes its copies along.
        sql("CREATE TRIGGER ChoreSeriesRenamed AFTER UPDATE OF ", R::uid, " ON ", R::table, " WHEN new.", R::uid,
            " != old.", R::uid, " BEGIN UPDATE ", L::table, " SET ", L::series, " = new.", R::uid, " WHERE ", L::series,
            " = old.", R::uid, "; END"),
    };
}

} // namespace

QStringList S4::createStatements()
{
    return S3::createStatements() + seriesStatements();
}

QStringList S4::stageFromS3()
{
    return seriesStatements();
}

namespace {

QStringList peopleStatements()
{
    // Who a chore is for goes up with it, as how it repeats does.
    const QString touchNew = QString(kTouch).arg(sql("new.", P::chore).latin1());
    const QString touchOld = QString(kTouch).arg(sql("old.", P::chore).latin1());
    return {
        sql("CREATE TABLE ", P::table, " (",
            " ", P::chore, " INTEGER PRIMARY KEY,",
            " ", P::assignee, " TEXT NOT NULL DEFAULT '',",
            " ", P::turns, " TEXT NOT NULL DEFAULT '',",
            " ", P::finishedBy, " TEXT NOT NULL DEFAULT '',",
            " ", P::finishedAt, " INTEGER)"),
        sql("CREATE INDEX ", P::byFinisherIndex, " ON ", P::table, " (", P::finishedBy, ", ", P::finishedAt, ")"),
        sql("CREATE TABLE ", M::table, " (", M::name, " TEXT PRIMARY KEY)"),
        sql("CREATE TRIGGER ChorePeopleGone AFTER DELETE ON ", C::table, " BEGIN",
            " DELETE FROM ", P::table, " WHERE ", P::chore, " = old.", C::id, "; END"),
        QString(sql("CREATE TRIGGER ChorePeopleInsert AFTER INSERT ON ", P::table, " BEGIN %1 END")).arg(touchNew),
        // The end date beside the finisher is the chore's own, not a change of it.
        QString(sql("CREATE TRIGGER ChorePeopleUpdate AFTER UPDATE OF ", P::assignee, ", ", P::turns, ", ", P::finishedBy,
                    " ON ", P::table, " BEGIN %1 END")).arg(touchNew),
        sql("CREATE TRIGGER ChorePeopleFinished AFTER UPDATE OF ", C::endDate, " ON ", C::table, " BEGIN UPDATE ", P::table,
            " SET ", P::finishedAt, " = new.", C::endDate, " WHERE ", P::chore, " = new.", C::id, "; END"),
        QString(sql("CREATE TRIGGER ChorePeopleDelete AFTER DELETE ON ", P::table, " BEGIN %1 END")).arg(touchOld),
    };
}

} // namespace

QStringList S5::createStatements()
{
    return S4::createStatements() + peopleStatements();
}

QStringList S5::stageFromS4()
{
    return peopleStatements();
}

QList<ChoresMigrationPlan::Schema> ChoresMigrationPlan::schemas()
{
    return {{S1::version, S1::createStatements()},
            {S2::version, S2::createStatements()},
            {S3::version, S3::createStatements()},
            {S4::version, S4::createStatements()},
            {S5::version, S5::createStatements()}};
}

QList<ChoresMigrationPlan::Stage> ChoresMigrationPlan::stages()
{
    return {{S1::version, S2::version, S2::stageFromS1()},
            {S2::version, S3::version, S3::stageFromS2()},
            {S3::version, S4::version, S4::stageFromS3()},
            {S4::version, S5::version, S5::stageFromS4()}};
}

} // namespace Velmora
