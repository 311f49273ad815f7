#include "maps/map_operations.h"

#include "model/step_rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace quorvel {
namespace {

using enum MapEditMessage;

// The scale percentage is taken to four decimals: 102.5 % is 1025000 / 1000000.
constexpr std::int64_t kPercentResolution = 10000;
constexpr std::int64_t kWholeValue = 100 * kPercentResolution;

// Weight of a neighbour in the 3 x 3 smoothing block: 2 along each axis it shares with the cell.
constexpr int smoothingWeight(int rowOffset, int columnOffset)
{
    return (rowOffset == 0 ? 2 : 1) * (columnOffset == 0 ? 2 : 1);
}

// The value `u` of `span` steps from `from` to `to`, as a fraction numerator / span.
std::int64_t linearNumerator(std::int64_t from, std::int64_t to, int u, int span)
{
    return from * (span - u) + to * u;
}

} // namespace

MapEdit MapEdit::refused(MapEditMessage message, int first, int second)
{
    MapEdit edit;
    edit.refusal = MapEditStatus{message, first, second};
    return edit;
}

MapEdit writeCells(MapGridModel& grid, std::span<const CellValue> values)
{
    MapEdit edit;
    for (const CellValue& value : values) {
        const int before = grid.cellValue(value.cell.row, value.cell.column);
        if (!grid.setCellValue(value.cell.row, value.cell.column, value.value))
            continue;
        edit.changes.push_back({value.cell, before, grid.cellValue(value.cell.row, value.cell.column)});
    }
    edit.cellsReached = static_cast<int>(values.size());
    return edit;
}

MapOperations::MapOperations(MapGridModel& grid, const MapSelection& selection, CellRangeFn ranges)
    : m_grid(grid)
    , m_selection(selection)
    , m_ranges(std::move(ranges))
{
}

std::optional<MapEditStatus> MapOperations::checkEditable() const
{
    const std::vector<GridCell> cells = m_selection.cells();
    if (cells.empty())
        return MapEditStatus{NoSelection};
    for (GridCell cell : cells) {
        if (!m_grid.isCellEditable(cell.row, cell.column))
            return MapEditStatus{FollowerMap};
    }
    return std::nullopt;
}

// `target` gives the new value of a selected cell, or none to leave it; all are computed before
// the first is written.
template <typename Target> MapEdit MapOperations::each(Target target)
{
    if (const auto refusal = checkEditable())
        return MapEdit::refused(refusal->message);
    std::vector<CellValue> values;
    for (GridCell cell : m_selection.cells()) {
        if (const std::optional<int> value = target(cell))
            values.push_back({cell, *value});
    }
    return writeCells(m_grid, values);
}

MapEdit MapOperations::setValue(int value)
{
    return each([&](GridCell cell) -> std::optional<int> { return roundToStep(value, 1, rangeAt(cell)); });
}

MapEdit MapOperations::add(int delta)
{
    return each([&](GridCell cell) -> std::optional<int> {
        const ControlRange range = rangeAt(cell);
        const std::int64_t steps = roundHalfAwayFromZero(delta, std::max(1, range.step));
        return roundToStep(valueAt(cell) + steps * std::max(1, range.step), 1, range);
    });
}

MapEdit MapOperations::scale(double percent)
{
    if (!std::isfinite(percent) || percent < 0)
        return MapEdit::refused(NegativePercentage);
    const auto factor = static_cast<std::int64_t>(std::llround(percent * kPercentResolution));
    return each([&](GridCell cell) -> std::optional<int> {
        return roundToStep(valueAt(cell) * factor, kWholeValue, rangeAt(cell));
    });
}

MapEdit MapOperations::interpolate(InterpolationAxis axis)
{
    const auto area = m_selection.rect();
    if (const auto refusal = checkEditable(); refusal || !area)
        return MapEdit::refused(refusal ? refusal->message : NoSelection);
    const int width = area->columns() - 1;
    const int height = area->rows() - 1;
    const bool across = axis != InterpolationAxis::Vertical && width >= 2;
    const bool down = axis != InterpolationAxis::Horizontal && height >= 2;
    if (!across && !down)
        return MapEdit::refused(TooFewToInterpolate);

    const auto at = [&](int row, int column) -> std::int64_t { return valueAt({row, column}); };
    return each([&](GridCell cell) -> std::optional<int> {
        const int u = cell.column - area->left;
        const int t = cell.row - area->top;
        switch (axis) {
        case InterpolationAxis::Horizontal:
            if (u == 0 || u == width)
                return std::nullopt;
            return roundToStep(linearNumerator(at(cell.row, area->left), at(cell.row, area->right), u, width), width,
                               rangeAt(cell));
        case InterpolationAxis::Vertical:
            if (t == 0 || t == height)
                return std::nullopt;
            return roundToStep(linearNumerator(at(area->top, cell.column), at(area->bottom, cell.column), t, height),
                               height, rangeAt(cell));
        case InterpolationAxis::Both:
            break;
        }
        if ((u == 0 || u == width) && (t == 0 || t == height))
            return std::nullopt; // a corner
        // A selection one cell wide or high spans one step that no cell lies inside.
        const int spanAcross = std::max(width, 1);
        const int spanDown = std::max(height, 1);
        const std::int64_t upper =
            linearNumerator(at(area->top, area->left), at(area->top, area->right), u, spanAcross);
        const std::int64_t lower =
            linearNumerator(at(area->bottom, area->left), at(area->bottom, area->right), u, spanAcross);
        return roundToStep(upper * (spanDown - t) + lower * t, static_cast<std::int64_t>(spanAcross) * spanDown,
                           rangeAt(cell));
    });
}

MapEdit MapOperations::smooth()
{
    const auto area = m_selection.rect();
    if (const auto refusal = checkEditable(); refusal || !area)
        return MapEdit::refused(refusal ? refusal->message : NoSelection);
    const auto inner = [&](GridCell cell) {
        const bool rowInside = area->rows() == 1 || (cell.row != area->top && cell.row != area->bottom);
        const bool columnInside = area->columns() == 1 || (cell.column != area->left && cell.column != area->right);
        return rowInside && columnInside;
    };
    const std::vector<GridCell> cells = m_selection.cells();
    if (std::ranges::none_of(cells, inner))
        return MapEdit::refused(NothingToSmooth);

    return each([&](GridCell cell) -> std::optional<int> {
        if (!inner(cell))
            return std::nullopt;
        std::int64_t sum = 0;
        std::int64_t weights = 0;
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                const GridCell neighbour{cell.row + dr, cell.column + dc};
                if (neighbour.row < 0 || neighbour.row >= kMapRows || neighbour.column < 0 ||
                    neighbour.column >= kMapColumns || !m_grid.isCellVisible(neighbour.row, neighbour.column))
                    continue;
                sum += static_cast<std::int64_t>(smoothingWeight(dr, dc)) * valueAt(neighbour);
                weights += smoothingWeight(dr, dc);
            }
        }
        return roundToStep(sum, weights, rangeAt(cell));
    });
}

MapEdit MapOperations::fillWithLiveCell(const LiveCell& live)
{
    if (live.engineRpm == 0)
        return MapEdit::refused(EngineStopped);
    const auto cell = liveMapCell(m_grid.page(), live);
    if (!cell || !m_grid.isCellVisible(cell->row, cell->column))
        return MapEdit::refused(NoLiveCell);
    return setValue(valueAt(*cell));
}

MapEdit MapOperations::step(StepDirection direction)
{
    return each([&](GridCell cell) -> std::optional<int> {
        const ControlRange range = rangeAt(cell);
        return roundToStep(valueAt(cell) + static_cast<int>(direction) * std::max(1, range.step), 1, range);
    });
}

} // namespace quorvel
