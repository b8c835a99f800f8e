#include "Velmora/Platform/CoreLibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <dlfcn.h>

namespace Velmora::CoreLibrary {

QFunctionPointer resolve(const char *fileName, const char *symbol, QString *error)
{
    static const char anchor = 0;
    Dl_info info{};
    const QString folder = dladdr(&anchor, &info) && info.dli_fname
        ? QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath()
        : QCoreApplication::applicationDirPath();
    QLibrary library(folder + QLatin1Char('/') + QString::fromLatin1(fileName));
    const QFunctionPointer found = library.resolve(symbol);
    if (!found && error)
        *error = library.errorString();
    return found;
}

} // namespace Velmora::CoreLibrary
