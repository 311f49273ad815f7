#pragma once

#include "core/monitor_snapshot.h"
#include "core/param_image.h"
#include "log/datalog.h"
#include "model/map_layout.h"

#include <cstddef>
#include <vector>

namespace quorvel {

// A row of a log in the map cell that live marking would have marked for it.
struct CellSample {
    std::size_t row;
    int element; // 15 * row + column of the map
    MonitorSnapshot live;
};

// The rows of `log` that fall into a cell of `map`, judged against the map's axes in `image`
// by the rules of live marking: a row counts only where the map was in use (engine turning, the
// map's share of the injection above 0, the row's sensor working).
[[nodiscard]] std::vector<CellSample> cellSamples(const Datalog& log, const ParamImage& image, MapId map);

// The time a row stands for: until the next row, or none when the next row came after a gap
// longer than `longestGapMs` (the link was lost) or there is none.
[[nodiscard]] std::uint32_t rowDurationMs(const Datalog& log, std::size_t row, std::uint32_t longestGapMs);

} // namespace quorvel
