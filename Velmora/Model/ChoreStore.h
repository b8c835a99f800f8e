#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChorePeople.h"
#include "Velmora/Model/ChoreSchema.h"
#include "Velmora/Model/Recurrence.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QTimeZone>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Velmora {

class ChoreChanges;

// The one SQLite file that holds every chore. It writes every insert, assignment and delete at
// once, each in its own transaction, and owns one Chore object per record it holds in memory:
// every active chore, the newest finished ones (see finishedInMemory) and any whose stored end
// date is not a date it can order. Older finished chores stay in the file only, so opening does
// not grow with the journal; forEachStored reads them.
// Anyone may read it; every write takes a WriteKey, which only ChoreChanges makes, so a change
// that goes around ChoreChanges does not compile.
class ChoreStore : public QObject {
    Q_OBJECT

public:
    class WriteKey {
        friend class ChoreChanges;
        WriteKey() = default;
    };

    // Busy: another process kept the file while it was being opened (see openWaitMs). Link: the
    // file, or one SQLite keeps beside it, is a symbolic link: refused and left alone (lastError
    // names it).
    enum class OpenResult { Opened, CannotCreate, Unreadable, Corrupt, NewerSchema, ForeignSchema, Busy, Link };
    Q_ENUM(OpenResult)
    // Why the last write failed, for words the user can read; lastError() has SQLite's own.
    // DiskFull also stands for a file at the size limit the process was given.
    enum class Failure { Other, DiskFull, ReadOnly, DiskError, Damaged, Busy, NotStored };
    Q_ENUM(Failure)

    // The text the program stops with when the store cannot be opened.
    static constexpr const char *failureMessage = "Failed to initialize model container.";

    explicit ChoreStore(QObject *parent = nullptr);
    ~ChoreStore() override;

    // The store's file in the app's data folder, shared with the widget program.
    static QString defaultPath();
    // Held while the store at path is opened: a second process waits there for the first.
    static QString openLockPath(const QString &path);

    // At least this many finished chores that end at or after the oldest of them are kept in
    // memory, with every other one ending at that same instant: the journal's fetch limit.
    static constexpr int finishedInMemory = 300;

    // How long opening waits for another process that is creating or migrating the same file.
    static constexpr int openWaitMs = 10000;

    // Opens or creates the file, its user's alone (0600, as are its log and copies; a folder it
    // makes is 0700). A file that cannot be read as a store of a known schema is left exactly as
    // it was. Opening reads only what it keeps in memory; the whole file is checked once, before
    // the first write, and a damaged one then refuses that write and every later one
    // (writeFailed), so it is never written over.
    OpenResult open(const QString &path);
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    // The copy of the file kept before it was migrated to a later schema.
    static QString copyBeforeMigration(const QString &path, SchemaVersion from);
    // The SQLite connection, for tables kept beside the chores and written in the same
    // transactions (see transaction()).
    QString connectionName() const { return m_connection; }

    // The chores in memory, in no particular order: not every stored one (see the class).
    const std::vector<Chore *> &chores() const { return m_chores; }
    // nullptr also for a stored chore that is not in memory.
    Chore *chore(qint64 persistentId) const { return m_byId.value(persistentId); }

    enum class StoredRows { All, Active };
    // Reads the rows straight from the file, oldest record first, one at a time, those not in
    // memory too; the file always holds every change already. A chore in memory is given with
    // its object's fields. visit returns false to stop.
    // False when the file could not be read to the end (lastError() says why).
    bool forEachStored(const std::function<bool(qint64 persistentId, const ChoreFields &fields)> &visit,
                       StoredRows rows = StoredRows::All) const;

    // How many chores ended on each calendar day from first to last in zone, first day first,
    // counted in the file by its end-date index: old finished chores are not read into memory.
    // None when the store cannot answer or the range is empty or longer than maxCountedDays.
    std::optional<std::vector<qint64>> finishedPerDay(QDate first, QDate last, const QTimeZone &zone) const;
    static constexpr int maxCountedDays = 4000;

    // The stored fields of any chore, in memory or not.
    std::optional<ChoreFields> stored(qint64 persistentId) const;
    // The chore's object, read into memory first when it is not there (an old finished chore
    // about to change); nullptr when no such chore is stored. Reading one in emits loaded().
    // Keyed like a write: it changes what is in memory, and only a change about to be made asks.
    Chore *bringIn(WriteKey, qint64 persistentId);

    // nullptr when the row could not be written.
    Chore *insert(WriteKey, const ChoreFields &fields);
    // All rows in one transaction: every chore lands, in the given order, or none does.
    // inserted() is emitted for each only after the commit.
    // With recurrences, the i-th chore repeats by the i-th (a list shorter than fields: the rest never).
    // alsoWrite, given the new rows' ids in order, writes what goes with them before the commit.
    std::optional<std::vector<Chore *>> insertAll(WriteKey, const QList<ChoreFields> &fields,
                                                  const QList<Recurrence> &recurrences = {},
                                                  const std::function<bool(const std::vector<qint64> &)> &alsoWrite = {});
    // The object stays alive until the event loop next runs, so callers holding it can finish.
    // Inside a transaction the chore leaves memory only once the whole is committed.
    bool remove(WriteKey, Velmora::Chore *chore);
    // Writes the chore's field as `values` holds it, then announces it (the chore's signals,
    // then changed()); a value it holds already is neither written nor announced.
    bool assign(WriteKey, Velmora::Chore *chore, Velmora::Chore::Field field, const ChoreFields &values);
    // Sets endDate to now.
    bool finish(WriteKey, Velmora::Chore *chore);

    // How a stored chore repeats (never, for most); every chore's is kept in memory, its lists of
    // days read from their text the first time they are asked for.
    Recurrence recurrence(qint64 persistentId) const;
    // Whether it repeats, and its rule's text, without reading its lists of days.
    bool repeats(qint64 persistentId) const { return m_recurrences.contains(persistentId); }
    // The chores whose rule holds this text (any case).
    QList<qint64> rulesContaining(QLatin1String text) const;
    // Writes it at once, like a field: a rule that never repeats removes it, and the rule the
    // chore has already is neither written nor announced.
    bool setRecurrence(WriteKey, Velmora::Chore *chore, const Recurrence &recurrence);

    // The finished copy came from this series (finishing or repeating it). Written like a field,
    // so inside the transaction that inserts the copy; a copy keeps the first series it is given.
    bool linkToSeries(WriteKey, Velmora::Chore *copy, const Velmora::Chore *series);
    // By the series' UID, as sync knows it: the series need not be stored here.
    bool linkToSeries(WriteKey, Velmora::Chore *copy, const QString &seriesUid);
    // By stored ids, chores in memory or not; for writes that hold no objects yet (insertAll).
    bool linkStored(WriteKey, qint64 copy, qint64 series);
    // The UID of the series the copy came from; empty when it is not linked.
    QString seriesOf(qint64 copy) const;
    // One finished occurrence of a series, as its copy holds it.
    struct Occurrence {
        QDateTime due;
        QDateTime finished;
        // Who finished it; empty when nobody was recorded.
        QString finishedBy = {};
    };
    // Every copy linked to a series stored here: copy id -> series id.
    QHash<qint64, qint64> seriesLinks() const;
    // The series' most recently finished occurrences, newest first, at most `count`.
    QList<Occurrence> lastOccurrences(qint64 series, int count) const;

    // Who a stored chore is for and who finished it (nobody, for most); kept in memory for the
    // chores in memory, read from the file for the others.
    ChorePeople people(qint64 persistentId) const;
    // Written at once, like a field, by stored id: renaming a member reaches old finished copies
    // too. Empty people remove the row; what the chore has already is neither written nor announced.
    bool setPeople(WriteKey, qint64 persistentId, const ChorePeople &people);
    // Every stored chore's people, for those that have any, read from the file in one go.
    QHash<qint64, ChorePeople> storedPeople() const;
    // Every stored chore whose people name the member, in memory or not.
    QList<QPair<qint64, ChorePeople>> peopleNaming(const QString &member) const;
    // Finished chores per finisher, all of them, read through the finishers' index; those nobody
    // recorded are left out.
    QHash<QString, qint64> finishedCounts() const;
    // Finished chores per finisher ("" for unknown) that ended on the days from first to last in
    // zone, most first, counted in the finishers' and the end dates' indexes without reading a
    // row; none when the store cannot answer.
    std::optional<QList<QPair<QString, qint64>>> finishedByMember(QDate first, QDate last, const QTimeZone &zone) const;
    // Members added by hand, kept until removed.
    QStringList handAddedMembers() const { return m_handMembers; }
    bool addMember(WriteKey, const QString &name);
    bool removeMember(WriteKey, const QString &name);

    // Runs inserts, assignments and removes as one write: when writes() returns false or
    // the file refuses the whole, none of them stays, in the file or in memory.
    // Called inside another, it is part of that one: its writes() must pass a failure on.
    bool transaction(WriteKey, const std::function<bool()> &writes);

    QString lastError() const { return m_lastError; }
    Failure lastFailure() const { return m_lastFailure; }

signals:
    void inserted(Velmora::Chore *chore);
    void aboutToRemove(Velmora::Chore *chore);
    void removed(qint64 persistentId);
    void changed(Velmora::Chore *chore, Velmora::Chore::Field field);
    void recurrenceChanged(Velmora::Chore *chore);
    void peopleChanged(Velmora::Chore *chore);
    // A chore not in memory changed its people, or the members added by hand changed.
    void membersChanged();
    // A write failed; nothing in memory was changed.
    void writeFailed(const QString &error);
    // Finished chores read from the file into memory because the newest finished ones in memory
    // became fewer than finishedInMemory (a delete, or an end date moved back). They were stored
    // all along: this is neither an insert nor a change, and no inserted() follows for them.
    void loaded(const QList<Velmora::Chore *> &chores);

private:
    // What opening learns of a file before it writes to it.
    struct FoundSchema {
        int version = 0;
        bool indexed = false;
    };
    bool bindInsert(const ChoreFields &fields);
    bool bindRecurrence(qint64 id, const Recurrence &recurrence);
    // A hand-added member written or deleted by the statement, which binds the name; the list after it.
    bool writeHandMembers(const QString &statement, const QString &name, const QStringList &after);
    void announce(Chore *chore, Chore::Field field);
    OpenResult openLocked(const QString &path, bool existed);
    OpenResult detectSchema(FoundSchema &found);
    OpenResult createLatest(OpenResult cannotOpen);
    OpenResult openExisting(const FoundSchema &found, OpenResult cannotOpen);
    bool addEndDateIndex();
    bool useWriteAheadLog();
    OpenResult migrate(SchemaVersion from);
    bool copyAside(SchemaVersion from);
    OpenResult changeSchema(const QStringList &statements, SchemaVersion from, SchemaVersion to, OpenResult failed);
    bool load();
    bool loadRecurrences();
    void unload();
    bool loadMembers();
    // Reads the people of chores just brought into memory, by the range of their ids.
    void readPeople(const std::vector<Chore *> &chores);
    void forget(Chore *chore);
    bool fillFinished(const Chore *leaving = nullptr);
    bool checkedBeforeWrite();
    // Whether the store is open and the chore its own: not a stale pointer or another store's.
    bool holds(const Chore *chore) const { return m_open && chore && m_byId.value(chore->persistentId()) == chore; }
    bool fail(const QString &error, Failure kind = Failure::Other);
    // A chore that is not the open store's own (see holds).
    bool failNotHeld() { return fail(QStringLiteral("The chore is not in the store"), Failure::NotStored); }
    // A statement SQLite refused just now: its error code tells the kind.
    bool failWrite(const QString &error);
    // With people, rows read with kSelectWithPeople give each chore's people there too.
    bool select(const char *sql, std::initializer_list<qint64> parameters,
                const std::function<bool(qint64, ChoreFields &&)> &row, QHash<qint64, ChorePeople> *people = nullptr) const;

    struct Statements;
    std::unique_ptr<Statements> m_statements;
    QString m_connection;
    QString m_path;
    bool m_open = false;
    std::vector<Chore *> m_chores;
    QHash<qint64, Chore *> m_byId;
    mutable QHash<qint64, Recurrence> m_recurrences;
    // Exceptions and moved days as stored, of the rules whose lists nobody asked for yet: a store
    // of thousands of series opens without reading them.
    mutable QHash<qint64, std::pair<QByteArray, QByteArray>> m_unread;
    // Files of schemas before S3 have no table of recurrences until they are migrated.
    bool m_recurrenceTable = false;
    // Nor before S5 a table of people.
    bool m_peopleTable = false;
    // Of the chores in memory that have any.
    QHash<qint64, ChorePeople> m_people;
    QStringList m_handMembers;
    // Every stored chore ending at or after this instant (ms since 1970 UTC) is in memory.
    qint64 m_finishedFloor = 0;
    // The whole file is checked once, before the first write, not at opening.
    enum class Check { Pending, Sound, Damaged } m_check = Check::Pending;
    mutable QString m_lastError;
    Failure m_lastFailure = Failure::Other;
    // While a transaction runs: how to take back each change made in memory, oldest first.
    std::vector<std::function<void()>> *m_undo = nullptr;
    // While a transaction runs: the chores it deleted, still in memory until the commit.
    std::vector<Chore *> *m_removals = nullptr;
};

} // namespace Velmora
