#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Sync/CalDavClient.h"
#include "Velmora/Sync/SyncEngine.h"
#include "Velmora/Sync/SyncLedger.h"
#include "Velmora/Sync/SyncSchedule.h"
#include "Velmora/Sync/VTodoCodec.h"
#include "tests/Sync/DavServer.h"
#include "tests/support/TestSupport.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace Velmora;
using namespace Velmora::Sync;
using VelmoraTest::DavServer;
using VelmoraTest::waitFor;

namespace {

const QTimeZone berlin("Europe/Berlin");

QDateTime day(int y, int m, int d, const QTimeZone &zone = berlin)
{
    return QDate(y, m, d).startOfDay(zone);
}

ChoreFields chore(const QString &title, const QDateTime &start, const QDateTime &due)
{
    ChoreFields f;
    f.title = title;
    f.startDate = start;
    f.dueDate = due;
    return f;
}

template <typename Result, typename Call>
Result await(Call call)
{
    std::optional<Result> result;
    call([&result](Result r) { result = std::move(r); });
    EXPECT_TRUE(waitFor([&] { return result.has_value(); }, 30000)) << "no answer";
    return result.value_or(Result{});
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
        for (Chore *c : store.chores()) {
            if (c->title() == title)
                return c;
        }
        return nullptr;
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
    // What the calendar holds, read behind the app's back.
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

    DavServer server;
    CalDavClient client;
    QUrl home;
    QUrl calendar;
};

// Every field goes from one device to another as it was, in zones with and without daylight
// saving and on the days the clocks change; a sync with nothing to do costs one request.
TEST_P(SyncAgainstServer, EveryFieldReachesTheOtherDevice)
{
    struct Zone {
        const char *id;
        QList<ChoreFields> chores;
    };
    const auto with = [](ChoreFields f, auto change) {
        change(f);
        return f;
    };
    const QTimeZone auckland("Pacific/Auckland");
    const QList<Zone> zones = {
        {"Europe/Berlin",
         {with(chore(QStringLiteral("Spring forward"), day(2026, 3, 20), day(2026, 3, 29)), [](ChoreFields &f) {
              f.notify = true;
              f.notificationTime = 2.5 * 3600; // 02:30 does not exist that day
          }),
          with(chore(QStringLiteral("Fall back ⏰\nsecond line"), day(2026, 10, 25), day(2026, 10, 25)), [](ChoreFields &f) {
              f.notify = true;
              f.notificationTime = 2.5 * 3600 + 59; // exists twice that day
              f.colorComponents = {1.5f, -0.25f, 0.123456789f};
          }),
          with(chore(QStringLiteral("Finished"), day(2026, 1, 1), day(2026, 1, 5)), [](ChoreFields &f) {
              f.endDate = QDateTime::fromMSecsSinceEpoch(1767700000123, QTimeZone::utc());
              f.colorComponents = {0.0f, 0.0f, 0.0f};
          })}},
        {"Pacific/Auckland",
         {with(chore(QStringLiteral("Southern spring"), day(2026, 9, 20, auckland), day(2026, 9, 27, auckland)),
               [](ChoreFields &f) {
                   f.notify = true;
                   f.notificationTime = 23 * 3600 + 59 * 60;
               }),
          chore(QStringLiteral("Leap day"), day(2028, 2, 29, auckland), day(2028, 3, 1, auckland))}},
    };
    for (const Zone &z : zones) {
        SCOPED_TRACE(z.id);
        const QTimeZone zone(z.id);
        const QUrl target = newCalendar(QString::fromLatin1(z.id));
        Device a(zone), b(zone);
        for (const ChoreFields &f : z.chores)
            ASSERT_NE(a.changes.add(f), nullptr); // before sync was set up: they go up at the first sync
        a.connect(target);
        const SyncReport sent = a.sync();
        ASSERT_TRUE(sent.ok()) << sent.error.message.toStdString();
        EXPECT_EQ(sent.sent, z.chores.size());
        b.connect(target);
        const SyncReport received = b.sync();
        ASSERT_TRUE(received.ok()) << received.error.message.toStdString();
        const auto there = b.byTitle();
        ASSERT_EQ(there.size(), size_t(z.chores.size()));
        for (const ChoreFields &f : z.chores) {
            ASSERT_EQ(there.count(f.title), 1u) << f.title.toStdString();
            const ChoreFields &got = there.at(f.title);
            EXPECT_TRUE(sameAsWritten(got, f, zone)) << f.title.toStdString();
            EXPECT_EQ(got.endDate, f.endDate);
        }
        // Nothing changed on either side: one request each, and nothing written.
        for (Device *d : {&a, &b}) {
            const SyncReport idle = d->sync();
            EXPECT_TRUE(idle.ok());
            EXPECT_EQ(idle.requests, 1);
            EXPECT_EQ(idle.sent + idle.received, 0);
        }
    }
}

// Both devices change the same chore while apart. Table: what each does, then what both hold.
TEST_P(SyncAgainstServer, ChangesOnBothSidesMergeAndNoEditIsLost)
{
    struct Case {
        const char *name;
        std::function<void(Device &, Chore *)> first;  // on device A, synced first
        std::function<void(Device &, Chore *)> second; // on device B, later, synced second
        std::function<void(const std::optional<ChoreFields> &)> check;
    };
    const QDateTime due = day(2026, 6, 10);
    const Case cases[] = {
        {"different fields: both stay",
         [](Device &, Chore *c) { c->assignTitle(QStringLiteral("renamed")); },
         [&](Device &, Chore *c) { c->assignDueDate(due.addDays(3)); },
         [&](const auto &f) {
             ASSERT_TRUE(f);
             EXPECT_EQ(f->title, QStringLiteral("renamed"));
             EXPECT_EQ(f->dueDate.toTimeZone(berlin).date(), QDate(2026, 6, 13));
         }},
        {"same field: the later change wins",
         [](Device &, Chore *c) { c->assignTitle(QStringLiteral("earlier")); },
         [](Device &, Chore *c) { c->assignTitle(QStringLiteral("later")); },
         [](const auto &f) {
             ASSERT_TRUE(f);
             EXPECT_EQ(f->title, QStringLiteral("later"));
         }},
        {"finishing wins over an edit made after it",
         [](Device &d, Chore *c) { d.changes.finish(c); },
         [](Device &, Chore *c) { c->assignTitle(QStringLiteral("edited")); },
         [](const auto &f) {
             ASSERT_TRUE(f);
             EXPECT_TRUE(f->endDate.has_value());
             EXPECT_EQ(f->title, QStringLiteral("edited"));
         }},
        {"an edit wins over a delete made there",
         [](Device &d, Chore *c) { d.changes.remove(c); },
         [](Device &, Chore *c) { c->assignNotify(true); },
         [](const auto &f) {
             ASSERT_TRUE(f);
             EXPECT_TRUE(f->notify);
         }},
        {"an edit there wins over a delete here",
         [](Device &, Chore *c) { c->assignColorComponents({0.1f, 0.2f, 0.3f}); },
         [](Device &d, Chore *c) { d.changes.remove(c); },
         [](const auto &f) {
             ASSERT_TRUE(f);
             EXPECT_FLOAT_EQ(f->colorComponents.blue, 0.3f);
         }},
        {"deleted on both sides",
         [](Device &d, Chore *c) { d.changes.remove(c); },
         [](Device &d, Chore *c) { d.changes.remove(c); },
         [](const auto &f) { EXPECT_FALSE(f); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QUrl target = newCalendar(QString::fromLatin1(c.name));
        Device a, b;
        a.connect(target);
        b.connect(target);
        ASSERT_NE(a.changes.add(chore(QStringLiteral("shared"), day(2026, 6, 1), due)), nullptr);
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
        const auto onBoth = [](Device &d) -> std::optional<ChoreFields> {
            const auto all = d.byTitle();
            EXPECT_LE(all.size(), 1u);
            return all.empty() ? std::nullopt : std::optional(all.begin()->second);
        };
        const std::optional<ChoreFields> fa = onBoth(a), fb = onBoth(b);
        c.check(fb);
        ASSERT_EQ(fa.has_value(), fb.has_value());
        if (fa) {
            EXPECT_TRUE(sameAsWritten(*fa, *fb));
        }
        EXPECT_EQ(a.engine.pendingChanges() + b.engine.pendingChanges(), 0);
    }
}

// Tasks other apps wrote: shown where they have a due day, the rest left alone and counted,
// and what we do not understand survives our edits.
TEST_P(SyncAgainstServer, TasksOfOtherAppsAreShownCountedAndKeptWhole)
{
    const QByteArray header = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n";
    const QByteArray footer = "END:VCALENDAR\r\n";
    const auto put = [&](const QString &name, const QByteArray &body) {
        const WriteResult r = await<WriteResult>([&](auto done) {
            client.put(calendar.resolved(QUrl(name)), header + body + footer, {}, done);
        });
        EXPECT_TRUE(r.error.ok()) << name.toStdString() << ": " << r.error.message.toStdString();
    };
    put(QStringLiteral("timed.ics"), "BEGIN:VTODO\r\nUID:timed@other\r\nDTSTAMP:20260101T000000Z\r\n"
                                     "SUMMARY:Timed due\r\nDUE:20260615T223000Z\r\nPRIORITY:1\r\n"
                                     "CATEGORIES:home,garden\r\nX-OTHER-THING:keep me\r\n"
                                     "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
                                     "END:VTODO\r\n");
    put(QStringLiteral("undated.ics"), "BEGIN:VTODO\r\nUID:undated@other\r\nDTSTAMP:20260101T000000Z\r\n"
                                       "SUMMARY:Someday\r\nEND:VTODO\r\n");
    put(QStringLiteral("done.ics"), "BEGIN:VTODO\r\nUID:done@other\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Done\r\n"
                                    "DUE;VALUE=DATE:20260110\r\nSTATUS:COMPLETED\r\nCOLOR:teal\r\nEND:VTODO\r\n");
    put(QStringLiteral("absurd.ics"), "BEGIN:VTODO\r\nUID:absurd@other\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Far\r\n"
                                      "DUE;VALUE=DATE:99991231\r\nEND:VTODO\r\n");
    if (server.kind() == DavServer::Kind::Xandikos) // Radicale's MKCOL made a calendar for tasks only
        put(QStringLiteral("event.ics"), "BEGIN:VEVENT\r\nUID:event@other\r\nDTSTAMP:20260101T000000Z\r\n"
                                         "DTSTART:20260601T100000Z\r\nSUMMARY:Party\r\nEND:VEVENT\r\n");

    Device d;
    d.connect(calendar);
    const SyncReport report = d.sync();
    ASSERT_TRUE(report.ok()) << report.error.message.toStdString();
    EXPECT_EQ(report.withoutDue, 1);
    EXPECT_EQ(report.unreadable, 1);
    EXPECT_EQ(report.otherItems, server.kind() == DavServer::Kind::Xandikos ? 1 : 0);
    const auto all = d.byTitle();
    ASSERT_EQ(all.size(), 2u);
    // 22:30 UTC is the next day in Berlin.
    EXPECT_EQ(all.at(QStringLiteral("Timed due")).dueDate.toTimeZone(berlin).date(), QDate(2026, 6, 16));
    EXPECT_EQ(all.at(QStringLiteral("Timed due")).startDate.toTimeZone(berlin).date(), QDate(2026, 6, 16));
    EXPECT_TRUE(all.at(QStringLiteral("Done")).endDate.has_value());
    EXPECT_EQ(all.at(QStringLiteral("Done")).colorComponents.color().name(), QColor(QStringLiteral("teal")).name());

    Chore *timed = d.find(QStringLiteral("Timed due"));
    ASSERT_NE(timed, nullptr);
    ASSERT_TRUE(timed->assignTitle(QStringLiteral("Timed, renamed")));
    ASSERT_TRUE(d.sync().ok());
    const QList<Resource> held = serverResources();
    const auto it = std::find_if(held.begin(), held.end(), [](const Resource &r) { return r.data.contains("timed@other"); });
    ASSERT_NE(it, held.end());
    for (const char *kept : {"PRIORITY:1", "CATEGORIES:home,garden", "X-OTHER-THING:keep me", "TRIGGER:-PT15M",
                             "DUE:20260615T223000Z", "SUMMARY:Timed\\, renamed"})
        EXPECT_TRUE(it->data.contains(kept)) << kept << "\n" << it->data.toStdString();
    // The items left alone stay as they were.
    EXPECT_TRUE(std::any_of(held.begin(), held.end(), [](const Resource &r) { return r.data.contains("Someday"); }));
}

// Offline edits on both devices, drawn at random but repeatable: after syncing, both hold the
// same chores, none added on either side is missing, and no edit was dropped unless the other
// side changed the same field later or deleted a chore nobody edited.
TEST_P(SyncAgainstServer, RandomOfflineEditsOnBothDevicesConverge)
{
    QRandomGenerator random(20261207);
    Device a, b;
    a.connect(calendar);
    b.connect(calendar);
    for (int i = 0; i < 12; ++i)
        a.changes.add(chore(QStringLiteral("base %1").arg(i), day(2026, 7, 1), day(2026, 7, 1 + i)));
    ASSERT_TRUE(a.sync().ok());
    ASSERT_TRUE(b.sync().ok());

    QSet<QString> added;
    for (int round = 0; round < 3; ++round) {
        for (Device *d : {&a, &b}) {
            for (int step = 0; step < 8; ++step) {
                std::vector<Chore *> active;
                for (Chore *c : d->store.chores()) {
                    if (!c->isFinished())
                        active.push_back(c);
                }
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
    }
    // And the server holds exactly those chores.
    EXPECT_EQ(serverResources().size(), qsizetype(a.byTitle().size()));
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
    int seen = 0;
    std::optional<SyncReport> cut;
    QObject::connect(&a.engine, &SyncEngine::finished, [&](const SyncReport &r) { cut = r; });
    a.engine.start();
    ASSERT_TRUE(waitFor([&] {
        seen = a.engine.pendingChanges();
        return seen < 40 || cut.has_value();
    }, 30000));
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
    std::optional<SyncReport> racing;
    auto connection = QObject::connect(&a.engine, &SyncEngine::finished, [&](const SyncReport &r) { racing = r; });
    a.engine.start();
    ASSERT_TRUE(a.changes.remove(brief));
    ASSERT_TRUE(waitFor([&] { return racing.has_value(); }, 30000));
    QObject::disconnect(connection);
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
    QTest::qWait(400);
    EXPECT_EQ(reports.size(), 3);
    EXPECT_EQ(d.engine.pendingChanges(), 1);
}

} // namespace
