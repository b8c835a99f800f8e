#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace Velmora::AppIcon {

// The app's icon as pictures built into the program, at each size drawn, smallest first. Trays
// and notification servers find no icon by name where no theme holds it (a run from the build
// folder), so they are given these.
QList<QImage> images();

// A PNG of the icon for a notification server to read, written under the user's cache folder at
// the first call of a run; empty when it cannot be written.
QString filePath();

} // namespace Velmora::AppIcon
