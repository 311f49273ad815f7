#pragma once

#include <string_view>

namespace quorvel {

// The test marker file switches test mode on when any of its whitespace-separated words is
// exactly DIAG_SWITCH.
[[nodiscard]] bool markerEnablesTestMode(std::string_view content);

} // namespace quorvel
