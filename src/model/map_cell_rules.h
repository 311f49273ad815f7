#pragma once

#include "core/param_image.h"
#include "model/field_table.h"
#include "model/map_layout.h"

#include <cstdint>
#include <string_view>

namespace quorvel {

// The unit the page shows the cells of `map` in, as it heads a copied or exported map: "deg",
// "%" (percent of the reference time, or servo percent), "raw" (Inj-B) or "mV".
[[nodiscard]] std::string_view shownUnit(const ParamImage& image, const MapLayout& map);

// The unit values for the cells of a map are given in.
enum class CellUnit : std::uint8_t {
    Shown,        // the page's own unit (shownUnit)
    Milliseconds, // an injection time as stored, in ms: the grid with "Ms" ticked, a file or a log in ms
};

inline constexpr std::string_view kMillisecondsUnit = "ms";

// Whether the cells of `map` are injection times that may be given in ms.
[[nodiscard]] bool takesTimes(const MapLayout& map);
// The name of `unit` for the cells of `map`, as it heads a map and names a dialog's values.
[[nodiscard]] std::string_view unitName(const ParamImage& image, const MapLayout& map, CellUnit unit);

// Whether `map` takes its values from JET_1A, so that its own page edits nothing: JET_2A..JET_4A
// while the coupling is "Coupled" (shown read-only) or "1=2=3=4" (copies, their pages hidden).
[[nodiscard]] bool followsJet1A(const ParamImage& image, const MapLayout& map);

} // namespace quorvel
