#pragma once

#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Sync/CalDavClient.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimeZone>
#include <QUrl>

#include <optional>

namespace Velmora {
class ChoreChanges;
}

namespace Velmora::Sync {

class SyncLedger;
struct LedgerEntry;

// Where the chores go and as whom.
struct SyncTarget {
    QUrl calendar;
    QString user;
    QString password;
    friend bool operator==(const SyncTarget &, const SyncTarget &) = default;
};

// How one run ended.
struct SyncReport {
    CalDavError error;    // ok() when the run went through
    QDateTime finishedAt; // UTC
    int sent = 0;         // chores written or deleted on the server
    int received = 0;     // chores added, changed or deleted here
    int merged = 0;       // chores changed on both sides, merged field by field
    int sameFieldConflicts = 0; // of those, fields changed on both sides: the later change kept
    // Resources in the calendar that are not shown, left alone.
    int withoutDue = 0;   // VTODOs without a due day
    int otherItems = 0;   // events, journal entries and other components
    int unreadable = 0;   // malformed, too large or with absurd dates
    int unsendable = 0;   // chores here that cannot be written as a task, or that the server refused
    int outside = 0;      // hrefs the server named outside the calendar, ignored
    int overLimit = 0;    // new chores not taken in: the store holds as many as it may
    int cleanedNames = 0; // member names from the server that broke the rules, taken cleaned
    int requests = 0;     // HTTP requests made
    // Chores the server refused to take, each as one sentence with the server's reason; they
    // are not sent again until they change here or the user asks.
    QStringList refused;

    bool ok() const { return error.ok(); }
    // Went through with nothing refused: only then is the calendar as it is here.
    bool complete() const { return ok() && refused.isEmpty(); }
};

// Brings the store and one CalDAV calendar to the same chores: local changes go up first, then
// the server's come down, merged field by field where both sides changed. Every change it makes
// here goes through the owner of chore changes, so reminders and lists follow. What is still to
// send lives in the store, so it survives a kill and waits while offline.
class SyncEngine : public QObject {
    Q_OBJECT

public:
    SyncEngine(ChoreChanges &changes, QObject *parent = nullptr);
    ~SyncEngine() override;

    // No target: nothing is synced. A target with another calendar than before sends every
    // chore there again.
    void setTarget(const std::optional<SyncTarget> &target);
    std::optional<SyncTarget> target() const { return m_target; }
    // The zone the chores' days are written in (the user's).
    void setTimeZone(const QTimeZone &zone) { m_zone = zone; }
    // A run still going after this long stops; what it took in so far stays, the rest follows next time.
    void setRunDeadline(std::chrono::milliseconds deadline) { m_runDeadline = deadline; }
    std::chrono::milliseconds runDeadline() const { return m_runDeadline; }
    CalDavClient &client() { return m_client; }

    // At most this many chores in the store (as many as a backup holds): a calendar brings no more.
    static constexpr int maxChoresDefault = ChoreBackup::maxChores;
    void setMaxChores(int most) { m_maxChores = most; }
    // Truncated listings asked again in one run, at most.
    static constexpr int maxTruncatedPasses = 50;

    // Starts one run and returns at once; asked while one runs, one more follows it.
    void start();
    bool isRunning() const { return m_running; }
    // Changes made here and not yet on the server, but for those it refused and that have not
    // changed since.
    int pendingChanges() const;
    // The user asks: chores the server refused are sent again at the next run.
    void retryRefused() { m_refused.clear(); }

    // The most recent report, if any run ended in this process.
    std::optional<SyncReport> lastReport() const { return m_lastReport; }

signals:
    void targetChanged();
    void runningChanged(bool running);
    void finished(const Velmora::Sync::SyncReport &report);

private:
    struct Run;
    void begin();
    void send();
    void pumpSends();
    void sendOne(const LedgerEntry &entry);
    void pull();
    void applyListing(const ChangeList &changes);
    void fetchBatches(QList<QUrl> pending, QList<QUrl> removed, SyncState state, bool truncated);
    void pumpFetches();
    void takeIn(quint64 serial, const FetchedResources &fetched);
    bool receive(const Resource &resource);
    void applyRemovals(const QList<QUrl> &removed);
    void finishListing(const SyncState &state, bool truncated);
    void afterPull();
    void fail(const CalDavError &error);
    void end(SyncReport report);

    QPointer<ChoreChanges> m_changes;
    std::optional<SyncTarget> m_target;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    CalDavClient m_client;
    std::chrono::milliseconds m_runDeadline{10 * 60 * 1000};
    int m_maxChores = maxChoresDefault;
    std::unique_ptr<Run> m_run;
    bool m_running = false;
    bool m_again = false;
    std::optional<SyncReport> m_lastReport;
    // Chore -> the version of it the server refused, and why.
    struct Refusal {
        qint64 version = 0;
        QString sentence;
    };
    QHash<qint64, Refusal> m_refused;
    void refuse(const LedgerEntry &entry, const QString &reason);
    // The server's refusal of this very version of the chore, if it refused it.
    const Refusal *refusedAsIs(const LedgerEntry &entry) const;
};

} // namespace Velmora::Sync
