#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace Velmora {

// How many rows the grid reports when it is offered a height.
enum class RowsStrategy { Fixed, AtLeast, AtMost, Basic, PreventOverflow };

struct GridMetrics {
    double columns = 1; // a whole number, kept as a double like the rest of the arithmetic
    double tileWidth = 0;
    double rowHeight = 0;
};

struct Size {
    double width = 0;
    double height = 0;
};

struct Placement {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// The grid's arithmetic, free of any item or window so that it can be checked and timed alone.
// Heights are the tiles' preferred heights at the tile width; NaN or infinite ones are ignored.
struct ThumbsGeometry {
    double minWidth = 80;
    double minHeight = 10;
    double gap = 8;
    RowsStrategy strategy = RowsStrategy::Basic;
    std::int64_t rowCount = 0; // payload of Fixed, AtLeast and AtMost

    GridMetrics metrics(double availableWidth, std::span<const double> heights) const;
    std::int64_t rowsNeeded(std::size_t tiles, double columns) const;
    std::int64_t rowsReported(std::int64_t needed, double rowHeight, std::optional<double> proposedHeight) const;
    Size sizeThatFits(std::optional<double> proposedWidth, std::optional<double> proposedHeight,
                      std::span<const double> heights) const;
    std::vector<Placement> placements(double left, double top, double boundsWidth,
                                      std::span<const double> heights) const;
    // Height of a number of rows; zero rows take no room.
    double heightOfRows(std::int64_t rows, double rowHeight) const;

private:
    // The fields as the formulas may use them: finite and not negative.
    ThumbsGeometry sanitized() const;
};

} // namespace Velmora
