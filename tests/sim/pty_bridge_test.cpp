#include "core/link_frame.h"
#include "sim/pty_bridge.h"

#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(LineTiming, PtyBridgeTest, ::testing::Values(false, true));

} // namespace
} // namespace quorvel::sim
