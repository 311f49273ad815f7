#include "maps/map_operations.h"

#include "core/page_index.h"
#include "map_grid_rig.h"
#include "model/map_cell_rules.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::Block;
using testing_maps::MapGridRig;

constexpr int kAdvTps = 190;
constexpr int kServoInEnable = 209;
constexpr int kServoInProcent = 213;
constexpr int kServoInMode = 215;

// Each operation asks values of the selected cells; the writer of the tune (held at the range's
// ends here) stores them, and the page shows them again.
class MapOperationsTest : public testing::Test {
protected:
    [[nodiscard]] MapOperations operations() { return {rig.grid, rig.selection}; }

    MapGridRig rig;
};

// A 3 x 4 block on "Inj-1A" (percent, step 1) whose corners make every rounding case appear:
// 190.5 becomes 191, 120.67 becomes 121, 110.33 becomes 110.
class Interpolation : public MapOperationsTest {
protected:
    static constexpr CellRect kArea{2, 5, 4, 8};

    void SetUp() override
    {
        rig.show(kPageInj1A);
        rig.type({kArea.top, kArea.left}, {{100, 0, 0, 131}, {120, 0, 0, 200}, {160, 0, 0, 250}});
        rig.select({kArea.top, kArea.left}, {kArea.bottom, kArea.right});
    }
};

TEST_F(Interpolation, BothWaysIsBilinearFromTheFourCorners)
{
    const TuneWrite written = rig.apply(operations().interpolate(InterpolationAxis::Both));
    ASSERT_FALSE(written.refusal);
    EXPECT_EQ(rig.block(kArea), (Block{{100, 110, 121, 131}, {130, 150, 170, 191}, {160, 190, 220, 250}}));
    EXPECT_EQ(written.changed, 8); // every cell but the four corners
}

TEST_F(Interpolation, HorizontallyKeepsEachRowsEnds)
{
    ASSERT_FALSE(rig.apply(operations().interpolate(InterpolationAxis::Horizontal)).refusal);
    EXPECT_EQ(rig.block(kArea), (Block{{100, 110, 121, 131}, {120, 147, 173, 200}, {160, 190, 220, 250}}));
}

TEST_F(Interpolation, VerticallyKeepsTheTopAndBottomRows)
{
    ASSERT_FALSE(rig.apply(operations().interpolate(InterpolationAxis::Vertical)).refusal);
    EXPECT_EQ(rig.block(kArea), (Block{{100, 0, 0, 131}, {130, 0, 0, 191}, {160, 0, 0, 250}}));
}

TEST_F(Interpolation, NeedsThreeCellsAlongTheDirection)
{
    rig.select({2, 5}, {3, 8}); // two rows
    const Block before = rig.block(kArea);
    EXPECT_EQ(operations().interpolate(InterpolationAxis::Vertical).refusal,
              MapEditStatus{MapEditMessage::TooFewToInterpolate});
    rig.select({2, 5}, {3, 6}); // two by two: corners only
    EXPECT_EQ(operations().interpolate(InterpolationAxis::Both).refusal,
              MapEditStatus{MapEditMessage::TooFewToInterpolate});
    EXPECT_EQ(rig.block(kArea), before);
    // One column of three runs between its ends.
    rig.select({2, 5}, {4, 5});
    ASSERT_FALSE(rig.apply(operations().interpolate(InterpolationAxis::Both)).refusal);
    EXPECT_EQ(rig.grid.cellValue(3, 5), 130);
}

TEST_F(MapOperationsTest, SmoothingAtTheMapsTopEdgeWeighsOnlyCellsInsideTheMap)
{
    rig.show(kPageInj1A);
    rig.type({0, 0}, {{10, 40, 10, 40, 10, 90}, {20, 20, 20, 20, 20, 20}});
    rig.select({0, 0}, {0, 4}); // one row along the top edge: its two ends stay
    ASSERT_FALSE(rig.apply(operations().smooth()).refusal);
    // Column 1: (2*10 + 4*40 + 2*10 + 1*20 + 2*20 + 1*20) / 12 = 23.3; every cell reads the
    // values from before the smoothing, so column 2 sees 40 on both sides: (80+40+80+80) / 12.
    EXPECT_EQ(rig.block({0, 0, 1, 5}), (Block{{10, 23, 23, 23, 10, 90}, {20, 20, 20, 20, 20, 20}}));
}

TEST_F(MapOperationsTest, SmoothingKeepsTheEdgeOfABlockAndLeavesOutHiddenRows)
{
    rig.show(kPageInj1A);
    rig.type({0, 0}, {{0, 0, 0}, {0, 160, 0}, {0, 0, 0}});
    rig.select({0, 0}, {2, 2});
    ASSERT_FALSE(rig.apply(operations().smooth()).refusal);
    EXPECT_EQ(rig.block({0, 0, 2, 2}), (Block{{0, 0, 0}, {0, 40, 0}, {0, 0, 0}}));

    // "Advance" without TPS shows row 9 only: its neighbours in row 8 do not count, which
    // leaves the 1-2-1 mean along the row: (0 + 2*10 + 30) / 4 = 12.5, rounded to 13.
    rig.image.setByte(kAdvTps, 0);
    rig.show(kPageAdvance);
    rig.type({9, 0}, {{0, 10, 30}});
    rig.selection.press({9, 0});
    rig.selection.extendTo({9, 2});
    ASSERT_FALSE(rig.apply(operations().smooth()).refusal);
    EXPECT_EQ(rig.grid.cellValue(9, 1), 13);
}

TEST_F(MapOperationsTest, ScalingStopsAtTheCellRangeAndRoundsHalfAwayFromZero)
{
    rig.show(kPageAdvance); // 0..60 degrees
    rig.type({0, 0}, {{50, 55, 25, 0}});
    rig.select({0, 0}, {0, 3});
    ASSERT_FALSE(rig.apply(operations().scale(110)).refusal);
    EXPECT_EQ(rig.block({0, 0, 0, 3}), (Block{{55, 60, 28, 0}})); // 60.5 held at 60, 27.5 up
    EXPECT_EQ(operations().scale(-5).refusal, MapEditStatus{MapEditMessage::NegativePercentage});
    ASSERT_FALSE(rig.apply(operations().scale(50)).refusal);
    EXPECT_EQ(rig.block({0, 0, 0, 3}), (Block{{28, 30, 14, 0}})); // 27.5 up
}

TEST_F(MapOperationsTest, ServoVoltagesMoveInWholeStepsOf20Millivolts)
{
    rig.image.setByte(kServoInEnable, 1);
    rig.image.setByte(kServoInProcent, 0);
    rig.image.setByte(kServoInMode, 0);
    rig.show(kPageIntakeServo);
    rig.select({0, 0}, {0, 1});
    ASSERT_FALSE(rig.apply(operations().setValue(2510)).refusal); // 125.5 steps
    EXPECT_EQ(rig.block({0, 0, 0, 1}), (Block{{2520, 2520}}));
    ASSERT_FALSE(rig.apply(operations().add(-10)).refusal); // half a step is a step either way
    EXPECT_EQ(rig.grid.cellValue(0, 0), 2500);
    ASSERT_FALSE(rig.apply(operations().scale(100.5)).refusal); // 2512.5 mV is 125.6 steps
    EXPECT_EQ(rig.grid.cellValue(0, 0), 2520);
    ASSERT_FALSE(rig.apply(operations().setValue(9000)).refusal);
    EXPECT_EQ(rig.grid.cellValue(0, 1), 4980) << "the first row of a voltage map ends a step early";
}

TEST_F(MapOperationsTest, StepMovesEverySelectedCellOnceAndHoldsAtTheBounds)
{
    rig.show(kPageAdvance);
    rig.type({3, 3}, {{0, 59, 60}});
    rig.select({3, 3}, {3, 5});
    const TuneWrite up = rig.apply(operations().step(StepDirection::Up));
    EXPECT_EQ(rig.block({3, 3, 3, 5}), (Block{{1, 60, 60}}));
    EXPECT_EQ(up.changed, 2);
    EXPECT_EQ(up.held, 1);
    (void)rig.apply(operations().step(StepDirection::Down));
    (void)rig.apply(operations().step(StepDirection::Down));
    EXPECT_EQ(rig.block({3, 3, 3, 5}), (Block{{0, 58, 58}}));
}

TEST_F(MapOperationsTest, FillTakesTheLiveCellAndThePressureRowOnInjIap)
{
    rig.show(kPageInjIap);
    rig.type({6, 4}, {{77}});
    rig.type({2, 4}, {{33}});
    rig.select({0, 0}, {1, 1});
    LiveCell live{{4, 2, 6}, 3000}; // column 4, throttle row 2, pressure row 6
    ASSERT_FALSE(rig.apply(operations().fillWithLiveCell(live)).refusal);
    EXPECT_EQ(rig.block({0, 0, 1, 1}), (Block{{77, 77}, {77, 77}}));

    live.engineRpm = 0;
    EXPECT_EQ(operations().fillWithLiveCell(live).refusal, MapEditStatus{MapEditMessage::EngineStopped});
    live = {{4, 2, OperatingCell::kNoRow}, 3000};
    EXPECT_EQ(operations().fillWithLiveCell(live).refusal, MapEditStatus{MapEditMessage::NoLiveCell});
}

TEST_F(MapOperationsTest, FollowerMapsAndAnEmptySelectionAreRefusedUnchanged)
{
    rig.image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
    rig.show(kPageInj2A);
    rig.selection.selectAll();
    const auto before = rig.grid.values().cells;
    EXPECT_EQ(operations().setValue(150).refusal, MapEditStatus{MapEditMessage::FollowerMap});
    EXPECT_EQ(operations().smooth().refusal, MapEditStatus{MapEditMessage::FollowerMap});
    EXPECT_EQ(rig.grid.values().cells, before);

    rig.show(kPageAdvance);
    rig.selection.clear();
    EXPECT_EQ(operations().add(1).refusal, MapEditStatus{MapEditMessage::NoSelection});
}

TEST_F(MapOperationsTest, InTheMsViewTheValuesAreTimesStoredAtTheNearestPercentage)
{
    rig.showMs = true;
    rig.show(kPageInj1A);
    rig.select({0, 0}, {0, 1});
    const std::uint16_t reference = rig.tables.reference(InjectionMap::Jet1A)[0];
    const MapEdit set = operations().setValue(2.0);
    EXPECT_EQ(set.unit, CellUnit::Milliseconds);
    ASSERT_FALSE(rig.apply(set).refusal);
    // 2 ms is 2000 us: the nearest percentage of the reference, not 2 %.
    const int percent = static_cast<int>((200000 + reference / 2) / reference);
    EXPECT_EQ(rig.grid.cellValue(0, 0), percent);
    EXPECT_EQ(rig.grid.cellTime(0, 0), storedTime(static_cast<std::uint16_t>(percent), reference));

    // Adding 0.5 ms moves the time by 0.5 ms, to the nearest percentage again.
    const int before = rig.grid.cellTime(0, 1);
    ASSERT_FALSE(rig.apply(operations().add(0.5)).refusal);
    EXPECT_NEAR(rig.grid.cellTime(0, 1), before + 500, rig.tables.reference(InjectionMap::Jet1A)[1] / 200 + 1);

    // A step is a percentage point whatever the view: F4 / F5 have no value to read.
    const int stepped = rig.grid.cellValue(0, 0);
    const MapEdit step = operations().step(StepDirection::Up);
    EXPECT_EQ(step.unit, CellUnit::Shown);
    ASSERT_FALSE(rig.apply(step).refusal);
    EXPECT_EQ(rig.grid.cellValue(0, 0), stepped + 1);
}

} // namespace
} // namespace quorvel
