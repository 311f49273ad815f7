#include "maps/undo_history.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

constexpr int kBikePage = 0;
constexpr int kAdvancePage = 1;
constexpr int kInjBPage = 6;

class UndoHistoryTest : public testing::Test {
protected:
    void SetUp() override { history.init(image, kBikePage); }

    // One recorded change: the byte at `offset` takes `value`.
    bool change(int offset, int value, int page = kBikePage)
    {
        image.setByte(offset, static_cast<std::uint8_t>(value));
        return history.takeSnapshot(image, page);
    }

    ParamImage image;
    UndoHistory history;
};

TEST_F(UndoHistoryTest, AtStart_NeitherUndoNorRedo)
{
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.undo(image).has_value());
    EXPECT_FALSE(history.redo(image).has_value());
}

TEST_F(UndoHistoryTest, UnchangedImage_RecordsNothingAndMarksNothing)
{
    EXPECT_FALSE(history.takeSnapshot(image, kAdvancePage));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(image.pendingBlocks().any());
}

TEST_F(UndoHistoryTest, BlockZero_IsNeverPartOfTheHistory)
{
    image.setByte(8, 70);
    EXPECT_FALSE(history.takeSnapshot(image, kBikePage));
    EXPECT_FALSE(image.pendingBlocks().isSet(0));
}

struct BlockCase {
    int offset;
    int block;
};

class UndoBlockMarking : public UndoHistoryTest, public testing::WithParamInterface<BlockCase> {};

TEST_P(UndoBlockMarking, ChangedByte_MarksOnlyItsBlock)
{
    ASSERT_TRUE(change(GetParam().offset, 0x5A));
    for (int b = 0; b < PendingBlocks::kCount; ++b)
        EXPECT_EQ(image.pendingBlocks().isSet(b), b == GetParam().block) << "block " << b;
}

INSTANTIATE_TEST_SUITE_P(Bytes, UndoBlockMarking,
                         testing::Values(BlockCase{150, 1}, BlockCase{160, 1}, BlockCase{299, 1}, BlockCase{300, 2},
                                         BlockCase{2850, 19}, BlockCase{2999, 19}));

TEST_F(UndoHistoryTest, TwoHundredAndFiftyChanges_AllowExactly199Undos)
{
    for (int i = 1; i <= 250; ++i)
        ASSERT_TRUE(change(1000 + i % 2, i % 256));
    int undone = 0;
    while (history.undo(image))
        ++undone;
    EXPECT_EQ(undone, 199);
    // Change 51 is the oldest kept: changes 1..50 were overwritten.
    EXPECT_EQ(image.byte(1000 + 51 % 2), 51);
    EXPECT_EQ(image.byte(1000 + 50 % 2), 50);
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(history.canRedo());
}

TEST_F(UndoHistoryTest, UndoThenRedo_RestoresBothWaysAndMarksWhatItRewrites)
{
    change(700, 10);
    change(2000, 20);
    image.pendingBlocks().clearAll();

    const auto back = history.undo(image);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->changed);
    EXPECT_EQ(image.byte(2000), 0);
    EXPECT_EQ(image.byte(700), 10);
    EXPECT_TRUE(image.pendingBlocks().isSet(2000 / 150));
    EXPECT_FALSE(image.pendingBlocks().isSet(700 / 150));
    EXPECT_TRUE(history.canRedo());

    const auto forth = history.redo(image);
    ASSERT_TRUE(forth.has_value());
    EXPECT_EQ(image.byte(2000), 20);
    EXPECT_FALSE(history.canRedo());
}

TEST_F(UndoHistoryTest, UndoThenNewChange_DropsTheRedoPath)
{
    change(700, 10);
    change(701, 11);
    ASSERT_TRUE(history.undo(image));
    change(702, 12);
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.redo(image).has_value());
    EXPECT_EQ(image.byte(701), 0);
}

TEST_F(UndoHistoryTest, Undo_NamesThePageOfTheUndoneChangeAndRedoThePageOfTheRedoneOne)
{
    change(700, 1, kAdvancePage);
    change(2000, 2, kInjBPage);
    EXPECT_EQ(history.undo(image)->page, kInjBPage);
    EXPECT_EQ(history.undo(image)->page, kAdvancePage);
    EXPECT_EQ(history.redo(image)->page, kAdvancePage);
    EXPECT_EQ(history.redo(image)->page, kInjBPage);
}

TEST_F(UndoHistoryTest, ChangeOutsideTheHistory_IsUndoneWithTheNextRecordedChange)
{
    // A read from the unit replaces bytes without recording; the next edit records both.
    image.setByte(400, 99);
    change(500, 5);
    ASSERT_TRUE(history.undo(image));
    EXPECT_EQ(image.byte(400), 0);
    EXPECT_EQ(image.byte(500), 0);
    EXPECT_FALSE(history.canUndo());
}

} // namespace
} // namespace quorvel
