#include "Velmora/Platform/WidgetCenter.h"

#include "Velmora/Platform/PrivateFiles.h"

#include <QSaveFile>

namespace Velmora {

void SnapshotWidgetCenter::reloadAllTimelines()
{
    if (!m_snapshot)
        return;
    // A failed write leaves the previous snapshot in place; the widget shows it until the next reload.
    QSaveFile file(m_path);
    // A link put in its place is left alone with its target.
    if (PrivateFiles::isLink(m_path) || !file.open(QIODevice::WriteOnly))
        return;
    file.write(m_snapshot());
    file.commit();
}

} // namespace Velmora
