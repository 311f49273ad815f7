#pragma once

#include "core/param_image.h"
#include "sim/engine_options.h"
#include "sim/fuel_demand.h"
#include "sim/virtual_unit.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::sim {

// The demand in a map CSV of the shape map-export writes for JET_1A, read as the Inj. 1 page
// of a unit holding `memory` would import it; none with the reason in `error`.
[[nodiscard]] std::optional<FuelDemand> readFuelDemand(std::string_view csv, const ParamImage& memory,
                                                       std::string& error);

// Rides the unit's engine as the options say and gives it their demand; false with the reason in
// `error` when the demand file cannot be read.
[[nodiscard]] bool configureEngine(VirtualUnit& unit, const EngineOptions& options, std::string& error);

} // namespace quorvel::sim
