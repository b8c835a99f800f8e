#include "Velmora/Styling/SymbolImageProvider.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QUrlQuery>

#include <algorithm>

namespace Velmora {

SymbolImageProvider::SymbolImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{
}

const QStringList &SymbolImageProvider::names()
{
    static const QStringList all{
        QStringLiteral("plus"),
        QStringLiteral("archivebox"),
        QStringLiteral("bell"),
        QStringLiteral("bell.slash"),
        QStringLiteral("xmark"),
        QStringLiteral("xmark.bin"),
        QStringLiteral("trash"),
        QStringLiteral("repeat"),
        QStringLiteral("forward.end"),
        QStringLiteral("square.and.pencil"),
        QStringLiteral("square.dashed"),
        QStringLiteral("plus.circle.fill"),
        QStringLiteral("exclamationmark.triangle.fill"),
        QStringLiteral("circle"),
        QStringLiteral("square.and.arrow.up"),
        QStringLiteral("square.and.arrow.down"),
        QStringLiteral("calendar"),
        QStringLiteral("arrow.triangle.2.circlepath"),
        QStringLiteral("arrow.clockwise"),
        QStringLiteral("person"),
        QStringLiteral("person.2"),
    };
    return all;
}

bool SymbolImageProvider::knows(const QString &name)
{
    return names().contains(name);
}

QSize SymbolImageProvider::effectiveSize(const QSize &requested)
{
    int w = requested.width();
    int h = requested.height();
    if (w <= 0 && h <= 0)
        w = h = defaultSide;
    else if (w <= 0)
        w = h;
    else if (h <= 0)
        h = w;
    return {std::min(w, maxSide), std::min(h, maxSide)};
}

QImage SymbolImageProvider::render(const QString &name, const QColor &color, QSize size)
{
    size = effectiveSize(size);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Only names from the list reach the resource path, so no id can point elsewhere.
    if (!knows(name))
        return image;
    QSvgRenderer svg(QStringLiteral(":/qt/qml/Velmora/Styling/symbols/%1.svg").arg(name));
    if (!svg.isValid())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Keep the symbol square and centred when the request is not.
    const int side = std::min(size.width(), size.height());
    svg.render(&painter, QRectF((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

QImage SymbolImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const qsizetype mark = id.indexOf(QLatin1Char('?'));
    const QString name = id.left(mark);
    QColor color(Qt::black);
    if (mark >= 0) {
        const QUrlQuery query(id.mid(mark + 1));
        const QColor asked(query.queryItemValue(QStringLiteral("color"), QUrl::FullyDecoded));
        if (asked.isValid())
            color = asked;
    }
    QImage image = render(name, color, requestedSize);
    if (size)
        *size = image.size();
    return image;
}

} // namespace Velmora
