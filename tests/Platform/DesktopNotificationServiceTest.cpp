#include "NotificationServiceFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

class DesktopNotificationServiceTest : public NotificationServiceFixture {
protected:
    std::optional<NotificationSettings> fetch()
    {
        std::optional<NotificationSettings> result;
        service->fetchSettings([&](NotificationSettings s) { result = s; });
        VelmoraTest::waitFor([&] { return result.has_value(); }, 2000);
        return result;
    }
};

// Requests are kept by identifier, across a restart; ones that name no real minute are refused.
TEST_F(DesktopNotificationServiceTest, PendingRequestsAreKeptByIdentifierAcrossARestart)
{
    DesktopNotificationService &s = start();
    ASSERT_TRUE(s.isPersistent());
    s.add(request(QStringLiteral("a"), QStringLiteral("first"), today.addDays(2), 9, 0));
    s.add(request(QStringLiteral("b"), QStringLiteral("other"), today.addDays(2), 9, 0));
    s.add(request(QStringLiteral("a"), QStringLiteral("second"), today.addDays(3), 10, 30));
    for (const NotificationTrigger &odd : {NotificationTrigger{2026, 13, 1, 9, 0}, NotificationTrigger{2026, 5, 11, 24, 0},
                                           NotificationTrigger{2026, 5, 11, 9, -1}, NotificationTrigger{2026, 2, 30, 9, 0}})
        s.add({QStringLiteral("odd"), {}, {}, true, odd});
    s.removePendingRequests({QStringLiteral("unknown"), QStringLiteral("b")});
    start();
    settle();
    const QList<NotificationRequest> pending = service->pendingRequests();
    ASSERT_EQ(pending.size(), 1);
    EXPECT_EQ(pending.first(), request(QStringLiteral("a"), QStringLiteral("second"), today.addDays(3), 10, 30));
}

// A reminder rings at its minute in the zone of the moment, once: not after a restart. (With a
// real notification server this runs again in the background test.)
TEST_F(DesktopNotificationServiceTest, DeliversWhenTheMinuteComesInTheCurrentZoneThenForgets)
{
    start();
    settle();
    // 08:00 in Berlin is 15:00 in Tokyo.
    service->add(request(QStringLiteral("a"), QStringLiteral("Water plants"), today, 8, 30));
    service->add(request(QStringLiteral("b"), QStringLiteral("Tokyo"), today, 15, 1));
    clock.advance(29 * 60000);
    service->deliverDue();
    settle();
    EXPECT_TRUE(bus->shown.empty()) << "08:29 is not yet 08:30";
    clock.setTimeZone(zone("Asia/Tokyo"));
    service->deliverDue();
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return service->pendingRequests().isEmpty(); }, 2000));
    ASSERT_EQ(bus->shown.size(), 2u);
    start();
    settle();
    EXPECT_TRUE(bus->shown.empty());
}

TEST_F(DesktopNotificationServiceTest, OnStartMissedRequestsOfTodayAreShownOnceOlderOnesDropped)
{
    start();
    service->add(request(QStringLiteral("today"), QStringLiteral("missed today"), today, 7, 0));
    service->add(request(QStringLiteral("yesterday"), QStringLiteral("missed yesterday"), today.addDays(-1), 23, 59));
    service->add(request(QStringLiteral("future"), QStringLiteral("not yet"), today, 8, 1));
    service.reset();

    start();
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return bus->shown.size() == 1; }, 2000));
    settle();
    ASSERT_EQ(bus->shown.size(), 1u);
    EXPECT_EQ(bus->shown.front().title, QStringLiteral("missed today"));
    EXPECT_EQ(identifiers(service->pendingRequests()), QStringList{QStringLiteral("future")});

    start();
    settle();
    EXPECT_TRUE(bus->shown.empty());
    EXPECT_EQ(identifiers(service->pendingRequests()), QStringList{QStringLiteral("future")});
}

TEST_F(DesktopNotificationServiceTest, ARequestReplacedWhileOnItsWayStaysPending)
{
    start();
    settle();
    service->add(request(QStringLiteral("a"), QStringLiteral("old"), today, 8, 0));
    service->deliverDue();
    // The bus has not answered yet.
    service->add(request(QStringLiteral("a"), QStringLiteral("new"), today.addDays(1), 9, 0));
    settle();
    ASSERT_EQ(service->pendingRequests().size(), 1);
    EXPECT_EQ(service->pendingRequests().first().title, QStringLiteral("new"));
}

TEST_F(DesktopNotificationServiceTest, WithoutABusNothingIsLostAndPermissionReadsDenied)
{
    start(false);
    settle();
    service->add(request(QStringLiteral("a"), QStringLiteral("due"), today, 7, 0));
    QElapsedTimer elapsed;
    elapsed.start();
    service->deliverDue();
    bool answered = false;
    service->requestAuthorization([&] { answered = true; });
    EXPECT_FALSE(answered) << "callbacks come later, never inside the call";
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return answered; }, 2000));
    const auto settings = fetch();
    EXPECT_LT(elapsed.elapsed(), 1000);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->authorizationStatus, NotificationSettings::Denied);
    settle();
    EXPECT_TRUE(bus->shown.empty());
    EXPECT_EQ(identifiers(service->pendingRequests()), QStringList{QStringLiteral("a")});

    // Later the same day a server is there: the request goes out and denied is lifted.
    bus->serverPresent = true;
    EXPECT_EQ(fetch()->authorizationStatus, NotificationSettings::Authorized);
    service->deliverDue();
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return service->pendingRequests().isEmpty(); }, 2000));
    EXPECT_EQ(bus->shown.size(), 1u);
}

TEST_F(DesktopNotificationServiceTest, PermissionIsNotDeterminedUntilAskedAndTheAnswerIsKept)
{
    start();
    EXPECT_EQ(fetch()->authorizationStatus, NotificationSettings::NotDetermined);
    EXPECT_EQ(bus->probes, 0) << "nothing to ask the bus before the user was asked";
    start();
    EXPECT_EQ(fetch()->authorizationStatus, NotificationSettings::NotDetermined);

    bool answered = false;
    service->requestAuthorization([&] { answered = true; });
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return answered; }, 2000));
    EXPECT_EQ(fetch()->authorizationStatus, NotificationSettings::Authorized);

    start(false);
    EXPECT_EQ(fetch()->authorizationStatus, NotificationSettings::Denied);
    start(true);
    EXPECT_EQ(fetch()->authorizationStatus, NotificationSettings::Authorized);
}

TEST_F(DesktopNotificationServiceTest, OddStoredRowsAreDroppedOnLoad)
{
    start();
    service->add(request(QStringLiteral("good"), QStringLiteral("fine"), today.addDays(1), 9, 0));
    service.reset();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("odd-rows"));
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ('month', 't', 'b', 1, 2026, 13, 1, 9, 0)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ('huge', 't', 'b', 1, 1e300, 1, 1, 9, 0)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ('text', 't', 'b', 1, 'x', 'y', 'z', 9, 0)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ('nulls', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ('nullhour', 't', 'b', 1, 2026, 6, 1, NULL, 'x')")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ('fraction', 't', 'b', 1, 2026, 6, 1.5, 9, 0)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ('far', 't', 'b', 1, 9999, 12, 31, 23, 59)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("odd-rows"));

    start();
    settle();
    EXPECT_EQ(identifiers(service->pendingRequests()), (QStringList{QStringLiteral("far"), QStringLiteral("good")}));
    start();
    EXPECT_EQ(identifiers(service->pendingRequests()), (QStringList{QStringLiteral("far"), QStringLiteral("good")}));
}

TEST_F(DesktopNotificationServiceTest, AnUnopenableFileLeavesAWorkingServiceInMemory)
{
    // A folder where the file should be.
    ASSERT_TRUE(QDir().mkpath(path()));
    DesktopNotificationService &s = start();
    EXPECT_FALSE(s.isPersistent());
    s.add(request(QStringLiteral("a"), QStringLiteral("t"), today.addDays(1), 9, 0));
    EXPECT_EQ(s.pendingRequests().size(), 1);
}

TEST(DBusNotificationBusTest, WithoutASessionBusAnswersNoPromptly)
{
    struct Case {
        const char *address;
    };
    const Case cases[] = {{nullptr}, {"unix:path=/nonexistent/bus-socket"}};
    const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const Case &c : cases) {
        if (c.address)
            qputenv("DBUS_SESSION_BUS_ADDRESS", c.address);
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
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return probed && shown; }, 3000)) << (c.address ? c.address : "unset");
        EXPECT_FALSE(*probed);
        EXPECT_FALSE(*shown);
        EXPECT_LT(elapsed.elapsed(), 2000);
    }
    if (saved.isNull())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
}

} // namespace

namespace {

// One alarm aims at the next minute that matters, whatever the zone does to it.
TEST_F(DesktopNotificationServiceTest, TheAlarmAimsAtTheNextReminderInTheCurrentZone)
{
    struct Case {
        const char *name;
        const char *zone;
        QList<NotificationTrigger> triggers;
        std::optional<QDateTime> armedAt;
    };
    const Case cases[] = {
        {"nothing pending sleeps", "Europe/Berlin", {}, std::nullopt},
        {"the earliest of several", "Europe/Berlin", {{2026, 5, 11, 9, 0}, {2026, 5, 10, 18, 5}, {2026, 5, 12, 7, 0}},
         at("Europe/Berlin", 2026, 5, 10, 18, 5)},
        {"due already: at once", "Europe/Berlin", {{2026, 5, 10, 7, 59}, {2026, 5, 11, 9, 0}},
         at("Europe/Berlin", 2026, 5, 10, 8, 0)},
        {"a minute the spring change skips rings when the clock jumps", "Europe/Berlin", {{2027, 3, 28, 2, 30}},
         at("Europe/Berlin", 2027, 3, 28, 3, 0)},
        {"a minute the autumn change has twice rings the first time", "Europe/Berlin", {{2026, 10, 25, 2, 30}},
         QDateTime(QDate(2026, 10, 25), QTime(0, 30), QTimeZone::utc())},
        {"another zone moves the minute", "America/New_York", {{2026, 5, 10, 9, 0}},
         at("America/New_York", 2026, 5, 10, 9, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        clock.setTimeZone(zone("Europe/Berlin"));
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 0));
        start();
        settle();
        // The zone changes while the service runs; the app asks it to plan again.
        clock.setTimeZone(zone(c.zone));
        int n = 0;
        for (const NotificationTrigger &t : c.triggers)
            service->add({QStringLiteral("r%1").arg(n++), QStringLiteral("t"), {}, true, t});
        service->replan();
        ASSERT_EQ(alarm->armedAt.has_value(), c.armedAt.has_value());
        if (c.armedAt) {
            EXPECT_EQ(alarm->armedAt->toMSecsSinceEpoch(), c.armedAt->toMSecsSinceEpoch())
                << alarm->armedAt->toString(Qt::ISODate).toStdString();
        }
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

} // namespace
