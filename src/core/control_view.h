#pragma once

#include "core/colour_role.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A control by the name the window gives it. Controls of a numbered series (a run-time row, the
// map grid, LabelGear0..LabelGear6) carry their index, and their object name is the name followed
// by the index in decimal; grid cells are numbered row by row, r * 15 + c.
struct ControlKey {
    std::string_view name;
    int index = -1;

    auto operator<=>(const ControlKey&) const = default;

    [[nodiscard]] std::string objectName() const
    {
        return index < 0 ? std::string(name) : std::string(name) + std::to_string(index);
    }
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

// How a view shows a control: visibility, enabled state, caption and the range of a spin box.
// An empty optional leaves that property as it is.
struct ControlView {
    ControlKey key;
    std::optional<bool> visible;
    std::optional<bool> enabled;
    std::optional<std::string> caption;
    std::optional<int> minimum;
    std::optional<int> maximum;
    std::optional<int> step;
};

// The colour (and for buttons the weight) of a control marked by live data.
struct ControlMark {
    ControlKey key;
    ColourRole colour = ColourRole::NormalWindow;
    std::optional<bool> bold;
};

} // namespace quorvel
