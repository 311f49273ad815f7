#include "maps/map_colour_scale.h"

#include "core/page_index.h"
#include "map_grid_rig.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ValueColour, RunsFromCoolThroughTheMiddleToWarm)
{
    EXPECT_EQ(valueColour(0, 0, 100), kCoolColour);
    EXPECT_EQ(valueColour(50, 0, 100), kMiddleColour);
    EXPECT_EQ(valueColour(100, 0, 100), kWarmColour);
    EXPECT_EQ(valueColour(25, 0, 100), (Rgb{179, 199, 237})); // halfway from cool to the middle
    EXPECT_EQ(valueColour(-5, 0, 100), kCoolColour);
    EXPECT_EQ(valueColour(900, 0, 100), kWarmColour);
    EXPECT_EQ(valueColour(7, 7, 7), kMiddleColour); // a flat map
}

TEST(ColourLegend, SpansTheShownCellsOnly)
{
    testing_maps::MapGridRig rig;
    rig.image.setByte(190, 0); // "Advance" by RPM only: row 9 alone
    rig.show(kPageAdvance);
    rig.type({9, 0}, {{3, 44}});
    for (int c = 2; c < kMapColumns; ++c)
        rig.type({9, c}, {{20}});
    EXPECT_EQ(colourLegend(rig.grid), (ColourLegend{3, 44}));
    EXPECT_EQ(cellValueColour(rig.grid, {3, 44}, 9, 1), kWarmColour);
    EXPECT_EQ(cellValueColour(rig.grid, {3, 44}, 0, 0), std::nullopt);

    rig.image.setByte(209, 0); // intake servo disabled: nothing shown
    rig.show(kPageIntakeServo);
    EXPECT_EQ(colourLegend(rig.grid), std::nullopt);
}

} // namespace
} // namespace quorvel
