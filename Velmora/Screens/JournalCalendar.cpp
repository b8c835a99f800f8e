#include "Velmora/Screens/JournalCalendar.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ScreenTexts.h"

#include <QCollator>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace Velmora {

namespace {

int clampedCount(qint64 count)
{
    return int(std::clamp<qint64>(count, 0, std::numeric_limits<int>::max()));
}

// Twelve months ending today hold each day of the year once: the year would only lengthen it.
QString shortDate(QDate day, const QLocale &locale)
{
    static const QRegularExpression year(QStringLiteral("[,\\s]*y+[年년]?"));
    return locale.toString(day, ScreenTexts::longDateFormat(locale, false).remove(year).trimmed());
}

} // namespace

JournalCalendar::JournalCalendar(QObject *parent)
    : QAbstractListModel(parent)
    , m_follower([](const Chore &chore, std::optional<Chore::Field> field) {
          return field ? *field == Chore::Field::EndDate : chore.isFinished();
      }, [this] { recount(); })
{
    placeDays();
}

void JournalCalendar::setStore(ChoreStore *store)
{
    if (!m_follower.setStore(store))
        return;
    m_follower.readNow();
    emit storeChanged();
}

void JournalCalendar::setToday(const QDateTime &today)
{
    if (today == m_today && today.timeZone() == m_today.timeZone())
        return;
    m_today = today;
    // The focused day stays while it is shown.
    const QDate focusedDay = m_first.addDays(m_focused);
    if (placeDays()) {
        if (focusedDay >= m_first && focusedDay <= m_last)
            m_focused = int(m_first.daysTo(focusedDay));
        emit focusedChanged();
    }
    emit todayChanged();
}

// The last twelve months end today: a year back from tomorrow, so each day of the month shows once.
bool JournalCalendar::placeDays()
{
    const QTimeZone zone = Clock::current().timeZone();
    QDate last = ChoreDates::calendarDay(m_today.isValid() ? m_today : Clock::current().now(), zone);
    if (!last.isValid())
        last = ChoreDates::calendarDay(Clock::current().now(), zone);
    const QDate first = last.addYears(-1).addDays(1);
    const int lead = (first.dayOfWeek() - int(QLocale().firstDayOfWeek()) + 7) % 7;
    const bool moved = first != m_first || lead != m_lead;
    if (moved) {
        beginResetModel();
        m_first = first;
        m_last = last;
        m_lead = lead;
        m_counts.assign(size_t(first.daysTo(last) + 1), 0);
        m_focused = int(m_counts.size()) - 1;
        endResetModel();
        emit daysChanged();
    }
    // The same days in another zone are other spans of time.
    if (moved || zone != m_zone)
        m_follower.readNow();
    return moved;
}

void JournalCalendar::recount()
{
    std::vector<qint64> counts(m_counts.size(), 0);
    m_zone = Clock::current().timeZone();
    if (m_follower.store()) {
        if (auto stored = m_follower.store()->finishedPerDay(m_first, m_last, m_zone))
            counts = std::move(*stored);
    }
    const qint64 busiest = counts.empty() ? 0 : *std::max_element(counts.cbegin(), counts.cend());
    const QDate monthStart(m_last.year(), m_last.month(), 1);
    const QDate previousStart = monthStart.addMonths(-1);
    qint64 thisMonth = 0;
    qint64 lastMonth = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        const QDate day = m_first.addDays(qint64(i));
        if (day >= monthStart)
            thisMonth += counts[i];
        else if (day >= previousStart)
            lastMonth += counts[i];
    }
    // Only days whose count or shade moved are announced: one finish changes one day, unless it
    // makes a new busiest day.
    int from = -1;
    int to = -1;
    for (size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] != m_counts[i] || level(counts[i], busiest) != level(m_counts[i], m_busiest)) {
            from = from < 0 ? int(i) : from;
            to = int(i);
        }
    }
    m_counts = std::move(counts);
    m_busiest = busiest;
    if (from >= 0)
        emit dataChanged(index(from), index(to), {CountRole, LevelRole, TextRole});
    const MemberCounts members = m_follower.store() ? m_follower.store()->finishedByMember(monthStart, m_last, m_zone).value_or(MemberCounts())
                                                    : MemberCounts();
    const QString membersLine = membersText(members, QLocale());
    if (thisMonth != m_thisMonth || lastMonth != m_lastMonth || membersLine != m_thisMonthMembers) {
        m_thisMonth = clampedCount(thisMonth);
        m_lastMonth = clampedCount(lastMonth);
        m_thisMonthMembers = membersLine;
        emit countsChanged();
    }
    // A finisher renamed changes no count: the focused day is read again all the same.
    const QString focusedMembers = m_focusedMembers;
    readFocusedMembers();
    if ((from >= 0 && m_focused >= from && m_focused <= to) || focusedMembers != m_focusedMembers)
        emit focusedChanged();
}

int JournalCalendar::level(qint64 count, qint64 busiest)
{
    if (count <= 0)
        return 0;
    if (busiest <= 4)
        return int(std::min<qint64>(count, 4));
    return 1 + int(std::min<qint64>(count - 1, busiest - 1) * 3 / (busiest - 1));
}

int JournalCalendar::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_counts.size());
}

QVariant JournalCalendar::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const qint64 count = m_counts[size_t(row)];
    switch (role) {
    case DayRole: return dayOf(row);
    case CountRole: return countAt(row);
    case LevelRole: return level(count, m_busiest);
    case WeekRole: return weekOf(row);
    case WeekdayRole: return weekdayOf(row);
    case Qt::DisplayRole:
    case TextRole: return dayText(row);
    default: return {};
    }
}

QHash<int, QByteArray> JournalCalendar::roleNames() const
{
    return {{DayRole, "day"}, {CountRole, "count"}, {LevelRole, "level"},
            {WeekRole, "week"}, {WeekdayRole, "weekday"}, {TextRole, "text"}};
}

QVariantList JournalCalendar::months() const
{
    QVariantList months;
    const QLocale locale;
    for (QDate day(m_first.year(), m_first.month(), 1); day <= m_last; day = day.addMonths(1)) {
        if (day < m_first)
            continue;
        months.append(QVariantMap{{QStringLiteral("week"), (m_lead + int(m_first.daysTo(day))) / 7},
                                  {QStringLiteral("name"), locale.standaloneMonthName(day.month(), QLocale::ShortFormat)}});
    }
    return months;
}

void JournalCalendar::setFocused(int row)
{
    row = std::clamp(row, 0, rowCount() - 1);
    if (row == m_focused)
        return;
    m_focused = row;
    readFocusedMembers();
    emit focusedChanged();
}

bool JournalCalendar::press(int key)
{
    const QDate from = m_first.addDays(m_focused);
    QDate to;
    switch (key) {
    case Qt::Key_Up: to = from.addDays(-1); break;
    case Qt::Key_Down: to = from.addDays(1); break;
    case Qt::Key_Left: to = from.addDays(-7); break;
    case Qt::Key_Right: to = from.addDays(7); break;
    case Qt::Key_PageUp: to = from.addMonths(-1); break;
    case Qt::Key_PageDown: to = from.addMonths(1); break;
    case Qt::Key_Home: to = m_first; break;
    case Qt::Key_End: to = m_last; break;
    default: return false;
    }
    setFocused(int(m_first.daysTo(std::clamp(to, m_first, m_last))));
    return true;
}

int JournalCalendar::rowAt(int week, int weekday) const
{
    if (weekday < 0 || weekday > 6)
        return -1;
    const int row = week * 7 + weekday - m_lead;
    return row >= 0 && row < rowCount() ? row : -1;
}

int JournalCalendar::dayOf(int row) const
{
    return row >= 0 && row < rowCount() ? int(QDate(1970, 1, 1).daysTo(m_first.addDays(row))) : 0;
}

int JournalCalendar::countAt(int row) const
{
    return row >= 0 && row < rowCount() ? clampedCount(m_counts[size_t(row)]) : 0;
}

QString JournalCalendar::dayText(int row) const
{
    return row >= 0 && row < rowCount() ? dayText(m_first.addDays(row), m_counts[size_t(row)], QLocale()) : QString();
}

QString JournalCalendar::dayLine(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const QString line = dayLine(m_first.addDays(row), m_counts[size_t(row)], QLocale());
    return keptParts(withMembers(line, row == m_focused ? m_focusedMembers : membersOn(row)));
}

QString JournalCalendar::membersOn(int row) const
{
    if (!m_follower.store() || row < 0 || row >= rowCount() || m_counts[size_t(row)] == 0)
        return {};
    const QDate day = m_first.addDays(row);
    return membersText(m_follower.store()->finishedByMember(day, day, m_zone).value_or(MemberCounts()), QLocale());
}

void JournalCalendar::readFocusedMembers()
{
    m_focusedMembers = membersOn(m_focused);
}

QString JournalCalendar::withMembers(const QString &line, const QString &members)
{
    //: A day's count, then who finished them: "3 chores finished on 4 December · Alice 2, Bob 1".
    return members.isEmpty() ? line : tr("%1 · %2").arg(line, members);
}

QString JournalCalendar::membersText(MemberCounts members, const QLocale &locale)
{
    QCollator collator(locale);
    members.removeIf([](const QPair<QString, qint64> &member) { return member.first.isEmpty() || member.second <= 0; });
    std::sort(members.begin(), members.end(), [&](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : collator.compare(a.first, b.first) < 0;
    });
    QStringList parts;
    for (const auto &[name, count] : members) {
        //: A member of the household and how many chores they finished: "Alice 12".
        parts << tr("%1 %2").arg(name, locale.toString(count));
    }
    return parts.join(QLatin1String(", "));
}

QString JournalCalendar::monthLine(int thisMonth, int lastMonth, const QString &members)
{
    const QString month = tr("This month: %n", nullptr, thisMonth);
    return keptParts((members.isEmpty() ? month : tr("%1 · %2").arg(month, members)) + QStringLiteral(" · ")
                     + tr("last month: %n", nullptr, lastMonth));
}

QString JournalCalendar::keptParts(QString line)
{
    // A narrow window wraps a line between its parts only, never "last month:" from its count.
    static constexpr QChar kept(0x00A0);
    line.replace(QLatin1Char(' '), kept);
    return line.replace(QStringLiteral("\u00A0·\u00A0"), QStringLiteral("\u00A0· ")).replace(QStringLiteral(",\u00A0"), QStringLiteral(", "));
}

QString JournalCalendar::nothingText(int row) const
{
    return row >= 0 && row < rowCount() ? tr("Nothing finished on %1").arg(shortDate(m_first.addDays(row), QLocale()))
                                        : QString();
}

QString JournalCalendar::dayLine(QDate day, qint64 count, const QLocale &locale)
{
    const QString date = locale.toString(day, QLocale::LongFormat);
    //: A day of the journal's calendar in full, then how many chores were finished on it.
    return count > 0 ? tr("%1 · %n finished", nullptr, clampedCount(count)).arg(date) : tr("%1 · nothing finished").arg(date);
}

QString JournalCalendar::dayText(QDate day, qint64 count, const QLocale &locale)
{
    const QString date = shortDate(day, locale);
    return count > 0 ? tr("%n chores finished on %1", nullptr, clampedCount(count)).arg(date)
                     : tr("No chores finished on %1").arg(date);
}

} // namespace Velmora
