#pragma once

#include "maps/map_grid_model.h"

#include <algorithm>

namespace quorvel::testing_maps {

// The grid showing `value` (held to the cell's range) in one cell, as after a fill that brought
// a changed image; false when the cell showed that already.
inline bool showCell(MapGridModel& grid, const ParamImage& image, int row, int column, int value)
{
    MapPageValues values = grid.values();
    int& cell = values.cells.at(static_cast<std::size_t>(row * kMapColumns + column));
    const ControlRange range = values.rowRange(row);
    const int next = std::clamp(value, range.minimum, range.maximum);
    if (next == cell)
        return false;
    cell = next;
    grid.load(grid.page(), std::move(values), grid.layout(), image);
    return true;
}

} // namespace quorvel::testing_maps
