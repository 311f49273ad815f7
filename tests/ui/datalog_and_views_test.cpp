// Datalogs and the map views on the real window: recording a ride of the virtual unit, opening
// it again, playing it back into the monitor and the live marks, its overlay on the grid, and
// the 3D and curve docks following the grid.
#include "core/page_index.h"
#include "log/datalog_reader.h"
#include "ui/log/log_viewer.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/views/curve_view.h"
#include "ui/views/surface_view.h"
#include "ui/window_rig.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineSeries>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class DatalogAndViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.unit.advance(std::chrono::seconds(6)); // the engine runs
        rig.start();
        rig.window->show();
    }

    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    void showPage(int page) const { rig.showPage(page); }
    std::filesystem::path logs() { return rig.configDirectory / "data" / "logs"; }
    std::filesystem::path onlyLog()
    {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(logs()))
            found.push_back(entry.path());
        EXPECT_EQ(found.size(), 1U);
        return found.empty() ? std::filesystem::path() : found.front();
    }
    QModelIndex cell(int row, int column)
    {
        return MapGridTableModel::cellIndexOf(*rig.window->mapPages().grid().table().model(), row, column);
    }
    // A ride of `ticks` 55 ms ticks recorded into a log.
    std::filesystem::path record(int ticks)
    {
        trigger("MenuStartLog");
        rig.steps(ticks);
        trigger("MenuStopLog");
        return onlyLog();
    }

    test::WindowRig rig;
};

TEST_F(DatalogAndViews, StartAndStopLogRecordEveryMonitorFrameOfTheRide)
{
    trigger("MenuStartLog");
    EXPECT_FALSE(rig.control<QAction>("MenuStartLog").isEnabled());
    rig.steps(3);
    EXPECT_TRUE(rig.control<QAbstractButton>("SpeedButtonLog").isChecked());
    EXPECT_TRUE(rig.shown("LabelLogRecording"));
    rig.steps(120);
    trigger("MenuStopLog");
    EXPECT_TRUE(rig.control<QAction>("MenuStartLog").isEnabled());
    const DatalogRead read = readDatalog(onlyLog());
    ASSERT_TRUE(read.log.has_value()) << read.detail;
    // A monitor request every sixth tick: 123 ticks carry about 20 frames.
    EXPECT_GE(read.log->rowCount(), 18U);
    EXPECT_LE(read.log->rowCount(), 22U);
}

TEST_F(DatalogAndViews, FastLoggingAsksForAFrameEveryIdleTick)
{
    rig.control<QCheckBox>("CheckBoxFastLogging").click();
    EXPECT_TRUE(rig.window->link().fastMonitor());
    const DatalogRead read = readDatalog(record(60));
    ASSERT_TRUE(read.log.has_value()) << read.detail;
    EXPECT_GE(read.log->rowCount(), 40U);
}

TEST_F(DatalogAndViews, PlaybackDrivesTheMonitorAndTheLiveMarksWithNoUnit)
{
    const std::filesystem::path ride = record(150);
    rig.line->detachUnit(); // no unit answers from here on
    rig.steps(40);
    ASSERT_TRUE(rig.shown("LabelSpojeni"));
    rig.dialogs->paths.emplace_back(ride);
    trigger("MenuOpenLog");
    LogViewer& viewer = rig.control<LogViewer>("FormLogViewer");
    ASSERT_NE(viewer.log(), nullptr);
    trigger("MenuEnglish"); // while no unit answers the monitor labels show their placeholders
    ASSERT_NE(rig.text("LabelMon_Ign").find("---"), std::string::npos);
    showPage(kPageInj1A);
    viewer.play();
    rig.steps(30);
    EXPECT_EQ(rig.text("LabelMon_Ign").find("---"), std::string::npos) << "the played frames reach the monitor";
    bool marked = false;
    for (int row = 0; row < 10 && !marked; ++row)
        for (int column = 0; column < 15 && !marked; ++column)
            marked = cell(row, column).data(MapGridTableModel::LiveMarkRole).toBool();
    EXPECT_TRUE(marked) << "the live cell of the played ride is marked";
}

TEST_F(DatalogAndViews, CellOverlayOfTheOpenLogColoursTheVisitedCells)
{
    const std::filesystem::path ride = record(150);
    showPage(kPageInj1A);
    rig.dialogs->paths.emplace_back(ride);
    trigger("MenuOpenLog");
    auto& hits = rig.control<QCheckBox>("CheckBoxLogCellHits");
    if (!hits.isChecked())
        hits.click();
    int withHint = 0;
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 15; ++column)
            withHint += cell(row, column).data(Qt::ToolTipRole).toString().isEmpty() ? 0 : 1;
    EXPECT_GT(withHint, 0);
    hits.click();
    if (rig.control<QCheckBox>("CheckBoxLogLambda").isChecked())
        rig.control<QCheckBox>("CheckBoxLogLambda").click();
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 15; ++column)
            EXPECT_TRUE(cell(row, column).data(Qt::ToolTipRole).toString().isEmpty());
}

TEST_F(DatalogAndViews, LeanRichThresholdIsKeptWithTheSettings)
{
    trigger("MenuOpenLog"); // the viewer, its open dialog cancelled
    rig.control<QSpinBox>("EditLogThreshold").setValue(520);
    rig.control<QSpinBox>("EditLogMinSamples").setValue(9);
    rig.window->close();
    rig.window.reset();
    rig.start();
    trigger("MenuOpenLog");
    EXPECT_EQ(rig.control<QSpinBox>("EditLogThreshold").value(), 520);
    EXPECT_EQ(rig.control<QSpinBox>("EditLogMinSamples").value(), 9);
}

TEST_F(DatalogAndViews, ViewDocksOpenFromTheMenuAndFollowTheGrid)
{
    showPage(kPageInjB);
    EXPECT_EQ(rig.window->findChild<QDockWidget*>("DockWidgetView3D"), nullptr);
    trigger("MenuView3D");
    auto& surface = rig.control<QDockWidget>("DockWidgetView3D");
    EXPECT_FALSE(surface.isHidden());
    rig.steps(1);
    EXPECT_TRUE(rig.control<QAbstractButton>("ToolButtonView3D").isChecked());
    auto& view = rig.control<SurfaceView>("SurfaceView");
    EXPECT_FALSE(view.drawsGraph()) << "no OpenGL offscreen";
    EXPECT_FALSE(view.message().isEmpty());

    rig.window->mapPages().grid().selection().press({4, 5});
    rig.control<QAction>("MenuCurveRow").trigger();
    auto& curves = rig.control<QDockWidget>("DockWidgetCurve");
    EXPECT_FALSE(curves.isHidden());
    QCoreApplication::processEvents();
    EXPECT_GE(curves.width(), rig.window->width() / 3) << "beside the 3D view, the curve gets its share";
    EXPECT_GE(surface.width(), rig.window->width() / 3);
    auto& chart = rig.control<CurveView>("CurveView");
    ASSERT_GE(chart.curveCount(), 1);
    auto* model = rig.window->mapPages().grid().table().model();
    ASSERT_TRUE(model->setData(cell(4, 5), cell(4, 5).data(Qt::EditRole).toInt() + 3));
    const QPointF point = chart.line(0).at(5);
    EXPECT_EQ(static_cast<int>(point.y()), cell(4, 5).data(Qt::EditRole).toInt()) << "the curve follows the edit";
}

TEST_F(DatalogAndViews, CellOverlayFollowsAnRpmHeadEditAtOnce)
{
    const std::filesystem::path ride = record(150);
    showPage(kPageInj1A);
    rig.dialogs->paths.emplace_back(ride);
    trigger("MenuOpenLog");
    auto& hits = rig.control<QCheckBox>("CheckBoxLogCellHits");
    if (!hits.isChecked())
        hits.click();
    const auto hints = [this] {
        std::vector<QString> all;
        for (int row = 0; row < 10; ++row)
            for (int column = 0; column < 15; ++column)
                all.push_back(cell(row, column).data(Qt::ToolTipRole).toString());
        return all;
    };
    // The ride's column, moved: its head is lowered to just above the one before it.
    int visited = -1;
    for (int column = 1; column < 15 && visited < 0; ++column)
        for (int row = 0; row < 10 && visited < 0; ++row)
            visited = cell(row, column).data(Qt::ToolTipRole).toString().isEmpty() ? -1 : column;
    ASSERT_GT(visited, 0) << "the ride visits a column past the first";
    auto* model = rig.window->mapPages().grid().table().model();
    const QModelIndex before = model->index(MapGridTableModel::kHeadRow, visited);
    const QModelIndex head = model->index(MapGridTableModel::kHeadRow, visited + 1);
    ASSERT_TRUE(model->setData(head, before.data(Qt::EditRole).toInt() + 100));
    const std::vector<QString> afterEdit = hints();
    showPage(kPageAdvance);
    showPage(kPageInj1A);
    EXPECT_EQ(afterEdit, hints()) << "the overlay shown after the edit is the one of the new axis";
}

TEST_F(DatalogAndViews, ColourLegendFollowsTheValuesOnScreen)
{
    showPage(kPageAdvance);
    rig.control<QCheckBox>("CheckBoxColours_Uni").click();
    auto& high = rig.control<QLabel>("LabelColoursHigh_Uni");
    ASSERT_TRUE(rig.shown("LabelColoursHigh_Uni"));
    const int highest = high.text().toInt();
    auto* model = rig.window->mapPages().grid().table().model();
    ASSERT_LT(highest, 60);
    ASSERT_TRUE(model->setData(cell(9, 14), highest + 1));
    EXPECT_EQ(high.text().toInt(), highest + 1) << "an edit past the top";
    showPage(kPageInjB);
    EXPECT_EQ(high.text().toInt(), rig.window->mapPages().grid().model().legend()->maximum) << "another map";
}

TEST_F(DatalogAndViews, SelectionEndsWhenTheGridShowsAnotherMap)
{
    showPage(kPageAdvance);
    MapGrid& grid = rig.window->mapPages().grid();
    grid.selection().press({2, 3});
    grid.selection().extendTo({4, 6});
    grid.showSelection();
    ASSERT_TRUE(grid.selection().rect().has_value());
    showPage(kPageInjB);
    EXPECT_FALSE(grid.selection().rect().has_value());
    EXPECT_TRUE(grid.table().selectionModel()->selectedIndexes().isEmpty());
}

TEST_F(DatalogAndViews, CurveOfARowOrColumnIsOfferedOnlyOnAMapOfRowsAndColumns)
{
    auto& row = rig.control<QAction>("MenuCurveRow");
    auto& column = rig.control<QAction>("MenuCurveColumn");
    showPage(kPageInjB);
    EXPECT_TRUE(row.isEnabled());
    EXPECT_TRUE(column.isEnabled());
    showPage(kPageKorekce);
    EXPECT_FALSE(row.isEnabled());
    EXPECT_FALSE(column.isEnabled());
    showPage(kPageAdvance);
    auto& tps = rig.control<QCheckBox>("CheckBoxTps_Uni");
    if (tps.isChecked())
        tps.click();
    EXPECT_FALSE(row.isEnabled()) << "the advance by RPM only is one row, drawn as it is";
}

TEST_F(DatalogAndViews, MsGivesTheKeysBackToTheGrid)
{
    QApplication::setActiveWindow(rig.window.get());
    showPage(kPageInj1A);
    QTableView& table = rig.window->mapPages().grid().table();
    table.setFocus();
    QTest::mouseClick(&rig.control("CheckBoxZobrMs_Uni"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), &table);
}

} // namespace
} // namespace quorvel
