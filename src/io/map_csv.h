#pragma once

#include "core/param_image.h"
#include "io/map_edit_texts.h"
#include "model/injection_tables.h"
#include "model/map_layout.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The map with its heads as a CSV file, in the units its page shows (the corner states them,
// "JET_1A [%]"): comma separated, decimal point, CR LF line ends. Injection maps are written as
// the percentages the page shows, servo maps in their percent or voltage mode.
[[nodiscard]] std::string exportMapCsv(const ParamImage& image, const InjectionTables& tables, const MapLayout& map);

// Reads such a file into the map as an edit of its page stores it: the RPM axis (on "Inj-1A"
// with its coupling), IAP_IAP on "Inj-IAP", and the cells, the percentages through the reference
// times. Separated by commas, semicolons or tabs; with semicolons or tabs a decimal comma is read
// too. A file that does not fit (shape, unit, heads, a bad number), or a map that follows
// "Inj-1A" in the coupling, changes nothing: the reason comes back, naming line and column.
[[nodiscard]] std::optional<MapEditStatus> importMapCsv(std::string_view text, ParamImage& image,
                                                        InjectionTables& tables, const MapLayout& map);

} // namespace quorvel
