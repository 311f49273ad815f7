#include "sim/rider.h"

#include "model/map_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace quorvel::sim {
namespace {

constexpr double kCycleSeconds = 20.0;
constexpr int kWarmCelsius = 85;
constexpr int kDynoGear = 4;

int speedOf(int rpm, int gear)
{
    return gear == 0 ? 0 : rpm / kGearRpmPerKmh[static_cast<std::size_t>(gear)];
}

// Piecewise-linear throttle over one cycle: idle, open up, hold, close, idle.
double throttleShare(double phase)
{
    constexpr std::array<std::pair<double, double>, 6> kPoints = {
        {{0.0, 0.0}, {0.3, 0.0}, {0.45, 1.0}, {0.6, 1.0}, {0.8, 0.1}, {0.9, 0.0}}};
    for (std::size_t i = 1; i < kPoints.size(); ++i) {
        const auto [x0, y0] = kPoints[i - 1];
        const auto [x1, y1] = kPoints[i];
        if (phase <= x1)
            return y0 + (phase - x0) * (y1 - y0) / (x1 - x0);
    }
    return 0.0;
}

RidePoint cyclePoint(std::chrono::milliseconds time)
{
    const double seconds = static_cast<double>(time.count()) / 1000.0;
    const double phase = std::fmod(seconds, kCycleSeconds) / kCycleSeconds;
    RidePoint point;
    point.throttleTenths = static_cast<int>(std::lround(throttleShare(phase) * 1000.0));
    point.rpm = 1300 + point.throttleTenths * 9;
    point.coolantCelsius = 20 + std::min(75, static_cast<int>(time.count() / 1000) / 3);
    point.gear = phase < 0.3 || phase >= 0.9 ? 0 : std::min(6, 1 + static_cast<int>((phase - 0.3) / 0.6 * 6.0));
    point.speedKmh = speedOf(point.rpm, point.gear);
    return point;
}

RidePoint warmPoint(int rpm, int throttlePercent)
{
    return {rpm, throttlePercent * 10, kWarmCelsius, kDynoGear, speedOf(rpm, kDynoGear)};
}

RidePoint sweepPoint(const RidePlan& plan, std::chrono::milliseconds time, std::span<const std::uint8_t, 15> heads)
{
    std::vector<int> speeds;
    for (std::uint8_t head : heads) {
        const int rpm = head * 100;
        // An axis rises strictly; a repeated point would hold its column twice.
        if (rpm >= plan.rpmLow && rpm <= plan.rpmHigh && (speeds.empty() || rpm > speeds.back()))
            speeds.push_back(rpm);
    }
    std::vector<int> openings;
    for (int percent : kThrottleRowPercent) {
        if (percent >= plan.throttleLowPercent && percent <= plan.throttleHighPercent)
            openings.push_back(percent);
    }
    if (speeds.empty() || openings.empty())
        return warmPoint(plan.rpmLow, plan.throttleLowPercent);

    const auto hold = std::max<std::chrono::milliseconds::rep>(1, plan.hold.count());
    const auto steps = static_cast<std::chrono::milliseconds::rep>(speeds.size() * openings.size());
    const auto step = static_cast<std::size_t>((time.count() / hold) % steps);
    return warmPoint(speeds[step / openings.size()], openings[step % openings.size()]);
}

} // namespace

RidePoint ridePoint(const RidePlan& plan, std::chrono::milliseconds time, std::span<const std::uint8_t, 15> heads)
{
    switch (plan.kind) {
    case RideKind::Sweep:
        return sweepPoint(plan, time, heads);
    case RideKind::Hold:
        return warmPoint(plan.rpmLow, plan.throttleLowPercent);
    case RideKind::Cycle:
        break;
    }
    return cyclePoint(time);
}

} // namespace quorvel::sim
