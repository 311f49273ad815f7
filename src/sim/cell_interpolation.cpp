#include "sim/cell_interpolation.h"

#include "model/reference_interpolation.h"

namespace quorvel::sim {

AxisBracket bracketOf(std::span<const int> points, int value)
{
    if (points.empty() || value <= points.front())
        return {};
    const std::size_t last = points.size() - 1;
    if (value >= points[last])
        return {last, last, 0.0};
    std::size_t high = 1;
    while (points[high] <= value)
        ++high;
    const std::size_t low = high - 1;
    const double width = points[high] - points[low];
    return {low, high, width > 0 ? (value - points[low]) / width : 0.0};
}

std::array<int, 15> axisRpm(std::span<const std::uint8_t, 15> axis)
{
    std::array<int, 15> rpm{};
    for (std::size_t c = 0; c < rpm.size(); ++c)
        rpm[c] = axis[c] * 100;
    return rpm;
}

std::array<int, 10> throttleRowTenths()
{
    std::array<int, 10> rows{};
    for (std::size_t r = 0; r < rows.size(); ++r)
        rows[r] = static_cast<int>(kThrottleRows[r]);
    return rows;
}

} // namespace quorvel::sim
