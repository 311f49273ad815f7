#pragma once

#include "maps/grid_cell.h"
#include "maps/grid_layout.h"

#include <optional>
#include <vector>

namespace quorvel {

// The block of map cells the user has selected, in grid coordinates: the rectangle between the
// anchor (where a drag or Shift selection started) and the current cell. Only cells the page's
// layout shows can be part of it: the anchor and the current cell always lie on shown rows and
// columns, so a one-row page selects along row 9 and a one-column page along column 0.
class MapSelection {
public:
    // The layout of the page the grid shows. A selection that survives a mode switch or a page
    // change moves onto the nearest shown cells; on a page that shows no cell it is cleared.
    void setLayout(const GridLayout& layout);
    [[nodiscard]] const GridLayout& layout() const { return m_layout; }

    // A click, or the cell where a drag starts: that cell alone.
    void press(GridCell cell);
    // The mouse dragged over `cell`, or Shift+click: from the anchor to `cell`.
    void extendTo(GridCell cell);
    // An arrow key: the current cell moves over the shown rows and columns, stopping at the edge;
    // with Shift (`extend`) the anchor stays, without it the selection becomes the one cell.
    void move(int rows, int columns, bool extend);
    // Ctrl+A: every shown cell.
    void selectAll();
    void clear();

    [[nodiscard]] bool empty() const { return !m_active; }
    // More than one cell: what makes F4/F5 act on the selection rather than on the live cell.
    [[nodiscard]] bool isBlock() const;
    [[nodiscard]] GridCell anchor() const { return m_anchor; }
    [[nodiscard]] GridCell current() const { return m_current; }
    [[nodiscard]] std::optional<CellRect> rect() const;
    [[nodiscard]] bool contains(GridCell cell) const;
    // The selected cells row by row, each shown by the layout.
    [[nodiscard]] std::vector<GridCell> cells() const;

private:
    // The shown cell nearest to `cell`; none when the layout shows no cell.
    [[nodiscard]] std::optional<GridCell> nearestShown(GridCell cell) const;

    GridLayout m_layout = GridLayout::of(GridLayoutMode::Full);
    bool m_active = false;
    GridCell m_anchor;
    GridCell m_current;
};

} // namespace quorvel
