#include "StoreFixture.h"

#include "Velmora/Model/ChoreCountdown.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

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

TEST_F(ChoreQueryModelTest, ActiveOrderIsDueThenStartThenTitle)
{
    auto store = openStore();
    ChoreQueryModel model(store.get(), ChoreQueryModel::Kind::Active);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    store->insert(fields(QStringLiteral("late"), day(1), day(9)));
    store->insert(fields(QStringLiteral("Chore 10"), day(2), day(5)));
    store->insert(fields(QStringLiteral("chore 2"), day(2), day(5)));
    store->insert(fields(QStringLiteral("early start"), day(1), day(5)));
    store->insert(fields(QStringLiteral("CHORE 3"), day(2), day(5)));
    ChoreFields finished = fields(QStringLiteral("done"), day(1), day(1));
    finished.endDate = day(3);
    store->insert(finished);
    EXPECT_EQ(titles(model), (QStringList{QStringLiteral("early start"), QStringLiteral("chore 2"), QStringLiteral("CHORE 3"),
                                          QStringLiteral("Chore 10"), QStringLiteral("late")}));
}

TEST_F(ChoreQueryModelTest, JournalOrderIsNewestEndFirst)
{
    auto store = openStore();
    ChoreQueryModel journal(store.get(), ChoreQueryModel::Kind::Journal);
    QAbstractItemModelTester tester(&journal, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto finished = [&](const char *title, int start, int end, int endHour) {
        ChoreFields f = fields(QString::fromUtf8(title), day(start), day(start));
        f.endDate = day(end, endHour);
        store->insert(f);
    };
    finished("yesterday", 1, 19, 10);
    finished("today b", 2, 20, 9);
    finished("Today a", 2, 20, 9); // same end and start: by title
    finished("today, started earlier", 1, 20, 9);
    finished("this evening", 5, 20, 22);
    store->insert(fields(QStringLiteral("active"), day(1), day(30)));
    EXPECT_EQ(titles(journal), (QStringList{QStringLiteral("this evening"), QStringLiteral("today, started earlier"),
                                            QStringLiteral("Today a"), QStringLiteral("today b"), QStringLiteral("yesterday")}));
}

TEST_F(ChoreQueryModelTest, FinishingMovesAChoreWithRowSignalsNotResets)
{
    auto store = openStore();
    ChoreQueryModel active(store.get(), ChoreQueryModel::Kind::Active);
    ChoreQueryModel journal(store.get(), ChoreQueryModel::Kind::Journal);
    QAbstractItemModelTester t1(&active, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester t2(&journal, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Chore *a = store->insert(fields(QStringLiteral("a"), day(1), day(2)));
    Chore *b = store->insert(fields(QStringLiteral("b"), day(1), day(3)));
    QSignalSpy resets(&active, &QAbstractItemModel::modelReset);
    QSignalSpy removed(&active, &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(&journal, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&active, &QAbstractItemModel::dataChanged);

    ASSERT_TRUE(store->finish(a));
    EXPECT_EQ(titles(active), QStringList{QStringLiteral("b")});
    EXPECT_EQ(titles(journal), QStringList{QStringLiteral("a")});
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 0);
    EXPECT_EQ(inserted.count(), 1);

    ASSERT_TRUE(b->assignTitle(QStringLiteral("b renamed")));
    EXPECT_EQ(changed.count(), 1);

    // A change of a sort key moves the row.
    Chore *c = store->insert(fields(QStringLiteral("c"), day(1), day(4)));
    ASSERT_TRUE(c->assignDueDate(day(1)));
    EXPECT_EQ(titles(active), (QStringList{QStringLiteral("c"), QStringLiteral("b renamed")}));

    ASSERT_TRUE(store->remove(c));
    EXPECT_EQ(titles(active), QStringList{QStringLiteral("b renamed")});
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(ChoreQueryModelTest, JournalShowsTheThreeHundredNewest)
{
    auto store = openStore();
    for (int i = 0; i < 305; ++i) {
        ChoreFields f = fields(QString::number(i), day(1), day(1));
        f.endDate = day(1).addSecs(60 * i); // chore i finished i minutes after the first
        store->insert(f);
    }
    ChoreQueryModel journal(store.get(), ChoreQueryModel::Kind::Journal);
    QAbstractItemModelTester tester(&journal, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(journal.rowCount(), 300);
    EXPECT_EQ(journal.at(0)->title(), QStringLiteral("304"));
    EXPECT_EQ(journal.at(299)->title(), QStringLiteral("5"));

    // Newly finished goes on top and pushes the oldest shown out of the page.
    Chore *fresh = store->insert(fields(QStringLiteral("fresh"), day(1), day(2)));
    ASSERT_TRUE(fresh->assignEndDate(day(20)));
    ASSERT_EQ(journal.rowCount(), 300);
    EXPECT_EQ(journal.at(0)->title(), QStringLiteral("fresh"));
    EXPECT_EQ(journal.at(299)->title(), QStringLiteral("6"));

    // Deleting a shown one brings the next older one back into the page.
    ASSERT_TRUE(store->remove(journal.at(10)));
    ASSERT_EQ(journal.rowCount(), 300);
    EXPECT_EQ(journal.at(299)->title(), QStringLiteral("5"));

    // A chore finished long ago stays stored but out of sight.
    ChoreFields old = fields(QStringLiteral("ancient"), day(1), day(1));
    old.endDate = at("Europe/Berlin", 2000, 1, 1);
    store->insert(old);
    EXPECT_EQ(journal.rowCount(), 300);
    EXPECT_EQ(store->chores().size(), 306u);
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
