#pragma once

#include "core/param_image.h"
#include "model/map_layout.h"

#include <array>

namespace quorvel {

// A value per cell of a map, element 15 * row + column.
using CellValues = std::array<int, kMapCells>;

// An injection map as its page shows it, in percent of the reference times, and how high each
// cell may go: the grid's 1000 %, or less where the stored time would pass the cells' ceiling.
struct TuningMapCells {
    CellValues percent{};
    CellValues highest{};
};

[[nodiscard]] TuningMapCells tuningMapCells(const ParamImage& image, MapId map);

} // namespace quorvel
