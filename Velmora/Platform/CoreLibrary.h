#pragma once

#include <QFunctionPointer>
#include <QLoggingCategory>
#include <QString>

namespace Velmora::CoreLibrary {

// A library of ours that sits beside the core (in the build folder as where it is installed),
// loaded at the first call and kept: the function `symbol` it exports, or null with the reason.
QFunctionPointer resolve(const char *fileName, const char *symbol, QString *error);

// The object such a library hands out from `symbol`, a function of no arguments; null, with the
// warning `failed` and the reason in `category`, when it cannot be had.
template <typename T>
T *make(const char *fileName, const char *symbol, const QLoggingCategory &(*category)(), const char *failed)
{
    QString error;
    const auto maker = reinterpret_cast<T *(*)()>(resolve(fileName, symbol, &error));
    if (!maker) {
        qCWarning(category).noquote() << failed << error;
        return nullptr;
    }
    return maker();
}

} // namespace Velmora::CoreLibrary
