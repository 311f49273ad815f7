#pragma once

#include "core/control_view.h"
#include "core/monitor_snapshot.h"
#include "core/param_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorvel {

// The map cell the engine runs in: its column, throttle row and pressure row.
struct OperatingCell {
    static constexpr std::uint16_t kNoRow = 20; // the sensor of that row has failed

    std::uint16_t column = 0;
    std::uint16_t throttleRow = 0;
    std::uint16_t pressureRow = 0;

    bool operator==(const OperatingCell&) const = default;
};

// The entries of the two injection-position curves the engine runs on.
struct PositionColumns {
    std::uint16_t a = 0;
    std::uint16_t b = 0;
};

// The cell live marking marks on a map page: the operating cell as the page leaves it, and the
// one grid cell that is coloured (none while the engine stands on a fuel or advance map, while
// the map is not in use, or while the sensor of its row has failed).
struct MapCellMark {
    OperatingCell cell;
    std::optional<int> element; // 15 * row + column
    ColourRole colour = ColourRole::Lime;
};

// The mark of map page `page` (1..7, 11, 12) for the live values.
[[nodiscard]] MapCellMark markMapCell(int page, const ParamImage& image, const MonitorSnapshot& live);

// Index of the entry of `table` nearest to `value`; a value exactly halfway between two entries
// selects the upper one.
[[nodiscard]] int nearestEntry(int value, std::span<const int> table);

// Marks on the active page the entries the engine uses right now, from the last monitor frame:
// lime for the entry in use, yellow for an injection cell while both kinds of map share the work.
// Also keeps the operating cell and position columns that the map and position tools act on.
class LiveMarking {
public:
    // The colours of every live-marked control of `page`; empty for pages without live marks.
    // `showMs` is the grid's "Ms" option, whose labels then take the colours of their cells.
    [[nodiscard]] std::vector<ControlMark> refresh(int page, const ParamImage& image, const MonitorSnapshot& live,
                                                   bool showMs);

    [[nodiscard]] const OperatingCell& operatingCell() const { return m_cell; }
    [[nodiscard]] const PositionColumns& positionColumns() const { return m_positions; }

private:
    void markMapPage(int page, const ParamImage& image, const MonitorSnapshot& live, bool showMs,
                     std::vector<ControlMark>& marks);
    void markPositionPage(const ParamImage& image, const MonitorSnapshot& live, std::vector<ControlMark>& marks);

    OperatingCell m_cell;
    PositionColumns m_positions;
};

} // namespace quorvel
