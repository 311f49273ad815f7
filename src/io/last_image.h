#pragma once

#include "core/param_image.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr int kAllFlagsCount = 19;
using AllFlags = std::array<std::uint8_t, kAllFlagsCount>; // the "All" box of each page

// The image as it was on screen when the program closed: the 2850 bytes of blocks 1..19, ten
// numbers a line in groups of ten lines, then the per-page "All" flags, each in "%5u ".
[[nodiscard]] std::string writeLastImage(const ParamImage& image, const AllFlags& flags);

// Stores the low 8 bits of each number; a short file stores what it has and leaves the rest.
// Reading stops at the first token that is not a number.
void readLastImage(std::string_view text, ParamImage& image, AllFlags& flags);

} // namespace quorvel
