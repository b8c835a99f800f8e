#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/NotificationService.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WidgetCenter.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

class VelmoraAppTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(app.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened); }
    Chore *add(const QString &title, int dueIn)
    {
        ChoreFields f = ChoreFields::defaults();
        f.title = title;
        f.dueDate = ChoreDates::addDays(f.startDate, dueIn);
        return app.store()->insert(f);
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 20, 10), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    FakeNotificationService notifications;
    FakeTimeChangeNotifier timeChanges;
    FakeWidgetCenter widgets;
    QTemporaryDir dir;
    VelmoraApp app{VelmoraApp::Services{&timeChanges, &widgets, &notifications}};
};

TEST_F(VelmoraAppTest, LeavingReloadsTheWidgetAndComingBackRefreshes)
{
    QSignalSpy days(app.refreshDay(), &RefreshDay::dateChanged);
    app.applicationStateChanged(Qt::ApplicationActive); // the phase it started in: no change
    EXPECT_EQ(widgets.reloadCount(), 0);
    app.applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(widgets.reloadCount(), 1);
    app.applicationStateChanged(Qt::ApplicationSuspended); // background does nothing more
    EXPECT_EQ(widgets.reloadCount(), 1);
    app.applicationStateChanged(Qt::ApplicationInactive); // on the way back
    EXPECT_EQ(widgets.reloadCount(), 2);

    // Back on a later day: the day clock moves even though no notice came.
    clock.setNow(at("Europe/Berlin", 2026, 5, 22, 8));
    const int fetches = notifications.settingsFetches;
    app.applicationStateChanged(Qt::ApplicationActive);
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return days.count() > 0; }));
    EXPECT_EQ(app.refreshDay()->date(), at("Europe/Berlin", 2026, 5, 22));
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return notifications.settingsFetches > fetches; }));
}

TEST_F(VelmoraAppTest, TheWidgetSnapshotListsTheNearestActiveChores)
{
    for (int i = 0; i < 10; ++i)
        add(QStringLiteral("chore %1").arg(i), 10 - i);
    ASSERT_TRUE(app.changes()->finish(app.chores()->at(0)));
    const QJsonObject snapshot = QJsonDocument::fromJson(app.widgetSnapshot(3)).object();
    const QJsonArray chores = snapshot.value(QStringLiteral("chores")).toArray();
    ASSERT_EQ(chores.size(), 3);
    EXPECT_EQ(chores.at(0).toObject().value(QStringLiteral("title")).toString(), QStringLiteral("chore 8"));
    EXPECT_EQ(chores.at(0).toObject().value(QStringLiteral("daysLeft")).toInt(), 2);
    EXPECT_EQ(chores.at(2).toObject().value(QStringLiteral("title")).toString(), QStringLiteral("chore 6"));
}

TEST(WidgetHost, SnapshotIsReplacedWholeOnEachReload)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("widget-snapshot.json"));
    int calls = 0;
    SnapshotWidgetCenter host(path, [&] { return QByteArray("{\"n\":") + QByteArray::number(++calls) + "}"; });
    host.reloadAllTimelines();
    host.reloadAllTimelines();
    EXPECT_EQ(host.reloadCount(), 2);
    EXPECT_EQ(VelmoraTest::readAll(path), QByteArray("{\"n\":2}"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left behind
}

// The real program, started as a user would, on a store it cannot read.
TEST(StartUp, AnUnreadableStoreStopsWithTheMessageAndStaysUntouched)
{
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("data/Taskarello/Taskarello"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray garbage(5000, '\x7f');
    {
        QFile file(folder + QStringLiteral("/chores.sqlite"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    app.setProcessEnvironment(env);
    app.start(QStringLiteral(TASKARELLO_BINARY), {QStringLiteral("--screenshot"), home.filePath(QStringLiteral("shot.png"))});
    ASSERT_TRUE(app.waitForFinished(30000));
    EXPECT_NE(app.exitCode(), 0);
    EXPECT_TRUE(app.readAllStandardError().contains("Failed to initialize model container."));
    EXPECT_EQ(VelmoraTest::readAll(folder + QStringLiteral("/chores.sqlite")), garbage);
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("shot.png"))));
}

} // namespace
