#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "log/datalog_reader.h"
#include "serial/core_application.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

// quorvel-sim as the user runs it, in a process of its own: it prints the device to open.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args)
    {
        int out[2];
        if (::pipe(out) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        ::posix_spawn_file_actions_addclose(&actions, out[0]);
        ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> words = {QUORVEL_SIM_PATH};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        const int spawned = ::posix_spawn(&m_pid, QUORVEL_SIM_PATH, &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_out = out[0];
        if (spawned != 0)
            throw std::runtime_error("cannot start quorvel-sim");
        readDevicePath();
    }
    ~SimProcess()
    {
        if (m_pid > 0 && !m_exited) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const std::string& devicePath() const { return m_device; }
    // The exit code of a simulator that ended by itself.
    [[nodiscard]] int exitCode()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_exited = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    void readDevicePath()
    {
        char byte = 0;
        pollfd fd{m_out, POLLIN, 0};
        while (::poll(&fd, 1, 5000) > 0 && ::read(m_out, &byte, 1) == 1 && byte != '\n')
            m_device += byte;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    bool m_exited = false;
    std::string m_device;
};

// The rows of a log by frame, with every number of each row by its column.
struct LoggedRide {
    std::vector<std::uint32_t> times;
    std::vector<std::string> frames;
    std::vector<std::map<std::string, float>> values;
};

LoggedRide loggedRide(const fs::path& file)
{
    const DatalogRead read = readDatalog(file);
    EXPECT_TRUE(read.log) << file;
    LoggedRide ride;
    if (!read.log)
        return ride;
    const Datalog& log = *read.log;
    EXPECT_EQ(log.skippedRows(), 0U);
    for (std::size_t row = 0; row < log.rowCount(); ++row) {
        ride.times.push_back(log.timesMs()[row]);
        ride.frames.emplace_back(log.frame(row).begin(), log.frame(row).end());
        std::map<std::string, float> values;
        for (std::size_t c = 0; c < log.columns().size(); ++c)
            values[log.columns()[c].name] = log.values(c)[row];
        ride.values.push_back(std::move(values));
    }
    return ride;
}

class DatalogRoundTripTest : public test::CliFixture {
protected:
    DatalogRoundTripTest()
        : CliFixture("round-trip")
    {
        test::ensureCoreApplication();
    }
};

TEST_F(DatalogRoundTripTest, RecordedRideReplaysIntoTheSameValuesInItsRecordedTiming)
{
    {
        SimProcess unit({});
        ASSERT_FALSE(unit.devicePath().empty());
        ASSERT_EQ(cli({"monitor", "--port", unit.devicePath(), "--csv", path("ride.csv"), "--seconds", "3"}), kExitOk)
            << m_err.str();
    }
    const LoggedRide ride = loggedRide(path("ride.csv"));
    ASSERT_GE(ride.frames.size(), 5U);

    // Replayed and recorded again six times as often: every recorded frame comes back, in order.
    SimProcess replay({"--replay", path("ride.csv")});
    ASSERT_FALSE(replay.devicePath().empty());
    ASSERT_EQ(cli({"monitor", "--port", replay.devicePath(), "--csv", path("again.csv"), "--seconds", "4", "--fast"}),
              kExitOk)
        << m_err.str();
    const LoggedRide again = loggedRide(path("again.csv"));

    std::vector<std::size_t> replayed; // the ride row of each change of frame
    std::vector<std::uint32_t> changedAt;
    for (std::size_t row = 0; row < again.frames.size(); ++row) {
        const auto found = std::ranges::find(ride.frames, again.frames[row]);
        ASSERT_NE(found, ride.frames.end()) << "row " << row << " holds a frame the ride never had";
        const auto rideRow = static_cast<std::size_t>(found - ride.frames.begin());
        EXPECT_EQ(again.values[row], ride.values[rideRow]) << "row " << row;
        if (replayed.empty() || replayed.back() != rideRow) {
            replayed.push_back(rideRow);
            changedAt.push_back(again.times[row]);
        }
    }
    std::vector<std::size_t> everyRow(ride.frames.size());
    std::iota(everyRow.begin(), everyRow.end(), 0U);
    EXPECT_EQ(replayed, everyRow);
    for (std::size_t k = 0; k < std::min(replayed.size(), ride.times.size()); ++k) {
        const auto recorded = static_cast<int>(ride.times[k] - ride.times[0]);
        const auto back = static_cast<int>(changedAt[k] - changedAt[0]);
        EXPECT_NEAR(back, recorded, 250) << "frame " << k;
    }
}

TEST_F(DatalogRoundTripTest, ReplayOfAFileThatIsNoLogIsRefused)
{
    std::ofstream(path("notes.csv")) << "rpm;throttle\n";
    SimProcess replay({"--replay", path("notes.csv")});
    EXPECT_TRUE(replay.devicePath().empty());
    EXPECT_EQ(replay.exitCode(), 2);
}

TEST_F(DatalogRoundTripTest, LogThatExistsIsNeverOverwritten)
{
    std::ofstream(path("ride.csv")) << "yesterday";
    SimProcess unit({});
    EXPECT_EQ(cli({"monitor", "--port", unit.devicePath(), "--csv", path("ride.csv"), "--seconds", "1"}),
              kExitBadInput);
    EXPECT_NE(m_err.str().find("The log could not be created"), std::string::npos);
    std::ifstream in(path("ride.csv"));
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "yesterday");
}

} // namespace
} // namespace quorvel::cli
