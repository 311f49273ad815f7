#include "sim/engine_options.h"

#include <charconv>

namespace quorvel::sim {
namespace {

constexpr int kShortestHoldMs = 100;
constexpr int kLongestHoldMs = 600000;

} // namespace

OptionTaken takeEngineOption(std::span<const std::string> args, std::size_t& at, EngineOptions& options,
                             std::string& error)
{
    const std::string& name = args[at];
    if (name != "--fuel-demand" && name != "--ride" && name != "--hold-ms")
        return OptionTaken::NotAnEngineOption;
    if (at + 1 >= args.size()) {
        error = name + " needs a value";
        return OptionTaken::Bad;
    }
    const std::string& value = args[++at];
    if (name == "--fuel-demand") {
        options.fuelDemandPath = value;
        return OptionTaken::Taken;
    }
    if (name == "--ride") {
        const std::chrono::milliseconds hold = options.ride.hold;
        const auto ride = parseRidePlan(value, error);
        if (!ride)
            return OptionTaken::Bad;
        options.ride = *ride;
        options.ride.hold = hold;
        return OptionTaken::Taken;
    }
    int ms = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
    if (ec != std::errc{} || end != value.data() + value.size() || ms < kShortestHoldMs || ms > kLongestHoldMs) {
        error = "--hold-ms takes a number from " + std::to_string(kShortestHoldMs) + " to " +
                std::to_string(kLongestHoldMs);
        return OptionTaken::Bad;
    }
    options.ride.hold = std::chrono::milliseconds(ms);
    options.holdGiven = true;
    return OptionTaken::Taken;
}

std::optional<std::string> engineOptionsConflict(const EngineOptions& options)
{
    if (options.holdGiven && options.ride.kind != RideKind::Sweep)
        return "--hold-ms needs --ride sweep: only a sweep moves from cell to cell";
    return std::nullopt;
}

std::string engineOptionsUsage()
{
    return "  --fuel-demand FILE.csv\n"
           "                      what the engine really needs: a map as map-export writes JET_1A\n"
           "                      (percent on the Inj. 1 page); the lambda sensor reads rich or\n"
           "                      lean against it. Without it the engine needs what the maps give\n"
           "  --ride cycle        throttle blips through the gears, coolant warming up (default)\n"
           "  --ride sweep[:RPM1-RPM2,TPS1-TPS2]\n"
           "                      a dyno sweep: holds each RPM head of Inj. 1 x throttle row of the\n"
           "                      range in turn (all of them without a range), engine warm\n"
           "  --ride hold:RPM,TPS hold one speed and throttle (percent), engine warm\n"
           "  --hold-ms N         how long a sweep holds each cell (100..600000, default 1500)\n";
}

} // namespace quorvel::sim
