#include "Velmora/Household/Household.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Notifications/Reminders.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "tests/support/NotificationServer.h"

#include <QDBusArgument>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace Velmora {
// Failures show a request whole.
void PrintTo(const NotificationRequest &r, std::ostream *out)
{
    *out << qPrintable(QStringLiteral("%1 \"%2\" \"%3\" %4 %5").arg(r.identifier, r.title, r.body).arg(r.defaultSound)
                           .arg(QDateTime(r.trigger.date(), QTime(r.trigger.hour, r.trigger.minute)).toString(Qt::ISODate)));
}
} // namespace Velmora

using namespace Velmora;
using Op = ChoreEditor::EditingOperation;
using VelmoraTest::assign;
using VelmoraTest::at;
using VelmoraTest::waitFor;

namespace {

// "title mm-dd hh:mm" of each pending request, sorted.
QStringList describe(const QList<NotificationRequest> &requests)
{
    QStringList out;
    for (const NotificationRequest &r : requests)
        out << r.title + QDateTime(r.trigger.date(), QTime(r.trigger.hour, r.trigger.minute)).toString(u" MM-dd hh:mm");
    out.sort();
    return out;
}

NotificationRequest request(const QString &id, const QString &title, QDate day, int hour, int minute)
{
    return {id, title, QStringLiteral("body"), true, {day.year(), day.month(), day.day(), hour, minute}};
}

// The reminders of one run on the store and the reminder file in dir.
class RemindersTest : public VelmoraTest::NotificationServerTest {
protected:
    void start() override
    {
        alarm = std::make_unique<FakeWallClockAlarm>();
        notificationBus = std::make_unique<DBusNotificationBus>();
        store = std::make_unique<ChoreStore>();
        ASSERT_EQ(store->open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        changes = std::make_unique<ChoreChanges>(*store);
        reminders = std::make_unique<Reminders>(*changes, *notificationBus, *alarm, path());
        settle();
    }
    void stop() override
    {
        reminders.reset();
        changes.reset();
        store.reset();
        notificationBus.reset();
        alarm.reset();
    }
    ReminderQueue &queue() { return reminders->queue(); }

    static ChoreFields fields(const QString &title, const QDateTime &due, bool notify = true, double time = 9 * 3600)
    {
        return {title, ColorComponentsModel::standardRed(), at("Europe/Berlin", 2026, 5, 1), due, {}, notify, time};
    }

    Chore *find(const QString &title) const
    {
        const auto &chores = store->chores();
        const auto it = std::find_if(chores.cbegin(), chores.cend(),
                                     [&](const Chore *c) { return c->title() == title && !c->isFinished(); });
        return it == chores.cend() ? nullptr : *it;
    }

    // Presses a button of "Mop"'s reminder, rung at 9:00 on its due day, with the disk full.
    void pressOnAFullDisk(const QString &key)
    {
        ASSERT_TRUE(changes->add(fields(QStringLiteral("Mop"), at("Europe/Berlin", 2026, 5, 10))));
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 9, 0));
        settle();
        ASSERT_TRUE(waitFor([&] { return shown() == QStringList{QStringLiteral("Mop")}; }));
        VelmoraTest::FullDisk full;
        invoke(1, key);
        ASSERT_TRUE(waitFor([&] { return shown().size() == 2; }));
    }

    // Through the editor, as the screens save.
    bool edit(Op operation, Chore *chore, const std::function<void(ChoreEditor &)> &change)
    {
        ChoreEditor editor;
        editor.setChanges(changes.get());
        editor.setOperation(operation);
        editor.setChore(chore);
        editor.load();
        change(editor);
        return editor.save();
    }

    std::unique_ptr<DBusNotificationBus> notificationBus;
    std::unique_ptr<ChoreStore> store;
    std::unique_ptr<ChoreChanges> changes;
    std::unique_ptr<Reminders> reminders;
};

// The reminder of the chore with that persistent id, as it should be pending: named by the
// chore, its title, due today, at its minute in May.
NotificationRequest due(int id, const char *title, int day, int hour, int minute)
{
    return {QStringLiteral("Notification-Chore-%1").arg(id), QString::fromUtf8(title),
            QStringLiteral("This chore is due today!"), true, {2026, 5, day, hour, minute}};
}

// After every way a chore changes, the pending reminders are exactly those of the active
// chores with notify on whose reminder has not rung yet, each whole as it would show.
TEST_F(RemindersTest, RemindersFollowEveryChangeOfTheStore)
{
    const QDateTime may12 = at("Europe/Berlin", 2026, 5, 12);
    QByteArray backup;
    std::unique_ptr<Household> household;
    struct Step {
        const char *what;
        std::function<bool()> act;
        QList<NotificationRequest> expected; // by identifier
    };
    const std::vector<Step> steps = {
        {"editor adds with a reminder", [&] { return edit(Op::add, nullptr, [](ChoreEditor &e) {
             e.setTitle(QStringLiteral("Water")); e.setPlannedDays(2); e.setNotify(true);
             e.setReminderHour(7); e.setReminderMinute(45); }); },
         {due(1, "Water", 12, 7, 45)}},
        {"editor adds without one", [&] { return edit(Op::add, nullptr, [](ChoreEditor &e) {
             e.setTitle(QStringLiteral("Quiet")); e.setPlannedDays(3); }); },
         {due(1, "Water", 12, 7, 45)}},
        {"editor moves its time", [&] { return edit(Op::update, find(QStringLiteral("Water")), [](ChoreEditor &e) {
             e.setReminderHour(8); e.setReminderMinute(30); }); },
         {due(1, "Water", 12, 8, 30)}},
        {"editor renames it alone: the pending reminder says the new title", [&] {
             return edit(Op::update, find(QStringLiteral("Water")), [](ChoreEditor &e) { e.setTitle(QStringLiteral("Water more")); }); },
         {due(1, "Water more", 12, 8, 30)}},
        {"editor turns one on", [&] { return edit(Op::update, find(QStringLiteral("Quiet")), [](ChoreEditor &e) {
             e.setNotify(true); }); },
         {due(1, "Water more", 12, 8, 30), due(2, "Quiet", 13, 9, 0)}},
        {"editor copies under the same title: a reminder of its own", [&] {
             return edit(Op::copy, find(QStringLiteral("Quiet")), [](ChoreEditor &) {}); },
         {due(1, "Water more", 12, 8, 30), due(2, "Quiet", 13, 9, 0), due(3, "Quiet", 13, 9, 0)}},
        {"finish", [&] { return changes->finish(find(QStringLiteral("Water more"))); },
         {due(2, "Quiet", 13, 9, 0), due(3, "Quiet", 13, 9, 0)}},
        {"delete", [&] { return changes->remove(find(QStringLiteral("Quiet"))); }, {due(3, "Quiet", 13, 9, 0)}},
        {"a field changed alone, as sync changes it", [&] {
             return assign(*changes, find(QStringLiteral("Quiet")), &ChoreFields::dueDate, at("Europe/Berlin", 2026, 5, 20)); },
         {due(3, "Quiet", 20, 9, 0)}},
        {"notify turned off alone", [&] { return assign(*changes, find(QStringLiteral("Quiet")), &ChoreFields::notify, false); }, {}},
        {"and on again", [&] { return assign(*changes, find(QStringLiteral("Quiet")), &ChoreFields::notify, true); },
         {due(3, "Quiet", 20, 9, 0)}},
        {"restore adds only the backup's active chores with notify on", [&] {
             ChoreFields done = fields(QStringLiteral("Old"), may12);
             done.endDate = at("Europe/Berlin", 2026, 5, 2);
             backup = ChoreBackup::encode({fields(QStringLiteral("Restored"), may12, true, 3600),
                                           fields(QStringLiteral("Restored quiet"), may12, false), done}).bytes;
             return changes->restore(backup).ok; },
         {due(3, "Quiet", 20, 9, 0), due(4, "Restored", 12, 1, 0)}},
        {"a write rolled back leaves nothing behind", [&] {
             return !changes->batch([&] { return changes->add(fields(QStringLiteral("Rolled back"), may12)) && false; }); },
         {due(3, "Quiet", 20, 9, 0), due(4, "Restored", 12, 1, 0)}},
        {"an odd stored time withdraws the reminder", [&] {
             return assign(*changes, find(QStringLiteral("Restored")), &ChoreFields::notificationTime, 50 * 3600); },
         {due(3, "Quiet", 20, 9, 0)}},
        {"a start finds a reminder of a chore deleted behind its back and drops it", [&] {
             queue().add(due(999999, "Gone", 30, 9, 0));
             stop();
             start();
             return true; },
         {due(3, "Quiet", 20, 9, 0)}},
        {"rung at its minute: shown once", [&] {
             clock.setNow(at("Europe/Berlin", 2026, 5, 20, 9, 0));
             settle();
             return waitFor([&] { return queue().pending().isEmpty(); }) && shown().size() == 1; },
         {}},
        {"never again: not after a restart, nor an edit that keeps the minute", [&] {
             stop();
             start();
             return assign(*changes, find(QStringLiteral("Quiet")), &ChoreFields::title, QStringLiteral("Quiet, renamed"))
                 && !waitFor([&] { settle(); return shown().size() > 1; }, 300); },
         {}},
        {"a new minute the same day is a new reminder", [&] {
             return assign(*changes, find(QStringLiteral("Quiet, renamed")), &ChoreFields::notificationTime, 10 * 3600); },
         {due(3, "Quiet, renamed", 20, 10, 0)}},
        {"finished while it repeats: its reminder moves on with it, the journal's copy has none", [&] {
             Chore *quiet = find(QStringLiteral("Quiet, renamed"));
             return changes->update(quiet, quiet->fields(), Recurrence{QStringLiteral("FREQ=WEEKLY"), false, {}, {}})
                 && changes->finish(quiet); },
         {due(3, "Quiet, renamed", 27, 10, 0)}},
        {"for another member, with only mine ringing here: it does not ring", [&] {
             household = std::make_unique<Household>(*changes, nullptr);
             household->setMe(QStringLiteral("Alice"));
             household->setRemindMineOnly(true);
             reminders->setRingsFor([&](const Chore *chore) { return household->remindsOf(chore); });
             Chore *quiet = find(QStringLiteral("Quiet, renamed"));
             return changes->update(quiet, quiet->fields(), std::nullopt, ChorePeople{QStringLiteral("Bob"), {}, {}}); },
         {}},
        {"every reminder ringing here: it does", [&] {
             household->setRemindMineOnly(false);
             reminders->refollow();
             return true; },
         {due(3, "Quiet, renamed", 27, 10, 0)}},
        {"only mine again, and it becomes mine", [&] {
             household->setRemindMineOnly(true);
             reminders->refollow();
             Chore *quiet = find(QStringLiteral("Quiet, renamed"));
             return queue().pending().isEmpty()
                 && changes->update(quiet, quiet->fields(), std::nullopt, ChorePeople{QStringLiteral("Alice"), {}, {}}); },
         {due(3, "Quiet, renamed", 27, 10, 0)}},
    };
    for (const Step &step : steps) {
        ASSERT_TRUE(step.act()) << step.what;
        QList<NotificationRequest> pending = queue().pending();
        std::sort(pending.begin(), pending.end(), [](const auto &a, const auto &b) { return a.identifier < b.identifier; });
        EXPECT_EQ(pending, step.expected) << step.what;
    }
    household->setMe({});
}

// The reminder's Finish on a full disk, no window open: the reminder leaves the screen, a
// notification of its own says the chore is not finished and why, and the file still holds it.
TEST_F(RemindersTest, AFinishTheDiskRefusesIsToldInANotificationOfItsOwn)
{
    pressOnAFullDisk(QStringLiteral("finish"));
    const QVariantList told = serverCalls(QStringLiteral("Notify")).constLast();
    EXPECT_EQ(told.value(3).toString(), QStringLiteral("Mop"));
    EXPECT_EQ(told.value(4).toString(), QStringLiteral("The chore could not be finished: the disk is full."));
    EXPECT_TRUE(qdbus_cast<QStringList>(told.value(5)).isEmpty()) << "nothing on it to press";
    EXPECT_EQ(serverCalls(QStringLiteral("CloseNotification")), QList<QVariantList>{{1u}});
    ASSERT_NE(find(QStringLiteral("Mop")), nullptr);
    stop();
    start();
    EXPECT_NE(find(QStringLiteral("Mop")), nullptr) << "the file holds it unfinished";
}

// A snooze the reminders' file refuses is told too: it would not survive a restart.
TEST_F(RemindersTest, ASnoozeTheDiskRefusesIsTold)
{
    pressOnAFullDisk(QStringLiteral("snooze"));
    EXPECT_TRUE(serverCalls(QStringLiteral("Notify")).constLast().value(4).toString().startsWith(
        QStringLiteral("The snooze could not be saved")));
}

// Requests are kept by identifier across a restart and ones that name no real minute are
// refused; odd rows someone else wrote into the file are dropped on load, for good; a file
// that cannot be opened leaves a queue that works in memory.
TEST_F(RemindersTest, TheFileKeepsRequestsByIdentifierAndOnlySoundOnes)
{
    ASSERT_TRUE(queue().isPersistent());
    queue().add(request(QStringLiteral("a"), QStringLiteral("first"), today.addDays(2), 9, 0));
    queue().add(request(QStringLiteral("b"), QStringLiteral("other"), today.addDays(2), 9, 0));
    queue().add(request(QStringLiteral("a"), QStringLiteral("second"), today.addDays(3), 10, 30));
    using T = NotificationTrigger;
    for (const T &odd : {T{2026, 13, 1, 9, 0}, T{2026, 5, 11, 24, 0}, T{2026, 5, 11, 9, -1}, T{2026, 2, 30, 9, 0}})
        queue().add({QStringLiteral("odd"), {}, {}, true, odd});
    queue().remove({QStringLiteral("unknown"), QStringLiteral("b")});
    stop();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("odd-rows"));
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char *values : {"('month', 't', 'b', 1, 2026, 13, 1, 9, 0)",
                                   "('huge', 't', 'b', 1, 1e300, 1, 1, 9, 0)",
                                   "('text', 't', 'b', 1, 'x', 'y', 'z', 9, 0)",
                                   "('nulls', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)",
                                   "('fraction', 't', 'b', 1, 2026, 6, 1.5, 9, 0)",
                                   "('far', 't', 'b', 1, 9999, 12, 31, 23, 59)"})
            ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO pending VALUES ") + QLatin1String(values))) << values;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("odd-rows"));
    for (int run = 0; run < 2; ++run) {
        start();
        ASSERT_EQ(describe(queue().pending()), (QStringList{"second 05-13 10:30", "t 12-31 23:59"})) << run;
        EXPECT_EQ(queue().pending().first(),
                  request(QStringLiteral("a"), QStringLiteral("second"), today.addDays(3), 10, 30));
        stop();
    }

    // A folder where the file should be.
    FakeNotificationBus quietBus;
    FakeWallClockAlarm idleAlarm;
    ReminderQueue inMemory(dir.path(), quietBus, idleAlarm);
    EXPECT_FALSE(inMemory.isPersistent());
    inMemory.add(request(QStringLiteral("a"), QStringLiteral("t"), today.addDays(1), 9, 0));
    EXPECT_EQ(inMemory.pending().size(), 1);
}

TEST_F(RemindersTest, ARequestReplacedWhileOnItsWayStaysPending)
{
    queue().add(request(QStringLiteral("a"), QStringLiteral("old"), today, 8, 0));
    QCoreApplication::processEvents();
    ASSERT_EQ(alarm->armedAt, clock.now()) << "due already: at once";
    queue().deliverDue();
    // The server has not answered yet.
    queue().add(request(QStringLiteral("a"), QStringLiteral("new"), today.addDays(1), 9, 0));
    settle();
    ASSERT_EQ(queue().pending().size(), 1);
    EXPECT_EQ(queue().pending().first().title, QStringLiteral("new"));
}

// A reminder falls due while the server, or the whole app, is gone. It is kept (and tried again
// later) and shown once when either is back the same day; a return after that day finds it
// dropped as stale. The server had shown an earlier reminder before it went.
TEST_F(RemindersTest, AReminderDueWhileTheServerOrTheAppIsGoneWaitsForItsReturn)
{
    const struct {
        const char *name;
        bool appGone;
        QDateTime back;
        bool shownOnReturn;
    } cases[] = {
        {"server back a minute later", false, at("Europe/Berlin", 2026, 5, 10, 9, 1), true},
        {"server back the next day", false, at("Europe/Berlin", 2026, 5, 11, 0, 0), false},
        {"app started again in the last minute of the day", true, at("Europe/Berlin", 2026, 5, 10, 23, 59), true},
        {"app started again the next day", true, at("Europe/Berlin", 2026, 5, 11, 0, 0), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        stop();
        QFile::remove(path());
        forgetShown();
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 0));
        start();
        queue().add(request(QStringLiteral("a"), QStringLiteral("first"), today, 8, 30));
        queue().add(request(QStringLiteral("b"), QStringLiteral("second"), today, 9, 0));
        settle();
        ASSERT_EQ(alarm->armedAt, at("Europe/Berlin", 2026, 5, 10, 8, 30)) << "asleep until the first minute";
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 30));
        settle();
        const QStringList secondPending{"second 05-10 09:00"};
        ASSERT_TRUE(waitFor(
            [&] { return shown() == QStringList{"first"} && describe(queue().pending()) == secondPending; }));
        forgetShown();

        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 9, 0));
        if (c.appGone) {
            stop();
            clock.setNow(c.back);
            start();
        } else {
            stopServer();
            settle();
            const QDateTime retry = clock.now().addMSecs(ReminderQueue::retryMs);
            EXPECT_TRUE(waitFor([&] { return alarm->armedAt == retry; })) << "tried again later";
            EXPECT_EQ(describe(queue().pending()), secondPending);
            clock.setNow(c.back);
            settle();
            startServer();
            // A server may take its name a moment before it answers: the next try is a minute on.
            settle();
            clock.setNow(c.back.addMSecs(ReminderQueue::retryMs));
            settle();
        }
        EXPECT_TRUE(waitFor([&] { return queue().pending().isEmpty(); }));
        EXPECT_EQ(shown(), c.shownOnReturn ? QStringList{QStringLiteral("second")} : QStringList{});
        EXPECT_FALSE(alarm->armedAt) << "nothing pending: asleep";
    }
}

} // namespace
