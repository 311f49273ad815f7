#include "maps/map_grid_model.h"

#include "core/page_index.h"
#include "map_test_image.h"
#include "maps/live_marking.h"
#include "maps/map_cell_address.h"
#include "model/jet_coupling.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

TEST(MapPages, PageOrderAndIndices)
{
    const std::array<std::pair<int, MapId>, 9> pages = {{{kPageAdvance, MapId::Advance},
                                                         {kPageInj1A, MapId::Jet1A},
                                                         {kPageInj2A, MapId::Jet2A},
                                                         {kPageInj3A, MapId::Jet3A},
                                                         {kPageInj4A, MapId::Jet4A},
                                                         {kPageInjB, MapId::JetB},
                                                         {kPageInjIap, MapId::Iap},
                                                         {kPageIntakeServo, MapId::ServoIn},
                                                         {kPageExhaustServo, MapId::ServoEx}}};
    for (const auto& [page, map] : pages) {
        ASSERT_NE(MapTable::ofPage(page), nullptr) << page;
        EXPECT_EQ(MapTable::ofPage(page)->id, map) << page;
    }
    for (int page : kFieldPages)
        EXPECT_EQ(MapTable::ofPage(page), nullptr) << page;
    EXPECT_EQ(MapTable::ofPage(kPageMonitor), nullptr);
    // The intake servo page comes first although its map lies behind the exhaust map.
    EXPECT_EQ(MapTable::ofPage(kPageIntakeServo)->axisBaseIndex(), 485);
    EXPECT_EQ(MapTable::ofPage(kPageIntakeServo)->mapBaseIndex(), 2450);
    EXPECT_EQ(MapTable::ofPage(kPageExhaustServo)->mapBaseIndex(), 2300);
}

struct AddressCase {
    int page;
    int row;
    int column;
    int offset;
    FieldWidth width;
};

class CellAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(CellAddress, RowByRowFromTheMapsFirstCell)
{
    const auto address = mapCellAddress(GetParam().page, GetParam().row, GetParam().column);
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(*address, (MapCellAddress{GetParam().offset, GetParam().width}));
}

INSTANTIATE_TEST_SUITE_P(Corners, CellAddress,
                         testing::Values(AddressCase{kPageAdvance, 0, 0, 650, FieldWidth::U8},
                                         AddressCase{kPageAdvance, 9, 14, 799, FieldWidth::U8},
                                         AddressCase{kPageInj1A, 0, 0, 800, FieldWidth::U16},
                                         AddressCase{kPageInj1A, 9, 14, 1098, FieldWidth::U16},
                                         AddressCase{kPageInjIap, 9, 14, 2448, FieldWidth::U16},
                                         AddressCase{kPageIntakeServo, 0, 0, 2600, FieldWidth::U8},
                                         AddressCase{kPageExhaustServo, 9, 14, 2599, FieldWidth::U8},
                                         AddressCase{kPageInjB, 1, 0, 2015, FieldWidth::U8}));

TEST(CellAddress, NoneOffTheGridOrOffTheMapPages)
{
    EXPECT_FALSE(mapCellAddress(kPageAdvance, 10, 0));
    EXPECT_FALSE(mapCellAddress(kPageAdvance, 0, 15));
    EXPECT_FALSE(mapCellAddress(kPageAdvance, -1, 0));
    EXPECT_FALSE(mapCellAddress(kPagePoloha, 0, 0));
}

class MapGridModelTest : public testing::Test {
protected:
    MapGridModelTest()
        : m_image(defaultImage(m_tables))
    {
    }

    void show(int page, GridLayoutMode mode = GridLayoutMode::Full)
    {
        MapPageValues values =
            fillMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), page);
        m_grid.load(page, std::move(values), GridLayout::of(mode), m_image);
    }

    InjectionTables m_tables;
    ParamImage m_image;
    MapGridModel m_grid;
};

TEST_F(MapGridModelTest, OneGridShowsInjBAfterAdvanceWithMaximum100)
{
    m_image.setByte(650, 33);
    m_image.setByte(2000 + 15 * 9 + 14, 77);
    show(kPageAdvance);
    EXPECT_EQ(m_grid.cellRange(0).maximum, 60);
    EXPECT_EQ(m_grid.cellValue(0, 0), 33);

    show(kPageInjB);
    EXPECT_EQ(m_grid.page(), kPageInjB);
    EXPECT_EQ(m_grid.cellRange(9), (ControlRange{0, 100, 1}));
    EXPECT_EQ(m_grid.cellValue(9, 14), 77);
}

TEST_F(MapGridModelTest, ServoCellsInMillivoltsStepBy20UpTo5000AndTo4980OnTheFirstRow)
{
    m_image.setByte(213, 0);
    m_image.setByte(2600 + 15, 249);
    show(kPageIntakeServo);
    EXPECT_EQ(m_grid.cellRange(1), (ControlRange{0, 5000, 20}));
    EXPECT_EQ(m_grid.cellValue(1, 0), 4980);
    EXPECT_EQ(m_grid.cellRange(0), (ControlRange{0, 4980, 20}));
}

TEST_F(MapGridModelTest, EditsReachTheImageThroughCollection)
{
    show(kPageAdvance);
    ASSERT_TRUE(m_grid.setRpmHead(0, 100)); // held at 300 like the spin box
    EXPECT_EQ(m_grid.rpmHead(0), 300);
    collectMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), kPageAdvance,
                   m_grid.values());
    EXPECT_EQ(m_image.byte(515), 3);
}

TEST_F(MapGridModelTest, TimesModeShowsStoredMillisecondsAndIsReadInThem)
{
    m_image.setWordAt(800, 1234);
    m_image.setWordAt(1098, 60000);
    show(kPageInj1A, GridLayoutMode::FullTimes);
    EXPECT_EQ(m_grid.cellText(0, 0), "1.234 ");
    EXPECT_EQ(m_grid.cellText(9, 14), "60.000 ");
    EXPECT_EQ(m_grid.viewUnit(), CellUnit::Milliseconds);
    EXPECT_EQ(m_grid.cellReading(CellUnit::Milliseconds, 0, 0), 1234);
    const int percent = m_grid.cellValue(0, 0);
    EXPECT_EQ(m_grid.cellReading(CellUnit::Shown, 0, 0), percent);

    m_grid.setLayout(GridLayout::of(GridLayoutMode::Full), m_image);
    EXPECT_EQ(m_grid.cellText(0, 0), std::to_string(percent));
    EXPECT_EQ(m_grid.viewUnit(), CellUnit::Shown);
}

TEST_F(MapGridModelTest, FollowerCellsTakeNoEdit)
{
    show(kPageInj3A, GridLayoutMode::Follower);
    const int before = m_grid.cellValue(4, 4);
    EXPECT_TRUE(m_grid.isCellVisible(4, 4));
    EXPECT_FALSE(m_grid.isCellEditable(4, 4));
    EXPECT_FALSE(m_grid.setRpmHead(4, 9000));
    EXPECT_EQ(m_grid.cellValue(4, 4), before);
}

TEST_F(MapGridModelTest, OneRowAndOneColumnHideTheRest)
{
    show(kPageIntakeServo, GridLayoutMode::OneRow);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(m_grid.isRowHidden(r), r != 9) << r;
    EXPECT_FALSE(m_grid.isCellEditable(0, 0));
    EXPECT_TRUE(m_grid.isCellEditable(9, 0));

    show(kPageIntakeServo, GridLayoutMode::OneColumn);
    for (int c = 0; c < 15; ++c)
        EXPECT_EQ(m_grid.isColumnHidden(c), c != 0) << c;
    EXPECT_FALSE(m_grid.isRowHidden(3));
}

TEST_F(MapGridModelTest, RowHeadsAreThrottleOpeningsOrPressures)
{
    show(kPageInj1A);
    EXPECT_FALSE(m_grid.hasPressureRows());
    EXPECT_EQ(m_grid.rowHead(0), "0%");
    EXPECT_EQ(m_grid.rowHead(2), "5%");
    EXPECT_EQ(m_grid.rowHead(9), "100%");
    EXPECT_FALSE(m_grid.setRowAxisValue(0, 40));

    show(kPageInjIap);
    EXPECT_TRUE(m_grid.hasPressureRows());
    EXPECT_EQ(m_grid.rowHead(0), std::to_string(iapRow(m_image, 0)));
    EXPECT_TRUE(m_grid.setRowAxisValue(9, 2000));
    EXPECT_EQ(m_grid.rowAxisValue(9), 1000);
}

TEST_F(MapGridModelTest, AuxiliaryFieldsByControl)
{
    show(kPageAdvance);
    ASSERT_NE(m_grid.aux("UpDownExtra_Uni", 4), nullptr);
    EXPECT_EQ(m_grid.aux("UpDownExtra_Uni", 4)->target.field->name, "AdvBase");
    EXPECT_TRUE(m_grid.setAux("UpDownExtra_Uni", 1, -40));
    EXPECT_EQ(m_grid.aux("UpDownExtra_Uni", 1)->shown, -15);
    EXPECT_NE(m_grid.aux("CheckBoxTps_Uni"), nullptr);
    EXPECT_EQ(m_grid.aux("CheckBoxServoEnable"), nullptr);

    show(kPageIntakeServo);
    EXPECT_EQ(m_grid.aux("RadioGroupServoMode")->target.field->name, "ServoInMode");
}

TEST_F(MapGridModelTest, LiveMarksRepaintOnlyWhatChanged)
{
    show(kPageInj1A);
    LiveMarking marking;
    MonitorSnapshot live;
    live.Rpm = 3000;
    live.TpsTenths = 200;
    live.UsesTpsMaps = true;

    const GridRepaint first = m_grid.applyMarks(marking.refresh(kPageInj1A, m_image, live, false));
    const OperatingCell cell = marking.operatingCell();
    EXPECT_EQ(first.cells, std::vector<int>{cell.throttleRow * 15 + cell.column});
    EXPECT_EQ(m_grid.cellColour(cell.throttleRow, cell.column), ColourRole::Lime);
    EXPECT_EQ(m_grid.rowHeadColour(cell.throttleRow), ColourRole::Lime);
    EXPECT_EQ(m_grid.rpmHeadColour(cell.column), ColourRole::Lime);

    EXPECT_TRUE(m_grid.applyMarks(marking.refresh(kPageInj1A, m_image, live, false)).empty());

    live.TpsTenths = 1000;
    const GridRepaint moved = m_grid.applyMarks(marking.refresh(kPageInj1A, m_image, live, false));
    EXPECT_EQ(moved.cells.size(), 2U);
    EXPECT_EQ(moved.rowHeads.size(), 2U);
    EXPECT_TRUE(moved.rpmHeads.empty());
}

TEST_F(MapGridModelTest, InjIapMarksThePressureRowHead)
{
    show(kPageInjIap);
    LiveMarking marking;
    MonitorSnapshot live;
    live.Rpm = 3000;
    live.IapKpa = 100;
    live.UsesIapMap = true;
    (void)m_grid.applyMarks(marking.refresh(kPageInjIap, m_image, live, false));
    EXPECT_EQ(m_grid.rowHeadColour(9), ColourRole::Lime);
    EXPECT_EQ(m_grid.cellColour(9, marking.operatingCell().column), ColourRole::Lime);
}

} // namespace
} // namespace quorvel
