#include "model/reference_interpolation.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct InterpCase {
    std::uint32_t x, x0, x1;
    std::uint16_t y0, y1, expected;
};

class Interp : public testing::TestWithParam<InterpCase> {};

TEST_P(Interp, ClampsOutsideAndTruncatesInside)
{
    const InterpCase c = GetParam();
    EXPECT_EQ(interp(c.x, c.x0, c.x1, c.y0, c.y1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ReferenceInterpolation, Interp,
                         testing::Values(InterpCase{1000, 1000, 2000, 300, 100, 300}, // at the lower breakpoint
                                         InterpCase{0, 1000, 2000, 300, 100, 300},    // below it
                                         InterpCase{2000, 1000, 2000, 300, 100, 100}, // at the upper breakpoint
                                         InterpCase{9000, 1000, 2000, 300, 100, 100}, // above it
                                         InterpCase{1500, 1000, 2000, 300, 100, 200}, // falling
                                         InterpCase{1500, 1000, 2000, 100, 300, 200}, // rising
                                         InterpCase{1, 0, 3, 0, 10, 3},               // rising, truncated
                                         InterpCase{1, 0, 3, 10, 0, 6},               // falling, from the top
                                         InterpCase{5, 0, 10, 65535, 65535, 65535},
                                         InterpCase{1, 0, 2, 0, 65535, 32767}));

std::array<std::uint8_t, kMapColumns> axis(std::initializer_list<int> points)
{
    std::array<std::uint8_t, kMapColumns> a{};
    std::size_t i = 0;
    for (int p : points)
        a[i++] = static_cast<std::uint8_t>(p);
    return a;
}

// A grid whose value grows with the column, or with the row: 10 * (index + 1) units of 10 us.
BikeJetGrid rampGrid(int columns, bool byRow)
{
    BikeJetGrid grid{columns, {}};
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < columns; ++c)
            grid.cells[static_cast<std::size_t>(r * columns + c)] =
                static_cast<std::uint16_t>(10 * ((byRow ? r : c) + 1));
    }
    return grid;
}

TEST(ReferenceInterpolation, AxisBelowAndAboveTheBreakpointsTakesTheEdgeColumns)
{
    const ReferenceTable t = interpolateReferences(rampGrid(10, false), kThrottleRows, kThrottleRows,
                                                   axis({0, 5, 10, 15, 40, 50, 160, 170, 250}));
    EXPECT_EQ(t[0], 100);           // 0 rpm
    EXPECT_EQ(t[1], 100);           // 500 rpm
    EXPECT_EQ(t[2], 100);           // 1000 rpm, first breakpoint
    EXPECT_EQ(t[3], 150);           // 1500 rpm
    EXPECT_EQ(t[4], 400);           // 4000 rpm, on a breakpoint
    EXPECT_EQ(t[5], 450);           // 5000 rpm, between 4000 and 6000
    EXPECT_EQ(t[6], 1000);          // 16000 rpm, last breakpoint
    EXPECT_EQ(t[7], 1000);          // 17000 rpm
    EXPECT_EQ(t[8], 1000);          // 25000 rpm
    EXPECT_EQ(t[9], 100);           // axis point 0 again
    EXPECT_EQ(t[9 * 15 + 6], 1000); // the same column in the last row
}

TEST(ReferenceInterpolation, FifteenColumnGridUsesItsOwnBreakpoints)
{
    const ReferenceTable t =
        interpolateReferences(rampGrid(15, false), kThrottleRows, kThrottleRows, axis({50, 140, 150, 160}));
    EXPECT_EQ(t[0], 500);  // 5000 rpm is column 4
    EXPECT_EQ(t[1], 1400); // 14000 rpm is column 13
    EXPECT_EQ(t[2], 1450); // halfway to 16000
    EXPECT_EQ(t[3], 1500);
}

TEST(ReferenceInterpolation, ThrottleRowsMeetTheirBreakpoints)
{
    const ReferenceTable t = interpolateReferences(rampGrid(10, true), kThrottleRows, kThrottleRows, axis({30}));
    for (int r = 0; r < kMapRows; ++r)
        EXPECT_EQ(t[static_cast<std::size_t>(r * kMapColumns)], 100 * (r + 1)) << "row " << r;
}

TEST(ReferenceInterpolation, NarrowIapGridIsReadBetweenItsPressureRows)
{
    const ReferenceTable t =
        interpolateReferences(rampGrid(10, true), kPressureRowsNarrow, kIapEvaluationRows, axis({30}));
    // Evaluated at 30, 50, 60, 70, 75, 80, 85, 90, 95, 100 kPa over rows of 10..100 kPa.
    constexpr std::array<int, kMapRows> kExpected = {300, 500, 600, 700, 750, 800, 850, 900, 950, 1000};
    for (int r = 0; r < kMapRows; ++r)
        EXPECT_EQ(t[static_cast<std::size_t>(r * kMapColumns)], kExpected[static_cast<std::size_t>(r)]) << r;
}

TEST(ReferenceInterpolation, ReferencesStayBetweenTheFloorAndAWord)
{
    BikeJetGrid grid{10, {}};
    grid.cells[9] = 7000; // 70000 us would not fit a word
    const ReferenceTable t = interpolateReferences(grid, kThrottleRows, kThrottleRows, axis({10, 200}));
    EXPECT_EQ(t[0], kReferenceFloor);
    EXPECT_EQ(t[1], 65535);
}

TEST(ReferenceInterpolation, OuterGridOfBike1AtItsBreakpoints)
{
    const BikeJetGrid& grid = *bikeGridSet(1).outer;
    const ReferenceTable t = interpolateReferences(grid, kThrottleRows, kThrottleRows,
                                                   axis({10, 20, 30, 40, 60, 80, 100, 120, 140, 160, 50}));
    EXPECT_EQ(t[0], 1100);          // 0 %, 1000 rpm
    EXPECT_EQ(t[2 * 15 + 0], 1370); // 5 %, 1000 rpm
    EXPECT_EQ(t[2 * 15 + 7], 210);  // 5 %, 12000 rpm
    EXPECT_EQ(t[9 * 15 + 5], 5700); // 100 %, 8000 rpm
    EXPECT_EQ(t[9 * 15 + 9], 4300); // 100 %, 16000 rpm
    EXPECT_EQ(t[10], 600);          // 0 %, 5000 rpm: halfway between 650 and 550
}

} // namespace
} // namespace quorvel
