#pragma once

#include "Velmora/Screens/ChoreEditor.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// The due-date calendar's days and the day its keys move, kept within the editor's pickable
// days. Days reach QML as whole days since 1970-01-01: a QDate would arrive as the start of its
// day in UTC, which west of Greenwich is the evening before.
class DueCalendar : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Velmora::ChoreEditor *editor READ editor WRITE setEditor NOTIFY changed)
    Q_PROPERTY(int first READ first NOTIFY changed)
    Q_PROPERTY(int last READ last NOTIFY changed)
    Q_PROPERTY(int due READ due NOTIFY changed)
    // The day the keys move; the calendar shows its month (0-11, as MonthGrid counts).
    Q_PROPERTY(int focused READ focused NOTIFY changed)
    Q_PROPERTY(int year READ year NOTIFY changed)
    Q_PROPERTY(int month READ month NOTIFY changed)
    Q_PROPERTY(bool earlierMonth READ earlierMonth NOTIFY changed)
    Q_PROPERTY(bool laterMonth READ laterMonth NOTIFY changed)

public:
    explicit DueCalendar(QObject *parent = nullptr);

    ChoreEditor *editor() const { return m_editor; }
    void setEditor(ChoreEditor *editor);
    int first() const { return epochDay(firstDay()); }
    int last() const { return epochDay(lastDay()); }
    int due() const { return m_editor ? epochDay(m_editor->dueDay()) : 0; }
    int focused() const { return epochDay(m_focused); }
    int year() const { return m_focused.year(); }
    int month() const { return m_focused.month() - 1; }
    bool earlierMonth() const { return firstDay() < QDate(m_focused.year(), m_focused.month(), 1); }
    bool laterMonth() const { return lastDay() >= QDate(m_focused.year(), m_focused.month(), 1).addMonths(1); }

    // Focuses the due day, or the pickable day nearest to it.
    Q_INVOKABLE void reset() { focus(m_editor ? m_editor->dueDay() : QDate()); }
    // Moves the focused day as the key says; false for a key that moves nothing.
    Q_INVOKABLE bool press(int key, int modifiers);
    Q_INVOKABLE void stepMonths(int months) { focus(m_focused.addMonths(months)); }
    // Makes a pickable day the editor's due day; false for any other.
    Q_INVOKABLE bool pick(int day);

    // Where a key moves a calendar's day: a day for Left and Right, a week for Up and Down, a
    // month for Page Up and Page Down (a year with Shift), to the week's first or last day for
    // Home and End. Invalid for any other key.
    static QDate moved(QDate day, int key, Qt::KeyboardModifiers modifiers, Qt::DayOfWeek firstDayOfWeek);
    static int epochDay(QDate day) { return day.isValid() ? int(day.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) : 0; }

signals:
    void changed();

private:
    QDate firstDay() const { return m_editor ? m_editor->firstPickableDay() : QDate(); }
    QDate lastDay() const { return m_editor ? m_editor->lastPickableDay() : QDate(); }
    void focus(QDate day);

    QPointer<ChoreEditor> m_editor;
    QDate m_focused;
};

} // namespace Velmora
