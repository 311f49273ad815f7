#include "model/reference_interpolation.h"

#include <algorithm>
#include <cassert>

namespace quorvel {
namespace {

constexpr std::uint32_t kRpmPerAxisUnit = 100;
constexpr std::uint32_t kMicrosecondsPerGridUnit = 10;
constexpr std::uint32_t kWordMaximum = 0xFFFF;

// The upper breakpoint of the cell holding x: the smallest index 1..n-2 whose breakpoint lies
// above x, else n-1. Beyond either end the edge cell is taken and interp clamps to its edge.
std::size_t upperBreakpoint(std::span<const std::uint32_t> breakpoints, std::uint32_t x)
{
    const std::size_t last = breakpoints.size() - 1;
    for (std::size_t k = 1; k < last; ++k) {
        if (breakpoints[k] > x)
            return k;
    }
    return last;
}

// A grid value in us; saturates rather than wrap for a grid value above 6553.
std::uint16_t gridTime(const BikeJetGrid& grid, std::size_t row, std::size_t column)
{
    const auto columns = static_cast<std::size_t>(grid.columns);
    const std::uint32_t time = grid.cells[row * columns + column] * kMicrosecondsPerGridUnit;
    return static_cast<std::uint16_t>(std::min(time, kWordMaximum));
}

} // namespace

std::uint16_t interp(std::uint32_t x, std::uint32_t x0, std::uint32_t x1, std::uint16_t y0, std::uint16_t y1)
{
    if (x <= x0)
        return y0;
    if (x >= x1)
        return y1;
    if (y0 == y1)
        return y0;
    if (y0 < y1)
        return static_cast<std::uint16_t>(y0 + (x - x0) * static_cast<std::uint32_t>(y1 - y0) / (x1 - x0));
    return static_cast<std::uint16_t>(y1 + (x1 - x) * static_cast<std::uint32_t>(y0 - y1) / (x1 - x0));
}

ReferenceTable interpolateReferences(const BikeJetGrid& grid, std::span<const std::uint32_t, kMapRows> rowBreakpoints,
                                     std::span<const std::uint32_t, kMapRows> rowValues,
                                     std::span<const std::uint8_t, kMapColumns> axis)
{
    assert(grid.columns == 10 || grid.columns == 15);
    const std::span<const std::uint32_t> rpm =
        grid.columns == 15 ? std::span<const std::uint32_t>(kGridRpm15) : std::span<const std::uint32_t>(kGridRpm10);

    ReferenceTable references{};
    for (std::size_t r = 0; r < kMapRows; ++r) {
        const std::uint32_t y = rowValues[r];
        const std::size_t m = upperBreakpoint(rowBreakpoints, y);
        for (std::size_t c = 0; c < kMapColumns; ++c) {
            const std::uint32_t x = kRpmPerAxisUnit * axis[c];
            const std::size_t k = upperBreakpoint(rpm, x);
            const std::uint16_t t1 =
                interp(x, rpm[k - 1], rpm[k], gridTime(grid, m - 1, k - 1), gridTime(grid, m - 1, k));
            const std::uint16_t t2 = interp(x, rpm[k - 1], rpm[k], gridTime(grid, m, k - 1), gridTime(grid, m, k));
            const std::uint16_t t = interp(y, rowBreakpoints[m - 1], rowBreakpoints[m], t1, t2);
            references[r * kMapColumns + c] = std::max(t, kReferenceFloor);
        }
    }
    return references;
}

} // namespace quorvel
