#include "StoreFixture.h"

#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>

#include <cmath>
#include <limits>

using namespace Velmora;
using VelmoraTest::at;

namespace {

class ChoreStoreTest : public StoreFixture {
protected:
    static ChoreFields chore(const QString &title, int dueDay)
    {
        return fields(title, at("UTC", 2026, 1, 1), at("UTC", 2026, 1, dueDay));
    }
    int rowsOnDisk() { return rawValue(QStringLiteral("SELECT count(*) FROM Chore")).toInt(); }
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every assignment is in the file at once (another store on it sees it, no save call), notifies
// even when unchanged, and every field survives reopening; ids of deleted chores are not reused.
TEST_F(ChoreStoreTest, WritesAreStoredAtOnceAndSurviveReopening)
{
    ChoreFields f = fields(QStringLiteral("Water the plants"), at("Europe/Berlin", 2026, 3, 3), at("Europe/Berlin", 2026, 3, 10));
    f.colorComponents = {0.25f, 0.5f, 1.5f}; // wide gamut stays unclipped
    qint64 id = 0;
    qint64 deleted = 0;
    {
        auto store = openStore();
        Chore *chore = store->insert(ChoreFields::defaults());
        ASSERT_NE(chore, nullptr);
        id = chore->persistentId();
        QSignalSpy titles(chore, &Chore::titleChanged);
        QSignalSpy changes(store.get(), &ChoreStore::changed);
        EXPECT_TRUE(chore->assignTitle(f.title));
        EXPECT_TRUE(chore->assignTitle(f.title));
        EXPECT_TRUE(chore->assignColorComponents(f.colorComponents));
        EXPECT_TRUE(chore->assignStartDate(f.startDate) && chore->assignDueDate(f.dueDate));
        EXPECT_TRUE(chore->assignNotify(true) && chore->assignNotificationTime(27900));
        EXPECT_TRUE(chore->assignEndDate(at("Europe/Berlin", 2026, 3, 9, 17, 42)));
        EXPECT_EQ(titles.count(), 2);
        EXPECT_EQ(changes.count(), 8);
        f = chore->fields();
        ChoreStore other;
        ASSERT_EQ(other.open(storePath()), ChoreStore::OpenResult::Opened);
        ASSERT_NE(other.chore(id), nullptr);
        EXPECT_EQ(other.chore(id)->fields(), f);
        Chore *last = store->insert(ChoreFields::defaults());
        deleted = last->persistentId();
        ASSERT_TRUE(store->remove(last));
        EXPECT_FALSE(store->remove(last));
        EXPECT_FALSE(last->assignTitle(QStringLiteral("ghost")));
    }
    auto reopened = openStore();
    ASSERT_EQ(reopened->chores().size(), 1u);
    ASSERT_NE(reopened->chore(id), nullptr);
    EXPECT_EQ(reopened->chore(id)->fields(), f);
    EXPECT_EQ(reopened->chore(id)->color().blueF(), 1.5f);
    EXPECT_EQ(reopened->chore(deleted), nullptr);
    EXPECT_GT(reopened->insert(ChoreFields::defaults())->persistentId(), deleted);
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
    for (const Chore *chore : store->chores())
        EXPECT_TRUE(chore->color().isValid());
    const Chore *huge = store->chores().at(0);
    EXPECT_EQ(huge->title().size(), 100000);
    EXPECT_FALSE(huge->startDate().isValid());
    EXPECT_EQ(huge->colorComponents(), ColorComponentsModel::standardRed());
    const Chore *blank = store->chores().at(1);
    EXPECT_TRUE(blank->title().isEmpty());
    EXPECT_TRUE(blank->isFinished()); // a present end date, even unreadable, keeps it in the journal
    EXPECT_EQ(blank->notificationTime(), 32400);
    EXPECT_EQ(blank->timeLeftText(clock.now(), true, true), QStringLiteral("today"));
    EXPECT_EQ(blank->daysSinceStart(), 0);
    const Chore *rtl = store->chores().at(2);
    EXPECT_TRUE(rtl->title().contains(QStringLiteral("שורה")));
    EXPECT_EQ(rtl->startDate().date(), QDate(1, 1, 1));
    EXPECT_EQ(rtl->dueDate().date(), QDate(9999, 12, 31));
    EXPECT_EQ(rtl->timeLeftText(clock.now(), true, false), QStringLiteral("years"));
    EXPECT_GT(rtl->daysSinceStart(), 700000);

    // NaN colour components are kept, but draw as 0; a stored colour needs all three keys.
    const ColorComponentsModel nan{std::numeric_limits<float>::quiet_NaN(), 0.5f, 0.5f};
    ASSERT_TRUE(ColorComponentsModel::decode(nan.encode()).has_value());
    EXPECT_TRUE(std::isnan(ColorComponentsModel::decode(nan.encode())->red));
    EXPECT_EQ(nan.color().redF(), 0.0f);
    EXPECT_FALSE(ColorComponentsModel::decode(R"({"red":1,"green":0})").has_value());
    EXPECT_FALSE(ColorComponentsModel::decode(R"({"red":"x","green":0,"blue":0})").has_value());
}

TEST_F(ChoreStoreTest, AStoreOfTheFirstSchemaIsCopiedAsideThenMigratedInOneStep)
{
    writeFirstSchema(5, 2);
    const auto count = [this](const QString &sql, const QString &path = {}) { return rawValue(sql, path).toInt(); };
    {
        auto store = openStore();
        EXPECT_EQ(store->chores().size(), 5u);
        // Every chore stored so far waits to go up, each under a UID of its own.
        EXPECT_EQ(count(QStringLiteral("SELECT count(DISTINCT uid) FROM SyncRecord JOIN Chore ON Chore.id = SyncRecord.chore"
                                       " WHERE href IS NULL AND length(uid) = 36")), 5);
        EXPECT_EQ(count(QStringLiteral("PRAGMA user_version")), S2::version.encoded());
    }
    // The copy is the file as it was: the first schema with the same rows.
    const QString copy = ChoreStore::copyBeforeMigration(storePath(), S1::version);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Chore"), copy), 5);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'SyncRecord'"), copy), 0);
    EXPECT_EQ(count(QStringLiteral("PRAGMA user_version"), copy), S1::version.encoded());
    // Reopened after the migration: no second round of UIDs.
    auto again = openStore();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM SyncRecord")), 5);
}

TEST_F(ChoreStoreTest, FilesItCannotReadAreLeftExactlyAsTheyWere)
{
    const auto fill = [this](int chores) {
        auto store = openStore();
        for (int i = 0; i < chores; ++i)
            store->insert(chore(QString::number(i), 2));
    };
    const auto damage = [this](qint64 at, qint64 length) {
        QFile file(storePath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        if (length < 0)
            file.resize(file.size() / 2);
        else if (file.seek(file.size() * at / 100))
            file.write(QByteArray(length, '\x33'));
    };
    using R = ChoreStore::OpenResult;
    const struct {
        const char *name;
        std::function<void()> make;
        R expected;
    } cases[] = {
        {"Garbage", [&] { writeFile(storePath(), QByteArray(8192, '\x5a')); }, R::Corrupt},
        {"TextFile", [&] { writeFile(storePath(), "these are my chores\n"); }, R::Corrupt},
        {"Truncated", [&] { fill(2000); damage(0, -1); }, R::Corrupt},
        {"NewerSchema", [&] { fill(1); rawExec({QStringLiteral("PRAGMA user_version = %1").arg(ChoresMigrationPlan::latest().encoded() + 10000)}); },
         R::NewerSchema},
        {"UnknownOlderVersion", [&] { fill(1); rawExec({QStringLiteral("PRAGMA user_version = 5")}); }, R::ForeignSchema},
        {"AnotherAppsDatabase", [&] { rawExec({QStringLiteral("CREATE TABLE notes (body TEXT)")}); }, R::ForeignSchema},
        {"MissingColumn", [&] {
             rawExec({QStringLiteral("CREATE TABLE Chore (id INTEGER PRIMARY KEY, title TEXT)"), QStringLiteral("PRAGMA user_version = 10000")});
         }, R::Corrupt},
        {"ADirectory", [&] { QDir().mkpath(storePath()); }, R::Unreadable},
        // A file of the first schema damaged where no chore in memory lies: found before migrating.
        {"DamagedBeforeMigrating", [&] { writeFirstSchema(3000, 3000); damage(50, 4096); }, R::Corrupt},
        {"AFileWhereTheFolderShouldBe", [&] { QDir(storeFolder).removeRecursively(); writeFile(storeFolder, "a file"); },
         R::CannotCreate},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(storeFolder).removeRecursively();
        QFile::remove(storeFolder);
        QDir().mkpath(storeFolder);
        c.make();
        const QByteArray before = VelmoraTest::readAll(QFileInfo(storeFolder).isFile() ? storeFolder : storePath());
        ChoreStore store;
        EXPECT_EQ(store.open(storePath()), c.expected);
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(store.insert(ChoreFields::defaults()), nullptr);
        EXPECT_EQ(VelmoraTest::readAll(QFileInfo(storeFolder).isFile() ? storeFolder : storePath()), before);
    }
    QFile::remove(storeFolder);
    writeFile(storePath(), {}); // an empty file is a new store
    EXPECT_NE(openStore()->insert(ChoreFields::defaults()), nullptr);
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

// A write that fails, whole or half way through, leaves the file, the chores in memory and
// the live query as they were, says so, and the store takes the next write.
TEST_F(ChoreStoreTest, AFailedWriteLeavesNothingBehind)
{
    openStore();
    // The database itself refuses a chore of this title.
    rawExec({QStringLiteral("CREATE TRIGGER poison BEFORE INSERT ON Chore WHEN NEW.title = 'poison'"
                            " BEGIN SELECT RAISE(ABORT, 'poisoned'); END")});
    auto store = openStore();
    Chore *kept = store->insert(chore(QStringLiteral("kept"), 2));
    ASSERT_NE(kept, nullptr);
    const ChoreFields saved = kept->fields();
    ChoreQueryModel active(store.get(), ChoreQueryModel::Kind::Active);
    QAbstractItemModelTester tester(&active, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
    locker.setDatabaseName(storePath());
    ASSERT_TRUE(locker.open());
    QSqlQuery lock(locker);
    const struct {
        const char *name;
        bool locked;   // another connection holds the write lock
        bool reported; // by writeFailed, with no insert announced
        std::function<bool()> write;
    } cases[] = {
        {"an assignment", true, true, [&] { return kept->assignTitle(QStringLiteral("lost?")); }},
        {"an insert", true, true, [&] { return store->insert(ChoreFields::defaults()) != nullptr; }},
        {"a batch", true, true, [&] { return store->insertAll({chore(QStringLiteral("x"), 1)}).has_value(); }},
        {"a batch failing half way", false, true, [&] {
             return store->insertAll({chore(QStringLiteral("one"), 2), chore(QStringLiteral("two"), 3),
                                      chore(QStringLiteral("poison"), 4), chore(QStringLiteral("four"), 5)}).has_value(); }},
        {"a transaction whose last write fails", false, false, [&] {
             return store->transaction([&] {
                 return store->insert(ChoreFields::defaults()) && kept->assignTitle(QStringLiteral("after")) && false; }); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QSignalSpy failures(store.get(), &ChoreStore::writeFailed);
        QSignalSpy inserted(store.get(), &ChoreStore::inserted);
        if (c.locked) {
            ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        }
        EXPECT_FALSE(c.write());
        if (c.locked) {
            ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
        }
        if (c.reported) {
            EXPECT_EQ(failures.count(), 1);
            EXPECT_EQ(inserted.count(), 0);
        }
        EXPECT_EQ(kept->fields(), saved);
        EXPECT_EQ(store->chores().size(), 1u);
        ASSERT_EQ(active.rowCount(), 1);
        EXPECT_EQ(active.at(0), kept);
        EXPECT_EQ(rowsOnDisk(), 1);
    }
    lock.finish();
    locker.close();
    locker = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    EXPECT_TRUE(store->transaction([&] { return kept->assignTitle(QStringLiteral("written")); }));
    // A batch lands whole and in order; observers hear of it only once all of it is in the file.
    std::vector<int> rowsSeenBySignal;
    QObject::connect(store.get(), &ChoreStore::inserted, [&](Chore *) { rowsSeenBySignal.push_back(rowsOnDisk()); });
    const auto added =
        store->insertAll({chore(QStringLiteral("c"), 3), chore(QStringLiteral("a"), 1), chore(QStringLiteral("b"), 2)});
    ASSERT_TRUE(added.has_value() && added->size() == 3u);
    EXPECT_EQ(added->at(0)->title(), QStringLiteral("c"));
    EXPECT_LT(added->at(0)->persistentId(), added->at(1)->persistentId());
    EXPECT_EQ(rowsSeenBySignal, (std::vector<int>{4, 4, 4}));
    EXPECT_EQ(active.at(0)->title(), QStringLiteral("a"));
    EXPECT_TRUE(store->insertAll({}).has_value());
    auto reopened = openStore();
    EXPECT_EQ(reopened->chore(kept->persistentId())->title(), QStringLiteral("written"));
    EXPECT_EQ(reopened->chores().size(), 4u);
    ChoreStore closed;
    EXPECT_FALSE(closed.insertAll({chore(QStringLiteral("x"), 1)}).has_value());
}

} // namespace
