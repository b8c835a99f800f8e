#include "Velmora/App/RefreshDay.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

class RefreshDayTest : public ::testing::Test {
protected:
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 10, 12, 0), zone("Europe/Berlin")};
    ScopedClock installed{clock};
};

TEST_F(RefreshDayTest, StartsAtTheStartOfToday)
{
    RefreshDay day;
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10));
    EXPECT_FALSE(day.observesTimeChanges());
}

TEST_F(RefreshDayTest, AssignsTheDaysStartOnceTheEventLoopRuns)
{
    RefreshDay day;
    QSignalSpy spy(&day, &RefreshDay::dateChanged);
    day.refresh(at("Europe/Berlin", 2026, 5, 12, 21, 45));
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10)) << "still the old day in the same turn";
    EXPECT_EQ(spy.count(), 0);
    settle();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 12));
}

TEST_F(RefreshDayTest, SameDayRefreshStillNotifies)
{
    RefreshDay day;
    QSignalSpy spy(&day, &RefreshDay::dateChanged);
    day.refresh(clock.now());
    settle();
    day.refresh(clock.now().addSecs(60));
    settle();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10));
}

TEST_F(RefreshDayTest, RefreshesLandInCallOrder)
{
    RefreshDay day;
    QList<QDateTime> seen;
    QObject::connect(&day, &RefreshDay::dateChanged, &day, [&] { seen.append(day.date()); });
    day.refresh(at("Europe/Berlin", 2026, 5, 20, 8, 0));
    day.refresh(at("Europe/Berlin", 2026, 5, 3, 8, 0));
    day.refresh(at("Europe/Berlin", 2026, 5, 11, 23, 59));
    settle();
    EXPECT_EQ(seen, (QList<QDateTime>{at("Europe/Berlin", 2026, 5, 20), at("Europe/Berlin", 2026, 5, 3),
                                      at("Europe/Berlin", 2026, 5, 11)}));
}

TEST_F(RefreshDayTest, DayStartsOnDstDays)
{
    struct Case {
        const char *zone;
        QDateTime instant;
        QDateTime expectedUtc;
    };
    const Case cases[] = {
        {"Europe/Berlin", at("Europe/Berlin", 2026, 3, 29, 22, 0), QDateTime(QDate(2026, 3, 28), QTime(23, 0), QTimeZone::utc())},
        {"Europe/Berlin", at("Europe/Berlin", 2026, 10, 25, 23, 30), QDateTime(QDate(2026, 10, 24), QTime(22, 0), QTimeZone::utc())},
        // No midnight that day: it began at 01:00.
        {"America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 4, 12, 0), QDateTime(QDate(2018, 11, 4), QTime(3, 0), QTimeZone::utc())},
    };
    for (const Case &c : cases) {
        clock.setTimeZone(zone(c.zone));
        RefreshDay day;
        day.refresh(c.instant);
        settle();
        EXPECT_EQ(day.date().toMSecsSinceEpoch(), c.expectedUtc.toMSecsSinceEpoch()) << c.zone;
    }
}

TEST_F(RefreshDayTest, ZoneChangeMovesTheDay)
{
    clock.setNow(at("Europe/Berlin", 2026, 5, 10, 23, 30));
    FakeTimeChangeNotifier notifier;
    RefreshDay day(&notifier);
    EXPECT_TRUE(day.observesTimeChanges());
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10));
    // Half past eleven in Berlin is the next morning in Tokyo.
    clock.setTimeZone(zone("Asia/Tokyo"));
    notifier.fire();
    settle();
    EXPECT_EQ(day.date(), at("Asia/Tokyo", 2026, 5, 11));
}

TEST_F(RefreshDayTest, MidnightNoticeMovesToTheNextDay)
{
    clock.setTimeZone(zone("America/Sao_Paulo"));
    clock.setNow(at("America/Sao_Paulo", 2018, 11, 3, 23, 59));
    SystemTimeChangeNotifier notifier(nullptr, 3600 * 1000);
    RefreshDay day(&notifier);
    QSignalSpy spy(&day, &RefreshDay::dateChanged);
    clock.advance(2 * 60000);
    notifier.check();
    settle();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(day.date().toMSecsSinceEpoch(),
              QDateTime(QDate(2018, 11, 4), QTime(3, 0), QTimeZone::utc()).toMSecsSinceEpoch());
}

TEST_F(RefreshDayTest, ClockSetBackMovesTheDayBack)
{
    SystemTimeChangeNotifier notifier(nullptr, 3600 * 1000);
    RefreshDay day(&notifier);
    clock.jumpWallClock(-24LL * 3600 * 1000);
    notifier.check();
    settle();
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 9));
}

TEST_F(RefreshDayTest, OutlivesItsNotifier)
{
    auto notifier = std::make_unique<FakeTimeChangeNotifier>();
    RefreshDay day(notifier.get());
    notifier.reset();
    EXPECT_FALSE(day.observesTimeChanges());
    day.refresh(QDateTime());
    settle();
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10)) << "an invalid instant counts as now";
}

} // namespace
