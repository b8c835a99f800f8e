#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Velmora;
using Op = ChoreEditor::EditingOperation;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

// The editor's rules behind the screen. Saving each operation runs through the real window in the
// whole-road test and through the reminders in the notifications test.
class ChoreEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        editor.setChanges(&changes);
        editor.setRouter(&router);
    }
    static QDateTime day(int month, int d) { return at("Europe/Berlin", 2026, month, d); }
    Chore *chore(const QString &title, const QDateTime &start, const QDateTime &due)
    {
        ChoreFields f = ChoreFields::defaults();
        f.title = title;
        f.startDate = start;
        f.dueDate = due;
        return store.insert(f);
    }
    void open(Op operation, Chore *source)
    {
        editor.setOperation(operation);
        editor.setChore(source);
        editor.load();
    }

    FakeClock clock{at("Europe/Berlin", 2026, 5, 20, 14, 30), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    QTemporaryDir dir;
    ChoreStore store;
    ChoreChanges changes{store};
    Router router;
    ChoreEditor editor;
};

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

TEST_F(ChoreEditorTest, SteppingPickingAndTheReminderWheelsAgree)
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

    EXPECT_EQ(editor.reminderHour(), 9);
    editor.setReminderHour(7);
    editor.setReminderMinute(45);
    EXPECT_EQ(editor.notificationTime(), 27900);
    editor.setNotificationTime(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(editor.reminderHour(), 9); // an odd stored value still shows a time
    editor.setReminderMinute(99);
    EXPECT_EQ(editor.notificationTime(), 9 * 3600 + 59 * 60);
}

} // namespace
