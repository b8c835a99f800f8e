#include "StoreFixture.h"

#include "Velmora/Model/CalendarExport.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreCountdown.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Platform/Clock.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QCollator>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <tuple>
#include <type_traits>

using namespace Velmora;
using VelmoraTest::assign;
using VelmoraTest::at;
using VelmoraTest::writeAll;
using VelmoraTest::zone;

namespace {

// A write that goes around ChoreChanges does not compile: nothing else can make the store's key.
static_assert(!std::is_default_constructible_v<ChoreStore::WriteKey>);

Recurrence rule(const char *text, bool afterFinishing = false, QList<QDate> exceptions = {}, QMap<QDate, QDate> moved = {})
{
    return Recurrence{QString::fromLatin1(text), afterFinishing, std::move(exceptions), std::move(moved)};
}

Recurrence::Simple every(Recurrence::Frequency frequency, int interval = 1, QList<int> weekdays = {}, bool afterFinishing = false)
{
    return Recurrence::Simple{frequency, interval, std::move(weekdays), afterFinishing};
}


ChoreFields chore(const QDateTime &start, const QDateTime &due, std::optional<QDateTime> end = std::nullopt)
{
    ChoreFields f = fields({}, start, due);
    f.endDate = end;
    return f;
}

struct TimeLeftCase {
    const char *name;
    const char *zone;
    QDateTime now;       // the system clock
    QDateTime reference; // the day clock's date
    QDateTime due;
    int days;            // daysUntilDue(reference, allowingNegative: true)
    int tileDays;        // daysUntilDue(reference, allowingNegative: false)
    const char *tile;    // timeLeftText(reference, negative allowed, no " left")
    const char *detail;  // timeLeftText(reference, negative not allowed, " left")
};

class TimeLeftText : public ::testing::TestWithParam<TimeLeftCase> {};

TEST_P(TimeLeftText, CountsWholeCalendarDays)
{
    const TimeLeftCase &c = GetParam();
    FakeClock clock(c.now, zone(c.zone));
    ScopedClock installed(clock);
    const ChoreFields f = chore(c.reference, c.due);
    EXPECT_EQ(ChoreDates::daysUntilDue(f, c.reference, true), c.days);
    EXPECT_EQ(ChoreDates::daysUntilDue(f, c.reference, false), c.tileDays);
    EXPECT_EQ(ChoreDates::timeLeftText(f, c.reference, true, false), QString::fromUtf8(c.tile));
    EXPECT_EQ(ChoreDates::timeLeftText(f, c.reference, false, true), QString::fromUtf8(c.detail));
}

QDateTime berlin(int m, int d, int h = 0, int min = 0) { return at("Europe/Berlin", 2026, m, d, h, min); }

const TimeLeftCase kTimeLeftCases[] = {
    {"DueLateTonightSeenJustAfterMidnight", "Europe/Berlin", berlin(5, 20, 0, 1), berlin(5, 20, 0, 1), berlin(5, 20, 23, 59), 0, 0, "today", "today"},
    {"DueYesterday", "Europe/Berlin", berlin(5, 20, 9), berlin(5, 20), berlin(5, 19, 23, 59), -1, 0, "overdue", "today"},
    {"DueThreeDaysAgo", "Europe/Berlin", berlin(5, 20, 9), berlin(5, 20), berlin(5, 17), -3, 0, "overdue", "today"},
    {"OneDay", "Europe/Berlin", berlin(5, 20, 23, 59), berlin(5, 20), berlin(5, 21, 0, 0), 1, 1, "1 days", "1 days left"},
    {"SixtyDays", "Europe/Berlin", berlin(5, 1, 12), berlin(5, 1), berlin(6, 30), 60, 60, "60 days", "60 days left"},
    {"SixtyOneDaysAreTwoMonths", "Europe/Berlin", berlin(5, 1, 12), berlin(5, 1), berlin(7, 1), 61, 61, "2 months", "2 months left"},
    {"SeventySevenDaysRoundDown", "Europe/Berlin", berlin(5, 1, 12), berlin(5, 1), berlin(7, 17), 77, 77, "2 months", "2 months left"},
    {"SeventyEightDaysRoundUp", "Europe/Berlin", berlin(5, 1, 12), berlin(5, 1), berlin(7, 18), 78, 78, "3 months", "3 months left"},
    {"ThreeHundredSixtyFiveDays", "Europe/Berlin", berlin(1, 1, 12), berlin(1, 1), at("Europe/Berlin", 2027, 1, 1), 365, 365, "12 months", "12 months left"},
    {"ThreeHundredSixtySixDays", "Europe/Berlin", berlin(1, 1, 12), berlin(1, 1), at("Europe/Berlin", 2027, 1, 2), 366, 366, "years", "years"},
    // A 23-hour day: still one day.
    {"AcrossSpringForward", "Europe/Berlin", berlin(3, 29, 0, 30), berlin(3, 29), berlin(3, 30), 1, 1, "1 days", "1 days left"},
    // A 25-hour day: still one day, also from late in the evening.
    {"AcrossFallBack", "Europe/Berlin", berlin(10, 25, 23, 30), berlin(10, 25), berlin(10, 26, 0, 30), 1, 1, "1 days", "1 days left"},
    // Sao Paulo skipped the midnight that started 2018-11-04: that day starts at 01:00.
    {"SkippedMidnight", "America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 3, 23, 30), at("America/Sao_Paulo", 2018, 11, 3),
     at("America/Sao_Paulo", 2018, 11, 4, 1, 0), 1, 1, "1 days", "1 days left"},
    // 23:30 UTC is still 10 June in New York but already 11 June in Berlin.
    {"NewYorkStillThatDay", "America/New_York", at("UTC", 2026, 6, 10, 12), at("UTC", 2026, 6, 10, 12),
     at("UTC", 2026, 6, 10, 23, 30), 0, 0, "today", "today"},
    {"BerlinAlreadyTheNext", "Europe/Berlin", at("UTC", 2026, 6, 10, 12), at("UTC", 2026, 6, 10, 12),
     at("UTC", 2026, 6, 10, 23, 30), 1, 1, "1 days", "1 days left"},
    // The day clock still shows yesterday: the form comes from it, the number from the clock.
    {"ReferenceLagsBehindClock", "Europe/Berlin", berlin(5, 21, 0, 5), berlin(5, 20), berlin(5, 21, 18), 1, 1, "0 days", "0 days left"},
};

INSTANTIATE_TEST_SUITE_P(Days, TimeLeftText, ::testing::ValuesIn(kTimeLeftCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ChoreDates, SpansAndDurations)
{
    FakeClock clock(berlin(3, 10, 8), zone("Europe/Berlin"));
    ScopedClock installed(clock);
    struct Case {
        const char *name;
        ChoreFields chore;
        int sinceStart;
        std::optional<int> toFinish;
        const char *finishText;
    } cases[] = {
        {"SameDay", chore(berlin(3, 3, 8), berlin(3, 3), berlin(3, 3, 23, 59)), 7, 0, "Same day"},
        {"AWeek", chore(berlin(3, 3, 23), berlin(3, 10), berlin(3, 10, 0, 1)), 7, 7, "7 days"},
        {"FinishedBeforeStart", chore(berlin(3, 9), berlin(3, 9), berlin(3, 1)), 1, 0, "Same day"},
        {"StartsInTheFuture", chore(berlin(4, 1), berlin(4, 2)), 0, std::nullopt, nullptr},
        {"AcrossSpringForward", chore(berlin(3, 28), berlin(3, 28), berlin(3, 30, 0, 5)), 0, 2, "2 days"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ChoreDates::daysSinceStart(c.chore), c.sinceStart) << c.name;
        EXPECT_EQ(ChoreDates::daysToFinish(c.chore), c.toFinish) << c.name;
        if (c.finishText) {
            EXPECT_EQ(ChoreDates::durationText(*c.toFinish), QString::fromUtf8(c.finishText)) << c.name;
        }
    }
}

TEST(ChoreDates, AddingDaysKeepsTheStartOfDay)
{
    FakeClock clock(berlin(3, 1, 12), zone("Europe/Berlin"));
    ScopedClock installed(clock);
    EXPECT_EQ(ChoreDates::addDays(berlin(3, 28), 1), berlin(3, 29));
    EXPECT_EQ(ChoreDates::addDays(berlin(3, 28), 2), berlin(3, 30));
    EXPECT_EQ(ChoreDates::addDays(berlin(3, 28), 1095), at("Europe/Berlin", 2029, 3, 27));
    clock.setTimeZone(zone("America/Sao_Paulo"));
    const QDateTime start = at("America/Sao_Paulo", 2018, 11, 3);
    EXPECT_EQ(ChoreDates::addDays(start, 1), at("America/Sao_Paulo", 2018, 11, 4, 1, 0));
    EXPECT_FALSE(ChoreDates::addDays(QDateTime(), 3).isValid());
}

class ChoreStoreTest : public StoreFixture {
protected:
    static ChoreFields chore(const QString &title, int dueDay)
    {
        return fields(title, at("UTC", 2026, 1, 1), at("UTC", 2026, 1, dueDay));
    }
    int rowsOnDisk() { return rawValue(QStringLiteral("SELECT count(*) FROM Chore")).toInt(); }
};

// Every assignment is in the file at once (another store on it sees it, no save call), an
// equal one writes and notifies nothing, and every field survives reopening; ids of deleted
// chores are not reused.
TEST_F(ChoreStoreTest, WritesAreStoredAtOnceAndSurviveReopening)
{
    ChoreFields f = fields(QStringLiteral("Water the plants"), at("Europe/Berlin", 2026, 3, 3), at("Europe/Berlin", 2026, 3, 10));
    f.colorComponents = {0.25f, 0.5f, 1.5f}; // wide gamut stays unclipped
    qint64 id = 0;
    qint64 deleted = 0;
    {
        auto store = openStore();
        ChoreChanges changes(*store);
        Chore *chore = changes.add(ChoreFields::defaults());
        ASSERT_NE(chore, nullptr);
        id = chore->persistentId();
        QSignalSpy titles(chore, &Chore::titleChanged);
        QSignalSpy changed(store.get(), &ChoreStore::changed);
        EXPECT_TRUE(assign(changes, chore, &ChoreFields::title, f.title));
        EXPECT_TRUE(assign(changes, chore, &ChoreFields::title, f.title));
        EXPECT_TRUE(assign(changes, chore, &ChoreFields::colorComponents, f.colorComponents));
        EXPECT_TRUE(assign(changes, chore, &ChoreFields::startDate, f.startDate)
                    && assign(changes, chore, &ChoreFields::dueDate, f.dueDate));
        EXPECT_TRUE(assign(changes, chore, &ChoreFields::notify, true)
                    && assign(changes, chore, &ChoreFields::notificationTime, 27900));
        EXPECT_TRUE(assign(changes, chore, &ChoreFields::endDate, std::optional(at("Europe/Berlin", 2026, 3, 9, 17, 42))));
        EXPECT_EQ(titles.count(), 1);
        EXPECT_EQ(changed.count(), 7);
        // Each row written counts once for sync, after the insert's first.
        EXPECT_EQ(rawValue(QStringLiteral("SELECT version FROM SyncRecord WHERE chore = %1").arg(id)).toInt(), 8);
        f = chore->fields();
        ChoreStore other;
        ASSERT_EQ(other.open(storePath()), ChoreStore::OpenResult::Opened);
        ASSERT_NE(other.chore(id), nullptr);
        EXPECT_EQ(other.chore(id)->fields(), f);
        Chore *last = changes.add(ChoreFields::defaults());
        deleted = last->persistentId();
        // Deleted by another process: an edit of it fails, and takes back the edits made with it.
        ChoreChanges otherChanges(other);
        ASSERT_TRUE(otherChanges.remove(otherChanges.bringIn(deleted)));
        EXPECT_FALSE(changes.batch([&] {
            return assign(changes, chore, &ChoreFields::notify, false)
                && assign(changes, last, &ChoreFields::title, QStringLiteral("x"));
        }));
        EXPECT_EQ(chore->fields(), f);
        ASSERT_TRUE(changes.remove(last));
        EXPECT_FALSE(changes.remove(last));
        EXPECT_FALSE(assign(changes, last, &ChoreFields::title, QStringLiteral("ghost")));
    }
    auto reopened = openStore();
    ASSERT_EQ(reopened->chores().size(), 1u);
    ASSERT_NE(reopened->chore(id), nullptr);
    EXPECT_EQ(reopened->chore(id)->fields(), f);
    EXPECT_EQ(reopened->chore(deleted), nullptr);
    EXPECT_GT(ChoreChanges(*reopened).add(ChoreFields::defaults())->persistentId(), deleted);
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
    // ...but on no day of the journal's calendar.
    const auto perDay = store->finishedPerDay(QDate(2025, 6, 2), QDate(2026, 6, 1), clock.timeZone());
    ASSERT_TRUE(perDay.has_value());
    EXPECT_EQ(std::accumulate(perDay->cbegin(), perDay->cend(), qint64(0)), 0);
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

// Each stage is a transaction of its own after one copy aside: a stage that fails leaves the
// file at the schema the stage before reached, readable, and the copy as it was.
TEST_F(ChoreStoreTest, AStoreOfAnEarlierSchemaIsCopiedAsideThenMigratedStageByStage)
{
    const auto count = [this](const QString &sql, const QString &path = {}) { return rawValue(sql, path).toInt(); };
    const auto schemas = ChoresMigrationPlan::schemas();
    const struct {
        const char *name;
        qsizetype from; // in schemas
        QStringList plant; // run on the file before opening
        SchemaVersion reached;
    } cases[] = {
        {"from the first", 0, {}, ChoresMigrationPlan::latest()},
        {"from the second", 1, {}, ChoresMigrationPlan::latest()},
        {"from the third", 2, {}, ChoresMigrationPlan::latest()},
        {"from the fourth", 3, {}, ChoresMigrationPlan::latest()},
        // Another program's table where the third schema puts one of its own.
        {"the second stage fails", 0, {QStringLiteral("CREATE TABLE ChoreRecurrence (x)")}, S2::version},
    };
    // A migrated file ends with the tables, indexes and triggers of a new one, spelled alike.
    const QString layout = QStringLiteral("SELECT group_concat(type || ' ' || name || ' ' || ifnull(sql, ''), char(10))"
                                          " FROM (SELECT * FROM sqlite_master ORDER BY name)");
    const QString fresh = dir.filePath(QStringLiteral("fresh.sqlite"));
    ASSERT_EQ(ChoreStore().open(fresh), ChoreStore::OpenResult::Opened);
    ASSERT_TRUE(rawValue(layout, fresh).toString().contains(QLatin1String("trigger ChoreSeriesRenamed")));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto &schema = schemas.at(c.from);
        QDir(storeFolder).removeRecursively();
        writeFirstSchema(5, 2, schema);
        rawExec(c.plant);
        QFile::setPermissions(storePath(), QFile::Permissions(0x6644)); // as an older build left it
        {
            ChoreStore store;
            const bool migrated = c.reached == ChoresMigrationPlan::latest();
            ASSERT_EQ(store.open(storePath()), migrated ? ChoreStore::OpenResult::Opened : ChoreStore::OpenResult::Corrupt);
            // Every chore stored so far waits to go up, each under a UID of its own.
            EXPECT_EQ(count(QStringLiteral("SELECT count(DISTINCT uid) FROM SyncRecord JOIN Chore ON Chore.id = SyncRecord.chore"
                                           " WHERE href IS NULL AND length(uid) = 36")), 5);
            EXPECT_EQ(count(QStringLiteral("PRAGMA user_version")), c.reached.encoded());
            if (migrated) {
                // No chore repeated before, and no finished one came from a series.
                EXPECT_FALSE(store.chores().front()->repeats());
                EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM ChoreSeries")), 0);
                // And every chore was for anyone.
                EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM ChorePeople")), 0);
                Chore *front = store.chores().front();
                EXPECT_TRUE(ChoreChanges(store).update(front, front->fields(), rule("FREQ=DAILY"),
                                                       ChorePeople{QStringLiteral("Bob"), {}, {}}));
                EXPECT_EQ(rawValue(layout).toString(), rawValue(layout, fresh).toString());
            }
            for (const QString &path : {storePath(), storePath() + QStringLiteral("-wal"), storePath() + QStringLiteral("-shm"),
                                        ChoreStore::copyBeforeMigration(storePath(), schema.version)})
                EXPECT_EQ(mode(path), 0600) << "its user's alone: " << qPrintable(path);
        }
        // The copy is the file as it was: the earlier schema with the same rows.
        const QString copy = ChoreStore::copyBeforeMigration(storePath(), schema.version);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Chore"), copy), 5);
        EXPECT_EQ(count(QStringLiteral("PRAGMA user_version"), copy), schema.version.encoded());
        // Reopened after the migration, or once the other table is gone: no second round of
        // UIDs, and the rule is still there.
        if (!c.plant.isEmpty())
            rawExec({QStringLiteral("DROP TABLE ChoreRecurrence")});
        auto again = openStore();
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM SyncRecord")), 5);
        EXPECT_EQ(again->chores().size(), 5u);
        EXPECT_EQ(again->chores().front()->recurrence().rule, c.plant.isEmpty() ? QStringLiteral("FREQ=DAILY") : QString());
        EXPECT_EQ(again->chores().front()->assignee(), c.plant.isEmpty() ? QStringLiteral("Bob") : QString());
    }
}

TEST_F(ChoreStoreTest, FilesItCannotReadAreLeftExactlyAsTheyWere)
{
    const auto fill = [this](int chores) {
        auto store = openStore();
        ChoreChanges changes(*store);
        for (int i = 0; i < chores; ++i)
            changes.add(chore(QString::number(i), 2));
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
        {"Garbage", [&] { ASSERT_TRUE(writeAll(storePath(), QByteArray(8192, '\x5a'))); }, R::Corrupt},
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
        {"AFileWhereTheFolderShouldBe", [&] { QDir(storeFolder).removeRecursively(); ASSERT_TRUE(writeAll(storeFolder, "a file")); },
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
        EXPECT_EQ(ChoreChanges(store).add(ChoreFields::defaults()), nullptr);
        EXPECT_EQ(VelmoraTest::readAll(QFileInfo(storeFolder).isFile() ? storeFolder : storePath()), before);
    }
    QFile::remove(storeFolder);
    ASSERT_TRUE(writeAll(storePath(), {})); // an empty file is a new store
    EXPECT_NE(ChoreChanges(*openStore()).add(ChoreFields::defaults()), nullptr);
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
        ASSERT_TRUE(ChoreChanges(*openStore()).addAll(all).has_value());
    }
    rawExec({QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), QStringLiteral("PRAGMA journal_mode=DELETE")});
    QByteArray bytes = VelmoraTest::readAll(storePath());
    const qsizetype row = bytes.indexOf("old 0003 ");
    ASSERT_GT(row, 4096);
    bytes[row / 4096 * 4096] = '\x77'; // no b-tree page has this type
    ASSERT_TRUE(writeAll(storePath(), bytes));

    ChoreStore store;
    ASSERT_EQ(store.open(storePath()), ChoreStore::OpenResult::Opened);
    Chore *active = store.chores().back();
    ASSERT_EQ(active->title(), QStringLiteral("active"));
    const QByteArray opened = VelmoraTest::readAll(storePath());
    const QByteArray log = VelmoraTest::readAll(storePath() + QStringLiteral("-wal"));
    QSignalSpy failures(&store, &ChoreStore::writeFailed);
    ChoreChanges changes(store);
    EXPECT_FALSE(assign(changes, active, &ChoreFields::title, QStringLiteral("lost")));
    EXPECT_EQ(changes.add(ChoreFields::defaults()), nullptr);
    EXPECT_FALSE(changes.remove(active));
    EXPECT_FALSE(changes.finish(active));
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
    ChoreChanges changes(*store);
    Chore *kept = changes.add(chore(QStringLiteral("kept"), 2));
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
        {"an assignment", true, true, [&] { return assign(changes, kept, &ChoreFields::title, QStringLiteral("lost?")); }},
        {"an insert", true, true, [&] { return changes.add(ChoreFields::defaults()) != nullptr; }},
        {"a batch", true, true, [&] { return changes.addAll({chore(QStringLiteral("x"), 1)}).has_value(); }},
        {"a batch failing half way", false, true, [&] {
             return changes.addAll({chore(QStringLiteral("one"), 2), chore(QStringLiteral("two"), 3),
                                    chore(QStringLiteral("poison"), 4), chore(QStringLiteral("four"), 5)}).has_value(); }},
        {"a transaction whose last write fails", false, false, [&] {
             return changes.batch([&] {
                 return changes.add(ChoreFields::defaults()) && assign(changes, kept, &ChoreFields::title, QStringLiteral("after"))
                     && false; }); }},
        {"a removal whose bookkeeping fails", false, true, [&] {
             return changes.receiveRemoval(kept, [&] { return changes.add(chore(QStringLiteral("poison"), 4)) != nullptr; }); }},
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
    // A removal and its bookkeeping land together; the object outlives the commit.
    QPointer<Chore> gone = changes.add(chore(QStringLiteral("gone"), 2));
    EXPECT_TRUE(changes.receiveRemoval(gone, [&] { return assign(changes, kept, &ChoreFields::title, QStringLiteral("written")); })
                && gone && !store->chore(gone->persistentId()));
    // A batch lands whole and in order; observers hear of it only once all of it is in the file.
    std::vector<int> rowsSeenBySignal;
    QObject::connect(store.get(), &ChoreStore::inserted, [&](Chore *) { rowsSeenBySignal.push_back(rowsOnDisk()); });
    const auto added =
        changes.addAll({chore(QStringLiteral("c"), 3), chore(QStringLiteral("a"), 1), chore(QStringLiteral("b"), 2)});
    ASSERT_TRUE(added.has_value() && added->size() == 3u);
    EXPECT_EQ(added->at(0)->title(), QStringLiteral("c"));
    EXPECT_LT(added->at(0)->persistentId(), added->at(1)->persistentId());
    EXPECT_EQ(rowsSeenBySignal, (std::vector<int>{4, 4, 4}));
    EXPECT_EQ(active.at(0)->title(), QStringLiteral("a"));
    EXPECT_TRUE(changes.addAll({}).has_value());
    auto reopened = openStore();
    EXPECT_EQ(reopened->chore(kept->persistentId())->title(), QStringLiteral("written"));
    EXPECT_EQ(reopened->chores().size(), 4u);
    ChoreStore closed;
    EXPECT_FALSE(ChoreChanges(closed).addAll({chore(QStringLiteral("x"), 1)}).has_value());
}


// Finishing a chore that repeats: a finished copy goes to the journal and the chore itself moves
// on to its next occurrence, its start day keeping its distance; the days are the zone's own.
TEST_F(ChoreStoreTest, FinishingARepeatingChoreMovesItToItsNextOccurrence)
{
    const QDate none;
    const struct {
        const char *name;
        const char *zone;
        QDate today;
        QDate due;
        Recurrence rule;
        QDate nextDue;         // invalid: finished as any chore
        const char *restRule;  // the rule kept; nullptr: unchanged
    } cases[] = {
        {"finished a week late: due again tomorrow, not today", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 1}, rule("FREQ=DAILY"), {2026, 12, 9}, nullptr},
        {"a week early: its copy starts the day it was done", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 15}, rule("FREQ=WEEKLY"), {2026, 12, 22}, nullptr},
        {"every 2 weeks on Wednesday after finishing, done on Tuesday", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 9},
         rule("FREQ=WEEKLY;INTERVAL=2;BYDAY=WE", true), {2026, 12, 23}, nullptr},
        {"Sundays after finishing, done on Saturday", "Europe/Berlin", {2026, 12, 12}, {2026, 12, 13}, rule("FREQ=WEEKLY;BYDAY=SU", true), {2026, 12, 20}, nullptr},
        {"31 January + 1 month", "Europe/Berlin", {2027, 1, 31}, {2027, 1, 31},
         Recurrence::fromSimple(every(Recurrence::Frequency::Monthly), {2027, 1, 31}), {2027, 2, 28}, nullptr},
        {"then the 31st again", "Europe/Berlin", {2027, 2, 28}, {2027, 2, 28},
         Recurrence::fromSimple(every(Recurrence::Frequency::Monthly), {2027, 1, 31}), {2027, 3, 31}, nullptr},
        {"29 February + 1 year", "Europe/Berlin", {2028, 2, 29}, {2028, 2, 29},
         Recurrence::fromSimple(every(Recurrence::Frequency::Yearly), {2028, 2, 29}), {2029, 2, 28}, nullptr},
        {"as earlier versions wrote the 31st", "Europe/Berlin", {2027, 1, 31}, {2027, 1, 31},
         rule("FREQ=MONTHLY;BYMONTHDAY=31;RSCALE=GREGORIAN;SKIP=BACKWARD"), {2027, 2, 28}, nullptr},
        {"a month after finishing on the 31st", "Europe/Berlin", {2027, 1, 31}, {2027, 1, 20},
         rule("FREQ=MONTHLY", true), {2027, 2, 28}, nullptr},
        {"a day without midnight", "America/Sao_Paulo", {2018, 11, 3}, {2018, 11, 3}, rule("FREQ=DAILY"), {2018, 11, 4}, nullptr},
        {"COUNT counts the missed ones", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 5}, rule("FREQ=DAILY;COUNT=5"), {2026, 12, 9}, "FREQ=DAILY;COUNT=1"},
        {"an occurrence moved elsewhere", "Europe/Berlin", {2026, 12, 9}, {2026, 12, 9},
         rule("FREQ=WEEKLY", false, {}, {{QDate(2026, 12, 16), QDate(2026, 12, 18)}}), {2026, 12, 18}, nullptr},
        {"and after it the rule's days", "Europe/Berlin", {2026, 12, 18}, {2026, 12, 18},
         rule("FREQ=WEEKLY", false, {}, {{QDate(2026, 12, 16), QDate(2026, 12, 18)}}), {2026, 12, 23}, nullptr},
        {"hourly moves by days", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=HOURLY;INTERVAL=36"), {2026, 12, 9}, nullptr},
        {"due in the year 1: the day after today", "Europe/Berlin", {2026, 12, 8}, {1, 1, 1}, rule("FREQ=DAILY;UNTIL=99991231"), {2026, 12, 9}, nullptr},
        {"a year 9999 COUNT ends", "Europe/Berlin", {2026, 12, 8}, {9999, 6, 1}, rule("FREQ=YEARLY;COUNT=9999"), none, nullptr},
        {"COUNT from the year 1000 is not followed", "Europe/Berlin", {2026, 12, 8}, {1000, 1, 1}, rule("FREQ=DAILY;COUNT=999999"), none, nullptr},
        {"INTERVAL=0", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=DAILY;INTERVAL=0"), none, nullptr},
        {"every second", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=SECONDLY"), none, nullptr},
        {"UNTIL before the due day", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=DAILY;UNTIL=20200101"), none, nullptr},
        {"not a rule", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=WEEKLY;BYDAY=XX"), none, nullptr},
        {"hourly on 30 February never comes", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30"), none, nullptr},
        {"hourly on 31 April, counted", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=HOURLY;BYMONTHDAY=31;BYMONTH=4;COUNT=2"), none, nullptr},
        {"daily on 30 February", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=DAILY;BYMONTH=2;BYMONTHDAY=30"), none, nullptr},
        {"monthly on 31 April", "Europe/Berlin", {2026, 12, 8}, {2026, 12, 8}, rule("FREQ=MONTHLY;BYMONTH=4;BYMONTHDAY=31"), none, nullptr},
    };
    auto store = openStore();
    ChoreChanges changes(*store);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QTimeZone tz = zone(c.zone);
        FakeClock clock(c.today.startOfDay(tz).addSecs(15 * 3600), tz);
        ScopedClock installed(clock);
        ChoreFields f = fields(QString::fromUtf8(c.name), c.due.addDays(-2).startOfDay(tz), c.due.startOfDay(tz));
        f.notify = true;
        Chore *chore = changes.add(f, c.rule);
        ASSERT_NE(chore, nullptr);
        QSignalSpy inserted(store.get(), &ChoreStore::inserted);
        // CPU time, not wall time: a busy machine must not fail it, a rule that freezes must.
        const qint64 started = VelmoraTest::threadCpuMs();
        ASSERT_TRUE(changes.finish(chore));
        EXPECT_LT(VelmoraTest::threadCpuMs() - started, VelmoraTest::cpuLimitMs(100));
        if (!c.nextDue.isValid()) {
            EXPECT_EQ(chore->endDateOrInvalid(), clock.now());
            EXPECT_EQ(inserted.count(), 0);
            EXPECT_EQ(chore->recurrence(), c.rule) << "kept as it came";
            continue;
        }
        EXPECT_FALSE(chore->isFinished());
        EXPECT_EQ(chore->dueDate(), c.nextDue.startOfDay(tz)) << qPrintable(chore->dueDate().toString(Qt::ISODate));
        EXPECT_EQ(chore->startDate(), c.nextDue.addDays(-2).startOfDay(tz));
        EXPECT_EQ(chore->recurrence().rule, c.restRule ? QString::fromLatin1(c.restRule) : c.rule.rule);
        // The journal's copy: this occurrence as it was, finished now, repeating no more.
        ASSERT_EQ(inserted.count(), 1);
        const Chore *done = inserted.at(0).at(0).value<Chore *>();
        ChoreFields expected = f;
        expected.endDate = clock.now();
        // Its dates never run backwards: done before its start day, it starts the day it was done.
        if (c.due.addDays(-2) > c.today)
            expected.startDate = c.today.startOfDay(tz);
        EXPECT_EQ(done->fields(), expected);
        EXPECT_FALSE(done->repeats());
        const auto history = store->lastOccurrences(chore->persistentId(), 12);
        ASSERT_EQ(history.size(), 1) << "the copy is linked to its series";
        EXPECT_EQ(history.at(0).due, f.dueDate);
        EXPECT_EQ(history.at(0).finished, clock.now());
    }
    // Reopened, every series still repeats where it went; the copies do not.
    const auto moved = std::count_if(store->chores().cbegin(), store->chores().cend(), [](const Chore *c) { return c->repeats(); });
    auto reopened = openStore();
    EXPECT_EQ(std::count_if(reopened->chores().cbegin(), reopened->chores().cend(), [](const Chore *c) { return c->repeats(); }),
              moved);
    EXPECT_EQ(moved, qsizetype(std::size(cases)));
}

// Whose turn it is after finishes, removals, renames and edits, as stored (read back by another
// store on the file), and who each finished copy records.
TEST_F(ChoreStoreTest, TurnsPassInOrderWhoeverFinishes)
{
    using Act = std::function<bool(ChoreChanges &, Chore *)>;
    const auto finishBy = [](const char *who) { return [who](ChoreChanges &c, Chore *chore) { return c.finishBy(chore, QString::fromUtf8(who)); }; };
    const auto people = [](const char *assignee, QStringList turns) { return ChorePeople{QString::fromUtf8(assignee), std::move(turns), {}}; };
    const QStringList abs{QStringLiteral("Alice"), QStringLiteral("Bob"), QStringLiteral("Sam")};
    QStringList crowd{QStringLiteral("  Ann\nLee "), QString(100, QLatin1Char('x')), QStringLiteral("Ann Lee")};
    for (int i = 0; i < 1000; ++i)
        crowd << QStringLiteral("member %1").arg(i % 500);
    const struct {
        const char *name;
        ChorePeople before;
        Act act;
        ChorePeople after;
        const char *copyFinisher; // nullptr: no copy made
    } cases[] = {
        {"finished by whose turn it was: the next one's", people("Alice", abs), finishBy("Alice"), people("Bob", abs), "Alice"},
        {"finished out of turn: the turn passes from whose it was", people("Bob", abs), finishBy("Sam"), people("Sam", abs), "Sam"},
        {"this device's member, the last one's turn: back to the first", people("Sam", abs),
         [](ChoreChanges &c, Chore *chore) { c.setMember(QStringLiteral("Bob")); return c.finish(chore); }, people("Alice", abs), "Bob"},
        {"assigned without turns: stays assigned", people("Bob", {}), finishBy("Alice"), people("Bob", {}), "Alice"},
        {"removed on their turn: the one after them", people("Bob", abs),
         [](ChoreChanges &c, Chore *) { return c.removeMember(QStringLiteral("Bob")); }, people("Sam", {QStringLiteral("Alice"), QStringLiteral("Sam")}), nullptr},
        {"the last removed on their turn: the first", people("Sam", abs),
         [](ChoreChanges &c, Chore *) { return c.removeMember(QStringLiteral("Sam")); }, people("Alice", {QStringLiteral("Alice"), QStringLiteral("Bob")}), nullptr},
        {"removed, not their turn", people("Alice", abs),
         [](ChoreChanges &c, Chore *) { return c.removeMember(QStringLiteral("Sam")); }, people("Alice", {QStringLiteral("Alice"), QStringLiteral("Bob")}), nullptr},
        {"removed when assigned alone: for anyone", people("Bob", {}),
         [](ChoreChanges &c, Chore *) { return c.removeMember(QStringLiteral("Bob")); }, people("", {}), nullptr},
        {"renamed after finishing: place, turn and the copy's finisher", people("Alice", abs),
         [](ChoreChanges &c, Chore *chore) { return c.finishBy(chore, QStringLiteral("Bob")) && c.renameMember(QStringLiteral("Bob"), QStringLiteral(" Robert ")); },
         people("Robert", {QStringLiteral("Alice"), QStringLiteral("Robert"), QStringLiteral("Sam")}), "Robert"},
        {"renamed to one already there: one of them left", people("Bob", abs),
         [](ChoreChanges &c, Chore *) { return c.renameMember(QStringLiteral("Bob"), QStringLiteral("Alice")); },
         people("Alice", {QStringLiteral("Alice"), QStringLiteral("Sam")}), nullptr},
        {"renamed to a blank: refused, nothing changes", people("Bob", abs),
         [](ChoreChanges &c, Chore *) { return !c.renameMember(QStringLiteral("Bob"), QStringLiteral(" \n ")); }, people("Bob", abs), nullptr},
        {"leaving the order in an edit: the first one's turn", people("Bob", abs),
         [](ChoreChanges &c, Chore *chore) { return c.update(chore, chore->fields(), std::nullopt, ChorePeople{QStringLiteral("Bob"), {QStringLiteral("Sam"), QStringLiteral("Alice")}, {}}); },
         people("Sam", {QStringLiteral("Sam"), QStringLiteral("Alice")}), nullptr},
        {"1,000 names with repeats: cleaned, deduplicated, cut", people("", crowd), [](ChoreChanges &, Chore *) { return true; },
         people("Ann Lee", QStringList{QStringLiteral("Ann Lee"), QString(64, QLatin1Char('x'))} + [] {
             QStringList first;
             for (int i = 0; i < 62; ++i)
                 first << QStringLiteral("member %1").arg(i);
             return first;
         }()), nullptr},
    };
    const QTimeZone tz = zone("Europe/Berlin");
    FakeClock clock(QDate(2026, 12, 8).startOfDay(tz).addSecs(15 * 3600), tz);
    ScopedClock installed(clock);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(storeFolder).removeRecursively();
        auto store = openStore();
        ChoreChanges changes(*store);
        Chore *chore = changes.add(fields(QStringLiteral("Dishes"), clock.now(), clock.now()), rule("FREQ=DAILY"), c.before);
        ASSERT_NE(chore, nullptr);
        QSignalSpy inserted(store.get(), &ChoreStore::inserted);
        ASSERT_TRUE(c.act(changes, chore));
        EXPECT_EQ(chore->assignee(), c.after.assignee);
        EXPECT_EQ(chore->turns(), c.after.turns);
        ASSERT_EQ(inserted.count(), c.copyFinisher ? 1 : 0);
        if (c.copyFinisher) {
            const Chore *copy = inserted.at(0).at(0).value<Chore *>();
            EXPECT_EQ(copy->finishedBy(), QString::fromUtf8(c.copyFinisher));
            EXPECT_EQ(copy->assignee(), c.before.assignee) << "whose turn it was";
            EXPECT_EQ(store->finishedByMember(clock.now().date(), clock.now().date(), tz),
                      (QList<QPair<QString, qint64>>{{QString::fromUtf8(c.copyFinisher), 1}}));
        }
        ChoreStore other;
        ASSERT_EQ(other.open(storePath()), ChoreStore::OpenResult::Opened);
        EXPECT_EQ(other.people(chore->persistentId()), chore->people());
    }
}

// Thousands of generated rules finished early, on time and late around midnight in zones with
// clock changes, against python-dateutil's rrule, an implementation of RFC 5545 apart from libical.
TEST_F(ChoreStoreTest, FinishingMatchesAnIndependentCalendar)
{
    std::mt19937 random(qEnvironmentVariableIntValue("VELMORA_ORACLE_SEED") + 20261208);
    const auto pick = [&random](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    const auto chance = [&pick](int percent) { return pick(1, 100) <= percent; };
    const char *const zones[] = {"Europe/Berlin", "America/Sao_Paulo", "America/Havana", "Asia/Tokyo",
                                 "Australia/Lord_Howe", "America/Los_Angeles", "Pacific/Chatham"};
    const char *const weekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    const auto someOf = [&](QStringList from, int most) {
        std::shuffle(from.begin(), from.end(), random);
        return from.mid(0, pick(1, most)).join(QLatin1Char(','));
    };
    const QStringList allDays{"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    const QStringList monthDays{"1", "15", "28", "29", "30", "31", "-1"};
    const QStringList months{"1", "2", "3", "4", "6", "9", "11", "12"};
    const auto ordinalDay = [&] { return QString::number(QList<int>{1, 2, 4, -1, -2}.at(pick(0, 4))) + QLatin1String(weekdays[pick(0, 6)]); };

    struct Case {
        QTimeZone zone;
        QDateTime now;
        QDate due;
        Recurrence rule;
    };
    QList<Case> cases;
    while (cases.size() < 3000) {
        Case c;
        c.zone = zone(zones[pick(0, 6)]);
        const QDate day = QDate(2017, 1, 1).addDays(pick(0, 15 * 365));
        const QTime times[] = {QTime(0, 0, 30), QTime(0, 59), QTime(12, 0), QTime(23, 30), QTime(23, 59, 30)};
        c.now = QDateTime(day, times[pick(0, 4)], c.zone);
        if (!c.now.isValid() || c.now.date() != day)
            c.now = day.startOfDay(c.zone);
        const int late = chance(30) ? 0 : chance(30) ? pick(-3, 3) : pick(-90, 10);
        c.due = ChoreDates::calendarDay(c.now, c.zone).addDays(-late);
        QStringList parts;
        const int kind = pick(1, 100);
        const QString freq = kind <= 25 ? "DAILY" : kind <= 55 ? "WEEKLY" : kind <= 80 ? "MONTHLY" : kind <= 95 ? "YEARLY" : "HOURLY";
        parts << "FREQ=" + freq;
        if (freq == "HOURLY")
            parts << "INTERVAL=" + QString::number(QList<int>{1, 5, 12, 36, 48}.at(pick(0, 4)));
        else if (chance(50))
            parts << "INTERVAL=" + QString::number(pick(2, 6));
        if (freq == "DAILY" && chance(30))
            parts << "BYDAY=" + someOf(allDays, 3);
        if (freq == "DAILY" && chance(10))
            parts << "BYMONTH=" + someOf(months, 3);
        if (freq == "WEEKLY" && chance(70))
            parts << "BYDAY=" + someOf(allDays, 4);
        if (freq == "WEEKLY" && chance(40))
            parts << "WKST=" + QList<QString>{"MO", "SU", "SA", "TH"}.at(pick(0, 3));
        if (freq == "MONTHLY") {
            switch (pick(0, 4)) {
            case 0: break;
            case 1: parts << "BYMONTHDAY=" + someOf(monthDays, 2); break;
            case 2: parts << "BYDAY=" + ordinalDay(); break;
            case 3: parts << "BYDAY=" + someOf(allDays, 3) << "BYSETPOS=" + QString::number(QList<int>{1, 2, -1}.at(pick(0, 2))); break;
            case 4: parts << QList<QString>{"BYMONTHDAY=28,29,30,31", "BYMONTHDAY=28,29,30", "BYMONTHDAY=28,29"}.at(pick(0, 2)) << "BYSETPOS=-1"; break;
            }
        }
        if (freq == "YEARLY") {
            switch (pick(0, 4)) {
            case 0: break;
            case 1: parts << "BYMONTH=" + someOf(months, 2) << "BYMONTHDAY=" + someOf(monthDays, 2); break;
            case 2: parts << "BYMONTHDAY=" + someOf(monthDays, 2); break;
            case 3: parts << "BYMONTH=2" << (chance(50) ? "BYMONTHDAY=29" : "BYMONTHDAY=28,29;BYSETPOS=-1"); break;
            case 4: parts << "BYMONTH=" + someOf(months, 2) << "BYDAY=" + ordinalDay(); break;
            }
        }
        if (chance(20)) {
            parts << "COUNT=" + QString::number(pick(1, 12));
        } else if (freq != "HOURLY" && chance(25)) {
            const QDate last = c.due.addDays(pick(-5, 120));
            if (chance(50))
                parts << "UNTIL=" + last.toString("yyyyMMdd");
            else // another app's timed series ends at an instant near someone's midnight
                parts << "UNTIL=" + QDateTime(last, QTime(0, 0), QTimeZone::utc()).addSecs(pick(-3, 3) * 3600 + pick(-1, 1)).toString("yyyyMMddTHHmmssZ");
        }
        c.rule.rule = parts.join(QLatin1Char(';'));
        c.rule.afterFinishing = freq != "HOURLY" && chance(30);
        for (int n = chance(20) ? pick(1, 3) : 0; n > 0; --n)
            c.rule.exceptions << c.due.addDays(pick(0, 45));
        cases << c;
    }

    QProcess oracle;
    oracle.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(RECURRENCE_ORACLE)});
    ASSERT_TRUE(oracle.waitForStarted());
    for (const Case &c : cases) {
        oracle.write(QStringList{c.rule.rule, c.rule.afterFinishing ? "after" : "fixed", c.due.toString("yyyyMMdd"),
                                 ChoreDates::calendarDay(c.now, c.zone).toString("yyyyMMdd"), QString::fromUtf8(c.zone.id()),
                                 Recurrence::encodeDays(c.rule.exceptions)}
                         .join(QLatin1Char('\t')).toUtf8() + '\n');
    }
    oracle.closeWriteChannel();
    ASSERT_TRUE(oracle.waitForFinished(120000)) << "the oracle did not finish";
    ASSERT_EQ(oracle.exitCode(), 0) << oracle.readAllStandardError().constData();
    const QStringList expected = QString::fromUtf8(oracle.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(expected.size(), cases.size());

    auto store = openStore();
    ChoreChanges changes(*store);
    int mismatches = 0, moved = 0;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const Case &c = cases.at(i);
        FakeClock clock(c.now, c.zone);
        ScopedClock installed(clock);
        Chore *chore = changes.add(fields(QStringLiteral("c"), c.due.addDays(-2).startOfDay(c.zone), c.due.startOfDay(c.zone)), c.rule);
        ASSERT_NE(chore, nullptr);
        ASSERT_TRUE(changes.finish(chore));
        QString got = QStringLiteral("ended");
        if (!chore->isFinished()) {
            ++moved;
            const QDate next = ChoreDates::calendarDay(chore->dueDate(), c.zone);
            QString count = QStringLiteral("-");
            for (const QString &part : chore->recurrence().rule.split(QLatin1Char(';')))
                if (part.startsWith(QLatin1String("COUNT=")))
                    count = part.mid(6);
            got = next.toString("yyyyMMdd") + QLatin1Char(' ') + count;
            EXPECT_EQ(ChoreDates::calendarDay(chore->startDate(), c.zone), next.addDays(-2)) << "the start keeps its distance";
        }
        if (got != expected.at(i) && ++mismatches <= 25) {
            ADD_FAILURE() << qPrintable(c.rule.rule) << (c.rule.afterFinishing ? " after finishing" : "") << " due "
                          << qPrintable(c.due.toString(Qt::ISODate)) << " finished " << qPrintable(c.now.toString(Qt::ISODate))
                          << " " << c.zone.id().constData() << " except " << qPrintable(Recurrence::encodeDays(c.rule.exceptions))
                          << ": app " << qPrintable(got) << ", dateutil " << qPrintable(expected.at(i));
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(moved, cases.size() / 2) << "most cases move on";
}

class ChoreQueryModelTest : public StoreFixture {
protected:
    static QStringList titles(const ChoreQueryModel &model)
    {
        QStringList out;
        for (const Chore *chore : model.rows())
            out << chore->title();
        return out;
    }
    static QDateTime day(int d, int h = 0) { return at("Europe/Berlin", 2026, 5, d, h); }
};

// Active: due, then start, then title as people read numbers and case. Journal: newest end
// first, then start, then title. Each query holds only its own kind.
TEST_F(ChoreQueryModelTest, EachQueryKeepsItsOrder)
{
    auto store = openStore();
    ChoreChanges changes(*store);
    ChoreQueryModel active(store.get(), ChoreQueryModel::Kind::Active);
    ChoreQueryModel journal(store.get(), ChoreQueryModel::Kind::Journal);
    QAbstractItemModelTester t1(&active, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester t2(&journal, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const struct {
        const char *title;
        int start, due;
        std::optional<QDateTime> end;
    } chores[] = {
        {"late", 1, 9, {}}, {"Chore 10", 2, 5, {}}, {"chore 2", 2, 5, {}}, {"early start", 1, 5, {}}, {"CHORE 3", 2, 5, {}},
        {"yesterday", 1, 1, day(19, 10)}, {"today b", 2, 2, day(20, 9)}, {"Today a", 2, 2, day(20, 9)},
        {"today, started earlier", 1, 1, day(20, 9)}, {"this evening", 5, 5, day(20, 22)},
    };
    for (const auto &c : chores) {
        ChoreFields f = fields(QString::fromUtf8(c.title), day(c.start), day(c.due));
        f.endDate = c.end;
        changes.add(f);
    }
    EXPECT_EQ(titles(active), (QStringList{"early start", "chore 2", "CHORE 3", "Chore 10", "late"}));
    EXPECT_EQ(titles(journal), (QStringList{"this evening", "today, started earlier", "Today a", "today b", "yesterday"}));

    // Live changes move rows with row signals (checked by the testers), never a reset.
    QSignalSpy resets(&active, &QAbstractItemModel::modelReset);
    QSignalSpy journalResets(&journal, &QAbstractItemModel::modelReset);
    ASSERT_TRUE(assign(changes, active.at(4), &ChoreFields::dueDate, day(1)));
    ASSERT_TRUE(changes.finish(active.at(1)));
    ASSERT_TRUE(assign(changes, active.at(2), &ChoreFields::title, QStringLiteral("CHORE 3 renamed")));
    ASSERT_TRUE(changes.remove(active.at(3)));
    EXPECT_EQ(titles(active), (QStringList{"late", "chore 2", "CHORE 3 renamed"}));
    EXPECT_EQ(titles(journal).first(), QStringLiteral("early start"));
    EXPECT_EQ(resets.count() + journalResets.count(), 0);
}

// Chores tied on their dates go by title as the locale's collator orders them, numbers by value
// and case ignored, also where titles of plain letters and digits compare without it.
TEST_F(ChoreQueryModelTest, TiedChoresGoByTitleAsTheCollatorOrdersThem)
{
    const char *names[] = {"Chore 10", "chore 9", "Chore 9", "Chore", "Chore 9 b", "Chore 900", "Chore9", "chata",
                           "hrad", "Hrad 2", "Ärmel", "Zebra", "zebra 1", "Chore 09", "Chore, 5", "Chore  2",
                           "Chore 18446744073709551615", "Chore 2x", "Chore 10 a", "a 1 2", "a 12", "aa", "Ab", "b",
                           "z 0", "Ø", "1", "Chore 1\u0663"};
    auto store = openStore();
    ChoreChanges changes(*store);
    QStringList added;
    for (const char *name : names) {
        added << QString::fromUtf8(name);
        ASSERT_NE(changes.add(fields(added.last(), day(1), day(5))), nullptr);
    }
    const QLocale before;
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German),
                                  QLocale(QLocale::Czech), QLocale(QLocale::Danish)}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        ChoreQueryModel active(store.get(), ChoreQueryModel::Kind::Active);
        QCollator collator(locale);
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        // Titles the collator finds equal keep the order they were added in.
        QStringList expected = added;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
        EXPECT_EQ(titles(active), expected);
    }
    QLocale::setDefault(before);
}

// The store keeps only the newest finished chores in memory; the journal of a reopened store
// must still be the page the whole file gives, through deletes, finishing, restores and odd
// stored end dates, and backups must still hold every chore.
TEST_F(ChoreQueryModelTest, JournalOfAReopenedLargeStoreIsTheWholeFilesPage)
{
    const QDateTime base = day(10);
    {
        // 306 finished in runs of four sharing an end date (the 300th shares its end with the
        // 299th and 301st), every other one started a day earlier; two active.
        QList<ChoreFields> all;
        for (int i = 0; i < 306; ++i) {
            ChoreFields f = fields(QStringLiteral("t%1").arg(i, 3, 10, QLatin1Char('0')), day(1 + i % 2), day(9));
            f.endDate = base.addSecs(60 * (i / 4));
            all << f;
        }
        all << fields(QStringLiteral("active a"), day(1), day(20)) << fields(QStringLiteral("active b"), day(2), day(21));
        ASSERT_TRUE(ChoreChanges(*openStore()).addAll(all).has_value());
    }
    {
        auto store = openStore();
        EXPECT_LT(store->chores().size(), 310u);
        const ChoreBackup::Decoded backup = ChoreBackup::decode(ChoreBackup::encode(*store).bytes);
        EXPECT_EQ(backup.error, QString());
        EXPECT_EQ(backup.chores.size(), 308);
        int events = 0;
        ASSERT_TRUE(CalendarExport::encode(*store, &events).has_value());
        EXPECT_EQ(events, 2);
    }
    // Odd end dates another program may have written: text, absurd numbers, a fraction of a
    // millisecond in 1970, and one just past the largest readable instant.
    rawExec({QStringLiteral("INSERT INTO Chore (title, startDate, dueDate, endDate) VALUES"
                            " ('odd text', 0, 0, 'soon'), ('odd huge', 0, 0, 9000000000000000000),"
                            " ('odd negative', 0, 0, -9000000000000000000), ('odd 1970', 0, 0, 1.5),"
                            " ('odd far', 0, 0, 3162240000000000.5)")});

    FakeClock clock(day(25), VelmoraTest::zone("Europe/Berlin"));
    ScopedClock installed(clock);
    auto store = openStore();
    ChoreChanges changes(*store);
    EXPECT_LT(store->chores().size(), 320u);
    ChoreQueryModel journal(store.get(), ChoreQueryModel::Kind::Journal);
    QAbstractItemModelTester tester(&journal, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&journal, &QAbstractItemModel::modelReset);

    // The page as if every stored chore were in memory: the whole file, sorted.
    const auto wholePage = [&] {
        struct Row { qint64 id; ChoreFields f; };
        std::vector<Row> finished;
        EXPECT_TRUE(store->forEachStored([&](qint64 id, const ChoreFields &f) {
            if (f.endDate)
                finished.push_back({id, f});
            return true;
        }));
        const auto key = [](const QDateTime &d) { return d.isValid() ? d.toMSecsSinceEpoch() : LLONG_MIN; };
        std::sort(finished.begin(), finished.end(), [&](const Row &a, const Row &b) {
            const auto ka = std::tuple(-(key(*a.f.endDate) + 1), key(a.f.startDate), a.f.title, a.id);
            return ka < std::tuple(-(key(*b.f.endDate) + 1), key(b.f.startDate), b.f.title, b.id);
        });
        std::vector<qint64> ids;
        for (size_t i = 0; i < finished.size() && i < 300; ++i)
            ids.push_back(finished[i].id);
        return ids;
    };
    const auto shown = [&] {
        std::vector<qint64> ids;
        for (const Chore *chore : journal.rows())
            ids.push_back(chore->persistentId());
        return ids;
    };
    const auto titled = [&](const QString &title) {
        const auto &all = store->chores();
        const auto it = std::find_if(all.begin(), all.end(), [&](Chore *c) { return c->title() == title; });
        return it == all.end() ? nullptr : *it;
    };

    struct Step {
        const char *name;
        int times;
        std::function<void()> act;
    } steps[] = {
        {"reopened", 1, [] {}},
        {"finishing goes on top", 1, [&] { ASSERT_TRUE(changes.finish(titled(QStringLiteral("active a")))); }},
        {"restored chores land in place, shown or not", 1, [&] {
             ChoreFields middle = fields(QStringLiteral("t150 restored"), day(1), day(9));
             middle.endDate = base.addSecs(60 * 50);
             ChoreFields ancient = fields(QStringLiteral("ancient"), day(1), day(9));
             ancient.endDate = at("Europe/Berlin", 2000, 1, 1);
             ASSERT_TRUE(changes.addAll({ancient, middle}));
         }},
        {"deleting the top one", 1, [&] { ASSERT_TRUE(changes.remove(journal.at(0))); }},
        {"an end date moved far back", 1, [&] {
             ASSERT_TRUE(assign(changes, journal.at(3), &ChoreFields::endDate, std::optional(at("Europe/Berlin", 1990, 1, 1)))); }},
        // Down past every ordinary one into the 1970 fraction and the unreadable ones.
        {"deleting the last shown one", 12, [&] { ASSERT_TRUE(changes.remove(journal.at(journal.rowCount() - 1))); }},
        {"deleting one in the middle", 5, [&] { ASSERT_TRUE(changes.remove(journal.at(150))); }},
    };
    for (const Step &step : steps) {
        for (int n = 0; n < step.times; ++n) {
            SCOPED_TRACE(testing::Message() << step.name << " #" << n);
            step.act();
            EXPECT_EQ(shown(), wholePage());
        }
    }
    EXPECT_EQ(resets.count(), 0);
}

// The tile's counts (model roles) and the detail screen's (ChoreCountdown) follow the app's day
// across midnight and a moved due date, and the model announces only the day roles for it.
TEST_F(ChoreQueryModelTest, DayCountsFollowTheDayAndTheDueDate)
{
    FakeClock clock(day(20, 23), zone("Europe/Berlin"));
    ScopedClock installed(clock);
    auto store = openStore();
    ChoreQueryModel model(store.get(), ChoreQueryModel::Kind::Active);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ChoreChanges changes(*store);
    Chore *soon = changes.add(fields(QStringLiteral("soon"), day(18), day(21, 8)));
    changes.add(fields(QStringLiteral("later"), day(18), day(30)));
    ChoreCountdown countdown;
    countdown.setChore(soon);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy counts(&countdown, &ChoreCountdown::countsChanged);
    const QList<int> dayRoles{ChoreQueryModel::DaysLeftRole, ChoreQueryModel::TimeLeftRole};

    QSignalSpy planned(soon, &Chore::plannedDaysChanged);
    struct Step {
        QDateTime now;
        std::optional<QDateTime> due; // set: the due date moves, not the day
        int daysLeft;
        const char *tile;
        const char *detail;
    } steps[] = {
        {day(20, 23), {}, 1, "1 days", "1 days left"},
        {day(21, 0).addSecs(300), {}, 0, "today", "today"},
        // Overdue: the tile says so; the detail screen clamps the count to today.
        {day(22, 12), {}, 0, "overdue", "today"},
        // A later due date recounts the row in place and the open detail screen.
        {day(22, 12), day(24), 2, "2 days", "2 days left"},
    };
    for (const Step &step : steps) {
        clock.setNow(step.now);
        changed.clear();
        counts.clear();
        if (step.due) {
            ASSERT_TRUE(assign(changes, soon, &ChoreFields::dueDate, *step.due));
        } else {
            model.setToday(ChoreDates::startOfDay(step.now));
            countdown.setToday(ChoreDates::startOfDay(step.now));
        }
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 0);
        EXPECT_EQ(changed.at(0).at(1).value<QModelIndex>().row(), step.due ? 0 : 1);
        EXPECT_EQ(changed.at(0).at(2).value<QList<int>>(), dayRoles);
        EXPECT_EQ(counts.count(), 1);
        EXPECT_EQ(model.data(model.index(0), ChoreQueryModel::DaysLeftRole).toInt(), step.daysLeft);
        EXPECT_EQ(model.data(model.index(0), ChoreQueryModel::TimeLeftRole).toString(), QString::fromUtf8(step.tile));
        EXPECT_EQ(countdown.daysLeft(), step.daysLeft);
        EXPECT_EQ(countdown.timeLeftText(), QString::fromUtf8(step.detail));
    }
    EXPECT_EQ(planned.count(), 1);
    EXPECT_EQ(soon->plannedDays(), 6);
}

} // namespace
