#include "model/step_rounding.h"

#include <cassert>

namespace quorvel {

std::int64_t roundHalfAwayFromZero(std::int64_t numerator, std::int64_t denominator)
{
    assert(denominator > 0);
    const std::int64_t magnitude = (2 * (numerator < 0 ? -numerator : numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

} // namespace quorvel
