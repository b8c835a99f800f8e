#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "Velmora/Screens/ChoreHistory.h"
#include "Velmora/Screens/DueCalendar.h"
#include "Velmora/Screens/JournalCalendar.h"
#include "Velmora/Screens/JournalGroups.h"
#include "Velmora/Screens/ScreenTexts.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace Velmora;
using Op = ChoreEditor::EditingOperation;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

// The rules behind the screens, on a store of their own. Saving each operation of the editor runs
// through the real window in the whole-road test and through the reminders in the background test.
class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        editor.setChanges(&changes);
        editor.setRouter(&router);
    }
    static QDateTime day(int month, int d, int h = 0, int m = 0) { return at("Europe/Berlin", 2026, month, d, h, m); }
    Chore *chore(const QString &title, const QDateTime &start, const QDateTime &due, std::optional<QDateTime> end = {})
    {
        return changes.add({title, ColorComponentsModel::standardRed(), start, due, end, false, 32400});
    }
    Chore *finished(const QString &title, const QDateTime &end)
    {
        return chore(title, end.addDays(-3), end.addDays(-3), end);
    }
    void open(Op operation, Chore *source)
    {
        editor.setOperation(operation);
        editor.setChore(source);
        editor.load();
    }
    QList<QStringList> titles() const
    {
        QList<QStringList> out;
        for (const auto &group : groups.groups()) {
            QStringList names;
            for (const Chore *chore : group.chores)
                names << chore->title();
            out << names;
        }
        return out;
    }

    FakeClock clock{day(5, 20, 14, 30), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    QTemporaryDir dir;
    ChoreStore store;
    ChoreChanges changes{store};
    Router router;
    ChoreEditor editor;
    ChoreQueryModel journal{&store, ChoreQueryModel::Kind::Journal};
    JournalGroups groups;
    QAbstractItemModelTester tester{&groups, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ScreensTest, AnOverdueChoreKeepsItsDueDayUnlessOneIsPicked)
{
    Chore *late = chore(QStringLiteral("late"), day(5, 1), day(5, 10));
    open(Op::update, late);
    EXPECT_LT(editor.dueDay(), editor.firstPickableDay());
    EXPECT_FALSE(editor.hasChanges()) << "leaving an untouched edit asks nothing";
    editor.setTitle(QStringLiteral("still late"));
    EXPECT_TRUE(editor.hasChanges());
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(late->dueDate(), day(5, 10));

    open(Op::update, late);
    editor.pickDueDay(2026, 5, 25);
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(late->dueDate(), day(5, 25));
}

TEST_F(ScreensTest, SteppingPickingAndTheReminderWheelsAgree)
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

    // Where finishing it today would move it, on a fixed schedule and counted from finishing.
    EXPECT_TRUE(editor.nextDueText().isEmpty());
    editor.pickDueDay(2026, 5, 27);
    editor.setRepeatFrequency(ChoreEditor::RepeatFrequency::Weekly);
    editor.setRepeatInterval(2);
    const auto day = [](int m, int d) { return QLocale().toString(QDate(2026, m, d), QLocale::LongFormat); };
    EXPECT_TRUE(editor.nextDueText().contains(day(6, 10))) << qPrintable(editor.nextDueText());
    editor.setRepeatAfterFinishing(true);
    EXPECT_TRUE(editor.nextDueText().contains(day(6, 3))) << qPrintable(editor.nextDueText());
}

// The repeat and Who choices through save in every operation, and shown again as saved. A rule the
// editor cannot show, or spells otherwise, goes back as it came unless the user changes it, with the
// occurrences it skips; the editor's own spelling follows the due day; Never takes the rule away,
// and turns with it, leaving the chore to whose turn it was. A repeated run keeps its people.
TEST_F(ScreensTest, TheRepeatChoiceIsSavedAndAnUntouchedRuleKeptAsItCame)
{
    using F = ChoreEditor::RepeatFrequency;
    const QString monthEnd = QStringLiteral(";BYMONTHDAY=28,29,30,31;BYSETPOS=-1");
    const struct {
        Op operation;
        QString stored;
        void (*choose)(ChoreEditor &);
        QString saved;
        bool afterFinishing;
        qsizetype skipped;
        ChorePeople people = {};
        ChorePeople savedPeople = {};
    } rows[] = {
        // Sam, then Alice ticked, Alice moved before Sam: her turn first.
        {Op::add, {}, [](ChoreEditor &e) {
             e.setRepeatFrequency(F::Weekly);
             e.setRepeatInterval(2);
             e.toggleRepeatWeekday(Qt::Monday);
             e.setRepeatAfterFinishing(true);
             e.toggleTurn(QStringLiteral("Sam"));
             e.toggleTurn(QStringLiteral("Alice"));
             EXPECT_FALSE(e.moveTurn(5, 0));
             EXPECT_TRUE(e.moveTurn(1, 0));
         }, "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE", true, 0, {}, {"Alice", {"Alice", "Sam"}, {}}},
        // Monday on and off again, then Wednesday off: the due day's Wednesday, as a weekly rule means.
        {Op::add, {}, [](ChoreEditor &e) {
             e.setRepeatFrequency(F::Weekly);
             for (int day : {1, 1, 3})
                 e.toggleRepeatWeekday(day);
             e.assignTo(QStringLiteral("Bob"));
         }, "FREQ=WEEKLY", false, 0, {}, {"Bob", {}, {}}},
        {Op::update, "FREQ=MONTHLY;WKST=SU", nullptr, "FREQ=MONTHLY;WKST=SU", false, 1, {"Bob", {}, {}}, {"Bob", {}, {}}},
        {Op::update, "FREQ=MONTHLY;BYDAY=FR;BYSETPOS=-1", nullptr, "FREQ=MONTHLY;BYDAY=FR;BYSETPOS=-1", false, 1},
        {Op::update, "FREQ=MONTHLY;BYDAY=FR;BYSETPOS=-1", [](ChoreEditor &e) {
             e.changeRepeat();
             e.setRepeatInterval(3000);
         }, "FREQ=MONTHLY;INTERVAL=999" + monthEnd, false, 0},
        {Op::update, "FREQ=MONTHLY" + monthEnd, [](ChoreEditor &e) { e.pickDueDay(2026, 6, 15); }, "FREQ=MONTHLY", false, 1},
        // As earlier versions wrote the 31st: read as the month's end too.
        {Op::update, "FREQ=MONTHLY;BYMONTHDAY=31;RSCALE=GREGORIAN;SKIP=BACKWARD", [](ChoreEditor &e) { e.pickDueDay(2026, 6, 15); },
         "FREQ=MONTHLY", false, 1},
        {Op::update, "FREQ=DAILY;INTERVAL=3", [](ChoreEditor &e) { e.setRepeatFrequency(F::Never); }, {}, false, 0,
         {"Bob", {"Alice", "Bob"}, {}}, {"Bob", {}, {}}},
        {Op::repeat, "FREQ=YEARLY;INTERVAL=2;WKST=MO", nullptr, "FREQ=YEARLY;INTERVAL=2;WKST=MO", true, 1,
         {"Sam", {"Sam", "Alice"}, {}}, {"Sam", {"Sam", "Alice"}, {}}},
        {Op::repeat, {}, [](ChoreEditor &e) { e.setRepeatFrequency(F::Daily); }, "FREQ=DAILY", false, 0},
        {Op::copy, "FREQ=WEEKLY;BYDAY=TH,TU", nullptr, "FREQ=WEEKLY;BYDAY=TH,TU", true, 0, {"Alice", {}, {}}, {"Alice", {}, {}}},
    };
    Chore *bobs = nullptr;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.saved.toStdString());
        Chore *source = chore(QStringLiteral("source"), day(5, 20), day(5, 31));
        Recurrence stored;
        stored.rule = row.stored;
        stored.afterFinishing = row.afterFinishing;
        stored.exceptions = {QDate(2026, 6, 30)};
        ASSERT_TRUE(row.stored.isEmpty() || changes.update(source, source->fields(), stored, row.people));
        // A screen of its own each time, as the app opens one.
        ChoreEditor screen;
        screen.setChanges(&changes);
        screen.setRouter(&router);
        screen.setOperation(row.operation);
        screen.setChore(row.operation == Op::add ? nullptr : source);
        screen.load();
        EXPECT_EQ(screen.repeatCustom(), row.stored.contains(QLatin1String("BYDAY=FR;BYSETPOS")));
        if (row.choose)
            row.choose(screen);
        EXPECT_EQ(screen.hasChanges(), row.choose != nullptr);
        QSignalSpy saved(&screen, &ChoreEditor::saved);
        ASSERT_TRUE(screen.save());
        Chore *result = saved.at(0).at(0).value<Chore *>();
        const Recurrence written = result->recurrence();
        EXPECT_EQ(written.rule, row.saved);
        EXPECT_EQ(written.afterFinishing, row.afterFinishing);
        EXPECT_EQ(written.exceptions.size(), row.skipped);
        EXPECT_EQ(result->assignee(), row.savedPeople.assignee);
        EXPECT_EQ(result->turns(), row.savedPeople.turns);
        bobs = row.savedPeople.assignee == QLatin1String("Bob") ? result : bobs;
        open(Op::update, result);
        EXPECT_FALSE(editor.hasChanges());
        EXPECT_EQ(editor.repeatText(), result->recurrenceText());
    }
    // The Who row offers the household and the chore's own people, in order.
    editor.setMembers({QStringLiteral("Alice"), QStringLiteral("Sam")});
    open(Op::update, bobs);
    EXPECT_EQ(editor.choices(), (QStringList{"Alice", "Bob", "Sam"}));
}

// The calendar's keys by day, week, month and year; the week's ends follow the locale's first
// day; a month's last day goes to the shorter month's last.
TEST(DueCalendarKeys, MoveTheFocusedDay)
{
    const struct {
        QDate from;
        int key;
        Qt::KeyboardModifiers modifiers;
        Qt::DayOfWeek weekStart;
        QDate to;
    } rows[] = {
        {{2026, 12, 31}, Qt::Key_Right, {}, Qt::Monday, {2027, 1, 1}},
        {{2026, 3, 1}, Qt::Key_Up, {}, Qt::Monday, {2026, 2, 22}},
        {{2026, 1, 31}, Qt::Key_PageDown, {}, Qt::Monday, {2026, 2, 28}},
        {{2024, 2, 29}, Qt::Key_PageUp, Qt::ShiftModifier, Qt::Monday, {2023, 2, 28}},
        {{2026, 5, 20}, Qt::Key_Home, {}, Qt::Monday, {2026, 5, 18}},
        {{2026, 5, 20}, Qt::Key_Home, {}, Qt::Sunday, {2026, 5, 17}},
        {{2026, 5, 17}, Qt::Key_End, {}, Qt::Monday, {2026, 5, 17}},
        {{2026, 5, 20}, Qt::Key_A, {}, Qt::Monday, {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DueCalendar::moved(row.from, row.key, row.modifiers, row.weekStart), row.to) << row.from.toString(Qt::ISODate).toStdString();
}

// One section per day, newest first; minutes apart across midnight are two days.
TEST_F(ScreensTest, MinutesApartAcrossMidnightAreTwoDays)
{
    clock.setNow(day(3, 10, 12));
    groups.setQuery(&journal);
    finished(QStringLiteral("before"), day(3, 9, 23, 59));
    finished(QStringLiteral("t2"), day(3, 10, 9));
    finished(QStringLiteral("y1"), day(3, 9, 8));
    finished(QStringLiteral("after"), day(3, 10, 0, 1));
    EXPECT_EQ(titles(), (QList<QStringList>{{"t2", "after"}, {"before", "y1"}}));
    EXPECT_EQ(groups.data(groups.index(0), JournalGroups::EndDateRole).toDateTime(), day(3, 10, 9));

    // In New York "after" happened on 9 March: a change of zone cuts the sections again.
    clock.setTimeZone(zone("America/New_York"));
    groups.regroup();
    EXPECT_EQ(titles(), (QList<QStringList>{{"t2"}, {"after", "before", "y1"}}));
}

TEST_F(ScreensTest, LiveChangesInsertAndRemoveSections)
{
    clock.setNow(day(3, 10, 12));
    Chore *old = finished(QStringLiteral("old"), day(3, 1, 9));
    groups.setQuery(&journal);
    QSignalSpy inserted(&groups, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&groups, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&groups, &QAbstractItemModel::dataChanged);
    QSignalSpy resets(&groups, &QAbstractItemModel::modelReset);

    // Finishing an active chore puts it at the top of today's section at once.
    ASSERT_TRUE(changes.finish(chore(QStringLiteral("now"), day(3, 8), day(3, 8))));
    EXPECT_EQ(titles(), (QList<QStringList>{{"now"}, {"old"}}));
    EXPECT_EQ(inserted.count(), 1);

    finished(QStringLiteral("later today"), day(3, 10, 13));
    EXPECT_EQ(titles(), (QList<QStringList>{{"later today", "now"}, {"old"}}));
    EXPECT_EQ(changed.count(), 1);

    // Deleting the only chore of a day drops that day's section.
    ASSERT_TRUE(changes.remove(old));
    EXPECT_EQ(titles(), (QList<QStringList>{{"later today", "now"}}));
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(resets.count(), 0);
}

// Lateness in calendar days of the zone of the moment (early is on time), the mean gap between
// finishing days, and the line of figures, from the store's newest twelve linked occurrences.
TEST_F(ScreensTest, HistoryCountsCalendarDaysInTheUsersZone)
{
    const auto b = [](int y, int m, int d, int h = 10, int min = 0) { return at("Europe/Berlin", y, m, d, h, min); };
    using Done = std::pair<QDateTime, QDateTime>; // due, finished; oldest first
    QList<Done> fourteen;
    for (int i = 0; i < 14; ++i)
        fourteen << Done{b(2026, 1, 1 + 2 * i, 0), b(2026, 1, 1 + 2 * i + (i < 2 ? 1 : 0))};
    const struct {
        const char *name;
        const char *zone;
        const char *rule;
        QList<Done> done;
        const char *marks;
        const char *summary;
        // Where each mark lies by its day (0-100), and after how many finishes of the same day.
        const char *places = nullptr;
    } cases[] = {
        {"all on time", "Europe/Berlin", "FREQ=WEEKLY", {{b(2026, 3, 2, 0), b(2026, 3, 2)}, {b(2026, 3, 9, 0), b(2026, 3, 9)},
         {b(2026, 3, 16, 0), b(2026, 3, 16)}}, "000", "Done 3 of the last 3 on time, on average every 7 days (planned: 7)",
         "0:0 50:0 100:0"},
        {"four on one day, then three weeks on", "Europe/Berlin", "FREQ=DAILY", {{b(2026, 6, 1, 0), b(2026, 6, 1, 8)},
         {b(2026, 6, 2, 0), b(2026, 6, 1, 9)}, {b(2026, 6, 3, 0), b(2026, 6, 1, 10)}, {b(2026, 6, 4, 0), b(2026, 6, 1, 11)},
         {b(2026, 6, 22, 0), b(2026, 6, 22)}}, "00000", "Done 5 of the last 5 on time, on average every 5 days (planned: 1)",
         "0:0 0:1 0:2 0:3 100:0"},
        {"1-2 days late", "Europe/Berlin", "FREQ=WEEKLY", {{b(2026, 4, 6, 0), b(2026, 4, 7)}, {b(2026, 4, 13, 0), b(2026, 4, 15)}},
         "11", "Done 0 of the last 2 on time, on average every 8 days (planned: 7)"},
        {"early, then 3 days late", "Europe/Berlin", "FREQ=WEEKLY;INTERVAL=2", {{b(2026, 5, 4, 0), b(2026, 5, 1)},
         {b(2026, 5, 18, 0), b(2026, 5, 21)}}, "02", "Done 1 of the last 2 on time, on average every 20 days (planned: 14)"},
        {"late at night in Berlin", "Europe/Berlin", "FREQ=DAILY", {{b(2026, 12, 8, 0), b(2026, 12, 8, 23, 30)}}, "0",
         "Done on time the last time"},
        {"the next morning in Tokyo", "Asia/Tokyo", "FREQ=DAILY", {{b(2026, 12, 8, 0), b(2026, 12, 8, 23, 30)}}, "1",
         "Done late the last time"},
        // 23.5 hours after the due day began is the next day; 72.5 hours, two days.
        {"spring forward", "Europe/Berlin", "FREQ=WEEKLY", {{b(2027, 3, 21, 0), b(2027, 3, 21, 23, 30)},
         {b(2027, 3, 28, 0), b(2027, 3, 29, 0, 30)}}, "01", "Done 1 of the last 2 on time, on average every 8 days (planned: 7)"},
        {"fall back", "Europe/Berlin", "FREQ=MONTHLY;INTERVAL=2", {{b(2026, 8, 25, 0), b(2026, 8, 25)},
         {b(2026, 10, 25, 0), b(2026, 10, 27, 23, 30)}}, "01", "Done 1 of the last 2 on time, on average every 63 days (planned: every 2 months)"},
        {"the newest twelve of fourteen", "Europe/Berlin", "FREQ=DAILY;INTERVAL=2", fourteen, "000000000000",
         "Done 12 of the last 12 on time, on average every 2 days (planned: 2)"},
        {"on two weekdays: no fixed interval", "Europe/Berlin", "FREQ=WEEKLY;BYDAY=MO,TH", {{b(2026, 2, 2, 0), b(2026, 2, 2)},
         {b(2026, 2, 5, 0), b(2026, 2, 9)}}, "02", "Done 1 of the last 2 on time, on average every 7 days"},
        {"no history", "Europe/Berlin", "FREQ=WEEKLY", {}, "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        clock.setTimeZone(zone(c.zone));
        Chore *series = changes.add(VelmoraTest::fields(QString::fromUtf8(c.name), day(5, 1), day(5, 1)),
                                    Recurrence{QString::fromLatin1(c.rule), false, {}, {}});
        ASSERT_NE(series, nullptr);
        for (const auto &[due, end] : c.done)
            ASSERT_TRUE(changes.linkToSeries(chore(QStringLiteral("copy"), due, due, end), series));
        ChoreHistory history;
        history.setStore(&store);
        history.setChore(series);
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return history.marks().size() == qsizetype(strlen(c.marks)); }));
        QString marks;
        QStringList places;
        for (const QVariant &mark : history.marks()) {
            const QVariantMap at = mark.toMap();
            marks += QString::number(at.value(QStringLiteral("lateness")).toInt());
            places << QStringLiteral("%1:%2").arg(std::lround(at.value(QStringLiteral("place")).toDouble() * 100))
                          .arg(at.value(QStringLiteral("stacked")).toInt());
        }
        EXPECT_EQ(marks, QLatin1String(c.marks));
        if (c.places) {
            EXPECT_EQ(places.join(QLatin1Char(' ')), QLatin1String(c.places));
        }
        EXPECT_EQ(history.summary(), QString::fromUtf8(c.summary));
    }
    // A finish shows at once: the last series, due on 1 May, finished on 20 May.
    ChoreHistory history;
    history.setStore(&store);
    history.setChore(store.chores().back());
    ASSERT_TRUE(changes.finish(store.chores().back()));
    EXPECT_TRUE(VelmoraTest::waitFor([&] {
        return history.marks().size() == 1 && history.marks()[0].toMap().value(QStringLiteral("lateness")) == 2;
    }));
}

TEST(JournalGroupsHeader, LongDateWithoutWeekdayOrTime)
{
    const QDateTime end = at("Europe/Berlin", 2026, 3, 10, 23, 30);
    EXPECT_EQ(JournalGroups::headerText(end, zone("Europe/Berlin"), QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("March 10, 2026"));
    // Already the next day in Tokyo.
    EXPECT_EQ(JournalGroups::headerText(end, zone("Asia/Tokyo"), QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("March 11, 2026"));
}

TEST(ScreenTexts, ReminderTimeHasNoMarkerAndTwoDigitMinutes)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    struct Case {
        double seconds;
        const char *us;
        const char *de;
    } cases[] = {
        {0, "12:00", "0:00"},
        {14 * 3600 + 30 * 60, "2:30", "14:30"},
        {3599, "12:59", "0:59"},
        {23 * 3600 + 59 * 60 + 59, "11:59", "23:59"},
        // Odd stored values still give a time of day.
        {std::numeric_limits<double>::quiet_NaN(), "9:00", "9:00"},
        {std::numeric_limits<double>::infinity(), "9:00", "9:00"},
        {-60, "11:59", "23:59"},
        {86400 + 60, "12:01", "0:01"},
        {1e300, "9:00", "9:00"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ScreenTexts::reminderTimeText(c.seconds, us), QString::fromUtf8(c.us)) << c.seconds;
        EXPECT_EQ(ScreenTexts::reminderTimeText(c.seconds, de), QString::fromUtf8(c.de)) << c.seconds;
    }
}

TEST(ScreenTexts, DatesAreDaysInTheUsersZone)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDateTime start = at("Europe/Berlin", 2026, 3, 3);
    EXPECT_EQ(ScreenTexts::datesText(start, at("Europe/Berlin", 2026, 3, 10, 23, 59), zone("Europe/Berlin"), us),
              QStringLiteral("Mar 3, 2026 – Mar 10, 2026"));
    EXPECT_EQ(ScreenTexts::datesText(start, start.addSecs(3600), zone("Europe/Berlin"), us), QStringLiteral("Mar 3, 2026"));
    // Berlin's midnight is still the day before in New York.
    EXPECT_EQ(ScreenTexts::datesText(start, start, zone("America/New_York"), us), QStringLiteral("Mar 2, 2026"));
    EXPECT_EQ(ScreenTexts::datesText(start, QDateTime(), zone("Europe/Berlin"), us), QStringLiteral("Mar 3, 2026"));
}

// A member's badge: the first letter as people see it, however many code points it takes.
TEST(ScreenTexts, InitialIsTheFirstGraphemeUpperCased)
{
    const struct {
        const char *name;
        const char *initial;
    } rows[] = {{"bob", "B"}, {"élodie", "É"}, {"e\u0301mile", "E\u0301"}, {"👩‍👧 Mum", "👩‍👧"}, {"", ""}};
    for (const auto &row : rows)
        EXPECT_EQ(ScreenTexts::initialOf(QString::fromUtf8(row.name)), QString::fromUtf8(row.initial)) << row.name;
}

TEST(ScreenTexts, TextStaysReadableOnLightColours)
{
    const QColor white(Qt::white);
    const QColor dark(0x1c, 0x1c, 0x1e);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(255, 59, 48)), white); // the standard red
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(0, 122, 255)), white);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(Qt::white)), dark);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(255, 204, 0)), dark); // yellow
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(Qt::black)), white);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor::fromRgbF(2.0f, 2.0f, 2.0f)), dark); // wide gamut
}

// Chores finished per local day, counted by the store, over the last twelve months: days of 23
// and 25 hours, days that start at 01:00 or hold 23:30 twice, a minute either side of midnight,
// a new zone, the window's ends, this month and last across a new year. -1: not shown. Who finished
// them (A, B, S; - for nobody) makes this month's line, most first, then by name, nobody not named,
// broken only between its parts (_: a space it keeps);
// the first day listed, focused, names them too.
TEST(JournalCalendarCounts, PerLocalDayAcrossDstZonesAndTheWindowsEnds)
{
    const auto utc = [](const char *iso) { return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate); };
    const auto b = [](int y, int m, int d, int h = 0, int min = 0) { return at("Europe/Berlin", y, m, d, h, min); };
    const struct {
        const char *what;
        const char *zone;
        QDateTime now;
        QList<QDateTime> ends;
        QList<std::pair<QDate, int>> days;
        int thisMonth;
        int lastMonth;
        int shown;
        const char *movedTo = nullptr;
        const char *by = nullptr;
        const char *line = nullptr;
        const char *reading = nullptr;
    } rows[] = {
        {"Berlin springs forward", "Europe/Berlin", b(2026, 4, 10, 12),
         {b(2026, 3, 28, 23, 59), b(2026, 3, 29, 0, 30), b(2026, 3, 29, 3, 30), b(2026, 3, 29, 23, 59), b(2026, 3, 30)},
         {{{2026, 3, 28}, 1}, {{2026, 3, 29}, 3}, {{2026, 3, 30}, 1}}, 0, 5, 5},
        {"Berlin falls back, 02:30 twice", "Europe/Berlin", b(2026, 11, 5, 12),
         {utc("2026-10-24T21:59:00Z"), utc("2026-10-25T00:30:00Z"), utc("2026-10-25T01:30:00Z"),
          utc("2026-10-25T22:59:00Z"), utc("2026-10-25T23:00:00Z")},
         {{{2026, 10, 24}, 1}, {{2026, 10, 25}, 3}, {{2026, 10, 26}, 1}}, 0, 5, 5},
        {"São Paulo skips midnight", "America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 20, 12),
         {utc("2018-11-04T02:59:00Z"), utc("2018-11-04T03:00:00Z"), utc("2018-11-05T01:59:00Z"), utc("2018-11-05T02:00:00Z")},
         {{{2018, 11, 3}, 1}, {{2018, 11, 4}, 2}, {{2018, 11, 5}, 1}}, 4, 0, 4},
        {"São Paulo has 23:30 twice", "America/Sao_Paulo", at("America/Sao_Paulo", 2019, 3, 1, 12),
         {utc("2019-02-17T01:30:00Z"), utc("2019-02-17T02:30:00Z"), utc("2019-02-17T03:00:00Z")},
         {{{2019, 2, 16}, 2}, {{2019, 2, 17}, 1}}, 0, 3, 3},
        {"a new zone moves a late finish to the day before", "Europe/Berlin", utc("2026-03-10T12:00:00Z"),
         {utc("2026-03-10T03:30:00Z")}, {{{2026, 3, 9}, 1}, {{2026, 3, 10}, 0}}, 1, 0, 1, "America/New_York"},
        {"a year back from tomorrow, through today", "Europe/Berlin", b(2026, 12, 8, 12),
         {b(2025, 12, 8, 23, 59), b(2025, 12, 9), b(2026, 12, 8, 11), b(2026, 12, 9)},
         {{{2025, 12, 8}, -1}, {{2025, 12, 9}, 1}, {{2026, 12, 8}, 1}, {{2026, 12, 9}, -1}}, 1, 0, 2},
        {"this month and last across a new year", "Europe/Berlin", b(2027, 1, 5, 12),
         {b(2026, 11, 30, 23, 59), b(2026, 12, 1), b(2026, 12, 31, 23, 59), b(2027, 1, 1)},
         {{{2026, 12, 31}, 1}, {{2027, 1, 1}, 1}}, 1, 2, 4},
        {"who finished this month", "Europe/Berlin", b(2026, 12, 20, 12),
         {b(2026, 12, 1, 9), b(2026, 12, 1, 10), b(2026, 12, 3), b(2026, 12, 5), b(2026, 12, 7), b(2026, 12, 19), b(2026, 11, 30)},
         {{{2026, 12, 1}, 2}}, 6, 1, 7, nullptr, "BASAB-S", "This_month:_6_· Alice_2, Bob_2, Sam_1_· last_month:_1", "Alice 1, Bob 1"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        FakeClock clock{row.now, zone(row.zone)};
        ScopedClock installed{clock};
        QTemporaryDir dir;
        ChoreStore store;
        ASSERT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        QList<ChoreFields> finished;
        for (const QDateTime &end : row.ends)
            finished.append({QStringLiteral("done"), ColorComponentsModel::standardRed(), end.addDays(-2), end, end, false, 32400});
        ChoreChanges changes(store);
        if (row.by) {
            static const QHash<char, QString> names{{'A', "Alice"}, {'B', "Bob"}, {'S', "Sam"}, {'-', {}}};
            for (qsizetype i = 0; i < finished.size(); ++i)
                ASSERT_TRUE(changes.add(finished[i], {}, {{}, {}, names.value(row.by[i])}));
        } else {
            ASSERT_TRUE(changes.addAll(finished));
        }
        JournalCalendar calendar;
        calendar.setStore(&store);
        calendar.setToday(ChoreDates::startOfDay(row.now));
        if (row.movedTo) {
            clock.setTimeZone(zone(row.movedTo));
            calendar.setToday(ChoreDates::startOfDay(row.now));
        }
        const QDate today = ChoreDates::calendarDay(row.now);
        ASSERT_EQ(calendar.firstDay(), today.addYears(-1).addDays(1));
        ASSERT_EQ(calendar.rowCount(), calendar.firstDay().daysTo(today) + 1);
        for (const auto &[day, count] : row.days) {
            const qint64 at = calendar.firstDay().daysTo(day);
            EXPECT_EQ(at >= 0 && at < calendar.rowCount() ? calendar.countAt(int(at)) : -1, count) << qPrintable(day.toString(Qt::ISODate));
        }
        int shown = 0;
        for (int i = 0; i < calendar.rowCount(); ++i)
            shown += calendar.countAt(i);
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(calendar.thisMonthCount(), row.thisMonth);
        EXPECT_EQ(calendar.lastMonthCount(), row.lastMonth);
        if (row.line) {
            EXPECT_EQ(calendar.monthLine(), QString::fromUtf8(row.line).replace(QLatin1Char('_'), QChar(0x00A0)));
            const auto [first, count] = row.days.front();
            calendar.setFocused(int(calendar.firstDay().daysTo(first)));
            EXPECT_EQ(calendar.focusedText(), JournalCalendar::dayText(first, count, QLocale()) + QStringLiteral(" · ") + QLatin1String(row.reading));
        }
    }
    // Read out without the year: twelve months ending today hold each day of the year once.
    EXPECT_EQ(JournalCalendar::dayText({2026, 12, 4}, 3, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("3 chores finished on December 4"));
    EXPECT_EQ(JournalCalendar::dayText({2026, 12, 5}, 0, QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("No chores finished on 5. Dezember"));
}

// Finishing, a restore's batch and deleting are each counted once the event loop runs, once.
TEST_F(ScreensTest, TheCalendarFollowsTheStoreOnceABatch)
{
    JournalCalendar calendar;
    QAbstractItemModelTester calendarTester{&calendar, QAbstractItemModelTester::FailureReportingMode::Fatal};
    calendar.setStore(&store);
    QSignalSpy days(&calendar, &QAbstractItemModel::dataChanged);
    Chore *open = chore(QStringLiteral("open"), day(5, 18), day(5, 25));
    ASSERT_TRUE(changes.finish(open));
    EXPECT_EQ(calendar.thisMonthCount(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(calendar.thisMonthCount(), 1);
    EXPECT_EQ(calendar.countAt(calendar.focused()), 1);

    const ChoreFields april{QStringLiteral("old"), ColorComponentsModel::standardRed(), day(4, 1), day(4, 2), day(4, 2, 9), false, 32400};
    ASSERT_TRUE(changes.addAll({april, april, april}));
    QCoreApplication::processEvents();
    EXPECT_EQ(calendar.lastMonthCount(), 3);
    EXPECT_EQ(days.count(), 2);

    ASSERT_TRUE(changes.remove(open));
    QCoreApplication::processEvents();
    EXPECT_EQ(calendar.thisMonthCount(), 0);
    EXPECT_EQ(calendar.countAt(calendar.focused()), 0);
}

} // namespace
