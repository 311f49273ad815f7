#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::sim {

// How the virtual rider uses the engine.
enum class RideKind : unsigned char {
    Cycle, // slow throttle blips through the gears while the coolant warms up
    Sweep, // a dyno run: each RPM head x throttle row of a range held in turn, engine warm
    Hold,  // one speed and throttle held for good, engine warm
};

struct RidePlan {
    static constexpr std::chrono::milliseconds kDefaultHold{1500};

    RideKind kind = RideKind::Cycle;
    // A sweep's range (heads and rows inside it, bounds included); a hold's point is the low end.
    int rpmLow = 0;
    int rpmHigh = 25000;
    int throttleLowPercent = 0;
    int throttleHighPercent = 100;
    std::chrono::milliseconds hold = kDefaultHold; // how long a sweep stays in each cell

    bool operator==(const RidePlan&) const = default;
};

// "cycle", "sweep", "sweep:RPM1-RPM2,TPS1-TPS2" or "hold:RPM,TPS" (rpm 0..25000, throttle in
// percent 0..100); none with the reason in `error`.
[[nodiscard]] std::optional<RidePlan> parseRidePlan(std::string_view text, std::string& error);

} // namespace quorvel::sim
