#pragma once

#include "core/param_image.h"
#include "log/tuning_preflight.h"
#include "log/tuning_session.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <span>
#include <string>

namespace quorvel::cli {

// How `tune` says what a session found, in English: the pre-flight findings, and per pass each
// cell that was held with its samples, held time, mean voltage, reading and change.

void printPreflight(std::ostream& out, std::span<const PreflightFinding> findings);

// The cell as the grid heads it: "20% 3000 rpm" (kPa rows on the IAP map).
[[nodiscard]] std::string cellName(const ParamImage& image, MapId map, int element);

struct PassReport {
    int pass = 0;
    int passes = 0;
    std::span<const TuningProposal> proposals; // what the pass proposes (or applied)
    int applied = 0;                           // cells the apply changed
    int overtaken = 0;                         // cells a hand edit took over
};

void printPass(std::ostream& out, const TuningSession& session, const ParamImage& image, const PassReport& report);
[[nodiscard]] nlohmann::ordered_json passAsJson(const TuningSession& session, const ParamImage& image,
                                                const PassReport& report);

} // namespace quorvel::cli
