#include "tests/Model/StoreFixture.h"

#include "Velmora/Model/BackupService.h"
#include "Velmora/Model/CalendarExport.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Platform/Clock.h"
#include "tests/support/TestSupport.h"

#include <QUrl>

#include <libical/ical.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>

using namespace Velmora;
using VelmoraTest::at;

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};

QDate dateOf(const icaltimetype &t)
{
    return QDate(t.year, t.month, t.day);
}

class CalendarExportTest : public StoreFixture {};

// The file another calendar app reads: the store's chores in the user's zone, read back by libical.
TEST_F(CalendarExportTest, LibicalReadsBackEachActiveChoreOnItsDay)
{
    const QTimeZone newYork = VelmoraTest::zone("America/New_York");
    FakeClock clock(at("UTC", 2026, 3, 1, 12, 0), newYork);
    ScopedClock scoped(clock);
    const QString longText = QString(60, QChar(0x00e9)) + QStringLiteral("x\U0001F331\u20ac").repeated(40);
    const struct Row {
        QString title;
        QDateTime due;
        std::optional<double> reminder; // none: notify off
        QDate day;                       // invalid: left out
        int trigger = -1;                // -1: no alarm
        QString readBack = {};           // when it differs from the title
        bool finished = false;
    } rows[] = {
        // 04:30 UTC on 8 March is still 7 March in New York.
        {QStringLiteral("Sweep, mop; then \\ \"dry\" : here"), at("UTC", 2026, 3, 8, 4, 30), 32400, {2026, 3, 7}, 32400},
        // The day after the year's last is in the next year.
        {QStringLiteral("one\ntwo\r\nthree\rfour"), at("America/New_York", 2026, 12, 31), {}, {2026, 12, 31}, -1,
         QStringLiteral("one\ntwo\nthree\nfour")},
        {longText, at("America/New_York", 2026, 4, 1, 23, 59), std::numeric_limits<double>::quiet_NaN(), {2026, 4, 1}},
        {QString::fromUtf16(u"bell\u0007nul\u0000del\u007f\ttab", 17), at("America/New_York", 2026, 5, 1), 0,
         {2026, 5, 1}, 0, QStringLiteral("bellnuldel\ttab")},
        {QString(), at("America/New_York", 2026, 6, 1), -1, {2026, 6, 1}},
        {QStringLiteral("a day late"), at("America/New_York", 2026, 6, 2), 1e300, {2026, 6, 2}},
        // libical writes no date after the year 3000.
        {QStringLiteral("last day written"), QDateTime(QDate(2999, 12, 31), QTime(12, 0), newYork), 86400, {2999, 12, 31}},
        {QStringLiteral("too far"), QDateTime(QDate(9998, 12, 31), QTime(12, 0), newYork), 32400, {}},
        {QStringLiteral("undated"), QDateTime(), 32400, {}},
        {QStringLiteral("finished"), at("UTC", 2026, 3, 9), 32400, {}, -1, {}, true},
    };
    struct Expected {
        qint64 id;
        const Row *row;
    };
    // Due dates another program may have written: absurdly far, and not a number at all.
    openStore();
    rawExec({QStringLiteral("INSERT INTO Chore (title, startDate, dueDate) VALUES"
                            " ('odd huge', 0, 9000000000000000000), ('odd text', 0, 'soon')")});
    auto store = openStore();
    std::vector<Expected> expected;
    for (const Row &row : rows) {
        ChoreFields f = fields(row.title, at("UTC", 2026, 3, 1), row.due);
        f.notify = row.reminder.has_value();
        f.notificationTime = row.reminder.value_or(32400);
        if (row.finished)
            f.endDate = at("UTC", 2026, 3, 2);
        Chore *chore = store->insert(f);
        ASSERT_NE(chore, nullptr) << qPrintable(store->lastError());
        if (row.day.isValid())
            expected.push_back({chore->persistentId(), &row});
    }
    // Soonest first.
    std::sort(expected.begin(), expected.end(), [](const Expected &a, const Expected &b) { return a.row->day < b.row->day; });

    ChoreChanges changes(*store);
    BackupService service;
    service.setChanges(&changes);
    const QString path = dir.filePath(QStringLiteral("chores.ics"));
    const QVariantMap result = service.exportCalendar(QUrl::fromLocalFile(path));
    ASSERT_TRUE(result.value("ok").toBool()) << qPrintable(result.value("message").toString());
    EXPECT_EQ(result.value("message").toString(),
              BackupService::tr("Exported %n chore(s) to the calendar file.", nullptr, int(expected.size())));

    // Lines of at most 75 octets ending in CRLF, each valid UTF-8, with no control characters but tabs.
    const QByteArray bytes = VelmoraTest::readAll(path);
    ASSERT_TRUE(bytes.endsWith("END:VCALENDAR\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    for (const QByteArray &line : bytes.chopped(2).split('\n')) {
        const QByteArray content = line.endsWith('\r') ? line.chopped(1) : line;
        EXPECT_LE(content.size(), 75) << content.constData();
        EXPECT_EQ(QString::fromUtf8(content).toUtf8(), content) << content.constData();
        EXPECT_FALSE(std::any_of(content.begin(), content.end(), [](char c) { return (uchar(c) < 0x20 && c != '\t') || c == 0x7f; }))
            << content.constData();
    }

    const std::unique_ptr<icalcomponent, ComponentDeleter> calendar(icalparser_parse_string(bytes.constData()));
    ASSERT_TRUE(calendar);
    ASSERT_EQ(icalcomponent_isa(calendar.get()), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0) << bytes.constData();

    size_t i = 0;
    for (icalcomponent *event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT), ++i) {
        ASSERT_LT(i, expected.size()) << icalcomponent_get_summary(event);
        const Row &row = *expected[i].row;
        EXPECT_EQ(QString::fromUtf8(icalcomponent_get_uid(event)), QStringLiteral("chore-%1@taskarello").arg(expected[i].id));
        EXPECT_EQ(QString::fromUtf8(icalcomponent_get_summary(event)), row.readBack.isNull() ? row.title : row.readBack);
        const icaltimetype start = icalcomponent_get_dtstart(event);
        EXPECT_TRUE(start.is_date);
        EXPECT_EQ(dateOf(start), row.day);
        EXPECT_EQ(dateOf(icalcomponent_get_dtend(event)), row.day.addDays(1));
        EXPECT_EQ(icalproperty_get_transp(icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY)),
                  ICAL_TRANSP_TRANSPARENT);
        icalcomponent *alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
        ASSERT_EQ(alarm != nullptr, row.trigger >= 0) << qPrintable(row.title);
        if (!alarm)
            continue;
        EXPECT_EQ(icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT), nullptr);
        EXPECT_EQ(icalproperty_get_action(icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY)), ICAL_ACTION_DISPLAY);
        EXPECT_EQ(QString::fromUtf8(icalcomponent_get_description(alarm)), CalendarExport::tr("This chore is due today!"));
        const icaltriggertype trigger = icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
        EXPECT_TRUE(icaltime_is_null_time(trigger.time));
        EXPECT_EQ(icaldurationtype_as_int(trigger.duration), row.trigger);
    }
    EXPECT_EQ(i, expected.size());
}

} // namespace
