#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Sync/VTodoCodec.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Velmora;
using namespace Velmora::Sync;
using VelmoraTest::zone;

namespace {

// Unfolded content lines, so a test can look for whole properties.
QList<QByteArray> lines(QByteArray ics)
{
    ics.replace("\r\n ", "");
    QList<QByteArray> out;
    for (const QByteArray &line : ics.split('\n'))
        if (!line.trimmed().isEmpty())
            out << line.trimmed();
    return out;
}

// The value of the first property of the VTODO that starts with prefix.
QByteArray valueOf(const QByteArray &ics, const QByteArray &prefix)
{
    bool inTodo = false;
    for (const QByteArray &line : lines(ics)) {
        inTodo = inTodo || line == "BEGIN:VTODO";
        if (inTodo && line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

QDateTime dayIn(const char *zoneId, int y, int m, int d)
{
    return QDate(y, m, d).startOfDay(zone(zoneId));
}

struct RoundTrip {
    const char *name;
    const char *title;
    const char *zone;
    QDate start;
    QDate due;
    ColorComponentsModel color;
    bool notify;
    double notificationTime;
    std::optional<QDateTime> end;
};

class VTodoRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

// Written and read back, every field is what it was; the written form is what other apps and
// strict servers expect.
TEST_P(VTodoRoundTrip, EveryFieldComesBackAndTheFormIsStrict)
{
    const RoundTrip &c = GetParam();
    const QTimeZone tz = zone(c.zone);
    const ChoreFields fields{QString::fromUtf8(c.title), c.color, c.start.startOfDay(tz),
                             c.due.startOfDay(tz), c.end, c.notify, c.notificationTime};
    const TodoWriting written = VTodoCodec::write(QStringLiteral("6c1d3f8e-0b1a-4d4e-9d55-1f0e2b7c9a01"), fields, tz);
    ASSERT_TRUE(written.reason.isEmpty()) << written.reason.toStdString();

    const TodoReading read = VTodoCodec::read(written.ics, tz);
    ASSERT_EQ(read.outcome, TodoReading::Outcome::Chore) << read.reason.toStdString();
    EXPECT_EQ(read.uid, QStringLiteral("6c1d3f8e-0b1a-4d4e-9d55-1f0e2b7c9a01"));
    EXPECT_EQ(read.fields, fields) << written.ics.toStdString();

    EXPECT_EQ(valueOf(written.ics, "DUE;VALUE=DATE:"), c.due.toString(QStringLiteral("yyyyMMdd")).toLatin1());
    // DTSTART only before DUE and of the same value type.
    EXPECT_EQ(valueOf(written.ics, "DTSTART;VALUE=DATE:"),
              c.start < c.due ? c.start.toString(QStringLiteral("yyyyMMdd")).toLatin1() : QByteArray());
    EXPECT_EQ(valueOf(written.ics, "DTSTART:"), QByteArray());
    EXPECT_EQ(valueOf(written.ics, "STATUS:"), c.end ? QByteArray("COMPLETED") : QByteArray());
    EXPECT_EQ(valueOf(written.ics, "COLOR:"), VTodoCodec::nearestCssColorName(c.color).toLatin1());

    // Other apps ring at the minute this app's own reminder rings.
    const std::optional<QDateTime> own = NotificationsManager::reminderInstant(fields.dueDate, c.notificationTime, tz);
    const QByteArray trigger = valueOf(written.ics, "TRIGGER;VALUE=DATE-TIME:");
    if (c.notify && own)
        EXPECT_EQ(trigger, own->toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1());
    else
        EXPECT_TRUE(trigger.isEmpty()) << trigger.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Chores, VTodoRoundTrip,
    ::testing::Values(
        RoundTrip{"StartBeforeDue", "Water the ficus, «again»; twice", "Europe/Berlin", {2026, 5, 1}, {2026, 5, 10}, {0.2f, 0.4f, 0.6f}, true, 32400, {}},
        RoundTrip{"StartEqualsDue", "", "Europe/Berlin", {2026, 5, 10}, {2026, 5, 10}, ColorComponentsModel::standardRed(), false, 32400, {}},
        RoundTrip{"StartAfterDue", "Line one\nline two\\ with a backslash", "Asia/Tokyo", {2026, 5, 12}, {2026, 5, 10}, {1, 1, 1}, true, 0, {}},
        // 02:30 is skipped on the spring-forward day: both ring at 03:00.
        RoundTrip{"BerlinSpringForward", "Oil: 5W-30; \"quoted\"", "Europe/Berlin", {2026, 3, 1}, {2026, 3, 29}, {1.5f, -0.25f, 1e-7f}, true, 9000, {}},
        // 01:30 happens twice on the fall-back day: both ring at the first.
        RoundTrip{"NewYorkFallBack", "Rake leaves 🍂", "America/New_York", {2026, 10, 1}, {2026, 11, 1}, {0.1f, 0.9f, 0.3f}, true, 5400, {}},
        RoundTrip{"NewYorkSpringForwardMidnight", "Chore", "America/New_York", {2026, 3, 7}, {2026, 3, 8}, {0, 0, 0}, true, 0, {}},
        RoundTrip{"SaoPauloSkippedMidnight", "Chore", "America/Sao_Paulo", {2018, 11, 1}, {2018, 11, 4}, {0.5f, 0.5f, 0.5f}, true, 3599, {}},
        RoundTrip{"LastMinute", "Chore", "Australia/Lord_Howe", {2026, 4, 1}, {2026, 4, 5}, {0.33333334f, 0.6666667f, 0.1f}, true, 86340, {}},
        RoundTrip{"ReminderOff", "Chore", "Pacific/Kiritimati", {2026, 1, 1}, {2026, 12, 31}, {0.9f, 0.1f, 0.1f}, false, 45296.75, {}},
        RoundTrip{"Finished", "Chore", "Europe/Berlin", {2026, 5, 1}, {2026, 5, 10},
                  {0.3f, 0.3f, 0.8f}, true, 32400, QDateTime(QDate(2026, 5, 9), QTime(23, 59, 58, 123), QTimeZone::utc())},
        RoundTrip{"FinishedOnTheSecond", "Chore", "America/New_York", {2026, 3, 8}, {2026, 3, 8},
                  {0.3f, 0.3f, 0.8f}, false, 32400, QDateTime(QDate(2026, 3, 8), QTime(7, 0), QTimeZone::utc())}),
    [](const auto &info) { return std::string(info.param.name); });

struct Foreign {
    const char *name;
    const char *zone;
    QByteArray ics;
    TodoReading::Outcome outcome;
    QDate due;
    QDate start;
    QColor color;
    bool finished;
    // After a change of the title: lines of the server copy that must come back unchanged.
    QList<QByteArray> kept;
};

class ForeignVTodo : public ::testing::TestWithParam<Foreign> {};

QByteArray calendar(const QByteArray &body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//App//EN\r\n" + body + "END:VCALENDAR\r\n";
}

// Tasks other apps wrote: read as chores where they have a due day, and written back with
// everything this app does not know kept as it was.
TEST_P(ForeignVTodo, ReadsAndKeepsWhatItDoesNotKnow)
{
    const Foreign &c = GetParam();
    const QTimeZone tz = zone(c.zone);
    const TodoReading read = VTodoCodec::read(c.ics, tz);
    ASSERT_EQ(read.outcome, c.outcome) << read.reason.toStdString();
    if (c.outcome != TodoReading::Outcome::Chore)
        return;
    EXPECT_EQ(read.fields.dueDate, c.due.startOfDay(tz));
    EXPECT_EQ(read.fields.startDate, c.start.startOfDay(tz));
    EXPECT_EQ(read.fields.colorComponents, ColorComponentsModel::fromColor(c.color));
    EXPECT_EQ(read.fields.endDate.has_value(), c.finished);

    ChoreFields renamed = read.fields;
    renamed.title = QStringLiteral("Renamed");
    const TodoWriting back = VTodoCodec::write(read.uid, renamed, tz, c.ics);
    ASSERT_TRUE(back.reason.isEmpty());
    const QList<QByteArray> written = lines(back.ics);
    for (const QByteArray &line : c.kept)
        EXPECT_TRUE(written.contains(line)) << line.toStdString() << "\n" << back.ics.toStdString();
    EXPECT_FALSE(back.ics.contains("X-LIC-ERROR"));
    const TodoReading again = VTodoCodec::read(back.ics, tz);
    ASSERT_EQ(again.outcome, TodoReading::Outcome::Chore);
    EXPECT_EQ(again.fields, renamed);

    // A new due day replaces a date-time DUE by a plain date, and the start follows in type.
    ChoreFields moved = renamed;
    moved.dueDate = c.due.addDays(3).startOfDay(tz);
    const TodoWriting movedBack = VTodoCodec::write(read.uid, moved, tz, back.ics);
    EXPECT_EQ(valueOf(movedBack.ics, "DUE;VALUE=DATE:"), c.due.addDays(3).toString(QStringLiteral("yyyyMMdd")).toLatin1());
    EXPECT_EQ(VTodoCodec::read(movedBack.ics, tz).fields, moved);
    EXPECT_EQ(valueOf(movedBack.ics, "DTSTART:"), QByteArray()) << movedBack.ics.toStdString();
}

const QByteArray unknownLines =
    "FOO-BAR;X-A=1:b\\,c\r\n"
    "ESTIMATED-DURATION:PT1H\r\n"
    "X-OTHER-APP-NOTE:semi\\;colon\\, comma\r\n"
    "CATEGORIES:home,garden\r\n"
    "RELATED-TO;RELTYPE=PARENT:parent-uid-1\r\n"
    "DESCRIPTION;LANGUAGE=de:Einmal im Monat\r\n";

const QByteArray foreignAlarm =
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:Soon\r\nX-WR-ALARMUID:a1\r\nEND:VALARM\r\n";

INSTANTIATE_TEST_SUITE_P(
    Tasks, ForeignVTodo,
    ::testing::Values(
        // 22:00 in New York is 04:00 the next morning in Berlin.
        Foreign{"DateTimeDueInAnotherZone", "Europe/Berlin",
                calendar("BEGIN:VTODO\r\nUID:ny-1\r\nSUMMARY:Call\r\nDUE;TZID=America/New_York:20260510T220000\r\nEND:VTODO\r\n"),
                TodoReading::Outcome::Chore, {2026, 5, 11}, {2026, 5, 11}, QColor(255, 59, 48), false,
                {"DUE;TZID=America/New_York:20260510T220000"}},
        Foreign{"UtcDueAndDateTimeStart", "Asia/Tokyo",
                calendar("BEGIN:VTODO\r\nUID:utc-1\r\nSUMMARY:Pay\r\nDTSTART:20260501T020000Z\r\nDUE:20260510T230000Z\r\n"
                         "COLOR:gold\r\nEND:VTODO\r\n"),
                TodoReading::Outcome::Chore, {2026, 5, 11}, {2026, 5, 1}, QColor("gold"), false,
                {"DUE:20260510T230000Z", "DTSTART:20260501T020000Z", "COLOR:gold"}},
        Foreign{"UnknownPropertiesAlarmCategories", "Europe/Berlin",
                calendar("BEGIN:VTODO\r\nUID:k-1\r\nSUMMARY:Prune\r\nDTSTART;VALUE=DATE:20260401\r\nDUE;VALUE=DATE:20260420\r\n"
                         "COMPLETED:20260419T080000Z\r\nSTATUS:COMPLETED\r\n" + unknownLines + foreignAlarm
                         + "END:VTODO\r\n"),
                TodoReading::Outcome::Chore, {2026, 4, 20}, {2026, 4, 1}, QColor(255, 59, 48), true,
                {"FOO-BAR;X-A=1:b\\,c", "ESTIMATED-DURATION:PT1H", "X-OTHER-APP-NOTE:semi\\;colon\\, comma",
                 "CATEGORIES:home,garden", "RELATED-TO;RELTYPE=PARENT:parent-uid-1",
                 "DESCRIPTION;LANGUAGE=de:Einmal im Monat", "BEGIN:VALARM", "TRIGGER:-PT15M", "X-WR-ALARMUID:a1"}},
        // Outlook names zones its own way and ships their rules along.
        Foreign{"WindowsZoneWithItsRules", "Asia/Tokyo",
                calendar("BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\nBEGIN:STANDARD\r\nDTSTART:16011028T030000\r\n"
                         "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
                         "BEGIN:DAYLIGHT\r\nDTSTART:16010325T020000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\n"
                         "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
                         "BEGIN:VTODO\r\nUID:w-1\r\nSUMMARY:Report\r\nDUE;TZID=W. Europe Standard Time:20260510T233000\r\nEND:VTODO\r\n"),
                TodoReading::Outcome::Chore, {2026, 5, 11}, {2026, 5, 11}, QColor(255, 59, 48), false,
                {"DUE;TZID=W. Europe Standard Time:20260510T233000", "TZID:W. Europe Standard Time"}},
        Foreign{"NoDue", "Europe/Berlin",
                calendar("BEGIN:VTODO\r\nUID:n-1\r\nSUMMARY:Someday\r\nEND:VTODO\r\n"),
                TodoReading::Outcome::SkippedNoDue, {}, {}, {}, false, {}},
        Foreign{"Event", "Europe/Berlin",
                calendar("BEGIN:VEVENT\r\nUID:e-1\r\nSUMMARY:Party\r\nDTSTART:20260510T180000Z\r\nEND:VEVENT\r\n"),
                TodoReading::Outcome::SkippedNotTodo, {}, {}, {}, false, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// Input no reader should trust is refused with a reason, never a crash.
TEST(VTodoBadInput, IsRefusedWithAReason)
{
    const QTimeZone tz = zone("Europe/Berlin");
    const QByteArray huge = calendar("BEGIN:VTODO\r\nUID:h\r\nDUE;VALUE=DATE:20260510\r\nDESCRIPTION:"
                                     + QByteArray(VTodoCodec::maxResourceBytes, 'x') + "\r\nEND:VTODO\r\n");
    const QList<std::pair<const char *, QByteArray>> cases{
        {"empty", ""},
        {"not iCalendar", "hello"},
        {"html", "<!DOCTYPE html><html><body>Login</body></html>"},
        {"truncated", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:t\r\nDUE;VALUE=DATE:2026"},
        {"nul byte", calendar(QByteArray("BEGIN:VTODO\r\nUID:z\r\nSUMMARY:a") + '\0' + "b\r\nDUE;VALUE=DATE:20260510\r\nEND:VTODO\r\n")},
        {"missing uid", calendar("BEGIN:VTODO\r\nSUMMARY:x\r\nDUE;VALUE=DATE:20260510\r\nEND:VTODO\r\n")},
        {"year one", calendar("BEGIN:VTODO\r\nUID:a\r\nDUE;VALUE=DATE:00010101\r\nEND:VTODO\r\n")},
        {"year 9999", calendar("BEGIN:VTODO\r\nUID:a\r\nDUE:99991231T235959Z\r\nEND:VTODO\r\n")},
        {"month 13", calendar("BEGIN:VTODO\r\nUID:a\r\nDUE;VALUE=DATE:20261345\r\nEND:VTODO\r\n")},
        {"garbage due", calendar("BEGIN:VTODO\r\nUID:a\r\nDUE:soon\r\nEND:VTODO\r\n")},
        {"absurd start", calendar("BEGIN:VTODO\r\nUID:a\r\nDTSTART;VALUE=DATE:18000101\r\nDUE;VALUE=DATE:20260510\r\nEND:VTODO\r\n")},
        {"absurd completion", calendar("BEGIN:VTODO\r\nUID:a\r\nDUE;VALUE=DATE:20260510\r\nCOMPLETED:30000101T000000Z\r\nEND:VTODO\r\n")},
        {"over 1 MB", huge},
    };
    for (const auto &[name, ics] : cases) {
        const TodoReading read = VTodoCodec::read(ics, tz);
        EXPECT_EQ(read.outcome, TodoReading::Outcome::Rejected) << name;
        EXPECT_FALSE(read.reason.isEmpty()) << name;
    }

    // What the store holds may be odd too: such a chore is not written, and says why.
    const ChoreFields sound{QStringLiteral("a"), ColorComponentsModel::standardRed(), dayIn("Europe/Berlin", 2026, 5, 1),
                            dayIn("Europe/Berlin", 2026, 5, 2), {}, true, 32400};
    ChoreFields farAway = sound, invalid = sound, oddReminder = sound, bulky = sound;
    bulky.title = QString(VTodoCodec::maxResourceBytes, QLatin1Char('x'));
    EXPECT_FALSE(VTodoCodec::write(QStringLiteral("u"), bulky, tz).reason.isEmpty());
    farAway.dueDate = QDate(40000, 1, 1).startOfDay(tz);
    invalid.startDate = QDateTime();
    oddReminder.notificationTime = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(VTodoCodec::write(QStringLiteral("u"), farAway, tz).reason.isEmpty());
    EXPECT_FALSE(VTodoCodec::write(QStringLiteral("u"), invalid, tz).reason.isEmpty());
    EXPECT_FALSE(VTodoCodec::write(QString(), sound, tz).reason.isEmpty());
    // A reminder time that names no minute is kept, with no alarm for other apps.
    const TodoWriting odd = VTodoCodec::write(QStringLiteral("u"), oddReminder, tz);
    EXPECT_FALSE(odd.ics.contains("BEGIN:VALARM"));
    EXPECT_TRUE(std::isnan(VTodoCodec::read(odd.ics, tz).fields.notificationTime));
}

} // namespace
