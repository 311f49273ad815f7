#include "core/link_frame.h"
#include "sim/pty_bridge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// What may be at the path given with --link: the bridge takes only nothing there, or a link to a
// terminal that an earlier run (killed before it could clear up) left; whatever else is there
// is the user's, is refused and stays as it was.
struct LinkPathCase {
    const char* name;
    bool taken;
};

class StableLinkPath : public ::testing::TestWithParam<LinkPathCase> {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        const std::string name = GetParam().name;
        if (name == "UserFile")
            m_mine = writeMine(m_link);
        else if (name == "EmptyFolder")
            fs::create_directories(m_link);
        else if (name == "LinkToUserFile")
            fs::create_symlink(m_mine = writeMine(m_dir / "mine.txt"), m_link);
        else if (name == "LinkOfAnEarlierRun")
            fs::create_symlink("/dev/pts/9999", m_link);
        m_before = fs::symlink_status(m_link).type();
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    static std::filesystem::path writeMine(const std::filesystem::path& path)
    {
        std::ofstream(path) << "mine";
        return path;
    }

    const std::filesystem::path m_dir =
        std::filesystem::temp_directory_path() / ("quorvel-link-" + std::to_string(::getpid()) + "-" + GetParam().name);
    const std::filesystem::path m_link = m_dir / "unit";
    std::filesystem::file_type m_before = std::filesystem::file_type::none;
    std::filesystem::path m_mine; // a file of the user's, if the case has one
};

TEST_P(StableLinkPath, TakesOnlyWhatIsFreeOrItsOwnAndRemovesOnlyItsOwn)
{
    namespace fs = std::filesystem;
    {
        VirtualUnit unit;
        PtyBridge bridge(unit, false);
        bridge.setStableLink(m_link);
        const bool opened = bridge.open();
        EXPECT_EQ(opened, !GetParam().taken) << bridge.error();
        if (opened) {
            EXPECT_EQ(fs::read_symlink(m_link), bridge.devicePath());
        } else {
            EXPECT_NE(bridge.error().find(m_link.string()), std::string::npos) << bridge.error();
            EXPECT_EQ(fs::symlink_status(m_link).type(), m_before);
        }
    }
    if (GetParam().taken)
        EXPECT_EQ(fs::symlink_status(m_link).type(), m_before);
    else
        EXPECT_FALSE(fs::exists(fs::symlink_status(m_link))); // its own link goes with it
    if (!m_mine.empty()) {
        std::string text;
        std::ifstream(m_mine) >> text;
        EXPECT_EQ(text, "mine");
    }
}

INSTANTIATE_TEST_SUITE_P(WhatIsThere, StableLinkPath,
                         ::testing::Values(LinkPathCase{"Nothing", false}, LinkPathCase{"LinkOfAnEarlierRun", false},
                                           LinkPathCase{"UserFile", true}, LinkPathCase{"EmptyFolder", true},
                                           LinkPathCase{"LinkToUserFile", true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// The user put a file where the link was while the unit ran: it is not the bridge's to remove.
TEST(StableLink, ReplacedWhileRunningIsLeftToTheUser)
{
    namespace fs = std::filesystem;
    const fs::path link = fs::temp_directory_path() / ("quorvel-link-replaced-" + std::to_string(::getpid()));
    fs::remove_all(link);
    {
        VirtualUnit unit;
        PtyBridge bridge(unit, false);
        bridge.setStableLink(link);
        ASSERT_TRUE(bridge.open()) << bridge.error();
        fs::remove(link);
        std::ofstream(link) << "mine";
    }
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
    fs::remove(link);
}

} // namespace
} // namespace quorvel::sim
