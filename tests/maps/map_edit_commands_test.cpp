#include "maps/map_edit_commands.h"

#include "core/page_index.h"
#include "io/map_csv.h"
#include "map_grid_rig.h"
#include "texts/map_edit_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

using testing_maps::MapGridRig;

// The commands of the map tools over the rig's grid, stored through its writer; the page shows
// the image again after each, as the window's fill does.
class MapEditCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        rig.show(kPageInj1A);
        rig.writer.start(kPageInj1A);
    }

    template <typename Command> MapEditStatus run(Command command)
    {
        const MapEditStatus status = command();
        rig.show(rig.grid.page());
        return status;
    }
    [[nodiscard]] int undoSteps() const { return rig.writer.history().undoSteps(); }

    MapGridRig rig;
    MapEditCommands commands{{rig.writer, rig.image, rig.tables, rig.grid, rig.selection}};
};

TEST_F(MapEditCommandsTest, AnOperationIsStoredAsOneEditAndUndoneAsOne)
{
    rig.image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
    rig.show(kPageInj1A);
    rig.writer.start(kPageInj1A);
    const ParamImage before = rig.image;
    const int follower = rig.tables.percent(InjectionMap::Jet3A)[16];
    rig.select({1, 1}, {2, 3});

    EXPECT_EQ(run([&] { return commands.add(10); }), (MapEditStatus{MapEditMessage::CellsChanged, 6}));
    EXPECT_EQ(undoSteps(), 1);
    // The coupling carries the difference into the followers, as for a typed cell.
    EXPECT_EQ(rig.tables.percent(InjectionMap::Jet3A)[16], follower + 10);

    rig.writer.undo();
    EXPECT_TRUE(std::ranges::equal(rig.image.bytes(), before.bytes()));
}

TEST_F(MapEditCommandsTest, NothingIsStoredWhenNothingChangesOrTheCommandIsRefused)
{
    rig.select({0, 0}, {0, 1});
    (void)run([&] { return commands.setValue(250); });
    const int steps = undoSteps();
    EXPECT_EQ(run([&] { return commands.setValue(250); }), MapEditStatus{MapEditMessage::NothingChanged});
    EXPECT_EQ(commands.interpolate(InterpolationAxis::Both), MapEditStatus{MapEditMessage::TooFewToInterpolate});
    EXPECT_EQ(commands.fillWithLiveCell({}), MapEditStatus{MapEditMessage::EngineStopped});
    EXPECT_EQ(commands.paste("7\tbad\n"), (MapEditStatus{MapEditMessage::BadNumber, 1, 2}));
    EXPECT_EQ(commands.setValue(1200).message, MapEditMessage::ValueOutOfRange);
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(MapEditCommandsTest, AValueAskedForIsRefusedOutOfRangeAndAChangeOfTheValuesThereIsHeld)
{
    rig.show(kPageAdvance); // 0..60 degrees
    rig.type({0, 0}, {{58, 20}});
    rig.select({0, 0}, {0, 1});
    const ParamImage before = rig.image;
    EXPECT_EQ(commands.setValue(61).message, MapEditMessage::ValueOutOfRange);
    EXPECT_TRUE(std::ranges::equal(rig.image.bytes(), before.bytes()));
    EXPECT_EQ(run([&] { return commands.add(5); }), (MapEditStatus{MapEditMessage::CellsChangedHeld, 2, 1}));
    EXPECT_EQ(rig.grid.cellValue(0, 0), 60);
    EXPECT_EQ(rig.grid.cellValue(0, 1), 25);
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
    EXPECT_EQ(run([&] { return commands.setValue(12); }).message, MapEditMessage::CellsChanged);
    rig.grid.load(
        kPageAdvance,
        fillMapPage(rig.image, rig.tables, selectBikeGrids(rig.image), JetCoupling::fromImage(rig.image), kPageAdvance),
        GridLayout::of(GridLayoutMode::OneRow), rig.image);
    EXPECT_EQ(commands.copySelection(), "12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\t12\n");
}

TEST_F(MapEditCommandsTest, PasteReportsTheCellsPastedAndAWholeMapItsHeads)
{
    rig.selection.press({9, 12});
    EXPECT_EQ(run([&] { return commands.paste("120\t121\t122\t123\n"); }),
              (MapEditStatus{MapEditMessage::CellsPasted, 3}));
    EXPECT_EQ(rig.grid.cellValue(9, 14), 122);

    const std::string whole = commands.copyMapWithHeads();
    (void)run([&] { return commands.setValue(300); });
    EXPECT_EQ(run([&] { return commands.paste(whole); }), (MapEditStatus{MapEditMessage::MapPasted, kMapCells}));
    EXPECT_EQ(rig.grid.cellValue(9, 14), 122);
    EXPECT_EQ(undoSteps(), 3);
}

TEST_F(MapEditCommandsTest, ChangingTheRpmAxisSkipsTheCollectionThatWouldRestoreThePercentages)
{
    // A stored time off the percent grid: collecting the page would round it to a percentage.
    setMapCell(rig.image, MapId::Jet1A, 0, static_cast<std::uint16_t>(mapCell(rig.image, MapId::Jet1A, 0) + 3));
    rig.writer.start(kPageInj1A);
    const std::uint16_t stored = mapCell(rig.image, MapId::Jet1A, 0);
    rig.show(kPageInj1A);
    std::array<int, kMapColumns> heads = commands.rpmHeads();
    heads[14] += 100;

    EXPECT_EQ(run([&] { return commands.changeRpmAxis(heads); }), MapEditStatus{MapEditMessage::RpmAxisChanged});
    EXPECT_EQ(mapCell(rig.image, MapId::Jet1A, 0), stored);
    EXPECT_EQ(rig.grid.rpmHead(14), heads[14]);
    EXPECT_EQ(undoSteps(), 1);
}

TEST_F(MapEditCommandsTest, ACsvImportIsOneEditAndARefusedOneNone)
{
    std::string csv = commands.exportCsv();
    csv.replace(csv.find("0%,") + 3, 3, "150");
    EXPECT_EQ(run([&] { return commands.importCsv(csv); }), MapEditStatus{MapEditMessage::MapImported});
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_EQ(rig.grid.cellValue(0, 0), 150);
    EXPECT_EQ(commands.importCsv("JET_1A [%],1\n"), (MapEditStatus{MapEditMessage::WrongShape, 1, 3}));
    csv.replace(csv.find("0%,") + 3, 3, "1500");
    EXPECT_EQ(commands.importCsv(csv).message, MapEditMessage::ValueOutOfRange);
    EXPECT_EQ(undoSteps(), 1);
}

TEST_F(MapEditCommandsTest, WithMsTheCommandsSpeakMilliseconds)
{
    rig.showMs = true;
    rig.show(kPageInj1A);
    EXPECT_EQ(commands.unitName(), "ms");
    EXPECT_TRUE(commands.exportCsv().starts_with("JET_1A [ms],"));
    rig.select({0, 0}, {0, 5});
    const std::uint16_t reference = rig.tables.reference(InjectionMap::Jet1A)[0];
    EXPECT_EQ(run([&] { return commands.setValue(2.0); }).message, MapEditMessage::CellsChanged);
    EXPECT_NEAR(rig.grid.cellTime(0, 0), 2000, reference / 200 + 1);
    // A time beyond what the cell may hold is refused with the cell and its range in ms.
    const MapEditStatus refused = commands.setValue(65.0);
    ASSERT_EQ(refused.message, MapEditMessage::ValueOutOfRange);
    EXPECT_NE(mapEditText(refused, Language::English).find("65 ms is outside the range 0 to"), std::string::npos);
}

} // namespace
} // namespace quorvel
