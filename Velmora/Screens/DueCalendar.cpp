#include "Velmora/Screens/DueCalendar.h"

#include <QLocale>

namespace Velmora {

DueCalendar::DueCalendar(QObject *parent) : QObject(parent), m_focused(QDate::currentDate()) {}

void DueCalendar::setEditor(ChoreEditor *editor)
{
    if (m_editor)
        disconnect(m_editor, nullptr, this, nullptr);
    m_editor = editor;
    if (m_editor)
        connect(m_editor, &ChoreEditor::datesChanged, this, &DueCalendar::changed);
    reset();
}

void DueCalendar::focus(QDate day)
{
    if (m_editor)
        day = day.isValid() ? qBound(firstDay(), day, lastDay()) : firstDay();
    if (!day.isValid())
        return;
    m_focused = day;
    emit changed();
}

bool DueCalendar::press(int key, int modifiers)
{
    const QDate to = moved(m_focused, key, Qt::KeyboardModifiers(modifiers), QLocale().firstDayOfWeek());
    if (to.isValid())
        focus(to);
    return to.isValid();
}

bool DueCalendar::pick(int day)
{
    const QDate picked = QDate(1970, 1, 1).addDays(day);
    if (!m_editor || picked < firstDay() || picked > lastDay())
        return false;
    m_editor->setDueDay(picked);
    return true;
}

QDate DueCalendar::moved(QDate day, int key, Qt::KeyboardModifiers modifiers, Qt::DayOfWeek firstDayOfWeek)
{
    const int intoWeek = (day.dayOfWeek() - firstDayOfWeek + 7) % 7;
    const int months = modifiers & Qt::ShiftModifier ? 12 : 1;
    switch (key) {
    case Qt::Key_Left: return day.addDays(-1);
    case Qt::Key_Right: return day.addDays(1);
    case Qt::Key_Up: return day.addDays(-7);
    case Qt::Key_Down: return day.addDays(7);
    case Qt::Key_PageUp: return day.addMonths(-months);
    case Qt::Key_PageDown: return day.addMonths(months);
    case Qt::Key_Home: return day.addDays(-intoWeek);
    case Qt::Key_End: return day.addDays(6 - intoWeek);
    default: return {};
    }
}

} // namespace Velmora
