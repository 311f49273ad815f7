#pragma once

#include "core/param_image.h"
#include "maps/live_marking.h"
#include "maps/map_tools.h"

#include <array>
#include <cstdint>

namespace quorvel {

// The two injection-position curves of the Position page: bank A and bank B.
enum class PositionBank : std::uint8_t { A, B };
inline constexpr std::array kPositionBanks = {PositionBank::A, PositionBank::B};

// A bank's spin: one step of 5 degrees on every angle of the bank (its "All" box) or on the
// angle of the bank's own operating RPM point, within 0..720 degrees. The caller collects the
// page before and runs afterChange after it; always followed by afterChange.
[[nodiscard]] ToolOutcome stepPosition(ParamImage& image, PositionBank bank, StepDirection direction, bool all,
                                       const PositionColumns& live);

} // namespace quorvel
