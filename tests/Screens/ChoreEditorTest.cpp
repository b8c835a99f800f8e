#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Velmora;
using Op = ChoreEditor::EditingOperation;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

class ChoreEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        editor.setChanges(&changes);
        editor.setRouter(&router);
    }
    static QDateTime day(int month, int d) { return at("Europe/Berlin", 2026, month, d); }
    Chore *chore(const QString &title, const QDateTime &start, const QDateTime &due, bool notify = false, double time = 32400)
    {
        ChoreFields f;
        f.title = title;
        f.colorComponents = {0.2f, 0.4f, 0.6f};
        f.startDate = start;
        f.dueDate = due;
        f.notify = notify;
        f.notificationTime = time;
        return store.insert(f);
    }
    void open(Op operation, Chore *source)
    {
        editor.setOperation(operation);
        editor.setChore(source);
        editor.load();
    }
    Chore *onlyOther(const Chore *than) const
    {
        for (Chore *c : store.chores()) {
            if (c != than)
                return c;
        }
        return nullptr;
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 20, 14, 30), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    QTemporaryDir dir;
    ChoreStore store;
    ChoreChanges changes{store};
    Router router;
    ChoreEditor editor;
};

TEST_F(ChoreEditorTest, AddWithNoInputSavesTheDefaults)
{
    ChoreEditor fresh;
    fresh.setChanges(&changes);
    fresh.setOperation(Op::add);
    fresh.load();
    QSignalSpy dismissed(&fresh, &ChoreEditor::dismissRequested);
    EXPECT_EQ(fresh.saveLabel(), QStringLiteral("Add"));
    ASSERT_TRUE(fresh.save());
    ASSERT_EQ(store.chores().size(), 1u);
    const ChoreFields &saved = store.chores().front()->fields();
    EXPECT_EQ(saved.title, QString());
    EXPECT_EQ(saved.colorComponents, ColorComponentsModel::standardRed());
    EXPECT_EQ(saved.startDate, day(5, 20));
    EXPECT_EQ(saved.dueDate, day(5, 20));
    EXPECT_FALSE(saved.endDate.has_value());
    EXPECT_FALSE(saved.notify);
    EXPECT_EQ(saved.notificationTime, 32400);
    EXPECT_EQ(dismissed.count(), 1);
}

TEST_F(ChoreEditorTest, RepeatStartsTodayWithThePlannedLengthAndFinishesTheOldRun)
{
    Chore *old = chore(QStringLiteral("Water"), day(3, 3), day(3, 10), true, 27900);
    router.push(Router::ViewChore, old);
    router.push(Router::RepeatChore, old);
    open(Op::repeat, old);
    EXPECT_EQ(editor.startDate(), day(5, 20));
    EXPECT_EQ(editor.dueDate(), day(5, 27));
    EXPECT_EQ(editor.plannedDays(), 7);
    EXPECT_EQ(editor.title(), QStringLiteral("Water"));
    EXPECT_TRUE(editor.notify());
    EXPECT_EQ(editor.saveLabel(), QStringLiteral("Repeat"));

    ASSERT_TRUE(editor.save());
    EXPECT_EQ(old->endDate(), clock.now());
    Chore *run = onlyOther(old);
    ASSERT_NE(run, nullptr);
    EXPECT_FALSE(run->isFinished());
    EXPECT_EQ(run->startDate(), day(5, 20));
    EXPECT_EQ(run->dueDate(), day(5, 27));
    EXPECT_EQ(run->colorComponents(), old->colorComponents());
    EXPECT_EQ(router.depth(), 0);
}

TEST_F(ChoreEditorTest, CopyOfAChoreDueBeforeItsStartIsSameDayAndLeavesTheSource)
{
    Chore *source = chore(QStringLiteral("odd"), day(3, 10), day(3, 1));
    ASSERT_TRUE(source->assignEndDate(day(3, 12)));
    const ChoreFields before = source->fields();
    router.push(Router::Journal, nullptr);
    router.push(Router::CopyChore, source);
    open(Op::copy, source);
    EXPECT_EQ(editor.plannedDays(), 0);
    EXPECT_EQ(editor.plannedText(), QStringLiteral("Same day"));
    EXPECT_EQ(editor.saveLabel(), QStringLiteral("Add"));
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(source->fields(), before);
    EXPECT_EQ(store.chores().size(), 2u);
    EXPECT_EQ(router.depth(), 0);
}

TEST_F(ChoreEditorTest, UpdateWritesBackTheLatestEdit)
{
    Chore *c = chore(QStringLiteral("Bins"), day(5, 1), day(5, 22), true);
    for (const auto &[title, hour] : {std::pair{"Bins out", 7}, std::pair{"Bins, really", 19}}) {
        open(Op::update, c);
        editor.setTitle(QString::fromUtf8(title));
        editor.setReminderHour(hour);
        editor.setReminderMinute(45);
        ASSERT_TRUE(editor.save());
    }
    EXPECT_EQ(c->title(), QStringLiteral("Bins, really"));
    EXPECT_EQ(c->notificationTime(), 19 * 3600 + 45 * 60);
}

TEST_F(ChoreEditorTest, AnOverdueChoreKeepsItsDueDayUnlessOneIsPicked)
{
    Chore *late = chore(QStringLiteral("late"), day(5, 1), day(5, 10));
    open(Op::update, late);
    EXPECT_LT(editor.dueDay(), editor.firstPickableDay());
    editor.setTitle(QStringLiteral("still late"));
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(late->dueDate(), day(5, 10));

    open(Op::update, late);
    editor.pickDueDay(2026, 5, 25);
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(late->dueDate(), day(5, 25));
}

TEST_F(ChoreEditorTest, SteppingAndPickingAgree)
{
    open(Op::add, nullptr);
    editor.setPlannedDays(1);
    EXPECT_EQ(editor.dueDay(), QDate(2026, 5, 21));
    editor.pickDueDay(2026, 6, 19);
    EXPECT_EQ(editor.plannedDays(), 30);
    EXPECT_EQ(editor.plannedText(), QStringLiteral("30 days"));
    editor.setPlannedDays(ChoreEditor::maxDays());
    EXPECT_EQ(editor.dueDay(), editor.lastPickableDay());
    // Across the autumn change of clocks the due day is still a start of day.
    editor.pickDueDay(2026, 10, 26);
    EXPECT_EQ(editor.dueDate(), day(10, 26));
}

TEST_F(ChoreEditorTest, ReminderTimeIsWholeMinutes)
{
    open(Op::add, nullptr);
    EXPECT_EQ(editor.reminderHour(), 9);
    EXPECT_EQ(editor.reminderMinute(), 0);
    editor.setReminderHour(7);
    editor.setReminderMinute(45);
    EXPECT_EQ(editor.notificationTime(), 27900);
    editor.setNotificationTime(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(editor.reminderHour(), 9); // an odd stored value still shows a time
    editor.setReminderMinute(99);
    EXPECT_EQ(editor.notificationTime(), 9 * 3600 + 59 * 60);
}

TEST_F(ChoreEditorTest, AFailedSaveIsNotReportedAsSaved)
{
    Chore *c = chore(QStringLiteral("before"), day(5, 1), day(5, 22));
    open(Op::update, c);
    editor.setTitle(QStringLiteral("after"));
    QSignalSpy dismissed(&editor, &ChoreEditor::dismissRequested);
    // Another connection holds the write lock: the store cannot take the edit.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        db.setDatabaseName(store.path());
        ASSERT_TRUE(db.open());
        QSqlQuery lock(db);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        EXPECT_FALSE(editor.save());
        lock.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    EXPECT_EQ(dismissed.count(), 0);
    EXPECT_FALSE(editor.lastError().isEmpty());
    EXPECT_EQ(editor.title(), QStringLiteral("after"));
    EXPECT_EQ(c->title(), QStringLiteral("before"));
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(c->title(), QStringLiteral("after"));
    EXPECT_TRUE(editor.lastError().isEmpty());
}

} // namespace
