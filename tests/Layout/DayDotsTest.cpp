#include "Velmora/Layout/DayDots.h"
#include "Velmora/Layout/DayDotsView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Velmora::DayDots;

namespace {
constexpr DayDots kTile{2, 1, 2};
constexpr DayDots kDetail{3, 2, 4};
} // namespace

struct CountCase {
    std::int64_t days;
    std::int64_t drawn;
    double lastX; // of the last dot drawn, tile values, a strip wide enough for all
};

class DayDotsCounts : public testing::TestWithParam<CountCase> {};

TEST_P(DayDotsCounts, OneDotPerDay)
{
    const CountCase c = GetParam();
    const auto xs = kTile.positions(c.days, 4000);
    ASSERT_EQ(std::int64_t(xs.size()), c.drawn);
    if (!xs.empty()) {
        EXPECT_EQ(xs.back(), c.lastX);
    }
    for (std::size_t k = 1; k < xs.size(); ++k) {
        // plain pitch inside a week, pitch plus week gap in front of every eighth dot
        const double step = xs[k] - xs[k - 1];
        EXPECT_EQ(step, k % 7 == 0 ? 5 : 3) << "dot " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Days, DayDotsCounts,
                         testing::Values(CountCase{-3, 0, 0}, CountCase{0, 0, 0}, CountCase{1, 1, 0},
                                         CountCase{7, 7, 18}, CountCase{8, 8, 23}, CountCase{14, 14, 41},
                                         CountCase{15, 15, 46}, CountCase{1095, 1095, 3594}));

// The detail screen's bigger dots keep their own pitch and week gap.
TEST(DayDots, DetailValuesKeepTheirPitch)
{
    EXPECT_EQ(kDetail.positions(15, 1000), (std::vector<double>{0, 5, 10, 15, 20, 25, 30, 39, 44, 49, 54, 59, 64, 69, 78}));
}

struct NarrowCase {
    std::int64_t days;
    double width;
    std::int64_t drawn;
};

class DayDotsNarrow : public testing::TestWithParam<NarrowCase> {};

TEST_P(DayDotsNarrow, DrawOnlyWhatCanShowAndOneMore)
{
    const NarrowCase c = GetParam();
    EXPECT_EQ(kTile.drawnCount(c.days, c.width), c.drawn);
}

// With tile values dot 30 starts at 98 and dot 31 at 101.
INSTANTIATE_TEST_SUITE_P(
    Widths, DayDotsNarrow,
    testing::Values(NarrowCase{1095, 100, 32}, NarrowCase{1095, 101, 32}, NarrowCase{1095, 101.5, 33},
                    NarrowCase{20, 100, 20}, NarrowCase{1095, 0, 1}, NarrowCase{1095, -40, 1},
                    NarrowCase{1095, std::numeric_limits<double>::quiet_NaN(), 1},
                    NarrowCase{1'000'000, 326, 101}, NarrowCase{std::numeric_limits<std::int64_t>::max(), 326, 101},
                    NarrowCase{std::numeric_limits<std::int64_t>::min(), 326, 0},
                    NarrowCase{std::numeric_limits<std::int64_t>::max(), std::numeric_limits<double>::infinity(),
                               DayDots::maxDots}));

TEST(DayDots, DegenerateSizes)
{
    EXPECT_EQ((DayDots{0, 1, 2}.drawnCount(10, 100)), 0);
    EXPECT_EQ((DayDots{-2, 1, 2}.drawnCount(10, 100)), 0);
    EXPECT_EQ((DayDots{std::nan(""), 1, 2}.drawnCount(10, 100)), 0);
    // Negative or infinite gaps count as none.
    EXPECT_EQ((DayDots{2, -2, 0}.drawnCount(100, 20)), 11);
    const DayDots stacked{2, -2, -7};
    EXPECT_EQ(stacked.x(9), 18);
    EXPECT_EQ((DayDots{2, 1, std::numeric_limits<double>::infinity()}.x(8)), 24);
}

TEST(DayDotsView, SizesAndCountsFollowItsWidth)
{
    Velmora::DayDotsView view;
    view.setDot(2);
    view.setGap(1);
    view.setWeekGap(2);
    view.setDays(1095);
    view.setSize(QSizeF(100, 2));
    EXPECT_EQ(view.drawnCount(), 32);
    view.setWidth(4000);
    EXPECT_EQ(view.drawnCount(), 1095);
    view.setDays(-1);
    EXPECT_EQ(view.drawnCount(), 0);
    view.setDays(std::nan(""));
    EXPECT_EQ(view.drawnCount(), 0);
    view.setDays(7.9);
    EXPECT_EQ(view.drawnCount(), 7);
    // Endless days in a 4000-point strip: as many as a 4000-point strip shows, about 1,217.
    view.setDays(1e300);
    EXPECT_EQ(view.drawnCount(), kTile.drawnCount(std::numeric_limits<std::int64_t>::max(), 4000));
    EXPECT_LT(view.drawnCount(), 1230);
    EXPECT_GT(view.drawnCount(), 1210);
}
