// The store against raw SQLite running the same statements on the same machine in the same run.
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/JournalCalendar.h"
#include "Velmora/Screens/JournalGroups.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <climits>
#include <functional>

using namespace Velmora;

namespace {

QTemporaryDir *g_dir = nullptr;

QString path(const char *name)
{
    return g_dir->filePath(QString::fromLatin1(name));
}

ChoreFields sample(int i)
{
    ChoreFields f = ChoreFields::defaults();
    f.title = QStringLiteral("Chore number %1").arg(i);
    f.dueDate = ChoreDates::addDays(f.startDate, i % 400);
    if (i % 3 == 0)
        f.endDate = f.startDate.addSecs(i);
    f.notify = i % 2;
    return f;
}

// One row as the store writes it, through a prepared INSERT of the seven fields.
void insertRaw(sqlite3_stmt *insert, const ChoreFields &f)
{
    const QByteArray title = f.title.toUtf8();
    const QByteArray color = f.colorComponents.encode();
    sqlite3_bind_text(insert, 1, title.constData(), int(title.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 2, color.constData(), int(color.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert, 3, f.startDate.toMSecsSinceEpoch());
    sqlite3_bind_int64(insert, 4, f.dueDate.toMSecsSinceEpoch());
    if (f.endDate)
        sqlite3_bind_int64(insert, 5, f.endDate->toMSecsSinceEpoch());
    else
        sqlite3_bind_null(insert, 5);
    sqlite3_bind_int(insert, 6, f.notify);
    sqlite3_bind_double(insert, 7, f.notificationTime);
    sqlite3_step(insert);
    sqlite3_reset(insert);
}

// A file made once through the store, filled in one transaction: only the reading is measured.
QString makeFile(const char *name, int rows, const std::function<ChoreFields(int)> &chore)
{
    const QString p = path(name);
    { ChoreStore store; store.open(p); }
    sqlite3 *db = nullptr;
    sqlite3_open(p.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Chore (title, colorComponents, startDate, dueDate, endDate, notify, notificationTime)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &insert, nullptr);
    for (int i = 0; i < rows; ++i)
        insertRaw(insert, chore(i));
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return p;
}

// 10,000 chores, a third of them finished; and 300 active ones beside 100,000 finished ones.
const QString &storeFile(int which)
{
    static const QString tenThousand = makeFile("ten-thousand.sqlite", 10000, sample);
    static const QString largeJournal = makeFile("large-journal.sqlite", 100300, [](int i) {
        ChoreFields f = sample(i);
        f.endDate = i < 300 ? std::nullopt : std::optional(f.startDate.addSecs(-60LL * i));
        return f;
    });
    return which == 0 ? tenThousand : largeJournal;
}

// Opening, then the first 300 rows of the active query (range 0), or none (range 1), and of
// the journal.
void StoreOpenAndFetchActive300(benchmark::State &state)
{
    const QString &file = storeFile(int(state.range(1)));
    for (auto _ : state) {
        auto store = std::make_unique<ChoreStore>();
        store->open(file);
        if (state.range(0) == 0) {
            auto active = std::make_unique<ChoreQueryModel>(store.get(), ChoreQueryModel::Kind::Active);
            auto journal = std::make_unique<ChoreQueryModel>(store.get(), ChoreQueryModel::Kind::Journal);
            for (int row = 0; row < 300 && row < active->rowCount(); ++row)
                benchmark::DoNotOptimize(active->at(row)->title());
            for (int row = 0; row < journal->rowCount(); ++row)
                benchmark::DoNotOptimize(journal->at(row)->title());
            state.PauseTiming(); active.reset(); journal.reset(); state.ResumeTiming();
        }
        state.PauseTiming(); store.reset(); state.ResumeTiming();
    }
}
BENCHMARK(StoreOpenAndFetchActive300)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);

// 20,000 active chores, none repeating (range 0) or each repeating with 40 exceptions ahead
// (range 1): opened as the app starts, with the owner of changes looking over the rules.
void StoreOpenRepeating20000(benchmark::State &state)
{
    static const QString plain = makeFile("plain-20000.sqlite", 20000, [](int i) {
        ChoreFields f = sample(i);
        f.endDate.reset();
        return f;
    });
    static const QString repeating = [] {
        const QString p = path("repeating-20000.sqlite");
        QFile::copy(plain, p);
        sqlite3 *db = nullptr;
        sqlite3_open(p.toUtf8().constData(), &db);
        QStringList days;
        for (int d = 0; d < 40; ++d)
            days << QDate(2027, 1, 4).addDays(7 * d).toString(QStringLiteral("yyyyMMdd"));
        const QByteArray sql = QStringLiteral("INSERT INTO ChoreRecurrence (chore, rule, exceptions)"
                                              " SELECT id, 'FREQ=WEEKLY;BYDAY=MO,TH', '%1' FROM Chore").arg(days.join(u',')).toUtf8();
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return p;
    }();
    const QString &file = state.range(0) == 0 ? plain : repeating;
    for (auto _ : state) {
        auto store = std::make_unique<ChoreStore>();
        store->open(file);
        auto changes = std::make_unique<ChoreChanges>(*store);
        auto active = std::make_unique<ChoreQueryModel>(store.get(), ChoreQueryModel::Kind::Active);
        for (int row = 0; row < 300 && row < active->rowCount(); ++row)
            benchmark::DoNotOptimize(active->at(row)->title());
        state.PauseTiming(); active.reset(); changes.reset(); store.reset(); state.ResumeTiming();
    }
}
BENCHMARK(StoreOpenRepeating20000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first write after opening checks the whole file once: its cost with a large journal.
void StoreFirstWriteAfterOpening(benchmark::State &state)
{
    const QString &file = storeFile(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<ChoreStore>();
        store->open(file);
        auto changes = std::make_unique<ChoreChanges>(*store);
        Chore *chore = store->chores().front();
        ChoreFields next = chore->fields();
        next.notify = !next.notify;
        state.ResumeTiming();
        changes->update(chore, next);
        state.PauseTiming(); changes.reset(); store.reset(); state.ResumeTiming();
    }
}
BENCHMARK(StoreFirstWriteAfterOpening)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int step(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
        ++rows;
    sqlite3_finalize(statement);
    return rows;
}

// The statements the store runs at opening, with rows read into plain values and both
// queries' first 300 rows sorted as they sort.
void RawSqliteOpenAndFetchActive300(benchmark::State &state)
{
    const QByteArray file = storeFile(int(state.range(0))).toUtf8();
    for (auto _ : state) {
        sqlite3 *db = nullptr;
        sqlite3_open(file.constData(), &db);
        step(db, "PRAGMA user_version");
        step(db, "SELECT count(*) FROM sqlite_master");
        step(db, "PRAGMA table_info(Chore)");
        struct Row { qint64 id; QString title; qint64 start, due, end; bool ended; };
        std::vector<Row> rows;
        const auto read = [&](const char *where) {
            sqlite3_stmt *select = nullptr;
            sqlite3_prepare_v2(db, (QByteArray("SELECT id, title, colorComponents, startDate, dueDate, endDate, notify,"
                                               " notificationTime FROM Chore ") + where).constData(), -1, &select, nullptr);
            while (sqlite3_step(select) == SQLITE_ROW) {
                rows.push_back({sqlite3_column_int64(select, 0),
                                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 1))),
                                sqlite3_column_int64(select, 3), sqlite3_column_int64(select, 4),
                                sqlite3_column_int64(select, 5), sqlite3_column_type(select, 5) != SQLITE_NULL});
            }
            sqlite3_finalize(select);
        };
        read("WHERE endDate IS NULL");
        sqlite3_stmt *cut = nullptr;
        sqlite3_prepare_v2(db, "SELECT endDate FROM Chore WHERE endDate IS NOT NULL ORDER BY endDate DESC LIMIT 1 OFFSET 299",
                           -1, &cut, nullptr);
        const qint64 floor = sqlite3_step(cut) == SQLITE_ROW ? sqlite3_column_int64(cut, 0) : LLONG_MIN;
        sqlite3_finalize(cut);
        read(QByteArray("WHERE endDate >= ").append(QByteArray::number(floor)).constData());
        step(db, "PRAGMA journal_mode=WAL");
        step(db, "PRAGMA synchronous=NORMAL");
        const auto split = std::partition(rows.begin(), rows.end(), [](const Row &r) { return !r.ended; });
        std::sort(rows.begin(), split, [](const Row &a, const Row &b) {
            return a.due != b.due ? a.due < b.due : a.start != b.start ? a.start < b.start : a.title < b.title;
        });
        std::sort(split, rows.end(), [](const Row &a, const Row &b) {
            return a.end != b.end ? a.end > b.end : a.start != b.start ? a.start < b.start : a.title < b.title;
        });
        benchmark::DoNotOptimize(rows.data());
        sqlite3_close(db);
    }
}
BENCHMARK(RawSqliteOpenAndFetchActive300)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void StoreFieldAssignment(benchmark::State &state)
{
    QFile::remove(path("assign.sqlite"));
    ChoreStore store;
    store.open(path("assign.sqlite"));
    ChoreChanges changes(store);
    Chore *chore = changes.add(sample(1));
    ChoreFields next = chore->fields();
    int i = 0;
    for (auto _ : state) {
        next.notificationTime = ++i;
        changes.update(chore, next);
    }
}
BENCHMARK(StoreFieldAssignment)->Unit(benchmark::kMicrosecond);

void RawSqliteFieldAssignment(benchmark::State &state)
{
    QFile::remove(path("assign-raw.sqlite"));
    {
        ChoreStore store;
        store.open(path("assign-raw.sqlite"));
        ChoreChanges(store).add(sample(1));
    }
    sqlite3 *db = nullptr;
    sqlite3_open(path("assign-raw.sqlite").toUtf8().constData(), &db);
    step(db, "PRAGMA journal_mode=WAL");
    step(db, "PRAGMA synchronous=NORMAL");
    sqlite3_stmt *update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE Chore SET notificationTime = ? WHERE id = ?", -1, &update, nullptr);
    int i = 0;
    for (auto _ : state) {
        sqlite3_bind_double(update, 1, ++i);
        sqlite3_bind_int64(update, 2, 1);
        sqlite3_step(update);
        sqlite3_reset(update);
    }
    sqlite3_finalize(update);
    sqlite3_close(db);
}
BENCHMARK(RawSqliteFieldAssignment)->Unit(benchmark::kMicrosecond);

void StoreInsert1000(benchmark::State &state)
{
    std::vector<ChoreFields> samples;
    for (int i = 0; i < 1000; ++i)
        samples.push_back(sample(i));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path("insert.sqlite"));
        QFile::remove(path("insert.sqlite-wal"));
        auto store = std::make_unique<ChoreStore>();
        store->open(path("insert.sqlite"));
        auto changes = std::make_unique<ChoreChanges>(*store);
        state.ResumeTiming();
        for (const ChoreFields &f : samples)
            changes->add(f);
        state.PauseTiming();
        changes.reset();
        store.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StoreInsert1000)->Unit(benchmark::kMillisecond);

void RawSqliteInsert1000(benchmark::State &state)
{
    std::vector<ChoreFields> samples;
    for (int i = 0; i < 1000; ++i)
        samples.push_back(sample(i));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path("insert-raw.sqlite"));
        QFile::remove(path("insert-raw.sqlite-wal"));
        { ChoreStore store; store.open(path("insert-raw.sqlite")); }
        sqlite3 *db = nullptr;
        sqlite3_open(path("insert-raw.sqlite").toUtf8().constData(), &db);
        step(db, "PRAGMA journal_mode=WAL");
        step(db, "PRAGMA synchronous=NORMAL");
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Chore (title, colorComponents, startDate, dueDate, endDate, notify, notificationTime)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &insert, nullptr);
        state.ResumeTiming();
        for (const ChoreFields &f : samples)
            insertRaw(insert, f);
        state.PauseTiming();
        sqlite3_finalize(insert);
        sqlite3_close(db);
        state.ResumeTiming();
    }
}
BENCHMARK(RawSqliteInsert1000)->Unit(benchmark::kMillisecond);

// The journal opening on 300 active + 100,000 finished chores, all ended within the last twelve
// months: its query and its day sections (range 0), and also the calendar of those months,
// counted from the file (range 1). The store is open already, as it is when the journal opens.
void JournalOpen(benchmark::State &state)
{
    const QString &file = storeFile(1);
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<ChoreStore>();
        store->open(file);
        state.ResumeTiming();
        auto journal = std::make_unique<ChoreQueryModel>(store.get(), ChoreQueryModel::Kind::Journal);
        auto groups = std::make_unique<JournalGroups>();
        groups->setQuery(journal.get());
        std::unique_ptr<JournalCalendar> calendar;
        if (state.range(0) == 1) {
            calendar = std::make_unique<JournalCalendar>();
            calendar->setStore(store.get());
            benchmark::DoNotOptimize(calendar->thisMonthCount());
        }
        state.PauseTiming(); calendar.reset(); groups.reset(); journal.reset(); store.reset(); state.ResumeTiming();
    }
}
BENCHMARK(JournalOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Who finished what, as the journal counts it, on the 300 active + 100,000 finished chores, each
// copy finished by one of four members: over the 400 days that hold them all (range 0), beside
// the calendar's own count of the same days (range 1).
void FinishedByMember(benchmark::State &state)
{
    static const QString file = [] {
        const QString copy = path("large-journal-people.sqlite");
        QFile::copy(storeFile(1), copy);
        sqlite3 *db = nullptr;
        sqlite3_open(copy.toUtf8().constData(), &db);
        sqlite3_exec(db, "INSERT INTO ChorePeople (chore, finishedBy) SELECT id, CASE id % 4 WHEN 0 THEN 'Alice'"
                         " WHEN 1 THEN 'Bob' WHEN 2 THEN 'Sam' ELSE 'Kim' END FROM Chore WHERE endDate IS NOT NULL",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return copy;
    }();
    ChoreStore store;
    store.open(file);
    const QTimeZone zone = Clock::current().timeZone();
    const QDate today = ChoreDates::calendarDay(Clock::current().now(), zone);
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(store.finishedByMember(today.addDays(-400), today, zone));
        else
            benchmark::DoNotOptimize(store.finishedPerDay(today.addDays(-400), today, zone));
    }
}
BENCHMARK(FinishedByMember)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void TimeLeftText300(benchmark::State &state)
{
    std::vector<ChoreFields> chores;
    for (int i = 0; i < 300; ++i)
        chores.push_back(sample(i));
    const QDateTime today = ChoreDates::startOfDay(Clock::current().now());
    for (auto _ : state) {
        for (const ChoreFields &f : chores)
            benchmark::DoNotOptimize(ChoreDates::timeLeftText(f, today, true, false));
    }
}
BENCHMARK(TimeLeftText300)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
