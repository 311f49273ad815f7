#include "maps/map_colour_scale.h"

#include <algorithm>

namespace quorvel {
namespace {

// Between two colours, `position` of `span` of the way, to the nearest channel value.
Rgb blend(Rgb from, Rgb to, std::int64_t position, std::int64_t span)
{
    const auto channel = [&](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>((a * (span - position) + b * position + span / 2) / span);
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

} // namespace

Rgb valueColour(int value, int minimum, int maximum)
{
    if (maximum <= minimum)
        return kMiddleColour;
    const std::int64_t span = static_cast<std::int64_t>(maximum) - minimum;
    // Twice the distance from the minimum, so that the middle colour sits at a whole number.
    const std::int64_t position = 2 * (std::clamp(value, minimum, maximum) - static_cast<std::int64_t>(minimum));
    if (position <= span)
        return blend(kCoolColour, kMiddleColour, position, span);
    return blend(kMiddleColour, kWarmColour, position - span, span);
}

std::optional<ColourLegend> colourLegend(const MapGridModel& grid)
{
    std::optional<ColourLegend> legend;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (!grid.isCellVisible(r, c))
                continue;
            const int value = grid.cellValue(r, c);
            if (!legend)
                legend = ColourLegend{value, value};
            legend->minimum = std::min(legend->minimum, value);
            legend->maximum = std::max(legend->maximum, value);
        }
    }
    return legend;
}

std::optional<Rgb> cellValueColour(const MapGridModel& grid, const ColourLegend& legend, int row, int column)
{
    if (!grid.isCellVisible(row, column))
        return std::nullopt;
    return valueColour(grid.cellValue(row, column), legend.minimum, legend.maximum);
}

} // namespace quorvel
