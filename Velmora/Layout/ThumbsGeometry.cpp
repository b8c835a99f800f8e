#include "Velmora/Layout/ThumbsGeometry.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

// Far beyond any screen, yet small enough that every product below stays exact in a double.
constexpr double kMaxColumns = 1.0e6;
constexpr std::int64_t kMaxRows = std::int64_t(1) << 40;

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

std::int64_t clampRows(double rows)
{
    if (!(rows > 0))
        return 0;
    if (rows >= double(kMaxRows))
        return kMaxRows;
    return std::int64_t(rows);
}

} // namespace

ThumbsGeometry ThumbsGeometry::sanitized() const
{
    ThumbsGeometry g = *this;
    g.minWidth = std::max(0.0, finiteOr(minWidth, 0));
    g.minHeight = std::max(0.0, finiteOr(minHeight, 0));
    g.gap = std::max(0.0, finiteOr(gap, 0));
    return g;
}

GridMetrics ThumbsGeometry::metrics(double availableWidth, std::span<const double> heights) const
{
    const ThumbsGeometry g = sanitized();
    const double w = finiteOr(availableWidth, g.minWidth);
    GridMetrics m;
    const double pitch = g.minWidth + g.gap;
    double columns = pitch > 0 ? std::floor((w + g.gap) / pitch) : kMaxColumns;
    m.columns = std::clamp(finiteOr(columns, 1), 1.0, kMaxColumns);
    m.tileWidth = (w - g.gap * (m.columns - 1)) / m.columns;
    if (!(m.tileWidth > g.minWidth))
        m.tileWidth = g.minWidth;
    m.rowHeight = g.minHeight;
    for (double h : heights) {
        if (std::isfinite(h) && m.rowHeight <= h)
            m.rowHeight = h;
    }
    return m;
}

std::int64_t ThumbsGeometry::rowsNeeded(std::size_t tiles, double columns) const
{
    return clampRows(std::ceil(double(tiles) / std::max(1.0, columns)));
}

std::int64_t ThumbsGeometry::rowsReported(std::int64_t needed, double rowHeight,
                                          std::optional<double> proposedHeight) const
{
    if (!proposedHeight)
        return needed;
    const double g = sanitized().gap;
    const std::int64_t k = std::clamp<std::int64_t>(rowCount, 0, kMaxRows);
    switch (strategy) {
    case RowsStrategy::Fixed:
        return k;
    case RowsStrategy::AtLeast:
        return k > needed ? k : needed;
    case RowsStrategy::AtMost:
        return k < needed ? k : needed;
    case RowsStrategy::Basic:
        return needed;
    case RowsStrategy::PreventOverflow:
        return clampRows(std::trunc((*proposedHeight + g) / (rowHeight + g)));
    }
    return needed;
}

double ThumbsGeometry::heightOfRows(std::int64_t rows, double rowHeight) const
{
    if (rows <= 0)
        return 0;
    const double g = sanitized().gap;
    return double(rows) * (rowHeight + g) - g;
}

Size ThumbsGeometry::sizeThatFits(std::optional<double> proposedWidth, std::optional<double> proposedHeight,
                                  std::span<const double> heights) const
{
    const ThumbsGeometry g = sanitized();
    // An infinite or NaN width counts as none proposed.
    const double w = proposedWidth && std::isfinite(*proposedWidth) ? *proposedWidth : g.minWidth;
    if (proposedHeight && std::isnan(*proposedHeight))
        proposedHeight.reset();
    const GridMetrics m = metrics(w, heights);
    const std::int64_t rows = rowsReported(rowsNeeded(heights.size(), m.columns), m.rowHeight, proposedHeight);
    return {w, heightOfRows(rows, m.rowHeight)};
}

std::vector<Placement> ThumbsGeometry::placements(double left, double top, double boundsWidth,
                                                  std::span<const double> heights) const
{
    const ThumbsGeometry g = sanitized();
    const double w = boundsWidth > g.minWidth && std::isfinite(boundsWidth) ? boundsWidth : g.minWidth;
    const GridMetrics m = metrics(w, heights);
    const auto columns = std::size_t(m.columns);
    left = finiteOr(left, 0);
    top = finiteOr(top, 0);
    std::vector<Placement> out;
    out.reserve(heights.size());
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const double row = double(i / columns);
        const double column = double(i % columns);
        out.push_back({left + column * (m.tileWidth + g.gap), top + row * (m.rowHeight + g.gap), m.tileWidth,
                       m.rowHeight});
    }
    return out;
}

} // namespace Velmora
