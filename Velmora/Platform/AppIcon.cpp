#include "Velmora/Platform/AppIcon.h"

#include "Velmora/Platform/ApplicationBus.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>

namespace Velmora::AppIcon {

namespace {
const int sizes[] = {16, 22, 24, 32, 48, 64, 128};
// Large enough for a notification at twice the scale.
const QString largest = QStringLiteral(":/app-icon/128.png");
} // namespace

QList<QImage> images()
{
    QList<QImage> out;
    for (const int size : sizes) {
        // Read as the PNGs they are: guessing the format would load every image plugin first.
        QImageReader reader(QStringLiteral(":/app-icon/%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            out.append(image);
    }
    return out;
}

QString filePath()
{
    static const QString path = [] {
        QFile source(largest);
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        if (folder.isEmpty() || !source.open(QIODevice::ReadOnly) || !QDir().mkpath(folder))
            return QString();
        const QByteArray bytes = source.readAll();
        const QString target = folder + QLatin1Char('/') + QString::fromLatin1(ApplicationBus::appId)
            + QStringLiteral(".png");
        // Left as it is when an earlier run wrote the same picture.
        QFile current(target);
        if (current.open(QIODevice::ReadOnly) && current.readAll() == bytes)
            return target;
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            return QString();
        return target;
    }();
    return path;
}

} // namespace Velmora::AppIcon
