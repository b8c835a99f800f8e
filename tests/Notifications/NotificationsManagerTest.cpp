#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Notifications/ReminderScheduler.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

using namespace Velmora;
using Op = ChoreEditor::EditingOperation;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

// The store, the owner of changes and the reminders that follow them, on the desktop
// notification service with a fake bus; restart() is the app closed and started again.
class NotificationsTest : public ::testing::Test {
protected:
    void SetUp() override { restart(); }

    void restart()
    {
        scheduler.reset();
        changes.reset();
        desktop.reset();
        store.reset();
        store = std::make_unique<ChoreStore>();
        ASSERT_EQ(store->open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        auto fake = std::make_unique<FakeNotificationBus>();
        bus = fake.get();
        desktop = std::make_unique<DesktopNotificationService>(dir.filePath(QStringLiteral("notifications.sqlite")),
                                                               std::move(fake), std::make_unique<FakeWallClockAlarm>());
        changes = std::make_unique<ChoreChanges>(*store);
        scheduler = std::make_unique<ReminderScheduler>(*store, *desktop);
    }

    static ChoreFields fields(const QString &title, const QDateTime &due, bool notify = true, double time = 32400)
    {
        ChoreFields f;
        f.title = title;
        f.startDate = at("Europe/Berlin", 2026, 5, 1);
        f.dueDate = due;
        f.notify = notify;
        f.notificationTime = time;
        return f;
    }

    Chore *add(const QString &title, const QDateTime &due, bool notify = true, double time = 32400)
    {
        return changes->add(fields(title, due, notify, time));
    }

    Chore *find(const QString &title) const
    {
        for (Chore *c : store->chores()) {
            if (c->title() == title && !c->isFinished())
                return c;
        }
        return nullptr;
    }

    // Through the editor, as the screens save.
    bool edit(Op operation, Chore *chore, const std::function<void(ChoreEditor &)> &change)
    {
        ChoreEditor editor;
        editor.setChanges(changes.get());
        editor.setRouter(&router);
        editor.setOperation(operation);
        editor.setChore(chore);
        editor.load();
        change(editor);
        return editor.save();
    }

    // "title mm-dd hh:mm", sorted.
    static QStringList describe(const QList<NotificationRequest> &requests)
    {
        QStringList out;
        for (const NotificationRequest &r : requests)
            out << QStringLiteral("%1 %2-%3 %4:%5")
                       .arg(r.title)
                       .arg(r.trigger.month, 2, 10, QLatin1Char('0'))
                       .arg(r.trigger.day, 2, 10, QLatin1Char('0'))
                       .arg(r.trigger.hour, 2, 10, QLatin1Char('0'))
                       .arg(r.trigger.minute, 2, 10, QLatin1Char('0'));
        out.sort();
        return out;
    }

    QStringList pendingIds() const
    {
        QStringList ids;
        for (const NotificationRequest &r : desktop->pendingRequests())
            ids.append(r.identifier);
        ids.sort();
        return ids;
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 10, 12, 0), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    FakeNotificationService service;
    QTemporaryDir dir;
    Router router;
    std::unique_ptr<ChoreStore> store;
    FakeNotificationBus *bus = nullptr;
    std::unique_ptr<DesktopNotificationService> desktop;
    std::unique_ptr<ChoreChanges> changes;
    std::unique_ptr<ReminderScheduler> scheduler;
};

// The request names the chore by its stored identity (the same after a restart, another for a
// chore of the same title) and rings at the whole minute of its reminder time.
TEST_F(NotificationsTest, TheRequestNamesTheChoreAndRingsAtTheWholeMinute)
{
    Chore *chore = add(QStringLiteral("Water plants"), at("Europe/Berlin", 2026, 5, 12, 18, 0), true, 8 * 3600 + 15 * 60 + 59);
    Chore *other = add(QStringLiteral("Water plants"), at("Europe/Berlin", 2026, 5, 12));
    ASSERT_TRUE(chore && other);
    const qint64 id = chore->persistentId();
    const QString identifier = NotificationsManager::notificationIdentifier(*chore);
    EXPECT_EQ(identifier, QStringLiteral("Notification-Chore-%1").arg(id));
    EXPECT_NE(identifier, NotificationsManager::notificationIdentifier(*other)) << "same title, other chore";
    const auto request = NotificationsManager::reminderRequest(*chore, zone("Europe/Berlin"));
    ASSERT_TRUE(request);
    EXPECT_EQ(request->body, QStringLiteral("This chore is due today!"));
    EXPECT_TRUE(request->defaultSound);
    EXPECT_EQ(describe({*request}), QStringList{QStringLiteral("Water plants 05-12 08:15")});
    EXPECT_EQ(pendingIds().size(), 2);

    restart();
    ASSERT_TRUE(store->chore(id));
    EXPECT_EQ(NotificationsManager::notificationIdentifier(*store->chore(id)), identifier);
}

// After every way a chore changes, the pending reminders are exactly those of the active
// chores with notify on whose reminder has not rung yet.
TEST_F(NotificationsTest, RemindersFollowEveryChangeOfTheStore)
{
    const QDateTime may12 = at("Europe/Berlin", 2026, 5, 12);
    QByteArray backup;
    struct Step {
        const char *what;
        std::function<bool()> act;
        QStringList expected;
    };
    const std::vector<Step> steps = {
        {"editor adds with a reminder", [&] { return edit(Op::add, nullptr, [](ChoreEditor &e) {
             e.setTitle(QStringLiteral("Water")); e.setPlannedDays(2); e.setNotify(true);
             e.setReminderHour(7); e.setReminderMinute(45); }); },
         {"Water 05-12 07:45"}},
        {"editor adds without one", [&] { return edit(Op::add, nullptr, [](ChoreEditor &e) {
             e.setTitle(QStringLiteral("Quiet")); e.setPlannedDays(3); }); },
         {"Water 05-12 07:45"}},
        {"editor updates title and time", [&] { return edit(Op::update, find(QStringLiteral("Water")), [](ChoreEditor &e) {
             e.setTitle(QStringLiteral("Water more")); e.setReminderHour(8); e.setReminderMinute(30); }); },
         {"Water more 05-12 08:30"}},
        {"editor turns one on", [&] { return edit(Op::update, find(QStringLiteral("Quiet")), [](ChoreEditor &e) {
             e.setNotify(true); }); },
         {"Quiet 05-13 09:00", "Water more 05-12 08:30"}},
        {"editor repeats: the old run is finished", [&] {
             Chore *old = find(QStringLiteral("Water more"));
             return edit(Op::repeat, old, [](ChoreEditor &e) { e.setPlannedDays(4); }) && old->isFinished(); },
         {"Quiet 05-13 09:00", "Water more 05-14 08:30"}},
        {"editor copies", [&] { return edit(Op::copy, find(QStringLiteral("Quiet")), [](ChoreEditor &e) {
             e.setTitle(QStringLiteral("Quiet copy")); }); },
         {"Quiet 05-13 09:00", "Quiet copy 05-13 09:00", "Water more 05-14 08:30"}},
        {"finish", [&] { return changes->finish(find(QStringLiteral("Water more"))); },
         {"Quiet 05-13 09:00", "Quiet copy 05-13 09:00"}},
        {"delete", [&] { return changes->remove(find(QStringLiteral("Quiet copy"))); },
         {"Quiet 05-13 09:00"}},
        {"a field assigned straight on the store", [&] {
             return find(QStringLiteral("Quiet"))->assignDueDate(at("Europe/Berlin", 2026, 5, 20)); },
         {"Quiet 05-20 09:00"}},
        {"notify turned off on the store", [&] { return find(QStringLiteral("Quiet"))->assignNotify(false); }, {}},
        {"and on again", [&] { return find(QStringLiteral("Quiet"))->assignNotify(true); }, {"Quiet 05-20 09:00"}},
        {"restore adds only the backup's active chores with notify on", [&] {
             ChoreFields done = fields(QStringLiteral("Old"), may12);
             done.endDate = at("Europe/Berlin", 2026, 5, 2);
             backup = ChoreBackup::encode({fields(QStringLiteral("Restored"), may12, true, 3600),
                                           fields(QStringLiteral("Restored quiet"), may12, false), done}).bytes;
             return changes->restore(backup).ok; },
         {"Quiet 05-20 09:00", "Restored 05-12 01:00"}},
        {"a write rolled back leaves nothing behind", [&] {
             return !store->transaction([&] {
                 return store->insert(fields(QStringLiteral("Rolled back"), may12)) && false; }); },
         {"Quiet 05-20 09:00", "Restored 05-12 01:00"}},
        {"an odd stored time withdraws the reminder", [&] {
             return find(QStringLiteral("Restored"))->assignNotificationTime(50 * 3600); },
         {"Quiet 05-20 09:00"}},
        {"a start finds a reminder of a chore deleted behind its back and drops it", [&] {
             desktop->add({NotificationsManager::notificationIdentifier(999999), QStringLiteral("Gone"), {}, true,
                           {2026, 5, 30, 9, 0}});
             restart();
             return true; },
         {"Quiet 05-20 09:00"}},
        {"rung at its minute: shown once", [&] {
             clock.setNow(at("Europe/Berlin", 2026, 5, 20, 9, 0));
             desktop->deliverDue();
             return VelmoraTest::waitFor([&] { return desktop->pendingRequests().isEmpty(); })
                 && bus->shown.size() == 1; },
         {}},
        {"never again: not after a restart, nor an edit that keeps the minute", [&] {
             restart();
             desktop->deliverDue();
             return find(QStringLiteral("Quiet"))->assignTitle(QStringLiteral("Quiet, renamed"))
                 && !VelmoraTest::waitFor([&] { return !bus->shown.empty(); }, 200); },
         {}},
        {"a new minute the same day is a new reminder", [&] {
             return find(QStringLiteral("Quiet, renamed"))->assignNotificationTime(10 * 3600); },
         {"Quiet, renamed 05-20 10:00"}},
    };
    for (const Step &step : steps) {
        ASSERT_TRUE(step.act()) << step.what;
        EXPECT_EQ(describe(desktop->pendingRequests()), step.expected) << step.what;
        // And every pending one belongs to an active chore with notify on.
        for (const QString &id : pendingIds()) {
            const Chore *chore = store->chore(id.section(QLatin1Char('-'), 2).toLongLong());
            EXPECT_TRUE(chore && chore->notify() && !chore->isFinished()) << step.what << " " << qPrintable(id);
        }
    }
}

// Settings are absent until the first answer, which comes later, never inside the call; every
// fetch notifies, and asking for permission fetches the answer.
TEST_F(NotificationsTest, SettingsArriveLaterAndFollowTheAnswer)
{
    for (const int answer : {int(NotificationSettings::Authorized), int(NotificationSettings::Denied)}) {
        service.status = NotificationSettings::NotDetermined;
        service.statusAfterRequest = answer;
        NotificationsManager manager{service};
        QSignalSpy spy(&manager, &NotificationsManager::settingsChanged);
        manager.refreshSettings();
        EXPECT_FALSE(manager.hasSettings()) << "assigned later, not inside the call";
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return spy.count() == 1; }));
        EXPECT_EQ(manager.authorizationStatus(), NotificationsManager::NotDetermined);
        manager.requestAuthorization();
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return spy.count() == 2; }));
        EXPECT_EQ(manager.authorizationStatus(), answer);
    }
}

TEST_F(NotificationsTest, AnswersFromAnotherThreadArePublishedOnTheMainThread)
{
    std::vector<std::thread> workers;
    service.runCallback = [&](std::function<void()> work) { workers.emplace_back(std::move(work)); };
    service.status = NotificationSettings::Denied;
    NotificationsManager manager{service};
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
    auto manager = std::make_unique<NotificationsManager>(service);
    manager->requestAuthorization();
    manager->refreshSettings();
    manager.reset();
    VelmoraTest::waitFor([] { return false; }, 100);
    EXPECT_EQ(service.settingsFetches, 1);
}

} // namespace
