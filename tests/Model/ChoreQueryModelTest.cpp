#include "StoreFixture.h"

#include "Velmora/Model/CalendarExport.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreCountdown.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <climits>
#include <tuple>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

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
        store->insert(f);
    }
    EXPECT_EQ(titles(active), (QStringList{"early start", "chore 2", "CHORE 3", "Chore 10", "late"}));
    EXPECT_EQ(titles(journal), (QStringList{"this evening", "today, started earlier", "Today a", "today b", "yesterday"}));

    // Live changes move rows with row signals (checked by the testers), never a reset.
    QSignalSpy resets(&active, &QAbstractItemModel::modelReset);
    QSignalSpy journalResets(&journal, &QAbstractItemModel::modelReset);
    ASSERT_TRUE(active.at(4)->assignDueDate(day(1)));
    ASSERT_TRUE(store->finish(active.at(1)));
    ASSERT_TRUE(active.at(2)->assignTitle(QStringLiteral("CHORE 3 renamed")));
    ASSERT_TRUE(store->remove(active.at(3)));
    EXPECT_EQ(titles(active), (QStringList{"late", "chore 2", "CHORE 3 renamed"}));
    EXPECT_EQ(titles(journal).first(), QStringLiteral("early start"));
    EXPECT_EQ(resets.count() + journalResets.count(), 0);
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
        ASSERT_TRUE(openStore()->insertAll(all).has_value());
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
        {"finishing goes on top", 1, [&] { ASSERT_TRUE(store->finish(titled(QStringLiteral("active a")))); }},
        {"restored chores land in place, shown or not", 1, [&] {
             ChoreFields middle = fields(QStringLiteral("t150 restored"), day(1), day(9));
             middle.endDate = base.addSecs(60 * 50);
             ChoreFields ancient = fields(QStringLiteral("ancient"), day(1), day(9));
             ancient.endDate = at("Europe/Berlin", 2000, 1, 1);
             ASSERT_TRUE(store->insertAll({ancient, middle}));
         }},
        {"deleting the top one", 1, [&] { ASSERT_TRUE(store->remove(journal.at(0))); }},
        {"an end date moved far back", 1, [&] { ASSERT_TRUE(journal.at(3)->assignEndDate(at("Europe/Berlin", 1990, 1, 1))); }},
        // Down past every ordinary one into the 1970 fraction and the unreadable ones.
        {"deleting the last shown one", 12, [&] { ASSERT_TRUE(store->remove(journal.at(journal.rowCount() - 1))); }},
        {"deleting one in the middle", 5, [&] { ASSERT_TRUE(store->remove(journal.at(150))); }},
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
    Chore *soon = store->insert(fields(QStringLiteral("soon"), day(18), day(21, 8)));
    store->insert(fields(QStringLiteral("later"), day(18), day(30)));
    ChoreCountdown countdown;
    countdown.setChore(soon);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy counts(&countdown, &ChoreCountdown::countsChanged);
    const QList<int> dayRoles{ChoreQueryModel::DaysLeftRole, ChoreQueryModel::TimeLeftRole};

    struct Step {
        QDateTime now;
        int daysLeft;
        const char *tile;
        const char *detail;
    } steps[] = {
        {day(20, 23), 1, "1 days", "1 days left"},
        {day(21, 0).addSecs(300), 0, "today", "today"},
        // Overdue: the tile says so; the detail screen clamps the count to today.
        {day(22, 12), 0, "overdue", "today"},
    };
    for (const Step &step : steps) {
        clock.setNow(step.now);
        changed.clear();
        counts.clear();
        model.setToday(ChoreDates::startOfDay(step.now));
        countdown.setToday(ChoreDates::startOfDay(step.now));
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 0);
        EXPECT_EQ(changed.at(0).at(1).value<QModelIndex>().row(), 1);
        EXPECT_EQ(changed.at(0).at(2).value<QList<int>>(), dayRoles);
        EXPECT_EQ(counts.count(), 1);
        EXPECT_EQ(model.data(model.index(0), ChoreQueryModel::DaysLeftRole).toInt(), step.daysLeft);
        EXPECT_EQ(model.data(model.index(0), ChoreQueryModel::TimeLeftRole).toString(), QString::fromUtf8(step.tile));
        EXPECT_EQ(countdown.daysLeft(), step.daysLeft);
        EXPECT_EQ(countdown.timeLeftText(), QString::fromUtf8(step.detail));
    }

    // A later due date recounts the row in place and the open detail screen.
    changed.clear();
    counts.clear();
    QSignalSpy planned(soon, &Chore::plannedDaysChanged);
    ASSERT_TRUE(soon->assignDueDate(day(24)));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(2).value<QList<int>>(), dayRoles);
    EXPECT_EQ(model.data(model.index(0), ChoreQueryModel::TimeLeftRole).toString(), QStringLiteral("2 days"));
    EXPECT_EQ(counts.count(), 1);
    EXPECT_EQ(countdown.timeLeftText(), QStringLiteral("2 days left"));
    EXPECT_EQ(planned.count(), 1);
    EXPECT_EQ(soon->plannedDays(), 6);
}

} // namespace
