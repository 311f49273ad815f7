#include "core/link_frame.h"
#include "sim/pty_bridge.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace quorvel::sim {
namespace {

// Opens the device as a client would, in raw mode.
int openDevice(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios settings{};
        ::tcgetattr(fd, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(fd, TCSANOW, &settings);
    }
    return fd;
}

std::vector<std::uint8_t> readFrame(int fd, std::chrono::milliseconds limit)
{
    std::vector<std::uint8_t> bytes;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (bytes.size() < static_cast<std::size_t>(kFrameSize) && std::chrono::steady_clock::now() < deadline) {
        pollfd pfd{fd, POLLIN, 0};
        if (::poll(&pfd, 1, 20) <= 0)
            continue;
        std::uint8_t buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

class PtyBridgeTest : public ::testing::TestWithParam<bool> {};

TEST_P(PtyBridgeTest, AnswersAMonitorRequestThroughTheDevice)
{
    VirtualUnit unit;
    PtyBridge bridge(unit, GetParam());
    ASSERT_TRUE(bridge.open()) << bridge.error();
    std::atomic<bool> stop{false};
    std::thread server([&] { bridge.run(stop); });

    const int fd = openDevice(bridge.devicePath());
    ASSERT_GE(fd, 0);
    const LinkFrame request = buildMonitorRequest();
    ASSERT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    const auto reply = readFrame(fd, std::chrono::seconds(5));
    ::close(fd);
    stop = true;
    server.join();

    ASSERT_EQ(reply.size(), static_cast<std::size_t>(kFrameSize));
    EXPECT_TRUE(acceptMonitorReply(FrameBytes(reply.data(), kFrameSize)));
}

// A client that kept the old device open sees it hang up; the stable link leads to the new one.
TEST(PtyBridgeUnplug, DeviceGoesAwayAndComesBackUnderTheStableLink)
{
    FaultPlan faults;
    faults.unplugAfter = 2;
    faults.unplugFor = std::chrono::milliseconds(300);
    VirtualUnit unit(faults);
    PtyBridge bridge(unit, false);
    const std::filesystem::path link =
        std::filesystem::temp_directory_path() / ("quorvel-unplug-" + std::to_string(::getpid()));
    bridge.setStableLink(link);
    ASSERT_TRUE(bridge.open()) << bridge.error();
    ASSERT_EQ(std::filesystem::read_symlink(link), bridge.devicePath());
    std::atomic<bool> stop{false};
    std::thread server([&] { bridge.run(stop); });

    const LinkFrame request = buildMonitorRequest();
    const int first = openDevice(link.string());
    ASSERT_GE(first, 0);
    ASSERT_EQ(::write(first, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    EXPECT_EQ(readFrame(first, std::chrono::seconds(5)).size(), static_cast<std::size_t>(kFrameSize));
    // The second reply goes out as the adapter is pulled; what was in flight is lost with it.
    ASSERT_EQ(::write(first, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    // Gone: the old device reports a hang-up or an error instead of data.
    pollfd hangup{first, POLLIN, 0};
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(::poll(&hangup, 1, 1000), 1);
    EXPECT_NE(hangup.revents & (POLLHUP | POLLERR), 0);
    ::close(first);

    int second = -1;
    for (int i = 0; i < 200 && second < 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        second = openDevice(link.string());
    }
    ASSERT_GE(second, 0);
    ASSERT_EQ(::write(second, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    const auto reply = readFrame(second, std::chrono::seconds(5));
    ::close(second);
    stop = true;
    server.join();
    ASSERT_EQ(reply.size(), static_cast<std::size_t>(kFrameSize));
    EXPECT_TRUE(acceptMonitorReply(FrameBytes(reply.data(), kFrameSize)));
}

INSTANTIATE_TEST_SUITE_P(LineTiming, PtyBridgeTest, ::testing::Values(false, true));

} // namespace
} // namespace quorvel::sim
