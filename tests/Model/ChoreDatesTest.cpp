#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/Clock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

ChoreFields chore(const QDateTime &start, const QDateTime &due, std::optional<QDateTime> end = std::nullopt)
{
    ChoreFields f;
    f.startDate = start;
    f.dueDate = due;
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
        if (std::string(c.name) == "AcrossSpringForward")
            clock.setNow(berlin(3, 28, 12));
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

} // namespace
