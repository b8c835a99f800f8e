#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/NotificationBus.h"
#include "Velmora/Platform/SettingsLock.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WallClockAlarm.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

constexpr qint64 hourMs = 3600 * 1000;
// Long enough that the poll never runs during a test: checks are driven by hand.
constexpr int quietPollMs = 10 * hourMs;

// A notice comes once when the local day changes, across the days the clocks change, and for
// changes that are no midnight: a new zone, the clock set by hand, a resume from suspend (the
// monotonic clock stood still while the wall clock moved on). Time passing within the day, or a
// small drift, is none.
TEST(TimeChangeNotifier, NoticesANewDayAndTheClockMovingOtherThanByTime)
{
    const auto berlin = [](int month, int day, int hour, int minute) {
        return at("Europe/Berlin", 2026, month, day, hour, minute);
    };
    const auto saoPaulo = [](int day, int hour, int minute) {
        return at("America/Sao_Paulo", 2018, 11, day, hour, minute);
    };
    // The clock runs in the zone of start, which is left for newZone where one is given.
    const struct {
        const char *name;
        QDateTime start;
        qint64 advanceMs;
        qint64 jumpMs;
        const char *newZone;
        bool fires;
    } cases[] = {
        {"tick just before midnight", berlin(5, 10, 23, 59), 50000, 0, nullptr, false},
        {"midnight after the short day", berlin(3, 29, 23, 59), 120000, 0, nullptr, true},
        // 02:00 to 03:00 is skipped: 90 real minutes from 01:30 reach 04:00, still the same day.
        {"across the skipped hour", berlin(3, 29, 1, 30), 90 * 60000, 0, nullptr, false},
        {"across the repeated hour", berlin(10, 25, 1, 30), 3 * hourMs, 0, nullptr, false},
        // The 25-hour day: 24 real hours after 00:30 it is 23:30 of the same day.
        {"long day not over yet", berlin(10, 25, 0, 30), 24 * hourMs, 0, nullptr, false},
        {"long day over", berlin(10, 25, 0, 30), 25 * hourMs, 0, nullptr, true},
        // Sao Paulo skipped midnight: 23:59 plus 90 seconds is 01:00:30 of the next day.
        {"skipped midnight", saoPaulo(3, 23, 59), 90000, 0, nullptr, true},
        {"after skipped midnight", saoPaulo(4, 1, 0), 20000, 0, nullptr, false},
        {"zone change on the same day", berlin(5, 10, 12, 0), 1000, 0, "Europe/Paris", true},
        {"clock set back a day", berlin(5, 10, 12, 0), 0, -24 * hourMs, nullptr, true},
        {"clock set on a minute within the day", berlin(5, 10, 12, 0), 10000, 60000, nullptr, true},
        {"resume from suspend", berlin(5, 10, 12, 0), 0, 2 * hourMs, nullptr, true},
        {"small drift", berlin(5, 10, 12, 0), 20000, SystemTimeChangeNotifier::jumpToleranceMs - 500, nullptr, false},
    };
    for (const auto &c : cases) {
        FakeClock clock(c.start, c.start.timeZone());
        ScopedClock installed(clock);
        SystemTimeChangeNotifier notifier(nullptr, quietPollMs);
        QSignalSpy spy(&notifier, &TimeChangeNotifier::significantTimeChange);
        clock.advance(c.advanceMs);
        clock.jumpWallClock(c.jumpMs);
        if (c.newZone)
            clock.setTimeZone(zone(c.newZone));
        notifier.check();
        // Nothing more happened: a second check stays quiet.
        notifier.check();
        EXPECT_EQ(spy.count(), c.fires ? 1 : 0) << c.name;
    }
}

// Without a poll, a timer aims at the first moment of the next day, and fires there.
TEST(TimeChangeNotifier, TheMidnightTimerAimsAtTheNextDaysFirstMoment)
{
    const struct {
        QDateTime start;
        const char *zone;
        qint64 expectedMs;
    } cases[] = {
        {at("Europe/Berlin", 2026, 5, 10, 23, 59), "Europe/Berlin", 60000},
        // The night into the short day is an ordinary hour long at its end.
        {at("Europe/Berlin", 2026, 3, 28, 23, 0), "Europe/Berlin", hourMs},
        // Midnight is skipped: the next day begins at 01:00, one real hour after 23:00.
        {at("America/Sao_Paulo", 2018, 11, 3, 23, 0), "America/Sao_Paulo", hourMs},
    };
    for (const auto &c : cases) {
        FakeClock clock(c.start, zone(c.zone));
        ScopedClock installed(clock);
        SystemTimeChangeNotifier notifier(nullptr, quietPollMs);
        EXPECT_NEAR(notifier.midnightTimerIntervalMs(), c.expectedMs, 1000)
            << c.start.toString(Qt::ISODate).toStdString();
    }
    FakeClock clock(at("Europe/Berlin", 2026, 5, 10, 23, 59).addSecs(59), zone("Europe/Berlin"));
    ScopedClock installed(clock);
    SystemTimeChangeNotifier notifier(nullptr, quietPollMs);
    QSignalSpy spy(&notifier, &TimeChangeNotifier::significantTimeChange);
    clock.advance(1000);
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return spy.count() == 1; }, 4000));
}

// The real bus client on a machine without a session bus, or with a dead one, says no at once.
TEST(DBusNotificationBusTest, WithoutASessionBusAnswersNoPromptly)
{
    const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const auto restore = qScopeGuard([&] {
        saved.isNull() ? qunsetenv("DBUS_SESSION_BUS_ADDRESS") : qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
    });
    for (const char *address : {static_cast<const char *>(nullptr), "unix:path=/nonexistent/bus-socket"}) {
        if (address)
            qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        else
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        DBusNotificationBus bus;
        QElapsedTimer elapsed;
        elapsed.start();
        std::optional<bool> probed, shown;
        bus.probeServer([&](bool ok) { probed = ok; });
        bus.notify(QStringLiteral("t"), QStringLiteral("b"), true, false, {}, [&](bool ok, uint) { shown = ok; });
        EXPECT_FALSE(probed.has_value());
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return probed && shown; }, 3000)) << (address ? address : "unset");
        EXPECT_FALSE(*probed);
        EXPECT_FALSE(*shown);
        EXPECT_LT(elapsed.elapsed(), 2000);
    }
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

// Before a write, a settings lock no live process can hold goes: an empty one, or one in this
// process's name. One in another's name (init's) stays.
TEST(SettingsLock, OrphanedLocksGoLiveOnesStay)
{
    QTemporaryDir dir;
    const QSettings settings(dir.filePath(QStringLiteral("a.conf")), QSettings::IniFormat);
    const QString path = settings.fileName() + QStringLiteral(".lock");
    // As QLockFile writes it: PID, program, host.
    const QByteArray programAndHost = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n'
                                      + QSysInfo::machineHostName().toUtf8() + '\n';
    const auto named = [&](qint64 pid) { return QByteArray::number(pid) + '\n' + programAndHost; };
    const std::pair<QByteArray, bool> rows[] = {
        {"", false}, {named(QCoreApplication::applicationPid()), false}, {named(1), true}};
    for (const auto &[contents, stays] : rows) {
        ASSERT_TRUE(VelmoraTest::writeAll(path, contents));
        releaseOrphanedLock(settings);
        EXPECT_EQ(QFile::exists(path), stays) << contents.constData();
        QFile::remove(path);
    }
}

} // namespace
