#include "Velmora/Model/Chore.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreField.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <QTextBoundaryFinder>

namespace Velmora {

QString Chore::shownTitle(const QString &title)
{
    return title.trimmed().isEmpty() ? tr("Untitled chore") : title;
}

ChoreFields ChoreFields::defaults()
{
    ChoreFields fields;
    const QDateTime today = ChoreDates::startOfDay(Clock::current().now());
    fields.startDate = today;
    fields.dueDate = today;
    return fields;
}

Chore::Chore(StoreKey, ChoreStore *store, qint64 id, ChoreFields fields)
    : QObject(store), m_store(store), m_id(id), m_fields(std::move(fields))
{
}

bool Chore::held() const
{
    return m_store && m_store->chore(m_id) == this;
}

bool Chore::take(StoreKey, Field field, const ChoreFields &from)
{
    // The counts that follow from the dates notify only when they come out different.
    const bool planning = field == Field::StartDate || field == Field::DueDate;
    const bool finishing = field == Field::StartDate || field == Field::EndDate;
    const int planned = planning ? plannedDays() : 0;
    const int toFinish = finishing ? daysToFinishOrMinusOne() : 0;
    const QString words = field == Field::DueDate ? recurrenceText() : QString();
    if (ChoreField::same(field, m_fields, from))
        return false;
    ChoreField::take(field, m_fields, from);
    emit (this->*ChoreField::row(field).changed)();
    if (planning && plannedDays() != planned)
        emit plannedDaysChanged();
    if (finishing && daysToFinishOrMinusOne() != toFinish)
        emit daysToFinishChanged();
    if (field == Field::DueDate && recurrenceText() != words)
        emit recurrenceChanged();
    return true;
}

Recurrence Chore::recurrence() const
{
    return held() ? m_store->recurrence(m_id) : Recurrence();
}

bool Chore::repeats() const
{
    return held() && m_store->repeats(m_id);
}

QString Chore::recurrenceText() const
{
    const Recurrence rule = recurrence();
    return rule.repeats() ? rule.text(ChoreDates::calendarDay(m_fields.dueDate)) : QString();
}

ChorePeople Chore::people() const
{
    return held() ? m_store->people(m_id) : ChorePeople();
}

QString Chore::assigneeInitial() const
{
    const QString name = assignee();
    if (name.isEmpty())
        return {};
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    const qsizetype end = graphemes.toNextBoundary();
    return name.left(end > 0 ? end : 1).toUpper();
}

int Chore::daysUntilDue(const QDateTime &from, bool allowingNegative) const
{
    return ChoreDates::daysUntilDue(m_fields, from, allowingNegative);
}

int Chore::remainingDays() const
{
    return ChoreDates::remainingDays(m_fields);
}

int Chore::daysSinceStart() const
{
    return ChoreDates::daysSinceStart(m_fields);
}

std::optional<int> Chore::daysToFinish() const
{
    return ChoreDates::daysToFinish(m_fields);
}

QString Chore::timeLeftText(const QDateTime &from, bool allowingNegative, bool appendingLeft) const
{
    return ChoreDates::timeLeftText(m_fields, from, allowingNegative, appendingLeft);
}

} // namespace Velmora
