#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreStore.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

namespace Velmora {

// The backup file: every chore with its seven fields, how it repeats, and the schema version, as JSON.
// Writing checks each chore against the same rules as reading, so every file written here
// can be read back.
class ChoreBackup {
    Q_DECLARE_TR_FUNCTIONS(Velmora::ChoreBackup)

public:
    static constexpr const char *formatName = "taskarello-backup";
    static constexpr qint64 maxBytes = 50LL * 1024 * 1024;
    static constexpr int maxChores = 20000;
    static constexpr int maxTitleLength = 10000;
    // A rule, and the days it skips or moves, beyond these are no rule anyone wrote.
    static constexpr int maxRuleLength = 2000;
    static constexpr int maxRuleDays = 1000;
    // The file's own version: 3.0.0 since chores repeat, 3.1.0 since a finished copy names its series,
    // 3.2.0 since chores name people (optional keys: files without them restore as before).
    static constexpr int formatMajor = 3;
    static constexpr int formatMinor = 2;

    struct Encoded {
        QByteArray bytes;
        // Empty when bytes hold a backup.
        QString error;
    };
    struct Decoded {
        QList<ChoreFields> chores;
        // Empty when every chore was read.
        QString error;
        // One for each chore, most of them never repeating.
        QList<Recurrence> recurrences;
        // One for each chore: the position in chores of the series it is a finished copy of, or -1.
        QList<qsizetype> series;
        // One for each chore, cleaned; most for anyone.
        QList<ChorePeople> people;
        // The members added by hand.
        QStringList members;
    };
    struct Restored {
        bool ok = false;
        int added = 0;
        int skipped = 0;
        // One sentence for the user, on success as on failure.
        QString message;
    };

    // The i-th chore repeats by the i-th recurrence; a shorter list leaves the rest never repeating.
    // The i-th chore is a finished copy of chores[series[i]] where that is a position in chores.
    // The i-th chore is for people[i] (a shorter list: the rest for anyone); members are those
    // added by hand.
    static Encoded encode(const QList<ChoreFields> &chores, const QList<Recurrence> &recurrences = {},
                          const QList<qsizetype> &series = {}, const QList<ChorePeople> &people = {},
                          const QStringList &members = {});
    // Every stored chore, also those not in memory; count, when given, receives how many.
    static Encoded encode(const ChoreStore &store, int *count = nullptr);
    static Decoded decode(const QByteArray &bytes);

    // Adds, in one transaction, the chores of the backup the store does not already hold.
    // Chores are matched on all seven fields and their rule and counted, so a file holding a chore twice
    // adds it twice to an empty store and never more. A copy added is linked to its series, the
    // one added with it or the one already here; a chore added takes its people, and members
    // added by hand that are not here are added. Nothing changes unless ok. A change like any
    // other: ChoreChanges::restore hands it the key.
    static Restored restore(ChoreStore &store, ChoreStore::WriteKey key, const QByteArray &bytes);

    // The file's bytes, or an error when it is missing, not a file or larger than maxBytes.
    static Encoded readFile(const QString &path);
    // Written atomically: an existing file is replaced only once the new one is complete.
    static QString writeFile(const QString &path, const QByteArray &bytes);

    // Equal for chores equal in all seven fields and how they repeat; NaN equals NaN and dates
    // compare as instants.
    static QByteArray matchKey(const ChoreFields &fields, const Recurrence &recurrence = {});
};

} // namespace Velmora
