#include "core/param_image.h"

#include <gtest/gtest.h>

#include <numeric>

namespace quorvel {
namespace {

std::array<std::uint8_t, kBlockSize> countingBlock(std::uint8_t start)
{
    std::array<std::uint8_t, kBlockSize> bytes{};
    std::iota(bytes.begin(), bytes.end(), start);
    return bytes;
}

TEST(ParamImage, WordsAreLittleEndianAndStartAtBlockOne)
{
    ParamImage image;
    image.setWord(0, 0x1234);
    EXPECT_EQ(image.byte(150), 0x34);
    EXPECT_EQ(image.byte(151), 0x12);
    image.setWord(1424, 0xBEEF);
    EXPECT_EQ(image.byte(2998), 0xEF);
    EXPECT_EQ(image.byte(2999), 0xBE);
    EXPECT_EQ(image.wordAt(2998), 0xBEEF);
    image.setWordAt(434, 0x03E8);
    EXPECT_EQ(image.word(142), 1000);
}

TEST(ParamImage, BlockCoversItsHundredFiftyOffsets)
{
    ParamImage image;
    image.setByte(750, 1);
    image.setByte(899, 2);
    image.setByte(900, 3);
    const BlockBytes block5 = image.block(5);
    EXPECT_EQ(block5.front(), 1);
    EXPECT_EQ(block5.back(), 2);
    EXPECT_EQ(image.block(6).front(), 3);
}

TEST(ParamImage, StoredBlockReplacesOnlyThatBlock)
{
    ParamImage image;
    image.setByte(149 + 150 * 2, 0xAA);
    image.setByte(150 * 4, 0xBB);
    image.storeBlock(3, countingBlock(0));
    EXPECT_EQ(image.byte(450), 0);
    EXPECT_EQ(image.byte(599), 149);
    EXPECT_EQ(image.byte(449), 0xAA);
    EXPECT_EQ(image.byte(600), 0xBB);
}

TEST(ParamImage, StoredHeaderIsShiftedByTheLeadAndNeverTouchesTheLastTwoOffsets)
{
    ParamImage image;
    image.setByte(148, 0x55);
    image.setByte(149, 0x66);
    image.setByte(150, 11);
    image.storeHeader(countingBlock(100));

    EXPECT_EQ(image.headerLead()[0], 100);
    EXPECT_EQ(image.headerLead()[1], 101);
    EXPECT_EQ(image.byte(0), 102); // header byte 2
    EXPECT_EQ(image.byte(8), 110); // header byte 10, the program version
    EXPECT_EQ(image.byte(147), 249);
    EXPECT_EQ(image.byte(148), 0x55);
    EXPECT_EQ(image.byte(149), 0x66);
    EXPECT_EQ(image.byte(150), 11);
}

TEST(PendingBlocks, LowestFlagIsFoundAndClearedPerBlock)
{
    ParamImage image;
    PendingBlocks& pending = image.pendingBlocks();
    EXPECT_FALSE(pending.lowest().has_value());
    pending.set(19);
    pending.set(7);
    EXPECT_EQ(pending.lowest(), 7);
    pending.clear(7);
    EXPECT_EQ(pending.lowest(), 19);
    pending.setAll();
    EXPECT_EQ(pending.lowest(), 0);
    for (int b = 0; b < kBlockCount; ++b)
        pending.clear(b);
    EXPECT_FALSE(pending.any());
}

} // namespace
} // namespace quorvel
