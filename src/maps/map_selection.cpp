#include "maps/map_selection.h"

#include "model/map_layout.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel {
namespace {

// The entry of `shown` nearest to `wanted`; the lower one of two as near.
int nearest(const std::vector<int>& shown, int wanted)
{
    int best = shown.front();
    for (int candidate : shown) {
        if (std::abs(candidate - wanted) < std::abs(best - wanted))
            best = candidate;
    }
    return best;
}

// `from` moved by `by` places along `shown`, held at its ends.
int movedAlong(const std::vector<int>& shown, int from, int by)
{
    const auto at = std::ranges::find(shown, nearest(shown, from)) - shown.begin();
    const auto last = static_cast<std::ptrdiff_t>(shown.size()) - 1;
    return shown[static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(at + by, 0, last))];
}

} // namespace

void MapSelection::setLayout(const GridLayout& layout)
{
    m_layout = layout;
    if (!m_active)
        return;
    const auto anchor = nearestShown(m_anchor);
    const auto current = nearestShown(m_current);
    if (!anchor || !current) {
        clear();
        return;
    }
    m_anchor = *anchor;
    m_current = *current;
}

void MapSelection::press(GridCell cell)
{
    const auto shown = nearestShown(cell);
    m_active = shown.has_value();
    if (shown)
        m_anchor = m_current = *shown;
}

void MapSelection::extendTo(GridCell cell)
{
    if (!m_active) {
        press(cell);
        return;
    }
    if (const auto shown = nearestShown(cell))
        m_current = *shown;
}

void MapSelection::move(int rows, int columns, bool extend)
{
    if (!m_active)
        return;
    m_current = {movedAlong(m_layout.shownRows(), m_current.row, rows),
                 movedAlong(m_layout.shownColumns(), m_current.column, columns)};
    if (!extend)
        m_anchor = m_current;
}

void MapSelection::selectAll()
{
    const std::vector<int> rows = m_layout.shownRows();
    const std::vector<int> columns = m_layout.shownColumns();
    m_active = !rows.empty() && !columns.empty();
    if (m_active) {
        m_anchor = {rows.front(), columns.front()};
        m_current = {rows.back(), columns.back()};
    }
}

void MapSelection::clear()
{
    m_active = false;
}

bool MapSelection::isBlock() const
{
    return m_active && m_anchor != m_current;
}

std::optional<CellRect> MapSelection::rect() const
{
    if (!m_active)
        return std::nullopt;
    return CellRect::spanning(m_anchor, m_current);
}

bool MapSelection::contains(GridCell cell) const
{
    const auto area = rect();
    return area && area->contains(cell) && m_layout.cellVisible(cell.row, cell.column);
}

std::vector<GridCell> MapSelection::cells() const
{
    std::vector<GridCell> cells;
    const auto area = rect();
    if (!area)
        return cells;
    for (int r = area->top; r <= area->bottom; ++r) {
        for (int c = area->left; c <= area->right; ++c) {
            if (m_layout.cellVisible(r, c))
                cells.push_back({r, c});
        }
    }
    return cells;
}

std::optional<GridCell> MapSelection::nearestShown(GridCell cell) const
{
    const std::vector<int> rows = m_layout.shownRows();
    const std::vector<int> columns = m_layout.shownColumns();
    if (rows.empty() || columns.empty() || !m_layout.cellVisible(rows.front(), columns.front()))
        return std::nullopt;
    return GridCell{nearest(rows, cell.row), nearest(columns, cell.column)};
}

} // namespace quorvel
