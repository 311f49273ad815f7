#include "maps/map_tools.h"

#include "core/page_index.h"
#include "maps/tune_writer.h"
#include "model/jet_coupling.h"
#include "model/map_cell_rules.h"
#include "model/map_layout.h"
#include "model/map_page.h"

#include <vector>

namespace quorvel {
namespace {

std::vector<GridCell> wholeMapCells()
{
    std::vector<GridCell> cells;
    for (int e = 0; e < kMapCells; ++e)
        cells.push_back({e / kMapColumns, e % kMapColumns});
    return cells;
}

std::vector<GridCell> columnCells(int column)
{
    std::vector<GridCell> cells;
    for (int r = 0; r < kMapRows; ++r)
        cells.push_back({r, column});
    return cells;
}

// One step of the page's unit on `cells`, from what the page shows now.
ToolOutcome stepCells(TuneWriter& writer, const MapLayout& map, const std::vector<GridCell>& cells,
                      StepDirection direction)
{
    if (followsJet1A(writer.image(), map))
        return ToolOutcome::stopped();
    ParamImage image = writer.image();
    InjectionTables tables = writer.tables();
    const MapPageValues shown =
        fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), map.page);
    std::vector<CellInput> steps;
    for (GridCell cell : cells) {
        const int value = shown.cells[static_cast<std::size_t>(cell.row * kMapColumns + cell.column)];
        steps.push_back({cell, value + static_cast<int>(direction) * std::max(1, shown.rowRange(cell.row).step)});
    }
    const TuneWrite written = writer.writeCells(map, CellUnit::Shown, steps, RangePolicy::Hold);
    return ToolOutcome::done(written.imageChanged);
}

} // namespace

std::optional<GridCell> liveMapCell(int page, const LiveCell& live)
{
    if (live.engineRpm == 0)
        return std::nullopt;
    const int row = page == kPageInjIap ? live.cell.pressureRow : live.cell.throttleRow;
    // A row whose sensor has failed names no cell of the map: nothing to tune.
    if (row >= kMapRows || live.cell.column >= kMapColumns)
        return std::nullopt;
    return GridCell{row, live.cell.column};
}

ToolOutcome stepMap(TuneWriter& writer, int page, StepDirection direction, bool wholeMap, const LiveCell& live)
{
    const MapLayout* map = MapTable::ofPage(page);
    if (map == nullptr)
        return ToolOutcome::done(false);
    if (wholeMap)
        return stepCells(writer, *map, wholeMapCells(), direction);
    const auto cell = liveMapCell(page, live);
    if (!cell)
        return ToolOutcome::stopped();
    return stepCells(writer, *map, {*cell}, direction);
}

ToolOutcome stepMapColumn(TuneWriter& writer, int page, int column, StepDirection direction)
{
    const MapLayout* map = MapTable::ofPage(page);
    if (map == nullptr || column < 0 || column >= kMapColumns)
        return ToolOutcome::done(false);
    return stepCells(writer, *map, columnCells(column), direction);
}

} // namespace quorvel
