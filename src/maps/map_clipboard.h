#pragma once

#include "maps/map_grid_model.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"
#include "model/map_cell_rules.h"

#include <string>
#include <string_view>

namespace quorvel {

// Copy and paste of map cells as the text spreadsheets exchange: fields separated by tabs, lines
// ended by a line feed, values in the page's shown units with a decimal point.

// The selected cells, row by row.
[[nodiscard]] std::string copySelection(const MapGridModel& grid, const MapSelection& selection);

// The whole map with its heads: the corner "JET_1A [%]", the RPM heads, then every row after its
// head ("0%".."100%", or the pressure in kPa on "Inj-IAP"). All 150 cells, shown or not.
[[nodiscard]] std::string copyMapWithHeads(const MapGridModel& grid, std::string_view mapName, std::string_view unit);

// Pastes text into the grid model. A whole map with heads (11 lines of 16 fields, a corner that is
// no number) goes to its place, with the RPM heads where the page edits them and the pressure rows
// on "Inj-IAP". Any other text is a block placed with its first value at the selection's top-left
// cell and cut off at the map's edge; a single value fills the whole selection. Cells the page
// does not show are left out. Values are rounded to their cell's step and held within its range.
// Lines may end in CR LF, a trailing line end is ignored; a decimal comma is read where no value
// holds a point. Text that does not parse, or a map that cannot be edited, changes nothing: the
// refusal names the line and the column.
[[nodiscard]] MapEdit pasteText(MapGridModel& grid, const MapSelection& selection, std::string_view text,
                                const CellRangeFn& ranges, std::string_view unit);

} // namespace quorvel
