#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

QDateTime utc(int y, int m, int d, int h, int min)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), QTimeZone::utc());
}

QDateTime berlin(int month, int day, int hour = 0, int minute = 0)
{
    return at("Europe/Berlin", 2026, month, day, hour, minute);
}

// The reminder falls on the due day, in the user's zone, at the chosen whole minute: the
// instant itself is expected, and the time as read in the zone is shown on failure.
TEST(ReminderInstant, FallsOnTheDueDayAtTheChosenMinute)
{
    const struct {
        const char *name;
        const char *zone;
        QDateTime due;
        double notificationTime;
        QDateTime expected;
    } cases[] = {
        {"midnight", "Europe/Berlin", berlin(5, 10), 0, berlin(5, 10, 0, 0)},
        {"last second", "Europe/Berlin", berlin(5, 10), 86399.99, berlin(5, 10, 23, 59)},
        // Truncation toward zero: -30 s is 0 h 0 min.
        {"small negative", "Europe/Berlin", berlin(5, 10), -30, berlin(5, 10, 0, 0)},
        {"due in the evening", "Europe/Berlin", berlin(5, 10, 23, 45), 32400, berlin(5, 10, 9, 0)},
        // 23:30 in Berlin is already the next morning in Tokyo.
        {"due day in the user's zone", "Asia/Tokyo", berlin(5, 10, 23, 30), 32400, at("Asia/Tokyo", 2026, 5, 11, 9, 0)},
        // 02:00 to 03:00 does not exist on the spring-forward day: the next existing time is 03:00.
        {"start of the skipped hour", "Europe/Berlin", berlin(3, 29), 7200, utc(2026, 3, 29, 1, 0)},
        {"after the skipped hour", "Europe/Berlin", berlin(3, 29), 3 * 3600 + 60, utc(2026, 3, 29, 1, 1)},
        // 02:30 happens twice on the fall-back day: the first, still in summer time.
        {"repeated hour", "Europe/Berlin", berlin(10, 25), 9000, utc(2026, 10, 25, 0, 30)},
        // Sao Paulo skipped midnight on DST start in 2018: the day began at 01:00.
        {"skipped midnight", "America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 4, 12, 0), 0,
         utc(2018, 11, 4, 3, 0)},
        {"year one", "Europe/Berlin", QDateTime(QDate(1, 1, 1), QTime(12, 0), QTimeZone::utc()), 32400,
         QDateTime(QDate(1, 1, 1), QTime(9, 0), zone("Europe/Berlin"))},
        {"year 9999", "Europe/Berlin", at("Europe/Berlin", 9999, 12, 31, 12, 0), 86340,
         at("Europe/Berlin", 9999, 12, 31, 23, 59)},
    };
    for (const auto &c : cases) {
        const auto instant = ChoreDates::reminderInstant(c.due, c.notificationTime, zone(c.zone));
        ASSERT_TRUE(instant.has_value()) << c.name;
        EXPECT_EQ(instant->toMSecsSinceEpoch(), c.expected.toMSecsSinceEpoch())
            << c.name << ": " << instant->toTimeZone(zone(c.zone)).toString(Qt::ISODate).toStdString();
    }
}

TEST(ReminderInstant, RejectsTimesOutsideTheDayAndBadInput)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const QDateTime due = berlin(5, 10);
    const std::pair<QDateTime, double> cases[] = {
        {due, nan}, {due, inf}, {due, -inf}, {due, 1e300}, {due, -1e300},
        {due, 9.3e18}, {due, -9.3e18}, {due, 86400}, {due, 90000}, {due, -60}, {due, -3600},
        {QDateTime(), 32400},
    };
    for (const auto &[day, seconds] : cases)
        EXPECT_FALSE(ChoreDates::reminderInstant(day, seconds, zone("Europe/Berlin")).has_value()) << seconds;
}

// The settings signal only what changed: an answer like the last one is no news.
TEST(NotificationsManagerTest, SignalsOnlyAChangedAnswer)
{
    FakeNotificationBus bus;
    NotificationsManager manager{bus};
    QSignalSpy changes(&manager, &NotificationsManager::settingsChanged);
    const struct {
        bool serverPresent;
        int status;
        int emitted;
    } answers[] = {
        {false, NotificationsManager::Denied, 1},     {false, NotificationsManager::Denied, 1},
        {true, NotificationsManager::Authorized, 2},  {true, NotificationsManager::Authorized, 2},
        {false, NotificationsManager::Denied, 3},
    };
    for (const auto &a : answers) {
        bus.serverPresent = a.serverPresent;
        const int probes = bus.probes;
        manager.refreshSettings();
        QCoreApplication::processEvents();
        ASSERT_EQ(bus.probes, probes + 1);
        EXPECT_EQ(manager.authorizationStatus(), a.status);
        EXPECT_TRUE(manager.hasSettings());
        EXPECT_EQ(changes.count(), a.emitted) << a.serverPresent;
    }
}

} // namespace
