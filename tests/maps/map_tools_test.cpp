#include "maps/map_tools.h"

#include "core/page_index.h"
#include "core/sanitise.h"
#include "map_test_image.h"
#include "maps/image_only_host.h"
#include "maps/position_tools.h"
#include "maps/servo_percent_switch.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

constexpr int kJet123Mode = 197;
constexpr int kServoExProcent = 212;
constexpr int kServoInProcent = 213;
constexpr int kIdleMode = 2750;
constexpr int kIdleServoPoz = 2758;
constexpr std::array kAMaps = {InjectionMap::Jet1A, InjectionMap::Jet2A, InjectionMap::Jet3A, InjectionMap::Jet4A};

class MapToolsTest : public testing::Test {
protected:
    MapToolsTest()
        : m_image(defaultImage(m_tables))
    {
        m_live.engineRpm = 3000;
        m_live.cell = {5, 3, 6};
        couple(Jet123Mode::Normal); // the start bike's defaults couple the A maps
    }

    ToolOutcome step(int page, StepDirection direction, bool wholeMap = false)
    {
        return stepMap(m_writer, page, direction, wholeMap, m_live);
    }
    void couple(Jet123Mode mode) { m_image.setByte(kJet123Mode, static_cast<std::uint8_t>(mode)); }
    [[nodiscard]] std::uint16_t percent(InjectionMap map, int element) const
    {
        return m_tables.percent(map)[static_cast<std::size_t>(element)];
    }

    InjectionTables m_tables;
    ParamImage m_image;
    ImageOnlyHost m_host{m_image};
    TuneWriter m_writer{m_image, m_tables, m_host};
    LiveCell m_live;
};

TEST_F(MapToolsTest, PlusOnAdvanceWithAllRaisesEveryCellAndHoldsTheLimit)
{
    const MapLayout& advance = MapTable::of(MapId::Advance);
    const std::array<std::uint8_t, 4> before = {0, 30, 60, 255};
    for (int e = 0; e < kMapCells; ++e)
        m_image.setByte(advance.cellOffset + e, before[static_cast<std::size_t>(e % 4)]);

    EXPECT_EQ(step(kPageAdvance, StepDirection::Up, true), ToolOutcome::done(true));
    // A degree more, held at 60 (a byte beyond it shows as 60 and stays there).
    const std::array<int, 4> after = {1, 31, 60, 60};
    for (int e = 0; e < 4; ++e)
        EXPECT_EQ(m_image.byte(advance.cellOffset + e), after[static_cast<std::size_t>(e)]);
    EXPECT_EQ(m_image.byte(advance.lastCellOffset()), 31); // element 149: 149 % 4 == 1
}

TEST_F(MapToolsTest, SingleCellWithTheEngineStoppedStopsWithoutAfterChange)
{
    m_live.engineRpm = 0;
    const ParamImage before = m_image;
    for (int page : {kPageAdvance, kPageInj1A, kPageInjB, kPageInjIap, kPageIntakeServo}) {
        EXPECT_EQ(step(page, StepDirection::Down), ToolOutcome::stopped()) << page;
        EXPECT_EQ(step(page, StepDirection::Up), ToolOutcome::stopped()) << page;
    }
    EXPECT_TRUE(std::ranges::equal(before.bytes(), m_image.bytes()));
}

TEST_F(MapToolsTest, SingleCellOnAFailedRowSensorChangesNothing)
{
    m_live.cell.throttleRow = OperatingCell::kNoRow;
    m_live.cell.pressureRow = OperatingCell::kNoRow;
    const ParamImage before = m_image;
    EXPECT_EQ(step(kPageAdvance, StepDirection::Up), ToolOutcome::stopped());
    EXPECT_EQ(step(kPageInjIap, StepDirection::Up), ToolOutcome::stopped());
    EXPECT_TRUE(std::ranges::equal(before.bytes(), m_image.bytes()));
}

TEST_F(MapToolsTest, F5OnInj1ACoupledRaisesTheLiveCellInAllFourMaps)
{
    couple(Jet123Mode::Coupled);
    const int live = 3 * 15 + 5;
    std::array<std::uint16_t, 4> words{};
    for (std::size_t m = 0; m < kAMaps.size(); ++m)
        words[m] = mapCell(m_image, mapOf(kAMaps[m]), live);

    EXPECT_EQ(step(kPageInj1A, StepDirection::Up), ToolOutcome::done(true));
    for (std::size_t m = 0; m < kAMaps.size(); ++m) {
        EXPECT_EQ(percent(kAMaps[m], live), 101) << m;
        EXPECT_EQ(percent(kAMaps[m], live + 1), 100) << m;
        EXPECT_GT(mapCell(m_image, mapOf(kAMaps[m]), live), words[m]) << m;
    }
}

TEST_F(MapToolsTest, UncoupledInj1ALeavesTheOtherMaps)
{
    EXPECT_EQ(step(kPageInj1A, StepDirection::Up, true), ToolOutcome::done(true));
    EXPECT_EQ(percent(InjectionMap::Jet1A, 0), 101);
    EXPECT_EQ(percent(InjectionMap::Jet2A, 0), 100);
}

TEST_F(MapToolsTest, F5OnACoupledFollowerDoesNothing)
{
    couple(Jet123Mode::Coupled);
    const ParamImage before = m_image;
    for (int page : {kPageInj2A, kPageInj3A, kPageInj4A}) {
        EXPECT_EQ(step(page, StepDirection::Up), ToolOutcome::stopped()) << page;
        EXPECT_EQ(step(page, StepDirection::Up, true), ToolOutcome::stopped()) << page;
        EXPECT_EQ(stepMapColumn(m_writer, page, 2, StepDirection::Up), ToolOutcome::stopped()) << page;
    }
    EXPECT_TRUE(std::ranges::equal(before.bytes(), m_image.bytes()));
    EXPECT_EQ(percent(InjectionMap::Jet3A, 3 * 15 + 5), 100);
}

TEST_F(MapToolsTest, InjIapTakesThePressureRow)
{
    EXPECT_EQ(step(kPageInjIap, StepDirection::Down), ToolOutcome::done(true));
    EXPECT_EQ(percent(InjectionMap::Iap, 6 * 15 + 5), 99);
    EXPECT_EQ(percent(InjectionMap::Iap, 3 * 15 + 5), 100);
}

TEST_F(MapToolsTest, AdvanceWithoutTpsTakesTheRowTheLiveMarkingChose)
{
    // The live marking puts the cell of a map without throttle rows on row 9.
    LiveMarking marking;
    MonitorSnapshot snapshot;
    snapshot.Rpm = 3000;
    snapshot.TpsTenths = 300;
    m_image.setByte(190, 0);
    (void)marking.refresh(kPageAdvance, m_image, snapshot, false);
    m_live.cell = marking.operatingCell();
    const MapLayout& advance = MapTable::of(MapId::Advance);
    const int element = 9 * 15 + m_live.cell.column;
    const int before = m_image.byte(advance.cellOffsetOf(element));
    EXPECT_EQ(step(kPageAdvance, StepDirection::Up), ToolOutcome::done(true));
    EXPECT_EQ(m_image.byte(advance.cellOffsetOf(element)), before + 1);
}

TEST_F(MapToolsTest, MinusOnAPercentAtZeroKeepsZeroAndDoesNotRewriteTheWord)
{
    const int live = 3 * 15 + 5;
    setMapCell(m_image, MapId::Jet1A, live, 0);
    // A stored time off the percent grid: a store of the map would round it.
    setMapCell(m_image, MapId::Jet1A, 0, static_cast<std::uint16_t>(mapCell(m_image, MapId::Jet1A, 0) + 3));
    const std::uint16_t word0 = mapCell(m_image, MapId::Jet1A, 0);

    EXPECT_EQ(step(kPageInj1A, StepDirection::Down), ToolOutcome::done(false));
    EXPECT_EQ(mapCell(m_image, MapId::Jet1A, live), 0);
    EXPECT_EQ(mapCell(m_image, MapId::Jet1A, 0), word0);
}

TEST_F(MapToolsTest, PercentStepsStopAtTheGridMaximum)
{
    m_tables.percent(InjectionMap::Jet2A).fill(1000);
    m_tables.percentToImage(InjectionMap::Jet2A, m_image);
    const ParamImage before = m_image;
    EXPECT_EQ(step(kPageInj2A, StepDirection::Up, true), ToolOutcome::done(false));
    EXPECT_TRUE(std::ranges::equal(before.bytes(), m_image.bytes()));
}

TEST_F(MapToolsTest, ColumnSpinStepsTenCellsOfOneColumn)
{
    const MapLayout& servo = MapTable::of(MapId::ServoEx);
    std::array<std::uint8_t, kMapCells> before{};
    for (int e = 0; e < kMapCells; ++e)
        before[static_cast<std::size_t>(e)] = m_image.byte(servo.cellOffsetOf(e));
    EXPECT_EQ(stepMapColumn(m_writer, kPageExhaustServo, 4, StepDirection::Up), ToolOutcome::done(true));
    for (int e = 0; e < kMapCells; ++e) {
        const int expected = before[static_cast<std::size_t>(e)] + (e % 15 == 4 ? 1 : 0);
        EXPECT_EQ(m_image.byte(servo.cellOffsetOf(e)), expected) << e;
    }
}

TEST_F(MapToolsTest, ColumnSpinOnCoupledInj1AStepsTheColumnOfAllFour)
{
    couple(Jet123Mode::Coupled);
    EXPECT_EQ(stepMapColumn(m_writer, kPageInj1A, 14, StepDirection::Down), ToolOutcome::done(true));
    for (InjectionMap map : kAMaps) {
        EXPECT_EQ(percent(map, 9 * 15 + 14), 99);
        EXPECT_EQ(percent(map, 9 * 15 + 13), 100);
    }
}

// Position spins.

constexpr int kPositionARpm = 455;
constexpr int kPositionAAngle = 470;
constexpr int kPositionBAngle = 500;

TEST_F(MapToolsTest, PositionSpinWithoutAllStepsTheOperatingPointNearestTheEngine)
{
    for (int i = 0; i < 15; ++i)
        m_image.setByte(kPositionARpm + i, static_cast<std::uint8_t>(30 + 5 * i)); // 3000, 3500, ...
    LiveMarking marking;
    MonitorSnapshot snapshot;
    snapshot.Rpm = 3150;
    (void)marking.refresh(kPagePoloha, m_image, snapshot, false);
    for (int i = 0; i < 15; ++i)
        m_image.setByte(kPositionAAngle + i, 40);

    EXPECT_EQ(stepPosition(m_image, PositionBank::A, StepDirection::Down, false, marking.positionColumns()),
              ToolOutcome::done(true));
    EXPECT_EQ(m_image.byte(kPositionAAngle), 39);
    for (int i = 1; i < 15; ++i)
        EXPECT_EQ(m_image.byte(kPositionAAngle + i), 40) << i;
}

TEST_F(MapToolsTest, PositionAnglesStayWithinZeroAnd720Degrees)
{
    for (int i = 0; i < 15; ++i)
        m_image.setByte(kPositionBAngle + i, static_cast<std::uint8_t>(i % 2 == 0 ? 0 : 144));
    EXPECT_EQ(stepPosition(m_image, PositionBank::B, StepDirection::Up, true, {}), ToolOutcome::done(true));
    EXPECT_EQ(m_image.byte(kPositionBAngle), 1);
    EXPECT_EQ(m_image.byte(kPositionBAngle + 1), 144);
    (void)stepPosition(m_image, PositionBank::B, StepDirection::Down, true, {});
    (void)stepPosition(m_image, PositionBank::B, StepDirection::Down, true, {});
    EXPECT_EQ(m_image.byte(kPositionBAngle), 0);
    EXPECT_EQ(m_image.byte(kPositionBAngle + 1), 142);
}

// Percent switch of the servo maps.

struct PercentCase {
    std::uint8_t millivoltSteps;
    std::uint8_t percent;
};

class ServoPercentSwitch : public MapToolsTest, public testing::WithParamInterface<PercentCase> {};

TEST_P(ServoPercentSwitch, ConvertsTheMapBothWays)
{
    const MapLayout& intake = MapTable::of(MapId::ServoIn);
    m_image.setByte(kServoInProcent, 0);
    m_image.setByte(intake.cellOffsetOf(17), GetParam().millivoltSteps);
    EXPECT_EQ(switchServoPercent(m_image, kPageIntakeServo, true), ToolOutcome::done(true));
    EXPECT_EQ(m_image.byte(kServoInProcent), 1);
    EXPECT_EQ(m_image.byte(intake.cellOffsetOf(17)), GetParam().percent);
    EXPECT_EQ(switchServoPercent(m_image, kPageIntakeServo, false), ToolOutcome::done(true));
    EXPECT_EQ(m_image.byte(intake.cellOffsetOf(17)), GetParam().millivoltSteps);
}

INSTANTIATE_TEST_SUITE_P(Values, ServoPercentSwitch,
                         testing::Values(PercentCase{250, 100}, PercentCase{125, 50}, PercentCase{0, 0}));

TEST_F(MapToolsTest, PercentSwitchToTheStoredStateConvertsNothing)
{
    const MapLayout& exhaust = MapTable::of(MapId::ServoEx);
    m_image.setByte(kServoExProcent, 1);
    m_image.setByte(exhaust.cellOffset, 80);
    EXPECT_EQ(switchServoPercent(m_image, kPageExhaustServo, true), ToolOutcome::done(false));
    EXPECT_EQ(m_image.byte(exhaust.cellOffset), 80);
}

TEST_F(MapToolsTest, PercentBeyondAByteOfVoltageTakesTheHighest)
{
    const MapLayout& exhaust = MapTable::of(MapId::ServoEx);
    m_image.setByte(kServoExProcent, 1);
    m_image.setByte(exhaust.cellOffsetOf(15), 200);
    (void)switchServoPercent(m_image, kPageExhaustServo, false);
    EXPECT_EQ(m_image.byte(exhaust.cellOffsetOf(15)), 255);
}

TEST_F(MapToolsTest, FullTravelOnTheFirstRowComesBackAs4980Millivolts)
{
    const MapLayout& intake = MapTable::of(MapId::ServoIn);
    m_image.setByte(kServoInProcent, 1);
    for (int e : {0, 14, 15})
        m_image.setByte(intake.cellOffsetOf(e), 100);
    (void)switchServoPercent(m_image, kPageIntakeServo, false);
    EXPECT_EQ(m_image.byte(intake.cellOffsetOf(0)), 249);
    EXPECT_EQ(m_image.byte(intake.cellOffsetOf(14)), 249);
    EXPECT_EQ(m_image.byte(intake.cellOffsetOf(15)), 250);
}

TEST_F(MapToolsTest, IdleTargetsFollowTheIntakeSwitchOnlyInIntakeServoIdleMode)
{
    m_image.setByte(kServoInProcent, 0);
    m_image.setByte(kServoExProcent, 0);
    m_image.setByte(kIdleMode, 1);
    m_image.setWordAt(kIdleServoPoz, 2500);
    (void)switchServoPercent(m_image, kPageExhaustServo, true);
    EXPECT_EQ(m_image.wordAt(kIdleServoPoz), 2500);
    (void)switchServoPercent(m_image, kPageIntakeServo, true);
    EXPECT_EQ(m_image.wordAt(kIdleServoPoz), 50);
    (void)switchServoPercent(m_image, kPageIntakeServo, false);
    EXPECT_EQ(m_image.wordAt(kIdleServoPoz), 2500);

    m_image.setByte(kIdleMode, 2);
    (void)switchServoPercent(m_image, kPageIntakeServo, true);
    EXPECT_EQ(m_image.wordAt(kIdleServoPoz), 2500);
}

} // namespace
} // namespace quorvel
