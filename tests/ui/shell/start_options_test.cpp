#include "ui/shell/start_options.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

std::optional<StartOptions> parse(std::vector<std::string> arguments, std::string& error)
{
    return parseStartOptions(arguments, error);
}

TEST(StartOptions, PortSimulateConfigDirectoryAndHelp)
{
    std::string error;
    const auto port = parse({"--port", "/dev/pts/4"}, error);
    ASSERT_TRUE(port.has_value());
    EXPECT_EQ(port->portDevice, "/dev/pts/4");
    EXPECT_FALSE(port->simulate);
    const auto simulated = parse({"ENGLISH", "--simulate", "--config-dir", "/tmp/x"}, error);
    ASSERT_TRUE(simulated.has_value());
    EXPECT_TRUE(simulated->simulate);
    EXPECT_EQ(simulated->language, Language::English);
    EXPECT_EQ(simulated->configDirectory, "/tmp/x");
    EXPECT_TRUE(parse({"--help"}, error)->help);
}

struct BadCase {
    std::vector<std::string> arguments;
    const char* error;
};

class BadStartOptions : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadStartOptions, AreRefusedWithAReason)
{
    std::string error;
    EXPECT_FALSE(parse(GetParam().arguments, error).has_value());
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Lines, BadStartOptions,
                         ::testing::Values(BadCase{{"--port"}, "--port needs a value"},
                                           BadCase{{"--simulate", "--config-dir"}, "--config-dir needs a value"},
                                           BadCase{{"--simulate", "--port", "x"},
                                                   "--port and --simulate exclude each other"},
                                           BadCase{{"--ride", "sweep"},
                                                   "--fuel-demand, --ride and --hold-ms need --simulate: they run "
                                                   "the virtual unit's engine"},
                                           BadCase{{"--simulate", "--ride", "sweep", "--hold-ms", "50"},
                                                   "--hold-ms takes a number from 100 to 600000"},
                                           BadCase{{"--simulate", "--hold-ms", "2000"},
                                                   "--hold-ms needs --ride sweep: only a sweep moves from cell to "
                                                   "cell"}));

TEST(StartOptions, UnknownOptionsAreIgnoredWithAWarningAndTheFirstWordIsTheFileToOpen)
{
    std::string error;
    const auto options = parse({"DEUTSCH", "--verbose", "--simulate", "-x", "r6.ign", "ENGLISH", "second.ign"}, error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(options->language, Language::German);
    EXPECT_TRUE(options->simulate);
    EXPECT_EQ(options->parameterFile, "r6.ign") << "a language word in a later place is no file";
    EXPECT_EQ(options->warnings,
              (std::vector<std::string>{"unknown option --verbose ignored", "unknown option -x ignored",
                                        "one file opens at a time: second.ign ignored"}));
    EXPECT_FALSE(onlyPrints(*options));
}

TEST(StartOptions, FileAloneOrAfterTheLanguageAndOptionValuesAreNoFiles)
{
    std::string error;
    EXPECT_EQ(parse({"/home/me/r6.ign"}, error)->parameterFile, "/home/me/r6.ign");
    EXPECT_EQ(parse({"CESKY", "r6.ign"}, error)->parameterFile, "r6.ign");
    EXPECT_TRUE(parse({"--port", "/dev/ttyUSB0", "--config-dir", "cfg"}, error)->parameterFile.empty());
}

TEST(StartOptions, VersionAndHelpOnlyPrint)
{
    std::string error;
    EXPECT_TRUE(onlyPrints(*parse({"--version"}, error)));
    EXPECT_TRUE(onlyPrints(*parse({"ENGLISH", "-h"}, error)));
    EXPECT_EQ(versionText(), "quorvel 0.71 (unit program version 71)");
}

TEST(StartOptions, SimulateTakesTheVirtualEnginesOptions)
{
    std::string error;
    const auto options = parse({"--simulate", "--ride", "hold:6000,40", "--fuel-demand", "need.csv"}, error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(options->engine.ride.kind, sim::RideKind::Hold);
    EXPECT_EQ(options->engine.ride.rpmLow, 6000);
    EXPECT_EQ(options->engine.fuelDemandPath, "need.csv");
    EXPECT_TRUE(options->warnings.empty());
}

TEST(StartOptions, UsageNamesEveryOption)
{
    const std::string usage = startUsage();
    for (const char* option : {"--port", "--simulate", "--config-dir", "--help", "--version", "--check-views",
                               "FILE.ign", "DEUTSCH", "--fuel-demand", "--ride", "--hold-ms"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

} // namespace
} // namespace quorvel
