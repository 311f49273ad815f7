#pragma once

#include "core/param_image.h"
#include "io/map_sheet.h"
#include "model/injection_tables.h"
#include "model/map_cell_rules.h"
#include "model/map_layout.h"

#include <string>
#include <string_view>

namespace quorvel {

// The map with its heads as a CSV file, in the unit given (the corner states it, "JET_1A [%]"):
// comma separated, decimal point, CR LF line ends. Injection maps are written as the
// percentages the page shows or, in ms, as their stored times; servo maps in their percent or
// voltage mode.
[[nodiscard]] std::string exportMapCsv(const ParamImage& image, const InjectionTables& tables, const MapLayout& map,
                                       CellUnit unit = CellUnit::Shown);

// Reads such a file for `map`: separated by commas, semicolons or tabs; with semicolons or tabs a
// decimal comma is read too. The cells may be in the page's unit or, on an injection map, in ms;
// a corner that states no unit is taken in `assumed`. A file that does not fit (shape, unit,
// heads, a bad number) comes back with the reason, naming line and column; the values are for
// the writer of the tune, which rounds them and checks their ranges.
[[nodiscard]] SheetRead readMapCsv(std::string_view text, const ParamImage& image, const MapLayout& map,
                                   CellUnit assumed = CellUnit::Shown);

// The units the cells of `map` may be given in, the one of `assumed` first.
[[nodiscard]] SheetTarget sheetTarget(const ParamImage& image, const MapLayout& map, CellUnit assumed);

// The unit a read sheet's cells are in.
[[nodiscard]] CellUnit unitOf(const SheetRead& read);

} // namespace quorvel
