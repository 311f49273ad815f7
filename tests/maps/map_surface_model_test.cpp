#include "maps/map_surface_model.h"

#include "core/page_index.h"
#include "core/text_format.h"
#include "map_test_image.h"
#include "maps/curve_model.h"
#include "maps/live_marking.h"
#include "maps/shown_cell.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"
#include "texts/map_view_texts.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

class MapSurfaceModelTest : public testing::Test {
protected:
    MapSurfaceModelTest()
        : m_image(defaultImage(m_tables))
    {
    }

    void show(int page, GridLayoutMode mode = GridLayoutMode::Full)
    {
        MapPageValues values =
            fillMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), page);
        m_grid.load(page, std::move(values), GridLayout::of(mode), m_image);
    }
    // The live marks of a tick with the engine at `rpm` and `tenths` of throttle on the maps.
    std::vector<ControlMark> liveAt(int page, int rpm, int tenths)
    {
        MonitorSnapshot live;
        live.Rpm = static_cast<std::uint16_t>(rpm);
        live.TpsTenths = static_cast<std::uint16_t>(tenths);
        live.UsesTpsMaps = true;
        return m_marking.refresh(page, m_image, live, false);
    }

    InjectionTables m_tables;
    ParamImage m_image;
    MapGridModel m_grid;
    LiveMarking m_marking;
    MapSurfaceModel m_surface;
};

TEST_F(MapSurfaceModelTest, SeriesIsTheGridInShownUnitsOverItsHeads)
{
    show(kPageInj1A);
    const SurfaceChange first = m_surface.update(m_grid);
    EXPECT_TRUE(first.series);
    ASSERT_TRUE(m_surface.drawable());
    EXPECT_EQ(m_surface.rowCount(), 10);
    EXPECT_EQ(m_surface.columnCount(), 15);
    const SurfacePoint corner = m_surface.point({3, 7});
    EXPECT_EQ(corner.x, m_grid.rpmHead(7));
    EXPECT_EQ(corner.y, m_grid.cellValue(3, 7)); // percent, as the grid shows it
    EXPECT_EQ(corner.z, 10);                     // the "10%" throttle row
    EXPECT_EQ(m_surface.yTitle(), "AxisInjectionPercent");
    EXPECT_EQ(m_surface.zTitle(), "AxisThrottle");

    show(kPageInjIap);
    EXPECT_TRUE(m_surface.update(m_grid).series);
    EXPECT_EQ(m_surface.zTitle(), "AxisIap");
    EXPECT_EQ(m_surface.point({9, 0}).z, iapRow(m_image, 9));
}

// "Ms" shows the stored times in place of the percentages: the views show what the grid shows.
TEST_F(MapSurfaceModelTest, WithMsTheSurfaceAndTheCurvesShowTheStoredTimesInMs)
{
    show(kPageInj1A);
    m_surface.update(m_grid);
    show(kPageInj1A, GridLayoutMode::FullTimes);
    EXPECT_TRUE(m_surface.update(m_grid).series) << "another unit redraws everything";
    EXPECT_EQ(m_surface.yTitle(), "AxisInjectionMs");
    EXPECT_DOUBLE_EQ(m_surface.point({3, 7}).y, mapCell(m_image, MapId::Jet1A, 3 * 15 + 7) * 0.001);
    EXPECT_EQ(m_grid.msText(3, 7), formatText("%5.3f ", m_surface.point({3, 7}).y)) << "as the grid shows it";

    CurveModel curves;
    curves.chooseSlice(MapSlice{MapSlice::Kind::Row, 3});
    curves.update(kPageInj1A, m_image, m_grid);
    ASSERT_EQ(curves.curves().size(), 1U);
    EXPECT_EQ(curves.curves().front().yTitle, "AxisInjectionMs");
    EXPECT_DOUBLE_EQ(curves.curves().front().points.at(7).y, m_surface.point({3, 7}).y);
}

TEST_F(MapSurfaceModelTest, OneCellEditRedrawsThatPointOnly)
{
    show(kPageInj1A);
    m_surface.update(m_grid);
    EXPECT_TRUE(m_surface.update(m_grid).empty()); // a refill that changed nothing

    ASSERT_TRUE(testing_maps::showCell(m_grid, m_image, 4, 6, m_grid.cellValue(4, 6) + 5));
    const SurfaceChange change = m_surface.update(m_grid);
    EXPECT_FALSE(change.series);
    EXPECT_EQ(change.points, std::vector<SeriesIndex>{(SeriesIndex{4, 6})});
    EXPECT_EQ(m_surface.point({4, 6}).y, m_grid.cellValue(4, 6));

    // A new RPM head moves a whole column of points: the series is drawn again.
    ASSERT_TRUE(m_grid.setRpmHead(3, m_grid.rpmHead(3) + 100));
    EXPECT_TRUE(m_surface.update(m_grid).series);
}

TEST_F(MapSurfaceModelTest, ManyChangedCellsRedrawTheSeries)
{
    show(kPageAdvance, GridLayoutMode::Full);
    m_surface.update(m_grid);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 15; ++c)
            testing_maps::showCell(m_grid, m_image, r, c, (m_grid.cellValue(r, c) + 1) % 60);
    }
    const SurfaceChange change = m_surface.update(m_grid);
    EXPECT_TRUE(change.series);
    EXPECT_TRUE(change.points.empty());
}

TEST_F(MapSurfaceModelTest, LiveCellMovesOnlyTheMarker)
{
    show(kPageInj1A);
    m_surface.update(m_grid);
    const SurfaceChange on = m_surface.setLiveMarks(liveAt(kPageInj1A, 4000, 120)); // 12 %: row "10%"
    EXPECT_TRUE(on.marker);
    EXPECT_FALSE(on.series);
    EXPECT_TRUE(on.points.empty());
    ASSERT_TRUE(m_surface.marker().has_value());
    const int column = m_marking.operatingCell().column;
    EXPECT_EQ(m_surface.marker()->row, 3);
    EXPECT_EQ(m_surface.marker()->column, column);
    EXPECT_EQ(m_surface.marker()->at, m_surface.point({3, column}));
    EXPECT_EQ(m_surface.marker()->colour, ColourRole::Lime);

    EXPECT_TRUE(m_surface.setLiveMarks(liveAt(kPageInj1A, 4000, 120)).empty()); // the engine stays
    EXPECT_TRUE(m_surface.setLiveMarks(liveAt(kPageInj1A, 4000, 450)).marker);
    EXPECT_EQ(m_surface.marker()->row, 6);

    // An edit of the live cell lifts the marker with it.
    ASSERT_TRUE(testing_maps::showCell(m_grid, m_image, 6, column, m_grid.cellValue(6, column) + 20));
    const SurfaceChange edited = m_surface.update(m_grid);
    EXPECT_TRUE(edited.marker);
    EXPECT_EQ(m_surface.marker()->at.y, m_grid.cellValue(6, column));

    EXPECT_TRUE(m_surface.setLiveMarks(liveAt(kPageInj1A, 0, 450)).marker); // engine stopped
    EXPECT_FALSE(m_surface.marker().has_value());
}

TEST_F(MapSurfaceModelTest, OneRowAndEmptyPagesAreNoSurface)
{
    show(kPageAdvance, GridLayoutMode::OneRow);
    m_surface.update(m_grid);
    EXPECT_FALSE(m_surface.drawable());
    EXPECT_EQ(m_surface.rowCount(), 1);
    EXPECT_EQ(m_surface.gridRow(0), 9);
    show(kPageIntakeServo, GridLayoutMode::Empty);
    m_surface.update(m_grid);
    EXPECT_FALSE(m_surface.drawable());
    EXPECT_EQ(m_surface.rowCount(), 0);
}

TEST_F(MapSurfaceModelTest, SelectionIsHighlightedUntilThePageChanges)
{
    show(kPageInj1A);
    m_surface.update(m_grid);
    EXPECT_TRUE(m_surface.setSelection(CellRect{2, 3, 4, 5}).selection);
    EXPECT_TRUE(m_surface.isSelected({2, 3}));
    EXPECT_TRUE(m_surface.isSelected({4, 5}));
    EXPECT_FALSE(m_surface.isSelected({5, 5}));
    EXPECT_TRUE(m_surface.setSelection(CellRect{2, 3, 4, 5}).empty());

    show(kPageInjB);
    const SurfaceChange change = m_surface.update(m_grid);
    EXPECT_TRUE(change.series);
    EXPECT_TRUE(change.selection);
    EXPECT_FALSE(m_surface.selection().has_value());
}

// Every title the surface names has a text in every language.
TEST_F(MapSurfaceModelTest, AxisTitlesHaveTheirTexts)
{
    m_image.setByte(213, 0);
    for (int page :
         {kPageAdvance, kPageInj1A, kPageInj2A, kPageInjB, kPageInjIap, kPageIntakeServo, kPageExhaustServo}) {
        show(page);
        m_surface.update(m_grid);
        for (std::string_view title : {MapSurfaceModel::xTitle(), m_surface.yTitle(), m_surface.zTitle()}) {
            for (Language language : {Language::English, Language::German, Language::French, Language::Czech}) {
                const auto text = MapViewTexts::text(title, language);
                ASSERT_TRUE(text.has_value()) << title;
                EXPECT_FALSE(text->empty()) << title;
            }
        }
    }
    show(kPageIntakeServo);
    m_surface.update(m_grid);
    EXPECT_EQ(m_surface.yTitle(), "AxisServoMillivolts");
}

} // namespace
} // namespace quorvel
