#include "Velmora/Model/ChoreStore.h"

#include "Velmora/Model/ChoreField.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/FileLock.h"
#include "Velmora/Platform/Logging.h"
#include "Velmora/Platform/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QSqlDriver>
#include <QFileInfo>
#include <QPointer>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <optional>

namespace Velmora {

namespace {

namespace C = ChoreSchema::Chores;
namespace R = ChoreSchema::SyncRecords;
namespace Rec = ChoreSchema::Recurrences;
namespace L = ChoreSchema::SeriesLinks;
namespace P = ChoreSchema::People;
namespace M = ChoreSchema::Members;
using ChoreSchema::sql;


// Instants are kept as milliseconds since 1970 UTC. Anything beyond ±100,000 years is not a
// date this app could have written, and reads back as no date.
constexpr qint64 kMaxStoredMs = 100000LL * 366 * 24 * 3600 * 1000;

QDateTime instantFromMs(qint64 ms)
{
    if (ms > kMaxStoredMs || ms < -kMaxStoredMs)
        return {};
    // UTC as a time spec, not as a zone: such a QDateTime keeps its instant inline, where one
    // with a zone allocates its own (three per chore of the store).
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

// A fraction of a millisecond is dropped downwards, so the instant never sorts after the number
// SQLite orders by.
QDateTime instantFromStore(sqlite3_stmt *row, int column)
{
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_INTEGER: return instantFromMs(sqlite3_column_int64(row, column));
    case SQLITE_FLOAT: {
        const double ms = std::floor(sqlite3_column_double(row, column));
        return std::isfinite(ms) && std::abs(ms) <= double(kMaxStoredMs) ? instantFromMs(qint64(ms)) : QDateTime();
    }
    case SQLITE_TEXT: {
        bool ok = false;
        const qint64 ms = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(row, column))).toLongLong(&ok);
        return ok ? instantFromMs(ms) : QDateTime();
    }
    default: return {};
    }
}

// The key the journal orders by: an end date that is no instant sorts below every real one.
qint64 endKey(const Chore *chore)
{
    const QDateTime end = chore->endDateOrInvalid();
    return end.isValid() ? end.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

constexpr auto kSelectStored = sql("SELECT ", C::id, ", ", C::title, ", ", C::colorComponents, ", ", C::startDate, ", ",
                                   C::dueDate, ", ", C::endDate, ", ", C::notify, ", ", C::notificationTime,
                                   " FROM ", C::table, " ");
// The same with each chore's people, read beside it in the same pass rather than looked up one
// chore at a time; no column of the two tables shares a name.
constexpr auto kSelectWithPeople = sql("SELECT ", C::id, ", ", C::title, ", ", C::colorComponents, ", ", C::startDate, ", ",
                                       C::dueDate, ", ", C::endDate, ", ", C::notify, ", ", C::notificationTime, ", ",
                                       P::assignee, ", ", P::turns, ", ", P::finishedBy, " FROM ", C::table, " LEFT JOIN ",
                                       P::table, " ON ", P::chore, " = ", C::id, " ");

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
        ? *static_cast<sqlite3 *const *>(handle.data()) : nullptr;
}

ChoreFields fieldsFromRow(sqlite3_stmt *select)
{
    ChoreFields fields;
    fields.title = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 1)),
                                     sqlite3_column_bytes(select, 1));
    const QByteArray color(reinterpret_cast<const char *>(sqlite3_column_blob(select, 2)), sqlite3_column_bytes(select, 2));
    fields.colorComponents = ColorComponentsModel::decode(color).value_or(ColorComponentsModel::standardRed());
    fields.startDate = instantFromStore(select, 3);
    fields.dueDate = instantFromStore(select, 4);
    if (sqlite3_column_type(select, 5) != SQLITE_NULL)
        fields.endDate = instantFromStore(select, 5);
    fields.notify = sqlite3_column_type(select, 6) == SQLITE_TEXT
        ? QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 6)))).toBool()
        : sqlite3_column_double(select, 6) != 0;
    fields.notificationTime = sqlite3_column_type(select, 7) == SQLITE_NULL ? ChoreFields::defaultNotificationTime : sqlite3_column_double(select, 7);
    return fields;
}

} // namespace

// Each prepared on its first use and kept while the store is open: preparing costs about as much
// as running a single-row write, and a process that only waits for reminders keeps none.
struct ChoreStore::Statements {
    explicit Statements(QSqlDatabase db) : m_db(std::move(db)), m_update(ChoreField::rows.size()) {}

    QSqlQuery &insert()
    {
        return prepared(m_insert, [] {
            QStringList columns;
            for (const ChoreField::Row &row : ChoreField::rows)
                columns << QLatin1String(row.column);
            return QString(sql("INSERT INTO ", C::table, " (%1) VALUES (?%2)"))
                .arg(columns.join(QLatin1String(", ")), QStringLiteral(", ?").repeated(columns.size() - 1));
        });
    }
    QSqlQuery &remove()
    {
        return prepared(m_remove, [] { return QString(sql("DELETE FROM ", C::table, " WHERE ", C::id, " = ?")); });
    }
    QSqlQuery &repeat()
    {
        return prepared(m_repeat, [] {
            return QString(sql("INSERT OR REPLACE INTO ", Rec::table, " (", Rec::chore, ", ", Rec::rule, ", ",
                               Rec::afterFinishing, ", ", Rec::exceptions, ", ", Rec::moved, ") VALUES (?, ?, ?, ?, ?)"));
        });
    }
    QSqlQuery &unrepeat()
    {
        return prepared(m_unrepeat, [] { return QString(sql("DELETE FROM ", Rec::table, " WHERE ", Rec::chore, " = ?")); });
    }
    QSqlQuery &update(Chore::Field field)
    {
        const char *column = ChoreField::rows.at(size_t(field)).column;
        return prepared(m_update.at(size_t(field)), [column] {
            return QString(sql("UPDATE ", C::table, " SET %1 = ? WHERE ", C::id, " = ?")).arg(QLatin1String(column));
        });
    }

private:
    template <typename Text>
    QSqlQuery &prepared(std::optional<QSqlQuery> &query, Text text)
    {
        if (!query) {
            query.emplace(m_db);
            query->prepare(text());
        }
        return *query;
    }

    QSqlDatabase m_db;
    std::optional<QSqlQuery> m_insert;
    std::optional<QSqlQuery> m_remove;
    std::optional<QSqlQuery> m_repeat;
    std::optional<QSqlQuery> m_unrepeat;
    std::vector<std::optional<QSqlQuery>> m_update;
};

QString ChoreStore::copyBeforeMigration(const QString &path, SchemaVersion from)
{
    return QStringLiteral("%1.%2.%3.%4.bak").arg(path).arg(from.major).arg(from.minor).arg(from.patch);
}

ChoreStore::ChoreStore(QObject *parent)
    : QObject(parent), m_connection(QStringLiteral("velmora-store-%1").arg(quintptr(this), 0, 16))
{
}

ChoreStore::~ChoreStore()
{
    m_statements.reset();
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString ChoreStore::openLockPath(const QString &path)
{
    return path + QStringLiteral(".open.lock");
}

QString ChoreStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/chores.sqlite");
}

bool ChoreStore::fail(const QString &error, Failure kind)
{
    m_lastError = error;
    m_lastFailure = kind;
    qCWarning(logStore).noquote() << error;
    emit writeFailed(error);
    return false;
}

bool ChoreStore::failWrite(const QString &error)
{
    sqlite3 *sqlite = sqliteHandle(QSqlDatabase::database(m_connection, false));
    Failure kind = Failure::Other;
    switch (sqlite ? sqlite3_extended_errcode(sqlite) & 0xff : SQLITE_OK) {
    case SQLITE_FULL: kind = Failure::DiskFull; break;
    case SQLITE_READONLY: kind = Failure::ReadOnly; break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: kind = Failure::Damaged; break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: kind = Failure::Busy; break;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        // SQLite calls a write that found no room at all an I/O error; errno knows better.
        switch (sqlite3_system_errno(sqlite)) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG: kind = Failure::DiskFull; break;
        case EROFS:
        case EACCES:
        case EPERM: kind = Failure::ReadOnly; break;
        default: kind = Failure::DiskError; break;
        }
        break;
    default: break;
    }
    return fail(error, kind);
}

ChoreStore::OpenResult ChoreStore::open(const QString &path)
{
    m_path = path;
    // SQLite would follow any of them, and write through it.
    for (const QString &file : {path, path + QLatin1String("-wal"), path + QLatin1String("-shm"),
                                path + QLatin1String("-journal"), openLockPath(path)}) {
        if (PrivateFiles::isLink(file)) {
            m_lastError = PrivateFiles::linkRefused(file);
            return OpenResult::Link;
        }
    }
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || !info.isReadable() || !info.isWritable()))
        return OpenResult::Unreadable;
    if (!PrivateFiles::makeFolder(info.absolutePath()))
        return OpenResult::CannotCreate;

    // Two processes starting at once must not both create, copy aside or migrate the file: the
    // second waits here for the first and then opens what it left.
    // A migration of a large file may outlast any age limit; the kernel lets go of a dead holder's lock.
    FileLock lock(openLockPath(path));
    if (const FileLock::Result locked = lock.tryLock(std::chrono::milliseconds(openWaitMs)); locked != FileLock::Result::Locked) {
        m_lastError = QStringLiteral("Another process is opening the store");
        return locked == FileLock::Result::Held ? OpenResult::Busy : OpenResult::CannotCreate;
    }
    const bool existed = QFileInfo::exists(path);
    // SQLite gives the log and its index the mode of the file itself, so the file is made here.
    if (!PrivateFiles::makeFile(path))
        return existed ? OpenResult::Unreadable : OpenResult::CannotCreate;
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        PrivateFiles::tighten(path + QLatin1String(suffix));
    for (const auto &schema : ChoresMigrationPlan::schemas())
        PrivateFiles::tighten(copyBeforeMigration(path, schema.version));
    return openLocked(path, existed);
}

// Each step stops at the first thing it cannot do. Nothing is written to the file before it
// has been read as a store of a schema this app knows.
ChoreStore::OpenResult ChoreStore::openLocked(const QString &path, bool existed)
{
    const OpenResult cannotOpen = existed ? OpenResult::Unreadable : OpenResult::CannotCreate;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    // A reader such as the widget program may hold the file for a moment; waiting longer would freeze the UI.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return cannotOpen;
    }
    FoundSchema found;
    OpenResult result = detectSchema(found);
    if (result == OpenResult::Opened)
        result = found.version == 0 ? createLatest(cannotOpen) : openExisting(found, cannotOpen);
    if (result != OpenResult::Opened)
        return result;
    m_statements = std::make_unique<Statements>(db);
    m_open = true;
    return OpenResult::Opened;
}

// What the file is, read without writing to it: an empty file, or a store of a schema this app
// knows whose chores have every column.
ChoreStore::OpenResult ChoreStore::detectSchema(FoundSchema &found)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        m_lastError = query.lastError().text();
        return OpenResult::Corrupt;
    }
    found.version = query.value(0).toInt();
    const auto schemas = ChoresMigrationPlan::schemas();
    const bool known = std::any_of(schemas.cbegin(), schemas.cend(),
                                   [&found](const auto &schema) { return schema.version.encoded() == found.version; });
    if (found.version > ChoresMigrationPlan::latest().encoded())
        return OpenResult::NewerSchema;
    if (found.version != 0 && !known)
        return OpenResult::ForeignSchema;

    if (!query.exec(sql("SELECT count(*), count(CASE WHEN type = 'index' AND name = '", C::endDateIndex, "' THEN 1 END)"
                        " FROM sqlite_master")) || !query.next()) {
        m_lastError = query.lastError().text();
        return OpenResult::Corrupt;
    }
    found.indexed = query.value(1).toInt() > 0;
    if (found.version == 0)
        return query.value(0).toInt() > 0 ? OpenResult::ForeignSchema : OpenResult::Opened;
    m_recurrenceTable = found.version >= S3::version.encoded();
    m_peopleTable = found.version >= S5::version.encoded();
    QSet<QString> columns;
    if (!query.exec(sql("PRAGMA table_info(", C::table, ")")))
        return OpenResult::Corrupt;
    while (query.next())
        columns.insert(query.value(1).toString());
    const bool complete = std::all_of(ChoreField::rows.cbegin(), ChoreField::rows.cend(), [&columns](const ChoreField::Row &row) {
        return columns.contains(QLatin1String(row.column));
    });
    return complete ? OpenResult::Opened : OpenResult::Corrupt;
}

// A new file: the latest schema and its version in one transaction.
ChoreStore::OpenResult ChoreStore::createLatest(OpenResult cannotOpen)
{
    if (!useWriteAheadLog())
        return cannotOpen;
    const auto schema = ChoresMigrationPlan::schemas().constLast();
    const OpenResult created = changeSchema(schema.createStatements + QStringList{ChoreSchema::createEndDateIndex()}, {},
                                            schema.version, OpenResult::CannotCreate);
    if (created != OpenResult::Opened)
        return created;
    m_recurrenceTable = true;
    m_peopleTable = true;
    if (!load())
        return OpenResult::Corrupt;
    // What it has just written itself needs no check.
    m_check = Check::Sound;
    return OpenResult::Opened;
}

ChoreStore::OpenResult ChoreStore::openExisting(const FoundSchema &found, OpenResult cannotOpen)
{
    // The chores kept in memory are read before the first write, so a file damaged where they
    // lie is still left exactly as it was.
    if (!load() || (!found.indexed && !addEndDateIndex()))
        return OpenResult::Corrupt;
    if (!useWriteAheadLog())
        return cannotOpen;
    const SchemaVersion version = SchemaVersion::decode(found.version);
    return version == ChoresMigrationPlan::latest() ? OpenResult::Opened : migrate(version);
}

// A file written before the index existed gets it now; an older build still opens the file, and
// SQLite keeps the index up to date for it too. The file is checked whole first: building the
// index reads every row anyway, and writes to the file.
bool ChoreStore::addEndDateIndex()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()
        || query.value(0).toString() != QLatin1String("ok")) {
        m_lastError = query.lastError().text();
        return false;
    }
    m_check = Check::Sound;
    if (!query.exec(ChoreSchema::createEndDateIndex())) {
        m_lastError = query.lastError().text();
        return false;
    }
    return true;
}

// WAL with normal syncing: every commit survives a killed process, and commits stay cheap.
bool ChoreStore::useWriteAheadLog()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    return query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
}

// A sound file is copied aside whole once, then taken through each stage to the latest schema,
// each stage in a transaction of its own: one that fails leaves the file at the schema the
// stage before reached, which this app still reads, and the copy as it was.
ChoreStore::OpenResult ChoreStore::migrate(SchemaVersion from)
{
    if (!checkedBeforeWrite())
        return OpenResult::Corrupt;
    if (!copyAside(from))
        return OpenResult::Unreadable;
    SchemaVersion reached = from;
    for (const auto &stage : ChoresMigrationPlan::stages()) {
        if (stage.from != reached)
            continue;
        const OpenResult migrated = changeSchema(stage.statements, stage.from, stage.to, OpenResult::Corrupt);
        if (migrated != OpenResult::Opened)
            return migrated;
        reached = stage.to;
    }
    m_recurrenceTable = true;
    m_peopleTable = true;
    // Migrated rows are read again in their new form.
    return load() ? OpenResult::Opened : OpenResult::Corrupt;
}

// VACUUM INTO cannot run inside a transaction; the lock beside the file keeps other starts out
// until the migration is done.
bool ChoreStore::copyAside(SchemaVersion from)
{
    const QString copy = copyBeforeMigration(m_path, from);
    QFile::remove(copy);
    // VACUUM INTO keeps the mode of an empty file it is given.
    QSqlQuery vacuum(QSqlDatabase::database(m_connection, false));
    vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
    vacuum.addBindValue(copy);
    if (!PrivateFiles::makeFile(copy) || !vacuum.exec()) {
        m_lastError = vacuum.lastError().text();
        return false;
    }
    return true;
}

// The version is read again inside the transaction that changes the schema, so no writer that
// does not take the lock beside the file can change it in between.
ChoreStore::OpenResult ChoreStore::changeSchema(const QStringList &statements, SchemaVersion from, SchemaVersion to,
                                                OpenResult failed)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    const auto abandon = [&](const QString &error, OpenResult result) {
        m_lastError = error;
        query.exec(QStringLiteral("ROLLBACK"));
        return result;
    };
    if (!query.exec(QStringLiteral("BEGIN EXCLUSIVE")) || !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return abandon(query.lastError().text(), failed);
    if (query.value(0).toInt() != from.encoded())
        return abandon(QStringLiteral("Another program changed the store while it was opened"), OpenResult::Busy);
    for (const QString &statement : statements + QStringList{QStringLiteral("PRAGMA user_version = %1").arg(to.encoded())}) {
        if (!query.exec(statement))
            return abandon(query.lastError().text(), failed);
    }
    return query.exec(QStringLiteral("COMMIT")) ? OpenResult::Opened : abandon(query.lastError().text(), failed);
}

void ChoreStore::unload()
{
    qDeleteAll(m_chores);
    m_chores.clear();
    m_byId.clear();
    m_recurrences.clear();
    m_unread.clear();
    m_people.clear();
    m_handMembers.clear();
}

bool ChoreStore::select(const char *sql, std::initializer_list<qint64> parameters,
                        const std::function<bool(qint64, ChoreFields &&)> &row, QHash<qint64, ChorePeople> *people) const
{
    // Going straight to SQLite's handle skips a QVariant per value, which is most of the cost
    // of reading many rows.
    sqlite3 *sqlite = sqliteHandle(QSqlDatabase::database(m_connection, false));
    if (!sqlite) {
        m_lastError = QStringLiteral("The store is not open");
        return false;
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(sqlite, sql, -1, &statement, nullptr) != SQLITE_OK) {
        m_lastError = QString::fromUtf8(sqlite3_errmsg(sqlite));
        return false;
    }
    int index = 0;
    for (const qint64 value : parameters)
        sqlite3_bind_int64(statement, ++index, value);
    int status;
    const auto text = [statement](int column) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                                 sqlite3_column_bytes(statement, column));
    };
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        // Most chores have no row of people: the join gives NULL.
        if (people && sqlite3_column_count(statement) > 10 && sqlite3_column_type(statement, 8) != SQLITE_NULL)
            people->insert(sqlite3_column_int64(statement, 0), {text(8), ChorePeople::decodeTurns(text(9)), text(10)});
        if (!row(sqlite3_column_int64(statement, 0), fieldsFromRow(statement))) {
            status = SQLITE_DONE;
            break;
        }
    }
    if (status != SQLITE_DONE)
        m_lastError = QString::fromUtf8(sqlite3_errmsg(sqlite));
    sqlite3_finalize(statement);
    return status == SQLITE_DONE;
}

// Replaces what is in memory with the active chores, those whose end date cannot be ordered
// as a number and the newest finished ones; on failure nothing stays loaded.
bool ChoreStore::load()
{
    unload();
    // Text and blobs sort above every number in SQLite, so the first range holds them too.
    static constexpr auto query = sql(kSelectStored, "WHERE ", C::endDate, " IS NULL UNION ALL ", kSelectStored, "WHERE ",
                                      C::endDate, " > ?1 UNION ALL ", kSelectStored, "WHERE ", C::endDate, " < ?2");
    static constexpr auto withPeople = sql(kSelectWithPeople, "WHERE ", C::endDate, " IS NULL UNION ALL ",
                                           kSelectWithPeople, "WHERE ", C::endDate, " > ?1 UNION ALL ", kSelectWithPeople,
                                           "WHERE ", C::endDate, " < ?2");
    const char *text = m_peopleTable ? withPeople.data() : query.data();
    const bool read = select(text, {kMaxStoredMs, -kMaxStoredMs}, [this](qint64 id, ChoreFields &&fields) {
        auto *chore = new Chore(Chore::StoreKey(), this, id, std::move(fields));
        m_chores.push_back(chore);
        m_byId.insert(id, chore);
        return true;
    }, &m_people);
    m_finishedFloor = kMaxStoredMs + 1;
    if (!read || !fillFinished()) {
        unload();
        return false;
    }
    std::sort(m_chores.begin(), m_chores.end(),
              [](const Chore *a, const Chore *b) { return a->persistentId() < b->persistentId(); });
    if (!loadRecurrences() || !loadMembers()) {
        unload();
        return false;
    }
    return true;
}

Recurrence ChoreStore::recurrence(qint64 persistentId) const
{
    const auto unread = m_unread.constFind(persistentId);
    if (unread != m_unread.cend()) {
        Recurrence &r = m_recurrences[persistentId];
        r.exceptions = Recurrence::decodeDays(QString::fromUtf8(unread->first));
        r.moved = Recurrence::decodeMoved(QString::fromUtf8(unread->second));
        m_unread.erase(unread);
    }
    return m_recurrences.value(persistentId);
}

QList<qint64> ChoreStore::rulesContaining(QLatin1String text) const
{
    QList<qint64> ids;
    for (auto it = m_recurrences.cbegin(); it != m_recurrences.cend(); ++it) {
        if (it->rule.contains(text, Qt::CaseInsensitive))
            ids << it.key();
    }
    return ids;
}

bool ChoreStore::loadRecurrences()
{
    m_recurrences.clear();
    m_unread.clear();
    if (!m_recurrenceTable)
        return true;
    sqlite3 *sqlite = sqliteHandle(QSqlDatabase::database(m_connection, false));
    sqlite3_stmt *statement = nullptr;
    if (!sqlite
        || sqlite3_prepare_v2(sqlite,
                              sql("SELECT ", Rec::chore, ", ", Rec::rule, ", ", Rec::afterFinishing, ", ", Rec::exceptions,
                                  ", ", Rec::moved, " FROM ", Rec::table).data(),
                              -1, &statement, nullptr) != SQLITE_OK) {
        m_lastError = sqlite ? QString::fromUtf8(sqlite3_errmsg(sqlite)) : QStringLiteral("The store is not open");
        return false;
    }
    const auto bytes = [statement](int column) {
        return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                          sqlite3_column_bytes(statement, column));
    };
    const auto text = [&bytes](int column) { return QString::fromUtf8(bytes(column)); };
    int status;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        Recurrence recurrence;
        recurrence.rule = text(1);
        recurrence.afterFinishing = sqlite3_column_int(statement, 2) != 0;
        if (!recurrence.repeats())
            continue;
        const qint64 id = sqlite3_column_int64(statement, 0);
        // Only what the sync read from a server has these; most rows leave them empty.
        if (sqlite3_column_bytes(statement, 3) > 0 || sqlite3_column_bytes(statement, 4) > 0)
            m_unread.insert(id, {bytes(3), bytes(4)});
        m_recurrences.insert(id, std::move(recurrence));
    }
    if (status != SQLITE_DONE)
        m_lastError = QString::fromUtf8(sqlite3_errmsg(sqlite));
    sqlite3_finalize(statement);
    return status == SQLITE_DONE;
}

bool ChoreStore::bindRecurrence(qint64 id, const Recurrence &recurrence)
{
    QSqlQuery &query = m_statements->repeat();
    query.bindValue(0, id);
    query.bindValue(1, recurrence.rule);
    query.bindValue(2, recurrence.afterFinishing ? 1 : 0);
    query.bindValue(3, Recurrence::encodeDays(recurrence.exceptions));
    query.bindValue(4, Recurrence::encodeMoved(recurrence.moved));
    return query.exec();
}

bool ChoreStore::setRecurrence(WriteKey, Chore *chore, const Recurrence &recurrence)
{
    if (!holds(chore))
        return failNotHeld();
    const qint64 id = chore->persistentId();
    const Recurrence old = this->recurrence(id);
    // Every rule that never repeats is the same "never".
    if (recurrence == old || (!recurrence.repeats() && !old.repeats()))
        return true;
    if (!checkedBeforeWrite())
        return false;
    QSqlQuery &query = recurrence.repeats() ? m_statements->repeat() : m_statements->unrepeat();
    query.bindValue(0, id);
    if (recurrence.repeats() ? !bindRecurrence(id, recurrence) : !query.exec())
        return failWrite(query.lastError().text());
    const auto put = [this, id](const Recurrence &value) {
        if (value.repeats())
            m_recurrences.insert(id, value);
        else
            m_recurrences.remove(id);
    };
    const auto announce = [this](Chore *of) {
        of->notifyRecurrence(Chore::StoreKey());
        emit recurrenceChanged(of);
    };
    if (m_undo) {
        m_undo->push_back([put, announce, chore = QPointer<Chore>(chore), old] {
            put(old);
            if (chore)
                announce(chore);
        });
    }
    put(recurrence);
    announce(chore);
    return true;
}

bool ChoreStore::linkToSeries(WriteKey key, Chore *copy, const Chore *series)
{
    if (!holds(copy) || !holds(series))
        return failNotHeld();
    return checkedBeforeWrite() && linkStored(key, copy->persistentId(), series->persistentId());
}

bool ChoreStore::linkStored(WriteKey, qint64 copy, qint64 series)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(sql("INSERT OR IGNORE INTO ", L::table, " (", L::chore, ", ", L::series, ") SELECT ?, ", R::uid, " FROM ",
                      R::table, " WHERE ", R::chore, " = ?"));
    query.addBindValue(copy);
    query.addBindValue(series);
    return query.exec() || failWrite(query.lastError().text());
}

QHash<qint64, qint64> ChoreStore::seriesLinks() const
{
    QHash<qint64, qint64> links;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (m_open && query.exec(sql("SELECT ", L::table, ".", L::chore, ", ", R::table, ".", R::chore, " FROM ", L::table,
                                 " JOIN ", R::table, " ON ", R::table, ".", R::uid, " = ", L::table, ".", L::series,
                                 " WHERE ", R::table, ".", R::deleted, " = 0"))) {
        while (query.next())
            links.insert(query.value(0).toLongLong(), query.value(1).toLongLong());
    }
    return links;
}

bool ChoreStore::linkToSeries(WriteKey, Chore *copy, const QString &seriesUid)
{
    if (!holds(copy))
        return failNotHeld();
    if (seriesUid.isEmpty())
        return true;
    if (!checkedBeforeWrite())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(sql("INSERT OR IGNORE INTO ", L::table, " (", L::chore, ", ", L::series, ") VALUES (?, ?)"));
    query.addBindValue(copy->persistentId());
    query.addBindValue(seriesUid);
    return query.exec() || failWrite(query.lastError().text());
}

QString ChoreStore::seriesOf(qint64 copy) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(sql("SELECT ", L::series, " FROM ", L::table, " WHERE ", L::chore, " = ?"));
    query.addBindValue(copy);
    return m_open && query.exec() && query.next() ? query.value(0).toString() : QString();
}

QList<ChoreStore::Occurrence> ChoreStore::lastOccurrences(qint64 series, int count) const
{
    QList<Occurrence> found;
    sqlite3 *sqlite = m_open ? sqliteHandle(QSqlDatabase::database(m_connection, false)) : nullptr;
    sqlite3_stmt *statement = nullptr;
    if (!sqlite || count <= 0
        || sqlite3_prepare_v2(sqlite,
                              sql("SELECT ", C::table, ".", C::dueDate, ", ", C::table, ".", C::endDate, ", ", C::table, ".",
                                  C::id, " FROM ", L::table,
                                  " JOIN ", C::table, " ON ", C::table, ".", C::id, " = ", L::table, ".", L::chore,
                                  " WHERE ", L::table, ".", L::series, " = (SELECT ", R::uid, " FROM ", R::table, " WHERE ",
                                  R::chore, " = ?1)",
                                  " AND ", C::table, ".", C::endDate, " IS NOT NULL ORDER BY ", C::table, ".", C::endDate,
                                  " DESC LIMIT ?2").data(),
                              -1, &statement, nullptr) != SQLITE_OK)
        return found;
    sqlite3_bind_int64(statement, 1, series);
    sqlite3_bind_int(statement, 2, count);
    QList<qint64> copies;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        found.append({instantFromStore(statement, 0), instantFromStore(statement, 1)});
        copies.append(sqlite3_column_int64(statement, 2));
    }
    sqlite3_finalize(statement);
    // A dozen at most, each by its key.
    for (qsizetype i = 0; i < found.size(); ++i)
        found[i].finishedBy = people(copies.at(i)).finishedBy;
    return found;
}

// Reads finished chores older than those in memory, newest first, until at least
// finishedInMemory of the chores in memory end at or after the oldest read (leaving aside one
// about to go), together with every other chore ending at that same instant.
bool ChoreStore::fillFinished(const Chore *leaving)
{
    if (m_finishedFloor <= -kMaxStoredMs)
        return true;
    const auto held = std::count_if(m_chores.cbegin(), m_chores.cend(), [this, leaving](const Chore *chore) {
        return chore != leaving && chore->isFinished() && endKey(chore) >= m_finishedFloor;
    });
    if (held >= finishedInMemory)
        return true;

    sqlite3 *sqlite = sqliteHandle(QSqlDatabase::database(m_connection, false));
    sqlite3_stmt *cut = nullptr;
    if (!sqlite
        || sqlite3_prepare_v2(sqlite,
                              sql("SELECT ", C::endDate, " FROM ", C::table, " WHERE ", C::endDate, " >= ?1 AND ", C::endDate,
                                  " < ?2 ORDER BY ", C::endDate, " DESC LIMIT 1 OFFSET ?3").data(),
                              -1, &cut, nullptr) != SQLITE_OK) {
        m_lastError = sqlite ? QString::fromUtf8(sqlite3_errmsg(sqlite)) : QStringLiteral("The store is not open");
        return false;
    }
    sqlite3_bind_int64(cut, 1, -kMaxStoredMs);
    sqlite3_bind_int64(cut, 2, m_finishedFloor);
    sqlite3_bind_int64(cut, 3, finishedInMemory - held - 1);
    // With fewer rows than wanted left, all of them are read.
    qint64 floor = -kMaxStoredMs;
    const int status = sqlite3_step(cut);
    if (status == SQLITE_ROW) {
        floor = sqlite3_column_type(cut, 0) == SQLITE_INTEGER ? sqlite3_column_int64(cut, 0)
                                                              : qint64(std::floor(sqlite3_column_double(cut, 0)));
    } else if (status != SQLITE_DONE) {
        m_lastError = QString::fromUtf8(sqlite3_errmsg(sqlite));
    }
    sqlite3_finalize(cut);
    if (status != SQLITE_ROW && status != SQLITE_DONE)
        return false;

    QList<Chore *> read;
    static constexpr auto query = sql(kSelectStored, "WHERE ", C::endDate, " >= ?1 AND ", C::endDate, " < ?2");
    static constexpr auto withPeople = sql(kSelectWithPeople, "WHERE ", C::endDate, " >= ?1 AND ", C::endDate, " < ?2");
    QHash<qint64, ChorePeople> people;
    const char *text = m_peopleTable ? withPeople.data() : query.data();
    const bool ok = select(text, {floor, m_finishedFloor}, [this, &read](qint64 id, ChoreFields &&fields) {
        if (m_byId.contains(id))
            return true;
        auto *chore = new Chore(Chore::StoreKey(), this, id, std::move(fields));
        m_chores.push_back(chore);
        m_byId.insert(id, chore);
        read.append(chore);
        return true;
    }, &people);
    // What was read is kept either way; the floor drops only once everything above it is in.
    if (ok)
        m_finishedFloor = floor;
    for (const Chore *chore : read) {
        if (const auto found = people.constFind(chore->persistentId()); found != people.cend())
            m_people.insert(found.key(), *found);
    }
    if (m_open && !read.isEmpty())
        emit loaded(read);
    return ok;
}

bool ChoreStore::forEachStored(const std::function<bool(qint64, const ChoreFields &)> &visit, StoredRows rows) const
{
    if (!m_open) {
        m_lastError = QStringLiteral("The store is not open");
        return false;
    }
    static constexpr auto active = sql(kSelectStored, "WHERE ", C::endDate, " IS NULL ORDER BY ", C::id);
    static constexpr auto all = sql(kSelectStored, "ORDER BY ", C::id);
    return select(rows == StoredRows::Active ? active.data() : all.data(), {}, [this, &visit](qint64 id, ChoreFields &&fields) {
        // A chore in memory is given as the screens see it, with any value the file cannot hold (NaN).
        const Chore *held = m_byId.value(id);
        return visit(id, held ? held->fields() : fields);
    });
}

std::optional<ChoreFields> ChoreStore::stored(qint64 persistentId) const
{
    if (const Chore *held = m_byId.value(persistentId))
        return held->fields();
    std::optional<ChoreFields> found;
    static constexpr auto query = sql(kSelectStored, "WHERE ", C::id, " = ?1");
    select(query.data(), {persistentId}, [&found](qint64, ChoreFields &&fields) {
        found = std::move(fields);
        return false;
    });
    return found;
}

Chore *ChoreStore::bringIn(WriteKey, qint64 persistentId)
{
    if (Chore *held = m_byId.value(persistentId))
        return held;
    std::optional<ChoreFields> fields = m_open ? stored(persistentId) : std::nullopt;
    if (!fields)
        return nullptr;
    auto *chore = new Chore(Chore::StoreKey(), this, persistentId, std::move(*fields));
    m_chores.push_back(chore);
    m_byId.insert(persistentId, chore);
    readPeople({chore});
    emit loaded({chore});
    return chore;
}

// Checking the whole file costs time in proportion to it, so it is done once, before the
// first write rather than at opening: damage found then fails that write and every later
// one, and nothing is written over a damaged file.
bool ChoreStore::checkedBeforeWrite()
{
    if (m_check == Check::Sound)
        return true;
    if (m_check == Check::Damaged)
        return fail(QStringLiteral("The store file is damaged; nothing more is written to it"), Failure::Damaged);
    QSqlQuery check(QSqlDatabase::database(m_connection, false));
    if (!check.exec(QStringLiteral("PRAGMA quick_check(1)")) || !check.next())
        return failWrite(check.lastError().text()); // checked again at the next write
    if (check.value(0).toString() != QLatin1String("ok")) {
        m_check = Check::Damaged;
        return fail(QStringLiteral("The store file is damaged: %1").arg(check.value(0).toString()), Failure::Damaged);
    }
    m_check = Check::Sound;
    return true;
}

bool ChoreStore::bindInsert(const ChoreFields &fields)
{
    QSqlQuery &query = m_statements->insert();
    for (const ChoreField::Row &row : ChoreField::rows)
        query.bindValue(int(row.field), ChoreField::stored(row.field, fields));
    // A new row's blank title is the column's own default, never NULL.
    if (fields.title.isNull())
        query.bindValue(int(Chore::Field::Title), QString(QLatin1String("")));
    return query.exec();
}

Chore *ChoreStore::insert(WriteKey, const ChoreFields &fields)
{
    if (!m_open) {
        fail(QStringLiteral("The store is not open"));
        return nullptr;
    }
    if (!checkedBeforeWrite())
        return nullptr;
    QSqlQuery &query = m_statements->insert();
    if (!bindInsert(fields)) {
        failWrite(query.lastError().text());
        return nullptr;
    }
    const qint64 id = query.lastInsertId().toLongLong();
    auto *chore = new Chore(Chore::StoreKey(), this, id, fields);
    m_chores.push_back(chore);
    m_byId.insert(id, chore);
    if (m_undo) {
        m_undo->push_back([this, chore, id] {
            emit aboutToRemove(chore);
            m_byId.remove(id);
            m_chores.erase(std::remove(m_chores.begin(), m_chores.end(), chore), m_chores.end());
            emit removed(id);
            chore->deleteLater();
        });
    }
    emit inserted(chore);
    return chore;
}

std::optional<std::vector<Chore *>> ChoreStore::insertAll(WriteKey, const QList<ChoreFields> &fields,
                                                          const QList<Recurrence> &recurrences,
                                                          const std::function<bool(const std::vector<qint64> &)> &alsoWrite)
{
    if (!m_open) {
        fail(QStringLiteral("The store is not open"));
        return std::nullopt;
    }
    if (fields.isEmpty())
        return std::vector<Chore *>();
    if (!checkedBeforeWrite())
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        failWrite(db.lastError().text());
        return std::nullopt;
    }
    QSqlQuery &query = m_statements->insert();
    std::vector<qint64> ids;
    ids.reserve(size_t(fields.size()));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (!bindInsert(fields.at(i))) {
            // Told before the rollback, which would take SQLite's error code with it.
            failWrite(query.lastError().text());
            db.rollback();
            return std::nullopt;
        }
        ids.push_back(query.lastInsertId().toLongLong());
        if (i < recurrences.size() && recurrences.at(i).repeats() && !bindRecurrence(ids.back(), recurrences.at(i))) {
            failWrite(m_statements->repeat().lastError().text());
            db.rollback();
            return std::nullopt;
        }
    }
    if (alsoWrite && !alsoWrite(ids)) {
        db.rollback();
        return std::nullopt;
    }
    if (!db.commit()) {
        failWrite(db.lastError().text());
        db.rollback();
        return std::nullopt;
    }
    // Objects exist only for rows that are committed, so no observer sees a chore that is rolled back.
    std::vector<Chore *> added;
    added.reserve(ids.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        auto *chore = new Chore(Chore::StoreKey(), this, ids[size_t(i)], fields.at(i));
        if (i < recurrences.size() && recurrences.at(i).repeats())
            m_recurrences.insert(chore->persistentId(), recurrences.at(i));
        m_chores.push_back(chore);
        m_byId.insert(chore->persistentId(), chore);
        added.push_back(chore);
    }
    // Only what was written beside them can have given them people (a restore).
    if (alsoWrite)
        readPeople(added);
    for (Chore *chore : added)
        emit inserted(chore);
    return added;
}

bool ChoreStore::assign(WriteKey, Chore *chore, Chore::Field field, const ChoreFields &values)
{
    if (!holds(chore))
        return failNotHeld();
    if (ChoreField::same(field, chore->fields(), values))
        return true;
    if (!checkedBeforeWrite())
        return false;
    QSqlQuery &query = m_statements->update(field);
    query.bindValue(0, ChoreField::stored(field, values));
    query.bindValue(1, chore->persistentId());
    if (!query.exec())
        return failWrite(query.lastError().text());
    // Another process deleted the chore since it was read: the edit has nowhere to go.
    if (query.numRowsAffected() == 0)
        return fail(QStringLiteral("The chore was deleted elsewhere"), Failure::NotStored);
    if (m_undo) {
        m_undo->push_back([this, chore = QPointer<Chore>(chore), field, old = chore->fields()] {
            if (chore && chore->take(Chore::StoreKey(), field, old))
                announce(chore, field);
        });
    }
    chore->take(Chore::StoreKey(), field, values);
    announce(chore, field);
    return true;
}

void ChoreStore::announce(Chore *chore, Chore::Field field)
{
    // An end date moved back may leave fewer of the newest finished chores in memory.
    if (field == Chore::Field::EndDate)
        fillFinished();
    emit changed(chore, field);
}

bool ChoreStore::transaction(WriteKey, const std::function<bool()> &writes)
{
    // Inside another: part of it, committed or taken back with it.
    if (m_open && m_undo)
        return writes();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!m_open)
        return fail(QStringLiteral("The store cannot start a transaction now"));
    if (!checkedBeforeWrite())
        return false;
    if (!db.transaction())
        return failWrite(db.lastError().text());
    std::vector<std::function<void()>> undo;
    std::vector<Chore *> removals;
    m_undo = &undo;
    m_removals = &removals;
    bool ok = writes();
    m_undo = nullptr;
    m_removals = nullptr;
    if (ok && !db.commit()) {
        ok = false;
        failWrite(db.lastError().text());
    }
    if (ok) {
        for (Chore *chore : removals)
            forget(chore);
        return true;
    }
    // SQLite may already have ended the transaction itself after an I/O error.
    db.rollback();
    for (auto it = undo.rbegin(); it != undo.rend(); ++it)
        (*it)();
    fillFinished();
    return false;
}

bool ChoreStore::remove(WriteKey, Chore *chore)
{
    if (!holds(chore)
        || (m_removals && std::find(m_removals->cbegin(), m_removals->cend(), chore) != m_removals->cend()))
        return failNotHeld();
    if (!checkedBeforeWrite())
        return false;
    QSqlQuery &query = m_statements->remove();
    query.bindValue(0, chore->persistentId());
    if (!query.exec())
        return failWrite(query.lastError().text());
    // A rollback then has nothing in memory to take back.
    if (m_removals)
        m_removals->push_back(chore);
    else
        forget(chore);
    return true;
}

void ChoreStore::forget(Chore *chore)
{
    // The next older finished chore is in memory before the removal is announced, so a
    // journal takes it into its page in the same step. Not reading it loses nothing stored.
    fillFinished(chore);
    emit aboutToRemove(chore);
    const qint64 id = chore->persistentId();
    m_byId.remove(id);
    m_recurrences.remove(id);
    m_unread.remove(id);
    m_people.remove(id);
    m_chores.erase(std::remove(m_chores.begin(), m_chores.end(), chore), m_chores.end());
    emit removed(id);
    chore->deleteLater();
}

bool ChoreStore::finish(WriteKey key, Chore *chore)
{
    if (!chore)
        return false;
    ChoreFields finished = chore->fields();
    finished.endDate = Clock::current().now();
    return assign(key, chore, Chore::Field::EndDate, finished);
}

} // namespace Velmora
