#include "maps/map_operations.h"

#include "maps/cell_scale.h"
#include "model/step_rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

MapOperations::MapOperations(const MapGridModel& grid, const MapSelection& selection)
    : m_grid(grid)
    , m_selection(selection)
    , m_unit(grid.viewUnit())
{
}

std::int64_t MapOperations::ticksPerUnit() const
{
    return m_unit == CellUnit::Milliseconds ? CellScale::kTicksPerMillisecond : 1;
}

std::int64_t MapOperations::valueAt(GridCell cell) const
{
    return m_grid.cellReading(m_unit, cell.row, cell.column);
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

template <typename Target> MapEdit MapOperations::each(Target target) const
{
    if (const auto refusal = checkEditable())
        return MapEdit::refused(refusal->message);
    MapEdit edit;
    edit.unit = m_unit;
    for (GridCell cell : m_selection.cells()) {
        if (const std::optional<Ticks> value = target(cell))
            edit.values.push_back({cell, value->numerator, value->denominator * ticksPerUnit()});
    }
    return edit;
}

MapEdit MapOperations::setValue(double value)
{
    const std::int64_t ticks = std::llround(value * static_cast<double>(ticksPerUnit()));
    return each([&](GridCell) -> std::optional<Ticks> { return Ticks{ticks}; });
}

MapEdit MapOperations::add(double delta)
{
    const std::int64_t ticks = std::llround(delta * static_cast<double>(ticksPerUnit()));
    return each([&](GridCell cell) -> std::optional<Ticks> {
        if (m_unit == CellUnit::Milliseconds)
            return Ticks{valueAt(cell) + ticks};
        const std::int64_t step = std::max(1, m_grid.cellRange(cell.row).step);
        return Ticks{valueAt(cell) + roundHalfAwayFromZero(ticks, step) * step};
    });
}

MapEdit MapOperations::scale(double percent)
{
    if (!std::isfinite(percent) || percent < 0)
        return MapEdit::refused(NegativePercentage);
    const auto factor = static_cast<std::int64_t>(std::llround(percent * kPercentResolution));
    return each([&](GridCell cell) -> std::optional<Ticks> { return Ticks{valueAt(cell) * factor, kWholeValue}; });
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
    return each([&](GridCell cell) -> std::optional<Ticks> {
        const int u = cell.column - area->left;
        const int t = cell.row - area->top;
        switch (axis) {
        case InterpolationAxis::Horizontal:
            if (u == 0 || u == width)
                return std::nullopt;
            return Ticks{linearNumerator(at(cell.row, area->left), at(cell.row, area->right), u, width), width};
        case InterpolationAxis::Vertical:
            if (t == 0 || t == height)
                return std::nullopt;
            return Ticks{linearNumerator(at(area->top, cell.column), at(area->bottom, cell.column), t, height), height};
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
        return Ticks{upper * (spanDown - t) + lower * t, static_cast<std::int64_t>(spanAcross) * spanDown};
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

    return each([&](GridCell cell) -> std::optional<Ticks> {
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
        return Ticks{sum, weights};
    });
}

MapEdit MapOperations::fillWithLiveCell(const LiveCell& live)
{
    if (live.engineRpm == 0)
        return MapEdit::refused(EngineStopped);
    const auto cell = liveMapCell(m_grid.page(), live);
    if (!cell || !m_grid.isCellVisible(cell->row, cell->column))
        return MapEdit::refused(NoLiveCell);
    const std::int64_t value = valueAt(*cell);
    return each([&](GridCell) -> std::optional<Ticks> { return Ticks{value}; });
}

MapEdit MapOperations::step(StepDirection direction)
{
    MapEdit edit = each([&](GridCell cell) -> std::optional<Ticks> {
        const int step = std::max(1, m_grid.cellRange(cell.row).step);
        return Ticks{m_grid.cellValue(cell.row, cell.column) + static_cast<int>(direction) * step};
    });
    // A step is one of the page's own steps, whatever the view shows.
    edit.unit = CellUnit::Shown;
    for (CellInput& value : edit.values)
        value.denominator = 1;
    return edit;
}

} // namespace quorvel
