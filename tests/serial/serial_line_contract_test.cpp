#include "serial/core_application.h"
#include "serial/fake_serial_line.h"
#include "serial/pty_unit.h"
#include "serial/qt_serial_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

// The fake line looped back to an in-process unit: time passes only when the test says so.
struct FakeLineSetup {
    sim::VirtualUnit unit;
    test::FakeSerialLine fake;
    FakeLineSetup()
    {
        fake.setDevices({"COM1"});
        fake.attachUnit(unit);
    }
    SerialLine& line() { return fake; }
    std::string device() const { return "COM1"; }
    bool waitFor(const std::function<bool()>& done)
    {
        for (int tick = 0; tick < 10 && !done(); ++tick)
            fake.advanceUnit(55ms);
        return done();
    }
};

// QSerialPort on a pseudo-terminal served by the virtual unit.
struct PtyLineSetup {
    test::PtyUnit unit;
    QtSerialLine real;
    PtyLineSetup() { test::ensureCoreApplication(); }
    SerialLine& line() { return real; }
    std::string device() const { return unit.devicePath(); }
    static bool waitFor(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        while (!done() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(2ms);
        return done();
    }
};

template <typename LineSetup> class SerialLineContract : public ::testing::Test {
protected:
    LineSetup setup;
    SerialLine& line() { return setup.line(); }

    // Sends a monitor request and collects the whole reply.
    std::vector<std::uint8_t> exchangeMonitorFrame()
    {
        const LinkFrame request = buildMonitorRequest();
        line().writeFrame(request);
        if (!setup.waitFor([&] { return line().bytesWaiting() >= kFrameSize; }))
            return {};
        std::vector<std::uint8_t> reply(kFrameSize);
        reply.resize(line().read(reply));
        return reply;
    }
};

using Setups = ::testing::Types<FakeLineSetup, PtyLineSetup>;
TYPED_TEST_SUITE(SerialLineContract, Setups);

TYPED_TEST(SerialLineContract, MissingDeviceFailsAndLeavesTheLineClosed)
{
    EXPECT_FALSE(this->line().open("/dev/quorvel-no-such-device"));
    EXPECT_FALSE(this->line().isOpen());
    EXPECT_EQ(this->line().bytesWaiting(), 0U);
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(this->line().read(buffer), 0U);
    this->line().writeFrame(buildMonitorRequest()); // ignored, not a crash
}

TYPED_TEST(SerialLineContract, FrameWrittenIsAnsweredWithAWholeReply)
{
    ASSERT_TRUE(this->line().open(this->setup.device()));
    EXPECT_TRUE(this->line().isOpen());
    const auto reply = this->exchangeMonitorFrame();
    ASSERT_EQ(reply.size(), static_cast<std::size_t>(kFrameSize));
    EXPECT_TRUE(acceptMonitorReply(FrameBytes(reply.data(), kFrameSize)));
    EXPECT_EQ(this->line().bytesWaiting(), 0U);
}

TYPED_TEST(SerialLineContract, ReadTakesNoMoreThanAskedAndLeavesTheRestWaiting)
{
    ASSERT_TRUE(this->line().open(this->setup.device()));
    this->line().writeFrame(buildMonitorRequest());
    ASSERT_TRUE(this->setup.waitFor([&] { return this->line().bytesWaiting() >= kFrameSize; }));
    std::array<std::uint8_t, 100> first{};
    ASSERT_EQ(this->line().read(first), first.size());
    EXPECT_EQ(first[0], kMonitorReply);
    EXPECT_EQ(this->line().bytesWaiting(), kFrameSize - first.size());
}

TYPED_TEST(SerialLineContract, ClosedLineCanBeOpenedAgain)
{
    ASSERT_TRUE(this->line().open(this->setup.device()));
    this->line().close();
    EXPECT_FALSE(this->line().isOpen());
    this->line().close(); // twice is harmless
    ASSERT_TRUE(this->line().open(this->setup.device()));
    EXPECT_EQ(this->exchangeMonitorFrame().size(), static_cast<std::size_t>(kFrameSize));
}

// The adapter pulled out while the line is open: the real line closes at once, as the fake's
// does, whether the window's event loop runs between the ticks or only the polls do. Left open,
// the device would report readable without end and hold a core until the watchdog reopens it.
class HungUpLine : public ::testing::TestWithParam<bool> {};

TEST_P(HungUpLine, IsClosedAtOnce)
{
    const bool eventLoop = GetParam();
    test::ensureCoreApplication();
    sim::FaultPlan faults;
    faults.unplugAfter = 1; // away after its first reply, for longer than the test waits
    faults.unplugFor = 30s;
    test::PtyUnit unit(faults);
    QtSerialLine line;
    ASSERT_TRUE(line.open(unit.devicePath()));
    line.writeFrame(buildMonitorRequest());
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (line.isOpen() && std::chrono::steady_clock::now() < deadline) {
        if (eventLoop)
            QCoreApplication::processEvents();
        else
            (void)line.bytesWaiting();
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.bytesWaiting(), 0U);
}

INSTANTIATE_TEST_SUITE_P(Polling, HungUpLine, ::testing::Values(false, true),
                         [](const auto& testInfo) { return testInfo.param ? "EventLoop" : "TicksOnly"; });

} // namespace
} // namespace quorvel
