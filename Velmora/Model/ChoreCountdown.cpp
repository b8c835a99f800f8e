#include "Velmora/Model/ChoreCountdown.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/Clock.h"

namespace Velmora {

ChoreCountdown::ChoreCountdown(QObject *parent)
    : QObject(parent), m_today(ChoreDates::startOfDay(Clock::current().now()))
{
}

void ChoreCountdown::setChore(Chore *chore)
{
    if (m_chore == chore)
        return;
    if (m_chore)
        disconnect(m_chore, nullptr, this, nullptr);
    m_chore = chore;
    if (chore) {
        connect(chore, &Chore::startDateChanged, this, &ChoreCountdown::countsChanged);
        connect(chore, &Chore::dueDateChanged, this, &ChoreCountdown::countsChanged);
        connect(chore, &QObject::destroyed, this, &ChoreCountdown::countsChanged);
    }
    emit choreChanged();
    emit countsChanged();
}

void ChoreCountdown::setToday(const QDateTime &today)
{
    if (m_today != today) {
        m_today = today;
        emit todayChanged();
    }
    emit countsChanged();
}

int ChoreCountdown::daysLeft() const
{
    return m_chore ? m_chore->daysUntilDue(m_today, false) : 0;
}

QString ChoreCountdown::timeLeftText() const
{
    return m_chore ? m_chore->timeLeftText(m_today, false, true) : QString();
}

int ChoreCountdown::daysSinceStart() const
{
    return m_chore ? m_chore->daysSinceStart() : 0;
}

} // namespace Velmora
