#include "ui/views/surface_view.h"

#include "core/page_index.h"
#include "gui_application.h"
#include "maps/live_marking.h"
#include "maps/map_grid_rig.h"
#include "maps/shown_cell.h"
#include "ui/views/open_gl_support.h"

#include <QCustom3DItem>
#include <QSurface3DSeries>
#include <QValue3DAxis>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::MapGridRig;

// How often the data proxy was told that items changed and that its whole array changed.
struct ProxySignals {
    explicit ProxySignals(QSurfaceDataProxy& proxy)
    {
        QObject::connect(&proxy, &QSurfaceDataProxy::itemChanged, [this](int row, int column) {
            items.push_back({row, column});
        });
        QObject::connect(&proxy, &QSurfaceDataProxy::arrayReset, [this] { ++resets; });
    }
    std::vector<SeriesIndex> items;
    int resets = 0;
};

class SurfaceViewTest : public test::WidgetTest {
protected:
    [[nodiscard]] QSurfaceDataProxy& proxy() const { return *m_view.feed().series().dataProxy(); }
    [[nodiscard]] QVector3D drawn(int row, int column) const { return proxy().itemAt(row, column)->position(); }
    [[nodiscard]] QVector3D expected(int row, int column) const
    {
        const SurfacePoint p = m_view.model().point({row, column});
        return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
    }
    void tick(int rpm, int tenths)
    {
        MonitorSnapshot live;
        live.Rpm = static_cast<std::uint16_t>(rpm);
        live.TpsTenths = static_cast<std::uint16_t>(tenths);
        live.UsesTpsMaps = true;
        m_view.showLiveMarks(m_marking.refresh(m_rig.grid.page(), m_rig.image, live, false));
    }

    MapGridRig m_rig;
    LiveMarking m_marking;
    SurfaceView m_view{Language::English};
};

TEST_F(SurfaceViewTest, OffscreenShowsTheOpenGlTextInTheLanguageAndKeepsItsData)
{
    EXPECT_FALSE(openGlSupported());
    EXPECT_FALSE(m_view.drawsGraph());
    EXPECT_EQ(m_view.message(), "3D view needs OpenGL, which is not available here");
    m_rig.show(kPageInj1A);
    m_view.showGrid(m_rig.grid);
    m_view.setLanguage(Language::Czech);
    EXPECT_EQ(m_view.message(), QString::fromUtf8("3D pohled potřebuje OpenGL, které zde není k dispozici"));
    EXPECT_EQ(proxy().rowCount(), 10);
}

TEST_F(SurfaceViewTest, SeriesIsTheMapInShownUnitsWithTitledAxes)
{
    m_rig.show(kPageInj1A);
    m_view.showGrid(m_rig.grid);
    ASSERT_EQ(proxy().rowCount(), 10);
    ASSERT_EQ(proxy().columnCount(), 15);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 15; ++c)
            ASSERT_EQ(drawn(r, c), expected(r, c)) << r << ", " << c;
    }
    EXPECT_EQ(drawn(3, 7), QVector3D(static_cast<float>(m_rig.grid.rpmHead(7)),
                                     static_cast<float>(m_rig.grid.cellValue(3, 7)), 10.0F));
    EXPECT_EQ(m_view.feed().axis(0).title(), "RPM [rpm]");
    EXPECT_EQ(m_view.feed().axis(1).title(), "Injection [%]");
    EXPECT_EQ(m_view.feed().axis(2).title(), "Throttle [%]");

    m_view.setLanguage(Language::German);
    EXPECT_EQ(m_view.feed().axis(0).title(), "Drehzahl [1/min]");
    m_rig.show(kPageInjIap);
    m_view.showGrid(m_rig.grid);
    EXPECT_EQ(m_view.feed().axis(2).title(), "Saugrohrdruck [kPa]");
    EXPECT_EQ(drawn(9, 0).z(), static_cast<float>(m_rig.grid.rowAxisValue(9)));
}

TEST_F(SurfaceViewTest, OneCellEditChangesOneItemAndAHeadEditTheWholeArray)
{
    m_rig.show(kPageAdvance);
    m_view.showGrid(m_rig.grid);
    ProxySignals seen(proxy());

    m_view.showGrid(m_rig.grid); // a refill that changed nothing
    EXPECT_TRUE(seen.items.empty());
    ASSERT_TRUE(testing_maps::showCell(m_rig.grid, m_rig.image, 4, 6, m_rig.grid.cellValue(4, 6) + 3));
    m_view.showGrid(m_rig.grid);
    EXPECT_EQ(seen.items, std::vector<SeriesIndex>{(SeriesIndex{4, 6})});
    EXPECT_EQ(seen.resets, 0);
    EXPECT_EQ(drawn(4, 6), expected(4, 6));

    ASSERT_TRUE(m_rig.grid.setRpmHead(2, m_rig.grid.rpmHead(2) + 100));
    m_view.showGrid(m_rig.grid);
    EXPECT_EQ(seen.resets, 1);
    EXPECT_EQ(drawn(0, 2).x(), static_cast<float>(m_rig.grid.rpmHead(2)));
}

TEST_F(SurfaceViewTest, MarkerFollowsTheLiveCellWithoutTouchingTheSeries)
{
    m_rig.show(kPageInj1A);
    m_view.showGrid(m_rig.grid);
    ProxySignals seen(proxy());
    const QCustom3DItem& marker = m_view.feed().marker();
    EXPECT_FALSE(marker.isVisible());

    tick(4000, 120); // row "10%"
    const int column = m_marking.operatingCell().column;
    ASSERT_TRUE(marker.isVisible());
    EXPECT_EQ(marker.position(), expected(3, column));
    EXPECT_EQ(m_view.feed().markerColour(), ColourRole::Lime);
    tick(4000, 450); // row "40%"
    EXPECT_EQ(marker.position(), expected(6, column));
    EXPECT_TRUE(seen.items.empty());
    EXPECT_EQ(seen.resets, 0);

    // An edit of the live cell lifts the marker with it.
    ASSERT_TRUE(testing_maps::showCell(m_rig.grid, m_rig.image, 6, column, m_rig.grid.cellValue(6, column) + 20));
    m_view.showGrid(m_rig.grid);
    EXPECT_EQ(marker.position().y(), static_cast<float>(m_rig.grid.cellValue(6, column)));

    tick(0, 450); // engine stopped
    EXPECT_FALSE(marker.isVisible());
}

TEST_F(SurfaceViewTest, SelectedCellsCarryDotsThatFollowEditsAndGoWithThePage)
{
    m_rig.show(kPageInj1A);
    m_view.showGrid(m_rig.grid);
    m_view.showSelection(CellRect{2, 3, 3, 5});
    const auto& dots = m_view.feed().dots();
    ASSERT_EQ(m_view.feed().shownDots(), 6);
    EXPECT_EQ(dots[0]->position(), expected(2, 3));
    EXPECT_EQ(dots[5]->position(), expected(3, 5));
    EXPECT_TRUE(dots[5]->isVisible());

    ASSERT_TRUE(testing_maps::showCell(m_rig.grid, m_rig.image, 3, 5, m_rig.grid.cellValue(3, 5) + 7));
    m_view.showGrid(m_rig.grid);
    EXPECT_EQ(dots[5]->position(), expected(3, 5));

    m_view.showSelection(CellRect{4, 4, 4, 4});
    EXPECT_EQ(m_view.feed().shownDots(), 1);
    EXPECT_EQ(dots[0]->position(), expected(4, 4));
    EXPECT_FALSE(dots[1]->isVisible());

    m_rig.show(kPageInjB); // another page drops the selection
    m_view.showGrid(m_rig.grid);
    EXPECT_EQ(m_view.feed().shownDots(), 0);
    EXPECT_FALSE(dots[0]->isVisible());
}

TEST_F(SurfaceViewTest, OneRowPageDrawsNoSurfaceAndNoMarker)
{
    m_rig.image.setByte(190, 0); // Advance by RPM only: one row
    m_rig.show(kPageAdvance);
    m_view.showGrid(m_rig.grid);
    ASSERT_FALSE(m_view.model().drawable());
    EXPECT_EQ(proxy().rowCount(), 0);
    MonitorSnapshot live;
    live.Rpm = 4000;
    m_view.showLiveMarks(m_marking.refresh(kPageAdvance, m_rig.image, live, false));
    EXPECT_FALSE(m_view.feed().marker().isVisible());
}

// Each axis runs between round numbers with at most five segments, covers every point, and a
// flat map's value axis still labels distinct whole numbers.
TEST(SurfaceAxisSpan, RoundsToFewStepsOfOneTwoOrFive)
{
    using Span = SurfaceSeriesFeed::AxisSpan;
    const auto expectSpan = [](Span in, double leastStep, Span want) {
        const Span got = SurfaceSeriesFeed::roundSpan(in, leastStep);
        EXPECT_NEAR(got.low, want.low, 1e-9) << in.low << ".." << in.high;
        EXPECT_NEAR(got.high, want.high, 1e-9) << in.low << ".." << in.high;
        EXPECT_EQ(got.segments, want.segments) << in.low << ".." << in.high;
    };
    expectSpan({1000, 16000}, 1, {0, 16000, 4});       // RPM heads: labels 0, 4000, .. 16000
    expectSpan({0, 100}, 1, {0, 100, 5});              // throttle
    expectSpan({100, 100}, 1, {98, 102, 4});           // a fresh, flat map in percent
    expectSpan({1.404, 1.404}, 0.01, {1.38, 1.43, 5}); // the same in ms
    expectSpan({-5, 37}, 1, {-10, 40, 5});
    expectSpan({20, 101}, 1, {20, 120, 5});
}

TEST_F(SurfaceViewTest, AxesOfAShownMapCoverItWithRoundLabels)
{
    m_rig.show(kPageInj1A);
    m_view.showGrid(m_rig.grid);
    for (int i = 0; i < 3; ++i) {
        const QValue3DAxis& axis = m_view.feed().axis(i);
        ASSERT_GE(axis.segmentCount(), 1);
        ASSERT_LE(axis.segmentCount(), 5);
        const double step = (axis.max() - axis.min()) / axis.segmentCount();
        EXPECT_GE(step, 1.0 - 1e-6) << "axis " << i << " would repeat whole numbers";
        for (int r = 0; r < proxy().rowCount(); ++r) {
            for (int c = 0; c < proxy().columnCount(); ++c) {
                const float value = i == 0 ? drawn(r, c).x() : i == 1 ? drawn(r, c).y() : drawn(r, c).z();
                ASSERT_GE(value, axis.min() - 1e-3F) << i;
                ASSERT_LE(value, axis.max() + 1e-3F) << i;
            }
        }
    }
}

} // namespace
} // namespace quorvel
