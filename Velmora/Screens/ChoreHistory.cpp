#include "Velmora/Screens/ChoreHistory.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/Clock.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

// The rule's interval as people say it, where it has a fixed one; empty for rules that fall on
// several weekdays or say more than the editor shows.
QString plannedText(const Recurrence &recurrence, const QDate &due)
{
    const std::optional<Recurrence::Simple> simple = recurrence.followable(due) ? recurrence.simple() : std::nullopt;
    if (!simple)
        return {};
    switch (simple->frequency) {
    case Recurrence::Frequency::Daily: return QLocale().toString(simple->interval);
    case Recurrence::Frequency::Weekly:
        return simple->weekdays.size() <= 1 ? QLocale().toString(7 * simple->interval) : QString();
    case Recurrence::Frequency::Monthly: return ChoreHistory::tr("every %n months", nullptr, simple->interval);
    case Recurrence::Frequency::Yearly: return ChoreHistory::tr("every %n years", nullptr, simple->interval);
    case Recurrence::Frequency::Never: break;
    }
    return {};
}

} // namespace

ChoreHistory::Figures ChoreHistory::figuresOf(const QList<ChoreStore::Occurrence> &occurrences, const QTimeZone &zone)
{
    Figures figures;
    QDate newest, oldest;
    for (auto it = occurrences.crbegin(); it != occurrences.crend(); ++it) {
        const QDate due = ChoreDates::calendarDay(it->due, zone);
        const QDate done = ChoreDates::calendarDay(it->finished, zone);
        if (!due.isValid() || !done.isValid())
            continue;
        // Finished before its day counts as on time.
        const qint64 late = due.daysTo(done);
        figures.marks.append({late <= 0 ? OnTime : late <= 2 ? SlightlyLate : Late, done, late, it->finishedBy});
        figures.onTime += late <= 0 ? 1 : 0;
        if (!oldest.isValid())
            oldest = done;
        newest = done;
    }
    // Finishes come newest first by instant, so their days run in order: the gaps add up to
    // the span from the first to the last.
    if (figures.marks.size() >= 2)
        figures.averageDays = double(oldest.daysTo(newest)) / double(figures.marks.size() - 1);
    return figures;
}

QString ChoreHistory::summaryOf(const Figures &figures, const Recurrence &recurrence, const QDate &due)
{
    const int count = int(figures.marks.size());
    if (count == 0)
        return {};
    QString line = count == 1 ? (figures.onTime == 1 ? tr("Done on time the last time") : tr("Done late the last time"))
                              : tr("Done %1 of the last %n on time", nullptr, count).arg(figures.onTime);
    const double average = figures.averageDays.value_or(0);
    // Below half a day on average there is no interval to speak of.
    if (!std::isfinite(average) || average < 0.5 || average > 1e6)
        return line;
    line = tr("%1, on average every %n days", nullptr, int(std::lround(average))).arg(line);
    const QString planned = plannedText(recurrence, due);
    return planned.isEmpty() ? line : tr("%1 (planned: %2)").arg(line, planned);
}

ChoreHistory::ChoreHistory(QObject *parent)
    : QObject(parent)
    , m_follower([](const Chore &chore, std::optional<Chore::Field> field) {
          return field ? *field == Chore::Field::EndDate || *field == Chore::Field::DueDate : chore.isFinished();
      }, [this] { read(); })
{
}

void ChoreHistory::setStore(ChoreStore *store)
{
    if (!m_follower.setStore(store))
        return;
    emit storeChanged();
    m_follower.schedule();
}

void ChoreHistory::setChore(Chore *chore)
{
    if (m_chore == chore)
        return;
    if (m_chore)
        disconnect(m_chore, nullptr, &m_follower, nullptr);
    m_chore = chore;
    if (chore)
        connect(chore, &Chore::recurrenceChanged, &m_follower, &StoreFollower::schedule);
    emit choreChanged();
    m_follower.schedule();
}

void ChoreHistory::setToday(const QDateTime &today)
{
    if (m_today != today) {
        m_today = today;
        emit todayChanged();
    }
    m_follower.schedule();
}

QString ChoreHistory::markText(const Mark &mark, const QLocale &locale)
{
    const QString day = locale.toString(mark.finished, QLocale::LongFormat);
    const int late = int(std::min<qint64>(mark.daysLate, 1000000));
    if (!mark.finishedBy.isEmpty()) {
        return mark.daysLate <= 0 ? tr("Finished by %1 on %2, on time").arg(mark.finishedBy, day)
                                  : tr("Finished by %1 on %2, %n days late", nullptr, late).arg(mark.finishedBy, day);
    }
    return mark.daysLate <= 0 ? tr("Finished %1, on time").arg(day) : tr("Finished %1, %n days late", nullptr, late).arg(day);
}

QVariantList ChoreHistory::marks() const
{
    QVariantList list;
    const QList<Mark> &marks = m_figures.marks;
    const QDate oldest = marks.isEmpty() ? QDate() : marks.first().finished;
    const qint64 span = marks.isEmpty() ? 0 : oldest.daysTo(marks.last().finished);
    const QLocale locale;
    int stacked = 0;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        stacked = i > 0 && marks[i - 1].finished == marks[i].finished ? stacked + 1 : 0;
        // Places by day, so the gaps tell the time between finishes; the newest is always at the end.
        const double place = span > 0 ? double(oldest.daysTo(marks[i].finished)) / double(span) : 1.0;
        list.append(QVariantMap{{QStringLiteral("lateness"), int(marks[i].lateness)},
                                {QStringLiteral("place"), place},
                                {QStringLiteral("stacked"), stacked},
                                {QStringLiteral("text"), markText(marks[i], locale)}});
    }
    return list;
}

void ChoreHistory::read()
{
    const QTimeZone zone = Clock::current().timeZone();
    const ChoreStore *store = m_follower.store();
    m_figures = store && m_chore ? figuresOf(store->lastOccurrences(m_chore->persistentId(), shown), zone) : Figures();
    const QString summary = m_chore ? summaryOf(m_figures, m_chore->recurrence(), ChoreDates::calendarDay(m_chore->dueDate(), zone))
                                    : QString();
    m_summary = summary;
    emit figuresChanged();
}

} // namespace Velmora
