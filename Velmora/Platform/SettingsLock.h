#pragma once

class QSettings;

namespace Velmora {

// QSettings waits out, on the caller's thread, a lock file it cannot prove stale: 30 s of a
// frozen window. A process killed between creating the lock and writing its name in it leaves
// just that, and so does one whose PID this process has since been given. Called before
// changing the settings, it takes such a lock away; a lock a live process holds stays.
void releaseOrphanedLock(const QSettings &settings);

} // namespace Velmora
