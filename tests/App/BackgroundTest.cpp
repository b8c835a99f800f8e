#include "Velmora/App/Router.h"
#include "Velmora/App/Tray.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/ApplicationBus.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestSupport.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

const QString notifications = QStringLiteral("org.freedesktop.Notifications");

// The app with its window closed on a private session bus, with python-dbusmock's
// notification server (offering actions) where a desktop has its own.
class BackgroundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        bus = new VelmoraTest::PrivateBus;
        bus->becomeSessionBus();
    }
    static void TearDownTestSuite()
    {
        delete bus;
        bus = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(bus->isRunning());
        server = bus->startMock(QStringLiteral("notification_daemon"), QStringLiteral("{\"capabilities\": \"body actions\"}"),
                                notifications);
        ASSERT_TRUE(server) << "python3-dbusmock did not come up";
        start();
    }
    void TearDown() override
    {
        stop();
        server->terminate();
        server->waitForFinished(3000);
    }

    void start()
    {
        auto fakeAlarm = std::make_unique<FakeWallClockAlarm>();
        alarm = fakeAlarm.get();
        service = std::make_unique<DesktopNotificationService>(dir.filePath(QStringLiteral("notifications.sqlite")),
                                                               nullptr, std::move(fakeAlarm));
        timeChanges = std::make_unique<SystemTimeChangeNotifier>(nullptr, SystemTimeChangeNotifier::defaultPollIntervalMs,
                                                                 bus->connect(QStringLiteral("sleep")));
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

    void settle()
    {
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            alarm->ringIfDue();
        }
    }

    // The Notify calls the server has seen: summary and action keys.
    QList<QPair<QString, QStringList>> notifyCalls() const
    {
        QDBusMessage get = QDBusMessage::createMethodCall(notifications, QStringLiteral("/org/freedesktop/Notifications"),
                                                          QStringLiteral("org.freedesktop.DBus.Mock"),
                                                          QStringLiteral("GetMethodCalls"));
        get << QStringLiteral("Notify");
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
        QList<QPair<QString, QStringList>> calls;
        const QDBusArgument outer = reply.arguments().value(0).value<QDBusArgument>();
        outer.beginArray();
        while (!outer.atEnd()) {
            qulonglong time = 0;
            QVariantList args;
            outer.beginStructure();
            outer >> time >> args;
            outer.endStructure();
            QStringList keys;
            const QStringList actions = qdbus_cast<QStringList>(args.value(5));
            for (int i = 0; i < actions.size(); i += 2)
                keys << actions.at(i);
            calls.append({args.value(3).toString(), keys});
        }
        outer.endArray();
        return calls;
    }

    // The server tells that the user picked an action on notification id.
    void invoke(uint id, const QString &key) const
    {
        QDBusMessage emitSignal = QDBusMessage::createMethodCall(
            notifications, QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.DBus.Mock"),
            QStringLiteral("EmitSignal"));
        emitSignal << notifications << QStringLiteral("ActionInvoked") << QStringLiteral("us")
                   << QVariant::fromValue(QVariantList{id, key});
        QDBusConnection::sessionBus().call(emitSignal);
    }

    Chore *add(const QString &title, bool notify = true)
    {
        ChoreFields f = ChoreFields::defaults();
        f.title = title;
        f.dueDate = ChoreDates::startOfDay(clock.now());
        f.notify = notify;
        f.notificationTime = 9 * 3600;
        return app->changes()->add(f);
    }

    static inline VelmoraTest::PrivateBus *bus = nullptr;
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
// does what the same button does in the app.
TEST_F(BackgroundTest, RemindersRingAtTheirMinuteAndTheirActionsWork)
{
    ASSERT_TRUE(add(QStringLiteral("Mop")) && add(QStringLiteral("Bins")) && add(QStringLiteral("Dust")));
    settle();
    ASSERT_EQ(alarm->armedAt, at("Europe/Berlin", 2026, 5, 10, 9, 0));
    clock.setNow(at("Europe/Berlin", 2026, 5, 10, 8, 59));
    settle();
    EXPECT_TRUE(notifyCalls().isEmpty()) << "not a minute early";

    clock.setNow(at("Europe/Berlin", 2026, 5, 10, 9, 0));
    settle();
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return notifyCalls().size() == 3 && service->pendingRequests().isEmpty(); }));
    const QStringList actionKeys{QStringLiteral("default"), QStringLiteral("finish"), QStringLiteral("snooze")};
    for (const auto &call : notifyCalls())
        EXPECT_EQ(call.second, actionKeys) << qPrintable(call.first);

    // The mock numbers notifications 1, 2, 3 in the order they were sent.
    QMap<QString, uint> ids;
    uint next = 1;
    for (const auto &call : notifyCalls())
        ids.insert(call.first, next++);

    QSignalSpy windowWanted(app.get(), &VelmoraApp::windowWanted);
    invoke(ids.value(QStringLiteral("Mop")), QStringLiteral("finish"));
    invoke(ids.value(QStringLiteral("Bins")), QStringLiteral("default"));
    invoke(ids.value(QStringLiteral("Dust")), QStringLiteral("snooze"));
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return app->journal()->rowCount() == 1 && windowWanted.count() == 1
                                                 && service->pendingRequests().size() == 1; }));
    EXPECT_EQ(app->journal()->at(0)->title(), QStringLiteral("Mop"));
    EXPECT_EQ(app->router()->kindAt(0), Router::ViewChore);
    EXPECT_EQ(app->router()->choreAt(0)->title(), QStringLiteral("Bins"));
    EXPECT_EQ(service->pendingRequests().first().title, QStringLiteral("Dust"));
    EXPECT_EQ(service->pendingRequests().first().trigger, (NotificationTrigger{2026, 5, 10, 10, 0}));
    // With no window to leave, the finish alone brings the widget up to date.
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return widgets.reloadCount() > 0; }, 3000));

    // The snooze outlives a restart and rings an hour later; the chore's own reminder does not again.
    stop();
    start();
    EXPECT_EQ(service->pendingRequests().size(), 1);
    clock.setNow(at("Europe/Berlin", 2026, 5, 10, 10, 0));
    settle();
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return notifyCalls().size() == 4; }));
    EXPECT_EQ(notifyCalls().constLast().first, QStringLiteral("Dust"));
    settle();
    EXPECT_EQ(notifyCalls().size(), 4);
}

// The tray lists the nearest chores as the widget does, follows changes and the day, and
// opens a chore's page from its entry.
TEST_F(BackgroundTest, TheTrayListsTheNearestChoresAndOpensThem)
{
    Tray tray(*app, bus->connect(QStringLiteral("tray")));
    const auto labels = [&] {
        QStringList out;
        for (const TrayMenuItem &item : tray.items())
            out << (item.kind == TrayMenuItem::Kind::Separator ? QStringLiteral("-") : item.label);
        return out;
    };
    EXPECT_EQ(labels(), (QStringList{"Open Taskarello", "Quit"}));
    for (int i = 0; i < 7; ++i) {
        ChoreFields f = ChoreFields::defaults();
        f.title = QStringLiteral("Chore %1").arg(i);
        f.dueDate = ChoreDates::addDays(f.startDate, 2 * (6 - i));
        ASSERT_TRUE(app->changes()->add(f));
    }
    const QStringList fiveNearest{"Chore 6 — today", "Chore 5 — 2 days", "Chore 4 — 4 days", "Chore 3 — 6 days",
                                  "Chore 2 — 8 days", "-", "Open Taskarello", "Quit"};
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return labels() == fiveNearest; })) << qPrintable(labels().join(u'|'));

    clock.setNow(at("Europe/Berlin", 2026, 5, 11, 0, 1));
    app->refreshDay()->refresh(clock.now());
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return labels().value(0) == QStringLiteral("Chore 6 — overdue"); }))
        << qPrintable(labels().join(u'|'));

    // Picked from the tray over the bus, as a desktop's tray does it.
    QSignalSpy open(&tray, &Tray::openRequested);
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return !tray.item().serviceName().isEmpty(); }));
    QDBusMessage click = QDBusMessage::createMethodCall(tray.item().serviceName(), StatusNotifierItem::menuPath,
                                                        QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"));
    click << tray.items().at(1).id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
    QDBusConnection::sessionBus().asyncCall(click); // the item answers from this very thread
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return open.count() == 1; }));
    EXPECT_EQ(app->router()->choreAt(0)->title(), QStringLiteral("Chore 5"));
}

// A resume from suspend plans the alarm again: here the zone changed while asleep.
TEST_F(BackgroundTest, AResumePlansTheAlarmAgain)
{
    ASSERT_TRUE(add(QStringLiteral("Mop")));
    settle();
    ASSERT_EQ(alarm->armedAt, at("Europe/Berlin", 2026, 5, 10, 9, 0));
    clock.setTimeZone(zone("Europe/London"));
    QDBusMessage resumed = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                      QStringLiteral("org.freedesktop.login1.Manager"),
                                                      QStringLiteral("PrepareForSleep"));
    resumed << false;
    ASSERT_TRUE(QDBusConnection::sessionBus().send(resumed));
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return alarm->armedAt == at("Europe/London", 2026, 5, 10, 9, 0); }))
        << (alarm->armedAt ? alarm->armedAt->toString(Qt::ISODate).toStdString() : "not armed");
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
    const auto run = [&](const QStringList &arguments) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(TASKARELLO_BINARY), arguments);
        process->waitForStarted(5000);
        return process;
    };
    QDBusConnection client = bus.connect(QStringLiteral("client"));
    const auto windowShown = [&]() -> std::optional<bool> {
        QDBusMessage get = QDBusMessage::createMethodCall(
            QString::fromLatin1(ApplicationBus::appId), ApplicationBus::objectPath(),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.taskarello.Taskarello.State") << QStringLiteral("WindowShown");
        const QDBusMessage reply = client.call(get);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return std::nullopt;
        return reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
    };

    auto first = run({QStringLiteral("--background")});
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return windowShown().has_value(); }, 10000));
    EXPECT_EQ(windowShown(), false) << "started at login: no window";

    auto second = run({});
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return windowShown() == true; }, 10000));

    auto third = run({QStringLiteral("--page"), QStringLiteral("journal")});
    ASSERT_TRUE(third->waitForFinished(10000));
    EXPECT_EQ(third->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running) << "still the one process";

    QDBusMessage quit = QDBusMessage::createMethodCall(QString::fromLatin1(ApplicationBus::appId),
                                                       ApplicationBus::objectPath(),
                                                       QStringLiteral("org.freedesktop.Application"),
                                                       QStringLiteral("ActivateAction"));
    quit << QStringLiteral("quit") << QVariant::fromValue(QVariantList()) << QVariantMap();
    client.call(quit);
    ASSERT_TRUE(first->waitForFinished(10000));
    EXPECT_EQ(first->exitCode(), 0);
}

} // namespace
