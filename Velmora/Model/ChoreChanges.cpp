#include "Velmora/Model/ChoreChanges.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreField.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <algorithm>

namespace Velmora {

namespace {

bool owns(const ChoreStore *store, const Chore *chore)
{
    return store && chore && store->chore(chore->persistentId()) == chore;
}

using Field = Chore::Field;
enum class EndDate { Kept, Written };

// Writes every field as `fields` holds it, in order, until one fails; the store skips those
// already equal. The end date only when asked: an edit never finishes a chore.
bool assignFields(ChoreStore &store, ChoreStore::WriteKey key, Chore *chore, EndDate end, const ChoreFields &fields)
{
    return std::all_of(ChoreField::rows.begin(), ChoreField::rows.end(), [&](const ChoreField::Row &row) {
        return (row.field == Field::EndDate && end == EndDate::Kept) || store.assign(key, chore, row.field, fields);
    });
}

} // namespace

ChoreChanges::ChoreChanges(ChoreStore &store, QObject *parent) : QObject(parent), m_store(&store)
{
    // Month ends as earlier versions wrote them (RFC 7529), which servers refuse: rewritten once
    // in the words every client reads, so they go up at the next sync.
    for (const qint64 id : store.rulesContaining(QLatin1String("RSCALE"))) {
        Chore *chore = store.chore(id);
        Recurrence r = store.recurrence(id);
        if (const QString portable = Recurrence::portable(r.rule); chore && portable != r.rule && !chore->isFinished()) {
            r.rule = portable;
            store.setRecurrence(ChoreStore::WriteKey(), chore, r);
        }
    }
}

QString ChoreChanges::lastError() const
{
    return m_error;
}

bool ChoreChanges::failNotStored()
{
    m_error.clear();
    m_kind = ChoreStore::Failure::NotStored;
    return false;
}

bool ChoreChanges::failStored()
{
    m_error = m_store ? m_store->lastError() : QString();
    m_kind = m_store ? m_store->lastFailure() : ChoreStore::Failure::Other;
    return false;
}

bool ChoreChanges::report(Action action, bool done)
{
    if (done) {
        // The change just made shows the user the store takes writes again.
        if (!m_failure.isEmpty()) {
            m_failure.clear();
            emit failureChanged();
        }
        return true;
    }
    using F = ChoreStore::Failure;
    QString reason;
    switch (m_kind) {
    case F::DiskFull: reason = tr("the disk is full"); break;
    case F::ReadOnly: reason = tr("its file may only be read"); break;
    case F::DiskError: reason = tr("the disk could not be written to"); break;
    case F::Damaged: reason = tr("its file is damaged"); break;
    case F::Busy: reason = tr("another program is using its file, try again"); break;
    case F::NotStored: reason = tr("it is no longer stored"); break;
    case F::Other: break;
    }
    // Whole sentences for the translators, with the reason or without.
    const auto say = [&reason](const QString &plain, const QString &because) {
        return reason.isEmpty() ? plain : because.arg(reason);
    };
    QString sentence;
    switch (action) {
    case Action::Save:
        sentence = say(tr("The chore could not be saved."), tr("The chore could not be saved: %1."));
        break;
    case Action::Repeat:
        sentence = say(tr("The chore could not be repeated."), tr("The chore could not be repeated: %1."));
        break;
    case Action::Finish:
        sentence = say(tr("The chore could not be finished."), tr("The chore could not be finished: %1."));
        break;
    case Action::Delete:
        sentence = say(tr("The chore could not be deleted."), tr("The chore could not be deleted: %1."));
        break;
    case Action::AddMember:
        sentence = say(tr("The member could not be added."), tr("The member could not be added: %1."));
        break;
    case Action::RenameMember:
        sentence = say(tr("The member could not be renamed."), tr("The member could not be renamed: %1."));
        break;
    case Action::RemoveMember:
        sentence = say(tr("The member could not be removed."), tr("The member could not be removed: %1."));
        break;
    }
    m_error = sentence;
    m_failure = sentence;
    emit failureChanged();
    emit failed(sentence);
    return false;
}

void ChoreChanges::dismissFailure()
{
    if (m_failure.isEmpty())
        return;
    m_failure.clear();
    emit failureChanged();
}

Chore *ChoreChanges::add(const ChoreFields &fields, const Recurrence &recurrence, const ChorePeople &people)
{
    const ChorePeople cleaned = people.cleaned();
    Chore *chore = nullptr;
    // A chore that neither repeats nor names anyone is one statement (its sync record comes by
    // trigger, inside it): no transaction of its own.
    if (m_store && recurrence == Recurrence() && cleaned.isEmpty()) {
        chore = m_store->insert(key(), fields);
        if (!chore)
            failStored();
    } else {
        chore = insert(fields, recurrence, [&](Chore *added) { return writePeople(added, cleaned); });
    }
    report(Action::Save, chore);
    return chore;
}

bool ChoreChanges::update(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence,
                          const std::optional<ChorePeople> &people)
{
    return report(Action::Save, writeUpdate(chore, fields, recurrence, people));
}

bool ChoreChanges::writePeople(const Chore *chore, const ChorePeople &people)
{
    return m_store->setPeople(key(), chore->persistentId(), people);
}

bool ChoreChanges::writeUpdate(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence,
                               const std::optional<ChorePeople> &people)
{
    if (!owns(m_store, chore))
        return failNotStored();
    // An edit never changes who finished it.
    std::optional<ChorePeople> wanted = people;
    if (wanted) {
        wanted->finishedBy = chore->finishedBy();
        wanted = wanted->cleaned();
    }
    // One changed field is one statement, whole or not at all by itself: the common edit (a
    // reminder's time, a title) costs no transaction of its own.
    const auto changed = std::count_if(ChoreField::rows.begin(), ChoreField::rows.end(), [&](const ChoreField::Row &row) {
        return row.field != Field::EndDate && !ChoreField::same(row.field, chore->fields(), fields);
    });
    if (!recurrence && !wanted && changed <= 1)
        return assignFields(*m_store, key(), chore, EndDate::Kept, fields) || failStored();
    // One write: a disk that fills half-way must not leave half an edit.
    return m_store->transaction(key(), [&] {
        return assignFields(*m_store, key(), chore, EndDate::Kept, fields)
            && (!recurrence || m_store->setRecurrence(key(), chore, *recurrence))
            && (!wanted || writePeople(chore, *wanted));
    }) || failStored();
}

Chore *ChoreChanges::repeat(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence)
{
    Chore *next = writeRepeat(chore, fields, recurrence);
    report(Action::Repeat, next);
    return next;
}

Chore *ChoreChanges::writeRepeat(Chore *chore, const ChoreFields &fields, const std::optional<Recurrence> &recurrence)
{
    if (!owns(m_store, chore)) {
        failNotStored();
        return nullptr;
    }
    const QDateTime now = Clock::current().now();
    const bool series = chore->repeats();
    ChoreFields done = chore->fields();
    done.endDate = now;
    ChorePeople people = chore->people();
    Chore *next = nullptr;
    const bool written = m_store->transaction(key(), [&] {
        if (series) {
            next = chore;
            return journalOccurrence(chore, now, m_member) && writeUpdate(chore, fields, recurrence);
        }
        next = m_store->insert(key(), fields);
        ChorePeople finished = people;
        finished.finishedBy = m_member;
        people.finishedBy.clear();
        // The new run is for whom the old one was.
        return next && (!recurrence || m_store->setRecurrence(key(), next, *recurrence)) && writePeople(next, people)
            && m_store->assign(key(), chore, Field::EndDate, done) && writePeople(chore, finished);
    });
    if (written)
        return next;
    failStored();
    return nullptr;
}

bool ChoreChanges::finish(Chore *chore)
{
    return report(Action::Finish, writeFinish(chore, m_member));
}

bool ChoreChanges::finishBy(Chore *chore, const QString &member)
{
    return report(Action::Finish, writeFinish(chore, ChorePeople::cleanName(member)));
}

bool ChoreChanges::writeFinish(Chore *chore, const QString &finisher)
{
    if (!owns(m_store, chore))
        return failNotStored();
    // No screen offers it: said without a reason.
    if (chore->isFinished()) {
        m_error.clear();
        m_kind = ChoreStore::Failure::Other;
        return false;
    }
    const Recurrence rule = chore->recurrence();
    const QDateTime now = Clock::current().now();
    const QTimeZone zone = Clock::current().timeZone();
    const QDate today = ChoreDates::calendarDay(now, zone);
    const QDate due = ChoreDates::calendarDay(chore->dueDate(), zone);
    const Recurrence::Step step = rule.repeats() ? rule.next(due, today, today, zone) : Recurrence::Step();
    const QDateTime nextDue = step.due.startOfDay(zone);
    ChorePeople people = chore->people();
    if (step.kind != Recurrence::Step::Kind::Moved || !nextDue.isValid()) {
        people.finishedBy = finisher;
        return m_store->transaction(key(), [&] { return m_store->finish(key(), chore) && writePeople(chore, people); })
            || failStored();
    }
    // The turn passes on from whose turn it was, not from who did it: two members finishing the
    // same occurrence apart both move it to the same next member.
    if (!people.turns.isEmpty())
        people.assignee = ChorePeople::nextTurn(people.turns, people.assignee);
    // The start day keeps its distance before the due day.
    const int lead = ChoreDates::dayDifference(chore->startDate(), chore->dueDate(), zone);
    const QDateTime nextStart = step.due.addDays(-lead).startOfDay(zone);
    ChoreFields moved = chore->fields();
    moved.startDate = nextStart.isValid() ? nextStart : nextDue;
    moved.dueDate = nextDue;
    return m_store->transaction(key(), [&] {
        return journalOccurrence(chore, now, finisher) && m_store->assign(key(), chore, Field::StartDate, moved)
            && m_store->assign(key(), chore, Field::DueDate, moved) && m_store->setRecurrence(key(), chore, step.rest)
            && writePeople(chore, people);
    }) || failStored();
}

bool ChoreChanges::journalOccurrence(Chore *series, const QDateTime &ended, const QString &finisher)
{
    ChoreFields done = series->fields();
    done.endDate = ended;
    // Finished before its start day: the copy starts on the day it was finished, so its
    // dates never run backwards; its due day still tells which occurrence it was.
    const QTimeZone zone = Clock::current().timeZone();
    if (const QDate endDay = ChoreDates::calendarDay(ended, zone); ChoreDates::calendarDay(done.startDate, zone) > endDay)
        done.startDate = endDay.startOfDay(zone);
    Chore *copy = m_store->insert(key(), done);
    return copy && m_store->linkToSeries(key(), copy, series)
        && writePeople(copy, ChorePeople{series->assignee(), {}, finisher});
}

bool ChoreChanges::blankName(Action action, const QString &name)
{
    if (!ChorePeople::cleanName(name).isEmpty())
        return false;
    m_error.clear();
    m_kind = ChoreStore::Failure::Other;
    report(action, false);
    return true;
}

bool ChoreChanges::addMember(const QString &name)
{
    if (blankName(Action::AddMember, name))
        return false;
    if (!m_store)
        return report(Action::AddMember, failNotStored());
    return report(Action::AddMember, m_store->addMember(key(), ChorePeople::cleanName(name)) || failStored());
}

bool ChoreChanges::renameMember(const QString &from, const QString &to)
{
    if (blankName(Action::RenameMember, to))
        return false;
    if (!m_store)
        return report(Action::RenameMember, failNotStored());
    const QString name = ChorePeople::cleanName(to);
    if (name == from)
        return report(Action::RenameMember, true);
    const bool done = m_store->transaction(key(), [&] {
        const auto naming = m_store->peopleNaming(from);
        const bool handAdded = m_store->handAddedMembers().contains(from);
        return std::all_of(naming.cbegin(), naming.cend(),
                           [&](const auto &row) { return m_store->setPeople(key(), row.first, row.second.renamed(from, name)); })
            && (!handAdded || (m_store->removeMember(key(), from) && m_store->addMember(key(), name)));
    });
    return report(Action::RenameMember, done || failStored());
}

bool ChoreChanges::removeMember(const QString &name)
{
    if (!m_store)
        return report(Action::RemoveMember, failNotStored());
    const bool done = m_store->transaction(key(), [&] {
        const auto naming = m_store->peopleNaming(name);
        return std::all_of(naming.cbegin(), naming.cend(),
                           [&](const auto &row) { return m_store->setPeople(key(), row.first, row.second.without(name)); })
            && m_store->removeMember(key(), name);
    });
    return report(Action::RemoveMember, done || failStored());
}

bool ChoreChanges::remove(Chore *chore)
{
    if (!owns(m_store, chore))
        return report(Action::Delete, failNotStored());
    return report(Action::Delete, m_store->remove(key(), chore) || failStored());
}

Chore *ChoreChanges::receive(const ChoreFields &fields, const Recurrence &recurrence, const ChorePeople &people,
                             const std::function<bool(Chore *)> &alsoWrite)
{
    return insert(fields, recurrence, [&](Chore *chore) { return writePeople(chore, people) && alsoWrite(chore); });
}

Chore *ChoreChanges::insert(const ChoreFields &fields, const Recurrence &recurrence,
                            const std::function<bool(Chore *)> &alsoWrite)
{
    if (!m_store) {
        failNotStored();
        return nullptr;
    }
    Chore *chore = nullptr;
    // The rule before the bookkeeping: setting it counts as a change to send, which the
    // bookkeeping then marks as what the server holds.
    if (m_store->transaction(key(), [&] {
            chore = m_store->insert(key(), fields);
            return chore && m_store->setRecurrence(key(), chore, recurrence) && alsoWrite(chore);
        }))
        return chore;
    failStored();
    return nullptr;
}

bool ChoreChanges::receive(Chore *chore, const ChoreFields &fields, const Recurrence &recurrence,
                           const ChorePeople &people, const std::function<bool()> &alsoWrite)
{
    if (!owns(m_store, chore))
        return failNotStored();
    return m_store->transaction(key(), [&] {
        return assignFields(*m_store, key(), chore, EndDate::Written, fields)
            && m_store->setRecurrence(key(), chore, recurrence) && writePeople(chore, people) && alsoWrite();
    }) || failStored();
}

bool ChoreChanges::receiveRemoval(Chore *chore, const std::function<bool()> &alsoWrite)
{
    if (!owns(m_store, chore))
        return failNotStored();
    return m_store->transaction(key(), [&] { return m_store->remove(key(), chore) && alsoWrite(); }) || failStored();
}

bool ChoreChanges::linkToSeries(Chore *copy, const QString &seriesUid)
{
    return m_store ? m_store->linkToSeries(key(), copy, seriesUid) || failStored() : failNotStored();
}

bool ChoreChanges::linkToSeries(Chore *copy, const Chore *series)
{
    return m_store ? m_store->linkToSeries(key(), copy, series) || failStored() : failNotStored();
}

Chore *ChoreChanges::bringIn(qint64 persistentId)
{
    return m_store ? m_store->bringIn(key(), persistentId) : nullptr;
}

bool ChoreChanges::batch(const std::function<bool()> &writes)
{
    // The store keeps why it failed; sync reads it there, beside its own bookkeeping's.
    return m_store && m_store->transaction(key(), writes);
}

std::optional<std::vector<Chore *>> ChoreChanges::addAll(const QList<ChoreFields> &fields,
                                                         const QList<Recurrence> &recurrences)
{
    if (!m_store) {
        failNotStored();
        return std::nullopt;
    }
    auto added = m_store->insertAll(key(), fields, recurrences);
    if (!added)
        failStored();
    return added;
}

ChoreBackup::Restored ChoreChanges::restore(const QByteArray &backup)
{
    if (!m_store)
        return {};
    return ChoreBackup::restore(*m_store, key(), backup);
}

} // namespace Velmora
