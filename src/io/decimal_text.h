#pragma once

#include "io/delimited_text.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvel {

enum class DecimalMark : std::uint8_t { Point, Comma };

// A number as written, kept exact as numerator / denominator (denominator a power of ten), so
// that rounding it to a control's step rounds what the user wrote, not a binary approximation.
struct DecimalNumber {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;

    bool operator==(const DecimalNumber&) const = default;
};

enum class NumberFault : std::uint8_t { None, Empty, NotANumber, Ambiguous };

struct DecimalRead {
    NumberFault fault = NumberFault::None;
    DecimalNumber number;
};

// Reads an optional sign, digits and at most one decimal mark followed by digits, with blanks
// around. No thousands separators, no exponent; any number of digits, the fraction rounded to
// six places (a spreadsheet's full precision). With the comma as the mark,
// a comma followed by exactly three digits after one to three leading digits ("1,000") is
// Ambiguous: an English spreadsheet writes a thousand so.
[[nodiscard]] DecimalRead readDecimal(std::string_view text, DecimalMark mark);

// The decimal mark of a block of fields separated by `separator`: a point; a comma only where
// the comma cannot be the separator and no number holds a point (a German spreadsheet's copy).
[[nodiscard]] DecimalMark decimalMarkOf(const std::vector<TextRow>& rows, char separator);

} // namespace quorvel
