#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>

// chores.sqlite, the one file of the app: every table, index and trigger in it, the schemas it
// went through and the steps between them. The store and the sync ledger name its tables and
// columns only through the constants here.
namespace Velmora {

struct SchemaVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
    // As kept in PRAGMA user_version.
    int encoded() const { return major * 10000 + minor * 100 + patch; }
    static SchemaVersion decode(int value) { return {value / 10000, value / 100 % 100, value % 100}; }
    friend bool operator==(const SchemaVersion &, const SchemaVersion &) = default;
};

namespace ChoreSchema {

// A statement's text, joined by sql() while compiling.
template <std::size_t N>
struct Sql {
    char text[N];
    constexpr const char *data() const { return text; }
    static constexpr qsizetype size() { return qsizetype(N - 1); }
    QLatin1String latin1() const { return QLatin1String(text, size()); }
    operator QString() const { return QString::fromLatin1(text, size()); }
};

namespace Detail {
template <typename Part>
struct Length;
template <std::size_t N>
struct Length<char[N]> {
    static constexpr std::size_t value = N - 1;
};
template <std::size_t N>
struct Length<Sql<N>> {
    static constexpr std::size_t value = N - 1;
};
template <std::size_t N>
constexpr const char *chars(const char (&text)[N]) { return text; }
template <std::size_t N>
constexpr const char *chars(const Sql<N> &text) { return text.text; }
} // namespace Detail

// SQL text from literals, the names below and other such texts, in the order it reads, so that
// no statement spells a name of its own.
template <typename... Parts>
consteval Sql<(Detail::Length<Parts>::value + ... + 1)> sql(const Parts &...parts)
{
    Sql<(Detail::Length<Parts>::value + ... + 1)> out{};
    std::size_t at = 0;
    ((std::copy_n(Detail::chars(parts), Detail::Length<Parts>::value, out.text + at), at += Detail::Length<Parts>::value),
     ...);
    out.text[at] = '\0';
    return out;
}

// One row per chore, its seven fields in the order of Chore::Field.
namespace Chores {
inline constexpr char table[] = "Chore";
inline constexpr char id[] = "id";
inline constexpr char title[] = "title";
inline constexpr char colorComponents[] = "colorComponents";
inline constexpr char startDate[] = "startDate";
inline constexpr char dueDate[] = "dueDate";
inline constexpr char endDate[] = "endDate";
inline constexpr char notify[] = "notify";
inline constexpr char notificationTime[] = "notificationTime";
// Not part of any schema version: a file written before it existed gets it when opened.
// Both queries at opening and the finished chores in journal order are read through it.
inline constexpr char endDateIndex[] = "ChoreEndDate";
} // namespace Chores

// What sync keeps for each chore: one row per chore that exists or whose deletion the server
// has not heard of yet.
namespace SyncRecords {
inline constexpr char table[] = "SyncRecord";
inline constexpr char chore[] = "chore";
inline constexpr char uid[] = "uid";
inline constexpr char href[] = "href";
inline constexpr char etag[] = "etag";
inline constexpr char serverCopy[] = "serverCopy";
// Counts the chore's changes here; syncedVersion is the count the server holds.
inline constexpr char version[] = "version";
inline constexpr char syncedVersion[] = "syncedVersion";
inline constexpr char modified[] = "modified";
inline constexpr char deleted[] = "deleted";
} // namespace SyncRecords

// Resources in the calendar that are no chores.
namespace SyncForeign {
inline constexpr char table[] = "SyncForeign";
inline constexpr char href[] = "href";
inline constexpr char etag[] = "etag";
inline constexpr char kind[] = "kind";
} // namespace SyncForeign

// The one calendar synced with and where its last listing left off.
namespace SyncCalendar {
inline constexpr char table[] = "SyncCalendar";
inline constexpr char url[] = "url";
inline constexpr char syncToken[] = "syncToken";
inline constexpr char ctag[] = "ctag";
inline constexpr char syncCollection[] = "syncCollection";
} // namespace SyncCalendar

// How a chore repeats, for those that do.
namespace Recurrences {
inline constexpr char table[] = "ChoreRecurrence";
inline constexpr char chore[] = "chore";
inline constexpr char rule[] = "rule";
inline constexpr char afterFinishing[] = "afterFinishing";
inline constexpr char exceptions[] = "exceptions";
inline constexpr char moved[] = "moved";
} // namespace Recurrences

// The series, by its UID, each finished copy of a repeating chore came from.
namespace SeriesLinks {
inline constexpr char table[] = "ChoreSeries";
inline constexpr char chore[] = "chore";
inline constexpr char series[] = "series";
inline constexpr char bySeriesIndex[] = "ChoreSeriesBySeries";
} // namespace SeriesLinks

// Who a chore is for, whose turn it is and who finished it, for chores that have any of them.
namespace People {
inline constexpr char table[] = "ChorePeople";
inline constexpr char chore[] = "chore";
inline constexpr char assignee[] = "assignee";
// One name per line, in turn order.
inline constexpr char turns[] = "turns";
inline constexpr char finishedBy[] = "finishedBy";
// The chore's end date, kept beside its finisher so that counting who finished what in a range
// of days reads this table's index alone.
inline constexpr char finishedAt[] = "finishedAt";
// Who finished what, by finisher then end date.
inline constexpr char byFinisherIndex[] = "ChorePeopleByFinisher";
} // namespace People

// Members added by hand: a household's member with no chore and no device yet.
namespace Members {
inline constexpr char table[] = "ChoreMember";
inline constexpr char name[] = "name";
} // namespace Members

QString createEndDateIndex();

} // namespace ChoreSchema

// The first schema: one record kind, Chore, with its seven fields.
struct S1 {
    static constexpr SchemaVersion version{1, 0, 0};
    static QStringList createStatements();
};

// The first schema plus what sync keeps for each chore, in tables of its own so that a chore
// keeps its seven fields: its UID, where it lies on the server and as what, and how often it
// changed here since it was last sent. Triggers keep that count, so no writer can forget it.
struct S2 {
    static constexpr SchemaVersion version{2, 0, 0};
    static QStringList createStatements();
    // From S1: the sync tables, and every chore stored so far waiting to go up.
    static QStringList stageFromS1();
    // Gives every chore that has no sync record one, with a new UID: to be sent.
    static QString enrollUnsynced();
};

// The second schema plus how chores repeat, in a table of its own beside the chore.
struct S3 {
    static constexpr SchemaVersion version{3, 0, 0};
    static QStringList createStatements();
    // From S2: the table, empty, for no chore repeated before.
    static QStringList stageFromS2();
};

// The third schema plus, for each finished copy of a repeating chore, the series it came from,
// in a table of its own beside the copy. The series is named by its UID, which every device
// shares through sync, so a copy received before its series, or after it was deleted, keeps it.
struct S4 {
    static constexpr SchemaVersion version{4, 0, 0};
    static QStringList createStatements();
    // From S3: the table, empty: copies journaled before stay unlinked.
    static QStringList stageFromS3();
};

// The fourth schema plus the people of a chore, in a table of their own beside it, and the
// members added by hand.
struct S5 {
    static constexpr SchemaVersion version{5, 0, 0};
    static QStringList createStatements();
    // From S4: the tables, empty: every chore so far is for anyone.
    static QStringList stageFromS4();
};

// Schemas, oldest first, and the steps between them; a later schema adds a step from the one before.
struct ChoresMigrationPlan {
    struct Schema {
        SchemaVersion version;
        QStringList createStatements;
    };
    struct Stage {
        SchemaVersion from;
        SchemaVersion to;
        QStringList statements;
    };
    static QList<Schema> schemas();
    static QList<Stage> stages();
    static SchemaVersion latest() { return schemas().constLast().version; }
};

} // namespace Velmora
