#include "Velmora/Layout/ThumbsLayout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Velmora::ThumbsLayout;

namespace {

struct Grid {
    ThumbsLayout layout;
    std::vector<std::unique_ptr<QQuickItem>> tiles;

    explicit Grid(std::vector<double> heights)
    {
        layout.setMinWidth(80);
        layout.setMinHeight(10);
        layout.setGap(8);
        for (double h : heights) {
            auto tile = std::make_unique<QQuickItem>();
            tile->setImplicitHeight(h);
            tile->setParentItem(&layout);
            tiles.push_back(std::move(tile));
        }
    }
    ~Grid()
    {
        for (auto &tile : tiles)
            tile->setParentItem(nullptr);
    }
};

} // namespace

TEST(ThumbsLayoutItem, PlacesChildrenAndReportsItsHeight)
{
    Grid grid({20, 60, 35, 10, 59, 1, 44});
    grid.layout.setWidth(326);
    grid.layout.forceLayout();
    EXPECT_EQ(grid.layout.columns(), 3);
    EXPECT_EQ(grid.layout.implicitHeight(), 196);
    EXPECT_EQ(grid.layout.height(), 196);
    const QRectF fourth(grid.tiles[3]->position(), grid.tiles[3]->size());
    EXPECT_EQ(fourth.topLeft(), QPointF(0, 68));
    EXPECT_NEAR(fourth.width(), 103.333, 0.001);
    EXPECT_EQ(fourth.height(), 60);
    EXPECT_NEAR(grid.tiles[2]->x(), 2 * (310.0 / 3 + 8), 1e-9);
}

TEST(ThumbsLayoutItem, ExplicitHeightIsTheProposalOfTheStrategy)
{
    Grid grid(std::vector<double>(7, 60));
    grid.layout.setRowsStrategy(ThumbsLayout::PreventOverflow);
    grid.layout.setSize(QSizeF(326, 150));
    grid.layout.forceLayout();
    EXPECT_EQ(grid.layout.implicitHeight(), 128);
    // Every tile is placed, also below the reported rows.
    EXPECT_EQ(grid.tiles[6]->y(), 136);
}

TEST(ThumbsLayoutItem, WithoutWidthItTakesOneMinimumColumn)
{
    Grid grid({5, 5});
    grid.layout.forceLayout();
    EXPECT_EQ(grid.layout.implicitWidth(), 80);
    EXPECT_EQ(grid.tiles[1]->position(), QPointF(0, 18));
    EXPECT_EQ(grid.tiles[1]->width(), 80);
}

TEST(ThumbsLayoutItem, EmptyGridTakesNoRoom)
{
    Grid grid({});
    grid.layout.setWidth(326);
    grid.layout.forceLayout();
    EXPECT_EQ(grid.layout.implicitHeight(), 0);
}
