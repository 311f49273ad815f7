#pragma once

#include "core/param_image.h"
#include "model/injection_tables.h"

#include <nlohmann/json.hpp>

#include <string>

namespace quorvel::cli {

// Every parameter by name in the units the window shows, the RPM axes and the maps: as lines of
// text, or as one JSON object with "fields" and "maps".
[[nodiscard]] std::string listParameters(const ParamImage& image, const InjectionTables& tables);
[[nodiscard]] nlohmann::ordered_json parametersAsJson(const ParamImage& image, const InjectionTables& tables);

} // namespace quorvel::cli
