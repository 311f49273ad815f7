#pragma once

#include "sim/ride_plan.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <span>

namespace quorvel::sim {

// The engine speed per road speed in each gear (index 1..6), in rpm per km/h.
inline constexpr std::array<int, 7> kGearRpmPerKmh = {0, 120, 90, 72, 60, 52, 46};

// Where the rider holds the engine at one moment.
struct RidePoint {
    int rpm = 0;
    int throttleTenths = 0; // 0.1 %
    int coolantCelsius = 0;
    int gear = 0;
    int speedKmh = 0;

    bool operator==(const RidePoint&) const = default;
};

// The point of `plan` at `time` after the engine started: a pure function of the time, so a
// test that advances time sees the same ride every run. A sweep takes its speeds from `heads`,
// the RPM axis of Inj. 1 in units of 100 rpm, and runs through its cells again and again.
[[nodiscard]] RidePoint ridePoint(const RidePlan& plan, std::chrono::milliseconds time,
                                  std::span<const std::uint8_t, 15> heads);

} // namespace quorvel::sim
