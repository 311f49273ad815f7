#include "log/cell_overlay.h"

#include "log_frames.h"
#include "log_test_image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

using test::element;

constexpr int kLeanCell = element(4, 2);
constexpr int kBriefCell = element(6, 9);
constexpr int kRichCell = element(1, 1);

// Made by hand: a lean cell the engine spent longest in, a rich one, and one passed through.
MapCellStatistics handMadeStatistics()
{
    MapCellStatistics statistics;
    statistics.cells[kLeanCell] = {30, 10'000, 312.4, MixtureReading::Lean};
    statistics.cells[kRichCell] = {12, 2'500, 700.0, MixtureReading::Rich};
    statistics.cells[kBriefCell] = {2, 110, 800.0, MixtureReading::Hidden};
    statistics.longestCellTimeMs = 10'000;
    statistics.samples = 44;
    return statistics;
}

TEST(CellOverlay, HeatRunsFromPaleToDeepWithTheTimeInTheCell)
{
    EXPECT_EQ(heatColour(0, 10'000), kHeatLeast);
    EXPECT_EQ(heatColour(10'000, 10'000), kHeatMost);
    EXPECT_EQ(heatColour(2'500, 10'000), kHeatMiddle) << "the middle colour at a quarter of the time";
    EXPECT_EQ(heatColour(0, 0), kHeatLeast) << "a log whose cells took no time";
    EXPECT_EQ(heatColour(20'000, 10'000), kHeatMost);
    int previousGreen = 256;
    for (std::uint32_t time = 0; time <= 10'000; time += 500) {
        const Rgb colour = heatColour(time, 10'000);
        EXPECT_LE(colour.green, previousGreen) << time;
        previousGreen = colour.green;
    }
}

TEST(CellOverlay, BothPartsColourByReadingWhereThereIsOneAndByHeatElsewhere)
{
    const CellOverlay overlay = cellOverlay(handMadeStatistics(), {});
    ASSERT_TRUE(overlay[kLeanCell]);
    EXPECT_EQ(overlay[kLeanCell]->colour, kLeanColour);
    EXPECT_EQ(overlay[kLeanCell]->cell, handMadeStatistics().cells[kLeanCell]);
    EXPECT_TRUE(overlay[kLeanCell]->showsTime && overlay[kLeanCell]->showsLambda);
    ASSERT_TRUE(overlay[kRichCell]);
    EXPECT_EQ(overlay[kRichCell]->colour, kRichColour);
    ASSERT_TRUE(overlay[kBriefCell]);
    EXPECT_EQ(overlay[kBriefCell]->colour, heatColour(110, 10'000));
    EXPECT_EQ(std::ranges::count_if(overlay, [](const auto& mark) { return mark.has_value(); }), 3)
        << "cells never visited carry nothing";
}

TEST(CellOverlay, EachPartAloneShowsOnlyItself)
{
    const CellOverlay lambda = cellOverlay(handMadeStatistics(), {false, true, {}});
    ASSERT_TRUE(lambda[kLeanCell]);
    EXPECT_FALSE(lambda[kLeanCell]->showsTime);
    EXPECT_TRUE(lambda[kLeanCell]->showsLambda);
    EXPECT_FALSE(lambda[kBriefCell]) << "too few samples hide the cell's lambda";

    const CellOverlay time = cellOverlay(handMadeStatistics(), {true, false, {}});
    ASSERT_TRUE(time[kLeanCell]);
    EXPECT_EQ(time[kLeanCell]->colour, kHeatMost);
    EXPECT_TRUE(time[kLeanCell]->showsTime);
    EXPECT_FALSE(time[kLeanCell]->showsLambda);
    EXPECT_TRUE(time[kBriefCell]);

    const CellOverlay none = cellOverlay(handMadeStatistics(), {false, false, {}});
    EXPECT_TRUE(std::ranges::none_of(none, [](const auto& mark) { return mark.has_value(); }));
}

TEST(CellOverlay, LogOverlayCountsTheRowsOfAHandMadeRideWithItsOptions)
{
    const ParamImage image = test::logTestImage();
    test::LogBuilder ride;
    const auto cruise = test::LiveFrame().rpm(3000).throttleTenths(200).lambda(300);
    ride.rows(0, 8, 100, cruise);
    CellOverlayOptions options;
    options.statistics.minimumSamples = 8;
    const CellOverlay overlay = logCellOverlay(ride.log(), image, MapId::Jet1A, options);
    ASSERT_TRUE(overlay[kLeanCell]);
    EXPECT_EQ(overlay[kLeanCell]->colour, kLeanColour);
    EXPECT_EQ(overlay[kLeanCell]->cell.samples, 8);
    EXPECT_EQ(overlay[kLeanCell]->cell.timeMs, 700U);
    EXPECT_DOUBLE_EQ(overlay[kLeanCell]->cell.meanLambdaMv, 300.0);
    EXPECT_EQ(overlay[kLeanCell]->cell.reading, MixtureReading::Lean);

    options.statistics.minimumSamples = 9;
    options.statistics.lambdaThresholdMv = 250;
    const CellOverlay fewer = logCellOverlay(ride.log(), image, MapId::Jet1A, options);
    EXPECT_EQ(fewer[kLeanCell]->colour, kHeatMost) << "below the minimum the cell shows its heat only";
}

} // namespace
} // namespace quorvel
