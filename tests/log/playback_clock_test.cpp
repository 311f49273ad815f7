#include "log/playback_clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

// A ride of rows 330 ms apart, with the link lost for two seconds after the fourth.
const std::vector<std::uint32_t> kTimes = {0, 330, 660, 990, 3000, 3330};

TEST(PlaybackClock, PlayingHandsOutEachDueRowOnceAtTheRecordedPace)
{
    PlaybackClock clock(kTimes);
    EXPECT_EQ(clock.advance(0ms), 0U); // the first frame shows before playing
    EXPECT_EQ(clock.advance(100ms), std::nullopt);
    clock.play();
    std::vector<std::size_t> rows;
    for (int tick = 0; tick < 60; ++tick) {
        if (const auto row = clock.advance(55ms))
            rows.push_back(*row);
        if (clock.positionMs() == 1045) {
            EXPECT_EQ(clock.currentRow(), 3U); // the gap holds the last frame before it
        }
    }
    EXPECT_EQ(rows, (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_EQ(clock.positionMs(), 60U * 55U);
}

TEST(PlaybackClock, SpeedScalesTheWallTimeWithinHalfToEightTimes)
{
    PlaybackClock clock(kTimes);
    clock.play();
    clock.setSpeed(4.0);
    (void)clock.advance(100ms);
    EXPECT_EQ(clock.positionMs(), 400U);
    clock.setSpeed(0.5);
    (void)clock.advance(100ms);
    EXPECT_EQ(clock.positionMs(), 450U);
    clock.setSpeed(100.0);
    EXPECT_EQ(clock.speed(), PlaybackClock::kFastest);
    clock.setSpeed(0.0);
    EXPECT_EQ(clock.speed(), PlaybackClock::kSlowest);
}

TEST(PlaybackClock, PauseHoldsThePositionAndScrubbingShowsTheFrameOfThatMoment)
{
    PlaybackClock clock(kTimes);
    clock.play();
    (void)clock.advance(700ms);
    clock.pause();
    EXPECT_EQ(clock.advance(5000ms), std::nullopt);
    EXPECT_EQ(clock.positionMs(), 700U);
    clock.scrubTo(2000);
    EXPECT_EQ(clock.advance(0ms), 3U);
    clock.scrubTo(2100); // the same row: shown again, the user asked for it
    EXPECT_EQ(clock.advance(0ms), 3U);
    clock.scrubTo(99999);
    EXPECT_EQ(clock.positionMs(), 3330U);
    EXPECT_EQ(clock.advance(0ms), 5U);
    EXPECT_FALSE(clock.playing());
}

TEST(PlaybackClock, EndPausesAndPlayStartsAgainFromTheBeginning)
{
    PlaybackClock clock(kTimes);
    clock.play();
    (void)clock.advance(10s);
    EXPECT_TRUE(clock.atEnd());
    EXPECT_FALSE(clock.playing());
    EXPECT_EQ(clock.positionMs(), 3330U);
    clock.play();
    EXPECT_TRUE(clock.playing());
    EXPECT_EQ(clock.advance(0ms), 0U);
}

TEST(PlaybackClock, EmptyLogHasNothingToPlay)
{
    PlaybackClock clock({});
    clock.play();
    EXPECT_FALSE(clock.playing());
    EXPECT_EQ(clock.advance(1s), std::nullopt);
    EXPECT_EQ(clock.currentRow(), std::nullopt);
}

} // namespace
} // namespace quorvel
