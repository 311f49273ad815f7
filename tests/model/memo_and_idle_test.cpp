#include "model/idle_servo_units.h"
#include "model/memo_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

TEST(MemoText, LongestMemoKeepsItsFirst149CharactersAndEndsWithZero)
{
    ParamImage image;
    image.setByte(2999, 'x');
    const std::string text(199, 'a');
    storeMemo(image, text);
    EXPECT_EQ(memoText(image), std::string(149, 'a'));
    EXPECT_EQ(image.byte(2998), 'a');
    EXPECT_EQ(image.byte(2999), 0);
}

TEST(MemoText, ShorterMemoEndsWithOneZeroAndLeavesTheOldTail)
{
    ParamImage image;
    storeMemo(image, "abcdefghijklmnopqrst");
    storeMemo(image, "vwxyz");
    EXPECT_EQ(image.byte(2855), 0);
    EXPECT_EQ(image.byte(2856), 'g');
    EXPECT_EQ(image.byte(2869), 't');
    EXPECT_EQ(memoText(image), "vwxyz");
}

TEST(IdleServoUnits, SwitchingPercentOffInServoModeMultipliesByFifty)
{
    ParamImage image;
    image.setWordAt(2758, 40);
    image.setWordAt(2774, 1400); // 70000 positions would not fit a word
    IdleServoUnits::convert(image, 1, true, 1, false);
    EXPECT_EQ(image.wordAt(2758), 2000);
    EXPECT_EQ(image.wordAt(2774), 65535);
}

TEST(IdleServoUnits, EnteringServoModeInPercentDividesByFiftyAndOtherChangesKeepTheWords)
{
    ParamImage image;
    image.setWordAt(2760, 2049);
    IdleServoUnits::convert(image, 2, true, 3, true);
    EXPECT_EQ(image.wordAt(2760), 2049);
    IdleServoUnits::convert(image, 3, true, 1, true);
    EXPECT_EQ(image.wordAt(2760), 40);
    IdleServoUnits::convert(image, 1, false, 2, false);
    EXPECT_EQ(image.wordAt(2760), 40);
}

TEST(IdleServoUnits, RangeFollowsTheIdleMode)
{
    EXPECT_EQ(IdleServoUnits::range(0, false), (ControlRange{0, 100, 1}));
    EXPECT_EQ(IdleServoUnits::range(1, true), (ControlRange{0, 100, 1}));
    EXPECT_EQ(IdleServoUnits::range(1, false), (ControlRange{0, 5000, 5}));
    EXPECT_EQ(IdleServoUnits::range(2, true), (ControlRange{0, 12000, 10}));
    EXPECT_EQ(IdleServoUnits::range(3, false), (ControlRange{0, 30000, 1}));
}

} // namespace
} // namespace quorvel
