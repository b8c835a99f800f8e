#include "StoreFixture.h"

#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreDates.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "Velmora/Model/ChoreQueryModel.h"

#include <cmath>
#include <limits>

using namespace Velmora;
using VelmoraTest::at;

namespace {

class ChoreStoreTest : public StoreFixture {};

TEST_F(ChoreStoreTest, EveryFieldSurvivesReopening)
{
    ChoreFields f = fields(QStringLiteral("Water the plants"), at("Europe/Berlin", 2026, 3, 3), at("Europe/Berlin", 2026, 3, 10));
    f.colorComponents = {0.25f, 0.5f, 1.5f}; // wide gamut stays unclipped
    f.endDate = at("Europe/Berlin", 2026, 3, 9, 17, 42);
    f.notify = true;
    f.notificationTime = 27900;
    qint64 id = 0;
    {
        auto store = openStore();
        Chore *chore = store->insert(f);
        ASSERT_NE(chore, nullptr);
        id = chore->persistentId();
    }
    auto reopened = openStore();
    ASSERT_EQ(reopened->chores().size(), 1u);
    const Chore *chore = reopened->chore(id);
    ASSERT_NE(chore, nullptr);
    EXPECT_EQ(chore->fields(), f);
    EXPECT_EQ(chore->color().blueF(), 1.5f);
}

TEST_F(ChoreStoreTest, AssignmentsAreWrittenAtOnceAndNotifyEvenWhenUnchanged)
{
    auto store = openStore();
    Chore *chore = store->insert(ChoreFields::defaults());
    ASSERT_NE(chore, nullptr);
    QSignalSpy titles(chore, &Chore::titleChanged);
    QSignalSpy changes(store.get(), &ChoreStore::changed);
    EXPECT_TRUE(chore->assignTitle(QStringLiteral("A")));
    EXPECT_TRUE(chore->assignTitle(QStringLiteral("A")));
    EXPECT_TRUE(chore->assignNotify(true));
    EXPECT_TRUE(chore->assignNotificationTime(3599));
    EXPECT_TRUE(chore->assignEndDate(at("Europe/Berlin", 2026, 1, 2, 3, 4)));
    EXPECT_EQ(titles.count(), 2);
    EXPECT_EQ(changes.count(), 5);

    // A second store on the same file sees every write without any save call.
    ChoreStore other;
    ASSERT_EQ(other.open(storePath()), ChoreStore::OpenResult::Opened);
    const Chore *seen = other.chore(chore->persistentId());
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->fields(), chore->fields());
}

TEST_F(ChoreStoreTest, PersistentIdsAreNeverReused)
{
    qint64 deleted = 0;
    {
        auto store = openStore();
        store->insert(ChoreFields::defaults());
        Chore *last = store->insert(ChoreFields::defaults());
        deleted = last->persistentId();
        ASSERT_TRUE(store->remove(last));
    }
    auto store = openStore();
    EXPECT_EQ(store->chore(deleted), nullptr);
    Chore *fresh = store->insert(ChoreFields::defaults());
    ASSERT_NE(fresh, nullptr);
    EXPECT_GT(fresh->persistentId(), deleted);
}

TEST_F(ChoreStoreTest, DefaultsAreTheSchemas)
{
    FakeClock clock(at("Europe/Berlin", 2026, 5, 20, 15, 30), VelmoraTest::zone("Europe/Berlin"));
    ScopedClock installed(clock);
    const ChoreFields f = ChoreFields::defaults();
    EXPECT_TRUE(f.title.isEmpty());
    EXPECT_EQ(f.colorComponents, ColorComponentsModel::standardRed());
    EXPECT_EQ(f.startDate, at("Europe/Berlin", 2026, 5, 20));
    EXPECT_EQ(f.dueDate, at("Europe/Berlin", 2026, 5, 20));
    EXPECT_FALSE(f.endDate.has_value());
    EXPECT_FALSE(f.notify);
    EXPECT_EQ(f.notificationTime, 32400);
}

TEST_F(ChoreStoreTest, ColorConversions)
{
    const ColorComponentsModel white = ColorComponentsModel::fromColor(QColor(Qt::white));
    EXPECT_EQ(white, (ColorComponentsModel{1, 1, 1}));
    EXPECT_EQ(white.color(), QColor(Qt::white));
    EXPECT_EQ(white.color().alphaF(), 1.0f);

    // Round trip through the stored form, keys required.
    const ColorComponentsModel odd{0.1f, -0.25f, 1.75f};
    EXPECT_EQ(ColorComponentsModel::decode(odd.encode()), odd);
    EXPECT_FALSE(ColorComponentsModel::decode(R"({"red":1,"green":0})").has_value());
    EXPECT_FALSE(ColorComponentsModel::decode("not json").has_value());
    EXPECT_FALSE(ColorComponentsModel::decode(R"({"red":"x","green":0,"blue":0})").has_value());

    // NaN is kept, but draws as 0.
    const ColorComponentsModel nan{std::numeric_limits<float>::quiet_NaN(), 0.5f, 0.5f};
    const auto decoded = ColorComponentsModel::decode(nan.encode());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(std::isnan(decoded->red));
    EXPECT_EQ(nan.color().redF(), 0.0f);
    EXPECT_TRUE(nan.color().isValid());
}

TEST_F(ChoreStoreTest, OddStoredValuesReadSoundly)
{
    openStore();
    const QString longTitle(100000, QLatin1Char('x'));
    rawExec({
        QStringLiteral("INSERT INTO Chore (title, colorComponents, startDate, dueDate, endDate, notify, notificationTime)"
                       " VALUES ('%1', '{\"red\":1}', 9223372036854775807, -9223372036854775807, NULL, 7, 1e308)").arg(longTitle),
        QStringLiteral("INSERT INTO Chore (title, colorComponents, startDate, dueDate, endDate, notify, notificationTime)"
                       " VALUES (NULL, 'garbage', 'yesterday', NULL, 'soon', NULL, NULL)"),
        QStringLiteral("INSERT INTO Chore (title, colorComponents, startDate, dueDate, notificationTime)"
                       " VALUES ('line one\nשורה שתיים', '{\"red\":null,\"green\":2,\"blue\":-1}', -62135596800000, 253402300799000, -5)"),
    });
    FakeClock clock(at("Europe/Berlin", 2026, 6, 1, 12), VelmoraTest::zone("Europe/Berlin"));
    ScopedClock installed(clock);
    auto store = openStore();
    ASSERT_EQ(store->chores().size(), 3u);
    for (const Chore *chore : store->chores()) {
        EXPECT_TRUE(chore->color().isValid());
        // Every count and text is computable without crashing.
        chore->timeLeftText(clock.now(), true, true);
        chore->daysSinceStart();
        chore->daysToFinish();
    }
    const Chore *huge = store->chores().at(0);
    EXPECT_EQ(huge->title().size(), 100000);
    EXPECT_FALSE(huge->startDate().isValid());
    EXPECT_EQ(huge->colorComponents(), ColorComponentsModel::standardRed());
    const Chore *blank = store->chores().at(1);
    EXPECT_TRUE(blank->title().isEmpty());
    EXPECT_TRUE(blank->isFinished()); // a present end date, even unreadable, keeps it in the journal
    EXPECT_EQ(blank->notificationTime(), 32400);
    const Chore *rtl = store->chores().at(2);
    EXPECT_TRUE(rtl->title().contains(QStringLiteral("שורה")));
    EXPECT_EQ(rtl->startDate().date(), QDate(1, 1, 1));
    EXPECT_EQ(rtl->dueDate().date(), QDate(9999, 12, 31));
    EXPECT_EQ(rtl->timeLeftText(clock.now(), true, false), QStringLiteral("years"));
}

TEST_F(ChoreStoreTest, AStoreOfTheFirstSchemaIsCopiedAsideThenMigratedInOneStep)
{
    writeFirstSchema(5, 2);
    const QByteArray before = VelmoraTest::readAll(storePath());
    {
        auto store = openStore();
        EXPECT_EQ(store->chores().size(), 5u);
        QSqlQuery query(QSqlDatabase::database(store->connectionName()));
        // Every chore stored so far waits to go up, each under a UID of its own.
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT count(*), count(DISTINCT uid), min(length(uid)), sum(href IS NULL)"
                                              " FROM SyncRecord JOIN Chore ON Chore.id = SyncRecord.chore")));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toInt(), 5);
        EXPECT_EQ(query.value(1).toInt(), 5);
        EXPECT_EQ(query.value(2).toInt(), 36);
        EXPECT_EQ(query.value(3).toInt(), 5);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
        EXPECT_EQ(query.value(0).toInt(), S2::version.encoded());
    }
    // The copy is the file as it was: the first schema with the same rows.
    const QString copy = ChoreStore::copyBeforeMigration(storePath(), S1::version);
    ASSERT_TRUE(QFile::exists(copy));
    QFile::remove(storePath());
    QFile::remove(storePath() + QStringLiteral("-wal"));
    QFile::remove(storePath() + QStringLiteral("-shm"));
    ASSERT_TRUE(QFile::copy(copy, storePath()));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy"));
        db.setDatabaseName(storePath());
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT (SELECT count(*) FROM Chore), (SELECT count(*) FROM sqlite_master"
                                              " WHERE name = 'SyncRecord')")) && query.next());
        EXPECT_EQ(query.value(0).toInt(), 5);
        EXPECT_EQ(query.value(1).toInt(), 0);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
        EXPECT_EQ(query.value(0).toInt(), S1::version.encoded());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy"));
    EXPECT_FALSE(before.isEmpty());
    // Reopened after the migration: no second copy, no second round of UIDs.
    auto again = openStore();
    QSqlQuery query(QSqlDatabase::database(again->connectionName()));
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT count(*) FROM SyncRecord")) && query.next());
    EXPECT_EQ(query.value(0).toInt(), 5);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST_F(ChoreStoreTest, UnreadableFilesAreLeftExactlyAsTheyWere)
{
    const auto fill = [this](int chores) {
        auto store = openStore();
        for (int i = 0; i < chores; ++i)
            store->insert(fields(QString::number(i), at("UTC", 2026, 1, 1), at("UTC", 2026, 2, 1)));
    };
    struct Case {
        const char *name;
        std::function<void()> make;
        ChoreStore::OpenResult expected;
    } cases[] = {
        {"Garbage", [&] { writeFile(storePath(), QByteArray(8192, '\x5a')); }, ChoreStore::OpenResult::Corrupt},
        {"TextFile", [&] { writeFile(storePath(), "these are my chores\n"); }, ChoreStore::OpenResult::Corrupt},
        {"Truncated", [&] {
             fill(2000);
             QFile file(storePath());
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.resize(file.size() / 2);
         }, ChoreStore::OpenResult::Corrupt},
        {"NewerSchema", [&] { fill(1); rawExec({QStringLiteral("PRAGMA user_version = %1").arg(ChoresMigrationPlan::latest().encoded() + 10000)}); },
         ChoreStore::OpenResult::NewerSchema},
        {"UnknownOlderVersion", [&] { fill(1); rawExec({QStringLiteral("PRAGMA user_version = 5")}); }, ChoreStore::OpenResult::ForeignSchema},
        {"AnotherAppsDatabase", [&] { rawExec({QStringLiteral("CREATE TABLE notes (body TEXT)")}); }, ChoreStore::OpenResult::ForeignSchema},
        {"MissingColumn", [&] {
             rawExec({QStringLiteral("CREATE TABLE Chore (id INTEGER PRIMARY KEY, title TEXT)"), QStringLiteral("PRAGMA user_version = 10000")});
         }, ChoreStore::OpenResult::Corrupt},
        {"ADirectory", [&] { QDir().mkpath(storePath()); }, ChoreStore::OpenResult::Unreadable},
        // A file of the first schema damaged where no chore in memory lies: found before migrating.
        {"DamagedBeforeMigrating", [&] {
             writeFirstSchema(3000, 3000);
             QFile file(storePath());
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.seek(file.size() / 2);
             file.write(QByteArray(4096, '\x33'));
         }, ChoreStore::OpenResult::Corrupt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(storePath());
        QDir(storePath()).removeRecursively();
        QFile::remove(storePath() + QStringLiteral("-wal"));
        QFile::remove(storePath() + QStringLiteral("-shm"));
        c.make();
        const QByteArray before = VelmoraTest::readAll(storePath());
        ChoreStore store;
        EXPECT_EQ(store.open(storePath()), c.expected);
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(store.insert(ChoreFields::defaults()), nullptr);
        EXPECT_EQ(VelmoraTest::readAll(storePath()), before);
    }
}

// Opening reads only what it keeps in memory, so damage among old finished chores is found
// by the whole-file check before the first write: no write goes through, nothing in memory
// changes, and the file stays as opening left it.
TEST_F(ChoreStoreTest, DamageAmongOldFinishedChoresRefusesEveryWrite)
{
    {
        QList<ChoreFields> all;
        for (int i = 0; i < 2000; ++i) {
            ChoreFields f = fields(QStringLiteral("old %1 ").arg(i, 4, 10, QLatin1Char('0')) + QString(200, u'x'),
                                   at("UTC", 2020, 1, 1), at("UTC", 2020, 1, 2));
            f.endDate = at("UTC", 2020, 1, 3).addSecs(60 * i);
            all << f;
        }
        all << fields(QStringLiteral("active"), at("UTC", 2026, 1, 1), at("UTC", 2026, 1, 2));
        ASSERT_TRUE(openStore()->insertAll(all).has_value());
    }
    rawExec({QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), QStringLiteral("PRAGMA journal_mode=DELETE")});
    QByteArray bytes = VelmoraTest::readAll(storePath());
    const qsizetype row = bytes.indexOf("old 0003 ");
    ASSERT_GT(row, 4096);
    bytes[row / 4096 * 4096] = '\x77'; // no b-tree page has this type
    writeFile(storePath(), bytes);

    ChoreStore store;
    ASSERT_EQ(store.open(storePath()), ChoreStore::OpenResult::Opened);
    Chore *active = store.chores().back();
    ASSERT_EQ(active->title(), QStringLiteral("active"));
    const QByteArray opened = VelmoraTest::readAll(storePath());
    const QByteArray log = VelmoraTest::readAll(storePath() + QStringLiteral("-wal"));
    QSignalSpy failures(&store, &ChoreStore::writeFailed);
    EXPECT_FALSE(active->assignTitle(QStringLiteral("lost")));
    EXPECT_EQ(store.insert(ChoreFields::defaults()), nullptr);
    EXPECT_FALSE(store.remove(active));
    EXPECT_FALSE(store.finish(active));
    EXPECT_EQ(failures.count(), 4);
    EXPECT_EQ(active->title(), QStringLiteral("active"));
    EXPECT_FALSE(active->isFinished());
    EXPECT_EQ(VelmoraTest::readAll(storePath()), opened);
    EXPECT_EQ(VelmoraTest::readAll(storePath() + QStringLiteral("-wal")), log);
    EXPECT_FALSE(ChoreBackup::encode(store).error.isEmpty());
}

TEST_F(ChoreStoreTest, AFolderThatCannotBeMadeFailsToOpen)
{
    writeFile(dir.filePath(QStringLiteral("blocker")), "a file where a folder should be");
    ChoreStore store;
    EXPECT_EQ(store.open(dir.filePath(QStringLiteral("blocker/chores.sqlite"))), ChoreStore::OpenResult::CannotCreate);
    EXPECT_EQ(VelmoraTest::readAll(dir.filePath(QStringLiteral("blocker"))), QByteArray("a file where a folder should be"));
}

TEST_F(ChoreStoreTest, AnEmptyFileBecomesAStore)
{
    writeFile(storePath(), {});
    auto store = openStore();
    EXPECT_NE(store->insert(ChoreFields::defaults()), nullptr);
}

TEST_F(ChoreStoreTest, AFailedWriteChangesNothingAndSaysSo)
{
    auto store = openStore();
    Chore *chore = store->insert(fields(QStringLiteral("kept"), at("UTC", 2026, 1, 1), at("UTC", 2026, 1, 2)));
    ASSERT_NE(chore, nullptr);
    // Another connection holds the write lock, so this store's write cannot go through.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
    {
        db.setDatabaseName(storePath());
        ASSERT_TRUE(db.open());
        QSqlQuery lock(db);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QSignalSpy failures(store.get(), &ChoreStore::writeFailed);
        QSignalSpy titles(chore, &Chore::titleChanged);
        EXPECT_FALSE(chore->assignTitle(QStringLiteral("lost?")));
        EXPECT_EQ(chore->title(), QStringLiteral("kept"));
        EXPECT_EQ(titles.count(), 0);
        EXPECT_EQ(failures.count(), 1);
        EXPECT_EQ(store->insert(ChoreFields::defaults()), nullptr);
        EXPECT_EQ(store->chores().size(), 1u);
        ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    EXPECT_TRUE(chore->assignTitle(QStringLiteral("written")));
}

TEST_F(ChoreStoreTest, RemovedChoresAreGoneAndRefuseWrites)
{
    auto store = openStore();
    Chore *chore = store->insert(ChoreFields::defaults());
    const qint64 id = chore->persistentId();
    QSignalSpy removed(store.get(), &ChoreStore::removed);
    ASSERT_TRUE(store->remove(chore));
    EXPECT_EQ(removed.count(), 1);
    EXPECT_FALSE(store->remove(chore));
    EXPECT_FALSE(chore->assignTitle(QStringLiteral("ghost")));
    auto reopened = openStore();
    EXPECT_EQ(reopened->chore(id), nullptr);
}

} // namespace

namespace {

TEST_F(ChoreStoreTest, ATransactionThatFailsHalfWayLeavesNoHalfEdit)
{
    auto store = openStore();
    Chore *chore = store->insert(fields(QStringLiteral("before"), at("UTC", 2026, 1, 1), at("UTC", 2026, 1, 2)));
    ASSERT_NE(chore, nullptr);
    const ChoreFields saved = chore->fields();
    ChoreQueryModel active(store.get(), ChoreQueryModel::Kind::Active);
    QAbstractItemModelTester tester(&active, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Chore *added = nullptr;
    const bool ok = store->transaction([&] {
        added = store->insert(ChoreFields::defaults());
        return added && chore->assignTitle(QStringLiteral("after")) && false; // the last write "fails"
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(chore->fields(), saved);
    EXPECT_EQ(store->chores().size(), 1u);
    ASSERT_EQ(active.rowCount(), 1); // the live query never saw, or gave back, the taken-back insert
    EXPECT_EQ(active.at(0), chore);
    auto reopened = openStore();
    EXPECT_EQ(reopened->chores().size(), 1u);
    EXPECT_EQ(reopened->chore(chore->persistentId())->title(), QStringLiteral("before"));

    EXPECT_TRUE(store->transaction([&] { return chore->assignTitle(QStringLiteral("after")); }));
    EXPECT_EQ(chore->title(), QStringLiteral("after"));
}

} // namespace
