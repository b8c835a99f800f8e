#include "Velmora/Model/Chore.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <iterator>

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

bool Chore::write(Field field, const ChoreFields &values)
{
    return held() && m_store->assign(this, field, values);
}

namespace {

// Calls `use` with the field as `a` and as `b` hold it.
template <typename Fields, typename Use>
bool withField(Chore::Field field, Fields &a, const ChoreFields &b, Use use)
{
    switch (field) {
    case Chore::Field::Title: return use(a.title, b.title);
    case Chore::Field::ColorComponents: return use(a.colorComponents, b.colorComponents);
    case Chore::Field::StartDate: return use(a.startDate, b.startDate);
    case Chore::Field::DueDate: return use(a.dueDate, b.dueDate);
    case Chore::Field::EndDate: return use(a.endDate, b.endDate);
    case Chore::Field::Notify: return use(a.notify, b.notify);
    case Chore::Field::NotificationTime: return use(a.notificationTime, b.notificationTime);
    }
    return false;
}

} // namespace

bool Chore::sameField(Field field, const ChoreFields &a, const ChoreFields &b)
{
    return withField(field, a, b, [](const auto &x, const auto &y) { return x == y; });
}

bool Chore::take(StoreKey, Field field, const ChoreFields &from)
{
    // The counts that follow from the dates notify only when they come out different.
    const bool planning = field == Field::StartDate || field == Field::DueDate;
    const bool finishing = field == Field::StartDate || field == Field::EndDate;
    const int planned = planning ? plannedDays() : 0;
    const int toFinish = finishing ? daysToFinishOrMinusOne() : 0;
    const QString words = field == Field::DueDate ? recurrenceText() : QString();
    const bool changed = withField(field, m_fields, from, [](auto &held, const auto &value) {
        if (held == value)
            return false;
        held = value;
        return true;
    });
    if (!changed)
        return false;
    static constexpr void (Chore::*fieldSignals[])() = {
        &Chore::titleChanged,   &Chore::colorComponentsChanged, &Chore::startDateChanged,       &Chore::dueDateChanged,
        &Chore::endDateChanged, &Chore::notifyChanged,          &Chore::notificationTimeChanged};
    static_assert(std::size(fieldSignals) == size_t(Field::NotificationTime) + 1);
    emit (this->*fieldSignals[int(field)])();
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
