#include "Velmora/Layout/DayDotsView.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSGFlatColorMaterial>
#include <QSGGeometryNode>
#include <QSGImageNode>
#include <QSGRendererInterface>

#include <cmath>

namespace Velmora {

DayDotsView::DayDotsView(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    setImplicitSize(10, 10);
}

qint64 DayDotsView::wholeDays(double value)
{
    if (!(value > 0))
        return 0;
    // 2^63 itself does not fit; the largest double below it does.
    constexpr double limit = 9223372036854774784.0;
    return value >= limit ? qint64(limit) : qint64(value);
}

void DayDotsView::setDays(double value)
{
    if (m_days == value || (std::isnan(value) && std::isnan(m_days)))
        return;
    m_days = value;
    emit daysChanged();
    changed();
}

void DayDotsView::setDot(qreal value)
{
    if (m_dots.dot == value)
        return;
    m_dots.dot = value;
    emit dotChanged();
    changed();
}

void DayDotsView::setGap(qreal value)
{
    if (m_dots.gap == value)
        return;
    m_dots.gap = value;
    emit gapChanged();
    changed();
}

void DayDotsView::setWeekGap(qreal value)
{
    if (m_dots.weekGap == value)
        return;
    m_dots.weekGap = value;
    emit weekGapChanged();
    changed();
}

void DayDotsView::setColor(const QColor &value)
{
    if (m_color == value)
        return;
    m_color = value;
    emit colorChanged();
    update();
}

int DayDotsView::drawnCount() const
{
    return int(m_dots.drawnCount(wholeDays(m_days), width()));
}

void DayDotsView::changed()
{
    const int count = drawnCount();
    if (count != m_lastCount) {
        m_lastCount = count;
        emit drawnCountChanged();
    }
    update();
}

void DayDotsView::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        changed();
}

QSGNode *DayDotsView::updatePaintNode(QSGNode *old, UpdatePaintNodeData *)
{
    const std::vector<double> xs = m_dots.positions(wholeDays(m_days), width());
    const float side = float(m_dots.dot);
    if (xs.empty() || !(side > 0) || m_color.alpha() == 0) {
        delete old;
        return nullptr;
    }

    if (window() && window()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software)
        return softwareNode(old, xs);

    auto *node = static_cast<QSGGeometryNode *>(old);
    if (!node) {
        node = new QSGGeometryNode;
        auto *geometry = new QSGGeometry(QSGGeometry::defaultAttributes_Point2D(), 0);
        geometry->setDrawingMode(QSGGeometry::DrawTriangles);
        node->setGeometry(geometry);
        node->setFlag(QSGNode::OwnsGeometry);
        node->setMaterial(new QSGFlatColorMaterial);
        node->setFlag(QSGNode::OwnsMaterial);
    }

    // Two triangles per dot, no index buffer: six vertices each.
    QSGGeometry *geometry = node->geometry();
    geometry->allocate(int(xs.size() * 6));
    QSGGeometry::Point2D *v = geometry->vertexDataAsPoint2D();
    for (double x : xs) {
        const float l = float(x);
        const float r = l + side;
        v[0].set(l, 0);
        v[1].set(r, 0);
        v[2].set(l, side);
        v[3].set(r, 0);
        v[4].set(r, side);
        v[5].set(l, side);
        v += 6;
    }
    node->markDirty(QSGNode::DirtyGeometry);

    auto *material = static_cast<QSGFlatColorMaterial *>(node->material());
    if (material->color() != m_color) {
        material->setColor(m_color);
        node->markDirty(QSGNode::DirtyMaterial);
    }
    return node;
}

QSGNode *DayDotsView::softwareNode(QSGNode *old, const std::vector<double> &xs)
{
    // The software renderer draws no custom geometry: paint the row into one image instead.
    // A fresh node each time lets the node own and free its texture on every Qt version.
    delete old;
    const double side = m_dots.dot;
    const qreal ratio = window()->effectiveDevicePixelRatio();
    constexpr int maxPixels = 16384;
    const int w = int(std::min<double>(maxPixels, std::ceil((xs.back() + side) * ratio)));
    const int h = int(std::min<double>(maxPixels, std::ceil(side * ratio)));
    if (w <= 0 || h <= 0)
        return nullptr;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(ratio, ratio);
        for (double x : xs)
            painter.fillRect(QRectF(x, 0, side, side), m_color);
    }
    QSGImageNode *node = window()->createImageNode();
    node->setTexture(window()->createTextureFromImage(image));
    node->setOwnsTexture(true);
    node->setFiltering(QSGTexture::Nearest);
    node->setRect(QRectF(0, 0, w / ratio, h / ratio));
    return node;
}

} // namespace Velmora
