#pragma once

#include "core/colour_role.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A control by the name the window gives it; controls of a run-time row or of the map grid also
// carry their index (row-major r * 15 + c for grid cells).
struct ControlKey {
    std::string_view name;
    int index = -1;

    auto operator<=>(const ControlKey&) const = default;
};

// What a label should show. An empty optional leaves that property as it is.
struct LabelState {
    ControlKey key;
    std::optional<std::string> text;
    std::optional<ColourRole> colour;
    std::optional<bool> visible;
};

struct GaugeState {
    std::string_view name;
    int value = 0; // 0..100
    std::optional<ColourRole> colour;
};

// The colour (and for buttons the weight) of a control marked by live data.
struct ControlMark {
    ControlKey key;
    ColourRole colour = ColourRole::NormalWindow;
    std::optional<bool> bold;
};

} // namespace quorvel
