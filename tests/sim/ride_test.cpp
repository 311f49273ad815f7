#include "even_axes_memory.h"
#include "sim/engine_options.h"
#include "sim/rider.h"

#include <gtest/gtest.h>

namespace quorvel::sim {
namespace {

using namespace std::chrono_literals;

std::span<const std::uint8_t, 15> factoryHeads()
{
    static const ParamImage memory = test::evenAxesMemory(); // Inj. 1A at 1000, 2000 .. 15000 rpm
    return memory.bytes().subspan<530, 15>();
}

RidePlan plan(const std::string& text)
{
    std::string error;
    const auto parsed = parseRidePlan(text, error);
    EXPECT_TRUE(parsed) << error;
    return parsed.value_or(RidePlan{});
}

TEST(Rides, SweepHoldsEachHeadAndRowOfItsRangeForTheHoldTimeInTurn)
{
    const RidePlan sweep = plan("sweep:3000-5000,20-40");
    const std::vector<std::pair<int, int>> cells = {{3000, 200}, {3000, 300}, {3000, 400}, {4000, 200}, {4000, 300},
                                                    {4000, 400}, {5000, 200}, {5000, 300}, {5000, 400}};
    for (std::size_t k = 0; k < cells.size() * 2; ++k) {
        const auto [rpm, throttle] = cells[k % cells.size()];
        for (const auto at : {k * 1500ms, k * 1500ms + 1499ms}) {
            const RidePoint point = ridePoint(sweep, at, factoryHeads());
            EXPECT_EQ(point.rpm, rpm) << at.count();
            EXPECT_EQ(point.throttleTenths, throttle) << at.count();
            EXPECT_EQ(point.coolantCelsius, 85) << "warm from the start";
        }
    }
}

TEST(Rides, SweepWithoutARangeVisitsEveryCellAndHoldsAsLongAsAsked)
{
    RidePlan sweep = plan("sweep");
    sweep.hold = 2000ms;
    EXPECT_EQ(ridePoint(sweep, 0ms, factoryHeads()), ridePoint(sweep, 1999ms, factoryHeads()));
    const RidePoint second = ridePoint(sweep, 2000ms, factoryHeads());
    EXPECT_EQ(second.rpm, 1000);
    EXPECT_EQ(second.throttleTenths, 20);
    const RidePoint last = ridePoint(sweep, 149 * 2000ms, factoryHeads());
    EXPECT_EQ(last.rpm, 15000);
    EXPECT_EQ(last.throttleTenths, 1000);
    EXPECT_EQ(ridePoint(sweep, 150 * 2000ms, factoryHeads()).rpm, 1000) << "then the sweep starts again";
}

TEST(Rides, SweepOfARangeWithoutAHeadHoldsItsLowCorner)
{
    const RidePoint point = ridePoint(plan("sweep:3100-3900,20-40"), 5s, factoryHeads());
    EXPECT_EQ(point.rpm, 3100);
    EXPECT_EQ(point.throttleTenths, 200);
}

TEST(Rides, HoldStaysWarmAtItsPoint)
{
    const RidePlan hold = plan("hold:6500,35");
    for (const std::chrono::milliseconds at : {0ms, 1000ms, 600000ms}) {
        const RidePoint point = ridePoint(hold, at, factoryHeads());
        EXPECT_EQ(point.rpm, 6500);
        EXPECT_EQ(point.throttleTenths, 350);
        EXPECT_EQ(point.coolantCelsius, 85);
        EXPECT_GT(point.speedKmh, 0);
    }
}

// The blips as the virtual unit always rode them.
TEST(Rides, CycleIsTheSlowBlipsOfBefore)
{
    struct Moment {
        std::chrono::milliseconds at;
        RidePoint point;
    };
    for (const Moment& m :
         {Moment{0ms, {1300, 0, 20, 0, 0}}, Moment{7s, {4297, 333, 22, 1, 35}}, Moment{9s, {10300, 1000, 23, 2, 114}},
          Moment{15s, {4225, 325, 25, 5, 81}}, Moment{10min, {1300, 0, 95, 0, 0}}}) {
        EXPECT_EQ(ridePoint(RidePlan{}, m.at, factoryHeads()), m.point) << m.at.count();
    }
}

struct RideText {
    const char* text;
    bool valid;
};

class RidePlans : public ::testing::TestWithParam<RideText> {};

TEST_P(RidePlans, AreReadOrRefusedWithTheFormsTold)
{
    std::string error;
    const auto parsed = parseRidePlan(GetParam().text, error);
    EXPECT_EQ(parsed.has_value(), GetParam().valid) << GetParam().text;
    if (!GetParam().valid) {
        EXPECT_NE(error.find("hold:RPM,TPS"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RidePlans,
    ::testing::Values(RideText{"cycle", true}, RideText{"sweep", true}, RideText{"sweep:0-25000,0-100", true},
                      RideText{"sweep:4000-4000,20-20", true}, RideText{"hold:0,0", true},
                      RideText{"hold:25000,100", true}, RideText{"sweep:", false},
                      RideText{"sweep:5000-4000,0-100", false}, RideText{"sweep:3000-5000,40-20", false},
                      RideText{"sweep:3000-5000", false}, RideText{"sweep:0-25001,0-100", false},
                      RideText{"sweep:3000-5000,0-101", false}, RideText{"sweep:3000-5000,0-50,1", false},
                      RideText{"hold:5000", false}, RideText{"hold:5000,-1", false}, RideText{"hold:5000,30x", false},
                      RideText{"Cycle", false}, RideText{"", false}));

std::optional<EngineOptions> engineOptions(std::vector<std::string> args, std::string& error)
{
    EngineOptions options;
    for (std::size_t at = 0; at < args.size(); ++at) {
        const OptionTaken taken = takeEngineOption(args, at, options, error);
        if (taken != OptionTaken::Taken)
            return std::nullopt;
    }
    if (auto conflict = engineOptionsConflict(options)) {
        error = *conflict;
        return std::nullopt;
    }
    return options;
}

TEST(EngineOptionsLine, DemandRideAndHoldInAnyOrder)
{
    std::string error;
    const auto options =
        engineOptions({"--hold-ms", "2500", "--ride", "sweep:3000-6000,10-40", "--fuel-demand", "d.csv"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->fuelDemandPath, "d.csv");
    EXPECT_EQ(options->ride.kind, RideKind::Sweep);
    EXPECT_EQ(options->ride.rpmLow, 3000);
    EXPECT_EQ(options->ride.throttleHighPercent, 40);
    EXPECT_EQ(options->ride.hold, 2500ms) << "a hold time given before the ride still counts";
}

TEST(EngineOptionsLine, BadValuesAreRefusedWithAReason)
{
    struct Case {
        std::vector<std::string> args;
        const char* told;
    };
    for (const Case& c : {Case{{"--ride"}, "needs a value"}, Case{{"--fuel-demand"}, "needs a value"},
                          Case{{"--ride", "sweep", "--hold-ms", "99"}, "100 to 600000"},
                          Case{{"--ride", "sweep", "--hold-ms", "1s"}, "100 to 600000"},
                          Case{{"--ride", "hold:5000,20", "--hold-ms", "2000"}, "needs --ride sweep"},
                          Case{{"--hold-ms", "2000"}, "needs --ride sweep"}}) {
        std::string error;
        EXPECT_FALSE(engineOptions(c.args, error)) << c.args.front();
        EXPECT_NE(error.find(c.told), std::string::npos) << error;
    }
}

} // namespace
} // namespace quorvel::sim
