#pragma once

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Model/StoreFollower.h"

#include <QAbstractListModel>
#include <QDate>
#include <QTimeZone>
#include <QtQml/qqmlregistration.h>

#include <vector>

namespace Velmora {

// The journal's year at a glance: one row per day of the last twelve months, oldest first, each
// with how many chores ended that day, placed in weeks of the locale (a column per week, a row
// per weekday). The counts come from the store's index, never from loading the journal; they are
// counted again once after any number of finishes, deletes or restores, and when the day or the
// zone changes. One day holds the keys' focus.
class JournalCalendar : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Velmora::ChoreStore *store READ store WRITE setStore NOTIFY storeChanged)
    // The start of today, as the day clock gives it.
    Q_PROPERTY(QDateTime today READ today WRITE setToday NOTIFY todayChanged)
    Q_PROPERTY(int weeks READ weeks NOTIFY daysChanged)
    // The column and name of each month whose first day is shown: [{week, name}].
    Q_PROPERTY(QVariantList months READ months NOTIFY daysChanged)
    Q_PROPERTY(int thisMonthCount READ thisMonthCount NOTIFY countsChanged)
    Q_PROPERTY(int lastMonthCount READ lastMonthCount NOTIFY countsChanged)
    // "This month: 23 · Alice 12, Bob 9, Sam 2 · last month: 30": the counts with who finished them.
    Q_PROPERTY(QString monthLine READ monthLine NOTIFY countsChanged)
    // The row of the day the keys move; today's until they move it.
    Q_PROPERTY(int focused READ focused WRITE setFocused NOTIFY focusedChanged)
    Q_PROPERTY(QString focusedText READ focusedText NOTIFY focusedChanged)
    // The focused day in full, for the eye: "Tuesday, 8 December 2026 · 3 finished".
    Q_PROPERTY(QString focusedLine READ focusedLine NOTIFY focusedChanged)
    Q_PROPERTY(int focusedWeek READ focusedWeek NOTIFY focusedChanged)
    Q_PROPERTY(int focusedWeekday READ focusedWeekday NOTIFY focusedChanged)

public:
    // DayRole: days since 1970-01-01; LevelRole: 0 for none, 1-4 from the fewest to the most of the year.
    enum Role { DayRole = Qt::UserRole + 1, CountRole, LevelRole, WeekRole, WeekdayRole, TextRole };
    Q_ENUM(Role)

    explicit JournalCalendar(QObject *parent = nullptr);

    ChoreStore *store() const { return m_follower.store(); }
    void setStore(ChoreStore *store);
    QDateTime today() const { return m_today; }
    void setToday(const QDateTime &today);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QDate firstDay() const { return m_first; }
    int weeks() const { return (m_lead + int(m_counts.size()) + 6) / 7; }
    QVariantList months() const;
    int thisMonthCount() const { return m_thisMonth; }
    int lastMonthCount() const { return m_lastMonth; }
    QString monthLine() const { return monthLine(m_thisMonth, m_lastMonth, m_thisMonthMembers); }
    int focused() const { return m_focused; }
    void setFocused(int row);
    QString focusedText() const { return withMembers(dayText(m_focused), m_focusedMembers); }
    QString focusedLine() const { return dayLine(m_focused); }
    int focusedWeek() const { return weekOf(m_focused); }
    int focusedWeekday() const { return weekdayOf(m_focused); }

    // Moves the focused day: a day for Up and Down, a week for Left and Right, a month for Page
    // Up and Page Down, the first or last day for Home and End. False for a key that moves nothing.
    Q_INVOKABLE bool press(int key);
    // The row of the day shown at a column and weekday; -1 outside the days shown.
    Q_INVOKABLE int rowAt(int week, int weekday) const;
    Q_INVOKABLE int dayOf(int row) const;
    Q_INVOKABLE int countAt(int row) const;
    Q_INVOKABLE QString dayLine(int row) const;
    // What picking a day without chores answers: "Nothing finished on 8 December".
    Q_INVOKABLE QString nothingText(int row) const;
    int levelAt(int row) const { return level(row >= 0 && row < rowCount() ? m_counts[size_t(row)] : 0, m_busiest); }
    Q_INVOKABLE int weekOf(int row) const { return (m_lead + row) / 7; }
    Q_INVOKABLE int weekdayOf(int row) const { return (m_lead + row) % 7; }

    // "3 chores finished on 4 December", "No chores finished on 5 December".
    static QString dayText(QDate day, qint64 count, const QLocale &locale);
    static QString dayLine(QDate day, qint64 count, const QLocale &locale);
    // 1-4 for a day with chores, by its share of the busiest day's count; 0 for none.
    static int level(qint64 count, qint64 busiest);
    using MemberCounts = QList<QPair<QString, qint64>>;
    // "Alice 12, Bob 9, Sam 2": the most first, equal counts by name; finishes by no one known
    // are counted but not named.
    static QString membersText(MemberCounts members, const QLocale &locale);
    static QString monthLine(int thisMonth, int lastMonth, const QString &members);

public slots:
    // Counts again now; changes of the store ask for it on their own.
    void recount();

signals:
    void storeChanged();
    void todayChanged();
    void daysChanged();
    void countsChanged();
    void focusedChanged();

private:
    QString dayText(int row) const;
    // Who finished the chores of a day shown; empty without a store or a finisher known.
    QString membersOn(int row) const;
    void readFocusedMembers();
    static QString withMembers(const QString &line, const QString &members);
    // Spaces inside each part of a shown line kept: it breaks after "·" and "," only.
    static QString keptParts(QString line);
    // Whether the days shown moved.
    bool placeDays();

    QDateTime m_today;
    // The zone of the last count.
    QTimeZone m_zone;
    QDate m_first;
    QDate m_last;
    // Blank cells before the first day in its week.
    int m_lead = 0;
    std::vector<qint64> m_counts;
    qint64 m_busiest = 0;
    int m_thisMonth = 0;
    int m_lastMonth = 0;
    int m_focused = -1;
    QString m_thisMonthMembers;
    QString m_focusedMembers;
    // Only what moves a chore into, out of or within the journal counts; titles and colours do not.
    StoreFollower m_follower;
};

} // namespace Velmora
