#pragma once

#include "maps/map_grid_model.h"
#include "maps/map_selection.h"
#include "maps/map_tools.h"
#include "maps/tune_writer.h"
#include "model/map_edit_status.h"

#include <optional>
#include <vector>

namespace quorvel {

enum class InterpolationAxis : std::uint8_t { Horizontal, Vertical, Both };

// What an operation asks of the map: a value for each cell it reaches, in `unit`, or why it
// asks nothing. The tune writer rounds, checks and stores the values as one edit.
struct MapEdit {
    std::vector<CellInput> values;
    CellUnit unit = CellUnit::Shown;
    std::optional<MapEditStatus> refusal;

    [[nodiscard]] static MapEdit refused(MapEditMessage message, int first = 0, int second = 0);
};

// The operations of the Tools menu and the grid's context menu on the selected cells, in the
// unit the user reads the cells in: the page's (degrees, percent of the reference time, raw,
// servo percent or mV) or, while "Ms" shows the stored injection times, ms. Every value is
// computed from the grid as it is, before any is written, so no cell reads a neighbour an
// operation has already moved. Nothing is asked when a selected cell cannot be edited (a
// follower map of the coupling) or when there is no selection.
class MapOperations {
public:
    MapOperations(const MapGridModel& grid, const MapSelection& selection);

    // The unit the operations read and give values in, and its ticks per unit (ms held in us).
    [[nodiscard]] CellUnit unit() const { return m_unit; }
    [[nodiscard]] std::int64_t ticksPerUnit() const;

    [[nodiscard]] MapEdit setValue(double value);
    // In the page's unit `delta` is first rounded to whole steps, so +10 and -10 mV both move a
    // 20 mV cell a step; a time moves by what is given and is stored at the nearest percentage.
    [[nodiscard]] MapEdit add(double delta);
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
    // F4 / F5 on the selection: one step of the page's unit down or up, whatever the view.
    [[nodiscard]] MapEdit step(StepDirection direction);

private:
    // Why the selection cannot be changed, if it cannot.
    [[nodiscard]] std::optional<MapEditStatus> checkEditable() const;
    // `target` gives a selected cell's new value as ticks numerator / denominator, or none to
    // leave it.
    struct Ticks {
        std::int64_t numerator = 0;
        std::int64_t denominator = 1;
    };
    template <typename Target> [[nodiscard]] MapEdit each(Target target) const;
    [[nodiscard]] std::int64_t valueAt(GridCell cell) const;

    const MapGridModel& m_grid;
    const MapSelection& m_selection;
    CellUnit m_unit;
};

} // namespace quorvel
