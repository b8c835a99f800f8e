// What the grid costs per layout pass with 300 tiles; one frame at 60 Hz is 16.7 ms.
#include "Velmora/Layout/DayDots.h"
#include "Velmora/Layout/ThumbsGeometry.h"
#include "Velmora/Layout/ThumbsLayout.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::vector<double> tileHeights(std::size_t n)
{
    std::vector<double> heights(n);
    for (std::size_t i = 0; i < n; ++i)
        heights[i] = 40.0 + double(i * 37 % 29);
    return heights;
}

void BM_GridArithmetic(benchmark::State &state)
{
    const Velmora::ThumbsGeometry grid{80, 10, 8, Velmora::RowsStrategy::Basic, 0};
    const std::vector<double> heights = tileHeights(std::size_t(state.range(0)));
    for (auto _ : state) {
        const auto size = grid.sizeThatFits(326, std::nullopt, heights);
        const auto places = grid.placements(0, 0, 326, heights);
        benchmark::DoNotOptimize(size);
        benchmark::DoNotOptimize(places.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GridArithmetic)->Arg(300)->Unit(benchmark::kMicrosecond);

// Measures and places real items; the width alternates so that every pass moves every tile.
void BM_GridItemLayout(benchmark::State &state)
{
    Velmora::ThumbsLayout layout;
    layout.setMinWidth(80);
    layout.setMinHeight(10);
    layout.setGap(8);
    std::vector<std::unique_ptr<QQuickItem>> tiles;
    for (double h : tileHeights(std::size_t(state.range(0)))) {
        auto tile = std::make_unique<QQuickItem>();
        tile->setImplicitHeight(h);
        tile->setParentItem(&layout);
        tiles.push_back(std::move(tile));
    }
    bool wide = false;
    for (auto _ : state) {
        layout.setWidth(wide ? 390 : 326);
        wide = !wide;
        layout.forceLayout();
        benchmark::DoNotOptimize(layout.implicitHeight());
    }
    for (auto &tile : tiles)
        tile->setParentItem(nullptr);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GridItemLayout)->Arg(300)->Unit(benchmark::kMicrosecond);

void BM_DayDots(benchmark::State &state)
{
    const Velmora::DayDots dots{2, 1, 2};
    for (auto _ : state) {
        auto xs = dots.positions(1'000'000, 326);
        benchmark::DoNotOptimize(xs.data());
    }
}
BENCHMARK(BM_DayDots)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
