#include "Velmora/Platform/NotificationService.h"

#include <tuple>

namespace Velmora {

bool NotificationTrigger::isDueAt(QDate atDate, QTime atTime) const
{
    return std::tuple(year, month, day, hour, minute)
        <= std::tuple(atDate.year(), atDate.month(), atDate.day(), atTime.hour(), atTime.minute());
}

} // namespace Velmora
