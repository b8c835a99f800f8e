#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreStore.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace Velmora {

// The only way anything changes chores, screens, sync and restores alike: the store's writes take
// a key only this class makes (ChoreStore::WriteKey). Each change is one write to the store,
// which carries it to everything that follows the store (lists, reminders, the widget). Callers
// keep no rule of their own about what else must happen. A change the user asks for either
// happens or says why, in words for them (failed()); the store keeps SQLite's own.
class ChoreChanges : public QObject {
    Q_OBJECT
    // The last change the user asked for that did not happen, in one sentence; empty once a
    // later one went through or the user dismissed it.
    Q_PROPERTY(QString failure READ failure NOTIFY failureChanged)

public:
    explicit ChoreChanges(ChoreStore &store, QObject *parent = nullptr);

    // For reading and following; writes go through here.
    const ChoreStore *store() const { return m_store; }
    // Why the last change failed: for the user's changes, the sentence failed() carried.
    QString lastError() const;
    QString failure() const { return m_failure; }
    Q_INVOKABLE void dismissFailure();

    // This device's member: who finish() records as having done it. Empty: nobody is recorded.
    QString member() const { return m_member; }
    void setMember(const QString &member) { m_member = ChorePeople::cleanName(member); }

    // A new chore (the editor's add and copy); nullptr when it could not be written.
    Chore *add(const ChoreFields &fields, const Recurrence &recurrence = {}, const ChorePeople &people = {});
    // Every field but endDate, and how it repeats and who it is for unless nullopt; all or none.
    bool update(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence = std::nullopt,
                const std::optional<ChorePeople> &people = std::nullopt);
    // A new run with these fields, the old one finished, all or none; nullptr on failure. A chore
    // that repeats is a series other apps know by its identity: it stays and takes the new run's
    // fields, and a finished copy of the old run, linked to it, goes to the journal.
    Chore *repeat(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence = std::nullopt);
    // Sets endDate to now. A chore that repeats moves on to its next occurrence instead, with a
    // finished copy of this one, linked to it, in the journal; one whose rule has ended or is not
    // followed is finished as any other. The finished copy records this device's member as the
    // one who did it; a chore taking turns gives its next occurrence to the member after the
    // one whose turn it was, whoever did it.
    Q_INVOKABLE bool finish(Velmora::Chore *chore);
    // As finish(), done by another member (a shared computer).
    Q_INVOKABLE bool finishBy(Velmora::Chore *chore, const QString &member);
    // Every chore at once, in one transaction: the name in assignments, turn orders and finished
    // copies, and among the members added by hand.
    bool renameMember(const QString &from, const QString &to);
    // Out of every assignment (to anyone) and turn order (the turn passing on), and off the hand
    // list; finished copies keep who did them.
    bool removeMember(const QString &name);
    bool addMember(const QString &name);
    Q_INVOKABLE bool remove(Velmora::Chore *chore);
    // Changes that arrive from elsewhere (sync), each written in one transaction together with
    // the caller's bookkeeping, so both land or neither does.
    // A new chore, repeating as recurrence says; nullptr on failure.
    Chore *receive(const ChoreFields &fields, const Recurrence &recurrence, const ChorePeople &people,
                   const std::function<bool(Chore *)> &alsoWrite);
    // All seven fields, endDate too, how it repeats and who it is for; what is already equal is
    // not written again.
    bool receive(Chore *chore, const ChoreFields &fields, const Recurrence &recurrence, const ChorePeople &people,
                 const std::function<bool()> &alsoWrite);
    // Deletes the chore; the object stays alive until the event loop next runs.
    bool receiveRemoval(Chore *chore, const std::function<bool()> &alsoWrite);
    // The finished copy came from this series, named by its UID as sync knows it, or stored here;
    // a copy keeps the first series it is given. Inside a batch with the copy's own writes.
    bool linkToSeries(Chore *copy, const QString &seriesUid);
    bool linkToSeries(Chore *copy, const Chore *series);
    // The chore's object, read into memory first when it is an old finished one about to
    // change; nullptr when no such chore is stored.
    Chore *bringIn(qint64 persistentId);
    // writes() as one transaction with the changes it makes here and whatever it writes to tables
    // of its own through the store's connection (sync's bookkeeping): when it returns false or
    // the file refuses the whole, none of it stays. Inside another batch it is part of that one.
    bool batch(const std::function<bool()> &writes);

    // New chores in one transaction, in the given order, all or none (an import); nullopt
    // on failure. The i-th repeats by the i-th rule (a shorter list: the rest never).
    std::optional<std::vector<Chore *>> addAll(const QList<ChoreFields> &fields, const QList<Recurrence> &recurrences = {});

    // The chores of a backup file that the store does not hold yet, all or none.
    ChoreBackup::Restored restore(const QByteArray &backup);

signals:
    // A change the user asked for did not happen: "The chore could not be finished: the disk
    // is full."
    void failed(const QString &sentence);
    void failureChanged();

private:
    enum class Action { Save, Repeat, Finish, Delete, AddMember, RenameMember, RemoveMember };
    static ChoreStore::WriteKey key() { return ChoreStore::WriteKey(); }
    // Not the store's own chore (a stale one): nothing was written.
    bool failNotStored();
    // The store refused the write.
    bool failStored();
    // What a change the user asked for came to, told as failed() or clearing the failure.
    bool report(Action action, bool done);
    bool writeUpdate(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence,
                     const std::optional<ChorePeople> &people = std::nullopt);
    Chore *writeRepeat(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence);
    bool writeFinish(Chore *chore, const QString &finisher);
    // The journal's finished copy of a series' occurrence, linked to the series, with whose turn
    // it was and who did it; inside the caller's transaction.
    bool journalOccurrence(Chore *series, const QDateTime &ended, const QString &finisher);
    // A member's name the user gave: blank after cleaning says why and is refused.
    bool blankName(Action action, const QString &name);
    bool writePeople(const Chore *chore, const ChorePeople &people);
    // A new chore with its rule and the caller's writes, in one transaction; add and receive alike.
    Chore *insert(const ChoreFields &fields, const Recurrence &recurrence, const std::function<bool(Chore *)> &alsoWrite);

    QPointer<ChoreStore> m_store;
    QString m_error;
    ChoreStore::Failure m_kind = ChoreStore::Failure::Other;
    QString m_failure;
    QString m_member;
};

} // namespace Velmora
