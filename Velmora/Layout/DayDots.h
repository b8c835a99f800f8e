#pragma once

#include <cstdint>
#include <vector>

namespace Velmora {

// Where the dots of a day strip go: one row, a week gap in front of every eighth dot.
struct DayDots {
    double dot = 2;
    double gap = 1;
    double weekGap = 2;

    // Left edge of dot k (from 0), measured from the strip's left edge.
    double x(std::int64_t k) const;
    // How many of `days` dots to draw in a strip `width` wide: every dot that starts inside it and
    // one more, never more than maxDots. Dots past that would only be cut off by the tile anyway.
    std::int64_t drawnCount(std::int64_t days, double width) const;
    std::vector<double> positions(std::int64_t days, double width) const;

    static constexpr std::int64_t maxDots = 65536;

private:
    DayDots sanitized() const;
};

} // namespace Velmora
