// Map editing on the real window: selections made with the mouse and the keyboard, the
// operations of the Tools menu and the grid's context menu, the clipboard, "Colours", the RPM
// axis change and the map files. Every change is one undo step and marks only the blocks the
// selection touched.
#include "core/page_index.h"
#include "io/map_sheet.h"
#include "maps/map_colour_scale.h"
#include "maps/parameter_editor.h"
#include "texts/map_edit_texts.h"
#include "ui/binding/editor_binder.h"
#include "ui/maps/map_edit_actions.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/window_rig.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvel {
namespace {

constexpr int kAdvTps = 190;
constexpr int kJetMode = 197;
constexpr int kInjBCells = 2000;
constexpr int kInjBAxis = 590;
constexpr int kColumns = 15;

int blockOf(int offset)
{
    return offset / kBlockSize;
}

class MapEditing : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    void start()
    {
        rig.start();
        rig.window->show();
        QCoreApplication::processEvents();
        image().pendingBlocks().clearAll();
    }

    ParamImage& image() { return rig.window->image(); }
    int undoSteps() { return rig.window->editing()->editor().history().undoSteps(); }
    MapGrid& grid() { return rig.window->mapPages().grid(); }
    QTableView& table() { return grid().table(); }
    void showPage(int page)
    {
        rig.control<PageControl>("PageControl1").setCurrentIndex(page);
        QCoreApplication::processEvents();
    }
    QModelIndex cell(int row, int column) { return MapGridTableModel::cellIndexOf(*table().model(), row, column); }
    QPoint centreOf(int row, int column) { return table().visualRect(cell(row, column)).center(); }
    void drag(int fromRow, int fromColumn, int toRow, int toColumn)
    {
        QWidget* viewport = table().viewport();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, centreOf(fromRow, fromColumn));
        QMouseEvent move(QEvent::MouseMove, centreOf(toRow, toColumn), viewport->mapToGlobal(centreOf(toRow, toColumn)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, centreOf(toRow, toColumn));
    }
    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    std::string status() { return rig.window->statusBar()->currentMessage().toStdString(); }
    int injB(int row, int column) { return image().byte(kInjBCells + row * kColumns + column); }
    int jet1ATime(int row, int column) { return mapCell(image(), MapId::Jet1A, row * kColumns + column); }
    // The step a stored time of Inj. 1 is kept in, in us: a percentage point of its reference.
    int jet1AStep(int row, int column) { return static_cast<int>(grid().model().grid().cellTimeStep(row, column)) + 1; }
    void tickMs()
    {
        rig.control<QCheckBox>("CheckBoxZobrMs_Uni").click();
        QCoreApplication::processEvents();
    }
    std::string exported(const char* item, const std::filesystem::path& csv)
    {
        rig.dialogs->paths.emplace_back(csv);
        trigger(item);
        std::ifstream in(csv, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void importText(const std::filesystem::path& csv, const std::string& text)
    {
        std::ofstream(csv, std::ios::binary) << text;
        rig.dialogs->paths.emplace_back(csv);
        trigger("MenuMapImportCsv");
    }

    test::WindowRig rig;
};

TEST_F(MapEditing, MouseDragSelectsABlockAndShiftArrowsGrowIt)
{
    showPage(kPageInjB);
    drag(1, 2, 3, 5);
    auto rect = grid().selection().rect();
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->top, 1);
    EXPECT_EQ(rect->left, 2);
    EXPECT_EQ(rect->bottom, 3);
    EXPECT_EQ(rect->right, 5);
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&table(), Qt::Key_Down, Qt::ShiftModifier);
    rect = grid().selection().rect();
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->bottom, 4);
    EXPECT_EQ(rect->right, 6);
}

TEST_F(MapEditing, SelectAllTakesOnlyTheRowsThePageShows)
{
    image().setByte(kAdvTps, 0); // "Advance" by RPM only: row 9 alone
    showPage(kPageAdvance);
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_A, Qt::ControlModifier);
    const std::vector<GridCell> cells = grid().selection().cells();
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(kColumns));
    for (const GridCell& selected : cells)
        EXPECT_EQ(selected.row, 9);
}

TEST_F(MapEditing, SetValueOnASelection_IsOneUndoStepAndProgramsOnlyItsBlock)
{
    showPage(kPageInjB);
    rig.control<QCheckBox>("CheckBoxProgHned").click();
    drag(0, 0, 1, 14); // offsets 2000..2029: block 13 alone
    const int first = injB(0, 0);
    const int below = injB(2, 0);
    const int steps = undoSteps();
    rig.dialogs->numbers.push_back(37);
    trigger("MenuMapSetValue");
    for (int column = 0; column < kColumns; ++column) {
        EXPECT_EQ(injB(0, column), 37);
        EXPECT_EQ(injB(1, column), 37);
    }
    EXPECT_EQ(injB(2, 0), below);
    EXPECT_EQ(undoSteps(), steps + 1);
    for (int block = 0; block < PendingBlocks::kCount; ++block)
        EXPECT_EQ(image().pendingBlocks().isSet(block), block == blockOf(kInjBCells)) << block;
    EXPECT_EQ(rig.text("LabelHlaseni"), "Read:") << "the unit's tune is kept before the first write";
    EXPECT_EQ(status(), mapEditText({MapEditMessage::CellsChanged, 30, 0}, Language::English));

    rig.control<QAction>("MenuZpet").trigger();
    EXPECT_EQ(injB(0, 0), first) << "undo gives the cells back";
}

TEST_F(MapEditing, F5OnASelectedBlockRaisesTheBlockOnly)
{
    showPage(kPageInjB);
    drag(4, 4, 5, 6);
    const int inside = injB(4, 4);
    const int outside = injB(4, 7);
    trigger("MenuToolsPlus");
    EXPECT_EQ(injB(4, 4), inside + 1);
    EXPECT_EQ(injB(4, 7), outside);
}

TEST_F(MapEditing, CopyAndPasteGoThroughTheClipboardAsASpreadsheetDoes)
{
    showPage(kPageInjB);
    drag(0, 0, 1, 2);
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied.count('\t'), 4);

    QApplication::clipboard()->setText("11\t12\r\n13\t14\r\n"); // a block from a spreadsheet
    table().setCurrentIndex(cell(6, 8));
    grid().selection().press({6, 8});
    trigger("MenuMapPaste");
    EXPECT_EQ(injB(6, 8), 11);
    EXPECT_EQ(injB(6, 9), 12);
    EXPECT_EQ(injB(7, 8), 13);
    EXPECT_EQ(injB(7, 9), 14);
    EXPECT_EQ(status(), mapEditText({MapEditMessage::CellsPasted, 4, 0}, Language::English));
}

TEST_F(MapEditing, APasteThatDoesNotParse_ChangesNothingAndSaysWhere)
{
    showPage(kPageInjB);
    const ParamImage before = image();
    const int steps = undoSteps();
    QApplication::clipboard()->setText("10\t20\n30\tx0\n");
    grid().selection().press({0, 0});
    trigger("MenuMapPaste");
    EXPECT_TRUE(std::equal(before.bytes().begin(), before.bytes().end(), image().bytes().begin()));
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_EQ(status(), mapEditText({MapEditMessage::BadNumber, 2, 2}, Language::English));
}

TEST_F(MapEditing, CouplingFollowerRefusesWithAReason)
{
    image().setByte(kJetMode, 1);
    showPage(kPageInj3A);
    const ParamImage before = image();
    grid().selection().selectAll();
    rig.dialogs->numbers.push_back(120);
    trigger("MenuMapSetValue");
    EXPECT_TRUE(std::equal(before.bytes().begin(), before.bytes().end(), image().bytes().begin()));
    EXPECT_EQ(status(), mapEditText({MapEditMessage::FollowerMap, 0, 0}, Language::English));
}

TEST_F(MapEditing, ColoursPaintTheValuesUnderTheLiveMarksAndAreKept)
{
    rig.unit.advance(std::chrono::seconds(6)); // the engine runs
    showPage(kPageAdvance);
    rig.control<QCheckBox>("CheckBoxColours_Uni").click();
    const auto legend = colourLegend(grid().model().grid());
    ASSERT_TRUE(legend.has_value());
    const int value = cell(0, 0).data(Qt::EditRole).toInt();
    const Rgb expected = valueColour(value, legend->minimum, legend->maximum);
    rig.steps(12);
    bool sawLiveMark = false;
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const bool marked = cell(row, column).data(MapGridTableModel::LiveMarkRole).toBool();
            const QColor shown = cell(row, column).data(Qt::BackgroundRole).value<QColor>();
            if (marked) {
                sawLiveMark = true;
                EXPECT_NE(shown, QColor(expected.red, expected.green, expected.blue));
            }
        }
    }
    EXPECT_TRUE(sawLiveMark);
    if (!cell(0, 0).data(MapGridTableModel::LiveMarkRole).toBool()) {
        EXPECT_EQ(cell(0, 0).data(Qt::BackgroundRole).value<QColor>(),
                  QColor(expected.red, expected.green, expected.blue));
    }
    rig.window->close();
    rig.window.reset();
    start();
    EXPECT_TRUE(rig.control<QCheckBox>("CheckBoxColours_Uni").isChecked());
}

TEST_F(MapEditing, NewRpmAxisIsOneUndoStep)
{
    showPage(kPageInjB);
    const int steps = undoSteps();
    rig.dialogs->lines.emplace_back("1000 1500 2000 2500 3000 3500 4000 5000 6000 7000 8000 9000 10000 11000 12000");
    trigger("MenuMapChangeRpmAxis");
    EXPECT_EQ(image().byte(kInjBAxis), 10);
    EXPECT_EQ(image().byte(kInjBAxis + 14), 120);
    EXPECT_EQ(undoSteps(), steps + 1);

    rig.dialogs->lines.emplace_back("1000 900");
    trigger("MenuMapChangeRpmAxis");
    EXPECT_EQ(image().byte(kInjBAxis + 1), 15) << "a refused axis leaves the one before";
    EXPECT_EQ(undoSteps(), steps + 1);
}

TEST_F(MapEditing, CsvExportAndImportGiveTheMapBack)
{
    showPage(kPageInjB);
    const std::filesystem::path csv = rig.configDirectory / "JET_B.csv";
    rig.dialogs->paths.emplace_back(csv);
    trigger("MenuMapExportCsv");
    ASSERT_TRUE(std::filesystem::exists(csv));
    const int original = injB(3, 3);
    grid().selection().press({3, 3});
    rig.dialogs->numbers.push_back(original == 0 ? 1 : 0);
    trigger("MenuMapSetValue");
    ASSERT_NE(injB(3, 3), original);
    rig.dialogs->paths.emplace_back(csv);
    trigger("MenuMapImportCsv");
    EXPECT_EQ(injB(3, 3), original);
    EXPECT_EQ(status(), mapEditText({MapEditMessage::MapImported, 0, 0}, Language::English));
}

TEST_F(MapEditing, WithMsTheToolsTheirDialogsAndTheClipboardSpeakMilliseconds)
{
    showPage(kPageInj1A);
    tickMs();
    drag(0, 0, 0, 5);
    rig.dialogs->numbers.push_back(2); // "= 2" on cells showing times: 2 ms, not 2 %
    trigger("MenuMapSetValue");
    EXPECT_NE(rig.dialogs->questions.back().find("[ms]"), std::string::npos) << rig.dialogs->questions.back();
    for (int column = 0; column <= 5; ++column)
        EXPECT_NEAR(jet1ATime(0, column), 2000, jet1AStep(0, column)) << column;

    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QApplication::clipboard()->text().trimmed().split('\t');
    ASSERT_EQ(copied.size(), 6);
    EXPECT_EQ(copied.front().toStdString(), fixedText(jet1ATime(0, 0), 3));

    // Pasted one row down, the times go there as times.
    grid().selection().press({1, 0});
    trigger("MenuMapPaste");
    EXPECT_NEAR(jet1ATime(1, 0), jet1ATime(0, 0), jet1AStep(1, 0));
}

TEST_F(MapEditing, ATimeTypedIntoACellWithMsIsStoredAsThatTime)
{
    showPage(kPageInj1A);
    tickMs();
    table().setFocus();
    table().setCurrentIndex(cell(4, 4));
    table().edit(cell(4, 4));
    auto* editor = table().viewport()->findChild<QAbstractSpinBox*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "1.5");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_NEAR(jet1ATime(4, 4), 1500, jet1AStep(4, 4));
}

TEST_F(MapEditing, AMapFileWithAValueOutOfRangeIsRefusedWithTheCellNamed)
{
    showPage(kPageAdvance);
    const std::filesystem::path csv = rig.configDirectory / "ADVANCE.csv";
    std::string text = exported("MenuMapExportCsv", csv);
    const std::size_t row = text.find("\r\n20%,") + 6;
    text.replace(row, text.find(',', row) - row, "75");
    const ParamImage before = image();
    const int steps = undoSteps();
    importText(csv, text);
    EXPECT_TRUE(std::equal(before.bytes().begin(), before.bytes().end(), image().bytes().begin()));
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_EQ(status(), "Row 20%, " + std::to_string(grid().model().grid().rpmHead(0)) +
                            " rpm: 75 deg is outside the range 0 to 60 deg; nothing was changed");
}

TEST_F(MapEditing, APasteOutOfRangeIsRefusedAndNothingChanges)
{
    showPage(kPageInjB);
    QApplication::clipboard()->setText("-5\t250\n");
    grid().selection().press({2, 3});
    const ParamImage before = image();
    trigger("MenuMapPaste");
    EXPECT_TRUE(std::equal(before.bytes().begin(), before.bytes().end(), image().bytes().begin()));
    EXPECT_NE(status().find("-5 raw is outside the range 0 to 100 raw"), std::string::npos) << status();
}

TEST_F(MapEditing, ASpreadsheetsNumbersAndResavedFilesAreTaken)
{
    showPage(kPageAdvance);
    QApplication::clipboard()->setText("13.799999999999999999\r");
    grid().selection().press({0, 0});
    trigger("MenuMapPaste");
    EXPECT_EQ(image().byte(650), 14);
    EXPECT_EQ(status(), "1 cell pasted");

    // The file saved again by a spreadsheet: fractions for the throttle heads, CR line ends.
    const std::filesystem::path csv = rig.configDirectory / "ADVANCE.csv";
    std::string text = exported("MenuMapExportCsv", csv);
    for (const auto& [head, fraction] : {std::pair{"\r\n2%,", "\r\n0.02,"}, std::pair{"\r\n100%,", "\r\n1,"}})
        text.replace(text.find(head), std::string_view(head).size(), fraction);
    const std::size_t first = text.find("\r\n0%,") + 5;
    text.replace(first, text.find(',', first) - first, "21.0000000000000001");
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", end))
        text.erase(end + 1, 1);
    importText(csv, text);
    EXPECT_EQ(status(), mapEditText({MapEditMessage::MapImported}, Language::English));
    EXPECT_EQ(image().byte(650), 21);
}

TEST_F(MapEditing, OneCellIsCountedInTheSingular)
{
    showPage(kPageInjB);
    grid().selection().press({3, 3});
    rig.dialogs->numbers.push_back(injB(3, 3) == 50 ? 51 : 50);
    trigger("MenuMapSetValue");
    EXPECT_EQ(status(), "1 cell changed");
    rig.control<QAction>("MenuGerman").trigger();
    grid().selection().press({3, 4});
    rig.dialogs->numbers.push_back(injB(3, 4) == 50 ? 51 : 50);
    trigger("MenuMapSetValue");
    EXPECT_EQ(status(), "1 Zelle geändert");
}

TEST_F(MapEditing, ContextMenuOffersTheOperationsOnlyOnMapPages)
{
    const QMenu& menu = rig.window->mapPages().editing().contextMenu();
    EXPECT_TRUE(menu.actions().contains(&rig.control<QAction>("MenuMapSmooth")));
    showPage(kPageKorekce);
    EXPECT_FALSE(rig.control<QAction>("MenuMapSmooth").isEnabled());
    showPage(kPageAdvance);
    EXPECT_TRUE(rig.control<QAction>("MenuMapSmooth").isEnabled());
}

TEST_F(MapEditing, CaptionsOfTheNewItemsFollowTheLanguage)
{
    rig.control<QAction>("MenuGerman").trigger();
    EXPECT_EQ(rig.control<QAction>("MenuMapCopy").text(), QStringLiteral("Kopieren"));
    EXPECT_EQ(rig.control<QCheckBox>("CheckBoxColours_Uni").text(), QStringLiteral("Farben"));
    rig.control<QAction>("MenuCzech").trigger();
    EXPECT_EQ(rig.control<QAction>("MenuMapCopy").text(), QStringLiteral("Kopírovat"));
}

} // namespace
} // namespace quorvel
