#pragma once

#include "Velmora/Layout/ThumbsGeometry.h"

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// The tile grid: equal columns from minWidth, rows as tall as the tallest child at the tile width.
// Children get their width, height and position from it; its implicit size is the grid's size.
// An explicit height is the proposal the rows strategy answers; without one the grid reports
// the rows it needs.
class ThumbsLayout : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal minWidth READ minWidth WRITE setMinWidth NOTIFY minWidthChanged)
    Q_PROPERTY(qreal minHeight READ minHeight WRITE setMinHeight NOTIFY minHeightChanged)
    Q_PROPERTY(qreal gap READ gap WRITE setGap NOTIFY gapChanged)
    Q_PROPERTY(RowsStrategyKey rowsStrategy READ rowsStrategy WRITE setRowsStrategy NOTIFY rowsStrategyChanged)
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount NOTIFY rowCountChanged)
    Q_PROPERTY(int columns READ columns NOTIFY metricsChanged)
    Q_PROPERTY(qreal tileWidth READ tileWidth NOTIFY metricsChanged)
    Q_PROPERTY(qreal rowHeight READ rowHeight NOTIFY metricsChanged)

public:
    enum RowsStrategyKey {
        Fixed = int(RowsStrategy::Fixed),
        AtLeast = int(RowsStrategy::AtLeast),
        AtMost = int(RowsStrategy::AtMost),
        Basic = int(RowsStrategy::Basic),
        PreventOverflow = int(RowsStrategy::PreventOverflow),
    };
    Q_ENUM(RowsStrategyKey)

    explicit ThumbsLayout(QQuickItem *parent = nullptr);

    qreal minWidth() const { return m_geometry.minWidth; }
    void setMinWidth(qreal value);
    qreal minHeight() const { return m_geometry.minHeight; }
    void setMinHeight(qreal value);
    qreal gap() const { return m_geometry.gap; }
    void setGap(qreal value);
    RowsStrategyKey rowsStrategy() const { return RowsStrategyKey(m_geometry.strategy); }
    void setRowsStrategy(RowsStrategyKey value);
    int rowCount() const { return int(m_geometry.rowCount); }
    void setRowCount(int value);

    int columns() const { return int(m_metrics.columns); }
    qreal tileWidth() const { return m_metrics.tileWidth; }
    qreal rowHeight() const { return m_metrics.rowHeight; }

    const ThumbsGeometry &geometry() const { return m_geometry; }

    // Lays the children out now instead of at the next polish.
    Q_INVOKABLE void forceLayout();

signals:
    void minWidthChanged();
    void minHeightChanged();
    void gapChanged();
    void rowsStrategyChanged();
    void rowCountChanged();
    void metricsChanged();

protected:
    void updatePolish() override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void componentComplete() override;

private:
    QList<QQuickItem *> tiles() const;
    void relayout();
    void childImplicitHeightChanged();

    ThumbsGeometry m_geometry;
    GridMetrics m_metrics;
    bool m_laying = false;
};

} // namespace Velmora
