#include "maps/map_clipboard.h"

#include "core/page_index.h"
#include "io/input_limits.h"
#include "io/map_csv.h"
#include "map_grid_rig.h"
#include "texts/map_edit_texts.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::Block;
using testing_maps::MapGridRig;

// A paste is read against the grid's page and handed to the writer of the tune, which refuses a
// value outside its cell's range with nothing changed.
class MapClipboard : public testing::Test {
protected:
    static TuneWrite pasteInto(MapGridRig& into, std::string_view text)
    {
        const Paste pasted =
            readPaste(into.grid, into.selection, text, sheetTarget(into.image, into.map(), into.grid.viewUnit()));
        if (pasted.refusal)
            return {pasted.refusal, 0, 0, 0, false};
        const TuneWrite written =
            pasted.sheet
                ? into.writer.writeMap(into.map(), pasted.sheet->values, unitOf(*pasted.sheet), RangePolicy::Refuse)
                : into.writer.writeCells(into.map(), pasted.block.unit, pasted.block.values, RangePolicy::Refuse);
        into.show(into.grid.page());
        return written;
    }
    TuneWrite paste(std::string_view text) { return pasteInto(rig, text); }

    MapGridRig rig;
};

TEST_F(MapClipboard, CopiesTheSelectionAsTabSeparatedLines)
{
    rig.show(kPageAdvance);
    rig.type({1, 2}, {{5, 6, 7}, {8, 9, 10}});
    rig.select({2, 4}, {1, 2});
    EXPECT_EQ(copySelection(rig.grid, rig.selection), "5\t6\t7\n8\t9\t10\n");
}

TEST_F(MapClipboard, ASpreadsheetBlockWithATrailingLineEndIsPastedAtTheSelectionAndCutAtTheEdge)
{
    rig.show(kPageInj1A);
    rig.selection.press({8, 13});
    const TuneWrite written = paste("101\t102\t103\r\n104\t105\t106\r\n107\t108\t109\r\n");
    ASSERT_FALSE(written.refusal);
    EXPECT_EQ(written.cells, 4); // two rows and two columns lie inside the map
    EXPECT_EQ(rig.block({8, 13, 9, 14}), (Block{{101, 102}, {104, 105}}));
}

TEST_F(MapClipboard, ADecimalCommaIsReadWhereNoValueHoldsAPoint)
{
    rig.show(kPageInj1A);
    rig.selection.press({0, 0});
    ASSERT_FALSE(paste("12,5\t7\n").refusal);
    EXPECT_EQ(rig.block({0, 0, 0, 1}), (Block{{13, 7}}));
    // With a point elsewhere in the block the comma is no decimal mark.
    EXPECT_EQ(paste("12,5\t7.5\n").refusal, (MapEditStatus{MapEditMessage::BadNumber, 1, 1}));
    // "1,000" may be an English thousand.
    EXPECT_EQ(paste("3\t1,000\n").refusal, (MapEditStatus{MapEditMessage::AmbiguousDecimal, 1, 2}));
}

TEST_F(MapClipboard, ASpreadsheetsFullPrecisionIsRoundedToTheCellsStep)
{
    rig.show(kPageAdvance);
    rig.selection.press({0, 0});
    ASSERT_FALSE(paste("13.799999999999999999\t12.500000000000000001\r").refusal);
    EXPECT_EQ(rig.block({0, 0, 0, 1}), (Block{{14, 13}}));
}

TEST_F(MapClipboard, TextThatDoesNotParseChangesNothingAndSaysWhere)
{
    rig.show(kPageInj1A);
    rig.selection.press({0, 0});
    const auto before = rig.grid.values().cells;
    EXPECT_EQ(paste("1\t2\n3\tx\n").refusal, (MapEditStatus{MapEditMessage::BadNumber, 2, 2}));
    EXPECT_EQ(paste("1\t\t3\n").refusal, (MapEditStatus{MapEditMessage::EmptyField, 1, 2}));
    EXPECT_EQ(paste("\r\n\n").refusal, (MapEditStatus{MapEditMessage::EmptyText}));
    EXPECT_EQ(rig.grid.values().cells, before);
}

TEST_F(MapClipboard, AValueOutOfItsRangeRefusesThePasteNamingTheCell)
{
    rig.image.setByte(kJet123ModeOffset, 0);
    rig.show(kPageInjB); // 0..100
    rig.selection.press({2, 3});
    const ParamImage before = rig.image;
    const TuneWrite written = paste("-5\t250\n");
    ASSERT_TRUE(written.refusal);
    EXPECT_EQ(written.refusal->message, MapEditMessage::ValueOutOfRange);
    EXPECT_EQ(mapEditText(*written.refusal, Language::English),
              "Row 5%, " + std::to_string(rig.grid.rpmHead(3)) +
                  " rpm: -5 raw is outside the range 0 to 100 raw; nothing was changed");
    EXPECT_TRUE(std::ranges::equal(rig.image.bytes(), before.bytes()));
}

// A clipboard of megabytes (a whole log copied by mistake) would hold the window for seconds:
// it is refused before it is split, and the map stays as it was.
TEST_F(MapClipboard, TextFarLargerThanAMapIsRefusedUnread)
{
    rig.show(kPageInj1A);
    rig.selection.press({0, 0});
    const auto before = rig.grid.values().cells;
    const std::string line = "101\t102\t103\r\n";
    std::string huge;
    while (huge.size() <= kMapTextLimit)
        huge += line;
    EXPECT_EQ(paste(huge).refusal,
              (MapEditStatus{MapEditMessage::TextTooLarge, static_cast<int>(kMapTextLimit / kKiB)}));
    EXPECT_EQ(rig.grid.values().cells, before);
    EXPECT_FALSE(paste(line + line + line).refusal);
}

TEST_F(MapClipboard, OneValueFillsTheWholeSelection)
{
    rig.show(kPageAdvance);
    rig.select({0, 0}, {2, 2});
    EXPECT_EQ(paste("17\n").cells, 9);
    EXPECT_EQ(rig.block({0, 0, 2, 2}), (Block{{17, 17, 17}, {17, 17, 17}, {17, 17, 17}}));
}

TEST_F(MapClipboard, AWholeMapWithItsHeadsGoesToItsPlace)
{
    rig.show(kPageInjIap);
    std::string text = copyMapWithHeads(rig.grid, "IAP", "%");
    EXPECT_TRUE(text.starts_with("IAP [%]\t"));

    MapGridRig other;
    other.show(kPageInjIap);
    other.type({0, 0}, {{300}});
    other.selection.press({5, 5}); // a whole map ignores where the selection is
    const TuneWrite written = pasteInto(other, text);
    ASSERT_FALSE(written.refusal);
    EXPECT_EQ(written.cells, kMapCells);
    EXPECT_EQ(other.grid.values().cells, rig.grid.values().cells);
    EXPECT_EQ(other.grid.values().rpm, rig.grid.values().rpm);
    EXPECT_EQ(other.grid.values().rows, rig.grid.values().rows);
}

TEST_F(MapClipboard, TheMsViewCopiesAndPastesTimes)
{
    rig.showMs = true;
    rig.show(kPageInj1A);
    rig.select({0, 0}, {0, 1});
    const std::string copied = copySelection(rig.grid, rig.selection);
    const auto shown = [&](int column) { return fixedText(rig.grid.cellTime(0, column), 3); };
    EXPECT_EQ(copied, shown(0) + "\t" + shown(1) + "\n");
    EXPECT_TRUE(copyMapWithHeads(rig.grid, "JET_1A", "ms").starts_with("JET_1A [ms]\t"));

    // Pasted back one cell to the right: each cell takes the other's time, to its nearest step.
    rig.selection.press({0, 1});
    const int reference = rig.tables.reference(InjectionMap::Jet1A)[1];
    const int time = rig.grid.cellTime(0, 0);
    ASSERT_FALSE(paste(copied).refusal);
    EXPECT_NEAR(rig.grid.cellTime(0, 1), time, reference / 200 + 1);
}

TEST_F(MapClipboard, AWholeMapMustFitThePagesUnitAndRows)
{
    rig.show(kPageAdvance);
    const std::string advance = copyMapWithHeads(rig.grid, "ADVANCE", "deg");
    rig.show(kPageInj1A);
    const auto before = rig.grid.values().cells;
    EXPECT_EQ(paste(advance).refusal, (MapEditStatus{MapEditMessage::UnitDiffers, 1, 1}));
    // Throttle rows pasted onto the pressure rows of "Inj-IAP".
    std::string throttleRows = copyMapWithHeads(rig.grid, "JET_1A", "%");
    rig.show(kPageInjIap);
    EXPECT_EQ(paste(throttleRows).refusal, (MapEditStatus{MapEditMessage::BadRowHead, 2, 1}));
    // RPM heads that fall back.
    rig.show(kPageInj1A);
    std::string fallingHeads = throttleRows;
    fallingHeads.replace(fallingHeads.find("\t2000\t"), 6, "\t900\t");
    EXPECT_EQ(paste(fallingHeads).refusal, (MapEditStatus{MapEditMessage::BadRpmHead, 1, 3}));
    EXPECT_EQ(rig.grid.values().cells, before);
}

TEST_F(MapClipboard, FollowerMapsTakeNoPaste)
{
    rig.image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
    rig.show(kPageInj3A);
    rig.selection.press({0, 0});
    EXPECT_EQ(paste("1\n").refusal, (MapEditStatus{MapEditMessage::FollowerMap}));
}

} // namespace
} // namespace quorvel
