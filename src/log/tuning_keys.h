#pragma once

#include "log/tuning_preflight.h"
#include "log/tuning_rules.h"
#include "log/tuning_session.h"

#include <string_view>

namespace quorvel {

// The names under which the window and the command line find the words for what a tuning
// session reports.
[[nodiscard]] std::string_view textKey(PreflightCode code);
[[nodiscard]] std::string_view textKey(FrameVerdict verdict);
[[nodiscard]] std::string_view textKey(CellReading reading);
[[nodiscard]] std::string_view textKey(UnattendedStop stop);

} // namespace quorvel
