#include "Velmora/Layout/DayDots.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

double nonNegative(double v)
{
    return std::isfinite(v) && v > 0 ? v : 0;
}

} // namespace

DayDots DayDots::sanitized() const
{
    return {nonNegative(dot), nonNegative(gap), nonNegative(weekGap)};
}

double DayDots::x(std::int64_t k) const
{
    const DayDots d = sanitized();
    if (k <= 0)
        return 0;
    return double(k) * (d.dot + d.gap) + std::floor(double(k / 7)) * d.weekGap;
}

std::int64_t DayDots::drawnCount(std::int64_t days, double width) const
{
    const DayDots d = sanitized();
    if (days <= 0 || d.dot <= 0)
        return 0;
    const std::int64_t limit = std::min(days, maxDots);
    const double pitch = d.dot + d.gap;
    const double weekPitch = 7 * pitch + d.weekGap; // > 0, as the dot is
    const double w = std::isnan(width) ? 0 : std::clamp(width, 0.0, double(maxDots) * weekPitch);
    // Whole weeks that start inside the width, then dot by dot within the last week.
    std::int64_t k = std::int64_t(w / weekPitch) * 7;
    while (k < limit && x(k) < w)
        ++k;
    return std::min(limit, k + 1);
}

std::vector<double> DayDots::positions(std::int64_t days, double width) const
{
    const std::int64_t count = drawnCount(days, width);
    std::vector<double> out;
    out.reserve(std::size_t(count));
    for (std::int64_t k = 0; k < count; ++k)
        out.push_back(x(k));
    return out;
}

} // namespace Velmora
