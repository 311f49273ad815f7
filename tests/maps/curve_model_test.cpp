#include "maps/curve_model.h"

#include "core/page_index.h"
#include "map_test_image.h"
#include "maps/live_marking.h"
#include "maps/shown_cell.h"
#include "model/jet_coupling.h"
#include "texts/map_view_texts.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

class CurveModelTest : public testing::Test {
protected:
    CurveModelTest()
        : m_image(defaultImage(m_tables))
    {
    }

    void show(int page, GridLayoutMode mode = GridLayoutMode::Full)
    {
        MapPageValues values =
            fillMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), page);
        m_grid.load(page, std::move(values), GridLayout::of(mode), m_image);
    }
    CurveChange tick(int page, const MonitorSnapshot& live)
    {
        return m_curves.setLiveMarks(m_marking.refresh(page, m_image, live, false));
    }
    [[nodiscard]] const Curve& curve(std::string_view name) const
    {
        for (const Curve& c : m_curves.curves()) {
            if (c.name == name)
                return c;
        }
        throw std::runtime_error("no curve " + std::string(name));
    }

    InjectionTables m_tables;
    ParamImage m_image;
    MapGridModel m_grid;
    LiveMarking m_marking;
    CurveModel m_curves;
};

TEST_F(CurveModelTest, OneRowMapIsItsCurveWithTheLivePoint)
{
    m_image.setByte(190, 0); // Advance by RPM only
    show(kPageAdvance, GridLayoutMode::OneRow);
    EXPECT_TRUE(m_curves.update(kPageAdvance, m_image, m_grid).series);
    ASSERT_EQ(m_curves.curves().size(), 1U);
    const Curve& row = m_curves.curves()[0];
    EXPECT_EQ(row.name, "CurveMapRow");
    EXPECT_EQ(row.slice, 9);
    EXPECT_EQ(row.xTitle, "AxisRpm");
    EXPECT_EQ(row.yTitle, "AxisAdvance");
    ASSERT_EQ(row.points.size(), 15U);
    EXPECT_EQ(row.points[5],
              (CurvePoint{static_cast<double>(m_grid.rpmHead(5)), static_cast<double>(m_grid.cellValue(9, 5))}));

    MonitorSnapshot live;
    live.Rpm = static_cast<std::uint16_t>(m_grid.rpmHead(6));
    EXPECT_TRUE(tick(kPageAdvance, live).live);
    EXPECT_EQ(m_curves.curves()[0].live, 6);
    EXPECT_TRUE(tick(kPageAdvance, live).empty());

    ASSERT_TRUE(testing_maps::showCell(m_grid, m_image, 9, 2, m_grid.cellValue(9, 2) + 1));
    const CurveChange edited = m_curves.update(kPageAdvance, m_image, m_grid);
    EXPECT_FALSE(edited.series);
    EXPECT_EQ(edited.points, std::vector<CurvePointIndex>{(CurvePointIndex{0, 2})});
    EXPECT_EQ(m_curves.curves()[0].live, 6); // kept across the update
}

TEST_F(CurveModelTest, ChosenColumnOfAFullMapRunsOverTheLoadRows)
{
    show(kPageInj1A);
    m_curves.update(kPageInj1A, m_image, m_grid);
    EXPECT_TRUE(m_curves.curves().empty()); // nothing chosen yet

    m_curves.chooseSlice(MapSlice{MapSlice::Kind::Column, 4});
    EXPECT_TRUE(m_curves.update(kPageInj1A, m_image, m_grid).series);
    ASSERT_EQ(m_curves.curves().size(), 1U);
    const Curve& column = m_curves.curves()[0];
    EXPECT_EQ(column.xTitle, "AxisThrottle");
    ASSERT_EQ(column.points.size(), 10U);
    EXPECT_EQ(column.points[9].x, 100);
    EXPECT_EQ(column.points[3].y, m_grid.cellValue(3, 4));

    MonitorSnapshot live;
    live.Rpm = static_cast<std::uint16_t>(m_grid.rpmHead(4));
    live.TpsTenths = 450; // row "40%"
    live.UsesTpsMaps = true;
    tick(kPageInj1A, live);
    EXPECT_EQ(m_curves.curves()[0].live, 6);
    live.Rpm = static_cast<std::uint16_t>(m_grid.rpmHead(9)); // another column: not on this curve
    EXPECT_TRUE(tick(kPageInj1A, live).live);
    EXPECT_FALSE(m_curves.curves()[0].live.has_value());
}

TEST_F(CurveModelTest, CorrectionCurvesFollowTheImageAndTheEngine)
{
    m_curves.update(kPageKorekce, m_image, m_grid);
    ASSERT_EQ(m_curves.curves().size(), 4U);
    const Curve& coolant = curve("CurveKorVoda");
    EXPECT_EQ(coolant.xTitle, "AxisTemperature");
    EXPECT_EQ(curve("CurveKorVzduch").xTitle, coolant.xTitle) << "one temperature axis for the page";
    ASSERT_EQ(coolant.points.size(), 5U);
    EXPECT_EQ(coolant.points[0], (CurvePoint{-10, static_cast<double>(m_image.byte(230))}));
    EXPECT_EQ(coolant.points[4].x, 110);
    EXPECT_EQ(curve("CurveIgnVoda").points[1].y, m_image.byte(244) - 100);

    const Curve& start = curve("CurveStart");
    ASSERT_EQ(start.points.size(), 5U);
    EXPECT_EQ(start.points[0], (CurvePoint{0, static_cast<double>(m_image.byte(221) + 100)}));
    EXPECT_EQ(start.points[2].x, m_image.byte(218));
    EXPECT_EQ(start.points[4], (CurvePoint{static_cast<double>(m_image.byte(220)), 100}));

    m_image.setByte(232, static_cast<std::uint8_t>(m_image.byte(232) + 3));
    const CurveChange edited = m_curves.update(kPageKorekce, m_image, m_grid);
    EXPECT_FALSE(edited.series);
    EXPECT_EQ(edited.points, std::vector<CurvePointIndex>{(CurvePointIndex{0, 2})});

    MonitorSnapshot live;
    live.CoolantRaw = 140; // 40 °C
    live.AirRaw = 110;     // 10 °C
    EXPECT_TRUE(tick(kPageKorekce, live).live);
    EXPECT_EQ(curve("CurveKorVoda").live, 2);
    EXPECT_EQ(curve("CurveIgnVoda").live, 2);
    EXPECT_EQ(curve("CurveKorVzduch").live, 1);
    EXPECT_EQ(curve("CurveStart").live, 0); // just started
}

TEST_F(CurveModelTest, PositionAndIdleCurves)
{
    m_curves.update(kPagePoloha, m_image, m_grid);
    ASSERT_EQ(m_curves.curves().size(), 2U);
    const Curve& a = curve("CurvePositionA");
    ASSERT_EQ(a.points.size(), 15U);
    EXPECT_EQ(a.points[3], (CurvePoint{100.0 * m_image.byte(458), 5.0 * m_image.byte(473)}));

    m_image.setByte(2750, 1); // idle by the intake servo
    m_image.setByte(213, 1);  // in percent
    EXPECT_TRUE(m_curves.update(kPageIdle, m_image, m_grid).series);
    EXPECT_EQ(curve("CurveIdleServoPoz").yTitle, "AxisIdleTargetPercent");
    EXPECT_EQ(curve("CurveIdleServoPoz").points.size(), 9U);
    m_image.setByte(2750, 2);
    EXPECT_TRUE(m_curves.update(kPageIdle, m_image, m_grid).series);
    EXPECT_EQ(curve("CurveIdleServoPoz").yTitle, "AxisIdleTarget");
    EXPECT_EQ(curve("CurveIdleAdvPoz").points[8].x, 110);

    m_curves.update(kPageBike, m_image, m_grid);
    EXPECT_TRUE(m_curves.curves().empty());
}

// Every curve name and axis title the model hands out has a text in every language.
TEST_F(CurveModelTest, NamesAndTitlesHaveTheirTexts)
{
    std::vector<std::string_view> keys;
    for (int page : {kPagePoloha, kPageKorekce, kPageIdle}) {
        m_curves.update(page, m_image, m_grid);
        for (const Curve& c : m_curves.curves())
            keys.insert(keys.end(), {c.name, c.xTitle, c.yTitle});
    }
    show(kPageInjIap);
    for (MapSlice::Kind kind : {MapSlice::Kind::Row, MapSlice::Kind::Column}) {
        m_curves.chooseSlice(MapSlice{kind, 0});
        m_curves.update(kPageInjIap, m_image, m_grid);
        ASSERT_EQ(m_curves.curves().size(), 1U);
        keys.insert(keys.end(), {m_curves.curves()[0].name, m_curves.curves()[0].xTitle});
    }
    for (std::string_view key : keys) {
        for (Language language : {Language::English, Language::German, Language::French, Language::Czech}) {
            const auto text = MapViewTexts::text(key, language);
            ASSERT_TRUE(text.has_value()) << key;
            EXPECT_FALSE(text->empty()) << key;
        }
    }
}

} // namespace
} // namespace quorvel
