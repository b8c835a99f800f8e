#include "Velmora/Layout/DayDots.h"
#include "Velmora/Layout/DayDotsView.h"
#include "Velmora/Layout/FirstRows.h"
#include "Velmora/Layout/ThumbsGeometry.h"

#include <QAbstractItemModelTester>
#include <QStringListModel>

#include <gtest/gtest.h>

#include <functional>

#include <cmath>
#include <limits>
#include <vector>

using Velmora::DayDots;
using Velmora::RowsStrategy;
using Velmora::ThumbsGeometry;

namespace {
constexpr DayDots kTile{2, 1, 2};
constexpr DayDots kDetail{3, 2, 4};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

ThumbsGeometry compact(RowsStrategy strategy = RowsStrategy::Basic, std::int64_t k = 0)
{
    return ThumbsGeometry{80, 10, 8, strategy, k};
}

// Seven tiles, the tallest 60 at the tile width.
const std::vector<double> kSeven{40, 60, 12, 59.5, 3, 60, 21};

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
    EXPECT_EQ((DayDots{2, -2, -7}.x(9)), 18);
    EXPECT_EQ((DayDots{2, 1, std::numeric_limits<double>::infinity()}.x(8)), 24);
}

// Days come from QML as a number: odd ones draw nothing, endless ones what the strip shows.
TEST(DayDotsView, CountsFollowItsWidthAndOddDays)
{
    Velmora::DayDotsView view;
    view.setDot(2);
    view.setGap(1);
    view.setWeekGap(2);
    view.setSize(QSizeF(100, 2));
    for (const auto &[days, drawn] : {std::pair{1095.0, 32}, {std::nan(""), 0}, {7.9, 7}, {1e300, 32}, {-1.0, 0}}) {
        view.setDays(days);
        EXPECT_EQ(view.drawnCount(), drawn) << days;
    }
}

struct ColumnCase {
    double width;
    double columns;
    double tileWidth;
};

class ThumbsColumns : public testing::TestWithParam<ColumnCase> {};

TEST_P(ThumbsColumns, FollowTheWidth)
{
    const ColumnCase c = GetParam();
    const auto m = compact().metrics(c.width, {});
    EXPECT_EQ(m.columns, c.columns) << "width " << c.width;
    EXPECT_DOUBLE_EQ(m.tileWidth, c.tileWidth) << "width " << c.width;
}

INSTANTIATE_TEST_SUITE_P(Widths, ThumbsColumns,
                         testing::Values(ColumnCase{-50, 1, 80}, ColumnCase{0, 1, 80}, ColumnCase{79, 1, 80},
                                         ColumnCase{80, 1, 80}, ColumnCase{167, 1, 167},
                                         // exactly two minimum tiles and a gap, then one point more
                                         ColumnCase{168, 2, 80}, ColumnCase{169, 2, 80.5},
                                         ColumnCase{256, 3, 80}, ColumnCase{257, 3, 80 + 1.0 / 3},
                                         // fractional widths
                                         ColumnCase{326.5, 3, 103.5}, ColumnCase{175.75, 2, 83.875},
                                         ColumnCase{1000, 11, 83.636363636363640}));

// Without a width: one minimum column. Too narrow a width is reported, but tiles keep their
// minimum width. Rows are as high as their tallest tile, or the minimum.
TEST(ThumbsGeometry, ColumnsAndRowsOfOddSizes)
{
    const auto size = compact().sizeThatFits(std::nullopt, std::nullopt, kSeven);
    EXPECT_EQ(size.width, 80);
    EXPECT_EQ(size.height, 7 * 68 - 8);
    EXPECT_EQ(compact().sizeThatFits(50, std::nullopt, kSeven).width, 50);
    const auto places = compact().placements(12, 0, 50, kSeven);
    ASSERT_EQ(places.size(), 7u);
    for (const auto &p : places) {
        EXPECT_EQ(p.x, 12);
        EXPECT_EQ(p.width, 80);
    }
    EXPECT_EQ(places[6].y, 6 * 68);
    EXPECT_EQ(compact().metrics(326, std::vector<double>{1, 2, 9.5}).rowHeight, 10);
    EXPECT_EQ(compact().metrics(326, std::vector<double>{1, 250, 9.5, 30}).rowHeight, 250);
    const auto tall = compact().placements(0, 0, 326, std::vector<double>{1, 250, 9.5, 30});
    for (const auto &p : tall)
        EXPECT_EQ(p.height, 250);
    EXPECT_EQ(tall[3].y, 258);
}

struct StrategyCase {
    RowsStrategy strategy;
    std::int64_t k;
    std::size_t tiles;
    std::optional<double> proposedHeight;
    double height;
};

class ThumbsStrategies : public testing::TestWithParam<StrategyCase> {};

TEST_P(ThumbsStrategies, ReportTheirRows)
{
    const StrategyCase c = GetParam();
    const std::vector<double> heights(c.tiles, 60.0);
    const auto size = compact(c.strategy, c.k).sizeThatFits(326, c.proposedHeight, heights);
    EXPECT_DOUBLE_EQ(size.height, c.height);
}

// Three columns of rows 60 high with gap 8: one row 60, two 128, three 196, five 332.
INSTANTIATE_TEST_SUITE_P(
    Rows, ThumbsStrategies,
    testing::Values(
        // no proposed height: the strategy is not consulted
        StrategyCase{RowsStrategy::Fixed, 1, 7, std::nullopt, 196},
        StrategyCase{RowsStrategy::PreventOverflow, 0, 7, std::nullopt, 196},
        // fixed: k rows whatever the tiles
        StrategyCase{RowsStrategy::Fixed, 2, 7, 500, 128}, StrategyCase{RowsStrategy::Fixed, 3, 7, 10, 196},
        // zero tiles: rows are minHeight 10 high
        StrategyCase{RowsStrategy::Fixed, 2, 0, 10, 28},
        StrategyCase{RowsStrategy::Fixed, -4, 7, 10, 0},
        // at least
        StrategyCase{RowsStrategy::AtLeast, 5, 7, 100, 332},
        // at most
        StrategyCase{RowsStrategy::AtMost, 2, 7, 900, 128},
        StrategyCase{RowsStrategy::AtMost, 5, 7, 900, 196}, StrategyCase{RowsStrategy::AtMost, 5, 3, 900, 60},
        // basic
        StrategyCase{RowsStrategy::Basic, 0, 7, 10, 196},
        StrategyCase{RowsStrategy::Basic, 0, 10, 10, 264},
        // prevent overflow: whole rows that fit the proposal, whatever the tiles
        StrategyCase{RowsStrategy::PreventOverflow, 0, 7, 150, 128},
        StrategyCase{RowsStrategy::PreventOverflow, 0, 7, 195.9, 128},
        StrategyCase{RowsStrategy::PreventOverflow, 0, 7, 1000, 944},
        StrategyCase{RowsStrategy::PreventOverflow, 0, 0, 100, 100},
        StrategyCase{RowsStrategy::PreventOverflow, 0, 7, 0, 0},
        // zero tiles need no rows and take no room
        StrategyCase{RowsStrategy::Basic, 0, 0, std::nullopt, 0}, StrategyCase{RowsStrategy::Basic, 0, 0, 100, 0}));

TEST(ThumbsGeometry, PlacesInSequenceRowByRow)
{
    const auto places = compact().placements(10, 20, 326, kSeven);
    ASSERT_EQ(places.size(), 7u);
    const double t = 310.0 / 3;
    const double expected[7][2] = {{10, 20},           {10 + t + 8, 20}, {10 + 2 * (t + 8), 20}, {10, 88},
                                   {10 + t + 8, 88}, {10 + 2 * (t + 8), 88}, {10, 156}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_NEAR(places[i].x, expected[i][0], 1e-9) << i;
        EXPECT_NEAR(places[i].y, expected[i][1], 1e-9) << i;
        EXPECT_NEAR(places[i].width, t, 1e-9);
        EXPECT_EQ(places[i].height, 60);
    }
    // Rows a strategy leaves out are still placed, below the reported height.
    const auto atMostTwo = compact(RowsStrategy::AtMost, 2);
    EXPECT_GE(atMostTwo.placements(0, 0, 326, kSeven).back().y, atMostTwo.sizeThatFits(326, 900, kSeven).height);
}

TEST(ThumbsGeometry, OddInputStaysFiniteAndSane)
{
    const std::vector<double> odd{kNaN, kInf, -kInf, -5, 42};
    const ThumbsGeometry bad{kNaN, -3, -8, RowsStrategy::PreventOverflow, 0};
    for (double width : {kNaN, kInf, -kInf, -1.0, 0.0, 1e300}) {
        for (std::optional<double> height : {std::optional<double>{}, std::optional<double>{kNaN},
                                             std::optional<double>{kInf}, std::optional<double>{-kInf}}) {
            for (const ThumbsGeometry &g : {compact(RowsStrategy::PreventOverflow), bad,
                                            ThumbsGeometry{0, 0, 0, RowsStrategy::PreventOverflow, 0}}) {
                const auto size = g.sizeThatFits(width, height, odd);
                EXPECT_TRUE(std::isfinite(size.width));
                EXPECT_TRUE(std::isfinite(size.height));
                EXPECT_GE(size.height, 0);
                for (const auto &p : g.placements(kNaN, 0, width, odd)) {
                    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
                    EXPECT_GE(p.width, 0);
                }
            }
        }
    }
    // Non-finite heights do not count; the one real tile sets the rows.
    EXPECT_EQ(compact().metrics(326, odd).rowHeight, 42);
}

TEST(ThumbsGeometry, ManyTilesCountRowsExactly)
{
    const std::vector<double> heights(1'000'000, 1.0);
    const auto size = compact().sizeThatFits(326, std::nullopt, heights);
    EXPECT_EQ(size.height, 333'334.0 * 18 - 8);
}

namespace {

// What a view holds when it follows a model's signals alone, as a Repeater does.
class Mirror : public QObject {
public:
    explicit Mirror(QAbstractItemModel &model) : m_model(model)
    {
        connect(&model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
            for (int row = first; row <= last; ++row)
                rows.insert(row, text(row));
        });
        connect(&model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex &, int first, int last) { rows.remove(first, last - first + 1); });
        connect(&model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to) {
            for (int row = from.row(); row <= to.row(); ++row)
                rows[row] = text(row);
        });
        connect(&model, &QAbstractItemModel::modelReset, this, [this] { rows = all(); });
        rows = all();
    }
    QStringList all() const
    {
        QStringList out;
        for (int row = 0; row < m_model.rowCount(); ++row)
            out << text(row);
        return out;
    }
    QStringList rows;

private:
    QString text(int row) const { return m_model.data(m_model.index(row, 0), Qt::DisplayRole).toString(); }
    QAbstractItemModel &m_model;
};

struct FirstRowsCase {
    const char *name;
    int limit;
    std::function<void(QStringListModel &, Velmora::FirstRows &)> change;
};

class FirstRowsFollow : public testing::TestWithParam<FirstRowsCase> {};

} // namespace

// After any change the rows shown, and what a view built from the signals holds, are the
// source's first rows up to the limit.
TEST_P(FirstRowsFollow, TheSourcesFirstRows)
{
    QStringList start;
    for (int row = 0; row < 10; ++row)
        start << QString::number(row);
    QStringListModel source(start);
    Velmora::FirstRows shown;
    shown.setLimit(GetParam().limit);
    shown.setSource(&source);
    QAbstractItemModelTester tester(&shown, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Mirror view(shown);

    GetParam().change(source, shown);

    const QStringList expected = shown.source() ? source.stringList().mid(0, shown.limit()) : QStringList();
    EXPECT_EQ(view.all(), expected);
    EXPECT_EQ(view.rows, expected);
    EXPECT_EQ(shown.count(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FirstRowsFollow,
    testing::Values(
        FirstRowsCase{"Unchanged", 4, [](auto &, auto &) {}},
        FirstRowsCase{"LimitPastTheEnd", 40, [](auto &, auto &) {}},
        FirstRowsCase{"LimitRaised", 4, [](auto &, auto &rows) { rows.setLimit(7); }},
        FirstRowsCase{"LimitLowered", 7, [](auto &, auto &rows) { rows.setLimit(2); }},
        FirstRowsCase{"LimitNegative", 7, [](auto &, auto &rows) { rows.setLimit(-3); }},
        FirstRowsCase{"InsertedFirst", 4, [](auto &source, auto &) { source.insertRows(0, 1); }},
        FirstRowsCase{"InsertedAtTheLimit", 4, [](auto &source, auto &) { source.insertRows(4, 2); }},
        FirstRowsCase{"InsertedAcrossTheLimit", 4, [](auto &source, auto &) { source.insertRows(2, 5); }},
        FirstRowsCase{"InsertedBeyond", 4, [](auto &source, auto &) { source.insertRows(8, 1); }},
        FirstRowsCase{"InsertedWhileShort", 40, [](auto &source, auto &) { source.insertRows(3, 2); }},
        FirstRowsCase{"RemovedFirst", 4, [](auto &source, auto &) { source.removeRows(0, 1); }},
        FirstRowsCase{"RemovedAcrossTheLimit", 4, [](auto &source, auto &) { source.removeRows(2, 5); }},
        FirstRowsCase{"RemovedBeyond", 4, [](auto &source, auto &) { source.removeRows(6, 2); }},
        FirstRowsCase{"RemovedDownToFewer", 4, [](auto &source, auto &) { source.removeRows(1, 8); }},
        FirstRowsCase{"RemovedAll", 4, [](auto &source, auto &) { source.removeRows(0, 10); }},
        FirstRowsCase{"ChangedShown", 4, [](auto &source, auto &) { source.setData(source.index(3), QStringLiteral("x")); }},
        FirstRowsCase{"ChangedBeyond", 4, [](auto &source, auto &) { source.setData(source.index(8), QStringLiteral("x")); }},
        FirstRowsCase{"Moved", 4, [](auto &source, auto &) { source.moveRows({}, 7, 1, {}, 0); }},
        FirstRowsCase{"Reset", 4, [](auto &source, auto &) { source.setStringList({QStringLiteral("a"), QStringLiteral("b")}); }},
        FirstRowsCase{"SourceGone", 4, [](auto &, auto &rows) { rows.setSource(nullptr); }},
        FirstRowsCase{"ManyInTurns", 3, [](auto &source, auto &rows) {
            for (int i = 0; i < 30; ++i) {
                source.insertRows(i % 5, 1);
                source.setData(source.index(i % 5), QString::number(100 + i));
                rows.setLimit(2 + i % 7);
                source.removeRows((i * 3) % source.rowCount(), 1);
            }
        }}),
    [](const testing::TestParamInfo<FirstRowsCase> &info) { return std::string(info.param.name); });
