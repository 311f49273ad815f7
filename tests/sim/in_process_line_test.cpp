#include "sim/in_process_line.h"

#include <gtest/gtest.h>

#include <array>

namespace quorvel::sim {
namespace {

using namespace std::chrono_literals;

class InProcessLineTest : public ::testing::Test {
protected:
    std::chrono::milliseconds now{1000};
    VirtualUnit unit;
    InProcessLine line{unit, [this] { return now; }};
};

TEST_F(InProcessLineTest, AnyDeviceNameOpens)
{
    EXPECT_FALSE(line.isOpen());
    EXPECT_TRUE(line.open("whatever"));
    EXPECT_TRUE(line.isOpen());
    line.close();
    EXPECT_FALSE(line.isOpen());
}

TEST_F(InProcessLineTest, ReplyArrivesOnceItsTimeHasPassed)
{
    ASSERT_TRUE(line.open("sim"));
    line.writeFrame(buildMonitorRequest());
    now += 100ms;
    ASSERT_EQ(line.bytesWaiting(), kFrameSize);
    std::array<std::uint8_t, kFrameSize> buffer{};
    EXPECT_EQ(line.read(buffer), kFrameSize);
    EXPECT_EQ(buffer[0], 0xB0);
    EXPECT_EQ(line.bytesWaiting(), 0U);
}

TEST_F(InProcessLineTest, UnitRunsByTheClockSoLiveDataMoves)
{
    ASSERT_TRUE(line.open("sim"));
    (void)line.bytesWaiting();
    const auto before = unit.engine().time();
    now += 2500ms;
    (void)line.bytesWaiting();
    EXPECT_EQ(unit.engine().time() - before, 2500ms);
}

TEST_F(InProcessLineTest, ClockGoingBackwardsDoesNotRunTheUnitBackwards)
{
    ASSERT_TRUE(line.open("sim"));
    now -= 500ms;
    (void)line.bytesWaiting();
    now += 600ms;
    (void)line.bytesWaiting();
    EXPECT_EQ(unit.engine().time(), 100ms);
}

TEST_F(InProcessLineTest, ClosedLineSendsNothingAndLosesWhatTheUnitSent)
{
    line.writeFrame(buildMonitorRequest());
    ASSERT_TRUE(line.open("sim"));
    line.writeFrame(buildMonitorRequest());
    line.close();
    now += 100ms;
    EXPECT_EQ(line.bytesWaiting(), 0U);
    ASSERT_TRUE(line.open("sim"));
    now += 100ms;
    EXPECT_EQ(line.bytesWaiting(), 0U);
}

} // namespace
} // namespace quorvel::sim
