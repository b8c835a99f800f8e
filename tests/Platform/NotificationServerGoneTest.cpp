#include "NotificationServiceFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

QStringList titles(const std::vector<FakeNotificationBus::Shown> &shown)
{
    QStringList list;
    for (const auto &s : shown)
        list.append(s.title);
    return list;
}

using NotificationServerGoneTest = NotificationServiceFixture;

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

        settle();
        ASSERT_EQ(alarm->armedAt, at("Europe/Berlin", 2026, 5, 10, 8, 30)) << "asleep until the first minute";
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 30));
        settle();
        ASSERT_EQ(bus->shown.size(), 1u);
        ASSERT_EQ(service->pendingRequests().size(), 1);

        bus->setServerPresent(false);
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 9, 0));
        settle();
        EXPECT_EQ(titles(bus->shown), QStringList{QStringLiteral("first")}) << "nothing is shown while the server is gone";
        EXPECT_EQ(identifiers(service->pendingRequests()), QStringList{QStringLiteral("b")}) << "the due request is kept";

        EXPECT_EQ(alarm->armedAt, clock.now().addMSecs(DesktopNotificationService::retryMs)) << "tried again later";
        clock.setNow(c.serverBack);
        settle(2);
        bus->setServerPresent(true);
        settle();
        EXPECT_EQ(titles(bus->shown), c.shownAtEnd);
        EXPECT_TRUE(service->pendingRequests().isEmpty());

        // A later run of the app finds nothing left to show.
        start(true);
        settle();
        EXPECT_TRUE(bus->shown.empty());
        EXPECT_TRUE(service->pendingRequests().isEmpty());
    }
}

} // namespace
