#include "Velmora/App/RefreshDay.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/TimeChangeNotifier.h"

namespace Velmora {

RefreshDay::RefreshDay(TimeChangeNotifier *timeChanges, QObject *parent)
    : QObject(parent)
    , m_date(ChoreDates::startOfDay(Clock::current().now()))
{
    if (timeChanges) {
        // The connection ends with either object, so no explicit removal is needed.
        connect(timeChanges, &TimeChangeNotifier::significantTimeChange, this,
                [this] { refresh(Clock::current().now()); });
        connect(timeChanges, &QObject::destroyed, this, &RefreshDay::observerChanged);
        m_observer = timeChanges;
    }
}

void RefreshDay::refresh(const QDateTime &instant)
{
    const QDateTime day = ChoreDates::startOfDay(instant.isValid() ? instant : Clock::current().now());
    QMetaObject::invokeMethod(this, [this, day] { assign(day); }, Qt::QueuedConnection);
}

void RefreshDay::assign(const QDateTime &date)
{
    if (date == m_date && date.timeZone() == m_date.timeZone())
        return;
    m_date = date;
    emit dateChanged();
}

} // namespace Velmora
