#include "Velmora/Sync/SyncEngine.h"

#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Logging.h"
#include "Velmora/Sync/ChoreMerge.h"
#include "Velmora/Sync/SyncLedger.h"
#include "Velmora/Sync/VTodoCodec.h"

#include <QSet>
#include <QTimer>
#include <QUuid>

namespace Velmora::Sync {

namespace {

// Sends in flight at once: enough to hide the round trips, few enough for any server.
constexpr int kParallelSends = 4;
// Multigets in flight at once: the server answers some while another is taken in (three halved
// the pull's distance to curl's one-by-one requests against Radicale; the sends' four is not needed).
constexpr int kParallelFetches = 3;
// A calendar that suddenly lists none of at least this many chores is not believed.
constexpr int kVanishedAtLeast = 4;

// Every href of a run lies on its calendar's origin.
QString key(const QUrl &href)
{
    return CalDavClient::pathKey(href);
}

// Failures that end the run; any other refusal concerns the one chore sent.
bool endsRun(const CalDavError &error)
{
    switch (error.kind) {
    case CalDavError::Kind::None:
    case CalDavError::Kind::Conflict:
    case CalDavError::Kind::NotFound:
    case CalDavError::Kind::TooLarge:
        return false;
    case CalDavError::Kind::Server:
        return error.httpStatus >= 500 || error.httpStatus < 400;
    default:
        return true;
    }
}

CalDavError storeError(const QString &detail)
{
    CalDavError error;
    error.kind = CalDavError::Kind::Server;
    error.message = SyncEngine::tr("The chores could not be written here: %1").arg(detail);
    return error;
}

} // namespace

struct SyncEngine::Run {
    explicit Run(ChoreChanges &changes) : ledger(changes) {}
    // Tells this run from a later one, wherever either was allocated.
    const quint64 serial = ++runs;
    static inline quint64 runs = 0;
    SyncLedger ledger;
    SyncReport report;
    CalendarInfo calendar;
    QList<LedgerEntry> sending;
    qsizetype nextSend = 0;
    int inFlight = 0;
    int sendPasses = 0;
    // Resources to read whatever the listing says: our sends the server may have changed,
    // and those it refused because they changed there.
    QList<QUrl> mustFetch;
    QTimer deadline;
    // The listing's batches still to fetch, and what it found gone.
    QList<QUrl> fetchQueue;
    QList<QUrl> gone;
    // The keys of what the ledger holds as foreign: a chore received elsewhere needs no clearing there.
    QSet<QString> foreign;
    SyncState listed;
    bool truncated = false;
    int fetching = 0; // asked, not answered
    int takingIn = 0; // answered, being written
    bool listingDone = false;
    int truncatedPasses = 0;
    qint64 stored = 0; // chores in the store
    bool failed = false;
};


SyncEngine::SyncEngine(ChoreChanges &changes, QObject *parent) : QObject(parent), m_changes(&changes) {}

SyncEngine::~SyncEngine()
{
    m_client.abortAll();
}

void SyncEngine::setTarget(const std::optional<SyncTarget> &target)
{
    if (target == m_target)
        return;
    m_target = target;
    // Another server may take what this one refused.
    m_refused.clear();
    if (m_running) {
        // What the old run still holds belongs to the old account.
        m_client.abortAll();
        m_run.reset();
        m_running = false;
        m_again = false;
        emit runningChanged(false);
    }
    emit targetChanged();
}

int SyncEngine::pendingChanges() const
{
    const ChoreStore *store = m_changes ? m_changes->store() : nullptr;
    if (!store || !store->isOpen())
        return 0;
    SyncLedger ledger(*m_changes);
    if (m_refused.isEmpty())
        return ledger.changedHereCount();
    const QList<LedgerEntry> changed = ledger.changedHere();
    return int(std::count_if(changed.begin(), changed.end(), [this](const LedgerEntry &entry) { return !refusedAsIs(entry); }));
}

const SyncEngine::Refusal *SyncEngine::refusedAsIs(const LedgerEntry &entry) const
{
    const auto refusal = m_refused.constFind(entry.chore);
    return refusal != m_refused.cend() && refusal->version == entry.version ? &*refusal : nullptr;
}

void SyncEngine::refuse(const LedgerEntry &entry, const QString &reason)
{
    const ChoreStore *store = m_changes ? m_changes->store() : nullptr;
    const std::optional<ChoreFields> fields = store ? store->stored(entry.chore) : std::nullopt;
    const QString title = fields ? Chore::shownTitle(fields->title) : QString();
    const QString sentence = tr("“%1” was not synced: %2").arg(title, reason);
    m_refused.insert(entry.chore, Refusal{entry.version, sentence});
    if (m_run)
        m_run->report.refused << sentence;
}

void SyncEngine::start()
{
    if (m_running) {
        m_again = true;
        return;
    }
    begin();
}

void SyncEngine::begin()
{
    m_running = true;
    emit runningChanged(true);
    const ChoreStore *store = m_changes ? m_changes->store() : nullptr;
    if (!m_target || !store || !store->isOpen()) {
        SyncReport report;
        report.error.kind = CalDavError::Kind::Server;
        report.error.message = tr("Sync is not set up.");
        end(report);
        return;
    }
    m_run = std::make_unique<Run>(*m_changes);
    m_client.setCredentials(m_target->calendar, m_target->user, m_target->password);
    m_run->deadline.setSingleShot(true);
    connect(&m_run->deadline, &QTimer::timeout, this, [this] {
        CalDavError error;
        error.kind = CalDavError::Kind::Timeout;
        error.message = tr("The sync took longer than %n minute(s) and was stopped; it goes on at the next sync.",
                           nullptr, int(std::max<qint64>(1, m_runDeadline.count() / 60000)));
        fail(error);
    });
    m_run->deadline.start(m_runDeadline);
    if (!m_run->ledger.bindCalendar(m_target->calendar) || !m_run->ledger.enrollAll()) {
        fail(storeError(m_run->ledger.lastError()));
        return;
    }
    m_run->stored = m_run->ledger.choreCount();
    m_run->calendar.url = m_target->calendar;
    if (const std::optional<bool> offered = m_run->ledger.syncCollection()) {
        m_run->calendar.supportsSyncCollection = *offered;
        send();
        return;
    }
    ++m_run->report.requests;
    m_client.describeCalendar(m_target->calendar, [this](CreatedCalendar described) {
        if (!described.error.ok()) {
            fail(described.error);
            return;
        }
        m_run->calendar.supportsSyncCollection = described.calendar.supportsSyncCollection;
        m_run->ledger.saveSyncCollection(described.calendar.supportsSyncCollection);
        send();
    });
}

void SyncEngine::send()
{
    ++m_run->sendPasses;
    m_run->sending = m_run->ledger.changedHere();
    // What the server refused is not offered to it again unchanged: told, not sent.
    m_run->sending.removeIf([this](const LedgerEntry &entry) {
        const Refusal *refusal = refusedAsIs(entry);
        if (!refusal)
            return false;
        if (!m_run->report.refused.contains(refusal->sentence))
            m_run->report.refused << refusal->sentence;
        return true;
    });
    m_run->nextSend = 0;
    pumpSends();
}

void SyncEngine::pumpSends()
{
    Run &run = *m_run;
    while (!run.failed && run.inFlight < kParallelSends && run.nextSend < run.sending.size())
        sendOne(run.sending.at(run.nextSend++));
    if (run.failed || run.inFlight > 0 || run.nextSend < run.sending.size())
        return;
    // Whatever changed here while the sends ran waits for the next run.
    if (run.sendPasses == 1)
        pull();
    else
        end(run.report);
}

void SyncEngine::sendOne(const LedgerEntry &entry)
{
    Run &run = *m_run;
    const ChoreStore &store = *m_changes->store();
    const auto settled = [this] {
        --m_run->inFlight;
        pumpSends();
    };
    if (entry.deleted) {
        if (entry.href.isEmpty()) {
            run.ledger.forget(entry.chore);
            return;
        }
        ++run.inFlight;
        ++run.report.requests;
        m_client.remove(entry.href, entry.etag, [this, entry, settled](CalDavError error) {
            Run &run = *m_run;
            if (error.kind == CalDavError::Kind::Conflict) {
                // Changed there since: the change wins, and comes back here as a chore.
                run.ledger.forget(entry.chore);
                run.mustFetch << entry.href;
            } else if (endsRun(error)) {
                fail(error);
            } else {
                run.ledger.forget(entry.chore);
                ++run.report.sent;
            }
            settled();
        });
        return;
    }
    const std::optional<ChoreFields> fields = store.stored(entry.chore);
    if (!fields) {
        run.ledger.forget(entry.chore);
        return;
    }
    const TodoWriting writing =
        VTodoCodec::write(entry.uid, *fields, store.recurrence(entry.chore), m_zone, entry.serverCopy, entry.modified,
                          store.seriesOf(entry.chore), store.people(entry.chore));
    if (writing.ics.isEmpty()) {
        ++run.report.unsendable;
        refuse(entry, writing.reason);
        return;
    }
    const bool created = entry.href.isEmpty();
    const QUrl href = created ? CalDavClient::resourceUrl(run.calendar.url, entry.uid) : entry.href;
    if (!created && entry.etag.isEmpty()) {
        // Never "If-Match: *", which overwrites whatever is there: its ETag is read first, and
        // the change goes with it at the next run.
        run.mustFetch << href;
        return;
    }
    const QString ifMatch = created ? QString() : entry.etag;
    ++run.inFlight;
    ++run.report.requests;
    m_client.put(href, writing.ics, ifMatch, [this, entry, href, created, ics = writing.ics, settled](WriteResult result) {
        Run &run = *m_run;
        if (result.error.ok()) {
            run.ledger.markSent(entry.chore, entry.uid, href, result.etag, ics, entry.version);
            ++run.report.sent;
            if (result.mustFetch)
                run.mustFetch << href;
        } else if (result.error.kind == CalDavError::Kind::Conflict || result.error.kind == CalDavError::Kind::NotFound) {
            // Changed or gone there meanwhile: read it and merge, or send it anew.
            if (created)
                m_changes->batch([&] { return run.ledger.markMerged(entry.chore, href, {}, {}); });
            run.mustFetch << href;
        } else if (endsRun(result.error)) {
            fail(result.error);
        } else {
            ++run.report.unsendable;
            refuse(entry, result.error.message);
        }
        settled();
    });
}

void SyncEngine::pull()
{
    Run &run = *m_run;
    ++run.report.requests;
    m_client.listChanges(run.calendar, run.ledger.state(), [this](ChangeList changes) {
        Run &run = *m_run;
        if (changes.error.kind == CalDavError::Kind::InvalidSyncToken) {
            // The server forgot where we were: list everything again.
            run.ledger.saveState({});
            pull();
            return;
        }
        if (!changes.error.ok()) {
            fail(changes.error);
            return;
        }
        run.report.outside += changes.outside;
        if (changes.unchanged && run.mustFetch.isEmpty()) {
            run.ledger.saveState(changes.state);
            afterPull();
            return;
        }
        applyListing(changes);
    });
}

void SyncEngine::applyListing(const ChangeList &changes)
{
    Run &run = *m_run;
    QHash<QString, std::pair<QUrl, QString>> foreign;
    for (const auto &[href, etag] : run.ledger.foreignEtags())
        foreign.insert(key(href), {href, etag});
    QSet<QString> fetchKeys;
    QList<QUrl> fetch;
    const auto wantFetch = [&](const QUrl &href) {
        if (const QString k = key(href); !fetchKeys.contains(k)) {
            fetchKeys.insert(k);
            fetch << href;
        }
    };
    for (const QUrl &href : std::as_const(run.mustFetch))
        wantFetch(href);
    QSet<QString> listed;
    const QList<std::pair<QUrl, QString>> held = run.ledger.etagsOnServer();
    QHash<QString, QString> ours;
    for (const auto &[href, etag] : held)
        ours.insert(key(href), etag);
    for (const ResourceState &resource : changes.changed) {
        listed.insert(key(resource.href));
        const QString known = ours.value(key(resource.href), foreign.value(key(resource.href)).second);
        if (known.isEmpty() || known != resource.etag)
            wantFetch(resource.href);
    }
    QList<QUrl> removed = changes.removed;
    if (changes.complete) {
        for (const auto &[href, etag] : held) {
            if (!listed.contains(key(href)))
                removed << href;
        }
        for (auto it = foreign.cbegin(); it != foreign.cend(); ++it) {
            if (!listed.contains(it.key()))
                run.ledger.forgetForeign(it.value().first);
        }
    }
    run.foreign.clear();
    for (auto it = foreign.cbegin(); it != foreign.cend(); ++it) {
        if (!changes.complete || listed.contains(it.key()))
            run.foreign.insert(it.key());
    }
    // A server that lost the calendar's contents (a wrong folder, a broken restore) must not
    // empty the store: every chore it held, gone at once, is not taken as deleted.
    const auto vanished = std::count_if(removed.cbegin(), removed.cend(),
                                        [&](const QUrl &href) { return ours.contains(key(href)); });
    if (ours.size() >= kVanishedAtLeast && vanished == ours.size()) {
        CalDavError error;
        error.kind = CalDavError::Kind::Server;
        error.message = tr("The calendar on the server suddenly holds none of the %n chore(s); nothing was deleted here.",
                           nullptr, int(ours.size()));
        fail(error);
        return;
    }

    m_run->mustFetch.clear();
    fetchBatches(fetch, removed, changes.state, changes.truncated);
}

// Multiget batches taken in one write each, while the next ones are on their way: the server
// answers one while this side writes the other.
void SyncEngine::fetchBatches(QList<QUrl> pending, QList<QUrl> removed, SyncState state, bool truncated)
{
    Run &run = *m_run;
    run.fetchQueue = std::move(pending);
    run.gone = std::move(removed);
    run.listed = std::move(state);
    run.truncated = truncated;
    run.listingDone = false;
    pumpFetches();
}

void SyncEngine::pumpFetches()
{
    Run &run = *m_run;
    while (!run.failed && run.fetching < kParallelFetches && !run.fetchQueue.isEmpty()) {
        const QList<QUrl> batch = run.fetchQueue.mid(0, CalDavClient::multigetBatch);
        run.fetchQueue.remove(0, batch.size());
        ++run.fetching;
        ++run.report.requests;
        m_client.fetch(run.calendar.url, batch, [this](FetchedResources fetched) {
            Run &run = *m_run;
            if (!fetched.error.ok()) {
                fail(fetched.error);
                return;
            }
            --run.fetching;
            ++run.takingIn;
            run.gone << fetched.missing;
            pumpFetches();
            // Taken in from the event loop, after it has handed the request just made to the
            // network thread: written here at once, the server would wait idle meanwhile.
            QMetaObject::invokeMethod(
                this, [this, serial = run.serial, fetched = std::move(fetched)] { takeIn(serial, fetched); },
                Qt::QueuedConnection);
        });
    }
    // The listing ends once the last batch is in, and only then.
    if (!run.failed && run.fetching == 0 && run.takingIn == 0 && run.fetchQueue.isEmpty()
        && !std::exchange(run.listingDone, true)) {
        applyRemovals(run.gone);
        finishListing(run.listed, run.truncated);
    }
}

void SyncEngine::takeIn(quint64 serial, const FetchedResources &fetched)
{
    // A run that ended or gave way to another meanwhile takes nothing more in.
    if (!m_run || m_run->serial != serial || m_run->failed)
        return;
    Run &run = *m_run;
    const ChoreStore &store = *m_changes->store();
    const bool taken = m_changes->batch([&] {
        for (const Resource &resource : fetched.resources) {
            if (!receive(resource))
                return false;
        }
        for (const QUrl &href : fetched.refused) {
            if (!run.ledger.recordForeign(href, {}, ForeignKind::Unreadable))
                return false;
            run.foreign.insert(key(href));
        }
        return true;
    });
    --run.takingIn;
    if (!taken)
        fail(storeError(store.lastError().isEmpty() ? run.ledger.lastError() : store.lastError()));
    else
        pumpFetches();
}

void SyncEngine::finishListing(const SyncState &state, bool truncated)
{
    if (m_run->failed)
        return;
    m_run->ledger.saveState(state);
    if (truncated && ++m_run->truncatedPasses >= maxTruncatedPasses) {
        // Each pass kept its place: the next run goes on from there.
        CalDavError error;
        error.kind = CalDavError::Kind::Server;
        error.message = tr("The server kept answering that more changes follow; the sync stopped after %n pass(es).",
                           nullptr, maxTruncatedPasses);
        fail(error);
    } else if (truncated) {
        pull();
    } else {
        afterPull();
    }
}

void SyncEngine::afterPull()
{
    // Merges and changes that won over deletions go up in one more pass.
    if (m_run->ledger.changedHereCount() > 0)
        send();
    else
        end(m_run->report);
}

bool SyncEngine::receive(const Resource &resource)
{
    Run &run = *m_run;
    const ChoreStore &store = *m_changes->store();
    const TodoReading reading = VTodoCodec::read(resource.data, m_zone);
    bool underHref = false;
    std::optional<LedgerEntry> entry = run.ledger.byHrefOrUid(
        resource.href, reading.outcome == TodoReading::Outcome::Chore ? reading.uid : QString(), underHref);
    // Found by its UID: ours under another name (a server that renamed it), or a create that clashed.
    if (entry && !underHref && !entry->href.isEmpty() && !CalDavClient::sameResource(entry->href, resource.href))
        entry.reset();
    if (reading.outcome != TodoReading::Outcome::Chore) {
        const ForeignKind kind = reading.outcome == TodoReading::Outcome::SkippedNoDue ? ForeignKind::WithoutDue
            : reading.outcome == TodoReading::Outcome::SkippedNotTodo                   ? ForeignKind::Other
                                                                                        : ForeignKind::Unreadable;
        if (entry && !entry->deleted) {
            // Our chore turned into something we cannot show: it stays here, and goes up again
            // as a chore of its own, leaving the server's item alone.
            run.ledger.unlink(entry->chore, QUuid::createUuid().toString(QUuid::WithoutBraces));
        } else if (entry) {
            run.ledger.forget(entry->chore);
        }
        run.foreign.insert(key(resource.href));
        return run.ledger.recordForeign(resource.href, resource.etag, kind);
    }
    if (run.foreign.remove(key(resource.href)))
        run.ledger.forgetForeign(resource.href);

    // A finished occurrence keeps the series it came from, known here or not (yet).
    const auto bookkeep = [&](qint64 chore) {
        Chore *held = store.chore(chore);
        return (!held || m_changes->linkToSeries(held, reading.series))
            && run.ledger.markReceived(chore, reading.uid, resource.href, resource.etag, resource.data);
    };
    const ChoreState remote{reading.fields, reading.recurrence, reading.people};
    // Names that broke the rules are taken cleaned, and told.
    run.report.cleanedNames += reading.cleanedPeople;
    Chore *chore = entry && !entry->deleted ? m_changes->bringIn(entry->chore) : nullptr;
    if (!chore) {
        // A store over a backup's size could never be backed up again.
        if (run.stored >= m_maxChores) {
            ++run.report.overLimit;
            return true;
        }
        ++run.stored;
        // New there, or changed there after it was deleted here: the change wins.
        ++run.report.received;
        return m_changes->receive(remote.fields, remote.recurrence, remote.people,
                                  [&](Chore *added) { return bookkeep(added->persistentId()); });
    }
    // Another app that moved a repeating task on in place sends it with its next due day, as any
    // edit: taken as it comes, with no finished copy made up here.
    const ChoreState here{chore->fields(), chore->recurrence(), chore->people()};
    if (!entry->changedHere()) {
        const MergedChore taken = mergeChore(here, here, {}, remote, {}, m_zone);
        if (!(taken.fields == here.fields) || !(taken.recurrence == here.recurrence) || taken.people != here.people)
            ++run.report.received;
        return m_changes->receive(chore, taken.fields, taken.recurrence, taken.people, [&] { return bookkeep(chore->persistentId()); });
    }
    std::optional<ChoreState> base;
    if (!entry->serverCopy.isEmpty()) {
        const TodoReading before = VTodoCodec::read(entry->serverCopy, m_zone);
        if (before.outcome == TodoReading::Outcome::Chore)
            base = ChoreState{before.fields, before.recurrence, before.people};
    }
    const MergedChore merged = mergeChore(base, here, entry->modified, remote, reading.lastModified, m_zone);
    ++run.report.merged;
    run.report.sameFieldConflicts += merged.sameFieldConflicts;
    return m_changes->receive(chore, merged.fields, merged.recurrence, merged.people, [&] {
        return merged.differsFromRemote
            ? run.ledger.markMerged(chore->persistentId(), resource.href, resource.etag, resource.data)
            : bookkeep(chore->persistentId());
    });
}

void SyncEngine::applyRemovals(const QList<QUrl> &removed)
{
    Run &run = *m_run;
    for (const QUrl &href : removed) {
        const std::optional<LedgerEntry> entry = run.ledger.byHref(href);
        if (!entry) {
            run.ledger.forgetForeign(href);
            continue;
        }
        if (entry->deleted) {
            run.ledger.forget(entry->chore);
        } else if (entry->changedHere()) {
            // Deleted there, changed here: the change wins and goes up again.
            run.ledger.unlink(entry->chore);
        } else if (Chore *chore = m_changes->bringIn(entry->chore)) {
            ++run.report.received;
            m_changes->receiveRemoval(chore, [&] { return run.ledger.forget(entry->chore); });
        } else {
            run.ledger.forget(entry->chore);
        }
    }
}

void SyncEngine::fail(const CalDavError &error)
{
    if (!m_run || m_run->failed)
        return;
    m_run->failed = true;
    qCWarning(logSync).noquote() << "The sync stopped:" << error.message;
    m_run->report.error = error;
    m_client.abortAll();
    end(m_run->report);
}

void SyncEngine::end(SyncReport report)
{
    if (m_run) {
        // The run is over: its deadline must not end it a second time.
        m_run->deadline.stop();
        report.withoutDue = m_run->ledger.foreignCount(ForeignKind::WithoutDue);
        report.otherItems = m_run->ledger.foreignCount(ForeignKind::Other);
        report.unreadable = m_run->ledger.foreignCount(ForeignKind::Unreadable);
    }
    report.finishedAt = QDateTime::currentDateTimeUtc();
    m_lastReport = report;
    // The run's state goes once every callback that could reach it has returned.
    QMetaObject::invokeMethod(this, [this] { if (!m_running) m_run.reset(); }, Qt::QueuedConnection);
    m_running = false;
    emit runningChanged(false);
    emit finished(report);
    // Asked again meanwhile: once this run's callbacks have all returned.
    if (std::exchange(m_again, false))
        QMetaObject::invokeMethod(this, &SyncEngine::start, Qt::QueuedConnection);
}

} // namespace Velmora::Sync
