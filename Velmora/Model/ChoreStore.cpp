#include "Velmora/Model/ChoreStore.h"

#include "Velmora/Platform/Clock.h"

#include <QDir>
#include <QSqlDriver>
#include <QFileInfo>
#include <QPointer>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

#include <sqlite3.h>

#include <algorithm>

namespace Velmora {

namespace {

const QStringList kColumns = {QStringLiteral("title"), QStringLiteral("colorComponents"),
                              QStringLiteral("startDate"), QStringLiteral("dueDate"),
                              QStringLiteral("endDate"), QStringLiteral("notify"),
                              QStringLiteral("notificationTime")};

// Instants are kept as milliseconds since 1970 UTC. Anything beyond ±100,000 years is not a
// date this app could have written, and reads back as no date.
constexpr qint64 kMaxStoredMs = 100000LL * 366 * 24 * 3600 * 1000;

QVariant storedInstant(const QDateTime &date)
{
    if (!date.isValid())
        return QVariant(QMetaType::fromType<qint64>());
    return QVariant(date.toMSecsSinceEpoch());
}

QDateTime instantFromStore(const QVariant &value)
{
    if (value.isNull())
        return {};
    bool ok = false;
    const qint64 ms = value.toLongLong(&ok);
    if (!ok || ms > kMaxStoredMs || ms < -kMaxStoredMs)
        return {};
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
}

} // namespace

// Prepared once per open store: preparing costs about as much as running a single-row write.
struct ChoreStore::Statements {
    explicit Statements(const QSqlDatabase &db) : insert(db), remove(db)
    {
        insert.prepare(QStringLiteral("INSERT INTO Chore (title, colorComponents, startDate, dueDate, endDate,"
                                      " notify, notificationTime) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        remove.prepare(QStringLiteral("DELETE FROM Chore WHERE id = ?"));
        for (int i = 0; i < kColumns.size(); ++i) {
            update.emplace_back(db);
            update.back().prepare(QStringLiteral("UPDATE Chore SET %1 = ? WHERE id = ?").arg(kColumns.at(i)));
        }
    }
    QSqlQuery insert;
    QSqlQuery remove;
    std::vector<QSqlQuery> update;
};

QStringList S1::createStatements()
{
    return {
        QStringLiteral("CREATE TABLE Chore ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " title TEXT DEFAULT '',"
                       " colorComponents TEXT DEFAULT '%1',"
                       " startDate INTEGER,"
                       " dueDate INTEGER,"
                       " endDate INTEGER,"
                       " notify INTEGER DEFAULT 0,"
                       " notificationTime REAL DEFAULT 32400)")
            .arg(QString::fromUtf8(ColorComponentsModel::standardRed().encode())),
    };
}

QList<ChoresMigrationPlan::Schema> ChoresMigrationPlan::schemas()
{
    return {{S1::version, S1::createStatements()}};
}

QList<ChoresMigrationPlan::Stage> ChoresMigrationPlan::stages()
{
    return {};
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

QString ChoreStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/chores.sqlite");
}

bool ChoreStore::fail(const QString &error)
{
    m_lastError = error;
    emit writeFailed(error);
    return false;
}

ChoreStore::OpenResult ChoreStore::open(const QString &path)
{
    m_path = path;
    const QFileInfo info(path);
    const bool existed = info.exists();
    if (existed && (!info.isFile() || !info.isReadable()))
        return OpenResult::Unreadable;
    if (existed && !info.isWritable())
        return OpenResult::Unreadable;
    if (!existed && !QDir().mkpath(info.absolutePath()))
        return OpenResult::CannotCreate;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    // A reader such as the widget program may hold the file for a moment; waiting longer would freeze the UI.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return existed ? OpenResult::Unreadable : OpenResult::CannotCreate;
    }

    // Nothing is written until the file has been read as a store of a schema we know.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        m_lastError = query.lastError().text();
        return OpenResult::Corrupt;
    }
    const int version = query.value(0).toInt();
    const auto schemas = ChoresMigrationPlan::schemas();
    const bool known = std::any_of(schemas.cbegin(), schemas.cend(),
                                   [version](const auto &schema) { return schema.version.encoded() == version; });
    if (version > ChoresMigrationPlan::latest().encoded())
        return OpenResult::NewerSchema;
    if (version != 0 && !known)
        return OpenResult::ForeignSchema;

    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        m_lastError = query.lastError().text();
        return OpenResult::Corrupt;
    }
    const int objects = query.value(0).toInt();
    if (version == 0 && objects > 0)
        return OpenResult::ForeignSchema;
    if (version != 0) {
        if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()
            || query.value(0).toString() != QLatin1String("ok")) {
            m_lastError = query.lastError().text();
            return OpenResult::Corrupt;
        }
        QSet<QString> columns;
        if (!query.exec(QStringLiteral("PRAGMA table_info(Chore)")))
            return OpenResult::Corrupt;
        while (query.next())
            columns.insert(query.value(1).toString());
        for (const QString &column : kColumns) {
            if (!columns.contains(column))
                return OpenResult::Corrupt;
        }
    }

    // Every row is read before the first write, so a file that turns out damaged deep
    // inside is still left exactly as it was.
    if (version != 0 && !load())
        return OpenResult::Corrupt;

    // WAL with normal syncing: every commit survives a killed process, and commits stay cheap.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return existed ? OpenResult::Unreadable : OpenResult::CannotCreate;

    if (version == 0) {
        // A new file: the first schema and its version in one transaction.
        if (!db.transaction())
            return OpenResult::CannotCreate;
        const auto schema = ChoresMigrationPlan::schemas().constFirst();
        for (const QString &statement : schema.createStatements) {
            if (!query.exec(statement)) {
                m_lastError = query.lastError().text();
                db.rollback();
                return OpenResult::CannotCreate;
            }
        }
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(schema.version.encoded())) || !db.commit()) {
            db.rollback();
            return OpenResult::CannotCreate;
        }
    } else {
        // Each later schema is reached by its own step, each in its own transaction.
        int current = version;
        for (const auto &stage : ChoresMigrationPlan::stages()) {
            if (stage.from.encoded() != current)
                continue;
            if (!db.transaction())
                return OpenResult::Unreadable;
            for (const QString &statement : stage.statements) {
                if (!query.exec(statement)) {
                    db.rollback();
                    return OpenResult::Corrupt;
                }
            }
            if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(stage.to.encoded())) || !db.commit()) {
                db.rollback();
                return OpenResult::Unreadable;
            }
            current = stage.to.encoded();
        }
        // Migrated rows are read again in their new form.
        if (current != version && !load())
            return OpenResult::Corrupt;
    }

    if (version == 0 && !load())
        return OpenResult::Corrupt;
    m_statements = std::make_unique<Statements>(db);
    m_open = true;
    return OpenResult::Opened;
}

void ChoreStore::unload()
{
    qDeleteAll(m_chores);
    m_chores.clear();
    m_byId.clear();
}

// Replaces what is in memory with every row of the file; on failure nothing stays loaded.
bool ChoreStore::load()
{
    unload();
    // Every chore is read once at opening; going straight to SQLite's handle skips a QVariant
    // per value, which is most of the cost for a large store.
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QVariant handle = db.driver()->handle();
    sqlite3 *sqlite = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
        ? *static_cast<sqlite3 *const *>(handle.data()) : nullptr;
    if (!sqlite)
        return false;
    sqlite3_stmt *select = nullptr;
    if (sqlite3_prepare_v2(sqlite, "SELECT id, title, colorComponents, startDate, dueDate, endDate, notify,"
                                   " notificationTime FROM Chore", -1, &select, nullptr) != SQLITE_OK) {
        m_lastError = QString::fromUtf8(sqlite3_errmsg(sqlite));
        return false;
    }
    const auto instant = [select](int column) -> QDateTime {
        switch (sqlite3_column_type(select, column)) {
        case SQLITE_INTEGER: return instantFromStore(sqlite3_column_int64(select, column));
        case SQLITE_FLOAT: return instantFromStore(sqlite3_column_double(select, column));
        case SQLITE_TEXT: return instantFromStore(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(select, column))));
        default: return {};
        }
    };
    int status;
    while ((status = sqlite3_step(select)) == SQLITE_ROW) {
        ChoreFields fields;
        fields.title = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 1)),
                                         sqlite3_column_bytes(select, 1));
        const QByteArray color(reinterpret_cast<const char *>(sqlite3_column_blob(select, 2)), sqlite3_column_bytes(select, 2));
        fields.colorComponents = ColorComponentsModel::decode(color).value_or(ColorComponentsModel::standardRed());
        fields.startDate = instant(3);
        fields.dueDate = instant(4);
        if (sqlite3_column_type(select, 5) != SQLITE_NULL)
            fields.endDate = instant(5);
        fields.notify = sqlite3_column_type(select, 6) == SQLITE_TEXT
            ? QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 6)))).toBool()
            : sqlite3_column_double(select, 6) != 0;
        fields.notificationTime = sqlite3_column_type(select, 7) == SQLITE_NULL ? 32400 : sqlite3_column_double(select, 7);
        const qint64 id = sqlite3_column_int64(select, 0);
        auto *chore = new Chore(this, id, std::move(fields));
        m_chores.push_back(chore);
        m_byId.insert(id, chore);
    }
    if (status != SQLITE_DONE)
        m_lastError = QString::fromUtf8(sqlite3_errmsg(sqlite));
    sqlite3_finalize(select);
    if (status != SQLITE_DONE) {
        unload();
        return false;
    }
    return true;
}

bool ChoreStore::bindInsert(const ChoreFields &fields)
{
    QSqlQuery &query = m_statements->insert;
    query.bindValue(0, fields.title.isNull() ? QString(QLatin1String("")) : fields.title);
    query.bindValue(1, QString::fromUtf8(fields.colorComponents.encode()));
    query.bindValue(2, storedInstant(fields.startDate));
    query.bindValue(3, storedInstant(fields.dueDate));
    query.bindValue(4, fields.endDate ? storedInstant(*fields.endDate) : QVariant(QMetaType::fromType<qint64>()));
    query.bindValue(5, fields.notify ? 1 : 0);
    query.bindValue(6, fields.notificationTime);
    return query.exec();
}

Chore *ChoreStore::insert(const ChoreFields &fields)
{
    if (!m_open) {
        fail(QStringLiteral("The store is not open"));
        return nullptr;
    }
    QSqlQuery &query = m_statements->insert;
    if (!bindInsert(fields)) {
        fail(query.lastError().text());
        return nullptr;
    }
    const qint64 id = query.lastInsertId().toLongLong();
    auto *chore = new Chore(this, id, fields);
    m_chores.push_back(chore);
    m_byId.insert(id, chore);
    if (m_undo) {
        m_undo->push_back([this, chore, id] {
            emit aboutToRemove(chore);
            m_byId.remove(id);
            m_chores.erase(std::remove(m_chores.begin(), m_chores.end(), chore), m_chores.end());
            emit removed(id);
            chore->m_store = nullptr;
            chore->deleteLater();
        });
    }
    emit inserted(chore);
    return chore;
}

std::optional<std::vector<Chore *>> ChoreStore::insertAll(const QList<ChoreFields> &fields)
{
    if (!m_open) {
        fail(QStringLiteral("The store is not open"));
        return std::nullopt;
    }
    if (fields.isEmpty())
        return std::vector<Chore *>();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        fail(db.lastError().text());
        return std::nullopt;
    }
    QSqlQuery &query = m_statements->insert;
    std::vector<qint64> ids;
    ids.reserve(size_t(fields.size()));
    for (const ChoreFields &one : fields) {
        if (!bindInsert(one)) {
            const QString error = query.lastError().text();
            db.rollback();
            fail(error);
            return std::nullopt;
        }
        ids.push_back(query.lastInsertId().toLongLong());
    }
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        fail(error);
        return std::nullopt;
    }
    // Objects exist only for rows that are committed, so no observer sees a chore that is rolled back.
    std::vector<Chore *> added;
    added.reserve(ids.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        auto *chore = new Chore(this, ids[size_t(i)], fields.at(i));
        m_chores.push_back(chore);
        m_byId.insert(chore->persistentId(), chore);
        added.push_back(chore);
    }
    for (Chore *chore : added)
        emit inserted(chore);
    return added;
}

bool ChoreStore::writeField(Chore *chore, Chore::Field field, const QVariant &value)
{
    if (!m_open || !chore || m_byId.value(chore->persistentId()) != chore)
        return fail(QStringLiteral("The chore is not in the store"));
    QVariant stored = value;
    if (value.metaType() == QMetaType::fromType<QDateTime>())
        stored = storedInstant(value.toDateTime());
    else if (!value.isValid())
        stored = QVariant(QMetaType::fromType<qint64>());
    else if (value.metaType() == QMetaType::fromType<QByteArray>())
        stored = QString::fromUtf8(value.toByteArray());
    else if (value.metaType() == QMetaType::fromType<bool>())
        stored = value.toBool() ? 1 : 0;

    QSqlQuery &query = m_statements->update.at(size_t(field));
    query.bindValue(0, stored);
    query.bindValue(1, chore->persistentId());
    if (!query.exec())
        return fail(query.lastError().text());
    if (m_undo) {
        // The chore takes the new value once this returns; the undo puts back the old one.
        m_undo->push_back([chore = QPointer<Chore>(chore), field, old = chore->m_fields] {
            if (!chore)
                return;
            chore->m_fields = old;
            chore->notifyField(field);
        });
    }
    return true;
}

bool ChoreStore::transaction(const std::function<bool()> &writes)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!m_open || m_undo)
        return fail(QStringLiteral("The store cannot start a transaction now"));
    if (!db.transaction())
        return fail(db.lastError().text());
    std::vector<std::function<void()>> undo;
    m_undo = &undo;
    bool ok = writes();
    m_undo = nullptr;
    if (ok && !db.commit()) {
        ok = false;
        fail(db.lastError().text());
    }
    if (ok)
        return true;
    // SQLite may already have ended the transaction itself after an I/O error.
    db.rollback();
    for (auto it = undo.rbegin(); it != undo.rend(); ++it)
        (*it)();
    return false;
}

bool ChoreStore::remove(Chore *chore)
{
    if (!m_open || !chore || m_byId.value(chore->persistentId()) != chore)
        return fail(QStringLiteral("The chore is not in the store"));
    if (m_undo)
        return fail(QStringLiteral("A delete cannot be taken back inside a transaction"));
    QSqlQuery &query = m_statements->remove;
    query.bindValue(0, chore->persistentId());
    if (!query.exec())
        return fail(query.lastError().text());
    emit aboutToRemove(chore);
    const qint64 id = chore->persistentId();
    m_byId.remove(id);
    m_chores.erase(std::remove(m_chores.begin(), m_chores.end(), chore), m_chores.end());
    emit removed(id);
    chore->m_store = nullptr;
    chore->deleteLater();
    return true;
}

bool ChoreStore::finish(Chore *chore)
{
    return chore && chore->assignEndDate(Clock::current().now());
}

} // namespace Velmora
