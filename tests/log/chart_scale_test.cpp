#include "log/chart_scale.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ChartScale, EndsOnRoundLinesWithRoomAroundTheValues)
{
    struct Case {
        double lowest, highest;
        ChartScale expected;
    };
    const Case cases[] = {
        {0.0, 99.9, {-20.0, 120.0, 20.0}},    // throttle: room below 0 and above 100
        {200.0, 800.0, {0.0, 1000.0, 200.0}}, // lambda: values on lines still get room
        {2000.0, 31990.0, {0.0, 40000.0, 10000.0}},
        {11.8, 14.2, {11.5, 14.5, 0.5}}, // supply voltage
        {-4.5, 3.0, {-6.0, 4.0, 2.0}},
        {800.0, 200.0, {0.0, 1000.0, 200.0}}, // given the wrong way round
    };
    for (const Case& c : cases) {
        const ChartScale scale = chartScale(c.lowest, c.highest, 6);
        EXPECT_DOUBLE_EQ(scale.lowest, c.expected.lowest) << c.lowest << ".." << c.highest;
        EXPECT_DOUBLE_EQ(scale.highest, c.expected.highest) << c.lowest << ".." << c.highest;
        EXPECT_DOUBLE_EQ(scale.step, c.expected.step) << c.lowest << ".." << c.highest;
        EXPECT_LT(scale.lowest, std::min(c.lowest, c.highest));
        EXPECT_GT(scale.highest, std::max(c.lowest, c.highest));
        EXPECT_GE(scale.lines(), 4);
        EXPECT_LE(scale.lines(), 10);
    }
}

TEST(ChartScale, FlatValuesAndEmptySpansStillGetAScale)
{
    const ChartScale flat = chartScale(5.0, 5.0, 6);
    EXPECT_LT(flat.lowest, 5.0);
    EXPECT_GT(flat.highest, 5.0);
    EXPECT_GT(flat.step, 0.0);
    const ChartScale zero = chartScale(0.0, 0.0, 6);
    EXPECT_LT(zero.lowest, 0.0);
    EXPECT_DOUBLE_EQ(chartStep(0.0, 8), 1.0);
    EXPECT_DOUBLE_EQ(chartStep(3'600.0, 8), 500.0);
    EXPECT_DOUBLE_EQ(chartStep(0.4, 8), 0.05);
}

} // namespace
} // namespace quorvel
