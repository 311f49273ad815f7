#pragma once

#include <cstdint>

namespace quorvel {

// numerator / denominator rounded to the nearest whole number, halves away from zero (2.5 -> 3,
// -2.5 -> -3). `denominator` must be positive.
[[nodiscard]] std::int64_t roundHalfAwayFromZero(std::int64_t numerator, std::int64_t denominator);

} // namespace quorvel
