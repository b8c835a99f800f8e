#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>

namespace Velmora {
class ChoreStore;
}

namespace Velmora::Sync {

class SyncEngine;
struct SyncReport;

// When the engine runs by itself: as soon as it has a target, a few seconds after a change
// here, every quarter of an hour, and when the network comes back. A refused password stops
// it until the account changes; a busy server is left alone for as long as it asks; other
// failures are tried again after pauses that grow with each one.
class SyncSchedule : public QObject {
    Q_OBJECT

public:
    struct Intervals {
        std::chrono::milliseconds afterChange{4000};
        std::chrono::milliseconds periodic{15 * 60 * 1000};
        // After a failed run: the first pause, doubled at each failure that follows, up to the longest.
        std::chrono::milliseconds firstRetry{30 * 1000};
        std::chrono::milliseconds longestRetry{15 * 60 * 1000};
    };

    SyncSchedule(SyncEngine &engine, ChoreStore &store, Intervals intervals, QObject *parent = nullptr);
    SyncSchedule(SyncEngine &engine, ChoreStore &store, QObject *parent = nullptr)
        : SyncSchedule(engine, store, Intervals{}, parent) {}

    // The network is back (or was never known to be away).
    void networkReachable();

private:
    void followNetwork();
    void changedHere();
    void runIfAllowed();
    void ended(const SyncReport &report);

    QPointer<SyncEngine> m_engine;
    QTimer m_afterChange;
    QTimer m_periodic;
    // Not before this instant (ms since the epoch), as a busy server asked.
    qint64 m_notBefore = 0;
    bool m_refused = false;
    Intervals m_intervals;
    int m_failures = 0;
    QTimer m_retry;
    bool m_followingNetwork = false;
};

} // namespace Velmora::Sync
