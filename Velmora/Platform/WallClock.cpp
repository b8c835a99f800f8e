#include "Velmora/Platform/WallClock.h"

#include <algorithm>

namespace Velmora {

std::optional<QDateTime> firstInstantAt(QDate day, QTime time, const QTimeZone &zone)
{
    if (!day.isValid() || !time.isValid() || !zone.isValid())
        return std::nullopt;
    // The wall-clock reading as if it were UTC; the instant is that minus the zone's offset.
    const qint64 wallMs = QDateTime(day, time, QTimeZone::utc()).toMSecsSinceEpoch();
    constexpr qint64 dayMs = 24 * 3600 * 1000LL;
    const int offsetBefore = zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(wallMs - dayMs, QTimeZone::utc()));
    const int offsetAfter = zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(wallMs + dayMs, QTimeZone::utc()));

    std::optional<qint64> best;
    for (const int offset : {offsetBefore, offsetAfter}) {
        const qint64 candidate = wallMs - qint64(offset) * 1000;
        if (zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(candidate, QTimeZone::utc())) == offset
            && (!best || candidate < *best))
            best = candidate;
    }
    if (!best) {
        // Skipped: the next existing time is the moment the zone jumps over it.
        const qint64 searchFrom = wallMs - qint64(std::max(offsetBefore, offsetAfter)) * 1000 - 1;
        const QTimeZone::OffsetData jump =
            zone.nextTransition(QDateTime::fromMSecsSinceEpoch(searchFrom, QTimeZone::utc()));
        best = jump.atUtc.isValid() ? jump.atUtc.toMSecsSinceEpoch() : wallMs - qint64(offsetBefore) * 1000;
    }
    const QDateTime instant = QDateTime::fromMSecsSinceEpoch(*best, zone);
    return instant.isValid() ? std::optional(instant) : std::nullopt;
}

} // namespace Velmora
