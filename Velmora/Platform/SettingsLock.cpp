#include "Velmora/Platform/SettingsLock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QSysInfo>

namespace Velmora {

void releaseOrphanedLock(const QSettings &settings)
{
    const QString path = settings.fileName() + QLatin1String(".lock");
    if (!QFileInfo::exists(path))
        return;
    QLockFile lock(path);
    const auto orphaned = [&lock] {
        qint64 pid = 0;
        QString host, app;
        if (!lock.getLockInfo(&pid, &host, &app))
            return true;
        // This thread is not inside a write, so a lock in this PID's name is a dead process's.
        return pid == QCoreApplication::applicationPid() && (host.isEmpty() || host == QSysInfo::machineHostName());
    };
    if (!orphaned())
        return;
    // A live writer fills in its name at once and is done within milliseconds: give it that.
    if (lock.tryLock(100)) {
        lock.unlock();
        return;
    }
    // Qt removes it only when no one holds it locked: a live writer's lock survives this.
    if (orphaned())
        lock.removeStaleLockFile();
}

} // namespace Velmora
