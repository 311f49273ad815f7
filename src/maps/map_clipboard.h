#pragma once

#include "io/map_sheet.h"
#include "maps/map_grid_model.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Copy and paste of map cells as the text spreadsheets exchange: fields separated by tabs, lines
// ended by a line feed, values in the unit the user reads the cells in (ms while "Ms" shows the
// stored times) with a decimal point.

// The selected cells, row by row.
[[nodiscard]] std::string copySelection(const MapGridModel& grid, const MapSelection& selection);

// The whole map with its heads: the corner "JET_1A [%]" (or "[ms]"), the RPM heads, then every
// row after its head ("0%".."100%", or the pressure in kPa on "Inj-IAP"). All 150 cells, shown
// or not.
[[nodiscard]] std::string copyMapWithHeads(const MapGridModel& grid, std::string_view mapName, std::string_view unit);

// What a pasted text asks of the map: a block of values, or a whole map with its heads.
struct Paste {
    std::optional<MapEditStatus> refusal;
    MapEdit block;                  // values for the cells the block reaches
    std::optional<SheetRead> sheet; // a whole map, in the unit its corner states
};

// Reads pasted text for the grid's page, in the units of `target` (the view's first). A whole map
// with heads (11 lines of 16 fields, a corner that is no number) goes to its place. Any other
// text is a block placed with its first value at the selection's top-left cell and cut off at
// the map's edge; a single value fills the whole selection. Cells the page does not show are
// left out. Lines may end in CR LF or CR, a trailing line end is ignored; a decimal comma is
// read where no value holds a point. Text that does not parse, or a map that cannot be edited,
// is refused: the refusal names the line and the column.
[[nodiscard]] Paste readPaste(const MapGridModel& grid, const MapSelection& selection, std::string_view text,
                              const SheetTarget& target);

} // namespace quorvel
