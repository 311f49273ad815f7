#pragma once

#include "core/colour_role.h"
#include "core/control_view.h"
#include "maps/grid_cell.h"
#include "maps/map_grid_model.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// A point of a drawn series: row and column of the series, not of the grid.
struct SeriesIndex {
    int row = 0;
    int column = 0;

    bool operator==(const SeriesIndex&) const = default;
};

// x: rpm of the column head; y: the cell in the page's shown unit (ms while the grid shows the
// stored times); z: the row head in % of throttle or kPa.
struct SurfacePoint {
    double x = 0;
    double y = 0;
    double z = 0;

    bool operator==(const SurfacePoint&) const = default;
};

// The live operating cell as the 3D view draws it.
struct SurfaceMarker {
    int row = 0; // of the grid
    int column = 0;
    SurfacePoint at;
    ColourRole colour = ColourRole::Lime; // yellow while both kinds of map share the work

    bool operator==(const SurfaceMarker&) const = default;
};

// What the 3D view has to redraw after an update, as little as possible.
struct SurfaceChange {
    bool series = false;             // everything: another page, layout, axis or many cells
    std::vector<SeriesIndex> points; // only these points (when `series` is false)
    bool marker = false;             // the live cell moved, came or went
    bool selection = false;          // the highlighted rectangle changed

    [[nodiscard]] bool empty() const { return !series && points.empty() && !marker && !selection; }
};

// The data of the 3D surface of the active map page: the grid's values in shown units over its
// RPM and row heads, the live operating cell as a marker and the selection as a highlight. It
// reads the grid model and the live marks the grid gets, never the image, and edits nothing.
// Rows of the series are the grid rows shown, lowest load first; columns the grid columns shown.
class MapSurfaceModel {
public:
    // Cells of the drawn series at which one update stops listing single points.
    static constexpr int kManyPoints = 40;

    // After every fill of the grid and every edit: compares with what was drawn last.
    SurfaceChange update(const MapGridModel& grid);
    // Every tick, with the marks the grid is given: the live cell is the one marked cell.
    SurfaceChange setLiveMarks(std::span<const ControlMark> marks);
    SurfaceChange setSelection(std::optional<CellRect> selection);

    [[nodiscard]] int page() const { return m_page; }
    // A surface needs two rows and two columns: a one-row, one-column or empty page is drawn by
    // the curve view instead.
    [[nodiscard]] bool drawable() const { return rowCount() >= 2 && columnCount() >= 2; }
    [[nodiscard]] int rowCount() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] int columnCount() const { return static_cast<int>(m_columns.size()); }
    [[nodiscard]] int gridRow(int seriesRow) const { return m_rows.at(static_cast<std::size_t>(seriesRow)); }
    [[nodiscard]] int gridColumn(int seriesColumn) const
    {
        return m_columns.at(static_cast<std::size_t>(seriesColumn));
    }
    [[nodiscard]] SurfacePoint point(SeriesIndex index) const;

    // Names of the axis titles in the view texts.
    [[nodiscard]] static std::string_view xTitle() { return "AxisRpm"; }
    [[nodiscard]] std::string_view yTitle() const { return m_valueTitle; }
    [[nodiscard]] std::string_view zTitle() const { return m_rowTitle; }

    [[nodiscard]] const std::optional<SurfaceMarker>& marker() const { return m_marker; }
    [[nodiscard]] const std::optional<CellRect>& selection() const { return m_selection; }
    [[nodiscard]] bool isSelected(SeriesIndex index) const;

private:
    [[nodiscard]] SurfacePoint gridPoint(int row, int column) const;
    [[nodiscard]] std::optional<SurfaceMarker> markerAt(int element, ColourRole colour) const;

    int m_page = -1;
    std::vector<int> m_rows;
    std::vector<int> m_columns;
    std::array<int, kMapColumns> m_rpm{};
    std::array<int, kMapRows> m_load{};
    std::array<double, kMapCells> m_cells{};
    std::string_view m_valueTitle;
    std::string_view m_rowTitle;
    std::optional<SurfaceMarker> m_marker;
    int m_liveElement = -1;
    ColourRole m_liveColour = ColourRole::Lime;
    std::optional<CellRect> m_selection;
};

// The names of the value axis and the row axis of a map page as the views title them.
[[nodiscard]] std::string_view mapValueTitle(const MapGridModel& grid);
[[nodiscard]] std::string_view mapRowTitle(const MapGridModel& grid);
// The row head of a grid row in its unit: % of throttle, or kPa on "Inj-IAP".
[[nodiscard]] int mapRowValue(const MapGridModel& grid, int row);
// A cell as the grid shows it: its value, or its stored time in ms while "Ms" shows times.
[[nodiscard]] double mapCellValue(const MapGridModel& grid, int row, int column);
// The live cell among the marks of a map page: the element of the one grid cell not in the
// normal colour, and that colour.
[[nodiscard]] std::optional<std::pair<int, ColourRole>> liveCellOf(std::span<const ControlMark> marks);

} // namespace quorvel
