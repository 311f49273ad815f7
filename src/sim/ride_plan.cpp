#include "sim/ride_plan.h"

#include <charconv>
#include <tuple>
#include <utility>

namespace quorvel::sim {
namespace {

constexpr int kHighestRpm = 25000;

std::optional<int> number(std::string_view text, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// "A-B" with A <= B, both within low..high.
std::optional<std::pair<int, int>> span(std::string_view text, int low, int high)
{
    const auto dash = text.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const auto from = number(text.substr(0, dash), low, high);
    const auto to = number(text.substr(dash + 1), low, high);
    if (!from || !to || *from > *to)
        return std::nullopt;
    return std::pair{*from, *to};
}

// "X,Y": the two halves around the one comma.
std::optional<std::pair<std::string_view, std::string_view>> halves(std::string_view text)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos)
        return std::nullopt;
    return std::pair{text.substr(0, comma), text.substr(comma + 1)};
}

std::optional<RidePlan> sweep(std::string_view range)
{
    RidePlan plan;
    plan.kind = RideKind::Sweep;
    const auto parts = halves(range);
    if (!parts)
        return std::nullopt;
    const auto rpm = span(parts->first, 0, kHighestRpm);
    const auto throttle = span(parts->second, 0, 100);
    if (!rpm || !throttle)
        return std::nullopt;
    std::tie(plan.rpmLow, plan.rpmHigh) = *rpm;
    std::tie(plan.throttleLowPercent, plan.throttleHighPercent) = *throttle;
    return plan;
}

std::optional<RidePlan> hold(std::string_view point)
{
    const auto parts = halves(point);
    if (!parts)
        return std::nullopt;
    const auto rpm = number(parts->first, 0, kHighestRpm);
    const auto throttle = number(parts->second, 0, 100);
    if (!rpm || !throttle)
        return std::nullopt;
    RidePlan plan;
    plan.kind = RideKind::Hold;
    plan.rpmLow = plan.rpmHigh = *rpm;
    plan.throttleLowPercent = plan.throttleHighPercent = *throttle;
    return plan;
}

} // namespace

std::optional<RidePlan> parseRidePlan(std::string_view text, std::string& error)
{
    std::optional<RidePlan> plan;
    if (text == "cycle") {
        plan.emplace();
    } else if (text == "sweep") {
        plan = RidePlan{.kind = RideKind::Sweep};
    } else if (text.starts_with("sweep:")) {
        plan = sweep(text.substr(6));
    } else if (text.starts_with("hold:")) {
        plan = hold(text.substr(5));
    }
    if (!plan) {
        error = "--ride takes cycle, sweep, sweep:RPM1-RPM2,TPS1-TPS2 or hold:RPM,TPS (rpm 0..25000, "
                "throttle 0..100 %), not " +
                std::string(text);
    }
    return plan;
}

} // namespace quorvel::sim
