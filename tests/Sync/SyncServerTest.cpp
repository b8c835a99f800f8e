#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreField.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Sync/CalDavClient.h"
#include "Velmora/Sync/ChoreMerge.h"
#include "Velmora/Sync/SyncAccount.h"
#include "Velmora/Sync/SyncEngine.h"
#include "Velmora/Sync/SyncLedger.h"
#include "Velmora/Sync/SyncSchedule.h"
#include "Velmora/Sync/VTodoCodec.h"
#include "tests/Sync/DavServer.h"
#include "tests/Sync/HostileServer.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSslConfiguration>
#include <QThread>
#include <QtTest/QTest>

#include <limits>
#include <malloc.h>
#include <map>
#include <algorithm>

using namespace Velmora;
using namespace Velmora::Sync;
using namespace Qt::StringLiterals;
using VelmoraTest::assign;
using VelmoraTest::await;
using VelmoraTest::fields;
using VelmoraTest::DavServer;
using VelmoraTest::HostileServer;
using VelmoraTest::waitFor;

namespace {

const QTimeZone berlin("Europe/Berlin");
using VelmoraTest::sanitized;

QDateTime day(int y, int m, int d)
{
    return QDate(y, m, d).startOfDay(berlin);
}

// One of the user's devices: its own store, synced with the calendar.
struct Device {
    explicit Device(const QUrl &calendar = {}, const QTimeZone &zone = berlin)
    {
        EXPECT_EQ(store.open(dir.filePath(u"chores.sqlite"_s)), ChoreStore::OpenResult::Opened);
        engine.setTimeZone(zone);
        if (!calendar.isEmpty())
            connect(calendar);
    }
    void connect(const QUrl &calendar, const QString &password = QString::fromLatin1(DavServer::password))
    {
        engine.setTarget(SyncTarget{calendar, QString::fromLatin1(DavServer::user), password});
    }
    // One run to its end; meanwhile() is done while it runs.
    SyncReport sync(const std::function<void()> &meanwhile = {})
    {
        std::optional<SyncReport> report;
        auto connection = QObject::connect(&engine, &SyncEngine::finished, [&](const SyncReport &r) { report = r; });
        engine.start();
        if (meanwhile)
            meanwhile();
        EXPECT_TRUE(waitFor([&] { return report.has_value(); }, 60000)) << "the sync never ended";
        QObject::disconnect(connection);
        return report.value_or(SyncReport{});
    }
    // Chores by title, as stored.
    std::map<QString, ChoreFields> byTitle() const
    {
        std::map<QString, ChoreFields> all;
        store.forEachStored([&](qint64, const ChoreFields &f) {
            EXPECT_EQ(all.count(f.title), 0u) << "twice: " << f.title;
            all[f.title] = f;
            return true;
        });
        return all;
    }
    Chore *find(const QString &title) const
    {
        const auto &all = store.chores();
        const auto it = std::find_if(all.begin(), all.end(), [&](Chore *c) { return c->title() == title; });
        return it == all.end() ? nullptr : *it;
    }

    QTemporaryDir dir;
    ChoreStore store;
    ChoreChanges changes{store};
    SyncEngine engine{changes};
};

CalendarInfo calendarAt(const QUrl &url, bool syncCollection = false)
{
    CalendarInfo info;
    info.url = url;
    info.supportsSyncCollection = syncCollection;
    return info;
}

Recurrence rule(const char *text, bool afterFinishing = false, QList<QDate> exceptions = {}, QMap<QDate, QDate> moved = {})
{
    return Recurrence{QString::fromLatin1(text), afterFinishing, std::move(exceptions), std::move(moved)};
}

// Every chore the device stores, as the calendar holds it, in a fixed order: of an end, only
// whether there is one; of a series, how many finished copies are linked to it.
QString held(const Device &d)
{
    QStringList all;
    d.store.forEachStored([&](qint64 id, const ChoreFields &f) {
        const auto dayOf = [](const QDateTime &t) { return t.toTimeZone(berlin).date().toString(Qt::ISODate); };
        const ColorComponentsModel &c = f.colorComponents;
        all << QStringList{f.title, dayOf(f.startDate), dayOf(f.dueDate), f.endDate ? u"finished"_s : QString(),
                           QString::number(c.red), QString::number(c.green), QString::number(c.blue),
                           QString::number(f.notify), QString::number(f.notificationTime), d.store.recurrence(id).rule,
                           QString::number(d.store.lastOccurrences(id, 12).size())}
                   .join(u'|');
        return true;
    });
    all.sort();
    return all.join(u'\n');
}

bool sameAsWritten(const ChoreFields &a, const ChoreFields &b)
{
    return std::all_of(ChoreField::rows.begin(), ChoreField::rows.end(),
                       [&](const ChoreField::Row &row) { return VTodoCodec::sameField(row.field, a, b, berlin); });
}

// A real server with a calendar of chores, and a client to look behind the app's back.
class SyncAgainstServer : public ::testing::TestWithParam<DavServer::Kind> {
protected:
    SyncAgainstServer() : server(GetParam()) {}
    void SetUp() override
    {
        ASSERT_TRUE(server.start()) << server.error();
        client.setCredentials(server.url(), QString::fromLatin1(DavServer::user),
                              QString::fromLatin1(DavServer::password));
        calendar = newCalendar(u"Chores"_s);
    }
    QUrl newCalendar(const QString &name)
    {
        if (home.isEmpty()) {
            const Discovery found = await<Discovery>([&](auto done) { client.discover(server.url(), done); });
            EXPECT_TRUE(found.error.ok()) << found.error.message;
            home = found.home;
        }
        const auto created = await<CreatedCalendar>([&](auto done) { client.createCalendar(home, name, done); });
        EXPECT_TRUE(created.error.ok()) << created.error.message;
        return created.calendar.url;
    }
    ChangeList listChanges(const CalendarInfo &info, const SyncState &since = {})
    {
        return await<ChangeList>([&](auto done) { client.listChanges(info, since, done); });
    }
    WriteResult put(const QUrl &href, const QByteArray &ics)
    {
        return await<WriteResult>([&](auto done) { client.put(href, ics, {}, done); });
    }
    QList<Resource> serverResources()
    {
        QList<QUrl> hrefs;
        for (const ResourceState &r : listChanges(calendarAt(calendar)).changed)
            hrefs << r.href;
        return await<FetchedResources>([&](auto done) { client.fetch(calendar, hrefs, done); }).resources;
    }
    // The one resource that holds this text, unfolded and with plain line ends (XML made most of them
    // so), so that whole content lines can be looked for.
    QByteArray serverCopy(const QByteArray &holding)
    {
        const QList<Resource> held = serverResources();
        const auto it = std::find_if(held.begin(), held.end(), [&](const auto &r) { return r.data.contains(holding); });
        return it == held.end() ? QByteArray() : QByteArray(it->data).replace("\r\n", "\n").replace("\n ", "");
    }

    DavServer server;
    CalDavClient client;
    QUrl home;
    QUrl calendar;
};

// Both devices change the same chore while apart. Afterwards both hold the chores as one device
// would with every edit made in turn, deletes left out: an edit wins over a delete, the later
// change of one field wins (how it repeats is one more field), and only a chore deleted on both
// sides is gone. A finished occurrence of a chore that repeats is its series moved on plus a
// finished copy in the journal linked to its series, on both devices.
TEST_P(SyncAgainstServer, ChangesOnBothSidesMergeAndNoEditIsLost)
{
    using Edit = std::function<void(Device &, Chore *)>; // none: the chore is deleted
    const auto rename = [](const char *title) -> Edit {
        return [title](Device &d, Chore *c) { assign(d.changes, c, &ChoreFields::title, QString::fromUtf8(title)); };
    };
    const auto repeat = [](const char *text) -> Edit {
        return [text](Device &d, Chore *c) { d.changes.update(c, c->fields(), rule(text)); };
    };
    const auto apply = [](const Edit &edit, Device &d, Chore *c) { edit ? edit(d, c) : void(d.changes.remove(c)); };
    const ChoreFields shared = fields(u"shared"_s, day(2026, 6, 1), day(2026, 6, 10));
    const struct {
        const char *name;
        Edit first;  // on device A, synced first
        Edit second; // on device B, later, synced second
        const char *rule = nullptr; // how the chore repeats before
    } cases[] = {
        {"different fields", rename("renamed"), [](Device &d, Chore *c) { assign(d.changes, c, &ChoreFields::dueDate, day(2026, 6, 13)); }},
        {"same field", rename("earlier"), rename("later")},
        {"finished, then edited", [](Device &d, Chore *c) { d.changes.finish(c); }, rename("edited")},
        {"deleted, then edited there", nullptr, [](Device &d, Chore *c) { assign(d.changes, c, &ChoreFields::notify, true); }},
        {"edited, then deleted there", [](Device &d, Chore *c) {
             assign(d.changes, c, &ChoreFields::colorComponents, ColorComponentsModel{0.1f, 0.2f, 0.3f}); }, nullptr},
        {"deleted on both sides", nullptr, nullptr},
        {"repeating, finished, then its rule changed there", [](Device &d, Chore *c) { d.changes.finish(c); },
         repeat("FREQ=DAILY"), "FREQ=WEEKLY"},
        {"repeating, its rule changed on both sides", repeat("FREQ=DAILY"), repeat("FREQ=MONTHLY"), "FREQ=WEEKLY"},
        {"repeating, finished, then pulled there", [](Device &d, Chore *c) { d.changes.finish(c); }, [](Device &, Chore *) {},
         "FREQ=WEEKLY"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QUrl target = newCalendar(QString::fromLatin1(c.name));
        Device a(target), b(target), alone;
        ASSERT_NE(a.changes.add(shared, rule(c.rule)), nullptr);
        Chore *model = alone.changes.add(shared, rule(c.rule));
        for (const Edit &edit : {c.first, c.second}) {
            if (edit)
                edit(alone, model);
        }
        ASSERT_TRUE(a.sync().ok() && b.sync().ok());
        Chore *onA = a.find(u"shared"_s), *onB = b.find(u"shared"_s);
        ASSERT_TRUE(onA && onB);
        apply(c.first, a, onA);
        QThread::msleep(5); // the second edit is the later one
        apply(c.second, b, onB);
        const SyncReport first = a.sync(), second = b.sync(), last = a.sync();
        ASSERT_TRUE(first.ok() && second.ok() && last.ok()) << second.error.message;
        if (!c.first && !c.second)
            alone.changes.remove(model);
        const QString want = held(alone);
        EXPECT_EQ(held(a), want);
        EXPECT_EQ(held(b), want);
        EXPECT_EQ(a.engine.pendingChanges() + b.engine.pendingChanges(), 0);
    }
}

// Tasks other apps wrote: shown where they have a due day, read in this device's zone, the rest
// left alone and counted; what this app does not know survives its edits, and only what it
// changed is written anew. A weekly task finished here goes on there a week later, beside a
// finished copy; a rule, its EXDATE and an override moving one occurrence go back as they came.
TEST_P(SyncAgainstServer, TasksOfOtherAppsAreShownCountedAndKeptWhole)
{
    const QList<QByteArray> unknown = {
        "FOO-BAR;X-A=1:b\\,c", "ESTIMATED-DURATION:PT1H", "X-OTHER-APP-NOTE:semi\\;colon\\, comma",
        "CATEGORIES:home,garden", "RELATED-TO;RELTYPE=PARENT:parent-uid-1", "PRIORITY:1",
        "DESCRIPTION;LANGUAGE=de:Einmal im Monat", "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:-PT15M",
        "DESCRIPTION:Soon", "END:VALARM"};
    // Outlook names zones its own way and ships their rules along.
    const QByteArray windowsZone = "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\nBEGIN:STANDARD\r\n"
                                   "DTSTART:16011028T030000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\n"
                                   "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\n"
                                   "DTSTART:16010325T020000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\n"
                                   "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    const QColor red(255, 59, 48);
    const QDate soon = QDate::currentDate().addDays(3);
    const auto date = [](const char *name, const QDate &day) { return name + day.toString(u"yyyyMMdd"_s).toLatin1(); };
    const auto lastOfMonth = [](const QDate &day) { return QDate(day.year(), day.month(), day.daysInMonth()); };
    const QDate monthEnd = lastOfMonth(QDate::currentDate().addDays(3)), nextEnd = lastOfMonth(monthEnd.addDays(1));
    const QByteArray rent = "RRULE:FREQ=MONTHLY;BYMONTHDAY=28,29,30,31;BYSETPOS=-1";
    const struct {
        QByteArray uid;
        const char *title;
        QList<QByteArray> lines; // besides UID and SUMMARY
        QDate due, start;        // invalid: not shown
        QColor color;
        bool finished;
        QList<QByteArray> after; // on the server after a rename here, if not all the lines as they were
    } tasks[] = {
        {"utc", "Timed", QList<QByteArray>{"DUE:20260615T223000Z"} + unknown, {2026, 6, 16}, {2026, 6, 16}, red, false,
         {}},
        {"ny", "Call", {"DUE;TZID=America/New_York:20260510T220000"}, {2026, 5, 11}, {2026, 5, 11}, red, false, {}},
        {"windows", "Report", {"DUE;TZID=W. Europe Standard Time:20260510T233000"}, {2026, 5, 11}, {2026, 5, 11}, red,
         false, {"TZID:W. Europe Standard Time"}}, // Xandikos quotes the TZID in DUE
        {"done", "Done", {"DUE;VALUE=DATE:20260110", "STATUS:COMPLETED", "COLOR:teal"}, {2026, 1, 10}, {2026, 1, 10},
         QColor("teal"), true, {}},
        // Its due day moves here too: DUE becomes a plain date, and DTSTART follows in type.
        // Its due day moves here too: at the same time of day (23:00 in Tokyo), its start as it was.
        {"pay", "Pay", {"DTSTART:20260501T020000Z", "DUE:20260510T140000Z", "COLOR:gold"}, {2026, 5, 10}, {2026, 5, 1},
         QColor("gold"), false, {"DTSTART:20260501T020000Z", "DUE:20260513T140000Z", "COLOR:gold"}},
        {"undated", "Someday", {}, {}, {}, {}, false, {}},
        {"absurd", "Far", {"DUE;VALUE=DATE:99991231"}, {}, {}, {}, false, {}},
        {"event", "Party", {"DTSTART:20260601T100000Z"}, {}, {}, {}, false, {}},
        {"weekly", "Weekly", {"RRULE:FREQ=WEEKLY", date("DTSTART;VALUE=DATE:", soon), date("DUE;VALUE=DATE:", soon)},
         soon, soon, red, false,
         {"RRULE:FREQ=WEEKLY", date("DTSTART;VALUE=DATE:", soon.addDays(7)), date("DUE;VALUE=DATE:", soon.addDays(7))}},
        // A phone's "the 31st or the month's last day", and a phone's task due at 16:00 UTC.
        {"rent", "Rent", {rent, date("DTSTART;VALUE=DATE:", monthEnd), date("DUE;VALUE=DATE:", monthEnd)}, monthEnd,
         monthEnd, red, false, {rent, date("DTSTART;VALUE=DATE:", nextEnd), date("DUE;VALUE=DATE:", nextEnd)}},
        // Its alarm at 15:00 UTC, midnight in Tokyo on the due day, is the chore's reminder and moves with it.
        {"water", "Water", {"RRULE:FREQ=WEEKLY", date("DTSTART:", soon) + "T160000Z", date("DUE:", soon) + "T160000Z",
         "BEGIN:VALARM", "ACTION:DISPLAY", date("TRIGGER;VALUE=DATE-TIME:", soon) + "T150000Z", "DESCRIPTION:Water", "END:VALARM"},
         soon.addDays(1), soon.addDays(1), red, false,
         {"RRULE:FREQ=WEEKLY", date("DTSTART:", soon.addDays(7)) + "T160000Z", date("DUE:", soon.addDays(7)) + "T160000Z",
          date("TRIGGER;VALUE=DATE-TIME:", soon.addDays(7)) + "T150000Z"}},
        // The last weekday of each month; July's is due on 3 August, August's is left out.
        {"monthly", "Monthly", {"RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "DTSTART;VALUE=DATE:20260731",
         "DUE;VALUE=DATE:20260731", "EXDATE;VALUE=DATE:20260831", "END:VTODO", "BEGIN:VTODO", "UID:monthly",
         "DTSTAMP:20260101T000000Z", "RECURRENCE-ID;VALUE=DATE:20260731", "DUE;VALUE=DATE:20260803", "SUMMARY:Moved"},
         {2026, 8, 3}, {2026, 8, 3}, red, false, {}},
    };
    for (const auto &t : tasks) {
        const QByteArray kind = t.uid == "event" ? "VEVENT" : "VTODO";
        const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
            + (t.uid == "windows" ? windowsZone : QByteArray()) + "BEGIN:" + kind + "\r\nUID:" + t.uid
            + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:" + t.title + "\r\n" + t.lines.join("\r\n")
            + (t.lines.isEmpty() ? "" : "\r\n") + "END:" + kind + "\r\nEND:VCALENDAR\r\n";
        const WriteResult written = put(calendar.resolved(QUrl(QString::fromLatin1(t.uid + ".ics"))), ics);
        EXPECT_TRUE(written.error.ok()) << t.uid.toStdString() << ": " << written.error.message;
    }

    const QTimeZone tokyo("Asia/Tokyo");
    Device d(calendar, tokyo);
    const SyncReport report = d.sync();
    ASSERT_TRUE(report.ok()) << report.error.message;
    EXPECT_EQ(report.withoutDue, 1);
    EXPECT_EQ(report.unreadable, 1);
    EXPECT_EQ(report.otherItems, 1);
    ASSERT_EQ(d.byTitle().size(), 9u);
    for (const auto &t : tasks) {
        if (!t.due.isValid())
            continue;
        SCOPED_TRACE(t.title);
        Chore *c = d.find(QString::fromUtf8(t.title));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->dueDate(), t.due.startOfDay(tokyo));
        EXPECT_EQ(c->startDate(), t.start.startOfDay(tokyo));
        EXPECT_EQ(c->colorComponents(), ColorComponentsModel::fromColor(t.color));
        EXPECT_EQ(c->isFinished(), t.finished);
        ASSERT_TRUE(assign(d.changes, c, &ChoreFields::title, QString::fromUtf8(t.title) + u" renamed"_s));
    }
    EXPECT_TRUE(d.find(u"Water renamed"_s)->notify());
    EXPECT_EQ(d.find(u"Water renamed"_s)->notificationTime(), 0);
    assign(d.changes, d.find(u"Pay renamed"_s), &ChoreFields::dueDate, QDate(2026, 5, 13).startOfDay(tokyo));
    {
        FakeClock inTokyo(QDateTime::currentDateTime(), tokyo);
        ScopedClock installed(inTokyo);
        for (const QString &title : {u"Weekly renamed"_s, u"Rent renamed"_s, u"Water renamed"_s})
            ASSERT_TRUE(d.changes.finish(d.find(title)));
    }
    ASSERT_TRUE(d.sync().ok());
    for (const auto &t : tasks) {
        const QByteArray held = serverCopy("UID:" + t.uid);
        ASSERT_FALSE(held.isEmpty()) << t.uid.toStdString();
        for (const QByteArray &line : t.after.isEmpty() ? t.lines : t.after)
            EXPECT_TRUE(held.contains("\n" + line + "\n")) << line.toStdString() << "\n" << held.toStdString();
        EXPECT_FALSE(held.contains("X-LIC-ERROR")) << held.toStdString();
        const bool renamed = held.contains(QByteArray("\nSUMMARY:") + t.title + " renamed\n");
        EXPECT_EQ(renamed, t.due.isValid()) << held.toStdString();
    }
    const QList<Resource> all = serverResources();
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const Resource &r) {
        return r.data.contains("SUMMARY:Weekly renamed") && r.data.contains("STATUS:COMPLETED") && !r.data.contains("RRULE");
    }), 1);
    EXPECT_EQ(serverCopy("UID:water").count("BEGIN:VALARM"), 1) << "no second alarm at the phone's minute";
    QByteArray weekly = serverCopy("UID:weekly");
    EXPECT_FALSE(weekly.contains("COMPLETED")) << weekly.toStdString();

    // Moved on in place there, as some apps finish a repeating task: here it is simply due later.
    const auto week = [&](int n) { return date("DUE;VALUE=DATE:", soon.addDays(7 * n)); };
    weekly.replace(week(1), week(2)).replace("\n", "\r\n");
    const QUrl href = calendar.resolved(QUrl(u"weekly.ics"_s));
    QString etag;
    for (const ResourceState &r : listChanges(calendarAt(calendar)).changed)
        etag = CalDavClient::sameResource(r.href, href) ? r.etag : etag;
    ASSERT_TRUE(await<WriteResult>([&](auto done) { client.put(href, weekly, etag, done); }).error.ok());
    const size_t stored = d.store.chores().size();
    ASSERT_TRUE(d.sync().ok());
    EXPECT_EQ(d.store.chores().size(), stored);
    EXPECT_EQ(std::count_if(d.store.chores().begin(), d.store.chores().end(), [&](const Chore *c) {
        return !c->isFinished() && c->dueDate() == soon.addDays(14).startOfDay(tokyo);
    }), 1);
}

// Offline edits on both devices, drawn at random but repeatable, on chores with odd values in
// every field: after syncing, both hold the same chores exactly, none added on either side is
// missing, and no edit was dropped unless the other side changed the same field later or deleted
// a chore nobody edited. A sync with nothing to do costs one request and writes nothing.
TEST_P(SyncAgainstServer, OfflineEditsOnBothDevicesConverge)
{
    QRandomGenerator random(20261207);
    Device a, b;
    // Before sync was set up: they go up at the first sync.
    for (int i = 0; i < 9; ++i)
        a.changes.add(fields(u"base %1"_s.arg(i), day(2026, 7, 1), day(2026, 7, 1 + i)));
    // Spring's reminder at 02:30, which that day lacks; Fall's at 02:30:59, which that day has twice.
    const ChoreFields spring{u"Spring; «again», \"quoted\""_s, {0.33333334f, 0.6666667f, 1e-7f}, day(2026, 3, 20),
                             day(2026, 3, 29), {}, true, 2.5 * 3600};
    const ChoreFields fall{u"Fall ⏰\nline two\\ backslash"_s, {1.5f, -0.25f, 0.123456789f}, day(2026, 10, 25),
                           day(2026, 10, 25), {}, true, 2.5 * 3600 + 59};
    const ChoreFields odd[] = {spring, fall,
        {u"Finished"_s, {0.0f, 0.0f, 0.0f}, day(2026, 1, 5), day(2026, 1, 1),
         QDateTime::fromMSecsSinceEpoch(1767700000123, QTimeZone::utc()), false, 32400},
        {QString(), ColorComponentsModel::standardRed(), day(2026, 12, 31), day(2026, 12, 31), {}, false, 45296.75}};
    for (const ChoreFields &f : odd)
        ASSERT_NE(a.changes.add(f), nullptr);
    a.connect(calendar);
    b.connect(calendar);
    QSet<QString> added;
    const auto converged = [&](int round) {
        ASSERT_TRUE(a.sync().ok() && b.sync().ok() && a.sync().ok());
        const auto onA = a.byTitle(), onB = b.byTitle();
        ASSERT_EQ(onA.size(), onB.size()) << "round " << round;
        for (const auto &[title, fields] : onA) {
            ASSERT_EQ(onB.count(title), 1u) << title;
            EXPECT_TRUE(sameAsWritten(fields, onB.at(title))) << title;
        }
        for (const QString &title : std::as_const(added))
            EXPECT_EQ(onA.count(title), 1u) << "lost: " << title;
        EXPECT_EQ(a.engine.pendingChanges() + b.engine.pendingChanges(), 0);
    };
    converged(-1);
    // What the server holds is what strict servers and other apps expect: plain dates, DTSTART
    // only before DUE, and an alarm at the minute this app's own reminder rings.
    const auto ring = [](const ChoreFields &f) {
        const QDateTime at = *ChoreDates::reminderInstant(f.dueDate, f.notificationTime, berlin);
        return "TRIGGER;VALUE=DATE-TIME:" + at.toUTC().toString(u"yyyyMMddTHHmmssZ"_s).toLatin1();
    };
    const QByteArray springCopy = serverCopy("SUMMARY:Spring"), fallCopy = serverCopy("SUMMARY:Fall ");
    const QByteArray finishedCopy = serverCopy("SUMMARY:Finished");
    for (const QByteArray &line : {QByteArray("DUE;VALUE=DATE:20260329"), QByteArray("DTSTART;VALUE=DATE:20260320"),
                                   ring(spring)})
        EXPECT_TRUE(springCopy.contains("\n" + line + "\n")) << line.toStdString() << springCopy.toStdString();
    EXPECT_TRUE(fallCopy.contains("\n" + ring(fall) + "\n")) << fallCopy.toStdString();
    EXPECT_FALSE(fallCopy.contains("DTSTART") || finishedCopy.contains("DTSTART"));
    EXPECT_TRUE(finishedCopy.contains("\nSTATUS:COMPLETED\n")) << finishedCopy.toStdString();

    for (int round = 0; round < 3; ++round) {
        for (Device *d : {&a, &b}) {
            for (int step = 0; step < 8; ++step) {
                std::vector<Chore *> active;
                std::copy_if(d->store.chores().begin(), d->store.chores().end(), std::back_inserter(active),
                                     [](Chore *c) { return !c->isFinished(); });
                const int op = random.bounded(5);
                Chore *c = active.empty() ? nullptr : active[random.bounded(int(active.size()))];
                if (op == 0 || !c) {
                    const QString title = u"new %1 %2 %3"_s.arg(d == &a ? 'a' : 'b').arg(round).arg(step);
                    d->changes.add(fields(title, day(2026, 8, 1), day(2026, 8, 1 + random.bounded(20))));
                    added << title;
                } else if (op == 1) {
                    assign(d->changes, c, &ChoreFields::dueDate, c->dueDate().addDays(random.bounded(1, 9)));
                } else if (op == 2) {
                    assign(d->changes, c, &ChoreFields::notify, !c->notify());
                } else if (op == 3) {
                    d->changes.finish(c);
                } else if (!c->title().startsWith(QLatin1String("new"))) {
                    d->changes.remove(c);
                }
            }
        }
        converged(round);
    }
    // The server holds exactly those chores, and with nothing changed on either side a sync
    // costs one request each and writes nothing.
    EXPECT_EQ(serverResources().size(), qsizetype(a.byTitle().size()));
    for (Device *d : {&a, &b}) {
        const SyncReport idle = d->sync();
        EXPECT_TRUE(idle.ok());
        EXPECT_EQ(idle.requests, 1);
        EXPECT_EQ(idle.sent + idle.received, 0);
    }
}

// What the two-device runs never meet: discovery from an address that is no DAV resource,
// a server without sync-collection listed by its ctag, a second create of one UID, a resource
// too large to take in, and a sync token the server forgot.
TEST_P(SyncAgainstServer, ClientCopesWithWhatSyncsRarelyMeet)
{
    const QUrl nowhere = server.url().resolved(QUrl(u"/no/such/place/"_s));
    const Discovery found = await<Discovery>([&](auto done) { client.discover(nowhere, done); });
    EXPECT_TRUE(std::any_of(found.calendars.begin(), found.calendars.end(), [&](const CalendarInfo &c) {
        return CalDavClient::sameResource(c.url, calendar) && c.displayName == u"Chores"_s;
    })) << found.error.message;

    const CalendarInfo byToken = calendarAt(calendar, true), byCtag = calendarAt(calendar);
    const ChangeList startToken = listChanges(byToken), startCtag = listChanges(byCtag);
    ASSERT_TRUE(startToken.error.ok() && startCtag.error.ok());
    const QByteArray ics = VTodoCodec::write(u"one"_s, fields(u"One"_s, day(2026, 5, 1), day(2026, 5, 2)), {}, berlin).ics;
    const QUrl href = CalDavClient::resourceUrl(calendar, u"one"_s);
    ASSERT_TRUE(put(href, ics).error.ok());
    EXPECT_EQ(put(href, ics).error.kind, CalDavError::Kind::Conflict);
    // The same UID under another name (Radicale: 409, Xandikos: 412 inside a 207).
    EXPECT_FALSE(put(CalDavClient::resourceUrl(calendar, u"twin"_s), ics).error.ok());

    const ChangeList afterCtag = listChanges(byCtag, startCtag.state);
    EXPECT_TRUE(afterCtag.complete && afterCtag.changed.size() == 1) << afterCtag.error.message;
    EXPECT_TRUE(listChanges(byCtag, afterCtag.state).unchanged);

    const QUrl big = CalDavClient::resourceUrl(calendar, u"big"_s);
    const QUrl gone = CalDavClient::resourceUrl(calendar, u"never-written"_s);
    const QByteArray bigIcs = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:big\r\n"
                              "DTSTAMP:20260101T000000Z\r\nDESCRIPTION:"
        + QByteArray(CalDavClient::maxResourceBytes, 'x') + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    ASSERT_TRUE(put(big, bigIcs).error.ok());
    const auto fetched = await<FetchedResources>([&](auto done) { client.fetch(calendar, {big, href, gone}, done); });
    EXPECT_EQ(fetched.refused, QList<QUrl>{big});
    EXPECT_EQ(fetched.missing, QList<QUrl>{gone});
    ASSERT_EQ(fetched.resources.size(), 1);
    EXPECT_EQ(VTodoCodec::read(fetched.resources.first().data, berlin).fields.title, u"One"_s);

    SyncState forgotten = startToken.state;
    forgotten.syncToken += u"-unknown"_s;
    EXPECT_EQ(listChanges(byToken, forgotten).error.kind, CalDavError::Kind::InvalidSyncToken);

    // Month ends made here (the 31st, the 30th, 29 February) are taken by the server and come
    // back to another device as they were, rule and days alike (Xandikos gives a rule's parts in
    // an order of its own).
    Device here(calendar), there(calendar);
    const auto monthly = [](const QDate &due, Recurrence::Frequency f) { return Recurrence::fromSimple({f, 1, {}, false}, due); };
    for (const QDate &due : {QDate(2027, 1, 31), QDate(2027, 4, 30), QDate(2028, 2, 29)}) {
        here.changes.add(fields(due.toString(Qt::ISODate), due.startOfDay(berlin), due.startOfDay(berlin)),
                         monthly(due, due.month() == 2 ? Recurrence::Frequency::Yearly : Recurrence::Frequency::Monthly));
    }
    const SyncReport up = here.sync();
    ASSERT_TRUE(up.complete()) << up.error.message << up.refused.join(u' ').toStdString();
    EXPECT_EQ(up.sent, 3);
    ASSERT_TRUE(there.sync().complete());
    for (const Chore *sent : here.store.chores()) {
        if (sent->title() == u"One"_s)
            continue;
        const Chore *came = there.find(sent->title());
        ASSERT_NE(came, nullptr) << sent->title().toStdString();
        EXPECT_EQ(came->fields(), sent->fields());
        EXPECT_TRUE(VTodoCodec::sameRecurrence(came->recurrence(), sent->recurrence())) << came->recurrence().rule.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(RealServers, SyncAgainstServer,
                         ::testing::Values(DavServer::Kind::Radicale, DavServer::Kind::Xandikos),
                         [](const auto &info) { return info.param == DavServer::Kind::Radicale ? "Radicale"
                                                                                               : "Xandikos"; });

// One Radicale with one calendar of chores.
class SyncFaults : public SyncAgainstServer {};
INSTANTIATE_TEST_SUITE_P(Radicale, SyncFaults, ::testing::Values(DavServer::Kind::Radicale));

// Faults on the way: a server that dies half-way, a chore deleted while on its way up, a calendar
// that suddenly lists nothing. None of them costs a chore, and the next sync completes.
TEST_P(SyncFaults, NothingIsLostAndTheNextSyncCompletes)
{
    Device a(calendar), b(calendar);
    for (int i = 0; i < 60; ++i)
        a.changes.add(fields(u"chore %1"_s.arg(i), day(2026, 9, 1), day(2026, 9, 2)));
    // Killed once some chores are on the server.
    const SyncReport cut = a.sync([&] {
        EXPECT_TRUE(waitFor([&] { return a.engine.pendingChanges() < 40 || !a.engine.isRunning(); }, 30000));
        server.kill();
    });
    EXPECT_FALSE(cut.ok());
    EXPECT_EQ(a.store.chores().size(), 60u);
    ASSERT_TRUE(server.start()) << server.error();
    const SyncReport resumed = a.sync();
    ASSERT_TRUE(resumed.ok()) << resumed.error.message;
    ASSERT_TRUE(b.sync().ok());
    EXPECT_EQ(b.byTitle().size(), 60u);

    // b's ledger as earlier versions kept it, every href whole, and one outside the calendar: the
    // next sync keeps them relative and writes nothing outside; the chore from outside goes up anew.
    QSqlQuery old(QSqlDatabase::database(b.store.connectionName()));
    ASSERT_TRUE(old.exec(u"UPDATE SyncRecord SET href = '%1' || href"_s.arg(calendar.toString(QUrl::FullyEncoded))));
    ASSERT_TRUE(old.exec(u"UPDATE SyncRecord SET href = 'http://other.invalid/x.ics' WHERE chore = 1"_s));
    ASSERT_TRUE(b.sync().ok() && a.sync().ok());
    EXPECT_EQ(b.byTitle().size(), 60u);
    EXPECT_EQ(b.engine.pendingChanges(), 0);
    EXPECT_EQ(serverResources().size(), 60);

    // Deleted here while on its way up: the server does not keep it, nor bring it back.
    Chore *brief = a.changes.add(fields(u"brief"_s, day(2026, 9, 1), day(2026, 9, 2)));
    a.sync([&] { EXPECT_TRUE(a.changes.remove(brief)); });
    ASSERT_TRUE(a.sync().ok() && b.sync().ok());
    EXPECT_EQ(a.byTitle().count(u"brief"_s) + b.byTitle().count(u"brief"_s), 0u);
    EXPECT_EQ(a.engine.pendingChanges(), 0);

    // Every resource gone behind our back at once is not taken as sixty deletions.
    SyncLedger ledger(b.changes);
    ASSERT_TRUE(ledger.bindCalendar(calendar));
    for (const QUrl &href : ledger.onServer())
        await<CalDavError>([&](auto done) { client.remove(href, {}, done); });
    EXPECT_FALSE(b.sync().ok());
    EXPECT_EQ(b.byTitle().size(), 60u);
}

// Runs start by themselves: once there is an account, and soon after a change here, how a chore
// repeats too. A chore the server refuses is told with its reason and not sent again until it
// changes; a server that fails is asked again after growing pauses; a refused password is not
// tried again by itself.
TEST_P(SyncFaults, RunsFollowTheAccountAndChangesButNotARefusedPassword)
{
    using std::chrono::milliseconds, std::chrono::seconds, std::chrono::minutes;
    // The app's own pauses, which the rest of this test shortens: a change goes up within
    // seconds, a quiet account is looked at within the hour, and no failure is retried in a
    // loop of a few seconds nor left for hours.
    const SyncSchedule::Intervals app;
    EXPECT_TRUE(app.afterChange >= milliseconds(500) && app.afterChange <= seconds(10));
    EXPECT_TRUE(app.periodic >= minutes(5) && app.periodic <= minutes(60));
    EXPECT_TRUE(app.firstRetry >= seconds(15) && app.firstRetry <= app.longestRetry && app.longestRetry <= minutes(60));
    Device d;
    SyncSchedule schedule(d.engine, d.store, {milliseconds(50), std::chrono::hours(1), milliseconds(400), milliseconds(1600)});
    QList<SyncReport> reports;
    QObject::connect(&d.engine, &SyncEngine::finished, [&](const SyncReport &r) { reports << r; });
    const auto add = [&](const QString &title) { d.changes.add(fields(title, day(2026, 9, 1), day(2026, 9, 2))); };
    add(u"before"_s);
    QTest::qWait(200);
    EXPECT_TRUE(reports.isEmpty()) << "a run without an account";

    d.connect(calendar);
    ASSERT_TRUE(waitFor([&] { return reports.size() == 1; }, 20000));
    EXPECT_TRUE(reports.last().ok());
    EXPECT_EQ(reports.last().sent, 1);
    add(u"after"_s);
    ASSERT_TRUE(waitFor([&] { return reports.size() == 2; }, 20000));
    EXPECT_EQ(reports.last().sent, 1);
    Chore *after = d.find(u"after"_s);
    ASSERT_TRUE(after && d.changes.update(after, after->fields(), rule("FREQ=DAILY")));
    ASSERT_TRUE(waitFor([&] { return reports.size() == 3; }, 20000));
    EXPECT_EQ(reports.last().sent, 1);

    // Radicale refuses a calendar scale it does not know: said, with the chore's name, and not
    // sent again every few seconds; the other chore goes up.
    Chore *hebrew = d.changes.add(fields(u"Hebrew month"_s, day(2026, 9, 1), day(2026, 9, 2)), rule("FREQ=MONTHLY;RSCALE=HEBREW"));
    add(u"beside it"_s);
    ASSERT_TRUE(waitFor([&] { return reports.size() == 4; }, 20000));
    EXPECT_TRUE(reports.last().ok());
    EXPECT_EQ(reports.last().sent, 1);
    ASSERT_EQ(reports.last().refused.size(), 1);
    EXPECT_TRUE(reports.last().refused.first().startsWith(u"“Hebrew month” was not synced: "_s)) << reports.last().refused.first();
    EXPECT_EQ(SyncAccount::outcomeError(reports.last()), reports.last().refused.first());
    EXPECT_FALSE(waitFor([&] { return reports.size() > 4; }, 1500)) << "sent again unchanged";
    EXPECT_EQ(d.engine.pendingChanges(), 0);
    ASSERT_TRUE(assign(d.changes, hebrew, &ChoreFields::title, u"Hebrew month, renamed"_s));
    ASSERT_TRUE(waitFor([&] { return reports.size() == 5; }, 20000));
    EXPECT_EQ(reports.last().refused.size(), 1) << "changed, so tried once more";
    ASSERT_TRUE(d.changes.remove(hebrew));
    ASSERT_TRUE(waitFor([&] { return reports.size() == 6 && reports.last().complete(); }, 20000));

    // The server gone: asked again after 0.4 s, then 0.8 s, then 1.6 s, whatever changes here.
    server.kill();
    add(u"offline"_s);
    QTest::qWait(2000);
    add(u"offline too"_s);
    QTest::qWait(500);
    EXPECT_EQ(reports.size(), 6 + 3);
    EXPECT_TRUE(std::none_of(reports.begin() + 6, reports.end(), [](const SyncReport &r) { return r.ok(); }));
    ASSERT_TRUE(server.start()) << server.error();
    ASSERT_TRUE(waitFor([&] { return reports.last().complete(); }, 20000));

    d.connect(calendar, u"wrong"_s);
    const qsizetype before = reports.size();
    ASSERT_TRUE(waitFor([&] { return reports.size() == before + 1; }, 20000));
    EXPECT_EQ(reports.last().error.kind, CalDavError::Kind::Unauthorized);
    add(u"while refused"_s);
    // Longer than Radicale takes to answer a wrong password (it waits about a second).
    EXPECT_FALSE(waitFor([&] { return reports.size() > before + 1; }, 3000)) << "tried again by itself";
    EXPECT_EQ(d.engine.pendingChanges(), 1);
}

// The process's peak resident memory since the last call, in KiB (Linux's VmHWM, then reset to what
// is in use once the heap has handed back what it freed: one row's peak is not the next one's).
qint64 peakSinceLastKiB()
{
    const QList<QByteArray> status = VelmoraTest::readAll(u"/proc/self/status"_s).split('\n');
    const auto line = std::find_if(status.begin(), status.end(), [](const QByteArray &l) { return l.startsWith("VmHWM:"); });
    malloc_trim(0);
    EXPECT_TRUE(line != status.end() && VelmoraTest::writeAll(u"/proc/self/clear_refs"_s, "5"));
    return line == status.end() ? 0 : line->mid(6).trimmed().split(' ').first().toLongLong();
}

// A server that is broken, hostile or behind a bad proxy, one way per row: whatever it answers, the
// password stays on the account's origin, nothing is written outside the calendar or to another
// spelling of it, peak memory stays within twice a sane server's and the run ends with one sentence;
// plain failures map to one error each, waits clamped.
TEST(HostileServers, CannotTurnTheSyncAgainstTheUser)
{
    QTemporaryDir dir;
    const QStringList tls = HostileServer::makeTlsPair(dir.path());
    ASSERT_FALSE(tls.isEmpty()) << "no openssl";
    QSslConfiguration trusted = QSslConfiguration::defaultConfiguration();
    trusted.addCaCertificates(tls.at(1));
    QSslConfiguration::setDefaultConfiguration(trusted);
    const auto fixed = [](const char *status, const QString &header = {}) {
        return QStringList{u"status"_s, u"--status"_s, QString::fromLatin1(status)}
            + (header.isEmpty() ? QStringList() : QStringList{u"--header"_s, header});
    };
    const QString html = dir.filePath(u"html"_s), json = dir.filePath(u"json"_s);
    ASSERT_TRUE(VelmoraTest::writeAll(html, "<!DOCTYPE html><body>Log in</body></html>")
                && VelmoraTest::writeAll(json, "{\"json\": true}"));
    using Kind = CalDavError::Kind;
    enum Step { Discover, Sync, SyncThenChangeAll };
    const auto odd = [](const QString &href) { return QStringList{u"odd-href"_s, u"--href"_s, href}; };
    const auto writesMoved = [](const char *status) { return QStringList{u"redirect-writes"_s, u"--status"_s,
                                                                         QString::fromLatin1(status)}; };
    const struct {
        const char *what;
        QStringList server;
        Step step;
        Kind kind;
        QString sentence = {}; // part of the one sentence the run ends with
        int outside = 0;
        int chores = -1;  // stored after the first sync
        QString written = {}; // a write the server must have received on the calendar
        int retryAfter = 0;
        qsizetype maxRequests = 60;
        int unreadable = 0;
    } rows[] = {
        // First: every other row's peak memory is held against this one's.
        {"a sane server", {u"base"_s}, SyncThenChangeAll, Kind::None, {}, 0, 1, u"DELETE /dav/user/cal/a.ics"_s},
        {"a 60 MiB listing", {u"huge-listing"_s}, Sync, Kind::None, {}, 0, 1},
        {"an endless chunked answer", {u"endless-chunked"_s}, Sync, Kind::TooLarge, u"too large"_s},
        {"a redirect to another origin", {u"redirect-origin"_s}, Sync, Kind::OtherOrigin, u"was not sent there"_s},
        {"well-known on another host", {u"redirect-well-known"_s}, Discover, Kind::OtherOrigin, u"was not sent there"_s},
        {"hrefs of another user, up the path, on another origin", {u"outside-hrefs"_s}, SyncThenChangeAll, Kind::None,
         {}, 3, 1, u"DELETE /dav/user/cal/a.ics"_s},
        // Spellings that one server, proxy or URL parser reads as another path than the next one.
        {"an href with ..;", odd(u"/dav/user/cal/..;/other-user/cal/b.ics"_s), SyncThenChangeAll, Kind::None, {}, 1, 1,
         u"DELETE /dav/user/cal/a.ics"_s},
        {"an href with backslashes", odd(u"/dav/user/cal/..\\other-user\\cal\\b.ics"_s), SyncThenChangeAll,
         Kind::None, {}, 1, 1, u"DELETE /dav/user/cal/a.ics"_s},
        {"an href with %5c", odd(u"/dav/user/cal/..%5cother-user%5ccal%5cb.ics"_s), SyncThenChangeAll, Kind::None, {},
         1, 1, u"DELETE /dav/user/cal/a.ics"_s},
        {"an href encoded twice", odd(u"/dav/user/cal/%252e%252e/%252e%252e/other-user/cal/b.ics"_s), SyncThenChangeAll,
         Kind::None, {}, 1, 1, u"DELETE /dav/user/cal/a.ics"_s},
        {"an href with full-width dots", odd(u"/dav/user/cal/\uff0e\uff0e/\uff0e\uff0e/other-user/cal/b.ics"_s),
         SyncThenChangeAll, Kind::None, {}, 1, 1, u"DELETE /dav/user/cal/a.ics"_s},
        {"an href with an encoded slash", odd(u"/dav/user/cal%2fh06.ics"_s), SyncThenChangeAll, Kind::None, {}, 1, 1,
         u"DELETE /dav/user/cal/a.ics"_s},
        {"an href with an overlong dot", odd(u"/dav/user/cal/%c0%ae%c0%ae/%c0%ae%c0%ae/other-user/cal/b.ics"_s),
         SyncThenChangeAll, Kind::None, {}, 1, 1, u"DELETE /dav/user/cal/a.ics"_s},
        {"an href spelled encoded, sent back as spelled", odd(u"/dav/user/cal/Eink%C3%A4ufe%20h.ics"_s),
         SyncThenChangeAll, Kind::None, {}, 0, 2, u"DELETE /dav/user/cal/Eink%C3%A4ufe%20h.ics"_s},
        {"a write answered 307", writesMoved("307"), SyncThenChangeAll, Kind::Server, u"it was not sent again"_s, 0, 1},
        {"a write answered 308", writesMoved("308"), SyncThenChangeAll, Kind::Server, u"it was not sent again"_s, 0, 1},
        {"a write answered 301", writesMoved("301"), SyncThenChangeAll, Kind::Server, u"it was not sent again"_s, 0, 1},
        {"one bad task among good ones", {u"bad-task"_s}, Sync, Kind::None, {}, 0, 2, {}, 0, 60, 1},
        {"an https home naming another origin over http", QStringList{u"https-home-http-other"_s} + tls, Discover,
         Kind::Insecure, u"without encryption"_s},
        {"an https home naming itself over http", QStringList{u"https-home-http"_s} + tls, Discover, Kind::Insecure,
         u"without encryption"_s},
        {"bytes trickling in", {u"trickle"_s, u"--trickle-ms"_s, u"100"_s}, Sync, Kind::Timeout,
         u"took more than 2"_s},
        {"set-up, bytes trickling in", {u"trickle"_s, u"--trickle-ms"_s, u"100"_s}, Discover, Kind::Timeout,
         u"Setting up the account took longer than 3 second"_s},
        {"more changes follow, forever", {u"endless-507"_s}, Sync, Kind::Server, u"stopped after 50"_s},
        {"more chores than a store holds", {u"big-calendar"_s, u"--tasks"_s, u"31"_s}, Sync, Kind::None, {}, 0, 30},
        {"429", fixed("429 Too Many Requests", u"Retry-After: 5"_s), Sync, Kind::RateLimited, {}, 0, -1, {}, 60},
        {"503 for a day", fixed("503 Service Unavailable", u"Retry-After: 86400"_s), Sync, Kind::RateLimited, {}, 0,
         -1, {}, 7200},
        {"a login page", fixed("200 OK", u"Content-Type: text/html"_s) << u"--body-file"_s << html, Sync,
         Kind::NotCalDav},
        {"no XML", fixed("207 Multi-Status", u"Content-Type: application/xml"_s) << u"--body-file"_s << json, Sync,
         Kind::NotCalDav},
        {"a redirect in a circle", fixed("302 Found", u"Location: /dav/"_s), Sync, Kind::Server},
        {"silence", fixed("none"), Sync, Kind::Timeout},
    };
    qint64 sanePeak = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        HostileServer server(row.server.first(), row.server.mid(1));
        ASSERT_TRUE(server.start());
        peakSinceLastKiB();
        QElapsedTimer clock;
        clock.start();
        CalDavError error;
        Device d;
        d.engine.client().setTimeout(std::chrono::milliseconds(800));
        // A 60 MB listing is about its memory, not its time: a busy machine, and the unoptimised
        // sanitizer build many times over, read it slower than the others' deadline.
        const bool huge = row.server.first() == u"huge-listing"_s;
        d.engine.client().setDeadline(std::chrono::seconds(huge ? (sanitized ? 90 : 15) : 2));
        d.engine.setMaxChores(30);
        if (row.step == Discover) {
            // Set-up as a whole ends by the run's deadline, however long each request may take.
            d.engine.client().setDeadline(std::chrono::seconds(30));
            d.engine.client().setRunDeadline(std::chrono::seconds(3));
            d.engine.client().setCredentials(server.url(), u"user"_s, u"pass"_s);
            error = await<Discovery>([&](auto done) { d.engine.client().discover(server.url(), done); }).error;
        } else {
            d.connect(server.url(u"/dav/user/cal/"_s));
            const SyncReport report = d.sync();
            error = report.error;
            EXPECT_EQ(report.outside, row.outside);
            EXPECT_EQ(report.unreadable, row.unreadable);
            if (row.chores >= 0) {
                EXPECT_EQ(d.store.chores().size(), size_t(row.chores));
                EXPECT_EQ(report.overLimit, row.chores == 30 ? 1 : 0);
            }
            if (row.step == SyncThenChangeAll) {
                // Every chore deleted and a new one added: a DELETE and a PUT in one run.
                EXPECT_TRUE(report.ok()) << report.error.message;
                for (Chore *chore : std::vector<Chore *>(d.store.chores()))
                    EXPECT_TRUE(d.changes.remove(chore));
                d.changes.add(fields(u"new"_s, day(2026, 9, 1), day(2026, 9, 2)));
                error = d.sync().error;
            }
        }
        EXPECT_EQ(error.kind, row.kind) << error.message;
        EXPECT_TRUE(error.message.contains(row.sentence) && !error.message.contains(u'\n')) << error.message;
        EXPECT_EQ(error.message.isEmpty(), row.kind == Kind::None);
        EXPECT_EQ(error.retryAfter.count(), row.retryAfter);
        EXPECT_LT(clock.elapsed(), 15000);
        const qint64 peak = peakSinceLastKiB();
        sanePeak = sanePeak ? sanePeak : peak;
        // Not under a sanitizer: its shadow memory and quarantine of freed blocks would be measured,
        // growing with every byte read however little the client keeps.
        if (!sanitized) {
            EXPECT_LT(peak, 2 * sanePeak) << "KiB at the peak, against " << sanePeak << " with a sane server";
        }

        const QList<HostileServer::Received> received = server.received();
        EXPECT_LE(received.size(), row.maxRequests);
        QStringList writes;
        for (const auto &r : received) {
            EXPECT_FALSE(r.port == u"other"_s && r.auth) << "the password went to " << r.path;
            EXPECT_FALSE(r.port == u"main"_s && !r.tls && row.server.contains(u"--tls"_s)) << "in clear: " << r.path;
            if (r.method != u"PROPFIND"_s && r.method != u"REPORT"_s && r.method != u"GET"_s)
                writes << (r.port == u"main"_s ? QString() : u"elsewhere: "_s) + r.method + u' ' + r.path;
        }
        // In the calendar, in a spelling no reader takes for another path.
        static const QRegularExpression inCalendar(u"^[A-Z]+ /dav/user/cal/(?!.*(%(2f|25|5c)|\\.\\.))[\\w.%-]+$"_s,
                                                   QRegularExpression::CaseInsensitiveOption);
        for (const QString &write : writes)
            EXPECT_TRUE(inCalendar.match(write).hasMatch()) << write;
        EXPECT_EQ(writes.contains(row.written), !row.written.isEmpty()) << writes.join(u", "_s);
    }
}

// Input no reader should trust is refused with a reason, never a crash; so is a chore whose
// stored values no other app could read. A rule is kept as it came, however absurd, and never
// followed where libical cannot follow it.
TEST(VTodoBadInput, IsRefusedWithAReasonOrKeptAsItCame)
{
    const auto calendar = [](const QByteArray &body) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//App//EN\r\n" + body + "END:VCALENDAR\r\n";
    };
    const auto todo = [&](const QByteArray &lines) {
        return calendar("BEGIN:VTODO\r\nUID:a\r\n" + lines + "END:VTODO\r\n");
    };
    const QList<std::pair<const char *, QByteArray>> cases{
        {"not iCalendar", "hello"},
        {"html", "<!DOCTYPE html><html><body>Login</body></html>"},
        {"truncated", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:t\r\nDUE;VALUE=DATE:2026"},
        {"nul byte", todo(QByteArray("SUMMARY:a") + '\0' + "b\r\nDUE;VALUE=DATE:20260510\r\n")},
        {"missing uid", calendar("BEGIN:VTODO\r\nSUMMARY:x\r\nDUE;VALUE=DATE:20260510\r\nEND:VTODO\r\n")},
        {"year one", todo("DUE;VALUE=DATE:00010101\r\n")},
        {"year 9999", todo("DUE:99991231T235959Z\r\n")},
        {"month 13", todo("DUE;VALUE=DATE:20261345\r\n")},
        {"garbage due", todo("DUE:soon\r\n")},
        {"absurd start", todo("DTSTART;VALUE=DATE:18000101\r\nDUE;VALUE=DATE:20260510\r\n")},
        {"absurd completion", todo("DUE;VALUE=DATE:20260510\r\nCOMPLETED:30000101T000000Z\r\n")},
        {"over 1 MB",
         todo("DUE;VALUE=DATE:20260510\r\nDESCRIPTION:" + QByteArray(VTodoCodec::maxResourceBytes, 'x') + "\r\n")},
        {"100,000 EXDATEs", todo("DUE;VALUE=DATE:20260510\r\nRRULE:FREQ=DAILY\r\nEXDATE;VALUE=DATE:" + [] {
             QByteArrayList days;
             for (int i = 0; i < 100000; ++i)
                 days << QDate(2026, 5, 11).addDays(i % 3000).toString(u"yyyyMMdd"_s).toLatin1();
             return days.join(',');
         }() + "\r\n")},
    };
    for (const auto &[name, ics] : cases) {
        const qint64 started = VelmoraTest::threadCpuMs();
        const TodoReading read = VTodoCodec::read(ics, berlin);
        EXPECT_EQ(read.outcome, TodoReading::Outcome::Rejected) << name;
        EXPECT_FALSE(read.reason.isEmpty()) << name;
        EXPECT_LT(VelmoraTest::threadCpuMs() - started, VelmoraTest::cpuLimitMs(100)) << name;
    }

    // Read, written back onto the same copy line for line, and written afresh without the overrides'
    // moves; the chore is due where its master's day went, or at the next occurrence once that is done.
    const auto may = [](int d) { return QDate(2026, 5, d); };
    const QByteArray nextTo = "END:VTODO\r\nBEGIN:VTODO\r\nUID:a\r\n", skip10 = "EXDATE;VALUE=DATE:20260510\r\n";
    const struct {
        const char *name;
        QByteArray lines;
        Recurrence want;
        QDate due;
        ChorePeople people = {};
        int cleaned = 0; // of those values, broken ones cleaned
    } rules[] = {
        {"every 2 weeks after finishing", "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=SU\r\nX-TASKARELLO-AFTER-FINISHING:TRUE\r\n",
         rule("FREQ=WEEKLY;INTERVAL=2;BYDAY=SU", true), may(10)},
        {"EXDATEs and overrides", "RRULE:FREQ=DAILY\r\nEXDATE;VALUE=DATE:20260512,20260514\r\nEXDATE:20260515T230000Z\r\n"
             + nextTo + "RECURRENCE-ID;VALUE=DATE:20260513\r\nSTATUS:CANCELLED\r\n" + nextTo
             + "RECURRENCE-ID;VALUE=DATE:20260510\r\nDUE;VALUE=DATE:20260511\r\nSUMMARY:later\r\n",
         rule("FREQ=DAILY", false, {may(12), may(13), may(14), may(16)}, {{may(10), may(11)}}), may(11)},
        {"its day finished elsewhere", "RRULE:FREQ=WEEKLY\r\n" + nextTo
             + "RECURRENCE-ID;VALUE=DATE:20260510\r\nCOMPLETED:20260509T100000Z\r\n",
         rule("FREQ=WEEKLY", false, {may(10)}), may(17)},
        {"COUNT beyond the year 9999", "RRULE:FREQ=YEARLY;COUNT=9999\r\n" + skip10,
         rule("FREQ=YEARLY;COUNT=9999", false, {may(10)}), {2027, 5, 10}},
        {"30 February", "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30\r\n" + skip10,
         rule("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", false, {may(10)}), may(10)},
        {"hourly on 30 February", "RRULE:FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30\r\n" + skip10,
         rule("FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30", false, {may(10)}), may(10)},
        {"INTERVAL=0", "RRULE:FREQ=DAILY;INTERVAL=0\r\n" + skip10, rule("FREQ=DAILY;INTERVAL=0", false, {may(10)}), may(10)},
        {"every second", "RRULE:FREQ=SECONDLY\r\n" + skip10, rule("FREQ=SECONDLY", false, {may(10)}), may(10)},
        {"UNTIL before DTSTART", "RRULE:FREQ=DAILY;UNTIL=20200101\r\n" + skip10,
         rule("FREQ=DAILY;UNTIL=20200101", false, {may(10)}), may(10)},
        {"not a rule", "RRULE:FREQ=WEEKLY;BYDAY=XX;X-NAME=1\r\n" + skip10,
         rule("FREQ=WEEKLY;BYDAY=XX;X-NAME=1", false, {may(10)}), may(10)},
        {"our people, escaped as TEXT", "RRULE:FREQ=DAILY\r\nX-TASKARELLO-ASSIGNEE:O'Brien\\, Pat\r\n"
             "X-TASKARELLO-TURNS:Sam\\;Jo,O'Brien\\, Pat,Al\\\\Bo\r\nX-TASKARELLO-FINISHED-BY:Sam\\;Jo\r\n",
         rule("FREQ=DAILY"), may(10), {u"O'Brien, Pat"_s, {u"Sam;Jo"_s, u"O'Brien, Pat"_s, u"Al\\Bo"_s}, u"Sam;Jo"_s}},
        {"people breaking the rules: cleaned and counted", "RRULE:FREQ=DAILY\r\nX-TASKARELLO-ASSIGNEE:Bob\\nSmith\r\n"
             "X-TASKARELLO-TURNS:Bob\\NSmith,Bob Smith,," + [] {
             QByteArrayList names;
             for (int i = 0; i < 1000; ++i)
                 names << "m" + QByteArray::number(i);
             return names.join(',');
         }() + "\r\nX-TASKARELLO-FINISHED-BY:" + QByteArray(100, 'z') + "\r\n",
         rule("FREQ=DAILY"), may(10), {u"Bob Smith"_s, [] {
             QStringList names{u"Bob Smith"_s};
             for (int i = 0; i < 63; ++i)
                 names << u"m"_s + QString::number(i);
             return names;
         }(), QString(64, u'z')}, 3},
    };
    for (const auto &r : rules) {
        SCOPED_TRACE(r.name);
        const qint64 started = VelmoraTest::threadCpuMs();
        const QByteArray ics = todo("SUMMARY:a\r\nDTSTART;VALUE=DATE:20260510\r\nDUE;VALUE=DATE:20260510\r\n" + r.lines);
        const TodoReading read = VTodoCodec::read(ics, berlin);
        ASSERT_EQ(read.outcome, TodoReading::Outcome::Chore) << read.reason;
        EXPECT_EQ(read.recurrence, r.want);
        EXPECT_EQ(read.fields.dueDate, r.due.startOfDay(berlin));
        ChoreFields renamed = read.fields;
        renamed.title = u"b"_s;
        EXPECT_EQ(read.people, r.people);
        EXPECT_EQ(read.cleanedPeople, r.cleaned);
        const QByteArray onCopy = VTodoCodec::write(u"a"_s, renamed, read.recurrence, berlin, ics, {}, {}, read.people).ics;
        for (const QByteArray &line : ics.split('\n'))
            EXPECT_TRUE(line == "SUMMARY:a\r" || (r.cleaned > 0 && line.startsWith("X-TASKARELLO-")) || onCopy.contains(line + '\n'))
                << line.toStdString();
        // Cleaned values go back clean; never as scheduling properties, which mail invitations.
        const TodoReading back = VTodoCodec::read(onCopy, berlin);
        EXPECT_EQ(back.people, r.people);
        EXPECT_EQ(back.cleanedPeople, 0);
        EXPECT_FALSE(onCopy.contains("ATTENDEE") || onCopy.contains("ORGANIZER"));
        // Written afresh, an occurrence moved here goes up as an override of its own; exceptions
        // before the day it is due are of no more use.
        Recurrence afresh = r.want;
        afresh.exceptions.removeIf([&r](const QDate &d) { return d < r.due; });
        EXPECT_EQ(VTodoCodec::read(VTodoCodec::write(u"a"_s, read.fields, read.recurrence, berlin).ics, berlin).recurrence,
                  afresh);
        // CPU time: a rule that freezes takes seconds, a busy machine does not.
        EXPECT_LT(VelmoraTest::threadCpuMs() - started, VelmoraTest::cpuLimitMs(100));
    }
    // Moved on to the occurrence another app moved: the master takes the rule's own day.
    const QByteArray before = todo("SUMMARY:a\r\nDTSTART;VALUE=DATE:20260509\r\nDUE;VALUE=DATE:20260509\r\n" + rules[1].lines);
    ChoreFields movedOn = VTodoCodec::read(before, berlin).fields;
    movedOn.startDate = movedOn.dueDate = may(11).startOfDay(berlin);
    const QByteArray master = VTodoCodec::write(u"a"_s, movedOn, rules[1].want, berlin, before).ics;
    EXPECT_TRUE(master.contains("\nDUE;VALUE=DATE:20260510\r") && master.contains("\nDTSTART;VALUE=DATE:20260510\r"));
    EXPECT_EQ(VTodoCodec::read(master, berlin).fields.dueDate, movedOn.dueDate);
    // Repeating no more: the overrides of its occurrences go with the rule.
    const QByteArray once = VTodoCodec::write(u"a"_s, movedOn, {}, berlin, master).ics;
    EXPECT_FALSE(once.contains("RECURRENCE-ID") || once.contains("RRULE")) << once.toStdString();
    EXPECT_EQ(VTodoCodec::read(once, berlin).fields.dueDate, movedOn.dueDate);

    ChoreFields sound = fields(u"a"_s, day(2026, 5, 1), day(2026, 5, 2));
    sound.notify = true;
    ChoreFields farAway = sound, invalid = sound, bulky = sound;
    bulky.title = QString(VTodoCodec::maxResourceBytes, u'x');
    farAway.dueDate = QDate(40000, 1, 1).startOfDay(berlin);
    invalid.startDate = QDateTime();
    for (const auto &[name, uid, fields] : {std::tuple{"bulky", u"u"_s, bulky}, std::tuple{"far away", u"u"_s, farAway},
                                            std::tuple{"no start", u"u"_s, invalid},
                                            std::tuple{"no uid", QString(), sound}})
        EXPECT_FALSE(VTodoCodec::write(uid, fields, {}, berlin).reason.isEmpty()) << name;

    // A reminder time that names no minute is kept, with no alarm for other apps.
    ChoreFields oddReminder = sound;
    oddReminder.notificationTime = std::numeric_limits<double>::quiet_NaN();
    const TodoWriting odd = VTodoCodec::write(u"u"_s, oddReminder, {}, berlin);
    EXPECT_FALSE(odd.ics.contains("BEGIN:VALARM") || odd.ics.contains("RRULE"));
    EXPECT_TRUE(std::isnan(VTodoCodec::read(odd.ics, berlin).fields.notificationTime));
}

} // namespace

// The three-way merge alone: each field from the side that changed it; changed on both, finishing
// wins, else the later change, the server's on a tie, and a change of unknown time never beats a
// known one; with no copy both started from, every differing field is changed on both sides.
TEST(ChoreMergeTable, EachFieldFromTheSideThatChangedIt)
{
    const QDateTime early = day(2026, 5, 1), late = day(2026, 5, 2), unknown;
    const QDateTime done = day(2026, 5, 3);
    ChoreState base{fields(u"base"_s, day(2026, 5, 1), day(2026, 5, 9)), rule("FREQ=WEEKLY;BYDAY=MO"), {u"Alice"_s, {}, {}}};
    const auto titled = [&](const QString &title) { ChoreState s = base; s.fields.title = title; return s; };
    const auto finished = [&](const ChoreState &from) { ChoreState s = from; s.fields.endDate = done; return s; };
    const auto ruled = [&](const char *text) { ChoreState s = base; s.recurrence.rule = QString::fromLatin1(text); return s; };
    const auto assigned = [&](const ChoreState &from, const QString &who) { ChoreState s = from; s.people.assignee = who; return s; };
    const struct {
        const char *name;
        bool hasBase;
        ChoreState local, remote;
        QDateTime localModified, remoteModified;
        QString title;
        bool ended;
        const char *rule;
        int conflicts;
        QString assignee = u"Alice"_s;
    } rows[] = {
        {"changed here only", true, titled(u"here"_s), base, early, late, u"here"_s, false, "FREQ=WEEKLY;BYDAY=MO", 0},
        {"changed there only", true, base, titled(u"there"_s), late, early, u"there"_s, false, "FREQ=WEEKLY;BYDAY=MO", 0},
        {"both, here later", true, titled(u"here"_s), titled(u"there"_s), late, early, u"here"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"both, there later", true, titled(u"here"_s), titled(u"there"_s), early, late, u"there"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"both at once: the server's", true, titled(u"here"_s), titled(u"there"_s), late, late, u"there"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"here's time unknown", true, titled(u"here"_s), titled(u"there"_s), unknown, early, u"there"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"there's time unknown", true, titled(u"here"_s), titled(u"there"_s), early, unknown, u"here"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"finished there, renamed here", true, titled(u"here"_s), finished(base), late, early, u"here"_s, true, "FREQ=WEEKLY;BYDAY=MO", 0},
        {"finished here beats a later open there", false, finished(base), base, early, late, u"base"_s, true, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"the rule there, the title here", true, titled(u"here"_s), ruled("FREQ=DAILY"), early, late, u"here"_s, false, "FREQ=DAILY", 0},
        {"the same rule in another order", true, ruled("FREQ=WEEKLY;INTERVAL=2"), ruled("INTERVAL=2;FREQ=WEEKLY"), late, early, u"base"_s, false, "FREQ=WEEKLY;INTERVAL=2", 0},
        {"no copy both started from", false, titled(u"here"_s), titled(u"there"_s), late, early, u"here"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"both times unknown: the server's", true, titled(u"here"_s), titled(u"there"_s), unknown, unknown, u"there"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1},
        {"assigned there, renamed here", true, titled(u"here"_s), assigned(base, u"Bob"_s), late, early, u"here"_s, false, "FREQ=WEEKLY;BYDAY=MO", 0, u"Bob"_s},
        {"the turn moved alike on both", true, assigned(titled(u"here"_s), u"Bob"_s), assigned(base, u"Bob"_s), early, late, u"here"_s, false, "FREQ=WEEKLY;BYDAY=MO", 0, u"Bob"_s},
        {"assigned apart on both: the later", true, assigned(base, u"Sam"_s), assigned(base, u"Bob"_s), late, early, u"base"_s, false, "FREQ=WEEKLY;BYDAY=MO", 1, u"Sam"_s},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const MergedChore merged = mergeChore(row.hasBase ? std::optional(base) : std::nullopt, row.local, row.localModified,
                                              row.remote, row.remoteModified, berlin);
        EXPECT_EQ(merged.fields.title, row.title);
        EXPECT_EQ(merged.fields.endDate.has_value(), row.ended);
        EXPECT_EQ(merged.recurrence.rule, QString::fromLatin1(row.rule));
        EXPECT_EQ(merged.sameFieldConflicts, row.conflicts);
        EXPECT_EQ(merged.people.assignee, row.assignee);
        EXPECT_EQ(merged.differsFromRemote, !(merged.fields == row.remote.fields) || !VTodoCodec::sameRecurrence(merged.recurrence, row.remote.recurrence)
                                                || merged.people != row.remote.people);
    }
}
