#pragma once

#include <algorithm>

namespace quorvel {

// A cell of the map grid: row 0..9 from the top, column 0..14 from the left.
struct GridCell {
    int row = 0;
    int column = 0;

    bool operator==(const GridCell&) const = default;
};

// A rectangle of grid cells, both corners included.
struct CellRect {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    [[nodiscard]] static CellRect spanning(GridCell a, GridCell b)
    {
        return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
                std::max(a.column, b.column)};
    }
    [[nodiscard]] int rows() const { return bottom - top + 1; }
    [[nodiscard]] int columns() const { return right - left + 1; }
    [[nodiscard]] bool contains(GridCell cell) const
    {
        return cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right;
    }

    bool operator==(const CellRect&) const = default;
};

} // namespace quorvel
