#pragma once

#include "core/param_image.h"
#include "model/injection_tables.h"
#include "model/map_edit_status.h"
#include "model/map_layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace quorvel {

// The value the unit takes from one row of stored cells at `rpm`: linear between the two axis
// points around it, rounded to the nearest stored step, the row's end value beyond the axis.
// The axis is in units of 100 rpm and rises strictly.
[[nodiscard]] std::uint16_t valueAtRpm(std::span<const std::uint8_t, kMapColumns> axis,
                                       std::span<const std::uint16_t, kMapColumns> row, std::uint32_t rpm);

struct RebinOutcome {
    std::optional<MapEditStatus> refusal;
    bool changed = false;
};

// "Change RPM axis": the map of `page` takes the RPM heads `heads` (rpm, strictly rising within
// 300..25000 in steps of 100) and each of its stored cells becomes the value the unit took at
// the new head before, so the engine runs as before at every head that stays where it was.
// Injection maps are re-interpolated as stored times, then their reference and percent tables
// follow the new axis. On "Inj-1A" with "Coupled" the axes of 2A..4A move by the same
// differences, as every edit of the 1A axis moves them, and their maps are re-interpolated along
// their own axes; with "1=2=3=4" they become copies of 1A again. Refused without a change:
// heads out of order or range, a page that shows no RPM axis or takes its map from "Inj-1A",
// and coupled axes that would no longer rise. The caller runs afterChange on a change, without
// collecting the page first (collecting would store the percentages over the stored times).
[[nodiscard]] RebinOutcome rebinRpmAxis(ParamImage& image, InjectionTables& tables, int page,
                                        std::span<const int, kMapColumns> heads);

} // namespace quorvel
