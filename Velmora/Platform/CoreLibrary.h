#pragma once

#include <QFunctionPointer>
#include <QString>

namespace Velmora::CoreLibrary {

// A library of ours that sits beside the core (in the build folder as where it is installed),
// loaded at the first call and kept: the function `symbol` it exports, or null with the reason.
QFunctionPointer resolve(const char *fileName, const char *symbol, QString *error);

} // namespace Velmora::CoreLibrary
