// What the command line takes in and writes out: a FIFO, a device or a file far larger than its
// kind is refused at once with the reason, and a tune its owner protected is not replaced.

#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "app/sim_replay.h"
#include "io/atomic_file.h"
#include "log/datalog_writer.h"
#include "log/log_frames.h"
#include "without_hanging.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

enum class Input : std::uint8_t { Fifo, DeviceZero, Oversized };

struct InputCase {
    const char* name;
    std::vector<std::string> args; // "IN" is the input, "TUNE" a parameter file, "OUT" the output
    Input input;
    std::uintmax_t size; // of an oversized input, made sparse
    const char* reason;
};

class RefusedCliInput : public test::CliFixture, public ::testing::WithParamInterface<InputCase> {
protected:
    RefusedCliInput()
        : CliFixture(std::string("cli-inputs-") + GetParam().name)
    {
    }

    std::string makeInput()
    {
        const InputCase& c = GetParam();
        const std::string in = path("input");
        switch (c.input) {
        case Input::Fifo:
            EXPECT_EQ(::mkfifo(in.c_str(), 0600), 0);
            return in;
        case Input::DeviceZero:
            return "/dev/zero";
        case Input::Oversized:
            std::ofstream(in).flush();
            fs::resize_file(in, c.size);
            return in;
        }
        return in;
    }
};

TEST_P(RefusedCliInput, IsRefusedAtOnceWithTheReasonAndWritesNothing)
{
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("tune.ign")}), kExitOk) << m_err.str();
    const std::string in = makeInput();
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args)
        arg = arg == "IN" ? in : arg == "TUNE" ? path("tune.ign") : arg == "OUT" ? path("out.ign") : arg;

    EXPECT_EQ(test::withoutHanging([&] { return cli(args); }, in), kExitBadInput);
    EXPECT_NE(m_err.str().find(GetParam().reason), std::string::npos) << m_err.str();
    EXPECT_FALSE(fs::exists(path("out.ign")));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedCliInput,
    ::testing::Values(
        InputCase{"ShowFifo", {"show", "IN"}, Input::Fifo, 0, "is not a regular file"},
        InputCase{"ShowDeviceZero", {"show", "IN"}, Input::DeviceZero, 0, "is not a regular file"},
        InputCase{"ShowOversized", {"show", "IN"}, Input::Oversized, 100 << 20, "is larger than 1 MB"},
        InputCase{"MapImportFifo",
                  {"map-import", "TUNE", "JET_1A", "IN", "-o", "OUT"},
                  Input::Fifo,
                  0,
                  "is not a regular file"},
        InputCase{"MapImportOversized",
                  {"map-import", "TUNE", "JET_1A", "IN", "-o", "OUT"},
                  Input::Oversized,
                  100 << 20,
                  "is larger than 256 kB"},
        InputCase{
            "LogCellsFifo", {"log-cells", "IN", "TUNE", "--map", "JET_1A"}, Input::Fifo, 0, "is not a regular file"},
        InputCase{"LogCellsOversized",
                  {"log-cells", "IN", "TUNE", "--map", "JET_1A"},
                  Input::Oversized,
                  std::uintmax_t{1} << 30,
                  "is larger than 512 MB"},
        InputCase{"ImportOldMapsDeviceZero",
                  {"import-old-maps", "IN", "--into", "TUNE", "-o", "OUT"},
                  Input::DeviceZero,
                  0,
                  "is not a regular file"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

class CliSave : public test::CliFixture {
protected:
    CliSave()
        : CliFixture("cli-save")
    {
    }
};

// `set -o` onto a tune its owner made read-only: refused as the shell refuses it, for root too.
TEST_F(CliSave, WriteProtectedTuneIsNotReplaced)
{
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("tune.ign")}), kExitOk) << m_err.str();
    ASSERT_EQ(cli({"new", "--bike", "1", "-o", path("kept.ign")}), kExitOk) << m_err.str();
    const std::string before = readWholeFile(path("kept.ign")).value_or("");
    fs::permissions(path("kept.ign"), static_cast<fs::perms>(0444));
    EXPECT_EQ(cli({"set", path("tune.ign"), "IgnLimiter=15000", "-o", path("kept.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Permission denied"), std::string::npos) << m_err.str();
    EXPECT_EQ(readWholeFile(path("kept.ign")), before);
    EXPECT_EQ(fs::status(path("kept.ign")).permissions(), static_cast<fs::perms>(0444));
}

// quorvel-sim --replay with a FIFO or a device: refused before anything is read.
TEST_F(CliSave, ReplayOfSomethingThatIsNoFileIsRefused)
{
    ASSERT_EQ(::mkfifo(path("ride.csv").c_str(), 0600), 0);
    for (const std::string& log : {path("ride.csv"), std::string("/dev/zero")}) {
        std::string error;
        EXPECT_FALSE(test::withoutHanging([&] { return sim::loadReplay(log, error).has_value(); }, log));
        EXPECT_NE(error.find("is not a regular file"), std::string::npos) << error;
    }
}

// Under a memory limit, a log whose rows would not fit ends the command with a word and the exit
// code of a bad file instead of an abort. One row and then room for a million: the reader makes
// room for the rows the file can hold.
TEST_F(CliSave, MemoryRunningOutIsSaidNotAnAbort)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer's shadow memory does not fit under an address space limit";
#endif
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("b.ign")}), kExitOk);
    DatalogWriter writer;
    ASSERT_EQ(writer.open(path("ride.csv")), std::nullopt);
    writer.record(0, test::LiveFrame().rpm(3000).sealed(), {});
    ASSERT_EQ(writer.close(), std::nullopt);
    fs::resize_file(path("ride.csv"), 500 * kMiB);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const auto bytes = static_cast<rlim_t>(pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + 64 * kMiB);
        const rlimit limit{bytes, bytes};
        std::ostringstream out;
        std::ostringstream err;
        const bool limited = ::setrlimit(RLIMIT_AS, &limit) == 0;
        const int code = run({"log-cells", path("ride.csv"), path("b.ign"), "--map", "JET_1A"}, out, err);
        const bool said = err.str().find("quorvel-cli: out of memory") != std::string::npos;
        ::_exit(limited && code == kExitBadInput && said ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace quorvel::cli
