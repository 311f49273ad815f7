#include "log/chart_scale.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorvel {
namespace {

// The values keep this share of their span away from the ends of the scale.
constexpr double kRoom = 0.02;

} // namespace

int ChartScale::lines() const
{
    return static_cast<int>(std::lround((highest - lowest) / step)) + 1;
}

double chartStep(double span, double linesWanted)
{
    const double rough = std::abs(span) / std::max(linesWanted, 1.0);
    if (!(rough > 0.0) || !std::isfinite(rough))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double nice : {1.0, 2.0, 2.5, 5.0}) {
        if (nice * power >= rough * (1.0 - 1e-9))
            return nice * power;
    }
    return 10.0 * power;
}

ChartScale chartScale(double lowest, double highest, double linesWanted)
{
    if (highest < lowest)
        std::swap(lowest, highest);
    if (highest - lowest <= 0.0) {
        const double half = std::max(std::abs(lowest) * 0.1, 1.0);
        lowest -= half;
        highest += half;
    }
    const double room = (highest - lowest) * kRoom;
    const double step = chartStep(highest - lowest + 2 * room, linesWanted);
    return {std::floor((lowest - room) / step) * step, std::ceil((highest + room) / step) * step, step};
}

} // namespace quorvel
