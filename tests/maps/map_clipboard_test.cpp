#include "maps/map_clipboard.h"

#include "core/page_index.h"
#include "io/input_limits.h"
#include "map_grid_rig.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::Block;
using testing_maps::MapGridRig;

class MapClipboard : public testing::Test {
protected:
    MapEdit paste(std::string_view text, std::string_view unit = "%")
    {
        return pasteText(rig.grid, rig.selection, text, cellRanges(rig.image, *MapTable::ofPage(rig.grid.page())),
                         unit);
    }

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
    const MapEdit edit = paste("101\t102\t103\r\n104\t105\t106\r\n107\t108\t109\r\n");
    ASSERT_FALSE(edit.refusal);
    EXPECT_EQ(edit.cellsReached, 4); // two rows and two columns lie inside the map
    EXPECT_FALSE(edit.wholeMap);
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
    EXPECT_EQ(paste("17\n", "deg").cellsReached, 9);
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
    other.grid.setRpmHead(0, 800);
    other.grid.setRowAxisValue(0, 20);
    other.selection.press({5, 5}); // a whole map ignores where the selection is
    const MapEdit edit =
        pasteText(other.grid, other.selection, text, cellRanges(other.image, *MapTable::ofPage(kPageInjIap)), "%");
    ASSERT_FALSE(edit.refusal);
    EXPECT_TRUE(edit.wholeMap);
    EXPECT_TRUE(edit.headsChanged);
    EXPECT_EQ(edit.cellsReached, kMapCells);
    EXPECT_EQ(other.grid.values().cells, rig.grid.values().cells);
    EXPECT_EQ(other.grid.values().rpm, rig.grid.values().rpm);
    EXPECT_EQ(other.grid.values().rows, rig.grid.values().rows);
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
