#include "app/sim_demand.h"
#include "app/sim_options.h"
#include "io/map_csv.h"
#include "model/injection_tables.h"
#include "sim/factory_memory.h"

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

TEST(SimOptions, EngineRideAndDemandBesideTheFaults)
{
    const auto options = parse({"--silent", "--ride", "sweep:3000-6000,10-40", "--hold-ms", "2000", "--fuel-demand",
                                "need.csv", "--line-timing"});
    ASSERT_TRUE(options.has_value());
    EXPECT_TRUE(options->faults.silent);
    EXPECT_TRUE(options->lineTiming);
    EXPECT_EQ(options->engine.ride.kind, RideKind::Sweep);
    EXPECT_EQ(options->engine.ride.hold.count(), 2000);
    EXPECT_EQ(options->engine.fuelDemandPath, "need.csv");

    std::string error;
    EXPECT_FALSE(parse({"--ride", "hold:5000,20", "--hold-ms", "2000"}, &error));
    EXPECT_NE(error.find("--ride sweep"), std::string::npos) << error;
    EXPECT_FALSE(parse({"--ride", "dyno"}, &error));
    EXPECT_NE(error.find("sweep:RPM1-RPM2,TPS1-TPS2"), std::string::npos) << error;
    for (const char* option : {"--fuel-demand", "--ride cycle", "--ride sweep", "--ride hold:RPM,TPS", "--hold-ms"})
        EXPECT_NE(simUsage().find(option), std::string::npos) << option;
}

// The file map-export writes for Inj. 1A, with some cells changed as a tuner would.
TEST(FuelDemandFile, ReadsTheInj1APageOfAMapExport)
{
    ParamImage memory = factoryMemory();
    InjectionTables tables;
    tables.refreshFromImage(memory);
    PercentTable wanted = tables.percent(InjectionMap::Jet1A);
    wanted[17] = 108;
    tables.percent(InjectionMap::Jet1A) = wanted;
    ParamImage edited = memory;
    tables.percentToImage(InjectionMap::Jet1A, edited);
    setAxisPoint(edited, MapId::Jet1A, 14, 160);
    const std::string csv = exportMapCsv(edited, tables, MapTable::of(MapId::Jet1A));

    std::string error;
    const auto demand = readFuelDemand(csv, memory, error);
    ASSERT_TRUE(demand.has_value()) << error;
    EXPECT_EQ(demand->percent[17], 108);
    EXPECT_EQ(demand->axis[14], 160) << "the demand keeps the heads of its file";
    EXPECT_EQ(demand->axis[0], axisPoint(memory, MapId::Jet1A, 0));

    EXPECT_FALSE(readFuelDemand("RPM,1000\n0%,oops\n", memory, error).has_value());
    EXPECT_FALSE(error.empty());
}

TEST(FuelDemandFile, AMissingFileStopsTheStartWithItsName)
{
    VirtualUnit unit;
    EngineOptions options;
    options.fuelDemandPath = "/nonexistent/need.csv";
    std::string error;
    EXPECT_FALSE(configureEngine(unit, options, error));
    EXPECT_NE(error.find("/nonexistent/need.csv"), std::string::npos);
}

} // namespace
} // namespace quorvel::sim
