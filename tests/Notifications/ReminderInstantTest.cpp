#include "Velmora/Notifications/NotificationsManager.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

struct InstantCase {
    const char *name;
    const char *zone;
    QDateTime due;
    double notificationTime;
    // Expected wall-clock reading of the reminder in the zone, and the instant itself.
    QDateTime expected;
};

class ReminderInstant : public ::testing::TestWithParam<InstantCase> {};

TEST_P(ReminderInstant, FallsOnTheDueDayAtTheChosenMinute)
{
    const InstantCase &c = GetParam();
    const std::optional<QDateTime> instant = NotificationsManager::reminderInstant(c.due, c.notificationTime, zone(c.zone));
    ASSERT_TRUE(instant.has_value());
    EXPECT_EQ(instant->toMSecsSinceEpoch(), c.expected.toMSecsSinceEpoch())
        << instant->toTimeZone(zone(c.zone)).toString(Qt::ISODate).toStdString();
}

QDateTime utc(int y, int m, int d, int h, int min)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), QTimeZone::utc());
}

INSTANTIATE_TEST_SUITE_P(
    Days, ReminderInstant,
    ::testing::Values(
        InstantCase{"Midnight", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10), 0, at("Europe/Berlin", 2026, 5, 10, 0, 0)},
        InstantCase{"LastSecondOfFirstHour", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10), 3599, at("Europe/Berlin", 2026, 5, 10, 0, 59)},
        InstantCase{"LastMinute", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10), 23 * 3600 + 59 * 60, at("Europe/Berlin", 2026, 5, 10, 23, 59)},
        InstantCase{"LastSecond", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10), 86399.99, at("Europe/Berlin", 2026, 5, 10, 23, 59)},
        InstantCase{"FractionTruncated", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10), 32459.9, at("Europe/Berlin", 2026, 5, 10, 9, 0)},
        // Truncation toward zero: -30 s is 0 h 0 min.
        InstantCase{"SmallNegative", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10), -30, at("Europe/Berlin", 2026, 5, 10, 0, 0)},
        InstantCase{"DueInTheEvening", "Europe/Berlin", at("Europe/Berlin", 2026, 5, 10, 23, 45), 32400, at("Europe/Berlin", 2026, 5, 10, 9, 0)},
        // 23:30 in Berlin is already the next morning in Tokyo.
        InstantCase{"DueDayInTheUsersZone", "Asia/Tokyo", at("Europe/Berlin", 2026, 5, 10, 23, 30), 32400, at("Asia/Tokyo", 2026, 5, 11, 9, 0)},
        // 02:30 does not exist on the spring-forward day: the next existing time is 03:00.
        InstantCase{"SkippedHour", "Europe/Berlin", at("Europe/Berlin", 2026, 3, 29), 9000, utc(2026, 3, 29, 1, 0)},
        InstantCase{"SkippedHourStart", "Europe/Berlin", at("Europe/Berlin", 2026, 3, 29), 7200, utc(2026, 3, 29, 1, 0)},
        InstantCase{"AfterSkippedHour", "Europe/Berlin", at("Europe/Berlin", 2026, 3, 29), 3 * 3600 + 60, utc(2026, 3, 29, 1, 1)},
        // 02:30 happens twice on the fall-back day: the first, still in summer time.
        InstantCase{"RepeatedHour", "Europe/Berlin", at("Europe/Berlin", 2026, 10, 25), 9000, utc(2026, 10, 25, 0, 30)},
        // Sao Paulo skipped midnight on DST start in 2018: the day began at 01:00.
        InstantCase{"SkippedMidnight", "America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 4, 12, 0), 0, utc(2018, 11, 4, 3, 0)},
        InstantCase{"InsideSkippedMidnightHour", "America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 4, 12, 0), 1800, utc(2018, 11, 4, 3, 0)},
        InstantCase{"YearOne", "Europe/Berlin", QDateTime(QDate(1, 1, 1), QTime(12, 0), QTimeZone::utc()), 32400,
                    QDateTime(QDate(1, 1, 1), QTime(9, 0), zone("Europe/Berlin"))},
        InstantCase{"Year9999", "Europe/Berlin", at("Europe/Berlin", 9999, 12, 31, 12, 0), 86340, at("Europe/Berlin", 9999, 12, 31, 23, 59)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ReminderInstantRejects, TimesOutsideTheDayAndBadInput)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const QDateTime due = at("Europe/Berlin", 2026, 5, 10);
    struct Case {
        QDateTime due;
        double seconds;
    };
    const Case cases[] = {
        {due, nan}, {due, inf}, {due, -inf}, {due, 1e300}, {due, -1e300},
        {due, 9.3e18}, {due, -9.3e18}, {due, 86400}, {due, 90000}, {due, -60}, {due, -3600},
        {QDateTime(), 32400},
    };
    for (const Case &c : cases)
        EXPECT_FALSE(NotificationsManager::reminderInstant(c.due, c.seconds, zone("Europe/Berlin")).has_value())
            << c.seconds;
}

} // namespace
