#pragma once

#include "io/map_edit_texts.h"
#include "maps/map_grid_model.h"
#include "maps/map_selection.h"
#include "maps/map_tools.h"
#include "model/map_cell_rules.h"

#include <optional>
#include <span>
#include <vector>

namespace quorvel {

enum class InterpolationAxis : std::uint8_t { Horizontal, Vertical, Both };

// A value an operation gives a cell, in the page's shown units.
struct CellValue {
    GridCell cell;
    int value = 0;
};

struct CellChange {
    GridCell cell;
    int before = 0;
    int after = 0;

    bool operator==(const CellChange&) const = default;
};

// What an operation did to the grid model: the cells whose value moved, or why it did nothing.
// A changed grid is stored like a typed cell: collectPage, then afterChange (one undo entry).
struct MapEdit {
    std::vector<CellChange> changes;
    std::optional<MapEditStatus> refusal;
    int cellsReached = 0;      // cells given a value, changed or not (what a paste reports)
    bool headsChanged = false; // RPM heads or pressure rows of a whole pasted map
    bool wholeMap = false;     // the paste was a whole map with its heads

    [[nodiscard]] bool changed() const { return !changes.empty() || headsChanged; }
    [[nodiscard]] static MapEdit refused(MapEditMessage message, int first = 0, int second = 0);
};

// Gives every cell its value in one pass, after all values were computed from the grid as it
// was, so no cell reads a neighbour an operation has already moved. Values are expected within
// their cell's range.
[[nodiscard]] MapEdit writeCells(MapGridModel& grid, std::span<const CellValue> values);

// The operations of the Tools menu and the grid's context menu on the selected cells, in the
// page's shown units (degrees, percent of the reference time, raw, servo percent or mV; the
// millisecond labels are only shown). Every result is rounded half away from zero to the cell's
// step and held within the cell's range. Nothing changes when a selected cell cannot be edited
// (a follower map of the coupling) or when there is no selection.
class MapOperations {
public:
    MapOperations(MapGridModel& grid, const MapSelection& selection, CellRangeFn ranges);

    [[nodiscard]] MapEdit setValue(int value);
    // `delta` is first rounded to whole steps, so +10 and -10 mV both move a 20 mV cell a step.
    [[nodiscard]] MapEdit add(int delta);
    // Each cell becomes `percent` percent of its value (100 keeps it, 110 is ten percent more);
    // the percentage counts to four decimals.
    [[nodiscard]] MapEdit scale(double percent);
    // Horizontal: each row linear between the selection's left and right cells, which stay.
    // Vertical: each column between the top and bottom cells. Both: bilinear from the four
    // corner cells, which stay; a one-row or one-column selection runs between its two ends.
    [[nodiscard]] MapEdit interpolate(InterpolationAxis axis);
    // Each cell inside the selection's edge becomes the weighted mean of the 3 x 3 block around
    // it: the cell 4, its four side neighbours 2, its four corner neighbours 1, counting only
    // neighbours that are shown cells of the map (the weights of the others are left out). The
    // edge cells keep their values and hold the shape; a selection one cell thick has no edge
    // across it, so a single row is smoothed along the row with the rows beside it as context.
    [[nodiscard]] MapEdit smooth();
    // Every selected cell takes the value of the cell the engine runs in.
    [[nodiscard]] MapEdit fillWithLiveCell(const LiveCell& live);
    // F4 / F5 on the selection: one step of the page down or up, held at the range's ends.
    [[nodiscard]] MapEdit step(StepDirection direction);

private:
    // Why the selection cannot be changed, if it cannot.
    [[nodiscard]] std::optional<MapEditStatus> checkEditable() const;
    template <typename Target> [[nodiscard]] MapEdit each(Target target);
    [[nodiscard]] int valueAt(GridCell cell) const { return m_grid.cellValue(cell.row, cell.column); }
    [[nodiscard]] ControlRange rangeAt(GridCell cell) const { return m_ranges(cell.row, cell.column); }

    MapGridModel& m_grid;
    const MapSelection& m_selection;
    CellRangeFn m_ranges;
};

} // namespace quorvel
