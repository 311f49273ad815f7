#include "maps/map_selection.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

MapSelection selectionIn(GridLayoutMode mode)
{
    MapSelection selection;
    selection.setLayout(GridLayout::of(mode));
    return selection;
}

TEST(MapSelection, DragSelectsTheRectangleInEitherDirection)
{
    MapSelection selection = selectionIn(GridLayoutMode::Full);
    EXPECT_TRUE(selection.empty());
    selection.press({5, 7});
    EXPECT_FALSE(selection.isBlock());
    selection.extendTo({2, 3});
    EXPECT_EQ(selection.rect(), (CellRect{2, 3, 5, 7}));
    EXPECT_EQ(selection.cells().size(), 4U * 5U);
    EXPECT_EQ(selection.cells().front(), (GridCell{2, 3}));
    EXPECT_EQ(selection.anchor(), (GridCell{5, 7}));
    EXPECT_TRUE(selection.isBlock());
}

TEST(MapSelection, ShiftArrowsGrowFromTheAnchorAndStopAtTheMapsEdge)
{
    MapSelection selection = selectionIn(GridLayoutMode::Full);
    selection.press({8, 13});
    selection.move(5, 5, true);
    EXPECT_EQ(selection.rect(), (CellRect{8, 13, 9, 14}));
    selection.move(-3, 0, true);
    EXPECT_EQ(selection.rect(), (CellRect{6, 13, 8, 14}));
    // An arrow without Shift leaves one cell.
    selection.move(0, -1, false);
    EXPECT_EQ(selection.rect(), (CellRect{6, 13, 6, 13}));
}

TEST(MapSelection, OneRowPagesSelectAlongTheLastRowOnly)
{
    MapSelection selection = selectionIn(GridLayoutMode::OneRow);
    selection.press({3, 4});
    EXPECT_EQ(selection.current(), (GridCell{9, 4}));
    selection.move(-1, 2, true);
    EXPECT_EQ(selection.rect(), (CellRect{9, 4, 9, 6}));
    selection.selectAll();
    EXPECT_EQ(selection.cells().size(), 15U);
    EXPECT_FALSE(selection.contains({8, 0}));
}

TEST(MapSelection, OneColumnPagesSelectColumnZeroOnly)
{
    MapSelection selection = selectionIn(GridLayoutMode::OneColumn);
    selection.selectAll();
    EXPECT_EQ(selection.rect(), (CellRect{0, 0, 9, 0}));
    selection.press({2, 9});
    selection.move(0, 3, true);
    EXPECT_EQ(selection.rect(), (CellRect{2, 0, 2, 0}));
}

TEST(MapSelection, FollowsALayoutChangeOntoTheShownCellsAndClearsOnAnEmptyPage)
{
    MapSelection selection = selectionIn(GridLayoutMode::Full);
    selection.press({1, 2});
    selection.extendTo({4, 6});
    selection.setLayout(GridLayout::of(GridLayoutMode::OneRow));
    EXPECT_EQ(selection.rect(), (CellRect{9, 2, 9, 6}));
    selection.setLayout(GridLayout::of(GridLayoutMode::Empty));
    EXPECT_TRUE(selection.empty());
    selection.press({0, 0});
    selection.selectAll();
    EXPECT_TRUE(selection.empty());
    EXPECT_TRUE(selection.cells().empty());
}

TEST(MapSelection, FollowerMapsCanBeSelectedForCopying)
{
    MapSelection selection = selectionIn(GridLayoutMode::FollowerTimes);
    selection.selectAll();
    EXPECT_EQ(selection.cells().size(), 150U);
}

} // namespace
} // namespace quorvel
