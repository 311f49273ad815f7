// The 3D and curve views opened on the real window of a laptop's screen: the map stays whole
// beside them, their labels can be read, and they show the map in the units the grid shows.
#include "core/page_index.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_grid_table_model.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/views/curve_view.h"
#include "ui/views/surface_series_feed.h"
#include "ui/views/surface_view.h"
#include "ui/window_rig.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScrollArea>
#include <QSet>
#include <QSurface3DSeries>
#include <QTableView>
#include <QTest>
#include <QValue3DAxis>
#include <QValueAxis>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class ViewsOnALaptop : public ::testing::TestWithParam<QSize> {
protected:
    void SetUp() override
    {
        rig.start();
        rig.window->resize(GetParam());
        rig.window->show();
        showPage(kPageInj1A);
        QCoreApplication::processEvents();
    }

    void trigger(const char* item)
    {
        rig.control<QAction>(item).trigger();
        QCoreApplication::processEvents();
    }
    void showPage(int page) { rig.control<PageControl>("PageControl1").setCurrentIndex(page); }
    QTableView& table() { return rig.window->mapPages().grid().table(); }
    QModelIndex cell(int row, int column) { return MapGridTableModel::cellIndexOf(*table().model(), row, column); }
    // Every cell of the map lies inside the part of the page the user sees.
    void expectGridWhole(const char* with)
    {
        QWidget* viewport = nullptr;
        for (QWidget* parent = table().parentWidget(); parent != nullptr && viewport == nullptr;
             parent = parent->parentWidget()) {
            if (auto* scroll = qobject_cast<QScrollArea*>(parent))
                viewport = scroll->viewport();
        }
        ASSERT_NE(viewport, nullptr);
        const QRect seen = viewport->rect();
        for (int row = 0; row < table().model()->rowCount(); ++row) {
            for (int column = 0; column < table().model()->columnCount(); ++column) {
                const QRect inTable = table().visualRect(table().model()->index(row, column));
                const QRect onPage(table().viewport()->mapTo(viewport, inTable.topLeft()), inTable.size());
                ASSERT_TRUE(seen.contains(onPage)) << "cell " << row << ", " << column << " hidden with " << with
                                                   << " at " << GetParam().width() << " x " << GetParam().height();
            }
        }
    }

    test::WindowRig rig;
};

TEST_P(ViewsOnALaptop, MapStaysWholeWithTheViewsOpenAndTheViewsKeepARoom)
{
    trigger("MenuView3D");
    auto& surface = rig.control<QDockWidget>("DockWidgetView3D");
    ASSERT_TRUE(surface.isVisible());
    expectGridWhole("the 3D view");
    EXPECT_GE(surface.widget()->height(), 140) << "the view keeps a height its labels read in";
    EXPECT_GE(surface.width(), GetParam().width() * 9 / 10) << "under the pages the view has the whole width";

    rig.window->mapPages().grid().selection().press({4, 5});
    trigger("MenuCurveRow");
    expectGridWhole("both views");
    trigger("MenuView3D");
    expectGridWhole("the curves alone");
}

TEST_P(ViewsOnALaptop, OnAPageWithoutTheMapTheCurvesTakeTheirFullRoom)
{
    showPage(kPageKorekce);
    trigger("MenuViewCurve");
    auto& curves = rig.control<QDockWidget>("DockWidgetCurve");
    ASSERT_TRUE(curves.isVisible());
    // What the page leaves at 1280 x 650; the least a view may shrink to is 140.
    EXPECT_GE(curves.widget()->height(), 200) << "three curves and their legend need the room";
}

// 1280 x 720 without a task bar and title, with them, and 1366 x 768 with them.
INSTANTIATE_TEST_SUITE_P(Screens, ViewsOnALaptop,
                         ::testing::Values(QSize(1280, 720), QSize(1280, 650), QSize(1366, 698)));

class ViewsOnAWideScreen : public ViewsOnALaptop {};

TEST_P(ViewsOnAWideScreen, OpenRightOfThePageOneOverTheOther)
{
    trigger("MenuView3D");
    auto& surface = rig.control<QDockWidget>("DockWidgetView3D");
    EXPECT_EQ(rig.window->dockWidgetArea(&surface), Qt::RightDockWidgetArea);
    EXPECT_GE(surface.width(), 480);
    expectGridWhole("the 3D view");
    rig.window->mapPages().grid().selection().press({4, 5});
    trigger("MenuCurveRow");
    auto& curves = rig.control<QDockWidget>("DockWidgetCurve");
    EXPECT_EQ(rig.window->dockWidgetArea(&curves), Qt::RightDockWidgetArea);
    EXPECT_GT(curves.y(), surface.y() + surface.height() / 2) << "under the 3D view";
    expectGridWhole("both views");
}

INSTANTIATE_TEST_SUITE_P(Screens, ViewsOnAWideScreen, ::testing::Values(QSize(1920, 1050)));

class ViewsInShownUnits : public ViewsOnALaptop {};

TEST_P(ViewsInShownUnits, BothViewsFollowMsAndBack)
{
    trigger("MenuView3D");
    rig.window->mapPages().grid().selection().press({4, 5});
    trigger("MenuCurveRow");
    auto& surface = rig.control<SurfaceView>("SurfaceView");
    auto& curves = rig.control<CurveView>("CurveView");
    ASSERT_EQ(curves.curveCount(), 1);
    const auto shown = [&] { return cell(4, 5).data(Qt::DisplayRole).toString().toDouble(); };
    const auto surfaceValue = [&] {
        return static_cast<double>(surface.feed().series().dataProxy()->itemAt(4, 5)->y());
    };
    EXPECT_TRUE(surface.feed().axis(1).title().endsWith("[%]"));
    EXPECT_TRUE(curves.yAxis(0).titleText().endsWith("[%]"));

    QTest::mouseClick(&rig.control("CheckBoxZobrMs_Uni"), Qt::LeftButton);
    QCoreApplication::processEvents();
    const double ms = shown();
    ASSERT_GT(ms, 0.1);
    ASSERT_LT(ms, 30.0) << "the grid shows ms";
    EXPECT_EQ(surface.feed().axis(1).title(), "Injection [ms]");
    EXPECT_EQ(surface.feed().axis(1).labelFormat(), "%.2f");
    EXPECT_NEAR(surfaceValue(), ms, 0.001);
    EXPECT_EQ(curves.yAxis(0).titleText(), "Injection [ms]");
    EXPECT_NEAR(curves.line(0).at(5).y(), ms, 0.001);

    QTest::mouseClick(&rig.control("CheckBoxZobrMs_Uni"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(surface.feed().axis(1).title(), "Injection [%]");
    EXPECT_NEAR(curves.line(0).at(5).y(), shown(), 0.001);
}

INSTANTIATE_TEST_SUITE_P(Laptop, ViewsInShownUnits, ::testing::Values(QSize(1280, 720)));

class CurveTitles : public ::testing::TestWithParam<Language> {
protected:
    test::WindowRig rig;
};

// On every page with curves, in every language, at 1280 x 720: each axis title is whole along its
// axis (Qt Charts cuts a longer one to "...", unit first) and ends in its unit where the quantity
// has one, and no two legend entries read the same.
TEST_P(CurveTitles, StandWholeWithTheirUnitAndLegendEntriesDiffer)
{
    rig.start(GetParam());
    rig.window->resize(1280, 720);
    rig.window->show();
    auto& pages = rig.control<PageControl>("PageControl1");
    pages.setCurrentIndex(kPageKorekce);
    QCoreApplication::processEvents();
    rig.control<QAction>("MenuViewCurve").trigger();
    auto& curves = rig.control<CurveView>("CurveView");
    for (int page : {kPageKorekce, kPagePoloha, kPageIdle, kPageInj1A}) {
        pages.setCurrentIndex(page);
        if (page == kPageInj1A) {
            rig.window->mapPages().grid().selection().press({2, 3});
            rig.control<QAction>("MenuCurveColumn").trigger();
        }
        QCoreApplication::processEvents();
        ASSERT_GE(curves.curveCount(), 1) << page;
        QSet<QString> entries;
        for (QLegendMarker* marker : curves.chart()->legend()->markers()) {
            if (!marker->isVisible())
                continue;
            EXPECT_FALSE(entries.contains(marker->label())) << "twice in the legend: " << marker->label().toStdString();
            entries.insert(marker->label());
        }
        const QRectF plot = curves.chart()->plotArea();
        for (int c = 0; c < curves.curveCount(); ++c) {
            for (const QValueAxis* axis : {&curves.xAxis(c), &curves.yAxis(c)}) {
                const QString title = axis->titleText();
                const qreal room = axis == &curves.yAxis(c) ? plot.height() : plot.width();
                EXPECT_LE(QFontMetricsF(axis->titleFont()).horizontalAdvance(title), room)
                    << "cut on page " << page << ": " << title.toStdString();
                if (page != kPageIdle || axis == &curves.xAxis(c)) {
                    EXPECT_TRUE(title.endsWith(']')) << "no unit: " << title.toStdString();
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, CurveTitles,
                         ::testing::Values(Language::English, Language::German, Language::French, Language::Czech));

TEST(SurfaceLabels, AreDrawnLargeAndBoldWhateverTheTheme)
{
    QFont small;
    small.setPointSize(8);
    const QFont font = SurfaceSeriesFeed::labelFont(small);
    EXPECT_GE(font.pointSizeF(), 40.0) << "the graph draws labels at a size that follows the point size";
    EXPECT_TRUE(font.bold());
}

} // namespace
} // namespace quorvel
