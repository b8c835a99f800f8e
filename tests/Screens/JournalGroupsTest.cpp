#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/JournalGroups.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

class JournalGroupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
    }
    Chore *finished(const QString &title, const QDateTime &end, const QDateTime &start = {})
    {
        ChoreFields f;
        f.title = title;
        f.startDate = start.isValid() ? start : end.addDays(-3);
        f.dueDate = f.startDate;
        f.endDate = end;
        return store.insert(f);
    }
    QList<QStringList> titles() const
    {
        QList<QStringList> out;
        for (const auto &group : groups.groups()) {
            QStringList names;
            for (const Chore *chore : group.chores)
                names << chore->title();
            out << names;
        }
        return out;
    }

    FakeClock clock{at("Europe/Berlin", 2026, 3, 10, 12), zone("Europe/Berlin")};
    ScopedClock installed{clock};
    QTemporaryDir dir;
    ChoreStore store;
    ChoreQueryModel journal{&store, ChoreQueryModel::Kind::Journal};
    JournalGroups groups;
    QAbstractItemModelTester tester{&groups, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

// One section per day, newest first; minutes apart across midnight are two days.
TEST_F(JournalGroupsTest, MinutesApartAcrossMidnightAreTwoDays)
{
    groups.setQuery(&journal);
    finished(QStringLiteral("before"), at("Europe/Berlin", 2026, 3, 9, 23, 59));
    finished(QStringLiteral("t2"), at("Europe/Berlin", 2026, 3, 10, 9));
    finished(QStringLiteral("y1"), at("Europe/Berlin", 2026, 3, 9, 8));
    finished(QStringLiteral("after"), at("Europe/Berlin", 2026, 3, 10, 0, 1));
    EXPECT_EQ(titles(), (QList<QStringList>{{"t2", "after"}, {"before", "y1"}}));
    EXPECT_EQ(groups.data(groups.index(0), JournalGroups::EndDateRole).toDateTime(), at("Europe/Berlin", 2026, 3, 10, 9));

    // In New York "after" happened on 9 March: a change of zone cuts the sections again.
    clock.setTimeZone(zone("America/New_York"));
    groups.regroup();
    EXPECT_EQ(titles(), (QList<QStringList>{{"t2"}, {"after", "before", "y1"}}));
}

TEST_F(JournalGroupsTest, LiveChangesInsertAndRemoveSections)
{
    Chore *old = finished(QStringLiteral("old"), at("Europe/Berlin", 2026, 3, 1, 9));
    groups.setQuery(&journal);
    QSignalSpy inserted(&groups, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&groups, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&groups, &QAbstractItemModel::dataChanged);
    QSignalSpy resets(&groups, &QAbstractItemModel::modelReset);

    // Finishing an active chore puts it at the top of today's section at once.
    ChoreFields active;
    active.title = QStringLiteral("now");
    active.startDate = at("Europe/Berlin", 2026, 3, 8);
    active.dueDate = active.startDate;
    Chore *now = store.insert(active);
    ASSERT_TRUE(store.finish(now));
    EXPECT_EQ(titles(), (QList<QStringList>{{"now"}, {"old"}}));
    EXPECT_EQ(inserted.count(), 1);

    finished(QStringLiteral("later today"), at("Europe/Berlin", 2026, 3, 10, 13));
    EXPECT_EQ(titles(), (QList<QStringList>{{"later today", "now"}, {"old"}}));
    EXPECT_EQ(changed.count(), 1);

    // Deleting the only chore of a day drops that day's section.
    ASSERT_TRUE(store.remove(old));
    EXPECT_EQ(titles(), (QList<QStringList>{{"later today", "now"}}));
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(resets.count(), 0);
}

TEST(JournalGroupsHeader, LongDateWithoutWeekdayOrTime)
{
    const QDateTime end = at("Europe/Berlin", 2026, 3, 10, 23, 30);
    EXPECT_EQ(JournalGroups::headerText(end, zone("Europe/Berlin"), QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("March 10, 2026"));
    EXPECT_EQ(JournalGroups::headerText(end, zone("Europe/Berlin"), QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("10. März 2026"));
    // Already the next day in Tokyo.
    EXPECT_EQ(JournalGroups::headerText(end, zone("Asia/Tokyo"), QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("March 11, 2026"));
    EXPECT_TRUE(JournalGroups::headerText(QDateTime(), zone("Asia/Tokyo"), QLocale()).isEmpty());
}

} // namespace
