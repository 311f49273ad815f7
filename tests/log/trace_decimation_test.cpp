#include "log/trace_decimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace quorvel {
namespace {

struct Trace {
    std::vector<std::uint32_t> times;
    std::vector<float> values;
};

// `rows` rows `intervalMs` apart from 0, a slow wave with a spike and a dip in it.
Trace wave(int rows, std::uint32_t intervalMs = 1)
{
    Trace trace;
    for (int i = 0; i < rows; ++i) {
        trace.times.push_back(static_cast<std::uint32_t>(i) * intervalMs);
        trace.values.push_back(static_cast<float>(100.0 * std::sin(i / 500.0)));
    }
    trace.values[5003] = 1000.0F;
    trace.values[7001] = -1000.0F;
    return trace;
}

std::vector<std::size_t> rowRange(std::size_t first, std::size_t last)
{
    std::vector<std::size_t> rows;
    for (std::size_t row = first; row <= last; ++row)
        rows.push_back(row);
    return rows;
}

TEST(TraceDecimation, FewRowsComeWholeWithTheirNeighboursOutsideTheSpan)
{
    const std::vector<std::uint32_t> times = {0, 100, 200, 300, 400, 500, 600, 700, 800, 900};
    const std::vector<float> values(times.size(), 1.0F);
    EXPECT_EQ(decimateTrace(times, values, 250, 650, 100), rowRange(2, 7));
    EXPECT_EQ(decimateTrace(times, values, 300, 600, 100), rowRange(2, 7)) << "rows on the edges are inside";
    EXPECT_EQ(decimateTrace(times, values, 0, 900, 100), rowRange(0, 9));
    EXPECT_EQ(decimateTrace(times, values, 0, 900, 0), rowRange(0, 9)) << "a chart not laid out yet";
}

TEST(TraceDecimation, EveryPixelColumnKeepsItsLowestAndHighestValue)
{
    const Trace trace = wave(10'000);
    constexpr int kColumns = 100;
    const auto rows = decimateTrace(trace.times, trace.values, 0, 9'999, kColumns);
    ASSERT_LE(rows.size(), 2U * kColumns + 2);
    EXPECT_EQ(rows.front(), 0U);
    EXPECT_EQ(rows.back(), 9'999U) << "the line ends where the log ends";
    EXPECT_TRUE(std::ranges::is_sorted(rows) && std::ranges::adjacent_find(rows) == rows.end());
    EXPECT_NE(std::ranges::find(rows, 5003U), rows.end()) << "the spike";
    EXPECT_NE(std::ranges::find(rows, 7001U), rows.end()) << "the dip";

    // Per column, the drawn points reach exactly as low and as high as the rows themselves.
    const double rowsPerColumn = 9'999.0 / kColumns;
    for (int column = 0; column < kColumns; ++column) {
        float lowest = 1e9F;
        float highest = -1e9F;
        float drawnLowest = 1e9F;
        float drawnHighest = -1e9F;
        for (std::size_t row = 0; row < trace.times.size(); ++row) {
            if (std::min(static_cast<int>(row / rowsPerColumn), kColumns - 1) != column)
                continue;
            lowest = std::min(lowest, trace.values[row]);
            highest = std::max(highest, trace.values[row]);
            if (std::ranges::find(rows, row) != rows.end()) {
                drawnLowest = std::min(drawnLowest, trace.values[row]);
                drawnHighest = std::max(drawnHighest, trace.values[row]);
            }
        }
        EXPECT_EQ(drawnLowest, lowest) << "column " << column;
        EXPECT_EQ(drawnHighest, highest) << "column " << column;
    }
}

TEST(TraceDecimation, ZoomedSpanStartsAndEndsOutsideItselfWithFewPoints)
{
    const Trace trace = wave(10'000);
    const auto rows = decimateTrace(trace.times, trace.values, 2'000, 3'000, 50);
    ASSERT_GE(rows.size(), 2U);
    EXPECT_EQ(rows.front(), 1'999U);
    EXPECT_EQ(rows.back(), 3'001U);
    EXPECT_LE(rows.size(), 2U * 50 + 4);
}

TEST(TraceDecimation, NothingToDrawGivesNoRows)
{
    const Trace trace = wave(10'000);
    EXPECT_TRUE(decimateTrace(trace.times, trace.values, 3'000, 2'000, 50).empty());
    EXPECT_TRUE(decimateTrace({}, {}, 0, 1'000, 50).empty());
}

TEST(TraceDecimation, RangeIsTheLowestAndHighestFiniteValue)
{
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const std::vector<float> values = {2.0F, -1.5F, 7.0F};
    EXPECT_EQ(traceRange(values), (TraceRange{-1.5F, 7.0F}));
    EXPECT_FALSE(traceRange({}));
    // A value a row does not have, first or later, and one out of every range.
    const std::vector<float> gappy = {kNan, 2.0F, kInfinity, -1.5F, -kInfinity, kNan, 7.0F};
    EXPECT_EQ(traceRange(gappy), (TraceRange{-1.5F, 7.0F}));
    const std::vector<float> none = {kNan, kNan};
    EXPECT_FALSE(traceRange(none));
}

// Rows 330 ms apart as a ride logs them, with the link lost for two seconds after row 4.
struct Ride {
    std::vector<std::uint32_t> times = {0, 330, 660, 990, 1320, 3320, 3650, 3980};
    std::vector<float> values = {1, 2, 3, 4, 5, 6, 7, 8};
};

TEST(TraceSegments, NoLineJoinsTheTwoSidesOfALostLink)
{
    const Ride ride;
    struct View {
        std::uint32_t fromMs;
        std::uint32_t toMs;
        std::vector<std::size_t> before; // the piece up to the gap
        std::vector<std::size_t> after;
    };
    // The whole ride; and rows 2 to 6, whose neighbours outside are rows 1 and 7.
    for (const View& view :
         {View{0, 3980, rowRange(0, 4), rowRange(5, 7)}, View{660, 3650, rowRange(1, 4), rowRange(5, 7)}}) {
        const auto segments = traceSegments(ride.times, ride.values, view.fromMs, view.toMs, 100);
        ASSERT_EQ(segments.size(), 2U) << view.fromMs;
        EXPECT_EQ(segments[0], view.before) << view.fromMs;
        EXPECT_EQ(segments[1], view.after) << view.fromMs;
    }

    // Rows one tick short of the silence that counts as a lost link stay joined.
    Ride slow = ride;
    slow.times = {0, 330, 660, 990, 1320, 1320 + kLinkLostGapMs, 1650 + kLinkLostGapMs, 1980 + kLinkLostGapMs};
    EXPECT_EQ(traceSegments(slow.times, slow.values, 0, 4000, 100).size(), 1U);
}

TEST(TraceSegments, RowsWithoutAValueBreakTheLineAndAreLeftOut)
{
    Ride ride;
    ride.times = {0, 330, 660, 990, 1320, 1650, 1980, 2310};
    ride.values[2] = std::numeric_limits<float>::quiet_NaN();
    ride.values[7] = std::numeric_limits<float>::infinity();
    const auto segments = traceSegments(ride.times, ride.values, 0, 2310, 100);
    ASSERT_EQ(segments.size(), 2U);
    EXPECT_EQ(segments[0], rowRange(0, 1));
    EXPECT_EQ(segments[1], rowRange(3, 6));
}

// A long log zoomed out: each piece still keeps at most two rows per pixel column.
TEST(TraceSegments, PiecesOfALongLogAreDecimatedEach)
{
    Trace wide = wave(10'000);
    for (std::size_t row = 6'000; row < wide.times.size(); ++row)
        wide.times[row] += 5'000; // the link lost after row 5999
    const auto pieces = traceSegments(wide.times, wide.values, 0, wide.times.back(), 50);
    ASSERT_EQ(pieces.size(), 2U);
    EXPECT_EQ(pieces[0].back(), 5'999U);
    EXPECT_EQ(pieces[1].front(), 6'000U);
    EXPECT_LE(pieces[0].size() + pieces[1].size(), 2U * 50 + 8);
}

} // namespace
} // namespace quorvel
