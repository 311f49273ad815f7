#pragma once

#include <cstdint>

namespace quorvel {

// The colours that carry meaning on screen. The user interface maps them to palettes in one
// place; the core only ever names a role.
enum class ColourRole : std::uint8_t {
    NormalFace,
    NormalWindow,
    Red,
    Lime,
    Aqua,
    Fuchsia,
    Yellow,
    Blue,
    White,
    Compare, // a value that differs from the tune it is compared with
};

} // namespace quorvel
