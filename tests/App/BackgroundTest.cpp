#include "Velmora/App/Router.h"
#include "Velmora/App/Tray.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Notifications/Reminders.h"
#include "Velmora/Platform/ApplicationBus.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "tests/support/NotificationServer.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::waitFor;
using VelmoraTest::zone;

namespace {

// The app with its window closed, its reminders ringing on the test's notification server.
class BackgroundTest : public VelmoraTest::NotificationServerTest {
protected:
    // A new run of the app on the same files.
    void start() override
    {
        alarm = std::make_unique<FakeWallClockAlarm>();
        timeChanges = std::make_unique<SystemTimeChangeNotifier>(
            nullptr, SystemTimeChangeNotifier::defaultPollIntervalMs, bus->connect(QStringLiteral("sleep")));
        app = VelmoraApp::open(dir.filePath(QStringLiteral("chores.sqlite")),
                               {timeChanges.get(), &widgets, nullptr, alarm.get()});
        ASSERT_NE(app, nullptr);
        settle();
    }
    void stop() override
    {
        app.reset();
        timeChanges.reset();
        alarm.reset();
    }
    QList<NotificationRequest> pending() const { return app->reminders()->queue().pending(); }

    static ChoreFields fields(const QString &title, const QDateTime &due, bool notify = true, double time = 9 * 3600)
    {
        return {title, ColorComponentsModel::standardRed(), at("Europe/Berlin", 2026, 5, 1), due, {}, notify, time};
    }

    FakeWidgetCenter widgets;
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
    ASSERT_TRUE(waitFor([&] { return shown().size() == 3 && pending().isEmpty(); }));
    for (const QVariantList &call : serverCalls(QStringLiteral("Notify"))) {
        const QStringList actions = qdbus_cast<QStringList>(call.value(5)); // key, label, key, label...
        EXPECT_EQ(actions.size(), 6);
        EXPECT_EQ((QStringList{actions.value(0), actions.value(2), actions.value(4)}),
                  (QStringList{"default", "finish", "snooze"})) << qPrintable(call.value(3).toString());
        EXPECT_EQ(call.value(4).toString(), Reminders::tr("This chore is due today!"));
        // The icon as a file, as no theme holds it here.
        const QImage icon(QUrl(call.value(2).toString()).toLocalFile());
        EXPECT_EQ(icon.size(), QSize(128, 128)) << qPrintable(call.value(2).toString());
        EXPECT_EQ(qdbus_cast<QVariantMap>(call.value(6)).value(QStringLiteral("desktop-entry")).toString(),
                  QString::fromLatin1(ApplicationBus::appId));
        EXPECT_EQ(call.value(7).toInt(), 0) << "stays until the user acts";
        EXPECT_FALSE(qdbus_cast<QVariantMap>(call.value(6)).contains(QStringLiteral("resident")))
            << "a server without persistence is not asked to keep it";
    }

    // The mock numbers notifications 1, 2, 3 in the order they were sent. Opened, finished and
    // snoozed ones are taken off the screen.
    QSignalSpy windowWanted(app.get(), &VelmoraApp::windowWanted);
    const uint mop = shown().indexOf(QStringLiteral("Mop")) + 1, dust = shown().indexOf(QStringLiteral("Dust")) + 1;
    const uint bins = shown().indexOf(QStringLiteral("Bins")) + 1;
    invoke(mop, QStringLiteral("finish"));
    invoke(bins, QStringLiteral("default"));
    invoke(dust, QStringLiteral("snooze"));
    ASSERT_TRUE(waitFor([&] {
        return app->journal()->rowCount() == 1 && windowWanted.count() == 1 && pending().size() == 1
            && serverCalls(QStringLiteral("CloseNotification")) == QList<QVariantList>{{mop}, {bins}, {dust}};
    }));
    EXPECT_EQ(app->journal()->at(0)->title(), QStringLiteral("Mop"));
    EXPECT_EQ(app->router()->kindAt(0), Router::ViewChore);
    EXPECT_EQ(app->router()->choreAt(0)->title(), QStringLiteral("Bins"));
    EXPECT_EQ(pending().first().trigger, (NotificationTrigger{2026, 5, 10, 10, 0}));
    QString dustId;
    for (const Chore *chore : app->store()->chores())
        dustId = chore->title() == QStringLiteral("Dust") ? QString::number(chore->persistentId()) : dustId;
    EXPECT_TRUE(waitFor([&] { return app->reminders()->snoozed() == QVariantMap{{dustId, 10 * 3600}}; }))
        << "the snooze is there for the screens to show";
    // With no window to leave, the finish alone brings the widget up to date.
    EXPECT_TRUE(waitFor([&] { return widgets.reloadCount() > 0; }, 3000));

    // The snooze outlives a restart and rings an hour later; a server that keeps notifications
    // is asked to keep this one until the user acts.
    stop();
    stopServer();
    startServer(QStringLiteral("body actions persistence"));
    start();
    EXPECT_EQ(app->reminders()->snoozed(), (QVariantMap{{dustId, 10 * 3600}}));
    clock.setNow(at("Europe/London", 2026, 5, 10, 10, 0));
    settle();
    ASSERT_TRUE(waitFor([&] { return shown() == QStringList{QStringLiteral("Dust")}; }));
    EXPECT_TRUE(qdbus_cast<QVariantMap>(serverCalls(QStringLiteral("Notify")).constFirst().value(6))
                    .value(QStringLiteral("resident")).toBool());
    EXPECT_TRUE(waitFor([&] { return app->reminders()->snoozed().isEmpty(); })) << "rung, it is no longer snoozed";
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

    // The icon's pictures go with its name, ARGB in network byte order: at 32 px a point in the
    // red square is opaque #FF3B30, the rounded corner clear.
    const QDBusMessage got = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(name, StatusNotifierItem::itemPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("Get"))
            << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("IconPixmap"),
        QDBus::BlockWithGui, 5000);
    const QDBusArgument images = got.arguments().value(0).value<QDBusVariant>().variant().value<QDBusArgument>();
    QMap<int, QByteArray> pixmaps;
    images.beginArray();
    while (!images.atEnd()) {
        int width = 0, height = 0;
        QByteArray pixels;
        images.beginStructure();
        images >> width >> height >> pixels;
        images.endStructure();
        EXPECT_EQ(pixels.size(), width * height * 4);
        pixmaps.insert(width, pixels);
    }
    images.endArray();
    EXPECT_EQ(pixmaps.keys(), (QList<int>{16, 22, 24, 32, 48, 64, 128})) << got.errorMessage().toStdString();
    EXPECT_EQ(pixmaps.value(32).mid((10 * 32 + 7) * 4, 4), QByteArray::fromHex("ffff3b30"));
    EXPECT_EQ(pixmaps.value(32).left(1), QByteArray(1, '\0'));

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

    // What the process has mapped: the window's side is loaded only once a window is wanted.
    const auto maps = [&](const char *library) {
        QFile file(QStringLiteral("/proc/%1/maps").arg(first.processId()));
        return file.open(QIODevice::ReadOnly) && file.readAll().contains(library);
    };

    first.start(QStringLiteral(TASKARELLO_BINARY), {QStringLiteral("--background")});
    ASSERT_TRUE(waitFor([&] { return windowShown().has_value(); }, 10000));
    EXPECT_EQ(windowShown(), false) << "started at login: no window";
    for (const char *library : {"libQt6Quick.so", "libQt6Qml.so", "libvelmora_window.so"})
        EXPECT_FALSE(maps(library)) << library << " in a process without a window";

    second.start(QStringLiteral(TASKARELLO_BINARY), QStringList());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return windowShown() == true; }, 10000));
    EXPECT_EQ(first.state(), QProcess::Running) << "still the one process";
    EXPECT_TRUE(maps("libQt6Quick.so")) << "the window brought its side";

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
