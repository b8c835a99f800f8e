#include "Velmora/Sync/SyncEngine.h"

#include "Velmora/Model/ChoreChanges.h"

namespace Velmora::Sync {

struct SyncEngine::Run {};

SyncEngine::SyncEngine(ChoreChanges &changes, QObject *parent) : QObject(parent), m_changes(&changes) {}

SyncEngine::~SyncEngine() = default;

void SyncEngine::setTarget(const std::optional<SyncTarget> &target)
{
    m_target = target;
}

int SyncEngine::pendingChanges() const
{
    return 0;
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
    SyncReport report;
    report.error.kind = CalDavError::Kind::Server;
    report.error.message = tr("Sync is not finished yet.");
    end(report);
}

void SyncEngine::end(SyncReport report)
{
    report.finishedAt = QDateTime::currentDateTimeUtc();
    m_lastReport = report;
    m_running = false;
    emit runningChanged(false);
    emit finished(report);
    if (std::exchange(m_again, false))
        start();
}

} // namespace Velmora::Sync
