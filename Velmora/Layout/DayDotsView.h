#pragma once

#include "Velmora/Layout/DayDots.h"

#include <QColor>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// A strip of square dots, one per day, drawn as a single scene-graph node.
class DayDotsView : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    // A QML number: 64-bit integer properties cannot be assigned from QML in Qt 6.4.
    Q_PROPERTY(double days READ days WRITE setDays NOTIFY daysChanged)
    Q_PROPERTY(qreal dot READ dot WRITE setDot NOTIFY dotChanged)
    Q_PROPERTY(qreal gap READ gap WRITE setGap NOTIFY gapChanged)
    Q_PROPERTY(qreal weekGap READ weekGap WRITE setWeekGap NOTIFY weekGapChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(int drawnCount READ drawnCount NOTIFY drawnCountChanged)

public:
    explicit DayDotsView(QQuickItem *parent = nullptr);

    double days() const { return m_days; }
    void setDays(double value);
    // Whole days, NaN as none, bounded to what 64 bits hold.
    static qint64 wholeDays(double value);
    qreal dot() const { return m_dots.dot; }
    void setDot(qreal value);
    qreal gap() const { return m_dots.gap; }
    void setGap(qreal value);
    qreal weekGap() const { return m_dots.weekGap; }
    void setWeekGap(qreal value);
    QColor color() const { return m_color; }
    void setColor(const QColor &value);

    // The dots the node holds for the current width.
    int drawnCount() const;

signals:
    void daysChanged();
    void dotChanged();
    void gapChanged();
    void weekGapChanged();
    void colorChanged();
    void drawnCountChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;

private:
    void changed();
    QSGNode *softwareNode(QSGNode *old, const std::vector<double> &xs);

    DayDots m_dots;
    double m_days = 0;
    QColor m_color = Qt::white;
    int m_lastCount = 0;
};

} // namespace Velmora
