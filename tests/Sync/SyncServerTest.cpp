#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Sync/CalDavClient.h"
#include "Velmora/Sync/SyncEngine.h"
#include "Velmora/Sync/SyncLedger.h"
#include "Velmora/Sync/SyncSchedule.h"
#include "Velmora/Sync/VTodoCodec.h"
#include "tests/Sync/DavServer.h"

#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QtTest/QTest>

#include <map>

using namespace Velmora;
using namespace Velmora::Sync;
using VelmoraTest::await;
using VelmoraTest::DavServer;
using VelmoraTest::waitFor;

namespace {

const QTimeZone berlin("Europe/Berlin");

QDateTime day(int y, int m, int d)
{
    return QDate(y, m, d).startOfDay(berlin);
}

ChoreFields chore(const QString &title, const QDateTime &start, const QDateTime &due)
{
    ChoreFields f;
    f.title = title;
    f.startDate = start;
    f.dueDate = due;
    return f;
}

// One of the user's devices: its own store, synced with the calendar.
struct Device {
    explicit Device(const QTimeZone &zone = berlin)
    {
        EXPECT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
        engine.setTimeZone(zone);
    }
    void connect(const QUrl &calendar, const QString &password = QString::fromLatin1(DavServer::password))
    {
        engine.setTarget(SyncTarget{calendar, QString::fromLatin1(DavServer::user), password});
    }
    SyncReport sync()
    {
        std::optional<SyncReport> report;
        auto connection = QObject::connect(&engine, &SyncEngine::finished, [&](const SyncReport &r) { report = r; });
        engine.start();
        EXPECT_TRUE(waitFor([&] { return report.has_value(); }, 60000)) << "the sync never ended";
        QObject::disconnect(connection);
        return report.value_or(SyncReport{});
    }
    // Chores by title, in memory and stored alike.
    std::map<QString, ChoreFields> byTitle() const
    {
        std::map<QString, ChoreFields> all;
        store.forEachStored([&](qint64, const ChoreFields &f) {
            EXPECT_EQ(all.count(f.title), 0u) << "twice: " << f.title.toStdString();
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

bool sameAsWritten(const ChoreFields &a, const ChoreFields &b, const QTimeZone &zone = berlin)
{
    for (int f = 0; f <= int(Chore::Field::NotificationTime); ++f) {
        if (!VTodoCodec::sameField(Chore::Field(f), a, b, zone))
            return false;
    }
    return true;
}

// A real server with a calendar of chores, and a client to look behind the app's back.
class SyncAgainstServer : public ::testing::TestWithParam<DavServer::Kind> {
protected:
    SyncAgainstServer() : SyncAgainstServer(GetParam()) {}
    explicit SyncAgainstServer(DavServer::Kind kind) : server(kind) {}
    void SetUp() override
    {
        ASSERT_TRUE(server.start()) << server.error().toStdString();
        client.setCredentials(QString::fromLatin1(DavServer::user), QString::fromLatin1(DavServer::password));
        calendar = newCalendar(QStringLiteral("Chores"));
    }
    QUrl newCalendar(const QString &name)
    {
        if (home.isEmpty()) {
            const Discovery found = await<Discovery>([&](auto done) { client.discover(server.url(), done); });
            EXPECT_TRUE(found.error.ok()) << found.error.message.toStdString();
            home = found.home;
        }
        const CreatedCalendar created = await<CreatedCalendar>([&](auto done) { client.createCalendar(home, name, done); });
        EXPECT_TRUE(created.error.ok()) << created.error.message.toStdString();
        return created.calendar.url;
    }
    QList<Resource> serverResources()
    {
        CalendarInfo info;
        info.url = calendar;
        const ChangeList all = await<ChangeList>([&](auto done) { client.listChanges(info, {}, done); });
        QList<QUrl> hrefs;
        for (const ResourceState &r : all.changed)
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

// Both devices change the same chore while apart. Table: what each does, then what both hold.
TEST_P(SyncAgainstServer, ChangesOnBothSidesMergeAndNoEditIsLost)
{
    using Edit = std::function<void(Device &, Chore *)>;
    const auto rename = [](const char *title) -> Edit {
        return [title](Device &, Chore *c) { c->assignTitle(QString::fromUtf8(title)); };
    };
    const Edit remove = [](Device &d, Chore *c) { d.changes.remove(c); };
    const ChoreFields shared = chore(QStringLiteral("shared"), day(2026, 6, 1), day(2026, 6, 10));
    const auto with = [&](const std::function<void(ChoreFields &)> &change) {
        ChoreFields f = shared;
        change(f);
        return std::optional(f);
    };
    const struct {
        const char *name;
        Edit first;                      // on device A, synced first
        Edit second;                     // on device B, later, synced second
        std::optional<ChoreFields> both; // what both hold afterwards; of the end, only whether there is one
    } cases[] = {
        {"different fields: both stay", rename("renamed"),
         [](Device &, Chore *c) { c->assignDueDate(day(2026, 6, 13)); },
         with([](ChoreFields &f) {
             f.title = QStringLiteral("renamed");
             f.dueDate = day(2026, 6, 13);
         })},
        {"same field: the later change wins", rename("earlier"), rename("later"),
         with([](ChoreFields &f) { f.title = QStringLiteral("later"); })},
        {"finishing wins over an edit made after it", [](Device &d, Chore *c) { d.changes.finish(c); },
         rename("edited"),
         with([](ChoreFields &f) {
             f.title = QStringLiteral("edited");
             f.endDate = QDateTime();
         })},
        {"an edit wins over a delete made there", remove, [](Device &, Chore *c) { c->assignNotify(true); },
         with([](ChoreFields &f) { f.notify = true; })},
        {"an edit there wins over a delete here",
         [](Device &, Chore *c) { c->assignColorComponents({0.1f, 0.2f, 0.3f}); }, remove,
         with([](ChoreFields &f) { f.colorComponents = {0.1f, 0.2f, 0.3f}; })},
        {"deleted on both sides", remove, remove, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QUrl target = newCalendar(QString::fromLatin1(c.name));
        Device a, b;
        a.connect(target);
        b.connect(target);
        ASSERT_NE(a.changes.add(shared), nullptr);
        ASSERT_TRUE(a.sync().ok());
        ASSERT_TRUE(b.sync().ok());
        Chore *onA = a.find(QStringLiteral("shared"));
        Chore *onB = b.find(QStringLiteral("shared"));
        ASSERT_TRUE(onA && onB);
        c.first(a, onA);
        QThread::msleep(5); // the second edit is the later one
        c.second(b, onB);
        const SyncReport first = a.sync();
        const SyncReport second = b.sync();
        const SyncReport last = a.sync();
        ASSERT_TRUE(first.ok() && second.ok() && last.ok()) << second.error.message.toStdString();
        for (Device *d : {&a, &b}) {
            const auto all = d->byTitle();
            ASSERT_EQ(all.size(), c.both ? 1u : 0u);
            if (c.both) {
                ChoreFields got = all.begin()->second;
                EXPECT_EQ(got.endDate.has_value(), c.both->endDate.has_value());
                got.endDate = c.both->endDate;
                EXPECT_TRUE(sameAsWritten(got, *c.both)) << got.title.toStdString();
            }
        }
        if (c.both) {
            EXPECT_EQ(a.byTitle().begin()->second.endDate, b.byTitle().begin()->second.endDate);
        }
        EXPECT_EQ(a.engine.pendingChanges() + b.engine.pendingChanges(), 0);
    }
}

// Tasks other apps wrote: shown where they have a due day, read in this device's zone, the rest
// left alone and counted; what this app does not know survives its edits, and only what it
// changed is written anew.
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
        {"pay", "Pay", {"DTSTART:20260501T020000Z", "DUE:20260510T140000Z", "COLOR:gold"}, {2026, 5, 10}, {2026, 5, 1},
         QColor("gold"), false, {"DTSTART;VALUE=DATE:20260501", "DUE;VALUE=DATE:20260513", "COLOR:gold"}},
        {"undated", "Someday", {}, {}, {}, {}, false, {}},
        {"absurd", "Far", {"DUE;VALUE=DATE:99991231"}, {}, {}, {}, false, {}},
        {"event", "Party", {"DTSTART:20260601T100000Z"}, {}, {}, {}, false, {}},
    };
    // Radicale's MKCOL made a calendar for tasks only.
    const bool events = server.kind() == DavServer::Kind::Xandikos;
    for (const auto &t : tasks) {
        const QByteArray kind = t.uid == "event" ? "VEVENT" : "VTODO";
        if (kind == "VEVENT" && !events)
            continue;
        const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
            + (t.uid == "windows" ? windowsZone : QByteArray()) + "BEGIN:" + kind + "\r\nUID:" + t.uid
            + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:" + t.title + "\r\n" + t.lines.join("\r\n")
            + (t.lines.isEmpty() ? "" : "\r\n") + "END:" + kind + "\r\nEND:VCALENDAR\r\n";
        const QUrl href = calendar.resolved(QUrl(QString::fromLatin1(t.uid + ".ics")));
        const WriteResult put = await<WriteResult>([&](auto done) { client.put(href, ics, {}, done); });
        EXPECT_TRUE(put.error.ok()) << t.uid.toStdString() << ": " << put.error.message.toStdString();
    }

    const QTimeZone tokyo("Asia/Tokyo");
    Device d(tokyo);
    d.connect(calendar);
    const SyncReport report = d.sync();
    ASSERT_TRUE(report.ok()) << report.error.message.toStdString();
    EXPECT_EQ(report.withoutDue, 1);
    EXPECT_EQ(report.unreadable, 1);
    EXPECT_EQ(report.otherItems, events ? 1 : 0);
    ASSERT_EQ(d.byTitle().size(), 5u);
    for (const auto &t : tasks) {
        SCOPED_TRACE(t.title);
        if (t.due.isValid()) {
            Chore *c = d.find(QString::fromUtf8(t.title));
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->dueDate(), t.due.startOfDay(tokyo));
            EXPECT_EQ(c->startDate(), t.start.startOfDay(tokyo));
            EXPECT_EQ(c->colorComponents(), ColorComponentsModel::fromColor(t.color));
            EXPECT_EQ(c->isFinished(), t.finished);
            ASSERT_TRUE(c->assignTitle(QString::fromUtf8(t.title) + QStringLiteral(" renamed")));
        }
    }
    d.find(QStringLiteral("Pay renamed"))->assignDueDate(QDate(2026, 5, 13).startOfDay(tokyo));
    ASSERT_TRUE(d.sync().ok());
    for (const auto &t : tasks) {
        if (t.uid == "event" && !events)
            continue;
        const QByteArray held = serverCopy("UID:" + t.uid);
        ASSERT_FALSE(held.isEmpty()) << t.uid.toStdString();
        for (const QByteArray &line : t.after.isEmpty() ? t.lines : t.after)
            EXPECT_TRUE(held.contains("\n" + line + "\n")) << line.toStdString() << "\n" << held.toStdString();
        EXPECT_FALSE(held.contains("X-LIC-ERROR")) << held.toStdString();
        const bool renamed = held.contains(QByteArray("SUMMARY:") + t.title + " renamed\n");
        EXPECT_EQ(renamed, t.due.isValid()) << held.toStdString();
    }
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
        a.changes.add(chore(QStringLiteral("base %1").arg(i), day(2026, 7, 1), day(2026, 7, 1 + i)));
    ChoreFields spring = chore(QStringLiteral("Spring; «again», \"quoted\""), day(2026, 3, 20), day(2026, 3, 29));
    ChoreFields fall = chore(QStringLiteral("Fall ⏰\nline two\\ backslash"), day(2026, 10, 25), day(2026, 10, 25));
    ChoreFields finished = chore(QStringLiteral("Finished"), day(2026, 1, 5), day(2026, 1, 1));
    ChoreFields untitled = chore(QString(), day(2026, 12, 31), day(2026, 12, 31));
    spring.notify = fall.notify = true;
    spring.notificationTime = 2.5 * 3600;    // 02:30 does not exist that day
    fall.notificationTime = 2.5 * 3600 + 59; // exists twice that day
    untitled.notificationTime = 45296.75;
    spring.colorComponents = {0.33333334f, 0.6666667f, 1e-7f};
    fall.colorComponents = {1.5f, -0.25f, 0.123456789f};
    finished.endDate = QDateTime::fromMSecsSinceEpoch(1767700000123, QTimeZone::utc());
    finished.colorComponents = {0.0f, 0.0f, 0.0f};
    for (const ChoreFields &f : {spring, fall, finished, untitled})
        ASSERT_NE(a.changes.add(f), nullptr);
    a.connect(calendar);
    b.connect(calendar);
    QSet<QString> added;
    const auto converged = [&](int round) {
        ASSERT_TRUE(a.sync().ok());
        ASSERT_TRUE(b.sync().ok());
        ASSERT_TRUE(a.sync().ok());
        const auto onA = a.byTitle(), onB = b.byTitle();
        ASSERT_EQ(onA.size(), onB.size()) << "round " << round;
        for (const auto &[title, fields] : onA) {
            ASSERT_EQ(onB.count(title), 1u) << title.toStdString();
            EXPECT_TRUE(sameAsWritten(fields, onB.at(title))) << title.toStdString();
        }
        for (const QString &title : std::as_const(added))
            EXPECT_EQ(onA.count(title), 1u) << "lost: " << title.toStdString();
        EXPECT_EQ(a.engine.pendingChanges() + b.engine.pendingChanges(), 0);
    };
    converged(-1);
    // What the server holds is what strict servers and other apps expect: plain dates, DTSTART
    // only before DUE, and an alarm at the minute this app's own reminder rings.
    const auto ring = [](const ChoreFields &f) {
        const QDateTime at = *NotificationsManager::reminderInstant(f.dueDate, f.notificationTime, berlin);
        return "TRIGGER;VALUE=DATE-TIME:" + at.toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1();
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
                    const QString title = QStringLiteral("new %1 %2 %3").arg(d == &a ? 'a' : 'b').arg(round).arg(step);
                    d->changes.add(chore(title, day(2026, 8, 1), day(2026, 8, 1 + random.bounded(20))));
                    added << title;
                } else if (op == 1) {
                    c->assignDueDate(c->dueDate().addDays(random.bounded(1, 9)));
                } else if (op == 2) {
                    c->assignNotify(!c->notify());
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
    const QUrl nowhere = server.url().resolved(QUrl(QStringLiteral("/no/such/place/")));
    const Discovery found = await<Discovery>([&](auto done) { client.discover(nowhere, done); });
    EXPECT_TRUE(found.error.ok()) << found.error.message.toStdString();
    EXPECT_TRUE(std::any_of(found.calendars.begin(), found.calendars.end(), [&](const CalendarInfo &c) {
        return CalDavClient::sameResource(c.url, calendar) && c.displayName == QStringLiteral("Chores");
    }));

    CalendarInfo byToken, byCtag;
    byToken.url = byCtag.url = calendar;
    byToken.supportsSyncCollection = true;
    const ChangeList startToken = await<ChangeList>([&](auto done) { client.listChanges(byToken, {}, done); });
    const ChangeList startCtag = await<ChangeList>([&](auto done) { client.listChanges(byCtag, {}, done); });
    ASSERT_TRUE(startToken.error.ok() && startCtag.error.ok());
    const ChoreFields one = chore(QStringLiteral("One"), day(2026, 5, 1), day(2026, 5, 2));
    const QByteArray ics = VTodoCodec::write(QStringLiteral("one"), one, berlin).ics;
    const QUrl href = CalDavClient::resourceUrl(calendar, QStringLiteral("one"));
    const QUrl twin = CalDavClient::resourceUrl(calendar, QStringLiteral("twin"));
    ASSERT_TRUE(await<WriteResult>([&](auto done) { client.put(href, ics, {}, done); }).error.ok());
    const WriteResult twice = await<WriteResult>([&](auto done) { client.put(href, ics, {}, done); });
    EXPECT_EQ(twice.error.kind, CalDavError::Kind::Conflict);
    // The same UID under another name (Radicale: 409, Xandikos: 412 inside a 207).
    EXPECT_FALSE(await<WriteResult>([&](auto done) { client.put(twin, ics, {}, done); }).error.ok());

    const ChangeList afterCtag = await<ChangeList>([&](auto done) { client.listChanges(byCtag, startCtag.state, done); });
    EXPECT_TRUE(afterCtag.complete && afterCtag.changed.size() == 1) << afterCtag.error.message.toStdString();
    const ChangeList quietCtag = await<ChangeList>([&](auto done) { client.listChanges(byCtag, afterCtag.state, done); });
    EXPECT_TRUE(quietCtag.unchanged);

    const QUrl big = CalDavClient::resourceUrl(calendar, QStringLiteral("big"));
    const QUrl gone = CalDavClient::resourceUrl(calendar, QStringLiteral("never-written"));
    const QByteArray bigIcs = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:big\r\n"
                              "DTSTAMP:20260101T000000Z\r\nDESCRIPTION:"
        + QByteArray(CalDavClient::maxResourceBytes, 'x') + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    ASSERT_TRUE(await<WriteResult>([&](auto done) { client.put(big, bigIcs, {}, done); }).error.ok());
    const auto fetched = await<FetchedResources>([&](auto done) { client.fetch(calendar, {big, href, gone}, done); });
    EXPECT_EQ(fetched.refused, QList<QUrl>{big});
    EXPECT_EQ(fetched.missing, QList<QUrl>{gone});
    ASSERT_EQ(fetched.resources.size(), 1);
    EXPECT_EQ(VTodoCodec::read(fetched.resources.first().data, berlin).fields.title, QStringLiteral("One"));

    SyncState forgotten = startToken.state;
    forgotten.syncToken += QStringLiteral("-unknown");
    EXPECT_EQ(await<ChangeList>([&](auto done) { client.listChanges(byToken, forgotten, done); }).error.kind,
              CalDavError::Kind::InvalidSyncToken);
}

INSTANTIATE_TEST_SUITE_P(RealServers, SyncAgainstServer,
                         ::testing::Values(DavServer::Kind::Radicale, DavServer::Kind::Xandikos),
                         [](const auto &info) { return std::string(VelmoraTest::name(info.param)); });

// One Radicale with one calendar of chores.
class SyncFaults : public SyncAgainstServer {
protected:
    SyncFaults() : SyncAgainstServer(DavServer::Kind::Radicale) {}
};

// Faults on the way: a wrong password, a server that dies half-way, a calendar that suddenly
// lists nothing. None of them costs a chore, and the next sync completes.
TEST_F(SyncFaults, NothingIsLostAndTheNextSyncCompletes)
{
    Device a;
    for (int i = 0; i < 60; ++i)
        a.changes.add(chore(QStringLiteral("chore %1").arg(i), day(2026, 9, 1), day(2026, 9, 2)));

    a.connect(calendar, QStringLiteral("wrong"));
    const SyncReport refused = a.sync();
    EXPECT_EQ(refused.error.kind, CalDavError::Kind::Unauthorized);
    EXPECT_EQ(refused.error.message, QStringLiteral("The server refused the user name or password."));
    EXPECT_EQ(a.engine.pendingChanges(), 60);

    // Killed once some chores are on the server.
    a.connect(calendar);
    std::optional<SyncReport> cut;
    QObject::connect(&a.engine, &SyncEngine::finished, [&](const SyncReport &r) { cut = r; });
    a.engine.start();
    ASSERT_TRUE(waitFor([&] { return a.engine.pendingChanges() < 40 || cut.has_value(); }, 30000));
    server.kill();
    ASSERT_TRUE(waitFor([&] { return cut.has_value(); }, 60000));
    EXPECT_FALSE(cut->ok());
    EXPECT_EQ(a.store.chores().size(), 60u);
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    const SyncReport resumed = a.sync();
    ASSERT_TRUE(resumed.ok()) << resumed.error.message.toStdString();
    EXPECT_EQ(a.engine.pendingChanges(), 0);

    Device b;
    b.connect(calendar);
    ASSERT_TRUE(b.sync().ok());
    EXPECT_EQ(b.byTitle().size(), 60u);

    // Deleted here while on its way up: the server does not keep it, nor bring it back.
    Chore *brief = a.changes.add(chore(QStringLiteral("brief"), day(2026, 9, 1), day(2026, 9, 2)));
    cut.reset();
    a.engine.start();
    ASSERT_TRUE(a.changes.remove(brief));
    ASSERT_TRUE(waitFor([&] { return cut.has_value(); }, 30000));
    ASSERT_TRUE(a.sync().ok());
    ASSERT_TRUE(b.sync().ok());
    EXPECT_EQ(a.byTitle().count(QStringLiteral("brief")), 0u);
    EXPECT_EQ(b.byTitle().count(QStringLiteral("brief")), 0u);
    EXPECT_EQ(a.engine.pendingChanges(), 0);

    // Every resource gone behind our back at once is not taken as sixty deletions.
    for (const QUrl &href : SyncLedger(b.store).onServer())
        await<CalDavError>([&](auto done) { client.remove(href, {}, done); });
    const SyncReport emptied = b.sync();
    EXPECT_FALSE(emptied.ok());
    EXPECT_FALSE(emptied.error.message.isEmpty());
    EXPECT_EQ(b.byTitle().size(), 60u);
}

// Runs start by themselves: once there is an account, and soon after a change here; a refused
// password is not tried again by itself.
TEST_F(SyncFaults, RunsFollowTheAccountAndChangesButNotARefusedPassword)
{
    Device d;
    SyncSchedule schedule(d.engine, d.store, {std::chrono::milliseconds(50), std::chrono::hours(1)});
    QList<SyncReport> reports;
    QObject::connect(&d.engine, &SyncEngine::finished, [&](const SyncReport &r) { reports << r; });
    d.changes.add(chore(QStringLiteral("before"), day(2026, 9, 1), day(2026, 9, 2)));
    QTest::qWait(200);
    EXPECT_TRUE(reports.isEmpty()) << "a run without an account";

    d.connect(calendar);
    ASSERT_TRUE(waitFor([&] { return reports.size() == 1; }, 20000));
    EXPECT_TRUE(reports.last().ok());
    EXPECT_EQ(reports.last().sent, 1);
    d.changes.add(chore(QStringLiteral("after"), day(2026, 9, 1), day(2026, 9, 2)));
    ASSERT_TRUE(waitFor([&] { return reports.size() == 2; }, 20000));
    EXPECT_EQ(reports.last().sent, 1);

    d.connect(calendar, QStringLiteral("wrong"));
    ASSERT_TRUE(waitFor([&] { return reports.size() == 3; }, 20000));
    EXPECT_EQ(reports.last().error.kind, CalDavError::Kind::Unauthorized);
    d.changes.add(chore(QStringLiteral("while refused"), day(2026, 9, 1), day(2026, 9, 2)));
    // Longer than Radicale takes to answer a wrong password (it waits about a second).
    EXPECT_FALSE(waitFor([&] { return reports.size() > 3; }, 3000)) << "tried again by itself";
    EXPECT_EQ(d.engine.pendingChanges(), 1);
}

QByteArray http(const char *statusLine, const QByteArray &headers, const QByteArray &body = {})
{
    return QByteArray("HTTP/1.1 ") + statusLine + "\r\n" + headers + "Content-Length: " + QByteArray::number(body.size())
        + "\r\nConnection: close\r\n\r\n" + body;
}

// Each kind of bad answer becomes its own error with one sentence, and waits are clamped.
TEST(CalDavAnswers, MapToOneErrorEach)
{
    using Kind = CalDavError::Kind;
    const struct {
        const char *name;
        QByteArray answer;
        Kind kind;
        int retryAfterSeconds;
    } cases[] = {
        {"busy, asks for seconds", http("429 Too Many Requests", "Retry-After: 5\r\n"), Kind::RateLimited, 60},
        {"busy, asks for a day", http("503 Service Unavailable", "Retry-After: 86400\r\n"), Kind::RateLimited, 7200},
        {"busy, in between", http("503 Service Unavailable", "Retry-After: 600\r\n"), Kind::RateLimited, 600},
        {"login page", http("200 OK", "Content-Type: text/html\r\n", "<!DOCTYPE html><html><body>Log in</body></html>"),
         Kind::NotCalDav, 0},
        {"not xml", http("207 Multi-Status", "Content-Type: application/xml\r\n", "{\"json\": true}"), Kind::NotCalDav, 0},
        {"wrong password", http("401 Unauthorized", "WWW-Authenticate: Basic realm=\"x\"\r\n"), Kind::Unauthorized, 0},
        {"redirects in a circle", http("302 Found", "Location: /dav/\r\n"), Kind::Server, 0},
        {"silence", QByteArray(), Kind::Timeout, 0},
    };
    for (const auto &c : cases) {
        // Answers every request with the row's answer, or not at all.
        QTcpServer server;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, [socket, &c] {
                    socket->readAll();
                    if (!c.answer.isEmpty()) {
                        socket->write(c.answer);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
        CalDavClient client;
        client.setTimeout(std::chrono::milliseconds(800));
        CalendarInfo calendar;
        calendar.url = QUrl(QStringLiteral("http://127.0.0.1:%1/dav/").arg(server.serverPort()));
        calendar.supportsSyncCollection = true;
        const ChangeList changes = await<ChangeList>([&](auto done) { client.listChanges(calendar, {}, done); });
        EXPECT_EQ(changes.error.kind, c.kind) << c.name;
        EXPECT_EQ(changes.error.retryAfter.count(), c.retryAfterSeconds) << c.name;
        EXPECT_FALSE(changes.error.message.isEmpty()) << c.name;
        EXPECT_FALSE(changes.error.message.contains(QLatin1Char('\n'))) << c.name;
    }
}

} // namespace
