#pragma once

#include "core/control_view.h"

#include <string>
#include <string_view>

namespace quorvel {

// A hint in its two uses: the tooltip shows the short part and the status line the long part.
// A hint written "short|long" has both; a hint without the bar serves for both.
struct HintText {
    ControlKey key;
    std::string tooltip;
    std::string statusTip;

    bool operator==(const HintText&) const = default;
};

// Splits at the first bar, as the window's hint handling always has: "|Set Englich menu" has no
// tooltip and "Set Englich menu" in the status line.
[[nodiscard]] HintText splitHint(ControlKey key, std::string_view hint);

} // namespace quorvel
