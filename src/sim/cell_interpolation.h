#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvel::sim {

// Where a value lies between two neighbouring points of a rising axis: the lower and upper index
// and the share of the way from one to the other. Beyond either end the end point holds.
struct AxisBracket {
    std::size_t low = 0;
    std::size_t high = 0;
    double share = 0.0;
};

[[nodiscard]] AxisBracket bracketOf(std::span<const int> points, int value);

// An RPM axis stored in units of 100 rpm, in rpm.
[[nodiscard]] std::array<int, 15> axisRpm(std::span<const std::uint8_t, 15> axis);

// The throttle rows of the maps in 0.1 %.
[[nodiscard]] std::array<int, 10> throttleRowTenths();

// The value between the four cells around a point, weighted by the two brackets, as the unit
// blends neighbouring cells of a map. `cell(row, column)` gives a cell's value.
template <class Cell> [[nodiscard]] double blendCells(const AxisBracket& row, const AxisBracket& column, Cell cell)
{
    const auto lerp = [](double a, double b, double share) { return a + (b - a) * share; };
    const double low = lerp(cell(row.low, column.low), cell(row.low, column.high), column.share);
    const double high = lerp(cell(row.high, column.low), cell(row.high, column.high), column.share);
    return lerp(low, high, row.share);
}

} // namespace quorvel::sim
