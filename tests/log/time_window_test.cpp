#include "log/time_window.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

constexpr double kTolerance = 1e-9;

TEST(TimeWindow, ZoomKeepsTheTimeUnderTheMouseWhereItIs)
{
    TimeWindow window(1'000, 11'000);
    EXPECT_TRUE(window.showsAll());
    const double underMouse = window.timeAt(0.25);
    window.zoom(0.5, 0.25);
    EXPECT_NEAR(window.timeAt(0.25), underMouse, kTolerance);
    EXPECT_NEAR(window.toMs() - window.fromMs(), 5'000, kTolerance);
    EXPECT_FALSE(window.showsAll());
    window.zoom(10.0, 0.5);
    EXPECT_TRUE(window.showsAll()) << "zooming out stops at the whole log";
    EXPECT_DOUBLE_EQ(window.fromMs(), 1'000);
    EXPECT_DOUBLE_EQ(window.toMs(), 11'000);
}

TEST(TimeWindow, ZoomStopsAtTheNarrowestSpanAndAShortLogStaysWhole)
{
    TimeWindow window(0, 60'000);
    for (int i = 0; i < 40; ++i)
        window.zoom(0.5, 1.0);
    EXPECT_NEAR(window.toMs() - window.fromMs(), TimeWindow::kNarrowestMs, kTolerance);
    EXPECT_LE(window.toMs(), 60'000);

    TimeWindow shortLog(100, 300);
    shortLog.zoom(0.1, 0.5);
    EXPECT_TRUE(shortLog.showsAll());
    shortLog.show(150, 160);
    EXPECT_TRUE(shortLog.showsAll());

    TimeWindow oneRow(500, 500);
    oneRow.zoom(0.5, 0.5);
    oneRow.pan(1.0);
    EXPECT_DOUBLE_EQ(oneRow.fromMs(), 500);
    EXPECT_DOUBLE_EQ(oneRow.fractionOf(500), 0.0) << "no division by a zero width";
}

TEST(TimeWindow, PanAndShowStayInsideTheLogAndKeepTheWidth)
{
    TimeWindow window(0, 10'000);
    window.show(6'000, 4'000);
    EXPECT_DOUBLE_EQ(window.fromMs(), 4'000);
    EXPECT_DOUBLE_EQ(window.toMs(), 6'000);
    window.pan(0.5);
    EXPECT_DOUBLE_EQ(window.fromMs(), 5'000);
    window.pan(10.0);
    EXPECT_DOUBLE_EQ(window.fromMs(), 8'000);
    EXPECT_DOUBLE_EQ(window.toMs(), 10'000);
    window.pan(-10.0);
    EXPECT_DOUBLE_EQ(window.fromMs(), 0);
    EXPECT_DOUBLE_EQ(window.toMs(), 2'000);
    window.show(-5'000, 20'000);
    EXPECT_TRUE(window.showsAll());
    window.show(9'990, 10'000);
    EXPECT_DOUBLE_EQ(window.toMs(), 10'000);
    EXPECT_NEAR(window.fromMs(), 10'000 - TimeWindow::kNarrowestMs, kTolerance);
}

TEST(TimeWindow, FollowTurnsThePageOnlyWhenThePositionLeavesIt)
{
    TimeWindow window(0, 100'000);
    window.show(10'000, 20'000);
    window.follow(19'000);
    EXPECT_DOUBLE_EQ(window.fromMs(), 10'000);
    window.follow(20'500);
    EXPECT_DOUBLE_EQ(window.fromMs(), 20'500 - TimeWindow::kFollowLead * 10'000);
    EXPECT_DOUBLE_EQ(window.toMs() - window.fromMs(), 10'000);
    window.follow(5'000); // scrubbed back
    EXPECT_LT(window.fromMs(), 5'000);
    EXPECT_GT(window.toMs(), 5'000);
    window.follow(99'900); // near the end the page stops at the log's end
    EXPECT_DOUBLE_EQ(window.toMs(), 100'000);
}

} // namespace
} // namespace quorvel
