#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "core/german_numbers.h"
#include "io/atomic_file.h"
#include "io/parameter_set.h"
#include "io/raw_image_file.h"
#include "serial/core_application.h"
#include "serial/pty_unit.h"
#include "sim/factory_memory.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

class CliLinkTest : public test::CliFixture {
protected:
    CliLinkTest()
        : CliFixture("cli-link")
    {
        test::ensureCoreApplication();
        std::ostringstream ignored;
        EXPECT_EQ(run({"new", "--bike", "11", "-o", path("b11.ign")}, ignored, ignored), kExitOk);
    }
};

TEST_F(CliLinkTest, ProgramVerifyAndReadBackTheSameSet)
{
    test::PtyUnit unit;
    ASSERT_EQ(cli({"program", "--port", unit.devicePath(), path("b11.ign")}), kExitOk) << m_err.str();
    EXPECT_NE(m_err.str().find("Program device: OK"), std::string::npos);
    ASSERT_EQ(cli({"verify", "--port", unit.devicePath(), path("b11.ign")}), kExitOk) << m_err.str();
    ASSERT_EQ(cli({"read", "--port", unit.devicePath(), "-o", path("back.ign")}), kExitOk) << m_err.str();

    ParamImage written;
    ParamImage back;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(path("b11.ign"), written, tables), LoadResult::Loaded);
    ASSERT_EQ(loadParameterFile(path("back.ign"), back, tables), LoadResult::Loaded);
    EXPECT_TRUE(std::ranges::equal(written.bytes().subspan(150), back.bytes().subspan(150)));
}

bool parametersEqual(const ParamImage& a, const ParamImage& b)
{
    return std::ranges::equal(a.bytes().subspan(150), b.bytes().subspan(150));
}

TEST_F(CliLinkTest, ProgramKeepsWhatTheUnitHeldAndReadKeepsTheBytesItSent)
{
    const std::string backups = path("backups");
    test::PtyUnit unit;
    ASSERT_EQ(cli({"program", "--port", unit.devicePath(), "--backup-dir", backups, path("b11.ign")}), kExitOk)
        << m_err.str();
    EXPECT_NE(m_err.str().find("Backup saved: " + backups), std::string::npos) << m_err.str();
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(backups))
        kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), 1U);
    EXPECT_TRUE(kept[0].filename().string().ends_with("_bike11_program.ign")) << kept[0];
    ParamImage held;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(kept[0], held, tables), LoadResult::Loaded);
    EXPECT_TRUE(parametersEqual(held, sim::factoryMemory()));

    ASSERT_EQ(cli({"read", "--port", unit.devicePath(), "-o", path("back.ign")}), kExitOk) << m_err.str();
    const auto raw = readWholeFile(path("back.raw.ign"));
    ASSERT_TRUE(raw.has_value());
    ASSERT_TRUE(readRawImage(*raw).has_value());
    unit.stop();
    ParamImage sent;
    ASSERT_EQ(loadParameterFile(path("back.raw.ign"), sent, tables), LoadResult::Loaded);
    EXPECT_TRUE(parametersEqual(sent, unit.unit().memory()));
}

TEST_F(CliLinkTest, BackupThatCannotBeWrittenProgramsNothingUnlessDeclined)
{
    ASSERT_FALSE(writeFileAtomically(path("in-the-way"), "a file").has_value());
    test::PtyUnit unit;
    EXPECT_EQ(cli({"program", "--port", unit.devicePath(), "--backup-dir", path("in-the-way"), path("b11.ign")}),
              kExitFailed);
    EXPECT_NE(m_err.str().find("could not be written"), std::string::npos) << m_err.str();
    EXPECT_EQ(m_err.str().find("Program device:"), std::string::npos) << m_err.str();
    ASSERT_EQ(cli({"program", "--port", unit.devicePath(), "--no-backup", "--backup-dir", path("in-the-way"),
                   path("b11.ign")}),
              kExitOk)
        << m_err.str();
    unit.stop();
    EXPECT_EQ(unit.unit().programmingCount(), 1);
}

TEST_F(CliLinkTest, DifferingUnitFailsTheVerify)
{
    sim::FaultPlan faults;
    faults.differingBlock = 4;
    test::PtyUnit unit(faults);
    EXPECT_EQ(cli({"verify", "--port", unit.devicePath(), path("b11.ign")}), kExitFailed);
    EXPECT_NE(m_err.str().find("Verify error!"), std::string::npos);
}

TEST_F(CliLinkTest, ReadWhoseVerifyFailsStillSavesWhatWasRead)
{
    sim::FaultPlan faults;
    faults.differingBlock = 4;
    test::PtyUnit unit(faults);
    EXPECT_EQ(cli({"read", "--port", unit.devicePath(), "-o", path("read.ign")}), kExitFailed);
    EXPECT_NE(m_err.str().find("Verify error!"), std::string::npos) << m_err.str();
    ParamImage saved;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(path("read.ign"), saved, tables), LoadResult::Loaded);
    EXPECT_TRUE(std::ranges::equal(saved.block(10), unit.unit().memory().block(10)));

    faults.differingBlock.reset();
    faults.version = 70;
    test::PtyUnit other(faults);
    EXPECT_EQ(cli({"read", "--port", other.devicePath(), "-o", path("other.ign")}), kExitFailed);
    EXPECT_FALSE(fs::exists(path("other.ign"))) << "nothing of the parameters was read";
}

// A unit fresh from the workshop holds a set this program writes: what is read verifies.
TEST_F(CliLinkTest, FreshUnitReadThenVerifiedAgainstTheSameFileAgrees)
{
    test::PtyUnit unit;
    ASSERT_EQ(cli({"read", "--port", unit.devicePath(), "-o", path("fresh.ign")}), kExitOk) << m_err.str();
    EXPECT_EQ(cli({"verify", "--port", unit.devicePath(), path("fresh.ign")}), kExitOk) << m_err.str();
    EXPECT_EQ(cli({"verify", "--port", unit.devicePath(), path("b11.ign")}), kExitOk)
        << "the unit holds the defaults of bike 11: " << m_err.str();
}

TEST_F(CliLinkTest, ReadWhoseRawCopyCannotBeWrittenStillSavesTheTune)
{
    fs::create_directories(path("tune.raw.ign")); // a folder where the raw copy should go
    test::PtyUnit unit;
    EXPECT_EQ(cli({"read", "--port", unit.devicePath(), "-o", path("tune.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Open file error!"), std::string::npos) << m_err.str();
    EXPECT_NE(m_err.str().find("tune.ign"), std::string::npos) << m_err.str();
    ParamImage saved;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(path("tune.ign"), saved, tables), LoadResult::Loaded);
    unit.stop();
    EXPECT_TRUE(std::ranges::equal(saved.block(10), unit.unit().memory().block(10)));
}

TEST_F(CliLinkTest, MissingDeviceFailsWithTheOpeningError)
{
    EXPECT_EQ(cli({"verify", "--port", path("no-such-device"), path("b11.ign")}), kExitFailed);
    EXPECT_NE(m_err.str().find("Com opening error!"), std::string::npos);
}

TEST_F(CliLinkTest, MonitorPrintsOneJsonObjectPerFrame)
{
    test::PtyUnit unit;
    ASSERT_EQ(cli({"monitor", "--port", unit.devicePath(), "--frames", "2", "--json"}), kExitOk) << m_err.str();
    std::istringstream lines(m_out.str());
    int frames = 0;
    for (std::string line; std::getline(lines, line);) {
        const auto frame = nlohmann::json::parse(line);
        EXPECT_TRUE(frame.contains("LabelRpm"));
        EXPECT_EQ(frame["LabelTlak"], "AP = 101.3 kPa= 4050 mV");
        ++frames;
    }
    EXPECT_EQ(frames, 2);
}

TEST_F(CliLinkTest, MonitorUnderAGermanNumberFormatKeepsTheFullStop)
{
    const test::GermanNumbers german;
    if (!german.active())
        GTEST_SKIP() << "no German locale can be had here";
    test::PtyUnit unit;
    ASSERT_EQ(cli({"monitor", "--port", unit.devicePath(), "--frames", "1", "--json"}), kExitOk) << m_err.str();
    EXPECT_EQ(nlohmann::json::parse(m_out.str())["LabelTlak"], "AP = 101.3 kPa= 4050 mV");
}

TEST_F(CliLinkTest, SilentUnitEndsTheMonitorWithFailure)
{
    sim::FaultPlan faults;
    faults.silent = true;
    test::PtyUnit unit(faults);
    EXPECT_EQ(cli({"monitor", "--port", unit.devicePath(), "--frames", "1"}), kExitFailed);
}

} // namespace
} // namespace quorvel::cli
