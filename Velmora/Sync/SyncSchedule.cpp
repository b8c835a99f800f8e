#include "Velmora/Sync/SyncSchedule.h"

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Sync/CalDavNetwork.h"
#include "Velmora/Sync/SyncEngine.h"

#include <QDateTime>

namespace Velmora::Sync {

SyncSchedule::SyncSchedule(SyncEngine &engine, ChoreStore &store, Intervals intervals, QObject *parent)
    : QObject(parent), m_engine(&engine), m_intervals(intervals)
{
    m_retry.setSingleShot(true);
    // A timer may fire a little early: the pause it ends is over.
    connect(&m_retry, &QTimer::timeout, this, [this] {
        m_notBefore = 0;
        runIfAllowed();
    });
    m_afterChange.setSingleShot(true);
    m_afterChange.setInterval(intervals.afterChange);
    connect(&m_afterChange, &QTimer::timeout, this, &SyncSchedule::runIfAllowed);
    m_periodic.setInterval(intervals.periodic);
    // Coarse: a quarter of an hour need not wake the machine at an exact millisecond.
    m_periodic.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_periodic, &QTimer::timeout, this, &SyncSchedule::runIfAllowed);
    m_periodic.start();

    connect(&store, &ChoreStore::inserted, this, &SyncSchedule::changedHere);
    connect(&store, &ChoreStore::changed, this, &SyncSchedule::changedHere);
    connect(&store, &ChoreStore::removed, this, &SyncSchedule::changedHere);
    connect(&store, &ChoreStore::recurrenceChanged, this, &SyncSchedule::changedHere);
    connect(&store, &ChoreStore::peopleChanged, this, &SyncSchedule::changedHere);
    // Also a rename reaching old finished copies that are not in memory.
    connect(&store, &ChoreStore::membersChanged, this, &SyncSchedule::changedHere);
    connect(&engine, &SyncEngine::finished, this, &SyncSchedule::ended);
    connect(&engine, &SyncEngine::targetChanged, this, [this] {
        m_refused = false;
        m_notBefore = 0;
        m_failures = 0;
        followNetwork();
        runIfAllowed();
    });
}

void SyncSchedule::followNetwork()
{
    // Only with an account: without one, nothing of the network's state is worth its memory.
    if (m_followingNetwork || !m_engine || !m_engine->target())
        return;
    m_followingNetwork = true;
    if (CalDavNetwork *network = CalDavNetwork::instance())
        network->followReachability(this, [this] { networkReachable(); });
}

void SyncSchedule::networkReachable()
{
    runIfAllowed();
}

void SyncSchedule::changedHere()
{
    // The engine's own writes are changes too: what it leaves unsent is looked at when it ends.
    if (m_engine && !m_engine->isRunning())
        m_afterChange.start();
}

void SyncSchedule::runIfAllowed()
{
    if (!m_engine || !m_engine->target() || m_refused || QDateTime::currentMSecsSinceEpoch() < m_notBefore)
        return;
    m_engine->start();
}

void SyncSchedule::ended(const SyncReport &report)
{
    m_refused = report.error.kind == CalDavError::Kind::Unauthorized;
    if (report.error.kind == CalDavError::Kind::RateLimited) {
        m_notBefore = QDateTime::currentMSecsSinceEpoch() + qint64(report.error.retryAfter.count()) * 1000;
        QTimer::singleShot(std::chrono::seconds(report.error.retryAfter) + std::chrono::seconds(1), this,
                           &SyncSchedule::runIfAllowed);
        return;
    }
    if (!report.ok() && !m_refused) {
        // However often changes here ask for a run, a failing server is asked again only after
        // a pause that grows with each failure.
        const std::chrono::milliseconds pause =
            std::min(m_intervals.longestRetry, std::chrono::milliseconds(m_intervals.firstRetry.count() << std::min(m_failures, 20)));
        ++m_failures;
        m_notBefore = QDateTime::currentMSecsSinceEpoch() + pause.count();
        m_retry.start(pause);
        return;
    }
    m_failures = 0;
    // Changed here while it ran, or merged: soon again.
    if (report.ok() && m_engine && m_engine->pendingChanges() > 0)
        m_afterChange.start();
}

} // namespace Velmora::Sync
