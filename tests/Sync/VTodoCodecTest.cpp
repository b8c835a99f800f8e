#include "Velmora/Sync/VTodoCodec.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Velmora;
using namespace Velmora::Sync;
using VelmoraTest::zone;

namespace {

QByteArray calendar(const QByteArray &body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//App//EN\r\n" + body + "END:VCALENDAR\r\n";
}

// Input no reader should trust is refused with a reason, never a crash; so is a chore whose
// stored values no other app could read.
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

    const ChoreFields sound{QStringLiteral("a"), ColorComponentsModel::standardRed(), QDate(2026, 5, 1).startOfDay(tz),
                            QDate(2026, 5, 2).startOfDay(tz), {}, true, 32400};
    ChoreFields farAway = sound, invalid = sound, bulky = sound;
    bulky.title = QString(VTodoCodec::maxResourceBytes, QLatin1Char('x'));
    farAway.dueDate = QDate(40000, 1, 1).startOfDay(tz);
    invalid.startDate = QDateTime();
    for (const auto &[name, uid, fields] : {std::tuple{"bulky", QStringLiteral("u"), bulky},
                                            std::tuple{"far away", QStringLiteral("u"), farAway},
                                            std::tuple{"no start", QStringLiteral("u"), invalid},
                                            std::tuple{"no uid", QString(), sound}})
        EXPECT_FALSE(VTodoCodec::write(uid, fields, tz).reason.isEmpty()) << name;

    // A reminder time that names no minute is kept, with no alarm for other apps.
    ChoreFields oddReminder = sound;
    oddReminder.notificationTime = std::numeric_limits<double>::quiet_NaN();
    const TodoWriting odd = VTodoCodec::write(QStringLiteral("u"), oddReminder, tz);
    EXPECT_FALSE(odd.ics.contains("BEGIN:VALARM"));
    EXPECT_TRUE(std::isnan(VTodoCodec::read(odd.ics, tz).fields.notificationTime));
}

} // namespace
