// Live tuning on the real window: the Tuning dock made on first use from its menu item, its
// fields editing the tune like any field, the checks before a start with their fixes, a short
// run on the virtual unit, Apply through the writer into the unit, and the locks of the grid's
// context menu.
#include "core/page_index.h"
#include "log/tuning_cells.h"
#include "log/tuning_locks.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "texts/tuning_texts.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/tuning/tuning_dock.h"
#include "ui/window_rig.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvel {
namespace {

constexpr GridCell kHeld{4, 3}; // 20 % throttle, 4000 rpm: where the rider holds the engine
constexpr int kHeldElement = kHeld.row * kMapColumns + kHeld.column;

int shown(const ParamImage& image, std::string_view field)
{
    return readShown(image, *FieldTable::byName(field));
}

// The window on a virtual unit that holds the window's own tune, its engine held in one cell
// and needing 6 % more fuel everywhere than the map gives.
class LiveTuning : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.start();
        const ParamImage& image = rig.window->image();
        rig.unit.loadMemory(image);
        std::string error;
        rig.unit.setRide(*sim::parseRidePlan("hold:4000,20", error));
        sim::FuelDemand demand;
        const CellValues percent = tuningMapCells(image, MapId::Jet1A).percent;
        for (int c = 0; c < kMapColumns; ++c)
            demand.axis[static_cast<std::size_t>(c)] = axisPoint(image, MapId::Jet1A, c);
        for (std::size_t e = 0; e < kMapCells; ++e)
            demand.percent[e] = static_cast<std::uint16_t>(percent[e] * 106 / 100);
        rig.unit.setFuelDemand(demand);
        m_start = percent;
        rig.steps(20);
    }

    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    TuningDock& dock() { return rig.control<TuningDock>("DockWidgetTuning"); }
    int undoSteps() { return rig.window->writer().history().undoSteps(); }
    // Fixes the first blocking finding, as the user picks it in the list and presses Fix.
    void fixFirstFinding()
    {
        dock().findings().setCurrentRow(0);
        rig.control<QPushButton>("ButtonTuningFix").click();
        rig.step();
    }

    test::WindowRig rig;
    CellValues m_start{};
};

TEST_F(LiveTuning, DockIsMadeOnFirstUseAndItsFieldsEditTheTuneWithUndo)
{
    EXPECT_EQ(rig.window->findChild<TuningDock*>("DockWidgetTuning"), nullptr);
    trigger("MenuLiveTuning");
    EXPECT_FALSE(dock().isHidden());
    EXPECT_EQ(dock().field(1).value(), shown(rig.window->image(), "LadeniHyster"));

    const int steps = undoSteps();
    dock().field(1).setValue(60);
    EXPECT_EQ(shown(rig.window->image(), "LadeniHyster"), 60);
    EXPECT_EQ(undoSteps(), steps + 1);
    trigger("MenuZpet");
    rig.step();
    EXPECT_EQ(shown(rig.window->image(), "LadeniHyster"), 50);
    EXPECT_EQ(dock().field(1).value(), 50) << "the dock follows the image";
}

TEST_F(LiveTuning, ChecksSayWhyAndTheirFixesClearTheWayToARunThatApplies)
{
    trigger("MenuLiveTuning");
    rig.steps(12); // the next monitor frames
    // The bike's own target (800 mV) reaches the sensor's rich level; the grid shows no map.
    ASSERT_GE(dock().findings().count(), 2);
    EXPECT_EQ(dock().findings().item(0)->text().toStdString(),
              *TuningTexts::text("PreflightTargetOutsideSwitching", Language::English));
    EXPECT_FALSE(dock().startButton().isEnabled());
    fixFirstFinding();
    EXPECT_EQ(shown(rig.window->image(), "LadeniLambda"), 770);
    fixFirstFinding(); // shows the map's page
    EXPECT_EQ(rig.window->activePage(), kPageInj1A);
    ASSERT_TRUE(dock().startButton().isEnabled()) << dock().findings().item(0)->text().toStdString();
    rig.unit.loadMemory(rig.window->image()); // the unit tunes toward the new target too

    dock().startButton().click();
    rig.steps(60);
    EXPECT_FALSE(dock().progressLabel().text().isEmpty());
    ASSERT_TRUE(dock().applyButton().isEnabled());
    const QModelIndex cell =
        MapGridTableModel::cellIndexOf(rig.window->mapPages().grid().model(), kHeld.row, kHeld.column);
    EXPECT_TRUE(cell.data(Qt::ToolTipRole).toString().contains("lean"))
        << cell.data(Qt::ToolTipRole).toString().toStdString();

    rig.control<QCheckBox>("CheckBoxProgHned").setChecked(true);
    const int before = tuningMapCells(rig.window->image(), MapId::Jet1A).percent[kHeldElement];
    const int steps = undoSteps();
    dock().applyButton().click();
    const CellValues after = tuningMapCells(rig.window->image(), MapId::Jet1A).percent;
    EXPECT_EQ(after[kHeldElement], before + 2);
    EXPECT_EQ(undoSteps(), steps + 1);
    rig.steps(300);
    EXPECT_FALSE(rig.window->image().pendingBlocks().any()) << "the changed blocks reached the unit";
    EXPECT_EQ(tuningMapCells(rig.unit.memory(), MapId::Jet1A).percent[kHeldElement], before + 2);
    EXPECT_TRUE(std::filesystem::exists(rig.configDirectory / "data" / "backups"))
        << "the unit's tune was kept before the first write";

    // Unattended: the next pass of the cell is applied without a click, and reaches the unit.
    rig.control<QCheckBox>("CheckBoxTuningApplyEveryPass").setChecked(true);
    rig.steps(300);
    const int unattended = tuningMapCells(rig.window->image(), MapId::Jet1A).percent[kHeldElement];
    EXPECT_GT(unattended, before + 2);
    EXPECT_GT(undoSteps(), steps + 1);
    EXPECT_EQ(tuningMapCells(rig.unit.memory(), MapId::Jet1A).percent[kHeldElement], unattended);
}

TEST_F(LiveTuning, ASweepAppliedAfterEveryPassSettlesEachCellWithinAStepOfTheDemand)
{
    writeShown(rig.window->image(), *FieldTable::byName("LadeniLambda"), 0, 450);
    rig.unit.loadMemory(rig.window->image());
    std::string error;
    rig.unit.setRide(*sim::parseRidePlan("sweep:3000-4000,20-30", error));
    trigger("MenuLiveTuning");
    rig.control<PageControl>("PageControl1").setCurrentIndex(kPageInj1A);
    rig.control<QCheckBox>("CheckBoxProgHned").setChecked(true);
    rig.control<QCheckBox>("CheckBoxTuningApplyEveryPass").setChecked(true);
    rig.steps(12);
    ASSERT_TRUE(dock().startButton().isEnabled()) << dock().findings().item(0)->text().toStdString();
    dock().startButton().click();
    rig.steps(8 * 4 * 1500 / 55); // eight rounds of the four cells
    const CellValues after = tuningMapCells(rig.window->image(), MapId::Jet1A).percent;
    for (const GridCell cell : {GridCell{4, 2}, GridCell{4, 3}, GridCell{5, 2}, GridCell{5, 3}}) {
        const auto e = static_cast<std::size_t>(cell.row * kMapColumns + cell.column);
        const int demand = m_start[e] * 106 / 100;
        EXPECT_LE(std::abs(after[e] - demand), 1)
            << cell.row << ":" << cell.column << " at " << after[e] << ", demand " << demand << "\n"
            << dock().progressLabel().text().toStdString();
    }
}

TEST_F(LiveTuning, ApplyingAfterEveryPassStopsAtAUnitThatDoesNotVerify)
{
    sim::FaultPlan faults;
    faults.differingBlock = 1; // a block no apply of Inj. 1A writes
    rig.unit.setFaults(faults);
    writeShown(rig.window->image(), *FieldTable::byName("LadeniLambda"), 0, 450);
    rig.unit.loadMemory(rig.window->image());
    trigger("MenuLiveTuning");
    rig.control<PageControl>("PageControl1").setCurrentIndex(kPageInj1A);
    rig.control<QCheckBox>("CheckBoxProgHned").setChecked(true);
    rig.control<QCheckBox>("CheckBoxTuningApplyEveryPass").setChecked(true);
    rig.steps(12);
    dock().startButton().click();
    rig.steps(600);
    EXPECT_EQ(rig.text("LabelTuningStatus"), *TuningTexts::text("StopVerifyRefused", Language::English));
    EXPECT_FALSE(rig.control<QCheckBox>("CheckBoxTuningApplyEveryPass").isChecked());
    const int stoppedAt = tuningMapCells(rig.window->image(), MapId::Jet1A).percent[kHeldElement];
    EXPECT_EQ(stoppedAt, m_start[kHeldElement] + 2) << "one pass was applied, and no more";
    rig.steps(300);
    EXPECT_EQ(tuningMapCells(rig.window->image(), MapId::Jet1A).percent[kHeldElement], stoppedAt);
}

// The unit answers every monitor request with its engine's frame, the throttle maps' share of
// the fuel set to `throttleMapShare` percent (0: the IAP map alone doses).
void doseByShare(sim::VirtualUnit& unit, std::uint8_t throttleMapShare)
{
    LinkFrame frame = *unit.answer(buildMonitorRequest());
    frame[26] = throttleMapShare;
    sealFrame(frame);
    unit.replayRide(sim::FrameReplay({0}, {frame}));
}

TEST_F(LiveTuning, MapChoiceFollowsTheMapInUseUntilTheUserPicksOne)
{
    doseByShare(rig.unit, 0);
    trigger("MenuLiveTuning"); // before the dock has seen a frame
    auto& choice = rig.control<QComboBox>("ComboTuningMap");
    rig.steps(12);
    EXPECT_EQ(dock().map(), MapId::Iap) << "the first frame shows the unit dosing by the IAP map";
    doseByShare(rig.unit, 60);
    rig.steps(12);
    EXPECT_EQ(dock().map(), MapId::Jet1A) << "the throttle maps take a share again";

    choice.setCurrentIndex(choice.findData(static_cast<int>(MapId::Jet2A)));
    doseByShare(rig.unit, 0);
    rig.steps(12);
    EXPECT_EQ(dock().map(), MapId::Jet2A) << "the user's pick stays";
    trigger("MenuLiveTuning"); // shown again
    rig.step();
    EXPECT_EQ(dock().map(), MapId::Jet2A);
}

TEST_F(LiveTuning, CellsLockedFromTheGridsMenuAreKeptBesideTheSettings)
{
    trigger("MenuLiveTuning");
    rig.control<PageControl>("PageControl1").setCurrentIndex(kPageInj1A);
    rig.window->mapPages().grid().selection().press(kHeld);
    rig.control<QAction>("ActionTuningLock").trigger();
    std::string error;
    const auto locks = loadTuningLocks(tuningLocksPath(rig.configDirectory), error);
    ASSERT_TRUE(locks.has_value()) << error;
    EXPECT_TRUE(locks->of(MapId::Jet1A).test(kHeldElement));
    EXPECT_EQ(locks->of(MapId::Jet1A).count(), 1U);

    rig.control<QAction>("ActionTuningLock").trigger();
    EXPECT_FALSE(loadTuningLocks(tuningLocksPath(rig.configDirectory), error)->of(MapId::Jet1A).any());
}

TEST_F(LiveTuning, EveryLanguageNamesTheDockAndItsControls)
{
    trigger("MenuLiveTuning");
    for (const auto& [item, language] : {std::pair{"MenuGerman", Language::German},
                                         {"MenuFrench", Language::French},
                                         {"MenuCzech", Language::Czech},
                                         {"MenuEnglish", Language::English}}) {
        trigger(item);
        EXPECT_EQ(dock().windowTitle().toStdString(), *TuningTexts::text("DockTuning", language));
        EXPECT_EQ(dock().startButton().text().toStdString(), *TuningTexts::text("TuningStart", language));
        EXPECT_EQ(rig.control<QAction>("MenuLiveTuning").text().toStdString(),
                  std::string(*CaptionTable::find("MenuLiveTuning", CaptionKind::MenuCaption, language)));
        for (const QLabel* label : dock().findChildren<QLabel*>())
            EXPECT_FALSE(label->text().startsWith("Tuning")) << label->text().toStdString();
    }
}

} // namespace
} // namespace quorvel
