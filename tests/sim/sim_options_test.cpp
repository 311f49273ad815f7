#include "app/sim_options.h"

#include <gtest/gtest.h>

namespace quorvel::sim {
namespace {

std::optional<SimOptions> parse(std::vector<std::string> args, std::string* message = nullptr)
{
    std::string error;
    auto options = parseSimOptions(args, error);
    if (message)
        *message = error;
    return options;
}

TEST(SimOptions, EveryFaultCanBeRequested)
{
    const auto options = parse({"--silent", "--corrupt-every", "4", "--delay-ms", "400", "--version", "70",
                                "--differ-block", "3", "--line-timing", "--link", "/tmp/unit"});
    ASSERT_TRUE(options.has_value());
    EXPECT_TRUE(options->faults.silent);
    EXPECT_EQ(options->faults.corruptEveryNth, 4);
    EXPECT_EQ(options->faults.replyDelay.count(), 400);
    EXPECT_EQ(options->faults.version, 70);
    EXPECT_EQ(options->faults.differingBlock, 3);
    EXPECT_TRUE(options->lineTiming);
    EXPECT_EQ(options->linkPath, "/tmp/unit");
}

TEST(SimOptions, LineAndDeviceFaultsCanBeRequested)
{
    const auto options = parse({"--noise-every", "4", "--noise-bytes", "12", "--dropout-after", "30", "--dropout-ms",
                                "900", "--unplug-after", "25", "--unplug-ms", "1500", "--link", "/tmp/unit"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->faults.noiseEveryNth, 4);
    EXPECT_EQ(options->faults.noiseBytes, 12);
    EXPECT_EQ(options->faults.dropoutAfter, 30);
    EXPECT_EQ(options->faults.dropoutFor.count(), 900);
    EXPECT_EQ(options->faults.unplugAfter, 25);
    EXPECT_EQ(options->faults.unplugFor.count(), 1500);
}

// Plugged in again, the adapter gets another device path; only the stable link finds it.
TEST(SimOptions, UnplugWithoutAStableLinkIsRefused)
{
    std::string error;
    EXPECT_FALSE(parse({"--unplug-after", "25", "--unplug-ms", "1500"}, &error));
    EXPECT_NE(error.find("--link"), std::string::npos);
    EXPECT_FALSE(parse({"--noise-bytes", "0"}, &error));
    EXPECT_NE(error.find("1 to 1000"), std::string::npos);
}

TEST(SimOptions, ReplayNamesTheLogToAnswerWith)
{
    const auto options = parse({"--replay", "ride.csv", "--line-timing"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->replayPath, "ride.csv");
    std::string error;
    EXPECT_FALSE(parse({"--replay"}, &error));
    EXPECT_NE(error.find("log"), std::string::npos);
}

TEST(SimOptions, NoArgumentsGiveAHealthyUnit)
{
    const auto options = parse({});
    ASSERT_TRUE(options.has_value());
    EXPECT_FALSE(options->faults.silent);
    EXPECT_EQ(options->faults.version, 71);
    EXPECT_FALSE(options->faults.differingBlock.has_value());
}

TEST(SimOptions, BadValuesAreRefusedWithAReason)
{
    std::string error;
    EXPECT_FALSE(parse({"--differ-block", "0"}, &error));
    EXPECT_NE(error.find("1 to 19"), std::string::npos);
    EXPECT_FALSE(parse({"--version", "256"}, &error));
    EXPECT_FALSE(parse({"--delay-ms", "12x"}, &error));
    EXPECT_FALSE(parse({"--corrupt-every"}, &error));
    EXPECT_NE(error.find("needs a value"), std::string::npos);
    EXPECT_FALSE(parse({"--frobnicate"}, &error));
    EXPECT_NE(error.find("unknown option"), std::string::npos);
}

} // namespace
} // namespace quorvel::sim
