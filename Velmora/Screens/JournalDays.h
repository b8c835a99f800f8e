#pragma once

#include "Velmora/Screens/JournalCalendar.h"

#include <QColor>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// The calendar's days drawn as one item: a square per day, a column per week, in the shade of
// its level. A Repeater made an item per day, which cost more to open than counting the year.
class JournalDays : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Velmora::JournalCalendar *calendar READ calendar WRITE setCalendar NOTIFY calendarChanged)
    // From one column or row to the next; the squares leave gap between them.
    Q_PROPERTY(qreal step READ step WRITE setStep NOTIFY shapeChanged)
    Q_PROPERTY(qreal gap READ gap WRITE setGap NOTIFY shapeChanged)
    // Days are this colour, faint for no chores, nearly solid for the busiest.
    Q_PROPERTY(QColor tone READ tone WRITE setTone NOTIFY shapeChanged)
    Q_PROPERTY(qreal emptyOpacity READ emptyOpacity WRITE setEmptyOpacity NOTIFY shapeChanged)

public:
    explicit JournalDays(QQuickItem *parent = nullptr);

    JournalCalendar *calendar() const { return m_calendar; }
    void setCalendar(JournalCalendar *calendar);
    qreal step() const { return m_step; }
    void setStep(qreal step);
    qreal gap() const { return m_gap; }
    void setGap(qreal gap);
    QColor tone() const { return m_tone; }
    void setTone(const QColor &tone);
    qreal emptyOpacity() const { return m_emptyOpacity; }
    void setEmptyOpacity(qreal opacity);
    // The colour of a level's days (0-4).
    QColor shade(int level) const;

signals:
    void calendarChanged();
    void shapeChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override;

private:
    QPointer<JournalCalendar> m_calendar;
    qreal m_step = 10;
    qreal m_gap = 2;
    QColor m_tone;
    qreal m_emptyOpacity = 0.07;
};

} // namespace Velmora
