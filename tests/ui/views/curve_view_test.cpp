#include "ui/views/curve_view.h"

#include "core/page_index.h"
#include "gui_application.h"
#include "maps/live_marking.h"
#include "maps/map_grid_rig.h"
#include "maps/shown_cell.h"

#include <QChart>
#include <QCoreApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

using testing_maps::MapGridRig;

std::vector<QPointF> pointsOf(const Curve& curve)
{
    std::vector<QPointF> points;
    for (const CurvePoint& p : curve.points)
        points.emplace_back(p.x, p.y);
    return points;
}

std::vector<QPointF> pointsOf(const QXYSeries& series)
{
    const QList<QPointF> points = series.points();
    return {points.begin(), points.end()};
}

class CurveViewTest : public test::WidgetTest {
protected:
    void showPage(int page) { m_view.showPage(page, m_rig.image, m_rig.grid); }
    void tick(int page, const MonitorSnapshot& live)
    {
        m_view.showLiveMarks(m_marking.refresh(page, m_rig.image, live, false));
    }
    // Every curve drawn as the model has it, and each ball on its live point.
    void expectDrawnAsModel() const
    {
        ASSERT_EQ(m_view.curveCount(), static_cast<int>(m_view.model().curves().size()));
        for (int c = 0; c < m_view.curveCount(); ++c) {
            const Curve& curve = m_view.model().curves()[static_cast<std::size_t>(c)];
            EXPECT_EQ(pointsOf(m_view.line(c)), pointsOf(curve)) << c;
            const std::vector<QPointF> ball = pointsOf(m_view.livePoint(c));
            if (curve.live) {
                ASSERT_EQ(ball.size(), 1U) << c;
                EXPECT_EQ(ball[0], pointsOf(curve)[static_cast<std::size_t>(*curve.live)]) << c;
            } else {
                EXPECT_TRUE(ball.empty()) << c;
            }
            for (const QPointF& p : pointsOf(curve)) {
                EXPECT_GE(p.x(), m_view.xAxis(c).min()) << c;
                EXPECT_LE(p.x(), m_view.xAxis(c).max()) << c;
                EXPECT_GE(p.y(), m_view.yAxis(c).min()) << c;
                EXPECT_LE(p.y(), m_view.yAxis(c).max()) << c;
            }
        }
    }

    MapGridRig m_rig;
    LiveMarking m_marking;
    CurveView m_view{Language::English};
};

TEST_F(CurveViewTest, OneRowMapFollowsEditsAndTheEngine)
{
    m_rig.image.setByte(190, 0); // Advance by RPM only
    m_rig.show(kPageAdvance);
    showPage(kPageAdvance);
    ASSERT_EQ(m_view.curveCount(), 1);
    expectDrawnAsModel();
    EXPECT_EQ(m_view.line(0).name(), QString("Row %1").arg(QString::fromStdString(m_rig.grid.rowHead(9))));
    EXPECT_EQ(m_view.xAxis(0).titleText(), "RPM [rpm]");
    EXPECT_EQ(m_view.yAxis(0).titleText(), QString::fromUtf8("Advance [°]"));

    QLineSeries* line = &m_view.line(0);
    ASSERT_TRUE(testing_maps::showCell(m_rig.grid, m_rig.image, 9, 4, m_rig.grid.cellValue(9, 4) + 2));
    showPage(kPageAdvance);
    EXPECT_EQ(&m_view.line(0), line); // the one point moved, the line stayed
    expectDrawnAsModel();

    MonitorSnapshot live;
    live.Rpm = static_cast<std::uint16_t>(m_rig.grid.rpmHead(4));
    tick(kPageAdvance, live);
    EXPECT_EQ(m_view.model().curves()[0].live, 4);
    expectDrawnAsModel();
    // An edit of the live point takes the ball along.
    ASSERT_TRUE(testing_maps::showCell(m_rig.grid, m_rig.image, 9, 4, m_rig.grid.cellValue(9, 4) + 5));
    showPage(kPageAdvance);
    expectDrawnAsModel();
    live.Rpm = static_cast<std::uint16_t>(m_rig.grid.rpmHead(11));
    tick(kPageAdvance, live);
    expectDrawnAsModel();
    live.Rpm = 0;
    tick(kPageAdvance, live);
    EXPECT_EQ(m_view.livePoint(0).count(), 0);
}

TEST_F(CurveViewTest, CorrectionCurvesShareTheAxesOfTheirQuantities)
{
    showPage(kPageKorekce);
    ASSERT_EQ(m_view.curveCount(), 4);
    const auto index = [&](std::string_view name) {
        const auto& curves = m_view.model().curves();
        return static_cast<int>(std::ranges::find(curves, name, &Curve::name) - curves.begin());
    };
    const int coolant = index("CurveKorVoda");
    const int air = index("CurveKorVzduch");
    const int advance = index("CurveIgnVoda");
    const int start = index("CurveStart");
    EXPECT_EQ(&m_view.xAxis(coolant), &m_view.xAxis(advance));
    EXPECT_EQ(&m_view.xAxis(coolant), &m_view.xAxis(air));
    EXPECT_NE(&m_view.xAxis(coolant), &m_view.xAxis(start));
    EXPECT_EQ(&m_view.yAxis(coolant), &m_view.yAxis(air));
    EXPECT_NE(&m_view.yAxis(coolant), &m_view.yAxis(advance));
    EXPECT_EQ(m_view.chart()->axes().size(), 4) << "one axis on each side of a short dock";
    EXPECT_EQ(m_view.line(coolant).name(), "Injection correction by coolant");
    EXPECT_TRUE(m_view.message().isEmpty());

    m_rig.image.setByte(232, 0); // far below the others: the axis must widen
    showPage(kPageKorekce);
    expectDrawnAsModel();

    MonitorSnapshot live;
    live.CoolantRaw = 140; // 40 °C
    live.AirRaw = 110;     // 10 °C
    tick(kPageKorekce, live);
    expectDrawnAsModel();
    EXPECT_EQ(m_view.livePoint(coolant).count(), 1);

    m_view.setLanguage(Language::French);
    EXPECT_EQ(m_view.line(coolant).name(), "Correction d'injection selon le liquide de refroidissement");
    EXPECT_EQ(m_view.xAxis(start).titleText(), QString::fromUtf8("Temps après le démarrage [s]"));
    EXPECT_EQ(m_view.livePoint(coolant).name(), "Moteur actuel");
}

int visibleItems(const QGraphicsScene& scene)
{
    return static_cast<int>(std::ranges::count_if(scene.items(), &QGraphicsItem::isVisible));
}

// The view follows every page while its dock is closed; the axes of those pages must not stay
// drawn once it opens.
TEST_F(CurveViewTest, PagesFilledWhileClosedLeaveNoAxesBehind)
{
    showPage(kPagePoloha);
    showPage(kPageKorekce);
    m_view.resize(800, 300);
    m_view.show();
    QCoreApplication::processEvents();

    CurveView fresh{Language::English};
    fresh.showPage(kPageKorekce, m_rig.image, m_rig.grid);
    fresh.resize(800, 300);
    fresh.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(visibleItems(*m_view.scene()), visibleItems(*fresh.scene()));
}

TEST_F(CurveViewTest, FullMapShowsTheChosenColumnNamedByItsHead)
{
    m_rig.show(kPageInj1A);
    showPage(kPageInj1A);
    EXPECT_EQ(m_view.curveCount(), 0);
    EXPECT_EQ(m_view.message(), "Choose a row or a column of the map");
    EXPECT_EQ(m_view.chart()->title(), m_view.message());

    m_view.chooseSlice(MapSlice{MapSlice::Kind::Column, 4});
    showPage(kPageInj1A);
    ASSERT_EQ(m_view.curveCount(), 1);
    expectDrawnAsModel();
    EXPECT_EQ(m_view.line(0).name(), QString("Column %1").arg(m_rig.grid.rpmHead(4)));
    EXPECT_EQ(m_view.xAxis(0).titleText(), "Throttle [%]");
    EXPECT_TRUE(m_view.chart()->title().isEmpty());

    // A new head renames the curve though none of its points moved.
    ASSERT_TRUE(m_rig.grid.setRpmHead(4, m_rig.grid.rpmHead(4) + 100));
    showPage(kPageInj1A);
    EXPECT_EQ(m_view.line(0).name(), QString("Column %1").arg(m_rig.grid.rpmHead(4)));

    showPage(kPageBike);
    EXPECT_EQ(m_view.curveCount(), 0);
    EXPECT_EQ(m_view.message(), "No curve on this page");
}

} // namespace
} // namespace quorvel
