// One chore's whole road, with the app restarted on the same files after every step, as a user
// who closes and reopens it would: nothing shown is lost, and the pending reminders are exactly
// those of active chores with a reminder still to come.
#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/Router.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WidgetCenter.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "Velmora/Screens/JournalGroups.h"
#include "tests/support/TestSupport.h"

#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Velmora;
using Op = ChoreEditor::EditingOperation;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

class WholeRoadTest : public ::testing::Test {
protected:
    void SetUp() override { restart(); }
    void TearDown() override
    {
        app.reset();
        NotificationService::install(nullptr);
        service.reset();
    }

    // Everything in memory goes; only the files stay.
    void restart()
    {
        app.reset();
        NotificationService::install(nullptr);
        service.reset();
        auto bus = std::make_unique<FakeNotificationBus>();
        bus->serverPresent = true;
        service = std::make_unique<DesktopNotificationService>(dir.filePath(QStringLiteral("notifications.sqlite")),
                                                               std::move(bus));
        NotificationService::install(service.get());
        app = std::make_unique<VelmoraApp>(VelmoraApp::Services{&timeChanges, &widgets});
        ASSERT_EQ(app->open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        QCoreApplication::processEvents();
    }

    void crossMidnight()
    {
        clock.setNow(ChoreDates::startOfDay(clock.now()).addDays(1).addSecs(5 * 60));
        timeChanges.fire();
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return app->refreshDay()->date() == ChoreDates::startOfDay(clock.now()); }));
    }

    bool edit(Op operation, Chore *source, const std::function<void(ChoreEditor &)> &change = {})
    {
        ChoreEditor editor;
        editor.setStore(app->store());
        editor.setRouter(app->router());
        editor.setOperation(operation);
        editor.setChore(source);
        editor.load();
        if (change)
            change(editor);
        return editor.save();
    }

    Chore *active(const QString &title) const
    {
        for (Chore *chore : app->chores()->rows()) {
            if (chore->title() == title)
                return chore;
        }
        return nullptr;
    }

    QStringList titles(const ChoreQueryModel *query) const
    {
        QStringList out;
        for (const Chore *chore : query->rows())
            out << chore->title();
        return out;
    }

    void expectRemindersMatchActiveChores()
    {
        QSet<QString> pending;
        for (const NotificationRequest &request : service->pendingRequests())
            pending.insert(request.identifier);
        QSet<QString> wanted;
        for (const Chore *chore : app->chores()->rows()) {
            const auto instant = NotificationsManager::reminderInstant(chore->dueDate(), chore->notificationTime(), clock.timeZone());
            if (chore->notify() && instant && *instant > clock.now())
                wanted.insert(NotificationsManager::notificationIdentifier(*chore));
        }
        EXPECT_EQ(pending, wanted);
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 20, 10), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    QTemporaryDir dir;
    FakeTimeChangeNotifier timeChanges;
    FakeWidgetCenter widgets;
    std::unique_ptr<DesktopNotificationService> service;
    std::unique_ptr<VelmoraApp> app;
};

TEST_F(WholeRoadTest, AddRepeatFinishJournalCopyDelete)
{
    // Add "Mop", due the day after tomorrow at 18:00.
    ASSERT_TRUE(edit(Op::add, nullptr, [](ChoreEditor &e) {
        e.setTitle(QStringLiteral("Mop"));
        e.setPlannedDays(2);
        e.setNotify(true);
        e.setReminderHour(18);
    }));
    restart();
    ASSERT_EQ(titles(app->chores()), QStringList{QStringLiteral("Mop")});
    expectRemindersMatchActiveChores();
    EXPECT_EQ(service->pendingRequests().size(), 1);

    // Three midnights later it is overdue.
    const QString before = active(QStringLiteral("Mop"))->timeLeftText(app->refreshDay()->date(), true, false);
    EXPECT_EQ(before, QStringLiteral("2 days"));
    for (int i = 0; i < 3; ++i)
        crossMidnight();
    EXPECT_EQ(active(QStringLiteral("Mop"))->timeLeftText(app->refreshDay()->date(), true, false), QStringLiteral("overdue"));
    restart();
    EXPECT_EQ(active(QStringLiteral("Mop"))->timeLeftText(app->refreshDay()->date(), true, false), QStringLiteral("overdue"));
    expectRemindersMatchActiveChores();

    // Repeat: a new two-day run from today; the old run goes to the journal.
    const QDateTime repeatedAt = clock.now();
    ASSERT_TRUE(edit(Op::repeat, active(QStringLiteral("Mop"))));
    restart();
    ASSERT_EQ(app->chores()->rowCount(), 1);
    ASSERT_EQ(app->journal()->rowCount(), 1);
    EXPECT_EQ(app->journal()->at(0)->endDate(), repeatedAt);
    EXPECT_EQ(app->chores()->at(0)->timeLeftText(app->refreshDay()->date(), true, false), QStringLiteral("2 days"));
    expectRemindersMatchActiveChores();
    EXPECT_EQ(service->pendingRequests().size(), 1);

    // The next day the new run is finished.
    crossMidnight();
    ASSERT_TRUE(app->finish(app->chores()->at(0)));
    restart();
    EXPECT_EQ(app->chores()->rowCount(), 0);
    expectRemindersMatchActiveChores();
    EXPECT_TRUE(service->pendingRequests().isEmpty());

    // Both runs are in the journal, each under the day it ended, newest first.
    JournalGroups groups;
    groups.setQuery(app->journal());
    ASSERT_EQ(groups.groups().size(), 2);
    EXPECT_EQ(groups.groups().at(0).endDate.toTimeZone(clock.timeZone()).date(), QDate(2026, 5, 24));
    EXPECT_EQ(groups.groups().at(1).endDate.toTimeZone(clock.timeZone()).date(), QDate(2026, 5, 23));

    // Copy the older run back: a new chore from today with the same planned length.
    Chore *older = groups.groups().at(1).chores.front();
    const ChoreFields olderFields = older->fields();
    const qint64 olderId = older->persistentId(); // the object goes with the restart
    ASSERT_TRUE(edit(Op::copy, older));
    restart();
    ASSERT_EQ(app->chores()->rowCount(), 1);
    EXPECT_EQ(app->journal()->rowCount(), 2);
    EXPECT_EQ(app->store()->chore(olderId) ? app->store()->chore(olderId)->fields() : ChoreFields(), olderFields);
    EXPECT_EQ(app->chores()->at(0)->dueDate(), ChoreDates::addDays(ChoreDates::startOfDay(clock.now()), 2));
    expectRemindersMatchActiveChores();

    // Delete the copy: its reminder goes with it.
    ASSERT_TRUE(app->remove(app->chores()->at(0)));
    restart();
    EXPECT_EQ(app->chores()->rowCount(), 0);
    EXPECT_EQ(app->journal()->rowCount(), 2);
    EXPECT_TRUE(service->pendingRequests().isEmpty());
}

} // namespace
