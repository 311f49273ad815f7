#pragma once

#include "core/image_constants.h"

#include <cstdint>
#include <span>
#include <string>

namespace quorvel {

// Texts derived from the unit header each time block 0 arrives; the Bike page shows them.
// Until a header has been read they name the first unit program.
struct UnitHeaderTexts {
    std::string version = "Jet01";   // at most 30 characters
    std::string date = "25.02.2002"; // "dd.mm.20yy", day padded with a space
    std::string time = "16:21";      // "hh:mm"

    bool operator==(const UnitHeaderTexts&) const = default;
};

// Header byte positions the system interprets.
inline constexpr int kHeaderVersionByte = 10;
inline constexpr int kHeaderTextStart = 16;
inline constexpr int kHeaderTextLength = 30;

// The unit stores the build month as the low 8 bits of the sum of the ASCII codes of its
// three-letter English name ("Jan" = 74 + 97 + 110 = 281 -> 25). Returns the two characters
// shown for it: " 1".."12", or "00" for a code no month has.
[[nodiscard]] std::string monthCharacters(std::uint8_t monthCode);

// The month code the unit would store for month 1..12.
[[nodiscard]] std::uint8_t monthCode(int month);

[[nodiscard]] UnitHeaderTexts decodeHeaderTexts(std::span<const std::uint8_t, kBlockSize> header);

} // namespace quorvel
