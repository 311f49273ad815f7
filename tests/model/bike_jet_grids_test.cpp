#include "model/bike_jet_grids.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace quorvel {
namespace {

constexpr int kBikeCount = 53;

// The bikes that share their reference grids; every group has grids of its own.
const std::vector<std::vector<int>> kGridGroups = {
    {0, 42, 43}, {1},         {2},     {3, 21, 28, 46},  {4, 22, 31},  {5},          {6, 11, 20, 32, 33, 41, 44, 49},
    {7, 19, 48}, {8, 36, 45}, {9, 10}, {12, 23},         {13, 14, 38}, {15, 29, 50}, {16},
    {17},        {18, 35},    {24},    {25, 37, 40, 52}, {26},         {27, 51},     {30},
    {34, 47},    {39}};

bool sameGrids(const BikeGridSet& a, const BikeGridSet& b)
{
    return a.outer == b.outer && a.inner == b.inner && a.iap == b.iap && a.wideGrid == b.wideGrid;
}

TEST(BikeJetGrids, WideGridExactlyForTheFifteenColumnBikes)
{
    const std::set<int> wide = {8, 26, 34, 36, 39, 45, 47};
    for (int code = 0; code < kBikeCount; ++code) {
        const BikeGridSet set = bikeGridSet(code);
        const int columns = wide.contains(code) ? 15 : 10;
        EXPECT_EQ(set.wideGrid, wide.contains(code)) << "bike " << code;
        EXPECT_EQ(set.outer->columns, columns) << "bike " << code;
        EXPECT_EQ(set.inner->columns, columns) << "bike " << code;
        EXPECT_EQ(set.iap->columns, columns) << "bike " << code;
    }
}

TEST(BikeJetGrids, GroupsShareGridsAndNoTwoGroupsDo)
{
    std::set<const BikeJetGrid*> seen;
    for (const auto& group : kGridGroups) {
        const BikeGridSet first = bikeGridSet(group.front());
        for (int code : group) {
            const BikeGridSet set = bikeGridSet(code);
            EXPECT_EQ(set.outer, first.outer) << "bike " << code;
            EXPECT_EQ(set.inner, first.inner) << "bike " << code;
            if (code != 47) {
                EXPECT_EQ(set.iap, first.iap) << "bike " << code;
            }
        }
        EXPECT_TRUE(seen.insert(first.outer).second) << "group of " << group.front();
        EXPECT_TRUE(seen.insert(first.inner).second) << "group of " << group.front();
    }
}

TEST(BikeJetGrids, SixtyNineDistinctGridsWithTheIrregularIapSharing)
{
    std::set<const BikeJetGrid*> all;
    for (int code = 0; code < kBikeCount; ++code) {
        const BikeGridSet set = bikeGridSet(code);
        all.insert({set.outer, set.inner, set.iap});
    }
    EXPECT_EQ(all.size(), 69u);
    EXPECT_NE(bikeGridSet(34).iap, bikeGridSet(47).iap);
    EXPECT_EQ(bikeGridSet(39).iap, bikeGridSet(26).iap);
    EXPECT_NE(bikeGridSet(39).outer, bikeGridSet(26).outer);
}

TEST(BikeJetGrids, UnlistedCodesUseTheGridsOfBike26)
{
    for (int code : {53, 100, 255, -1})
        EXPECT_TRUE(sameGrids(bikeGridSet(code), bikeGridSet(26))) << "code " << code;
    EXPECT_TRUE(bikeGridSet(53).wideGrid);
}

TEST(BikeJetGrids, OuterGridOfBike1IsTheFactoryGrid)
{
    const BikeJetGrid& grid = *bikeGridSet(1).outer;
    EXPECT_EQ(grid.cells[0], 110);  // 0 %, 1000 rpm
    EXPECT_EQ(grid.cells[7], 50);   // 0 %, 12000 rpm
    EXPECT_EQ(grid.cells[27], 21);  // 5 %, 12000 rpm
    EXPECT_EQ(grid.cells[84], 485); // 80 %, 6000 rpm
    EXPECT_EQ(grid.cells[95], 570); // 100 %, 8000 rpm
    EXPECT_EQ(grid.cells[99], 430); // 100 %, 16000 rpm
}

// The derived grids behave like a calibration: the injection time grows with throttle or intake
// pressure in every column, and stays within what the maps can store (60000 us).
TEST(BikeJetGrids, DerivedGridsRiseWithLoadAndStayStorable)
{
    const BikeJetGrid* factory = bikeGridSet(1).outer;
    std::set<const BikeJetGrid*> checked;
    for (int code = 0; code < kBikeCount; ++code) {
        const BikeGridSet set = bikeGridSet(code);
        for (const BikeJetGrid* grid : {set.outer, set.inner, set.iap}) {
            if (grid == factory || !checked.insert(grid).second)
                continue;
            for (int c = 0; c < grid->columns; ++c) {
                for (int r = 1; r < 10; ++r) {
                    const auto above = grid->cells[static_cast<std::size_t>((r - 1) * grid->columns + c)];
                    const auto here = grid->cells[static_cast<std::size_t>(r * grid->columns + c)];
                    EXPECT_LE(above, here) << "bike " << code << " row " << r << " column " << c;
                    EXPECT_LE(here, 6000) << "bike " << code;
                }
                EXPECT_GE(grid->cells[static_cast<std::size_t>(c)], 10) << "bike " << code;
                EXPECT_GT(grid->cells[static_cast<std::size_t>(9 * grid->columns + c)],
                          2 * grid->cells[static_cast<std::size_t>(c)])
                    << "bike " << code << " column " << c;
            }
        }
    }
}

} // namespace
} // namespace quorvel
