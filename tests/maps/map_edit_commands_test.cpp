#include "maps/map_edit_commands.h"

#include "core/page_index.h"
#include "core/sanitise.h"
#include "io/map_csv.h"
#include "map_grid_rig.h"
#include "maps/undo_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

using testing_maps::MapGridRig;

// The window's side of a change: collecting stores the grid model's values, afterChange
// sanitises, shows the page again and records one undo entry when the image changed.
class WindowHost final : public MapPageHost {
public:
    explicit WindowHost(MapGridRig& rig)
        : m_rig(rig)
    {
    }

    void setMapGridVisible(bool) override {}
    void selectPage(int) override {}
    void fillPage() override {}
    void refreshView() override {}
    void takeSnapshot() override {}
    void collectPage() override
    {
        calls.emplace_back("collect");
        collectMapPage(m_rig.image, m_rig.tables, selectBikeGrids(m_rig.image), JetCoupling::fromImage(m_rig.image),
                       m_rig.grid.page(), m_rig.grid.values());
    }
    void afterChange() override
    {
        calls.emplace_back("after");
        OutsideSettings settings;
        (void)sanitiseImage(m_rig.image, settings);
        m_rig.show(m_rig.grid.page());
        if (history.takeSnapshot(m_rig.image, m_rig.grid.page()))
            ++snapshots;
    }

    std::vector<std::string> calls;
    UndoHistory history;
    int snapshots = 0;

private:
    MapGridRig& m_rig;
};

class MapEditCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        rig.show(kPageInj1A);
        host.history.init(rig.image, kPageInj1A);
    }

    MapGridRig rig;
    WindowHost host{rig};
    MapEditCommands commands{{rig.image, rig.tables, rig.grid, rig.selection, host}};
};

using Calls = std::vector<std::string>;

TEST_F(MapEditCommandsTest, AnOperationIsStoredAsOneEditAndUndoneAsOne)
{
    rig.image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
    host.history.init(rig.image, kPageInj1A);
    const ParamImage before = rig.image;
    const int follower = rig.tables.percent(InjectionMap::Jet3A)[16];
    rig.select({1, 1}, {2, 3});

    EXPECT_EQ(commands.add(10), (MapEditStatus{MapEditMessage::CellsChanged, 6}));
    EXPECT_EQ(host.calls, (Calls{"collect", "after"}));
    EXPECT_EQ(host.snapshots, 1);
    // The coupling carries the difference into the followers, as for a typed cell.
    EXPECT_EQ(rig.tables.percent(InjectionMap::Jet3A)[16], follower + 10);

    ASSERT_TRUE(host.history.undo(rig.image));
    EXPECT_TRUE(std::ranges::equal(rig.image.bytes(), before.bytes()));
}

TEST_F(MapEditCommandsTest, NothingIsStoredWhenNothingChangesOrTheCommandIsRefused)
{
    rig.select({0, 0}, {0, 1});
    (void)commands.setValue(250);
    host.calls.clear();
    EXPECT_EQ(commands.setValue(250), MapEditStatus{MapEditMessage::NothingChanged});
    EXPECT_EQ(commands.interpolate(InterpolationAxis::Both), MapEditStatus{MapEditMessage::TooFewToInterpolate});
    EXPECT_EQ(commands.fillWithLiveCell({}), MapEditStatus{MapEditMessage::EngineStopped});
    EXPECT_EQ(commands.paste("7\tbad\n"), (MapEditStatus{MapEditMessage::BadNumber, 1, 2}));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(MapEditCommandsTest, TheSelectionKeepsToTheCellsTheGridShows)
{
    rig.selection.selectAll();
    // "Advance" by RPM only comes up while the selection still spans the ten rows of Inj-1A.
    rig.image.setByte(190, 0);
    rig.grid.load(
        kPageAdvance,
        fillMapPage(rig.image, rig.tables, selectBikeGrids(rig.image), JetCoupling::fromImage(rig.image), kPageAdvance),
        GridLayout::of(GridLayoutMode::OneRow), rig.image);
    EXPECT_EQ(commands.setValue(12).message, MapEditMessage::CellsChanged);
    EXPECT_EQ(commands.copySelection(), "12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\n");
}

TEST_F(MapEditCommandsTest, PasteReportsTheCellsPastedAndAWholeMapItsHeads)
{
    rig.selection.press({9, 12});
    EXPECT_EQ(commands.paste("120\t121\t122\t123\n"), (MapEditStatus{MapEditMessage::CellsPasted, 3}));
    EXPECT_EQ(rig.grid.cellValue(9, 14), 122);

    const std::string whole = commands.copyMapWithHeads();
    (void)commands.setValue(300);
    EXPECT_EQ(commands.paste(whole), (MapEditStatus{MapEditMessage::MapPasted, kMapCells}));
    EXPECT_EQ(rig.grid.cellValue(9, 14), 122);
    EXPECT_EQ(host.snapshots, 3);
}

TEST_F(MapEditCommandsTest, ChangingTheRpmAxisSkipsTheCollectionThatWouldRestoreThePercentages)
{
    // A stored time off the percent grid: collecting the page would round it to a percentage.
    setMapCell(rig.image, MapId::Jet1A, 0, static_cast<std::uint16_t>(mapCell(rig.image, MapId::Jet1A, 0) + 3));
    const std::uint16_t stored = mapCell(rig.image, MapId::Jet1A, 0);
    rig.show(kPageInj1A);
    std::array<int, kMapColumns> heads = commands.rpmHeads();
    heads[14] += 100;

    EXPECT_EQ(commands.changeRpmAxis(heads), MapEditStatus{MapEditMessage::RpmAxisChanged});
    EXPECT_EQ(host.calls, Calls{"after"});
    EXPECT_EQ(mapCell(rig.image, MapId::Jet1A, 0), stored);
    EXPECT_EQ(rig.grid.rpmHead(14), heads[14]);
    EXPECT_EQ(host.snapshots, 1);
}

TEST_F(MapEditCommandsTest, ACsvImportRunsAfterChangeOnce)
{
    std::string csv = commands.exportCsv();
    csv.replace(csv.find("0%,") + 3, 3, "150");
    EXPECT_EQ(commands.importCsv(csv), MapEditStatus{MapEditMessage::MapImported});
    EXPECT_EQ(host.calls, Calls{"after"});
    EXPECT_EQ(rig.grid.cellValue(0, 0), 150);
    EXPECT_EQ(commands.importCsv("JET_1A [%],1\n"), (MapEditStatus{MapEditMessage::WrongShape, 1, 3}));
    EXPECT_EQ(host.calls.size(), 1U);
}

} // namespace
} // namespace quorvel
