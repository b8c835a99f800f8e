#include "Velmora/Layout/ThumbsLayout.h"

#include <cmath>
#include <vector>

namespace Velmora {

ThumbsLayout::ThumbsLayout(QQuickItem *parent)
    : QQuickItem(parent)
{
}

void ThumbsLayout::setMinWidth(qreal value)
{
    if (m_geometry.minWidth == value)
        return;
    m_geometry.minWidth = value;
    emit minWidthChanged();
    relayout();
}

void ThumbsLayout::setMinHeight(qreal value)
{
    if (m_geometry.minHeight == value)
        return;
    m_geometry.minHeight = value;
    emit minHeightChanged();
    relayout();
}

void ThumbsLayout::setGap(qreal value)
{
    if (m_geometry.gap == value)
        return;
    m_geometry.gap = value;
    emit gapChanged();
    relayout();
}

void ThumbsLayout::setRowsStrategy(RowsStrategyKey value)
{
    if (rowsStrategy() == value)
        return;
    m_geometry.strategy = RowsStrategy(value);
    emit rowsStrategyChanged();
    relayout();
}

void ThumbsLayout::setRowCount(int value)
{
    if (m_geometry.rowCount == value)
        return;
    m_geometry.rowCount = value;
    emit rowCountChanged();
    relayout();
}

QList<QQuickItem *> ThumbsLayout::tiles() const
{
    QList<QQuickItem *> out;
    const auto children = childItems();
    out.reserve(children.size());
    for (QQuickItem *child : children) {
        // A Repeater sits among the tiles it creates but is not one of them.
        if (!child->inherits("QQuickRepeater"))
            out.append(child);
    }
    return out;
}

void ThumbsLayout::relayout()
{
    if (isComponentComplete())
        polish();
}

void ThumbsLayout::childImplicitHeightChanged()
{
    if (!m_laying)
        relayout();
}

void ThumbsLayout::componentComplete()
{
    QQuickItem::componentComplete();
    forceLayout();
}

void ThumbsLayout::itemChange(ItemChange change, const ItemChangeData &value)
{
    if (change == ItemChildAddedChange) {
        connect(value.item, &QQuickItem::implicitHeightChanged, this, &ThumbsLayout::childImplicitHeightChanged,
                Qt::UniqueConnection);
        relayout();
    } else if (change == ItemChildRemovedChange) {
        disconnect(value.item, &QQuickItem::implicitHeightChanged, this, &ThumbsLayout::childImplicitHeightChanged);
        relayout();
    }
    QQuickItem::itemChange(change, value);
}

void ThumbsLayout::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.width() != oldGeometry.width() || (heightValid() && newGeometry.height() != oldGeometry.height()))
        relayout();
}

void ThumbsLayout::updatePolish()
{
    forceLayout();
}

void ThumbsLayout::forceLayout()
{
    m_laying = true;
    const QList<QQuickItem *> items = tiles();
    const std::optional<double> proposedWidth = widthValid() ? std::optional<double>(width()) : std::nullopt;
    const std::optional<double> proposedHeight = heightValid() ? std::optional<double>(height()) : std::nullopt;

    // Measuring means asking each tile for its height at the tile width, so the width goes first.
    const double boundsWidth = proposedWidth.value_or(m_geometry.minWidth);
    const double tileWidth = m_geometry.metrics(boundsWidth, {}).tileWidth;
    std::vector<double> heights;
    heights.reserve(std::size_t(items.size()));
    for (QQuickItem *item : items) {
        item->setWidth(tileWidth);
        heights.push_back(item->implicitHeight());
    }

    const std::vector<Placement> places = m_geometry.placements(0, 0, boundsWidth, heights);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Placement &p = places[std::size_t(i)];
        items[i]->setPosition(QPointF(p.x, p.y));
        items[i]->setSize(QSizeF(p.width, p.height));
    }

    const Size size = m_geometry.sizeThatFits(proposedWidth, proposedHeight, heights);
    const GridMetrics metrics = m_geometry.metrics(boundsWidth, heights);
    const bool metricsMoved = metrics.columns != m_metrics.columns || metrics.tileWidth != m_metrics.tileWidth
                              || metrics.rowHeight != m_metrics.rowHeight;
    m_metrics = metrics;
    setImplicitSize(std::max(0.0, size.width), size.height);
    m_laying = false;
    if (metricsMoved)
        emit metricsChanged();
}

} // namespace Velmora
