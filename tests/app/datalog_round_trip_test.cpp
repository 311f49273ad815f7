#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "app/sim_process.h"
#include "log/datalog_reader.h"
#include "serial/core_application.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

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
        test::SimProcess unit({});
        ASSERT_FALSE(unit.devicePath().empty());
        ASSERT_EQ(cli({"monitor", "--port", unit.devicePath(), "--csv", path("ride.csv"), "--seconds", "3"}), kExitOk)
            << m_err.str();
    }
    const LoggedRide ride = loggedRide(path("ride.csv"));
    ASSERT_GE(ride.frames.size(), 5U);

    // Replayed and recorded again six times as often: every recorded frame comes back, in order.
    test::SimProcess replay({"--replay", path("ride.csv")});
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
    test::SimProcess replay({"--replay", path("notes.csv")});
    EXPECT_TRUE(replay.devicePath().empty());
    EXPECT_EQ(replay.exitCode(), 2);
}

TEST_F(DatalogRoundTripTest, LogThatExistsIsNeverOverwritten)
{
    std::ofstream(path("ride.csv")) << "yesterday";
    test::SimProcess unit({});
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
