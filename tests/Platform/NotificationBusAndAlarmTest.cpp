#include "Velmora/Platform/NotificationBus.h"
#include "Velmora/Platform/WallClockAlarm.h"
#include "tests/support/TestSupport.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <optional>

using namespace Velmora;

namespace {

// The notification service's two ends on the system; the service itself runs in the background
// test, with the app and a real notification server.

// The real bus client on a machine without a session bus, or with a dead one, says no at once.
TEST(DBusNotificationBusTest, WithoutASessionBusAnswersNoPromptly)
{
    const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const char *address : {static_cast<const char *>(nullptr), "unix:path=/nonexistent/bus-socket"}) {
        if (address)
            qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        else
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        DBusNotificationBus bus;
        QElapsedTimer elapsed;
        elapsed.start();
        std::optional<bool> probed;
        std::optional<bool> shown;
        bus.probeServer([&](bool ok) { probed = ok; });
        bus.notify(QStringLiteral("t"), QStringLiteral("b"), true, {}, [&](bool ok, uint) { shown = ok; });
        EXPECT_FALSE(probed.has_value());
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return probed && shown; }, 3000)) << (address ? address : "unset");
        EXPECT_FALSE(*probed);
        EXPECT_FALSE(*shown);
        EXPECT_LT(elapsed.elapsed(), 2000);
    }
    if (saved.isNull())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
}

TEST(TimerFdWallClockAlarmTest, RingsAtItsInstantAndAtOnceWhenItHasPassed)
{
    for (const qint64 offsetMs : {150LL, -60000LL}) {
        TimerFdWallClockAlarm alarm;
        QElapsedTimer elapsed;
        bool rang = false;
        QObject::connect(&alarm, &WallClockAlarm::rang, [&] { rang = true; });
        elapsed.start();
        alarm.arm(QDateTime::currentDateTimeUtc().addMSecs(offsetMs));
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return rang; }, 3000)) << offsetMs;
        EXPECT_GE(elapsed.elapsed(), std::max<qint64>(0, offsetMs - 20)) << offsetMs;
    }
    TimerFdWallClockAlarm disarmed;
    bool rang = false;
    QObject::connect(&disarmed, &WallClockAlarm::rang, [&] { rang = true; });
    disarmed.arm(QDateTime::currentDateTimeUtc().addMSecs(100));
    disarmed.disarm();
    EXPECT_FALSE(VelmoraTest::waitFor([&] { return rang; }, 400));
}

} // namespace
