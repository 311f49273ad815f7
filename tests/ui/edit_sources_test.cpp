// Every way the tune changes, driven on the real window, against the guards of the one write
// path: one undo step that gives the image back, only the blocks that changed pending, the
// unit's tune kept before "Programming after change" writes it, and the coupling of the A maps
// carrying a change of Inj. 1 as a typed cell carries it.
#include "core/page_index.h"
#include "io/backup_store.h"
#include "io/map_csv.h"
#include "io/parameter_set.h"
#include "log/datalog_writer.h"
#include "log/log_frames.h"
#include "maps/parameter_editor.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"
#include "ui/backups/restore_backup_dialog.h"
#include "ui/binding/editor_binder.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/pages/spin_button.h"
#include "ui/window_rig.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace quorvel {
namespace {

constexpr int kColumns = 15;
constexpr int kInjBCells = 2000;

// The percentages a page shows for the cells of an injection map.
PercentTable shownPercents(const ParamImage& image, InjectionMap map)
{
    ParamImage copy = image;
    InjectionTables tables;
    tables.refreshFromImage(copy);
    return tables.percent(map);
}

std::vector<int> differingBlocks(const ParamImage& a, const ParamImage& b)
{
    std::vector<int> blocks;
    for (int block = 1; block < kBlockCount; ++block) {
        if (!std::ranges::equal(a.block(block), b.block(block)))
            blocks.push_back(block);
    }
    return blocks;
}

// The window with a running virtual unit, and the gestures the sources are made of.
class Driver {
public:
    explicit Driver(test::WindowRig& rig)
        : m_rig(rig)
    {
    }

    ParamImage& image() { return m_rig.window->image(); }
    test::ScriptedDialogs& dialogs() { return *m_rig.dialogs; }
    const std::filesystem::path& folder() const { return m_rig.configDirectory; }
    void trigger(const char* item) { m_rig.control<QAction>(item).trigger(); }
    void showPage(int page)
    {
        m_rig.control<PageControl>("PageControl1").setCurrentIndex(page);
        QCoreApplication::processEvents();
    }
    MapGrid& grid() { return m_rig.window->mapPages().grid(); }
    QModelIndex cell(int row, int column)
    {
        return MapGridTableModel::cellIndexOf(*grid().table().model(), row, column);
    }
    void select(GridCell from, GridCell to)
    {
        grid().selection().press(from);
        grid().selection().extendTo(to);
        grid().showSelection();
    }
    // Opens the cell's editor as a key press does and hands it to `use`.
    void editCell(int row, int column, const std::function<void(QAbstractSpinBox&)>& use)
    {
        QTableView& table = grid().table();
        table.setFocus();
        table.setCurrentIndex(cell(row, column));
        table.edit(cell(row, column));
        auto* editor = table.viewport()->findChild<QAbstractSpinBox*>();
        ASSERT_NE(editor, nullptr);
        use(*editor);
    }
    void typeIntoCell(int row, int column, const QString& text)
    {
        editCell(row, column, [&](QAbstractSpinBox& editor) {
            editor.selectAll();
            QTest::keyClicks(&editor, text);
            QTest::keyClick(&editor, Qt::Key_Return);
        });
    }
    // A change made beforehand, through the writer as any edit: a source then has values to work on.
    void prepareCells(MapId map, std::vector<CellInput> values)
    {
        (void)m_rig.window->writer().writeCells(MapTable::of(map), CellUnit::Shown, values, RangePolicy::Hold);
    }
    void step() { m_rig.step(); }
    void runUntilIdle()
    {
        for (int tick = 0; tick < 900 && (tick < 2 || m_rig.window->link().mode() != LinkMode::Idle); ++tick)
            m_rig.step();
    }
    // Clicks the button of a modal dialog once one carrying it is open: the window may show other
    // boxes or run its event loop before the dialog comes up.
    static void clickInModal(const char* button)
    {
        constexpr int kPollMs = 10;
        constexpr int kAttempts = 1000;
        auto* poll = new QTimer;
        auto attempts = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, button, attempts] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* found = modal != nullptr ? modal->findChild<QAbstractButton*>(button) : nullptr;
            const bool ready = found != nullptr && found->isEnabled();
            if (!ready && ++*attempts < kAttempts)
                return;
            poll->deleteLater();
            poll->stop();
            if (ready) {
                found->click();
                return;
            }
            ADD_FAILURE() << "no open dialog offers " << button;
            if (modal != nullptr)
                modal->close();
        });
        poll->start(kPollMs);
    }
    test::WindowRig& rig() { return m_rig; }

private:
    test::WindowRig& m_rig;
};

// A log of a steady ride at 3000 rpm and 20 % throttle that reads lean: the proposals raise the
// injection time of that cell.
std::filesystem::path leanRide(const std::filesystem::path& folder)
{
    const std::filesystem::path path = folder / "ride.csv";
    DatalogWriter writer;
    EXPECT_FALSE(writer.open(path).has_value());
    const auto frame = test::tuningFrame().lambda(200).sealed();
    for (std::uint32_t row = 0; row < 30; ++row)
        writer.record(row * 330, frame, LoggedCell{});
    EXPECT_FALSE(writer.close().has_value());
    return path;
}

struct Source {
    std::string_view name;
    int page = kPageInj1A;
    std::function<void(Driver&)> prepare; // before the edit, through the writer (may be empty)
    std::function<void(Driver&)> gesture; // the edit itself, as the user makes it
    bool changesInj1A = false;            // a change of the cells of Inj. 1
};

// The sources, each with a gesture that changes the tune.
std::vector<Source> sources()
{
    const auto block = [](Driver& d) { d.select({2, 3}, {4, 5}); };
    const auto peak = [](Driver& d) { d.prepareCells(MapId::Jet1A, {{{3, 4}, 180}, {{2, 3}, 90}, {{4, 5}, 130}}); };
    return {
        {"TypedCell", kPageInj1A, {}, [](Driver& d) { d.typeIntoCell(3, 4, "137"); }, true},
        {"TypedField",
         kPageBike,
         {},
         [](Driver& d) {
             auto& field = d.rig().control<QAbstractSpinBox>("EditChlazeni");
             field.setFocus();
             field.selectAll();
             QTest::keyClicks(&field, "77");
             QTest::keyClick(&field, Qt::Key_Return);
         }},
        {"CellArrows",
         kPageInj1A,
         {},
         [](Driver& d) { d.editCell(3, 4, [](QAbstractSpinBox& editor) { QTest::keyClick(&editor, Qt::Key_Up); }); },
         true},
        {"F5WithAll",
         kPageAdvance,
         {},
         [](Driver& d) {
             d.rig().control<QCheckBox>("CheckBoxAll_Uni").setChecked(true);
             d.trigger("MenuToolsPlus");
         }},
        {"F4OnABlock",
         kPageInj1A,
         {},
         [=](Driver& d) {
             block(d);
             d.trigger("MenuToolsMinus");
         },
         true},
        {"ColumnSpin",
         kPageInj1A,
         {},
         [](Driver& d) { dynamic_cast<SpinButton&>(d.rig().control("CSpinButtonColumn_Uni4")).upButton().click(); },
         true},
        {"SetValue",
         kPageInj1A,
         {},
         [=](Driver& d) {
             block(d);
             d.dialogs().numbers.push_back(137);
             d.trigger("MenuMapSetValue");
         },
         true},
        {"Add",
         kPageInj1A,
         {},
         [=](Driver& d) {
             block(d);
             d.dialogs().numbers.push_back(6);
             d.trigger("MenuMapAdd");
         },
         true},
        {"Scale",
         kPageInj1A,
         {},
         [=](Driver& d) {
             block(d);
             d.dialogs().numbers.push_back(110);
             d.trigger("MenuMapScale");
         },
         true},
        {"Interpolate", kPageInj1A, peak,
         [=](Driver& d) {
             block(d);
             d.trigger("MenuMapInterpolateBoth");
         },
         true},
        {"Smooth", kPageInj1A, peak,
         [=](Driver& d) {
             block(d);
             d.trigger("MenuMapSmooth");
         },
         true},
        {"FillWithLiveCell", kPageInj1A,
         [](Driver& d) {
             d.rig().unit.advance(std::chrono::seconds(6)); // the engine runs
             for (int tick = 0; tick < 12; ++tick)
                 d.step();
             d.prepareCells(MapId::Jet1A, {{{0, 0}, 333}});
         },
         [](Driver& d) {
             d.select({0, 0}, {0, 14});
             d.trigger("MenuMapFillLive");
         },
         true},
        {"Paste",
         kPageInj1A,
         {},
         [](Driver& d) {
             QApplication::clipboard()->setText("141\t142\r\n143\t144\r\n");
             d.select({5, 5}, {5, 5});
             d.trigger("MenuMapPaste");
         },
         true},
        {"CsvImport",
         kPageInj1A,
         {},
         [](Driver& d) {
             const std::filesystem::path csv = d.folder() / "JET_1A.csv";
             d.dialogs().paths.emplace_back(csv);
             d.trigger("MenuMapExportCsv");
             std::ifstream in(csv, std::ios::binary);
             std::string text((std::istreambuf_iterator<char>(in)), {});
             const std::size_t row = text.find("\r\n40%,") + 6;
             text.replace(row, text.find(',', row) - row, "155");
             std::ofstream(csv, std::ios::binary) << text;
             d.dialogs().paths.emplace_back(csv);
             d.trigger("MenuMapImportCsv");
         },
         true},
        {"RpmRebinning",
         kPageInjB,
         {},
         [](Driver& d) {
             d.dialogs().lines.emplace_back(
                 "1000 1500 2000 2500 3000 3500 4000 5000 6000 7000 8000 9000 10000 11000 12000");
             d.trigger("MenuMapChangeRpmAxis");
         }},
        {"PositionTools",
         kPagePoloha,
         {},
         [](Driver& d) { dynamic_cast<SpinButton&>(d.rig().control("CSpinButtonPolohaA")).upButton().click(); }},
        {"OldMaps",
         kPageAdvance,
         {},
         [](Driver& d) {
             std::string text = "ADVANCE";
             for (int e = 0; e < kMapCells; ++e)
                 text += " " + std::to_string(10 + e % 20);
             const std::filesystem::path old = d.folder() / "old.map";
             std::ofstream(old, std::ios::binary) << text;
             d.dialogs().paths.emplace_back(old);
             d.trigger("OpenOldMaps");
         }},
        {"NewForPage", kPageInjB,
         [](Driver& d) {
             d.prepareCells(MapId::JetB, {{{2, 2}, 77}});
         },
         [](Driver& d) {
             d.dialogs().answer = PromptAnswer::Yes;
             d.trigger("MenuNewActPage");
         }},
        {"OpenForPage",
         kPageInjB,
         {},
         [](Driver& d) {
             ParamImage other = d.image();
             other.setByte(kInjBCells + 2 * kColumns + 2, static_cast<std::uint8_t>(other.byte(kInjBCells) + 9));
             const std::filesystem::path file = d.folder() / "other.ign";
             ASSERT_FALSE(saveParameterFile(file, other).has_value());
             d.dialogs().paths.emplace_back(file);
             d.trigger("MenuOpenActPage");
         }},
        {"Jet1234Menu", kPageInj1A, {}, [](Driver& d) { d.trigger("Menu_Jet123Normal"); }},
        {"AcceptedLogCorrections",
         kPageInj1A,
         {},
         [](Driver& d) {
             d.dialogs().paths.emplace_back(leanRide(d.folder()));
             d.trigger("MenuOpenLog");
             Driver::clickInModal("ButtonSuggestApply");
             d.rig().control<QPushButton>("ButtonSuggestCorrections").click();
         },
         true},
        {"BackupRestore", kPageInjB,
         [](Driver& d) {
             d.trigger("MenuRead");
             d.runUntilIdle();
             d.prepareCells(MapId::JetB, {{{1, 1}, 66}});
         },
         [](Driver& d) {
             Driver::clickInModal("ButtonRestoreOpen");
             d.trigger("MenuRestoreBackup");
         }},
    };
}

class EditSources : public ::testing::TestWithParam<Source> {
protected:
    void SetUp() override
    {
        rig.start();
        rig.window->show();
        QCoreApplication::processEvents();
        driver.showPage(GetParam().page);
        if (GetParam().prepare)
            GetParam().prepare(driver);
    }

    int undoSteps() { return rig.window->editing()->editor().history().undoSteps(); }
    std::vector<std::filesystem::path> programBackups()
    {
        std::vector<std::filesystem::path> found;
        const auto folder = rig.configDirectory / "data" / "backups";
        if (!std::filesystem::exists(folder))
            return found;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().find("_program") != std::string::npos)
                found.push_back(entry.path());
        }
        return found;
    }

    test::WindowRig rig;
    Driver driver{rig};
};

TEST_P(EditSources, IsOneUndoStepMarkingOnlyTheBlocksItChanged)
{
    ParamImage& image = rig.window->image();
    const ParamImage before = image;
    const int steps = undoSteps();
    image.pendingBlocks().clearAll();

    GetParam().gesture(driver);

    const std::vector<int> changed = differingBlocks(before, image);
    ASSERT_FALSE(changed.empty()) << "the gesture changed nothing";
    EXPECT_EQ(undoSteps(), steps + 1);
    for (int block = 0; block < kBlockCount; ++block) {
        const bool differs = std::ranges::find(changed, block) != changed.end();
        EXPECT_EQ(image.pendingBlocks().isSet(block), differs) << "block " << block;
    }
    driver.trigger("MenuZpet");
    EXPECT_TRUE(differingBlocks(before, image).empty()) << "one Undo gives the image back";
}

TEST_P(EditSources, WithProgrammingAfterChangeTheUnitIsKeptBeforeItIsWritten)
{
    rig.control<QCheckBox>("CheckBoxProgHned").click();
    ParamImage& image = rig.window->image();
    image.pendingBlocks().clearAll();
    const ParamImage unitBefore = rig.unit.memory();
    const ParamImage imageBefore = image;

    GetParam().gesture(driver);
    driver.runUntilIdle();

    const auto backups = programBackups();
    ASSERT_EQ(backups.size(), 1U) << "a backup before the first write of the connection";
    ParamImage kept;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(backups.front(), kept, tables), LoadResult::Loaded);
    EXPECT_TRUE(differingBlocks(kept, unitBefore).empty()) << "what the unit held before";
    // The blocks the change made went to the unit, and no other.
    const std::vector<int> changed = differingBlocks(imageBefore, image);
    const auto unitHolds = [&](const ParamImage& changedBlocks) {
        for (int block = 1; block < kBlockCount; ++block) {
            const bool written = std::ranges::find(changed, block) != changed.end();
            const ParamImage& expected = written ? changedBlocks : unitBefore;
            EXPECT_TRUE(std::ranges::equal(rig.unit.memory().block(block), expected.block(block))) << "block " << block;
        }
    };
    unitHolds(image);

    // Undo writes again in the same connection: no new backup.
    driver.trigger("MenuZpet");
    driver.runUntilIdle();
    EXPECT_EQ(programBackups().size(), 1U);
    unitHolds(imageBefore);
}

std::string sourceName(const testing::TestParamInfo<Source>& source)
{
    return std::string(source.param.name);
}

INSTANTIATE_TEST_SUITE_P(EverySource, EditSources, testing::ValuesIn(sources()), sourceName);

// The sources that change Inj. 1, with the A maps coupled: a follower moves by the same
// percentage points as the cell of Inj. 1, and with "1=2=3=4" it is a copy.
class CoupledSources : public EditSources {};

TEST_P(CoupledSources, CoupledCarryTheChangeOfInj1AIntoTheFollowers)
{
    driver.trigger("Menu_Jet123Coupled");
    ParamImage& image = rig.window->image();
    const PercentTable lead = shownPercents(image, InjectionMap::Jet1A);
    const PercentTable follower = shownPercents(image, InjectionMap::Jet3A);

    GetParam().gesture(driver);

    const PercentTable leadAfter = shownPercents(image, InjectionMap::Jet1A);
    const PercentTable followerAfter = shownPercents(image, InjectionMap::Jet3A);
    int moved = 0;
    for (std::size_t e = 0; e < kMapCells; ++e) {
        const int difference = leadAfter[e] - lead[e];
        moved += difference != 0 ? 1 : 0;
        EXPECT_EQ(followerAfter[e] - follower[e], difference) << "cell " << e;
    }
    EXPECT_GT(moved, 0);
}

TEST_P(CoupledSources, WithOneEqualsTwoTheFollowersAreCopies)
{
    driver.trigger("Menu_Jet123Stejny");
    GetParam().gesture(driver);
    const ParamImage& image = rig.window->image();
    for (MapId follower : {MapId::Jet2A, MapId::Jet3A, MapId::Jet4A}) {
        for (int e = 0; e < kMapCells; ++e)
            ASSERT_EQ(mapCell(image, follower, e), mapCell(image, MapId::Jet1A, e)) << e;
    }
}

std::vector<Source> inj1ASources()
{
    std::vector<Source> found;
    for (const Source& source : sources()) {
        if (source.changesInj1A)
            found.push_back(source);
    }
    return found;
}

INSTANTIATE_TEST_SUITE_P(Inj1A, CoupledSources, testing::ValuesIn(inj1ASources()), sourceName);

} // namespace
} // namespace quorvel
