#include "window_rig.h"

#include "core/page_index.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"
#include "ui/binding/colour_palette.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTableView>

#include <gtest/gtest.h>

#include <optional>

namespace quorvel {
namespace {

using test::WindowRig;

constexpr int kServoInEnable = 209;
constexpr int kServoInProcent = 213;
constexpr int kServoInMap = 2600;
constexpr int kServoInMode = 215;
constexpr int kServoModeRpm = 1;

struct CellPosition {
    int row = 0;
    int column = 0;
};

class MapGridOnWindow : public ::testing::Test {
protected:
    MapGridOnWindow()
    {
        rig.unit.advance(std::chrono::seconds(6)); // the engine runs by then
        rig.start();
    }

    MapGrid& grid() const { return rig.window->mapPages().grid(); }
    QAbstractItemModel& model() const { return *grid().table().model(); }
    void showPage(int page) const { rig.control<PageControl>("PageControl1").setCurrentIndex(page); }
    QModelIndex cell(int row, int column) const { return MapGridTableModel::cellIndexOf(model(), row, column); }
    int cellValue(int row, int column) const { return cell(row, column).data(Qt::EditRole).toInt(); }

    // The map values the image holds for `page`, as the grid would show them.
    MapPageValues stored(int page) const
    {
        ParamImage image = rig.window->image();
        InjectionTables tables;
        tables.refreshFromImage(image);
        return fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), page);
    }

    // The cell painted as the engine's operating point, once a monitor frame has marked one.
    std::optional<CellPosition> liveCell()
    {
        for (int tick = 0; tick < 40; ++tick) {
            rig.step();
            for (int row = 0; row < MapGridModel::kRows; ++row) {
                for (int column = 0; column < MapGridModel::kColumns; ++column) {
                    if (cell(row, column).data(Qt::BackgroundRole).value<QColor>() ==
                        ColourPalette::colour(ColourRole::Lime))
                        return CellPosition{row, column};
                }
            }
        }
        return std::nullopt;
    }

    WindowRig rig;
};

TEST_F(MapGridOnWindow, ModelKeepsQtsRulesThroughFillsEditsAndLiveMarks)
{
    QAbstractItemModelTester tester(&model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    showPage(kPageInjIap);
    EXPECT_TRUE(model().setData(cell(2, 3), 120));
    EXPECT_FALSE(model().setData(cell(2, 3), 121, Qt::DisplayRole));
    EXPECT_FALSE(model().setData(model().index(20, 3), 5));
    EXPECT_FALSE(model().data(model().index(20, 3)).isValid());
    showPage(kPageAdvance);
    EXPECT_TRUE(liveCell().has_value());
    showPage(kPageIntakeServo);
}

TEST_F(MapGridOnWindow, OneGridShowsInjBAfterAdvanceWithItsMaximum)
{
    showPage(kPageAdvance);
    QWidget* const shared = &grid();
    EXPECT_EQ(grid().parentWidget(), &rig.control("TabSheet_Uni1"));
    EXPECT_EQ(cell(0, 0).data(MapGridTableModel::MaximumRole).toInt(), 60);

    showPage(kPageInjB);
    EXPECT_EQ(&grid(), shared);
    EXPECT_EQ(grid().parentWidget(), &rig.control("TabSheet_Uni6"));
    EXPECT_EQ(cell(9, 14).data(MapGridTableModel::MaximumRole).toInt(), 100);
    const MapPageValues injB = stored(kPageInjB);
    EXPECT_EQ(cellValue(0, 0), injB.cells[0]);
    EXPECT_EQ(cellValue(9, 14), injB.cells[149]);
    EXPECT_EQ(rig.window->findChildren<QWidget*>("GroupBoxMap_Uni").size(), 1);
}

TEST_F(MapGridOnWindow, CellEditReachesTheImageAndBeyondTheMaximumIsRefused)
{
    showPage(kPageInjB);
    ASSERT_TRUE(model().flags(cell(9, 14)) & Qt::ItemIsEditable);
    const int next = cellValue(9, 14) == 40 ? 41 : 40;
    ASSERT_TRUE(model().setData(cell(9, 14), next));
    EXPECT_EQ(stored(kPageInjB).cells[149], next);

    const int before = cellValue(0, 0);
    (void)model().setData(cell(0, 0), 5000);
    EXPECT_EQ(stored(kPageInjB).cells[0], before);
    EXPECT_EQ(cellValue(0, 0), before);
}

TEST_F(MapGridOnWindow, FirstServoRowInMillivoltsEndsAt4980)
{
    rig.window->image().setByte(kServoInEnable, 1);
    rig.window->image().setByte(kServoInMode, 0); // the full map
    rig.window->image().setByte(kServoInProcent, 0);
    showPage(kPageIntakeServo);
    EXPECT_EQ(cell(0, 5).data(MapGridTableModel::MaximumRole).toInt(), 4980);
    EXPECT_EQ(cell(1, 5).data(MapGridTableModel::MaximumRole).toInt(), 5000);
    const int before = rig.window->image().byte(kServoInMap + 5);
    (void)model().setData(cell(0, 5), 5000);
    EXPECT_EQ(rig.window->image().byte(kServoInMap + 5), before) << "beyond the row's end: refused";
    (void)model().setData(cell(0, 5), 4980);
    EXPECT_EQ(rig.window->image().byte(kServoInMap + 5), 249);
    EXPECT_EQ(cellValue(0, 5), 4980);
}

TEST_F(MapGridOnWindow, RpmHeadEditReachesTheAxis)
{
    showPage(kPageInjB);
    const QModelIndex head = model().index(MapGridTableModel::kHeadRow, 1 + 5);
    ASSERT_TRUE(model().flags(head) & Qt::ItemIsEditable);
    const int rpm = head.data(Qt::EditRole).toInt();
    ASSERT_TRUE(model().setData(head, rpm + 100));
    EXPECT_EQ(stored(kPageInjB).rpm[5], rpm + 100);
}

TEST_F(MapGridOnWindow, F5RaisesOnlyTheLiveCell)
{
    showPage(kPageInjB);
    grid().allBox().setChecked(false);
    const auto live = liveCell();
    ASSERT_TRUE(live.has_value());
    const MapPageValues before = stored(kPageInjB);
    rig.window->findChild<QAction*>("MenuToolsPlus")->trigger();
    const MapPageValues after = stored(kPageInjB);
    int changed = 0;
    for (std::size_t element = 0; element < before.cells.size(); ++element)
        changed += before.cells[element] != after.cells[element] ? 1 : 0;
    const auto liveElement = static_cast<std::size_t>(live->row * MapGridModel::kColumns + live->column);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(after.cells[liveElement], std::min(100, before.cells[liveElement] + 1));
    EXPECT_EQ(cellValue(live->row, live->column), after.cells[liveElement]);
}

TEST_F(MapGridOnWindow, LiveMarkRepaintsOnlyTheItemsWhoseColourChanged)
{
    showPage(kPageAdvance);
    ASSERT_TRUE(liveCell().has_value());
    QSignalSpy repaints(&model(), &QAbstractItemModel::dataChanged);
    rig.steps(30);
    for (const QList<QVariant>& signal : repaints) {
        const auto roles = signal.at(2).value<QList<int>>();
        EXPECT_EQ(roles, QList<int>{Qt::BackgroundRole});
        EXPECT_EQ(signal.at(0), signal.at(1)); // one item at a time
    }
    EXPECT_LT(repaints.size(), 30 * 6); // never the whole grid
}

TEST_F(MapGridOnWindow, ServoInRpmModeShowsOneRowAtTheTop)
{
    rig.window->image().setByte(kServoInEnable, 1);
    rig.window->image().setByte(kServoInMode, kServoModeRpm);
    showPage(kPageIntakeServo);
    const QTableView& table = grid().table();
    EXPECT_FALSE(table.isRowHidden(MapGridTableModel::kHeadRow));
    for (int row = 0; row < MapGridModel::kRows; ++row)
        EXPECT_EQ(table.isRowHidden(row + 1), row != 9) << row;
    EXPECT_TRUE(table.isColumnHidden(MapGridTableModel::kHeadColumn));
}

TEST_F(MapGridOnWindow, InjIapHeadsRowsWithEditablePressures)
{
    showPage(kPageInjIap);
    const QModelIndex head = model().index(1 + 4, MapGridTableModel::kHeadColumn);
    ASSERT_TRUE(model().flags(head) & Qt::ItemIsEditable);
    ASSERT_TRUE(model().setData(head, 77));
    EXPECT_EQ(stored(kPageInjIap).rows[4], 77);
    showPage(kPageAdvance);
    EXPECT_FALSE(model().flags(model().index(1 + 4, MapGridTableModel::kHeadColumn)) & Qt::ItemIsEditable);
}

// Screenshots of the map pages for a person to look at; written beside the test binary.
TEST_F(MapGridOnWindow, ScreenshotsOfTheMapPages)
{
    rig.window->resize(TFormHlav::kDesignWidth, TFormHlav::kDesignHeight);
    rig.window->show();
    rig.steps(40); // the engine's live cell is on screen by then
    const auto shoot = [this](const char* name) {
        rig.steps(6);
        QApplication::processEvents();
        EXPECT_TRUE(rig.window->grab().save(QString("map-page-%1.png").arg(name)));
    };
    showPage(kPageAdvance);
    shoot("advance");
    showPage(kPageInj1A);
    grid().msBox().click();
    shoot("inj-1a-ms");
    grid().msBox().click();
    showPage(kPageInjIap);
    shoot("inj-iap");
    rig.window->image().setByte(kServoInEnable, 1);
    rig.window->image().setByte(kServoInMode, kServoModeRpm);
    showPage(kPageIntakeServo);
    shoot("intake-servo-rpm");
}

} // namespace
} // namespace quorvel
