#pragma once

#include "core/param_image.h"
#include "maps/grid_cell.h"
#include "maps/live_marking.h"
#include "model/injection_tables.h"

#include <cstdint>
#include <optional>

namespace quorvel {

enum class StepDirection : std::int8_t { Down = -1, Up = 1 };

// What a tool did. A tool that stops at once (the engine stands in single-cell mode, a coupled
// follower page) writes nothing, so it leaves no undo entry; every other use is handed to the
// tune writer, which records an entry only when the image changed.
struct ToolOutcome {
    bool runAfterChange = false;
    bool changed = false; // an image byte or a working percentage moved

    [[nodiscard]] static constexpr ToolOutcome stopped() { return {}; }
    [[nodiscard]] static constexpr ToolOutcome done(bool changed) { return {true, changed}; }

    bool operator==(const ToolOutcome&) const = default;
};

// Where the engine runs now, as the single-cell tools need it.
struct LiveCell {
    OperatingCell cell;          // kept by the live marking of the active page
    std::uint16_t engineRpm = 0; // 0: the engine stands (or no unit answers)
};

// The cell of the page's map the engine runs in: the pressure row on "Inj-IAP", the throttle
// row elsewhere. None while the engine stands or when the row's sensor has failed.
[[nodiscard]] std::optional<GridCell> liveMapCell(int page, const LiveCell& live);

class TuneWriter;

// Tools Minus (F4) and Plus (F5) on a map page: one step of the page's unit (a degree, a
// percentage point of the reference time, a raw step, a servo percent or 20 mV) on every cell
// (`wholeMap`, the page's "All") or on the live cell, held at the ends of the cell's range. The
// steps go through the writer as a typed edit does, so on "Inj-1A" with the coupling "Coupled"
// they go into 2A, 3A and 4A too; on their own pages the tools then stop. "Inj-IAP" takes the
// live cell's pressure row. Pages without a map change nothing (the caller runs the Position
// tools on that page itself).
[[nodiscard]] ToolOutcome stepMap(TuneWriter& writer, int page, StepDirection direction, bool wholeMap,
                                  const LiveCell& live);

// A column spin: one step on the ten cells of `column`, with the same coupling as stepMap.
[[nodiscard]] ToolOutcome stepMapColumn(TuneWriter& writer, int page, int column, StepDirection direction);

} // namespace quorvel
