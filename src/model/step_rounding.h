#pragma once

#include "model/field_table.h"

#include <cstdint>

namespace quorvel {

// numerator / denominator rounded to the nearest whole number, halves away from zero (2.5 -> 3,
// -2.5 -> -3). `denominator` must be positive.
[[nodiscard]] std::int64_t roundHalfAwayFromZero(std::int64_t numerator, std::int64_t denominator);

// The shown value numerator / denominator as a control with `range` takes it: rounded half away
// from zero to a whole number of steps, then held within the range. Computing with the fraction
// keeps a map operation exact: 2510 mV on a 20 mV step is 125.5 steps and becomes 2520 mV.
[[nodiscard]] int roundToStep(std::int64_t numerator, std::int64_t denominator, const ControlRange& range);

} // namespace quorvel
