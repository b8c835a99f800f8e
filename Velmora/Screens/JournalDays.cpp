#include "Velmora/Screens/JournalDays.h"

#include <QSGSimpleRectNode>

#include <algorithm>

namespace Velmora {

JournalDays::JournalDays(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

void JournalDays::setCalendar(JournalCalendar *calendar)
{
    if (m_calendar == calendar)
        return;
    if (m_calendar)
        disconnect(m_calendar, nullptr, this, nullptr);
    m_calendar = calendar;
    if (calendar) {
        connect(calendar, &QAbstractItemModel::dataChanged, this, &QQuickItem::update);
        connect(calendar, &QAbstractItemModel::modelReset, this, &QQuickItem::update);
    }
    update();
    emit calendarChanged();
}

void JournalDays::setStep(qreal step)
{
    if (qFuzzyCompare(step, m_step))
        return;
    m_step = step;
    update();
    emit shapeChanged();
}

void JournalDays::setGap(qreal gap)
{
    if (qFuzzyCompare(gap, m_gap))
        return;
    m_gap = gap;
    update();
    emit shapeChanged();
}

void JournalDays::setTone(const QColor &tone)
{
    if (tone == m_tone)
        return;
    m_tone = tone;
    update();
    emit shapeChanged();
}

void JournalDays::setEmptyOpacity(qreal opacity)
{
    if (qFuzzyCompare(opacity, m_emptyOpacity))
        return;
    m_emptyOpacity = opacity;
    update();
    emit shapeChanged();
}

QColor JournalDays::shade(int level) const
{
    static constexpr qreal opacities[] = {0.25, 0.45, 0.68, 0.92};
    QColor shade = m_tone;
    shade.setAlphaF(float(level <= 0 ? m_emptyOpacity : opacities[std::min(level, 4) - 1]));
    return shade;
}

// Made anew at each change: a new count or a new day, a few times a day at most.
QSGNode *JournalDays::updatePaintNode(QSGNode *old, UpdatePaintNodeData *)
{
    delete old;
    if (!m_calendar || m_step <= m_gap)
        return nullptr;
    auto *root = new QSGNode;
    const qreal side = m_step - m_gap;
    for (int row = 0; row < m_calendar->rowCount(); ++row) {
        root->appendChildNode(new QSGSimpleRectNode(
            QRectF(m_calendar->weekOf(row) * m_step, m_calendar->weekdayOf(row) * m_step, side, side),
            shade(m_calendar->levelAt(row))));
    }
    return root;
}

} // namespace Velmora
