#pragma once

#include "maps/map_grid_model.h"

#include <cstdint>
#include <optional>

namespace quorvel {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The colours of "Colours": from a cool light blue at the map's lowest value through a pale grey
// to a warm light red at its highest. Light enough for black digits, and far from the lime and
// yellow of the live marks, which are drawn over them.
inline constexpr Rgb kCoolColour{120, 160, 235};
inline constexpr Rgb kMiddleColour{238, 238, 238};
inline constexpr Rgb kWarmColour{240, 130, 110};

// The colour of `value` on the scale from `minimum` to `maximum`; a value outside them takes the
// nearer end, and a map whose cells are all equal is coloured in the middle.
[[nodiscard]] Rgb valueColour(int value, int minimum, int maximum);

// The legend beside the grid: the lowest and highest value of the cells the page shows (hidden
// rows and columns do not count), in the page's units. None while the page shows no cell.
struct ColourLegend {
    int minimum = 0;
    int maximum = 0;

    bool operator==(const ColourLegend&) const = default;
};

[[nodiscard]] std::optional<ColourLegend> colourLegend(const MapGridModel& grid);

// The colour of a cell of the grid on its legend's scale; none for a cell the page does not show.
[[nodiscard]] std::optional<Rgb> cellValueColour(const MapGridModel& grid, const ColourLegend& legend, int row,
                                                 int column);

} // namespace quorvel
