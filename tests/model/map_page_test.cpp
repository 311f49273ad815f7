#include "model/map_page.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kAdvancePage = 1;
constexpr int kInj1APage = 2;
constexpr int kInj2APage = 3;
constexpr int kInj3APage = 4;
constexpr int kInjIapPage = 7;
constexpr int kIntakeServoPage = 11;
constexpr int kExhaustServoPage = 12;
constexpr std::array kFollowers = {MapId::Jet2A, MapId::Jet3A, MapId::Jet4A};
constexpr std::array kFollowerTables = {InjectionMap::Jet2A, InjectionMap::Jet3A, InjectionMap::Jet4A};

// Reference grids of 1000 us everywhere, so that a stored time is ten times its percentage.
const BikeJetGrid kFlatGrid{10, [] {
                                std::array<std::uint16_t, 150> cells{};
                                cells.fill(100);
                                return cells;
                            }()};
const BikeGridSet kFlat{&kFlatGrid, &kFlatGrid, &kFlatGrid, false};

class MapPage : public testing::Test {
protected:
    MapPage()
    {
        for (const MapLayout& map : MapTable::all()) {
            for (int c = 0; c < kMapColumns; ++c)
                setAxisPoint(m_image, map.id, c, static_cast<std::uint8_t>(10 + 10 * c));
        }
        m_tables.storeAllAgainst(m_image, kFlat); // every injection map at 100 %
    }

    MapPageValues fill(int page) { return fillMapPage(m_image, m_tables, kFlat, m_coupling, page); }
    void collect(int page, const MapPageValues& values)
    {
        collectMapPage(m_image, m_tables, kFlat, m_coupling, page, values);
    }

    ParamImage m_image;
    InjectionTables m_tables;
    JetCoupling m_coupling;
};

TEST_F(MapPage, CoupledAxisEditShiftsTheSamePointOfTheOtherAMaps)
{
    m_coupling = JetCoupling::of(Jet123Mode::Coupled);
    MapPageValues values = fill(kInj1APage);
    ASSERT_EQ(values.rpm[3], 4000);
    values.rpm[3] = 4500;
    collect(kInj1APage, values);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet1A, 3), 45);
    for (MapId follower : kFollowers)
        EXPECT_EQ(axisPoint(m_image, follower, 3), 45);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet2A, 4), 50);
}

TEST_F(MapPage, CoupledAxisPointShiftedBeyondAByteIsHeldAt25000Rpm)
{
    m_coupling = JetCoupling::of(Jet123Mode::Coupled);
    setAxisPoint(m_image, MapId::Jet2A, 14, 250);
    setAxisPoint(m_image, MapId::Jet3A, 0, 2);
    MapPageValues values = fill(kInj1APage);
    values.rpm[14] = 25000; // 150 -> 250: 2A would reach 350
    values.rpm[0] = 300;    // 10 -> 3: 3A would fall below 0
    collect(kInj1APage, values);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet2A, 14), 250);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet4A, 14), 250);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet3A, 0), 0);
}

TEST_F(MapPage, CoupledPercentEditRaisesTheSameCellOfAllFourMaps)
{
    m_coupling = JetCoupling::of(Jet123Mode::Coupled);
    m_tables.percent(InjectionMap::Jet3A)[17] = 5;
    MapPageValues values = fill(kInj1APage);
    values.cells[16] = 110;
    values.cells[17] = 50; // 3A would fall to -45
    collect(kInj1APage, values);
    EXPECT_EQ(mapCell(m_image, MapId::Jet1A, 16), 1100);
    for (std::size_t i = 0; i < kFollowers.size(); ++i) {
        EXPECT_EQ(m_tables.percent(kFollowerTables[i])[16], 110);
        EXPECT_EQ(mapCell(m_image, kFollowers[i], 16), 1100);
    }
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet2A)[17], 50);
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet3A)[17], 0);
    EXPECT_EQ(mapCell(m_image, MapId::Jet3A, 17), 0);
}

TEST_F(MapPage, CoupledFollowerPercentStopsAt1000)
{
    m_coupling = JetCoupling::of(Jet123Mode::Coupled);
    m_tables.percent(InjectionMap::Jet4A)[0] = 990;
    MapPageValues values = fill(kInj1APage);
    values.cells[0] = 150;
    collect(kInj1APage, values);
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet4A)[0], 1000);
}

TEST_F(MapPage, NormalModeEditTouchesOnlyItsOwnMap)
{
    MapPageValues values = fill(kInj1APage);
    values.rpm[3] = 4500;
    values.cells[16] = 110;
    collect(kInj1APage, values);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet2A, 3), 40);
    EXPECT_EQ(mapCell(m_image, MapId::Jet2A, 16), 1000);
    EXPECT_EQ(mapCell(m_image, MapId::Jet1A, 16), 1100);
}

TEST_F(MapPage, SameModeKeepsTheOtherAMapsCopiesOfJet1A)
{
    m_coupling = JetCoupling::of(Jet123Mode::Same);
    MapPageValues values = fill(kInj1APage);
    values.rpm[5] = 6500;
    values.cells[40] = 87;
    values.cells[149] = 1000;
    collect(kInj1APage, values);
    for (std::size_t i = 0; i < kFollowers.size(); ++i) {
        for (int e = 0; e < kMapCells; ++e)
            ASSERT_EQ(mapCell(m_image, kFollowers[i], e), mapCell(m_image, MapId::Jet1A, e));
        for (int c = 0; c < kMapColumns; ++c)
            ASSERT_EQ(axisPoint(m_image, kFollowers[i], c), axisPoint(m_image, MapId::Jet1A, c));
        EXPECT_EQ(m_tables.percent(kFollowerTables[i])[40], 87);
    }
}

TEST_F(MapPage, FillInSameModeCopiesJet1AIntoTheOthersOnAnyMapPage)
{
    m_coupling = JetCoupling::of(Jet123Mode::Same);
    setMapCell(m_image, MapId::Jet1A, 3, 2500);
    setAxisPoint(m_image, MapId::Jet1A, 0, 8);
    (void)fill(kAdvancePage);
    EXPECT_EQ(mapCell(m_image, MapId::Jet3A, 3), 2500);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet4A, 0), 8);
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet2A)[3], 250);
}

TEST_F(MapPage, ServoVoltageIsStoredInTwentyMillivoltUnits)
{
    MapPageValues values = fill(kIntakeServoPage);
    EXPECT_EQ(values.cellRange, (ControlRange{0, 5000, 20}));
    values.cells[0] = 2510;
    collect(kIntakeServoPage, values);
    EXPECT_EQ(mapCell(m_image, MapId::ServoIn, 0), 125);
    EXPECT_EQ(fill(kIntakeServoPage).cells[0], 2500);
}

TEST_F(MapPage, FirstServoRowInMillivoltsEndsAt4980)
{
    setMapCell(m_image, MapId::ServoEx, 2, 250); // as a file or another tool may hold it
    MapPageValues values = fill(kExhaustServoPage);
    EXPECT_EQ(values.firstRowRange, (ControlRange{0, 4980, 20}));
    EXPECT_EQ(values.cells[2], 4980);
    values.cells[4] = 5000;
    values.cells[15] = 5000;
    collect(kExhaustServoPage, values);
    EXPECT_EQ(mapCell(m_image, MapId::ServoEx, 4), 249);
    EXPECT_EQ(mapCell(m_image, MapId::ServoEx, 15), 250);
}

TEST_F(MapPage, ServoInPercentModeStoresTheValueItself)
{
    m_image.setByte(212, 1); // ServoExProcent
    MapPageValues values = fill(kExhaustServoPage);
    EXPECT_EQ(values.cellRange, (ControlRange{0, 100, 1}));
    values.cells[7] = 55;
    collect(kExhaustServoPage, values);
    EXPECT_EQ(mapCell(m_image, MapId::ServoEx, 7), 55);
}

TEST_F(MapPage, PercentageAbove1000IsShownAndStoredAs1000)
{
    setMapCell(m_image, MapId::Jet2A, 9, 12000); // 1200 % of 1000 us
    const MapPageValues values = fill(kInj2APage);
    EXPECT_EQ(values.cells[9], 1000);
    collect(kInj2APage, values);
    EXPECT_EQ(mapCell(m_image, MapId::Jet2A, 9), 10000);
}

TEST_F(MapPage, AxisAndRowsAreShownWithinTheirControls)
{
    setAxisPoint(m_image, MapId::ServoIn, 0, 0);
    setIapRow(m_image, 2, 1500);
    const MapPageValues values = fill(kIntakeServoPage);
    EXPECT_EQ(values.rpm[0], 300);
    EXPECT_EQ(values.rpm[1], 2000);
    EXPECT_EQ(values.rows[2], 1000);
    collect(kIntakeServoPage, values);
    EXPECT_EQ(axisPoint(m_image, MapId::ServoIn, 0), 3);
    EXPECT_EQ(iapRow(m_image, 2), 1000);
}

TEST_F(MapPage, ExtraFieldsOfThePageTravelWithTheGrid)
{
    m_image.setByte(191, 95);  // AdvCylKor[0] = -5
    m_image.setByte(202, 120); // IapCylKor[0], on another page
    MapPageValues values = fill(kAdvancePage);
    auto cylinder = std::ranges::find_if(
        values.aux, [](const FieldValue& v) { return v.target.field->name == "AdvCylKor" && v.target.element == 0; });
    ASSERT_NE(cylinder, values.aux.end());
    EXPECT_EQ(cylinder->shown, -5);
    cylinder->shown = 15;
    collect(kAdvancePage, values);
    EXPECT_EQ(m_image.byte(191), 115);
    EXPECT_EQ(m_image.byte(202), 120);
}

TEST_F(MapPage, IapPageStoresPercentagesThroughItsReferences)
{
    MapPageValues values = fill(kInjIapPage);
    values.cells[0] = 57;
    values.rows[0] = 35;
    collect(kInjIapPage, values);
    EXPECT_EQ(mapCell(m_image, MapId::Iap, 0), 570);
    EXPECT_EQ(iapRow(m_image, 0), 35);
}

TEST(Jet123Menu, SameModeLeavesTheFollowerPagesForInj1A)
{
    ParamImage image;
    setAxisPoint(image, MapId::Jet1A, 0, 12);
    const Jet123Choice choice = chooseJet123Mode(image, Jet123Mode::Same, kInj3APage);
    EXPECT_EQ(choice.page, kInj1APage);
    EXPECT_EQ(choice.coupling, (JetCoupling{false, true}));
    EXPECT_EQ(image.byte(197), 2);
    EXPECT_EQ(axisPoint(image, MapId::Jet2A, 0), 12);
    EXPECT_EQ(chooseJet123Mode(image, Jet123Mode::Same, kAdvancePage).page, kAdvancePage);
}

TEST(Jet123Menu, CoupledCopiesOnlyTheAxisOf2A)
{
    ParamImage image;
    setAxisPoint(image, MapId::Jet1A, 0, 12);
    const Jet123Choice choice = chooseJet123Mode(image, Jet123Mode::Coupled, kInj3APage);
    EXPECT_EQ(choice.page, kInj3APage);
    EXPECT_EQ(choice.coupling, (JetCoupling{true, false}));
    EXPECT_EQ(axisPoint(image, MapId::Jet2A, 0), 12);
    EXPECT_EQ(axisPoint(image, MapId::Jet3A, 0), 0);
}

TEST(Jet123Menu, UnknownStoredModeBehavesAsNormal)
{
    ParamImage image;
    image.setByte(197, 7);
    EXPECT_EQ(JetCoupling::fromImage(image), (JetCoupling{false, false}));
    image.setByte(197, 1);
    EXPECT_EQ(JetCoupling::fromImage(image), (JetCoupling{true, false}));
}

} // namespace
} // namespace quorvel
