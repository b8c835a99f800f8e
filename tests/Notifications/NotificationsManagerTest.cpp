#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/NotificationService.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>
#include <vector>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

class NotificationsTest : public ::testing::Test {
protected:
    void SetUp() override { openStore(); }

    void openStore()
    {
        store = std::make_unique<ChoreStore>();
        ASSERT_EQ(store->open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
    }

    Chore *add(const QString &title, QDateTime due, bool notify = true, double time = 32400)
    {
        ChoreFields fields;
        fields.title = title;
        fields.startDate = at("Europe/Berlin", 2026, 5, 1);
        fields.dueDate = due;
        fields.notify = notify;
        fields.notificationTime = time;
        return store->insert(fields);
    }

    // What the editor does on saving.
    static void save(const Chore &chore)
    {
        NotificationsManager::withdrawNotification(chore);
        NotificationsManager::scheduleNotification(chore);
    }

    QStringList pendingIds() const
    {
        QStringList ids;
        for (const NotificationRequest &r : service.pendingRequests())
            ids.append(r.identifier);
        return ids;
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 10, 12, 0), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    FakeNotificationService service;
    ScopedNotificationService installedService{service};
    QTemporaryDir dir;
    std::unique_ptr<ChoreStore> store;
};

TEST_F(NotificationsTest, IdentifierNamesTheEntityAndTheStoredIdentityAcrossLaunches)
{
    Chore *chore = add(QStringLiteral("Water plants"), at("Europe/Berlin", 2026, 5, 12));
    Chore *other = add(QStringLiteral("Water plants"), at("Europe/Berlin", 2026, 5, 12));
    ASSERT_TRUE(chore && other);
    const qint64 id = chore->persistentId();
    const QString identifier = NotificationsManager::notificationIdentifier(*chore);
    EXPECT_EQ(identifier, QStringLiteral("Notification-Chore-%1").arg(id));
    EXPECT_NE(identifier, NotificationsManager::notificationIdentifier(*other)) << "same title, other chore";

    openStore();
    ASSERT_TRUE(store->chore(id));
    EXPECT_EQ(NotificationsManager::notificationIdentifier(*store->chore(id)), identifier);
}

TEST_F(NotificationsTest, ScheduleBuildsTheRequest)
{
    Chore *chore = add(QStringLiteral("Water plants"), at("Europe/Berlin", 2026, 5, 12, 18, 0), true, 8 * 3600 + 15 * 60 + 59);
    ASSERT_TRUE(chore);
    NotificationsManager::scheduleNotification(*chore);
    const QList<NotificationRequest> pending = service.pendingRequests();
    ASSERT_EQ(pending.size(), 1);
    EXPECT_EQ(pending.first().identifier, NotificationsManager::notificationIdentifier(*chore));
    EXPECT_EQ(pending.first().title, QStringLiteral("Water plants"));
    EXPECT_EQ(pending.first().body, QStringLiteral("This chore is due today!"));
    EXPECT_TRUE(pending.first().defaultSound);
    EXPECT_EQ(pending.first().trigger, (NotificationTrigger{2026, 5, 12, 8, 15}));
}

TEST_F(NotificationsTest, TriggerUsesTheUsersCurrentZoneOnDstDays)
{
    struct Case {
        const char *zone;
        QDateTime due;
        double seconds;
        NotificationTrigger expected;
    };
    const Case cases[] = {
        {"Europe/Berlin", at("Europe/Berlin", 2026, 3, 29), 9000, {2026, 3, 29, 3, 0}},
        {"Europe/Berlin", at("Europe/Berlin", 2026, 10, 25), 9000, {2026, 10, 25, 2, 30}},
        {"America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 4, 12, 0), 0, {2018, 11, 4, 1, 0}},
    };
    for (const Case &c : cases) {
        clock.setTimeZone(zone(c.zone));
        Chore *chore = add(QStringLiteral("t"), c.due, true, c.seconds);
        ASSERT_TRUE(chore);
        NotificationsManager::scheduleNotification(*chore);
        ASSERT_FALSE(service.pendingRequests().isEmpty());
        EXPECT_EQ(service.pendingRequests().constLast().trigger, c.expected) << c.zone;
    }
}

TEST_F(NotificationsTest, TwoUpdatesLeaveOneRequestWithTheLatestValues)
{
    Chore *chore = add(QStringLiteral("first"), at("Europe/Berlin", 2026, 5, 12));
    ASSERT_TRUE(chore);
    save(*chore);
    ASSERT_TRUE(chore->assignTitle(QStringLiteral("second")));
    ASSERT_TRUE(chore->assignNotificationTime(7 * 3600 + 45 * 60));
    save(*chore);
    ASSERT_TRUE(chore->assignTitle(QStringLiteral("third")));
    ASSERT_TRUE(chore->assignDueDate(at("Europe/Berlin", 2026, 5, 14)));
    save(*chore);

    const QList<NotificationRequest> pending = service.pendingRequests();
    ASSERT_EQ(pending.size(), 1);
    EXPECT_EQ(pending.first().title, QStringLiteral("third"));
    EXPECT_EQ(pending.first().trigger, (NotificationTrigger{2026, 5, 14, 7, 45}));
}

TEST_F(NotificationsTest, NotifyOffLeavesNoRequest)
{
    Chore *quiet = add(QStringLiteral("quiet"), at("Europe/Berlin", 2026, 5, 12), false);
    Chore *turnedOff = add(QStringLiteral("turned off"), at("Europe/Berlin", 2026, 5, 12), true);
    ASSERT_TRUE(quiet && turnedOff);
    save(*quiet);
    save(*turnedOff);
    ASSERT_EQ(pendingIds().size(), 1);
    ASSERT_TRUE(turnedOff->assignNotify(false));
    save(*turnedOff);
    EXPECT_TRUE(pendingIds().isEmpty());
}

TEST_F(NotificationsTest, PastDueDayStillGetsARequest)
{
    Chore *chore = add(QStringLiteral("late"), at("Europe/Berlin", 2026, 4, 1));
    ASSERT_TRUE(chore);
    save(*chore);
    ASSERT_EQ(service.pendingRequests().size(), 1);
    EXPECT_EQ(service.pendingRequests().first().trigger, (NotificationTrigger{2026, 4, 1, 9, 0}));
}

TEST_F(NotificationsTest, UnusableReminderTimeAddsNothing)
{
    for (const double seconds : {std::nan(""), 1e300, 86400.0, -120.0}) {
        Chore *chore = add(QStringLiteral("odd"), at("Europe/Berlin", 2026, 5, 12), true, seconds);
        if (!chore)
            continue; // the store may refuse the value; then there is nothing to schedule
        save(*chore);
    }
    EXPECT_TRUE(pendingIds().isEmpty());
}

TEST_F(NotificationsTest, FinishingAndDeletingWithdrawTheReminder)
{
    Chore *finished = add(QStringLiteral("finished"), at("Europe/Berlin", 2026, 5, 12));
    Chore *deleted = add(QStringLiteral("deleted"), at("Europe/Berlin", 2026, 5, 12));
    Chore *kept = add(QStringLiteral("kept"), at("Europe/Berlin", 2026, 5, 12));
    ASSERT_TRUE(finished && deleted && kept);
    save(*finished);
    save(*deleted);
    save(*kept);
    ASSERT_EQ(pendingIds().size(), 3);

    ASSERT_TRUE(store->finish(finished));
    NotificationsManager::withdrawNotification(*finished);
    const QString deletedId = NotificationsManager::notificationIdentifier(*deleted);
    ASSERT_TRUE(store->remove(deleted));
    NotificationsManager::withdrawNotification(deletedId);
    // Withdrawing twice is harmless.
    NotificationsManager::withdrawNotification(deletedId);

    EXPECT_EQ(pendingIds(), QStringList{NotificationsManager::notificationIdentifier(*kept)});
}

TEST_F(NotificationsTest, SettingsAreAbsentUntilTheFirstFetchAndEveryFetchNotifies)
{
    NotificationsManager manager;
    QSignalSpy spy(&manager, &NotificationsManager::settingsChanged);
    EXPECT_FALSE(manager.hasSettings());
    manager.refreshSettings();
    EXPECT_FALSE(manager.hasSettings()) << "assigned later, not inside the call";
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return spy.count() == 1; }));
    EXPECT_TRUE(manager.hasSettings());
    EXPECT_EQ(manager.authorizationStatus(), NotificationsManager::NotDetermined);

    manager.refreshSettings();
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return spy.count() == 2; }));
    EXPECT_EQ(manager.authorizationStatus(), NotificationsManager::NotDetermined);
}

TEST_F(NotificationsTest, RequestingAuthorizationFetchesTheAnswer)
{
    struct Case {
        int answer;
    };
    for (const Case c : {Case{NotificationSettings::Authorized}, Case{NotificationSettings::Denied}}) {
        service.status = NotificationSettings::NotDetermined;
        service.statusAfterRequest = c.answer;
        NotificationsManager manager;
        manager.requestAuthorization();
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return manager.hasSettings(); }));
        EXPECT_EQ(manager.authorizationStatus(), c.answer);
    }
}

TEST_F(NotificationsTest, AnswersFromAnotherThreadArePublishedOnTheMainThread)
{
    std::vector<std::thread> workers;
    service.runCallback = [&](std::function<void()> work) { workers.emplace_back(std::move(work)); };
    service.status = NotificationSettings::Denied;
    NotificationsManager manager;
    QThread *publishedOn = nullptr;
    QObject::connect(&manager, &NotificationsManager::settingsChanged, &manager,
                     [&] { publishedOn = QThread::currentThread(); }, Qt::DirectConnection);
    manager.refreshSettings();
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return manager.hasSettings(); }));
    EXPECT_EQ(publishedOn, QCoreApplication::instance()->thread());
    EXPECT_EQ(manager.authorizationStatus(), NotificationsManager::Denied);
    for (std::thread &t : workers)
        t.join();
}

TEST_F(NotificationsTest, AManagerGoneBeforeTheAnswerIsLeftAlone)
{
    auto manager = std::make_unique<NotificationsManager>();
    manager->requestAuthorization();
    manager->refreshSettings();
    manager.reset();
    VelmoraTest::waitFor([] { return false; }, 100);
    EXPECT_EQ(service.settingsFetches, 1);
}

} // namespace
