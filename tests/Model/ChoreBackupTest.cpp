#include "tests/Model/StoreFixture.h"

#include "Velmora/Model/BackupService.h"
#include "Velmora/Model/CalendarExport.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Platform/Clock.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

using namespace Velmora;
using VelmoraTest::at;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Chores that stress every field: odd titles, wide-gamut and NaN colours, instants with
// milliseconds, finished and active, odd reminder times.
QList<ChoreFields> variedChores()
{
    QList<ChoreFields> all;
    ChoreFields a;
    a.title = QStringLiteral("Water \"the\" plants, then \\ rest;\nline two \u00e9\U0001F331");
    a.colorComponents = {1.25f, -0.0625f, 0.333333343f};
    a.startDate = QDateTime::fromMSecsSinceEpoch(1767225600123, QTimeZone::utc());
    a.dueDate = at("Europe/Berlin", 2026, 3, 29, 3, 30);
    a.notify = true;
    a.notificationTime = 45296.5;
    all.append(a);

    ChoreFields b;
    b.title = QString();
    b.colorComponents = {kNaN, 0.5f, 0};
    b.startDate = at("UTC", 1, 1, 1);
    b.dueDate = at("UTC", 9999, 12, 31, 23, 59);
    b.endDate = QDateTime::fromMSecsSinceEpoch(1767225600999, QTimeZone::utc());
    b.notificationTime = 0;
    all.append(b);

    // Equal to a except for the due date: a title alone must never match.
    ChoreFields c = a;
    c.dueDate = c.dueDate.addDays(1);
    all.append(c);
    // The same chore twice is two chores.
    all.append(c);

    ChoreFields d = ChoreFields::defaults();
    d.title = QStringLiteral("no dates");
    d.startDate = QDateTime();
    d.dueDate = QDateTime();
    all.append(d);
    return all;
}

// One chore record as a backup holds it, every field valid.
QJsonObject validChore()
{
    return QJsonObject{
        {"title", "ok"},
        {"colorComponents", QJsonObject{{"red", 1}, {"green", 0.5}, {"blue", 0}}},
        {"startDate", "2026-01-01T00:00:00.000Z"},
        {"dueDate", "2026-01-05T00:00:00.000Z"},
        {"endDate", QJsonValue::Null},
        {"notify", true},
        {"notificationTime", 32400},
    };
}

class ChoreBackupTest : public StoreFixture {
protected:
    // The second repeats by another app's rule, with a skipped and a moved occurrence, and is a
    // finished copy of the first.
    static void fill(ChoreStore &store)
    {
        const Recurrence foreign{QStringLiteral("FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=-1"), true, {QDate(2026, 2, 24)},
                                 {{QDate(2026, 3, 31), QDate(2026, 4, 2)}}};
        ChoreChanges changes(store);
        const auto added = changes.addAll(variedChores(), {Recurrence(), foreign});
        ASSERT_TRUE(added && changes.linkToSeries(added->at(1), added->at(0)));
        // Whose turn, the order and who finished the copy; a member added by hand.
        Chore *first = added->at(0), *copy = added->at(1);
        ASSERT_TRUE(changes.update(first, first->fields(), std::nullopt,
                                   ChorePeople{QStringLiteral("O'Brien, Pat"), {QStringLiteral("Al"), QStringLiteral("O'Brien, Pat")}, {}}));
        ASSERT_TRUE(changes.receive(copy, copy->fields(), copy->recurrence(), ChorePeople{{}, {}, QStringLiteral("Sam")}, [] { return true; }));
        ASSERT_TRUE(changes.addMember(QStringLiteral("Kid")));
    }
    // Each link as the titles and due dates of copy and series.
    static QStringList links(const ChoreStore &store)
    {
        QStringList all;
        const auto named = [&](qint64 id) {
            return store.stored(id)->title + QString::number(store.stored(id)->dueDate.toMSecsSinceEpoch());
        };
        for (auto [copy, series] : store.seriesLinks().asKeyValueRange())
            all << named(copy) + QStringLiteral(" -> ") + named(series);
        return all;
    }
    // Sorted match keys: equal for stores holding the same chores, however often each.
    static QList<QByteArray> keys(const ChoreStore &store)
    {
        QList<QByteArray> all;
        for (const Chore *chore : store.chores())
            all.append(ChoreBackup::matchKey(chore->fields(), chore->recurrence()) + chore->assignee().toUtf8() + '|'
                       + chore->turns().join(u'|').toUtf8() + '|' + chore->finishedBy().toUtf8());
        std::sort(all.begin(), all.end());
        all.append(store.handAddedMembers().join(u'|').toUtf8());
        return all;
    }
    static void wipe(ChoreStore &store)
    {
        ChoreChanges changes(store);
        ASSERT_TRUE(changes.removeMember(QStringLiteral("Kid")));
        while (!store.chores().empty())
            ASSERT_TRUE(changes.remove(store.chores().back()));
    }
};

// Export, wipe, restore: every field back bit for bit (match keys compare every field exactly,
// NaN included), in memory and on disk; a second restore adds nothing, and after deleting one of
// two equal chores only it comes back.
TEST_F(ChoreBackupTest, ExportWipeRestoreGivesBackEveryChoreOnce)
{
    auto store = openStore();
    fill(*store);
    const auto held = keys(*store);
    const ChoreBackup::Encoded backup = ChoreBackup::encode(*store);
    ASSERT_TRUE(backup.error.isEmpty()) << qPrintable(backup.error);
    // The file other devices read: its format and version, every field, instants in UTC to the millisecond.
    const QJsonObject root = QJsonDocument::fromJson(backup.bytes).object();
    EXPECT_EQ(root.value("format").toString(), QStringLiteral("taskarello-backup"));
    EXPECT_EQ(root.value("schemaVersion").toString(), QStringLiteral("3.2.0"));
    const QJsonArray chores = root.value("chores").toArray();
    ASSERT_EQ(chores.size(), 5);
    EXPECT_EQ(chores.at(0).toObject().keys().size(), 9);
    EXPECT_EQ(chores.at(0).toObject().value("turns").toArray().at(1), QStringLiteral("O'Brien, Pat"));
    EXPECT_EQ(chores.at(1).toObject().value("finishedBy"), QStringLiteral("Sam"));
    EXPECT_EQ(chores.at(2).toObject().keys().size(), 7) << "a chore for anyone has no people's keys";
    EXPECT_EQ(root.value("members").toArray(), QJsonArray{QStringLiteral("Kid")});
    EXPECT_EQ(chores.at(0).toObject().value("startDate").toString(), QStringLiteral("2026-01-01T00:00:00.123Z"));
    // Just after the clocks went forward in Berlin.
    EXPECT_EQ(chores.at(0).toObject().value("dueDate").toString(), QStringLiteral("2026-03-29T01:30:00.000Z"));
    EXPECT_TRUE(chores.at(1).toObject().value("colorComponents").toObject().value("red").isNull());
    EXPECT_EQ(chores.at(1).toObject().value("recurrence").toObject().value("moved").toArray().at(0).toArray().at(1),
              QStringLiteral("2026-04-02"));
    EXPECT_TRUE(chores.at(4).toObject().value("dueDate").isNull());
    EXPECT_EQ(chores.at(1).toObject().value("series"), 1);
    const QStringList linked = links(*store);
    ASSERT_EQ(linked.size(), 1);

    wipe(*store);
    const ChoreBackup::Restored restored = ChoreChanges(*store).restore(backup.bytes);
    ASSERT_TRUE(restored.ok) << qPrintable(restored.message);
    EXPECT_EQ(restored.added, 5);
    EXPECT_EQ(keys(*store), held);
    store.reset();
    store = openStore();
    EXPECT_EQ(keys(*store), held);
    EXPECT_EQ(links(*store), linked);

    const ChoreBackup::Restored again = ChoreChanges(*store).restore(backup.bytes);
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.skipped, 5);
    EXPECT_EQ(keys(*store), held);
    const auto twin = std::find_if(store->chores().begin(), store->chores().end(), [](Chore *c) {
        return c->dueDate() == variedChores().at(2).dueDate;
    });
    ASSERT_NE(twin, store->chores().end());
    ASSERT_TRUE(ChoreChanges(*store).remove(*twin));
    // A copy restored beside its series, which stayed, is linked to it again.
    const auto copy = std::find_if(store->chores().begin(), store->chores().end(),
                                   [](Chore *c) { return c->endDate() == variedChores().at(1).endDate; });
    ASSERT_NE(copy, store->chores().end());
    ASSERT_TRUE(ChoreChanges(*store).remove(*copy));
    EXPECT_TRUE(store->seriesLinks().isEmpty());
    EXPECT_EQ(ChoreChanges(*store).restore(backup.bytes).added, 2);
    EXPECT_EQ(keys(*store), held);
    EXPECT_EQ(links(*store), linked);
}

TEST_F(ChoreBackupTest, AChoreDifferingInAnyOneFieldIsAdded)
{
    const ChoreFields base = variedChores().at(0);
    std::vector<std::function<void(ChoreFields &)>> changes = {
        [](ChoreFields &f) { f.title += u' '; },
        [](ChoreFields &f) { f.colorComponents.blue = std::nextafter(f.colorComponents.blue, 1.0f); },
        [](ChoreFields &f) { f.startDate = f.startDate.addMSecs(1); },
        [](ChoreFields &f) { f.dueDate = f.dueDate.addMSecs(-1); },
        [](ChoreFields &f) { f.endDate = f.dueDate; },
        [](ChoreFields &f) { f.notify = !f.notify; },
        [](ChoreFields &f) { f.notificationTime += 60; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        auto store = openStore();
        wipe(*store);
        ASSERT_NE(ChoreChanges(*store).add(base), nullptr);
        ChoreFields changed = base;
        changes[i](changed);
        const ChoreBackup::Restored restored = ChoreChanges(*store).restore(ChoreBackup::encode(QList{base, changed}).bytes);
        EXPECT_TRUE(restored.ok);
        EXPECT_EQ(restored.added, 1);
        EXPECT_EQ(restored.skipped, 1);
    }
}

struct Refusal {
    const char *name;
    QByteArray bytes;
    // A word the one sentence must contain.
    const char *says;
};

QByteArray withChore(const std::function<void(QJsonObject &)> &change, const char *version = "1.0.0")
{
    QJsonObject bad = validChore();
    const QJsonObject good = bad;
    change(bad);
    return QJsonDocument(QJsonObject{{"format", "taskarello-backup"}, {"schemaVersion", version},
                                     {"chores", QJsonArray{good, good, bad}}})
        .toJson();
}

std::function<void(QJsonObject &)> without(const char *key)
{
    return [key](QJsonObject &o) { o.remove(QLatin1String(key)); };
}

std::function<void(QJsonObject &)> with(const char *key, const QJsonValue &value)
{
    return [key, value](QJsonObject &o) { o.insert(QLatin1String(key), value); };
}

QByteArray nested(int depth)
{
    return "{\"format\":\"taskarello-backup\",\"schemaVersion\":\"1.0.0\",\"chores\":[" + QByteArray(depth, '[')
        + QByteArray(depth, ']') + "]}";
}

const std::vector<Refusal> &refusals()
{
    static const std::vector<Refusal> all = {
        {"empty", "", "JSON"},
        {"not json", "chores: none", "JSON"},
        {"no format", R"({"schemaVersion":"1.0.0","chores":[]})", "not a Taskarello backup"},
        {"newer major", R"({"format":"taskarello-backup","schemaVersion":"4.0.0","chores":[]})", "newer"},
        {"no version", R"({"format":"taskarello-backup","chores":[]})", "schema version"},
        {"major zero", R"({"format":"taskarello-backup","schemaVersion":"0.9.0","chores":[]})", "schema version"},
        {"chores not a list", R"({"format":"taskarello-backup","schemaVersion":"1.0.0","chores":{}})", "list"},
        {"chore not an object", R"({"format":"taskarello-backup","schemaVersion":"1.0.0","chores":[7]})", "Chore 1"},
        {"deep nesting", nested(100000), "JSON"},
        {"NaN literal", withChore([](QJsonObject &) {}).replace("32400", "NaN"), "JSON"},
        {"missing title", withChore(without("title")), "Chore 3"},
        {"missing colour", withChore(without("colorComponents")), "colorComponents"},
        {"missing due", withChore(without("dueDate")), "dueDate"},
        {"missing time", withChore(without("notificationTime")), "notificationTime"},
        {"numeric title", withChore(with("title", 5)), "title"},
        {"colour lacks blue", withChore(with("colorComponents", QJsonObject{{"red", 1}, {"green", 1}})), "colorComponents"},
        {"colour beyond float", withChore(with("colorComponents", QJsonObject{{"red", 1e300}, {"green", 1}, {"blue", 1}})), "colorComponents"},
        {"date without offset", withChore(with("dueDate", "2026-01-05T00:00:00.000")), "dueDate"},
        {"impossible date", withChore(with("dueDate", "2026-02-30T00:00:00.000Z")), "dueDate"},
        {"date as number", withChore(with("dueDate", 1767225600000.0)), "dueDate"},
        {"giant date text", withChore(with("endDate", QString(100000, u'9'))), "endDate"},
        {"notify as number", withChore(with("notify", 1)), "notify"},
        {"rule not a rule", withChore(with("recurrence", QJsonObject{{"rule", 5}})), "recurrence"},
        {"rule too long", withChore(with("recurrence", QJsonObject{{"rule", QString(ChoreBackup::maxRuleLength + 1, u'x')}})), "recurrence"},
        {"moved day not a pair", withChore(with("recurrence", QJsonObject{{"rule", "FREQ=DAILY"}, {"moved", QJsonArray{QJsonArray{"2026-01-01"}}}})), "recurrence"},
        {"series itself", withChore(with("series", 3)), "series"},
        {"series past the end", withChore(with("series", 4.0)), "series"},
        {"turns not a list of names", withChore(with("turns", QJsonArray{"Al", 3})), "turns"},
        {"assignee not a name", withChore(with("assignee", QJsonArray{"Al"})), "assignee"},
        {"title too long", withChore(with("title", QString(ChoreBackup::maxTitleLength + 1, u'x'))), "title"},
        {"too many chores",
         "{\"format\":\"taskarello-backup\",\"schemaVersion\":\"1.0.0\",\"chores\":["
             + QByteArray("{},").repeated(ChoreBackup::maxChores) + "{}]}",
         "more than"},
        {"too large", QByteArray(ChoreBackup::maxBytes + 1, ' '), "larger"},
    };
    return all;
}

TEST_F(ChoreBackupTest, BadFilesChangeNothingAndSayWhyInOneSentence)
{
    auto store = openStore();
    fill(*store);
    const auto held = keys(*store);
    for (const Refusal &refusal : refusals()) {
        SCOPED_TRACE(refusal.name);
        const ChoreBackup::Restored restored = ChoreChanges(*store).restore(refusal.bytes);
        EXPECT_FALSE(restored.ok);
        EXPECT_EQ(restored.added, 0);
        EXPECT_TRUE(restored.message.contains(QLatin1String(refusal.says))) << qPrintable(restored.message);
        EXPECT_TRUE(restored.message.endsWith(u'.')) << qPrintable(restored.message);
        EXPECT_FALSE(restored.message.contains(u'\n'));
        EXPECT_LT(restored.message.size(), 200);
        EXPECT_EQ(keys(*store), held);
    }
    store.reset();
    auto reopened = openStore();
    EXPECT_EQ(keys(*reopened), held);
}

TEST_F(ChoreBackupTest, LenientWhereTheFormatAllows)
{
    auto store = openStore();
    QJsonObject chore = validChore();
    chore.insert("futureField", QJsonObject{{"x", 1}});
    chore.insert("dueDate", "2026-01-05T02:00:00+02:00");
    chore.insert("notificationTime", QJsonValue::Null);
    chore.insert("colorComponents", QJsonObject{{"red", QJsonValue::Null}, {"green", 2.5}, {"blue", -1}});
    QJsonObject root{{"format", "taskarello-backup"}, {"schemaVersion", "1.7.3"}, {"chores", QJsonArray{chore}}, {"extra", true}};

    const ChoreBackup::Restored restored = ChoreChanges(*store).restore(QJsonDocument(root).toJson());
    ASSERT_TRUE(restored.ok) << qPrintable(restored.message);
    ASSERT_EQ(store->chores().size(), 1u);
    const ChoreFields &f = store->chores().front()->fields();
    EXPECT_EQ(f.dueDate, at("UTC", 2026, 1, 5, 0, 0));
    EXPECT_EQ(f.dueDate.timeSpec(), Qt::UTC);
    EXPECT_EQ(f.notificationTime, 32400);
    EXPECT_TRUE(std::isnan(f.colorComponents.red));
    EXPECT_EQ(f.colorComponents.green, 2.5f);
    EXPECT_EQ(f.colorComponents.blue, -1.0f);
    // A file from before people: for anyone.
    EXPECT_TRUE(store->chores().front()->people().isEmpty());
}

TEST_F(ChoreBackupTest, ExportRefusesWhatItCouldNotReadBack)
{
    ChoreFields far = ChoreFields::defaults();
    far.dueDate = QDateTime(QDate(10000, 1, 1), QTime(0, 0), QTimeZone::utc());
    EXPECT_FALSE(ChoreBackup::encode(QList{far}).error.isEmpty());
    ChoreFields longTitle = ChoreFields::defaults();
    longTitle.title = QString(ChoreBackup::maxTitleLength + 1, u'x');
    EXPECT_FALSE(ChoreBackup::encode(QList{longTitle}).error.isEmpty());
    ChoreFields invalidEnd = ChoreFields::defaults();
    invalidEnd.endDate = QDateTime();
    EXPECT_FALSE(ChoreBackup::encode(QList{invalidEnd}).error.isEmpty());
    // Infinity has no JSON form: it is written as null, read back as NaN, and matches itself.
    ChoreFields infinite = ChoreFields::defaults();
    infinite.colorComponents.red = std::numeric_limits<float>::infinity();
    infinite.notificationTime = std::numeric_limits<double>::infinity();
    const ChoreBackup::Decoded back = ChoreBackup::decode(ChoreBackup::encode(QList{infinite}).bytes);
    ASSERT_TRUE(back.error.isEmpty()) << qPrintable(back.error);
    EXPECT_TRUE(std::isnan(back.chores.at(0).colorComponents.red));
    EXPECT_EQ(back.chores.at(0).notificationTime, 32400);
    EXPECT_EQ(ChoreBackup::matchKey(back.chores.at(0)), ChoreBackup::matchKey(infinite));
}

TEST_F(ChoreBackupTest, ServiceWritesAndReadsFilesAndRefusesOddPaths)
{
    auto store = openStore();
    fill(*store);
    ChoreChanges changes(*store);
    BackupService service;
    service.setChanges(&changes);
    const QString path = dir.filePath(QStringLiteral("backup.json"));
    ASSERT_TRUE(VelmoraTest::writeAll(path, "an older file, open to all"));

    QVariantMap result = service.exportTo(QUrl::fromLocalFile(path));
    EXPECT_TRUE(result.value("ok").toBool()) << qPrintable(result.value("message").toString());
    EXPECT_EQ(mode(path), 0600) << "replaced, and its user's alone";
    wipe(*store);
    result = service.restoreFrom(QUrl::fromLocalFile(path));
    EXPECT_TRUE(result.value("ok").toBool()) << qPrintable(result.value("message").toString());
    EXPECT_EQ(store->chores().size(), 5u);

    // Missing, a folder, remote, empty, and grown beyond the limit (refused before it is read).
    QFile big(dir.filePath(QStringLiteral("big.json")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(ChoreBackup::maxBytes + 1));
    big.close();
    for (const QUrl &bad : {QUrl::fromLocalFile(dir.filePath(QStringLiteral("none.json"))),
                            QUrl::fromLocalFile(dir.path()), QUrl(QStringLiteral("https://example.com/backup.json")),
                            QUrl(), QUrl::fromLocalFile(big.fileName())}) {
        result = service.restoreFrom(bad);
        EXPECT_FALSE(result.value("ok").toBool()) << qPrintable(bad.toString());
        EXPECT_FALSE(result.value("message").toString().isEmpty());
    }
    EXPECT_EQ(store->chores().size(), 5u);
    // Writing into a folder that does not exist fails and says so.
    const QUrl nowhere = QUrl::fromLocalFile(dir.filePath(QStringLiteral("no/such/dir/b.json")));
    EXPECT_FALSE(service.exportTo(nowhere).value("ok").toBool());
    // A backup or calendar onto a symbolic link: refused, the link and its target as they were.
    const QString link = dir.filePath(QStringLiteral("link.json"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::Permissions(0x6644)) && QFile::link(path, link));
    const QByteArray before = VelmoraTest::readAll(path);
    for (const QVariantMap &onLink : {service.exportTo(QUrl::fromLocalFile(link)), service.exportCalendar(QUrl::fromLocalFile(link))})
        EXPECT_EQ(onLink.value("message").toString(),
                  link + QStringLiteral(" is a symbolic link; nothing was written through it. Choose another file."));
    EXPECT_TRUE(QFileInfo(link).isSymLink() && VelmoraTest::readAll(path) == before && mode(path) == 0644);
}

struct ComponentDeleter {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};

QDate dateOf(const icaltimetype &t)
{
    return QDate(t.year, t.month, t.day);
}

// The file another calendar app reads: the store's chores in the user's zone, read back by libical.
TEST_F(ChoreBackupTest, LibicalReadsBackEachActiveChoreOnItsDay)
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
        Recurrence recurrence = {};
        const char *rrule = nullptr;     // as the file holds it
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
        {QStringLiteral("bins"), at("America/New_York", 2026, 3, 11), {}, {2026, 3, 11}, -1, {}, false,
         {QStringLiteral("FREQ=WEEKLY;INTERVAL=2;BYDAY=WE"), false, {QDate(2026, 3, 25)}, {}}, "FREQ=WEEKLY;INTERVAL=2;BYDAY=WE"},
        {QStringLiteral("after finishing"), at("America/New_York", 2026, 3, 12), {}, {2026, 3, 12}, -1, {}, false,
         {QStringLiteral("FREQ=DAILY;INTERVAL=3"), true, {}, {}}},
        {QStringLiteral("not followed"), at("America/New_York", 2026, 3, 13), {}, {2026, 3, 13}, -1, {}, false,
         {QStringLiteral("FREQ=SECONDLY"), false, {}, {}}},
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
    ChoreChanges changes(*store);
    std::vector<Expected> expected;
    for (const Row &row : rows) {
        ChoreFields f = fields(row.title, at("UTC", 2026, 3, 1), row.due);
        f.notify = row.reminder.has_value();
        f.notificationTime = row.reminder.value_or(32400);
        if (row.finished)
            f.endDate = at("UTC", 2026, 3, 2);
        Chore *chore = changes.add(f, row.recurrence);
        ASSERT_NE(chore, nullptr) << qPrintable(store->lastError());
        if (row.day.isValid())
            expected.push_back({chore->persistentId(), &row});
    }
    // Soonest first.
    std::sort(expected.begin(), expected.end(), [](const Expected &a, const Expected &b) { return a.row->day < b.row->day; });

    BackupService service;
    service.setChanges(&changes);
    const QString path = dir.filePath(QStringLiteral("chores.ics"));
    const QVariantMap result = service.exportCalendar(QUrl::fromLocalFile(path));
    ASSERT_TRUE(result.value("ok").toBool()) << qPrintable(result.value("message").toString());
    EXPECT_EQ(result.value("message").toString(),
              BackupService::tr("Exported %n chore(s) to the calendar file.", nullptr, int(expected.size())));

    // Lines of at most 75 octets, each valid UTF-8, with no control characters but tabs.
    const QByteArray bytes = VelmoraTest::readAll(path);
    ASSERT_TRUE(bytes.endsWith("END:VCALENDAR\r\n"));
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
        icalproperty *rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        EXPECT_EQ(rrule ? QByteArray(icalproperty_get_value_as_string(rrule)) : QByteArray(), QByteArray(row.rrule));
        EXPECT_EQ(icalcomponent_count_properties(event, ICAL_EXDATE_PROPERTY), row.rrule ? row.recurrence.exceptions.size() : 0);
        icalcomponent *alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
        ASSERT_EQ(alarm != nullptr, row.trigger >= 0) << qPrintable(row.title);
        if (!alarm)
            continue;
        EXPECT_EQ(QString::fromUtf8(icalcomponent_get_description(alarm)), CalendarExport::tr("This chore is due today!"));
        const icaltriggertype trigger = icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
        EXPECT_TRUE(icaltime_is_null_time(trigger.time));
        EXPECT_EQ(icaldurationtype_as_int(trigger.duration), row.trigger);
    }
    EXPECT_EQ(i, expected.size());
}

// A backup and a calendar export are offered as today's file (the user's day, not UTC's) in Documents, or at home without one.
TEST(BackupService, OffersTodaysFileInDocumentsOrHome)
{
    FakeClock clock(at("UTC", 2026, 12, 7, 20, 0), VelmoraTest::zone("Pacific/Auckland"));
    ScopedClock scoped(clock);
    QTemporaryDir home;
    const QByteArray before = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const auto restore = qScopeGuard([&] { qputenv("HOME", before); });
    for (const QString &folder : {home.path(), home.filePath(QStringLiteral("Documents"))}) {
        QDir().mkpath(folder);
        EXPECT_EQ(BackupService().suggestedBackupFile().toLocalFile(), folder + QStringLiteral("/Taskarello backup 2026-12-08.json"));
        EXPECT_EQ(BackupService().suggestedCalendarFile().toLocalFile(), folder + QStringLiteral("/Taskarello chores 2026-12-08.ics"));
    }
}

} // namespace

