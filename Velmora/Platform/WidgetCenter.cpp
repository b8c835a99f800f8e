#include "Velmora/Platform/WidgetCenter.h"

#include <QSaveFile>

namespace Velmora {

void SnapshotWidgetCenter::reloadAllTimelines()
{
    if (!m_snapshot)
        return;
    // A failed write leaves the previous snapshot in place; the widget shows it until the next reload.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(m_snapshot());
    file.commit();
}

} // namespace Velmora
