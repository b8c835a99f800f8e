#include "Velmora/App/Router.h"
#include "Velmora/App/Tray.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/ApplicationBus.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestSupport.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace Velmora;
using Op = ChoreEditor::EditingOperation;
using VelmoraTest::at;
using VelmoraTest::waitFor;
using VelmoraTest::zone;

namespace {

const QString notifications = QStringLiteral("org.freedesktop.Notifications");

// A method of python-dbusmock's own interface on the notification server.
QDBusMessage mock(const QString &method)
{
    return QDBusMessage::createMethodCall(notifications, QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.DBus.Mock"), method);
}

// "title mm-dd hh:mm" of each pending request, sorted.
QStringList describe(const QList<NotificationRequest> &requests)
{
    QStringList out;
    for (const NotificationRequest &r : requests)
        out << r.title + QDateTime(r.trigger.date(), QTime(r.trigger.hour, r.trigger.minute)).toString(u" MM-dd hh:mm");
    out.sort();
    return out;
}

// The app with its window closed on a private session bus, with python-dbusmock's
// notification server (offering actions) where a desktop has its own; the alarm and the
// clock are the test's.
class BackgroundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        bus = std::make_unique<VelmoraTest::PrivateBus>();
        bus->becomeSessionBus();
    }
    static void TearDownTestSuite() { bus.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(bus->isRunning());
        startServer();
        start();
    }
    void TearDown() override
    {
        stop();
        stopServer();
    }

    void startServer()
    {
        server = bus->startMock(QStringLiteral("notification_daemon"),
                                QStringLiteral("{\"capabilities\": \"body actions\"}"), notifications);
        ASSERT_TRUE(server) << "python3-dbusmock did not come up";
    }
    void stopServer()
    {
        if (server) {
            server->terminate();
            server->waitForFinished(3000);
        }
        server.reset();
    }

    // A new run of the app on the same files.
    void start()
    {
        auto fakeAlarm = std::make_unique<FakeWallClockAlarm>();
        alarm = fakeAlarm.get();
        service = std::make_unique<DesktopNotificationService>(path(), nullptr, std::move(fakeAlarm));
        timeChanges = std::make_unique<SystemTimeChangeNotifier>(
            nullptr, SystemTimeChangeNotifier::defaultPollIntervalMs, bus->connect(QStringLiteral("sleep")));
        app = std::make_unique<VelmoraApp>(VelmoraApp::Services{timeChanges.get(), &widgets, service.get()});
        ASSERT_EQ(app->open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        QObject::connect(timeChanges.get(), &TimeChangeNotifier::significantTimeChange, service.get(),
                         &DesktopNotificationService::replan);
        settle();
    }
    void stop()
    {
        app.reset();
        timeChanges.reset();
        service.reset();
    }

    // Lets queued work and the bus run, ringing the alarm whenever the clock has reached it.
    void settle()
    {
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            alarm->ringIfDue();
        }
    }

    QString path() const { return dir.filePath(QStringLiteral("data/notifications.sqlite")); }

    // The arguments of each call of method the server has seen.
    static QList<QVariantList> serverCalls(const QString &method)
    {
        const QDBusMessage reply = QDBusConnection::sessionBus().call(mock(QStringLiteral("GetMethodCalls")) << method);
        QList<QVariantList> calls;
        const QDBusArgument outer = reply.arguments().value(0).value<QDBusArgument>();
        outer.beginArray();
        while (!outer.atEnd()) {
            qulonglong time = 0;
            QVariantList args;
            outer.beginStructure();
            outer >> time >> args;
            outer.endStructure();
            calls.append(args);
        }
        outer.endArray();
        return calls;
    }

    // The summaries of the notifications the server was asked to show, in order.
    static QStringList shown()
    {
        QStringList summaries;
        for (const QVariantList &args : serverCalls(QStringLiteral("Notify")))
            summaries.append(args.value(3).toString());
        return summaries;
    }

    // The server tells that the user picked an action on notification id.
    static void invoke(uint id, const QString &key)
    {
        QDBusConnection::sessionBus().call(mock(QStringLiteral("EmitSignal"))
                                           << notifications << QStringLiteral("ActionInvoked") << QStringLiteral("us")
                                           << QVariant::fromValue(QVariantList{id, key}));
    }

    static ChoreFields fields(const QString &title, const QDateTime &due, bool notify = true, double time = 9 * 3600)
    {
        return {title, ColorComponentsModel::standardRed(), at("Europe/Berlin", 2026, 5, 1), due, {}, notify, time};
    }

    Chore *find(const QString &title) const
    {
        const auto &chores = app->store()->chores();
        const auto it = std::find_if(chores.cbegin(), chores.cend(),
                                     [&](const Chore *c) { return c->title() == title && !c->isFinished(); });
        return it == chores.cend() ? nullptr : *it;
    }

    // Through the editor, as the screens save.
    bool edit(Op operation, Chore *chore, const std::function<void(ChoreEditor &)> &change)
    {
        ChoreEditor editor;
        editor.setChanges(app->changes());
        editor.setRouter(app->router());
        editor.setOperation(operation);
        editor.setChore(chore);
        editor.load();
        change(editor);
        return editor.save();
    }

    static NotificationRequest request(const QString &id, const QString &title, QDate day, int hour, int minute)
    {
        return {id, title, QStringLiteral("body"), true, {day.year(), day.month(), day.day(), hour, minute}};
    }

    static inline std::unique_ptr<VelmoraTest::PrivateBus> bus;
    const QDate today{2026, 5, 10};
    FakeClock clock{at("Europe/Berlin", 2026, 5, 10, 8, 0), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    QTemporaryDir dir;
    FakeWidgetCenter widgets;
    std::unique_ptr<QProcess> server;
    FakeWallClockAlarm *alarm = nullptr;
    std::unique_ptr<DesktopNotificationService> service;
    std::unique_ptr<SystemTimeChangeNotifier> timeChanges;
    std::unique_ptr<VelmoraApp> app;
};

// No window anywhere: the reminder goes out at its minute with the actions, and each action
// does what the same button does in the app. The minute is the zone's of the moment: a resume
// from suspend plans the alarm again after the zone changed during the sleep.
TEST_F(BackgroundTest, RemindersRingAtTheirMinuteAndTheirActionsWork)
{
    const QDateTime may10 = at("Europe/Berlin", 2026, 5, 10);
    for (const char *title : {"Mop", "Bins", "Dust"})
        ASSERT_TRUE(app->changes()->add(fields(QString::fromLatin1(title), may10)));
    settle();
    ASSERT_EQ(alarm->armedAt, at("Europe/Berlin", 2026, 5, 10, 9, 0));
    clock.setTimeZone(zone("Europe/London"));
    ASSERT_TRUE(QDBusConnection::sessionBus().send(
        QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                   QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"))
        << false));
    ASSERT_TRUE(waitFor([&] { return alarm->armedAt == at("Europe/London", 2026, 5, 10, 9, 0); }));
    clock.setNow(at("Europe/London", 2026, 5, 10, 9, 0));
    settle();
    ASSERT_TRUE(waitFor([&] { return shown().size() == 3 && service->pendingRequests().isEmpty(); }));
    for (const QVariantList &call : serverCalls(QStringLiteral("Notify"))) {
        const QStringList actions = qdbus_cast<QStringList>(call.value(5)); // key, label, key, label...
        EXPECT_EQ(actions.size(), 6);
        EXPECT_EQ((QStringList{actions.value(0), actions.value(2), actions.value(4)}),
                  (QStringList{"default", "finish", "snooze"})) << qPrintable(call.value(3).toString());
        EXPECT_EQ(call.value(4).toString(), NotificationsManager::tr("This chore is due today!"));
        EXPECT_EQ(call.value(2).toString(), QString::fromLatin1(ApplicationBus::appId)) << "the app's icon";
    }

    // The mock numbers notifications 1, 2, 3 in the order they were sent. Finished and snoozed
    // ones are taken off the screen.
    QSignalSpy windowWanted(app.get(), &VelmoraApp::windowWanted);
    const uint mop = shown().indexOf(QStringLiteral("Mop")) + 1, dust = shown().indexOf(QStringLiteral("Dust")) + 1;
    invoke(mop, QStringLiteral("finish"));
    invoke(shown().indexOf(QStringLiteral("Bins")) + 1, QStringLiteral("default"));
    invoke(dust, QStringLiteral("snooze"));
    ASSERT_TRUE(waitFor([&] {
        return app->journal()->rowCount() == 1 && windowWanted.count() == 1 && service->pendingRequests().size() == 1
            && serverCalls(QStringLiteral("CloseNotification")) == QList<QVariantList>{{mop}, {dust}};
    }));
    EXPECT_EQ(app->journal()->at(0)->title(), QStringLiteral("Mop"));
    EXPECT_EQ(app->router()->kindAt(0), Router::ViewChore);
    EXPECT_EQ(app->router()->choreAt(0)->title(), QStringLiteral("Bins"));
    EXPECT_EQ(service->pendingRequests().first().trigger, (NotificationTrigger{2026, 5, 10, 10, 0}));
    // With no window to leave, the finish alone brings the widget up to date.
    EXPECT_TRUE(waitFor([&] { return widgets.reloadCount() > 0; }, 3000));

    // The snooze outlives a restart and rings an hour later.
    stop();
    start();
    clock.setNow(at("Europe/London", 2026, 5, 10, 10, 0));
    settle();
    ASSERT_TRUE(waitFor([&] { return shown().size() == 4; }));
    EXPECT_EQ(shown().constLast(), QStringLiteral("Dust"));
}

// After every way a chore changes, the pending reminders are exactly those of the active
// chores with notify on whose reminder has not rung yet, each named by its chore's identity.
TEST_F(BackgroundTest, RemindersFollowEveryChangeOfTheStore)
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
        {"editor copies under the same title: a reminder of its own", [&] {
             return edit(Op::copy, find(QStringLiteral("Quiet")), [](ChoreEditor &) {}); },
         {"Quiet 05-13 09:00", "Quiet 05-13 09:00", "Water more 05-12 08:30"}},
        {"finish", [&] { return app->changes()->finish(find(QStringLiteral("Water more"))); },
         {"Quiet 05-13 09:00", "Quiet 05-13 09:00"}},
        {"delete", [&] { return app->changes()->remove(find(QStringLiteral("Quiet"))); },
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
             return app->changes()->restore(backup).ok; },
         {"Quiet 05-20 09:00", "Restored 05-12 01:00"}},
        {"a write rolled back leaves nothing behind", [&] {
             return !app->store()->transaction([&] {
                 return app->store()->insert(fields(QStringLiteral("Rolled back"), may12)) && false; }); },
         {"Quiet 05-20 09:00", "Restored 05-12 01:00"}},
        {"an odd stored time withdraws the reminder", [&] {
             return find(QStringLiteral("Restored"))->assignNotificationTime(50 * 3600); },
         {"Quiet 05-20 09:00"}},
        {"a start finds a reminder of a chore deleted behind its back and drops it", [&] {
             service->add({NotificationsManager::notificationIdentifier(999999), QStringLiteral("Gone"), {}, true,
                           {2026, 5, 30, 9, 0}});
             stop();
             start();
             return true; },
         {"Quiet 05-20 09:00"}},
        {"rung at its minute: shown once", [&] {
             clock.setNow(at("Europe/Berlin", 2026, 5, 20, 9, 0));
             settle();
             return waitFor([&] { return service->pendingRequests().isEmpty(); })
                 && shown().size() == 1; },
         {}},
        {"never again: not after a restart, nor an edit that keeps the minute", [&] {
             stop();
             start();
             return find(QStringLiteral("Quiet"))->assignTitle(QStringLiteral("Quiet, renamed"))
                 && !waitFor([&] { settle(); return shown().size() > 1; }, 300); },
         {}},
        {"a new minute the same day is a new reminder", [&] {
             return find(QStringLiteral("Quiet, renamed"))->assignNotificationTime(10 * 3600); },
         {"Quiet, renamed 05-20 10:00"}},
    };
    for (const Step &step : steps) {
        ASSERT_TRUE(step.act()) << step.what;
        EXPECT_EQ(describe(service->pendingRequests()), step.expected) << step.what;
        // And every pending one belongs to an active chore with notify on.
        for (const NotificationRequest &r : service->pendingRequests()) {
            const Chore *chore = app->store()->chore(r.identifier.section(QLatin1Char('-'), 2).toLongLong());
            EXPECT_TRUE(chore && chore->notify() && !chore->isFinished()) << step.what;
        }
    }
}

// Requests are kept by identifier across a restart and ones that name no real minute are
// refused; odd rows someone else wrote into the file are dropped on load, for good; a file
// that cannot be opened leaves a service that works in memory.
TEST_F(BackgroundTest, TheFileKeepsRequestsByIdentifierAndOnlySoundOnes)
{
    ASSERT_TRUE(service->isPersistent());
    service->add(request(QStringLiteral("a"), QStringLiteral("first"), today.addDays(2), 9, 0));
    service->add(request(QStringLiteral("b"), QStringLiteral("other"), today.addDays(2), 9, 0));
    service->add(request(QStringLiteral("a"), QStringLiteral("second"), today.addDays(3), 10, 30));
    using T = NotificationTrigger;
    for (const T &odd : {T{2026, 13, 1, 9, 0}, T{2026, 5, 11, 24, 0}, T{2026, 5, 11, 9, -1}, T{2026, 2, 30, 9, 0}})
        service->add({QStringLiteral("odd"), {}, {}, true, odd});
    service->removePendingRequests({QStringLiteral("unknown"), QStringLiteral("b")});
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
        ASSERT_EQ(describe(service->pendingRequests()), (QStringList{"second 05-13 10:30", "t 12-31 23:59"})) << run;
        EXPECT_EQ(service->pendingRequests().first(),
                  request(QStringLiteral("a"), QStringLiteral("second"), today.addDays(3), 10, 30));
        stop();
    }

    // A folder where the file should be.
    DesktopNotificationService inMemory(dir.path(), nullptr, std::make_unique<FakeWallClockAlarm>());
    EXPECT_FALSE(inMemory.isPersistent());
    inMemory.add(request(QStringLiteral("a"), QStringLiteral("t"), today.addDays(1), 9, 0));
    EXPECT_EQ(inMemory.pendingRequests().size(), 1);
}

TEST_F(BackgroundTest, ARequestReplacedWhileOnItsWayStaysPending)
{
    service->add(request(QStringLiteral("a"), QStringLiteral("old"), today, 8, 0));
    QCoreApplication::processEvents();
    ASSERT_EQ(alarm->armedAt, clock.now()) << "due already: at once";
    service->deliverDue();
    // The server has not answered yet.
    service->add(request(QStringLiteral("a"), QStringLiteral("new"), today.addDays(1), 9, 0));
    settle();
    ASSERT_EQ(service->pendingRequests().size(), 1);
    EXPECT_EQ(service->pendingRequests().first().title, QStringLiteral("new"));
}

// A reminder falls due while the server, or the whole app, is gone. It is kept (and tried again
// later) and shown once when either is back the same day; a return after that day finds it
// dropped as stale. The server had shown an earlier reminder before it went.
TEST_F(BackgroundTest, AReminderDueWhileTheServerOrTheAppIsGoneWaitsForItsReturn)
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
    const auto forgetShown = [] { QDBusConnection::sessionBus().call(mock(QStringLiteral("ClearCalls"))); };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        stop();
        QFile::remove(path());
        forgetShown();
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 0));
        start();
        service->add(request(QStringLiteral("a"), QStringLiteral("first"), today, 8, 30));
        service->add(request(QStringLiteral("b"), QStringLiteral("second"), today, 9, 0));
        settle();
        ASSERT_EQ(alarm->armedAt, at("Europe/Berlin", 2026, 5, 10, 8, 30)) << "asleep until the first minute";
        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 30));
        settle();
        const QStringList secondPending{"second 05-10 09:00"};
        ASSERT_TRUE(waitFor(
            [&] { return shown() == QStringList{"first"} && describe(service->pendingRequests()) == secondPending; }));
        forgetShown();

        clock.setNow(at("Europe/Berlin", 2026, 5, 10, 9, 0));
        if (c.appGone) {
            stop();
            clock.setNow(c.back);
            start();
        } else {
            stopServer();
            settle();
            const QDateTime retry = clock.now().addMSecs(DesktopNotificationService::retryMs);
            EXPECT_TRUE(waitFor([&] { return alarm->armedAt == retry; })) << "tried again later";
            EXPECT_EQ(describe(service->pendingRequests()), secondPending);
            clock.setNow(c.back);
            settle();
            startServer();
            // A server may take its name a moment before it answers: the next try is a minute on.
            settle();
            clock.setNow(c.back.addMSecs(DesktopNotificationService::retryMs));
            settle();
        }
        EXPECT_TRUE(waitFor([&] { return service->pendingRequests().isEmpty(); }));
        EXPECT_EQ(shown(), c.shownOnReturn ? QStringList{QStringLiteral("second")} : QStringList{});
        EXPECT_FALSE(alarm->armedAt) << "nothing pending: asleep";
    }
}

// The desktop shell: the watcher items register with, and a tray host that follows the menu.
class Shell : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
public:
    QStringList registered;
    QList<uint> revisions;

public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString &service) { registered.append(service); }
    void layoutUpdated(uint revision, int) { revisions.append(revision); }
};

// The tray lists the nearest chores as the widget does, follows changes and the day, tells
// hosts of each new menu, and opens a chore's page from its entry. The icon registers with
// every watcher that appears, and its name goes with it.
TEST_F(BackgroundTest, TheTrayListsTheNearestChoresAndOpensThem)
{
    const QString menuInterface = QStringLiteral("com.canonical.dbusmenu");
    QDBusConnection shellBus = bus->connect(QStringLiteral("shell"));
    Shell shell;
    ASSERT_TRUE(shellBus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &shell,
                                        QDBusConnection::ExportScriptableSlots));
    auto tray = std::make_unique<Tray>(*app, bus->connect(QStringLiteral("tray")));
    ASSERT_TRUE(waitFor([&] { return !tray->item().serviceName().isEmpty(); }));
    const QString name = tray->item().serviceName();
    ASSERT_TRUE(shellBus.connect(name, StatusNotifierItem::menuPath, menuInterface, QStringLiteral("LayoutUpdated"),
                                 &shell, SLOT(layoutUpdated(uint, int))));
    // Each entry as a host gets it ("-" for a separator).
    const auto labels = [&] {
        const TrayMenu &menu = tray->item().menu();
        QStringList out;
        for (const int id : menu.childIds()) {
            const QVariantMap entry = menu.properties(id);
            out << (entry.contains(QStringLiteral("type")) ? QStringLiteral("-") : entry.value("label").toString());
        }
        return out;
    };
    EXPECT_EQ(labels(), (QStringList{"Open Taskarello", "Quit"}));
    for (int i = 0; i < 7; ++i) {
        const QDateTime due = ChoreDates::addDays(at("Europe/Berlin", 2026, 5, 10), 2 * (6 - i));
        ASSERT_TRUE(app->changes()->add(fields(QStringLiteral("Chore_%1").arg(i), due, false)));
    }
    // Underscores doubled: a single one would mark a mnemonic.
    const QStringList fiveNearest{"Chore__6 — today", "Chore__5 — 2 days", "Chore__4 — 4 days", "Chore__3 — 6 days",
                                  "Chore__2 — 8 days", "-", "Open Taskarello", "Quit"};
    ASSERT_TRUE(waitFor([&] { return labels() == fiveNearest; }))
        << qPrintable(labels().join(u'|'));

    // Midnight passes: the notice of the time change reaches the tray through the day.
    clock.setNow(at("Europe/Berlin", 2026, 5, 11, 0, 1));
    timeChanges->check();
    ASSERT_TRUE(waitFor([&] { return labels().value(0) == QStringLiteral("Chore__6 — overdue"); }))
        << qPrintable(labels().join(u'|'));
    // Hosts were told of the menu as it now stands, and read it so.
    const uint revision = tray->item().menu().revision();
    EXPECT_TRUE(waitFor([&] { return shell.revisions.value(shell.revisions.size() - 1) == revision; }));
    QDBusMessage layout = QDBusMessage::createMethodCall(name, StatusNotifierItem::menuPath, menuInterface,
                                                         QStringLiteral("GetLayout"));
    layout << 0 << -1 << QStringList();
    // The item answers on this thread, so the call waits in a local event loop.
    const QDBusMessage reply = QDBusConnection::sessionBus().call(layout, QDBus::BlockWithGui, 5000);
    EXPECT_EQ(reply.signature(), QStringLiteral("u(ia{sv}av)")) << reply.errorMessage().toStdString();
    EXPECT_EQ(reply.arguments().value(0).toUInt(), revision);

    // Picked from the tray, and the icon clicked, as a desktop's tray does it.
    QSignalSpy open(tray.get(), &Tray::openRequested);
    QDBusMessage click = QDBusMessage::createMethodCall(name, StatusNotifierItem::menuPath, menuInterface,
                                                        QStringLiteral("Event"));
    click << tray->items().at(1).id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
    QDBusConnection::sessionBus().asyncCall(click);
    ASSERT_TRUE(waitFor([&] { return open.count() == 1; }));
    EXPECT_EQ(app->router()->choreAt(0)->title(), QStringLiteral("Chore_5"));
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(name, StatusNotifierItem::itemPath,
                                                                           QStringLiteral("org.kde.StatusNotifierItem"),
                                                                           QStringLiteral("Activate"))
                                            << 10 << 20);
    EXPECT_TRUE(waitFor([&] { return open.count() == 2; }));

    // A shell started after the icon, then restarted, hears from it each time.
    EXPECT_FALSE(tray->item().isRegistered());
    for (int registrations = 1; registrations <= 2; ++registrations) {
        ASSERT_TRUE(shellBus.registerService(StatusNotifierItem::watcherService));
        ASSERT_TRUE(waitFor([&] { return tray->item().isRegistered() && shell.registered.size() == registrations; }));
        ASSERT_TRUE(shellBus.unregisterService(StatusNotifierItem::watcherService));
        ASSERT_TRUE(waitFor([&] { return !tray->item().isRegistered(); }));
    }
    EXPECT_EQ(shell.registered, QStringList(2, name));
    tray.reset();
    EXPECT_TRUE(waitFor([&] { return !shellBus.interface()->isServiceRegistered(name).value(); }));
    // An icon started while a shell runs registers at once.
    ASSERT_TRUE(shellBus.registerService(StatusNotifierItem::watcherService));
    Tray second(*app, bus->connect(QStringLiteral("tray-2")));
    EXPECT_TRUE(waitFor([&] { return second.item().isRegistered() && shell.registered.size() == 3; }));
    shellBus.unregisterService(StatusNotifierItem::watcherService);
}

// The real program twice on one bus: the second start hands over and leaves one process.
TEST(SingleInstanceTest, ASecondStartShowsTheRunningOnesWindow)
{
    VelmoraTest::PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    QProcess second;
    for (QProcess *process : {&first, &second})
        process->setProcessEnvironment(env);
    QDBusConnection client = bus.connect(QStringLiteral("client"));
    const QString appId = QString::fromLatin1(ApplicationBus::appId);
    const auto windowShown = [&]() -> std::optional<bool> {
        QDBusMessage get = QDBusMessage::createMethodCall(appId, ApplicationBus::objectPath(),
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << QStringLiteral("org.taskarello.Taskarello.State") << QStringLiteral("WindowShown");
        const QDBusMessage reply = client.call(get);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return std::nullopt;
        return reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
    };

    first.start(QStringLiteral(TASKARELLO_BINARY), {QStringLiteral("--background")});
    ASSERT_TRUE(waitFor([&] { return windowShown().has_value(); }, 10000));
    EXPECT_EQ(windowShown(), false) << "started at login: no window";

    second.start(QStringLiteral(TASKARELLO_BINARY), QStringList());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return windowShown() == true; }, 10000));
    EXPECT_EQ(first.state(), QProcess::Running) << "still the one process";

    QDBusMessage quit = QDBusMessage::createMethodCall(appId, ApplicationBus::objectPath(),
                                                       QStringLiteral("org.freedesktop.Application"),
                                                       QStringLiteral("ActivateAction"));
    quit << QStringLiteral("quit") << QVariant::fromValue(QVariantList()) << QVariantMap();
    client.call(quit);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0);
}

} // namespace

#include "BackgroundTest.moc"
