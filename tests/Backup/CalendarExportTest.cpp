#include "BackupFixture.h"

#include "Velmora/Model/BackupService.h"
#include "Velmora/Model/CalendarExport.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Platform/Clock.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUrl>

#include <limits>

using namespace Velmora;
using VelmoraTest::at;

namespace {

TEST(CalendarText, Escaping)
{
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {QStringLiteral("plain"), QStringLiteral("plain")},
        {QStringLiteral("a,b;c\\d"), QStringLiteral("a\\,b\\;c\\\\d")},
        {QStringLiteral("one\ntwo\r\nthree\rfour"), QStringLiteral("one\\ntwo\\nthree\\nfour")},
        {QStringLiteral("tab\tkept"), QStringLiteral("tab\tkept")},
        {QString::fromUtf16(u"bell\u0007nul\u0000del\u007f", 13), QStringLiteral("bellnuldel")},
        {QStringLiteral("\u00e9\U0001F331"), QStringLiteral("\u00e9\U0001F331")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CalendarExport::escapeText(c.in), c.out) << qPrintable(c.in);
}

TEST(CalendarText, TriggerDurations)
{
    const struct {
        double seconds;
        const char *duration;
    } cases[] = {
        {32400, "PT9H"}, {0, "PT0S"}, {45296.9, "PT12H34M56S"}, {60, "PT1M"}, {86399, "PT23H59M59S"},
        {-1, nullptr}, {86400, nullptr}, {std::numeric_limits<double>::quiet_NaN(), nullptr},
        {std::numeric_limits<double>::infinity(), nullptr}, {1e300, nullptr},
    };
    for (const auto &c : cases) {
        const auto duration = CalendarExport::triggerDuration(c.seconds);
        if (c.duration) {
            EXPECT_EQ(duration, QString::fromLatin1(c.duration)) << c.seconds;
        } else {
            EXPECT_FALSE(duration.has_value()) << c.seconds;
        }
    }
}

QByteArray unfold(QByteArray folded)
{
    return folded.replace("\r\n ", "");
}

TEST(CalendarText, FoldingKeepsLinesShortAndCharactersWhole)
{
    const QByteArray lines[] = {
        QByteArray(75, 'a'),
        QByteArray(76, 'b'),
        QByteArray(500, 'c'),
        "SUMMARY:" + QString(60, QChar(0x00e9)).toUtf8(),
        "SUMMARY:" + QStringLiteral("x\U0001F331").repeated(40).toUtf8(),
        QByteArray(),
    };
    for (const QByteArray &line : lines) {
        const QByteArray folded = CalendarExport::foldLine(line);
        ASSERT_TRUE(folded.endsWith("\r\n"));
        EXPECT_EQ(unfold(folded).chopped(2), line);
        const QList<QByteArray> parts = folded.chopped(2).split('\n');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QByteArray part = i + 1 < parts.size() ? parts.at(i).chopped(1) : parts.at(i);
            EXPECT_LE(part.size(), 75);
            // Each physical line is valid UTF-8 on its own.
            EXPECT_EQ(QString::fromUtf8(part).toUtf8(), part);
            if (i > 0) {
                EXPECT_TRUE(part.startsWith(' '));
            }
        }
        EXPECT_EQ(folded.count('\n'), folded.count("\r\n"));
    }
    EXPECT_EQ(CalendarExport::foldLine(QByteArray(75, 'a')).count("\r\n"), 1);
    EXPECT_EQ(CalendarExport::foldLine(QByteArray(76, 'a')).count("\r\n"), 2);
}

// The Debian interpreter first: it is the one scripts/deps.sh gives the icalendar package.
QString python()
{
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
}

const char *kParse = R"PY(
import json, sys
try:
    import icalendar
except ImportError:
    print("NO-ICALENDAR"); sys.exit(3)
cal = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())
out = {"version": str(cal.get("VERSION")), "prodid": str(cal.get("PRODID")), "errors": [], "events": []}
for component in cal.walk():
    out["errors"] += [str(e) for e in getattr(component, "errors", [])]
for ev in cal.walk("VEVENT"):
    alarms = []
    for al in ev.walk("VALARM"):
        alarms.append({"action": str(al["ACTION"]), "description": str(al["DESCRIPTION"]),
                       "trigger": al.decoded("TRIGGER").total_seconds()})
    out["events"].append({"uid": str(ev["UID"]), "summary": str(ev["SUMMARY"]),
                          "start": ev.decoded("DTSTART").isoformat(), "end": ev.decoded("DTEND").isoformat(),
                          "startType": type(ev.decoded("DTSTART")).__name__,
                          "stamp": ev.decoded("DTSTAMP").isoformat(), "alarms": alarms})
print(json.dumps(out))
)PY";

class CalendarExportTest : public BackupFixture {};

TEST_F(CalendarExportTest, ARealParserReadsEventsAndAlarmsOnTheRightDays)
{
    // 04:30 UTC on 8 March is still 7 March in New York: the day must be the user's.
    FakeClock clock(at("UTC", 2026, 3, 1, 12, 0), VelmoraTest::zone("America/New_York"));
    ScopedClock scoped(clock);
    auto store = openStore();
    const QString longTitle = QStringLiteral("Sweep, mop; then \\ \"dry\"\nsecond line ") + QString(50, QChar(0x00e9));

    ChoreFields late;
    late.title = longTitle;
    late.startDate = at("UTC", 2026, 3, 1);
    late.dueDate = at("UTC", 2026, 3, 8, 4, 30);
    late.notify = true;
    late.notificationTime = 32400;
    Chore *lateChore = store->insert(late);

    ChoreFields quiet = late;
    quiet.title = QStringLiteral("quiet");
    quiet.dueDate = at("America/New_York", 2026, 12, 31);
    quiet.notify = false;
    Chore *quietChore = store->insert(quiet);

    ChoreFields odd = quiet;
    odd.title = QStringLiteral("odd time");
    odd.notify = true;
    odd.notificationTime = std::numeric_limits<double>::quiet_NaN();
    store->insert(odd);

    ChoreFields finished = late;
    finished.title = QStringLiteral("finished");
    finished.endDate = at("UTC", 2026, 3, 2);
    store->insert(finished);

    ChoreFields undated = late;
    undated.title = QStringLiteral("undated");
    undated.dueDate = QDateTime();
    store->insert(undated);

    ChoreChanges changes(*store);
    BackupService service;
    service.setChanges(&changes);
    const QString path = dir.filePath(QStringLiteral("chores.ics"));
    const QVariantMap result = service.exportCalendar(QUrl::fromLocalFile(path));
    ASSERT_TRUE(result.value("ok").toBool()) << qPrintable(result.value("message").toString());

    const QByteArray bytes = VelmoraTest::readAll(path);
    ASSERT_TRUE(bytes.endsWith("END:VCALENDAR\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    for (const QByteArray &line : bytes.split('\n'))
        EXPECT_LE(line.size(), 76) << line.constData();

    QProcess process;
    process.start(python(), {QStringLiteral("-c"), QString::fromLatin1(kParse), path});
    ASSERT_TRUE(process.waitForStarted(10000))
        << "python3 is missing; scripts/deps.sh installs it together with python3-icalendar";
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray output = process.readAllStandardOutput();
    ASSERT_FALSE(output.contains("NO-ICALENDAR")) << "the python3-icalendar package is missing; run scripts/deps.sh";
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();

    const QJsonObject parsed = QJsonDocument::fromJson(output).object();
    EXPECT_EQ(parsed.value("version").toString(), QStringLiteral("2.0"));
    EXPECT_FALSE(parsed.value("prodid").toString().isEmpty());
    EXPECT_TRUE(parsed.value("errors").toArray().isEmpty()) << output.constData();
    const QJsonArray events = parsed.value("events").toArray();
    ASSERT_EQ(events.size(), 3) << output.constData();

    const QJsonObject first = events.at(0).toObject();
    EXPECT_EQ(first.value("uid").toString(), QStringLiteral("chore-%1@taskarello").arg(lateChore->persistentId()));
    EXPECT_EQ(first.value("summary").toString(), longTitle);
    EXPECT_EQ(first.value("startType").toString(), QStringLiteral("date"));
    EXPECT_EQ(first.value("start").toString(), QStringLiteral("2026-03-07"));
    EXPECT_EQ(first.value("end").toString(), QStringLiteral("2026-03-08"));
    EXPECT_EQ(first.value("stamp").toString(), QStringLiteral("2026-03-01T12:00:00+00:00"));
    const QJsonArray alarms = first.value("alarms").toArray();
    ASSERT_EQ(alarms.size(), 1);
    EXPECT_EQ(alarms.at(0).toObject().value("action").toString(), QStringLiteral("DISPLAY"));
    EXPECT_FALSE(alarms.at(0).toObject().value("description").toString().isEmpty());
    EXPECT_EQ(alarms.at(0).toObject().value("trigger").toDouble(), 32400);

    // Year's end rolls DTEND into the next year; no alarm when notify is off or the time is not a time.
    const QJsonObject second = events.at(1).toObject();
    EXPECT_EQ(second.value("uid").toString(), QStringLiteral("chore-%1@taskarello").arg(quietChore->persistentId()));
    EXPECT_EQ(second.value("start").toString(), QStringLiteral("2026-12-31"));
    EXPECT_EQ(second.value("end").toString(), QStringLiteral("2027-01-01"));
    EXPECT_TRUE(second.value("alarms").toArray().isEmpty());
    EXPECT_EQ(events.at(2).toObject().value("summary").toString(), QStringLiteral("odd time"));
    EXPECT_TRUE(events.at(2).toObject().value("alarms").toArray().isEmpty());
}

TEST_F(CalendarExportTest, DaysAtTheEdgeOfTheCalendarAreLeftOut)
{
    CalendarExport::Event edge{1, ChoreFields::defaults()};
    edge.fields.dueDate = QDateTime(QDate(9999, 12, 31), QTime(12, 0), QTimeZone::utc());
    CalendarExport::Event ok{2, ChoreFields::defaults()};
    ok.fields.dueDate = QDateTime(QDate(9998, 12, 31), QTime(12, 0), QTimeZone::utc());
    int count = -1;
    const QByteArray bytes = CalendarExport::encode({edge, ok}, QTimeZone::utc(), at("UTC", 2026, 1, 1), &count);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(bytes.contains("DTEND;VALUE=DATE:99990101"));
    EXPECT_FALSE(bytes.contains("UID:chore-1@"));
}

} // namespace
