#include "Velmora/Model/Chore.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

namespace Velmora {

ChoreFields ChoreFields::defaults()
{
    ChoreFields fields;
    const QDateTime today = ChoreDates::startOfDay(Clock::current().now());
    fields.startDate = today;
    fields.dueDate = today;
    return fields;
}

Chore::Chore(ChoreStore *store, qint64 id, ChoreFields fields)
    : QObject(store), m_store(store), m_id(id), m_fields(std::move(fields))
{
}

bool Chore::write(Field field, const QVariant &value)
{
    return m_store && m_store->writeField(this, field, value);
}

bool Chore::assignTitle(const QString &title)
{
    if (!write(Field::Title, title))
        return false;
    m_fields.title = title;
    notifyField(Field::Title);
    return true;
}

bool Chore::assignColorComponents(const ColorComponentsModel &components)
{
    if (!write(Field::ColorComponents, components.encode()))
        return false;
    m_fields.colorComponents = components;
    notifyField(Field::ColorComponents);
    return true;
}

bool Chore::assignStartDate(const QDateTime &date)
{
    if (!write(Field::StartDate, date))
        return false;
    m_fields.startDate = date;
    notifyField(Field::StartDate);
    return true;
}

bool Chore::assignDueDate(const QDateTime &date)
{
    if (!write(Field::DueDate, date))
        return false;
    m_fields.dueDate = date;
    notifyField(Field::DueDate);
    return true;
}

bool Chore::assignEndDate(const std::optional<QDateTime> &date)
{
    if (!write(Field::EndDate, date ? QVariant(*date) : QVariant()))
        return false;
    m_fields.endDate = date;
    notifyField(Field::EndDate);
    return true;
}

bool Chore::assignNotify(bool notify)
{
    if (!write(Field::Notify, notify))
        return false;
    m_fields.notify = notify;
    notifyField(Field::Notify);
    return true;
}

bool Chore::assignNotificationTime(double seconds)
{
    if (!write(Field::NotificationTime, seconds))
        return false;
    m_fields.notificationTime = seconds;
    notifyField(Field::NotificationTime);
    return true;
}

void Chore::notifyField(Field field)
{
    switch (field) {
    case Field::Title: emit titleChanged(); break;
    case Field::ColorComponents: emit colorComponentsChanged(); break;
    case Field::StartDate:
        emit startDateChanged();
        emit plannedDaysChanged();
        emit daysToFinishChanged();
        break;
    case Field::DueDate:
        emit dueDateChanged();
        emit plannedDaysChanged();
        if (repeats())
            emit recurrenceChanged();
        break;
    case Field::EndDate:
        emit endDateChanged();
        emit daysToFinishChanged();
        break;
    case Field::Notify: emit notifyChanged(); break;
    case Field::NotificationTime: emit notificationTimeChanged(); break;
    }
    emit fieldAssigned(field);
    if (!m_store)
        return;
    // An end date moved back may leave fewer of the newest finished chores in memory.
    if (field == Field::EndDate)
        m_store->fillFinished();
    emit m_store->changed(this, field);
}

Recurrence Chore::recurrence() const
{
    return m_store ? m_store->recurrence(m_id) : Recurrence();
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
