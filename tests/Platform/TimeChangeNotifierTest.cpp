#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

constexpr int hourMs = 3600 * 1000;
// Long enough that the poll never runs during a test: checks are driven by hand.
constexpr int quietPollMs = 10 * hourMs;

struct TickCase {
    const char *name;
    const char *zone;
    QDateTime start;
    qint64 advanceMs;
    bool fires;
};

class TimeChangeTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(TimeChangeTick, FiresOnlyWhenTheLocalDayChanges)
{
    const TickCase &c = GetParam();
    FakeClock clock(c.start, zone(c.zone));
    ScopedClock installed(clock);
    SystemTimeChangeNotifier notifier(nullptr, quietPollMs);
    QSignalSpy spy(&notifier, &TimeChangeNotifier::significantTimeChange);

    clock.advance(c.advanceMs);
    notifier.check();
    EXPECT_EQ(spy.count(), c.fires ? 1 : 0);

    // Nothing more happened: a second check stays quiet.
    notifier.check();
    EXPECT_EQ(spy.count(), c.fires ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Days, TimeChangeTick,
    ::testing::Values(
        TickCase{"NormalTickMidday", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10, 12, 0), 20000, false},
        TickCase{"TickJustBeforeMidnight", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10, 23, 59), 50000, false},
        TickCase{"MidnightBeforeSpringForward", "Europe/Berlin", at("Europe/Berlin", 2026, 3, 28, 23, 59), 120000, true},
        TickCase{"MidnightAfterShortDay", "Europe/Berlin", at("Europe/Berlin", 2026, 3, 29, 23, 59), 120000, true},
        // 02:00 to 03:00 is skipped: 90 real minutes from 01:30 reach 04:00, still the same day.
        TickCase{"AcrossSkippedHour", "Europe/Berlin", at("Europe/Berlin", 2026, 3, 29, 1, 30), 90 * 60000, false},
        TickCase{"AcrossRepeatedHour", "Europe/Berlin", at("Europe/Berlin", 2026, 10, 25, 1, 30), 3 * hourMs, false},
        // The 25-hour day: 24 real hours after 00:30 it is 23:30 of the same day.
        TickCase{"LongDayNotOverYet", "Europe/Berlin", at("Europe/Berlin", 2026, 10, 25, 0, 30), 24LL * hourMs, false},
        TickCase{"LongDayOver", "Europe/Berlin", at("Europe/Berlin", 2026, 10, 25, 0, 30), 25LL * hourMs, true},
        // Sao Paulo skipped midnight: 23:59 plus 90 seconds is 01:00:30 of the next day.
        TickCase{"SkippedMidnight", "America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 3, 23, 59), 90000, true},
        TickCase{"AfterSkippedMidnight", "America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 4, 1, 0), 20000, false}),
    [](const auto &info) { return std::string(info.param.name); });

// Changes that are not midnights: a new zone, the clock set by hand, a resume from suspend
// (the monotonic clock stood still while the wall clock moved on); a small drift is none.
TEST(TimeChangeNotifier, NoticesTheClockMovingOtherThanByTime)
{
    const struct {
        const char *name;
        qint64 advanceMs;
        qint64 jumpMs;
        const char *zone;
        bool fires;
    } cases[] = {
        {"zone change on the same day", 1000, 0, "Europe/Paris", true},
        {"clock set back a day", 0, -24LL * hourMs, "Europe/Berlin", true},
        {"clock set on a minute within the day", 10000, 60000, "Europe/Berlin", true},
        {"resume from suspend", 0, 2LL * hourMs, "Europe/Berlin", true},
        {"small drift", 20000, SystemTimeChangeNotifier::jumpToleranceMs - 500, "Europe/Berlin", false},
    };
    for (const auto &c : cases) {
        FakeClock clock(at("Europe/Berlin", 2026, 5, 10, 12, 0), zone("Europe/Berlin"));
        ScopedClock installed(clock);
        SystemTimeChangeNotifier notifier(nullptr, quietPollMs);
        QSignalSpy spy(&notifier, &TimeChangeNotifier::significantTimeChange);
        clock.advance(c.advanceMs);
        clock.jumpWallClock(c.jumpMs);
        clock.setTimeZone(zone(c.zone));
        notifier.check();
        notifier.check();
        EXPECT_EQ(spy.count(), c.fires ? 1 : 0) << c.name;
    }
}

TEST(TimeChangeNotifierTimer, AimsAtTheFirstMomentOfTheNextDay)
{
    struct Case {
        QDateTime start;
        const char *zone;
        qint64 expectedMs;
    };
    const Case cases[] = {
        {at("Europe/Berlin", 2026, 5, 10, 23, 59), "Europe/Berlin", 60000},
        // The night into the short day is an ordinary hour long at its end.
        {at("Europe/Berlin", 2026, 3, 28, 23, 0), "Europe/Berlin", hourMs},
        // Midnight is skipped: the next day begins at 01:00, one real hour after 23:00.
        {at("America/Sao_Paulo", 2018, 11, 3, 23, 0), "America/Sao_Paulo", hourMs},
    };
    for (const Case &c : cases) {
        FakeClock clock(c.start, zone(c.zone));
        ScopedClock installed(clock);
        SystemTimeChangeNotifier notifier(nullptr, quietPollMs);
        EXPECT_NEAR(notifier.midnightTimerIntervalMs(), c.expectedMs, 1000) << c.start.toString(Qt::ISODate).toStdString();
    }
}

TEST(TimeChangeNotifierTimer, MidnightTimerFiresWithoutAPoll)
{
    FakeClock clock(at("Europe/Berlin", 2026, 5, 10, 23, 59).addSecs(59), zone("Europe/Berlin"));
    ScopedClock installed(clock);
    SystemTimeChangeNotifier notifier(nullptr, quietPollMs);
    QSignalSpy spy(&notifier, &TimeChangeNotifier::significantTimeChange);
    clock.advance(1000);
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return spy.count() == 1; }, 4000));
}

} // namespace
