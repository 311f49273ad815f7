#pragma once

#include "sim/ride_plan.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace quorvel::sim {

// The options of the virtual engine, shared by quorvel-sim and the window's --simulate.
struct EngineOptions {
    std::string fuelDemandPath; // a map CSV of what the engine needs; empty: what the maps give
    RidePlan ride;
    bool holdGiven = false; // --hold-ms was given (it only means something to a sweep)

    bool operator==(const EngineOptions&) const = default;
};

enum class OptionTaken : unsigned char { NotAnEngineOption, Taken, Bad };

// Takes the option at `args[at]` (and its value, moving `at` past it) when it is one of the
// engine's; Bad with the reason in `error` for a missing or wrong value.
[[nodiscard]] OptionTaken takeEngineOption(std::span<const std::string> args, std::size_t& at, EngineOptions& options,
                                           std::string& error);

// The reason the options do not go together, once all are read; none when they do.
[[nodiscard]] std::optional<std::string> engineOptionsConflict(const EngineOptions& options);

// The lines of --help that describe these options.
[[nodiscard]] std::string engineOptionsUsage();

} // namespace quorvel::sim
