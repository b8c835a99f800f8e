#include "NotificationServiceFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

// Short, so the service's own timer does the delivering while the test runs.
constexpr int tickMs = 5;

QStringList titles(const std::vector<FakeNotificationBus::Shown> &shown)
{
    QStringList list;
    for (const auto &s : shown)
        list.append(s.title);
    return list;
}

// Lets the delivery timer run a number of times.
void runTicks(int ticks = 10)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ticks * tickMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, tickMs);
}

class NotificationServerGoneTest : public NotificationServiceFixture {
protected:
    NotificationServerGoneTest()
        : NotificationServiceFixture(tickMs)
    {
    }
};

// The server answers the first reminder, goes away, and comes back at a given time. A
// reminder due while it is gone is kept, shown once on its return the same day, and only
// a return after the day has passed finds it dropped as stale.
TEST_F(NotificationServerGoneTest, ARequestDueWhileTheServerIsGoneWaitsForItsReturn)
{
    struct Case {
        const char *name;
        QDateTime serverBack;
        QStringList shownAtEnd;
    };
    const Case cases[] = {
        {"back a minute later", at("Europe/Berlin", 2026, 5, 10, 9, 1), {QStringLiteral("first"), QStringLiteral("second")}},
        {"back in the last minute of the day", at("Europe/Berlin", 2026, 5, 10, 23, 59),
         {QStringLiteral("first"), QStringLiteral("second")}},
        {"back the next day", at("Europe/Berlin", 2026, 5, 11, 0, 0), {QStringLiteral("first")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 0));
        start(true);
        service->add(request(QStringLiteral("a"), QStringLiteral("first"), today, 8, 30));
        service->add(request(QStringLiteral("b"), QStringLiteral("second"), today, 9, 0));

        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 30));
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return bus->shown.size() == 1; }, 2000));
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return service->pendingRequests().size() == 1; }, 2000));

        bus->serverPresent = false;
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 9, 0));
        runTicks();
        EXPECT_EQ(titles(bus->shown), QStringList{QStringLiteral("first")}) << "nothing is shown while the server is gone";
        EXPECT_EQ(identifiers(service->pendingRequests()), QStringList{QStringLiteral("b")}) << "the due request is kept";

        clock.setNow(c.serverBack);
        runTicks(2);
        bus->serverPresent = true;
        runTicks();
        EXPECT_EQ(titles(bus->shown), c.shownAtEnd);
        EXPECT_TRUE(service->pendingRequests().isEmpty());

        // A later run of the app finds nothing left to show.
        start(true);
        runTicks();
        EXPECT_TRUE(bus->shown.empty());
        EXPECT_TRUE(service->pendingRequests().isEmpty());
    }
}

// The app quits while the server is gone: the kept request survives the restart and goes
// out when the new run finds a server.
TEST_F(NotificationServerGoneTest, ARequestKeptWhileTheServerIsGoneSurvivesARestart)
{
    start(false);
    service->add(request(QStringLiteral("a"), QStringLiteral("due"), today, 7, 30));
    runTicks();
    EXPECT_TRUE(bus->shown.empty());

    start(false);
    runTicks();
    EXPECT_EQ(identifiers(service->pendingRequests()), QStringList{QStringLiteral("a")});

    clock.advance(3600 * 1000);
    start(true);
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return service->pendingRequests().isEmpty(); }, 2000));
    runTicks();
    EXPECT_EQ(titles(bus->shown), QStringList{QStringLiteral("due")});
}

} // namespace
