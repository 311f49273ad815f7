#include "model/step_rounding.h"

#include <algorithm>
#include <cassert>

namespace quorvel {

std::int64_t roundHalfAwayFromZero(std::int64_t numerator, std::int64_t denominator)
{
    assert(denominator > 0);
    const std::int64_t magnitude = (2 * (numerator < 0 ? -numerator : numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

int roundToStep(std::int64_t numerator, std::int64_t denominator, const ControlRange& range)
{
    const std::int64_t step = std::max(1, range.step);
    const std::int64_t value = roundHalfAwayFromZero(numerator, denominator * step) * step;
    return static_cast<int>(std::clamp<std::int64_t>(value, range.minimum, range.maximum));
}

} // namespace quorvel
