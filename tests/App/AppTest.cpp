#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/Router.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WidgetCenter.h"
#include "tests/Model/StoreFixture.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <list>
#include <memory>

using namespace Velmora;
using namespace Qt::StringLiterals;
using VelmoraTest::at;
using VelmoraTest::waitFor;
using VelmoraTest::zone;

namespace {

class VelmoraAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = VelmoraApp::open(dir.filePath(QStringLiteral("chores.sqlite")), {&timeChanges, &widgets, &notifications});
        ASSERT_NE(app, nullptr);
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 20, 10), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    FakeNotificationBus notifications;
    FakeTimeChangeNotifier timeChanges;
    FakeWidgetCenter widgets;
    QTemporaryDir dir;
    std::unique_ptr<VelmoraApp> app;
};

TEST_F(VelmoraAppTest, LeavingReloadsTheWidgetAndComingBackRefreshes)
{
    QSignalSpy days(app->refreshDay(), &RefreshDay::dateChanged);
    app->applicationStateChanged(Qt::ApplicationActive); // the phase it started in: no change
    EXPECT_EQ(widgets.reloadCount(), 0);
    app->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(widgets.reloadCount(), 1);
    app->applicationStateChanged(Qt::ApplicationSuspended); // background does nothing more
    EXPECT_EQ(widgets.reloadCount(), 1);
    app->applicationStateChanged(Qt::ApplicationInactive); // on the way back
    EXPECT_EQ(widgets.reloadCount(), 2);

    // Back on a later day: the day clock moves even though no notice came.
    clock.setNow(at("Europe/Berlin", 2026, 5, 22, 8));
    const int fetches = notifications.probes;
    app->applicationStateChanged(Qt::ApplicationActive);
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return days.count() > 0; }));
    EXPECT_EQ(app->refreshDay()->date(), at("Europe/Berlin", 2026, 5, 22));
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return notifications.probes > fetches; }));
}

TEST_F(VelmoraAppTest, TheWidgetSnapshotListsTheNearestActiveChores)
{
    const QDateTime today = ChoreDates::startOfDay(clock.now());
    for (int i = 0; i < 10; ++i)
        app->changes()->add(
            VelmoraTest::fields(QStringLiteral("chore %1").arg(i), today, ChoreDates::addDays(today, 10 - i)));
    ASSERT_TRUE(app->changes()->finish(app->chores()->at(0)));
    const auto nearest = [&](int limit) {
        const QJsonObject snapshot = QJsonDocument::fromJson(app->widgetSnapshot()->json(limit)).object();
        return snapshot.value(QStringLiteral("chores")).toArray();
    };
    const QJsonArray chores = nearest(3);
    ASSERT_EQ(chores.size(), 3);
    EXPECT_EQ(chores.at(0).toObject().value(QStringLiteral("title")).toString(), QStringLiteral("chore 8"));
    EXPECT_EQ(chores.at(0).toObject().value(QStringLiteral("daysLeft")).toInt(), 2);
    EXPECT_EQ(chores.at(2).toObject().value(QStringLiteral("title")).toString(), QStringLiteral("chore 6"));

    // Counted from the app's day, as the tiles are: a clock past midnight counts once the day moves.
    clock.setNow(at("Europe/Berlin", 2026, 5, 21, 10));
    EXPECT_EQ(nearest(1).at(0).toObject().value(QStringLiteral("daysLeft")).toInt(), 2);
    app->refreshDay()->refresh({});
    QCoreApplication::processEvents();
    EXPECT_EQ(nearest(1).at(0).toObject().value(QStringLiteral("daysLeft")).toInt(), 1);

    // Only mine: another member's chore leaves the main list and the widget, anyone's stays.
    const auto first = [&] { return nearest(1).at(0).toObject().value(QStringLiteral("title")).toString(); };
    Chore *eight = app->chores()->at(0);
    app->household()->setMe(QStringLiteral("Alice"));
    ASSERT_TRUE(app->changes()->update(eight, eight->fields(), std::nullopt, ChorePeople{QStringLiteral("Bob"), {}, {}}));
    app->household()->setMineOnly(true);
    EXPECT_EQ(first(), QStringLiteral("chore 7"));
    EXPECT_EQ(app->chores()->rowCount(), 8);
    app->household()->setMe(QStringLiteral("Bob"));
    EXPECT_EQ(first(), QStringLiteral("chore 8"));
    app->household()->setMineOnly(false);
    app->household()->setMe({});
    EXPECT_EQ(app->chores()->rowCount(), 9);
}

// The household: this device's member, the names the chores give and those added by hand, with
// their counts; renaming and removing reach every chore, and renaming oneself is choosing a name.
TEST_F(VelmoraAppTest, TheHouseholdIsTheChoresPeopleAndThoseAddedByHand)
{
    Household &household = *app->household();
    household.setMe(u"Alice"_s);
    const QDateTime today = ChoreDates::startOfDay(clock.now());
    Chore *dishes = app->changes()->add(VelmoraTest::fields(u"Dishes"_s, today, today), {u"FREQ=DAILY"_s, false, {}, {}},
                                        {u"Bob"_s, {u"Bob"_s, u"Sam"_s}, {}});
    ASSERT_TRUE(dishes && app->changes()->finishBy(dishes, u"Kim"_s) && household.add(u" Kid "_s));
    EXPECT_FALSE(household.add(u" \n "_s));
    EXPECT_FALSE(app->changes()->failure().isEmpty());
    // name: assigned, finished, me, by hand
    const auto rows = [&] {
        QStringList out;
        QAbstractListModel *model = household.model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (const char *role : {"name", "assignedCount", "finishedCount", "isMe", "addedByHand"})
                cells << model->index(row).data(model->roleNames().key(role)).toString();
            out << cells.join(u' ');
        }
        return out;
    };
    QCoreApplication::processEvents();
    EXPECT_EQ(rows(), (QStringList{u"Alice 0 0 true false"_s, u"Bob 0 0 false false"_s, u"Kid 0 0 false true"_s,
                                   u"Kim 0 1 false false"_s, u"Sam 1 0 false false"_s}))
        << "finished by Kim on Bob's turn: Sam's now";
    ASSERT_TRUE(household.rename(u"Sam"_s, u"Samuel"_s) && household.rename(u"Alice"_s, u"Al"_s) && household.remove(u"Kid"_s));
    EXPECT_EQ(dishes->people(), (ChorePeople{u"Samuel"_s, {u"Bob"_s, u"Samuel"_s}, {}}));
    EXPECT_EQ(household.me(), u"Al"_s);
    EXPECT_EQ(household.members(), (QStringList{u"Al"_s, u"Bob"_s, u"Kim"_s, u"Samuel"_s}));
    household.setMe({});
}

TEST(WidgetHost, SnapshotIsReplacedWholeOnEachReload)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("widget-snapshot.json"));
    int calls = 0;
    SnapshotWidgetCenter host(path, [&] { return QByteArray("{\"n\":") + QByteArray::number(++calls) + "}"; });
    host.reloadAllTimelines();
    host.reloadAllTimelines();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(VelmoraTest::readAll(path), QByteArray("{\"n\":2}"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left behind
}

// The real program without a session bus, alone or several at once on one profile: each ends as it
// should, the store ends sound or as it was, and the files are their user's alone, old ones too.
// No lock file keeps a start out but one a live process holds; a linked store is left as it is.
class StartUp : public StoreFixture {};

TEST_F(StartUp, EachStartEndsAsItShould)
{
    storeFolder = dir.filePath(QStringLiteral("data/Taskarello/Taskarello"));
    const QString settings = dir.filePath(QStringLiteral("config/Taskarello/Taskarello.conf"));
    const QByteArray garbage(5000, '\x7f');
    const QString frame = QStringLiteral("--quit-after-first-frame"), lasting = QStringLiteral("--background");
    const QString failure = QString::fromLatin1(ChoreStore::failureMessage), lock = storePath() + u".lock"_s;
    const QString running = u"Taskarello is already running: another of its processes holds %1. Quit that one (Quit in "
                            "its tray menu) or end it, then start again."_s.arg(lock);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nowhere"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    const QString elsewhere = dir.filePath(u"elsewhere.sqlite"_s);
    const auto killedHolder = [&] {
        QProcess holder;
        holder.setProcessEnvironment(env);
        holder.start(QStringLiteral(TASKARELLO_BINARY), {lasting});
        ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(storeFolder + u"/notifications.sqlite"_s); }, 10000));
        holder.kill();
        holder.waitForFinished();
    };
    const struct {
        const char *name;
        std::function<void()> prepare;
        QStringList starts;
        QStringList outcomes; // sorted: exit 0, what a failed one said last, or still running
        QStringList privateFiles; // in the store's folder, looked at while the lasting one runs
    } cases[] = {
        {"UnreadableStore", [&] { ASSERT_TRUE(VelmoraTest::writeAll(storePath(), garbage)); }, {frame}, {failure}, {}},
        {"FreshProfile", [] {}, {frame, QStringLiteral("--screenshot=") + dir.filePath(QStringLiteral("shot.png"))},
         {"0", "0"}, {"chores.sqlite", "notifications.sqlite"}},
        {"EmptyAndGarbageLocks", [&] {
             ASSERT_TRUE(VelmoraTest::writeAll(lock, garbage) && VelmoraTest::writeAll(storePath() + u".open.lock"_s, {}));
         }, {lasting, frame}, {"0", "running"}, {"chores.sqlite", "notifications.sqlite"}},
        {"LockOfAnotherMachine", [&] { ASSERT_TRUE(VelmoraTest::writeAll(lock, "4242\ntaskarello\nold-laptop\n")); },
         {lasting, lasting}, {running, "running"}, {"chores.sqlite"}},
        {"KilledHolder", killedHolder, {lasting, frame}, {"0", "running"}, {"chores.sqlite", "chores.sqlite.lock"}},
        {"LinkedStore", [&] {
             ASSERT_TRUE(VelmoraTest::writeAll(elsewhere, garbage) && QDir().mkpath(storeFolder) && QFile::link(elsewhere, storePath()));
         }, {lasting}, {u"%1 is a symbolic link; Taskarello does not follow links where it keeps its files. Remove it "
                        "and start again."_s.arg(storePath())}, {}},
        {"FirstSchemaOpenedByThreeAtOnce", [&] { writeFirstSchema(3, 1); }, {lasting, lasting, frame},
         {"0", running, "running"},
         {"chores.sqlite", "chores.sqlite-wal", "chores.sqlite-shm", "chores.sqlite.1.0.0.bak", "notifications.sqlite"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir.filePath(QStringLiteral("data"))).removeRecursively();
        c.prepare();
        ASSERT_TRUE(VelmoraTest::writeAll(settings, "[window]\n")); // open to others, as an older build left them
        for (const QString &path : {storeFolder, QFileInfo(settings).path(), storePath(), settings})
            QFile::setPermissions(path, QFile::Permissions(QFileInfo(path).isDir() ? 0x7755 : 0x6644));
        std::list<QProcess> starts;
        for (const QString &argument : c.starts) {
            starts.emplace_back().setProcessEnvironment(env);
            starts.back().start(QStringLiteral(TASKARELLO_BINARY), {argument});
        }
        const auto alive = [](const QProcess &p) { return p.state() != QProcess::NotRunning; };
        VelmoraTest::waitFor(
            [&] { return std::count_if(starts.begin(), starts.end(), alive) <= c.outcomes.count(QStringLiteral("running")); }, 30000);
        for (const QString &name : c.privateFiles + QStringList{QString(), QFileInfo(settings).path(), settings}) {
            const QString path = QDir(storeFolder).filePath(name);
            EXPECT_EQ(mode(path), QFileInfo(path).isDir() ? 0700 : 0600) << qPrintable(path);
        }
        QStringList outcomes;
        for (QProcess &process : starts) {
            outcomes << (alive(process) ? QStringLiteral("running") : process.exitCode() == 0 ? QStringLiteral("0")
                         : QString::fromUtf8(process.readAllStandardError().trimmed().split('\n').constLast()));
            process.terminate();
            process.waitForFinished(10000);
        }
        outcomes.sort();
        EXPECT_EQ(outcomes, c.outcomes) << qPrintable(outcomes.join(QStringLiteral(" | ")));
        EXPECT_FALSE(VelmoraTest::readAll(settings).contains("geometry")) << "a run beside the app left its window's place";
        // A store refused is left as it was; a linked one with its target's mode too.
        const bool refused = c.outcomes.size() == 1 && c.outcomes != QStringList{QStringLiteral("0")};
        EXPECT_TRUE(refused ? VelmoraTest::readAll(storePath()) == garbage
                            : ChoreChanges(*openStore()).add(ChoreFields::defaults()) != nullptr);
        EXPECT_EQ(QFileInfo(storePath()).isSymLink(), c.name == std::string("LinkedStore"));
        EXPECT_EQ(mode(storePath()), QFileInfo(storePath()).isSymLink() ? 0644 : 0600);
    }
}

class RouterTest : public ::testing::Test {
protected:
    void SetUp() override { openStore(); }
    void openStore()
    {
        store = std::make_unique<ChoreStore>();
        ASSERT_EQ(store->open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
    }
    Chore *add()
    {
        ChoreFields fields = ChoreFields::defaults();
        fields.title = QStringLiteral("same title");
        return ChoreChanges(*store).add(fields);
    }

    QTemporaryDir dir;
    std::unique_ptr<ChoreStore> store;
    Router router;
    QSignalSpy spy{&router, &Router::pathChanged};
};

// Pages are equal (and hash alike) by kind and the chore's stored identity: the same chore
// reopened, or deleted meanwhile, is still the same page; a chore of the same title is not.
TEST_F(RouterTest, PagesAreTheirKindAndTheChoresIdentity)
{
    Chore *a = add();
    Chore *b = add();
    const RouterPage page(Router::viewChore, a);
    EXPECT_NE(page, RouterPage(Router::updateChore, a));
    EXPECT_NE(page, RouterPage(Router::viewChore, b));
    EXPECT_NE(RouterPage(Router::repeatChore, a), RouterPage(Router::copyChore, a));
    EXPECT_EQ(RouterPage(Router::addChore), RouterPage(Router::addChore, a));
    EXPECT_EQ((QSet<RouterPage>{page, RouterPage(Router::viewChore, a), RouterPage(Router::viewChore, b)}).size(), 2);
    router.push(page);
    const qint64 id = a->persistentId();
    openStore();
    EXPECT_EQ(page, RouterPage(Router::viewChore, store->chore(id)));
    EXPECT_EQ(qHash(page), qHash(RouterPage(Router::viewChore, store->chore(id))));
    ASSERT_TRUE(ChoreChanges(*store).remove(store->chore(id)));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(router.depth(), 1);
    EXPECT_EQ(router.choreAt(0), nullptr);
    EXPECT_EQ(router.path().first(), page);
}

TEST_F(RouterTest, PushPopAndPopToRootNotifyEachChange)
{
    Chore *chore = add();
    for (const int kind : {-1, 9, int(Router::viewChore), int(Router::journalChore)})
        EXPECT_FALSE(router.push(kind, nullptr)) << "unknown, or needs a chore: " << kind;
    EXPECT_EQ(spy.count(), 0);
    // Detail screen, then its editor: saving an update pops only the editor.
    EXPECT_TRUE(router.push(Router::viewChore, chore));
    EXPECT_TRUE(router.push(Router::updateChore, chore));
    EXPECT_EQ(router.kindAt(1), Router::updateChore);
    EXPECT_EQ(router.choreAt(1), chore);
    EXPECT_EQ(router.kindAt(2), -1);
    router.pop();
    EXPECT_EQ(router.path(), QList<RouterPage>{RouterPage(Router::viewChore, chore)});
    EXPECT_EQ(spy.count(), 3);
    // The same path again, emptying an empty one or popping nothing changes nothing, and says nothing.
    router.setPath(router.path());
    EXPECT_EQ(spy.count(), 3);
    router.popToRoot();
    EXPECT_EQ(router.depth(), 0);
    router.popToRoot();
    router.pop();
    EXPECT_EQ(spy.count(), 4);
}

// Every refresh lands at the start of its day once the event loop runs, in call order; only a
// new day is told. (Where a day starts is the day counts' own matter, tested with them.)
TEST(RefreshDay, TakesTheStartOfTheDayOnceTheEventLoopRuns)
{
    FakeClock clock(at("Europe/Berlin", 2026, 5, 10, 12, 0), zone("Europe/Berlin"));
    ScopedClock installed(clock);
    RefreshDay day;
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10));
    QList<qint64> seen;
    QObject::connect(&day, &RefreshDay::dateChanged, &day, [&] { seen.append(day.date().toMSecsSinceEpoch()); });
    day.refresh(at("Europe/Berlin", 2026, 5, 12, 21, 45));
    day.refresh(at("Europe/Berlin", 2026, 5, 3, 8, 0));
    day.refresh(at("Europe/Berlin", 2026, 5, 3, 9, 0));
    EXPECT_TRUE(seen.isEmpty()) << "still the old day in the same turn";
    QCoreApplication::processEvents();
    const qint64 may3 = at("Europe/Berlin", 2026, 5, 3).toMSecsSinceEpoch();
    EXPECT_EQ(seen, (QList<qint64>{at("Europe/Berlin", 2026, 5, 12).toMSecsSinceEpoch(), may3}));

    // An invalid instant counts as now.
    day.refresh(QDateTime());
    QCoreApplication::processEvents();
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10));
}

} // namespace
