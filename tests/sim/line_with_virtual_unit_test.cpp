// The desktop program's one line: the virtual unit under its own name, the serial line otherwise.
#include "sim/line_with_virtual_unit.h"

#include "serial/fake_serial_line.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

namespace quorvel::sim {
namespace {

class LineWithVirtualUnitTest : public ::testing::Test {
protected:
    LineWithVirtualUnitTest()
    {
        auto fake = std::make_unique<test::FakeSerialLine>();
        real = fake.get();
        real->setDevices({"/dev/ttyUSB0"});
        line = std::make_unique<LineWithVirtualUnit>(std::move(fake), unit);
    }

    VirtualUnit unit;
    test::FakeSerialLine* real = nullptr;
    std::unique_ptr<LineWithVirtualUnit> line;
};

TEST_F(LineWithVirtualUnitTest, VirtualUnitAnswersUnderItsNameAndTheSerialLineIsLeftClosed)
{
    ASSERT_TRUE(line->open(std::string(kVirtualUnitDevice)));
    EXPECT_FALSE(real->isOpen());
    EXPECT_TRUE(real->openAttempts().empty());
    line->writeFrame(buildMonitorRequest());
    for (int wait = 0; wait < 100 && line->bytesWaiting() < kFrameSize; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::array<std::uint8_t, kFrameSize> reply{};
    ASSERT_EQ(line->read(reply), kFrameSize);
    EXPECT_EQ(reply[0], 0xB0);
}

TEST_F(LineWithVirtualUnitTest, OtherDevicesGoToTheSerialLineWithItsReasons)
{
    ASSERT_TRUE(line->open(std::string(kVirtualUnitDevice)));
    EXPECT_TRUE(line->open("/dev/ttyUSB0"));
    EXPECT_TRUE(real->isOpen());
    line->writeFrame(buildMonitorRequest());
    EXPECT_EQ(real->writtenFrames().size(), 1U) << "the frame went to the serial line";
    EXPECT_FALSE(line->open("/dev/ttyUSB9"));
    EXPECT_FALSE(line->isOpen());
    EXPECT_EQ(line->lastOpenFailure(), OpenFailure::Missing);
}

} // namespace
} // namespace quorvel::sim
