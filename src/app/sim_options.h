#pragma once

#include "sim/engine_options.h"
#include "sim/fault_plan.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel::sim {

struct SimOptions {
    FaultPlan faults;
    bool lineTiming = false;
    std::string linkPath;   // a stable name that points at the pseudo-terminal
    std::string replayPath; // a datalog whose frames answer the monitor requests
    EngineOptions engine;
    bool help = false;
};

// Parses the command line of quorvel-sim; none with a message in `error` for bad input.
[[nodiscard]] std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args, std::string& error);

[[nodiscard]] std::string simUsage();

} // namespace quorvel::sim
