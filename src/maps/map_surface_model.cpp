#include "maps/map_surface_model.h"

#include "core/page_index.h"
#include "model/map_layout.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr std::string_view kCellMarkName = "EditMap_Uni";
constexpr int kServoVoltageStep = 20;

} // namespace

std::string_view mapValueTitle(const MapGridModel& grid)
{
    if (grid.layout().msLabels)
        return "AxisInjectionMs";
    switch (grid.page()) {
    case kPageAdvance:
        return "AxisAdvance";
    case kPageInjB:
        return "AxisInjectionB";
    case kPageIntakeServo:
    case kPageExhaustServo:
        return grid.cellRange(MapGridModel::kRows - 1).step == kServoVoltageStep ? "AxisServoMillivolts"
                                                                                 : "AxisServoPercent";
    default:
        return "AxisInjectionPercent";
    }
}

std::string_view mapRowTitle(const MapGridModel& grid)
{
    return grid.hasPressureRows() ? "AxisIap" : "AxisThrottle";
}

double mapCellValue(const MapGridModel& grid, int row, int column)
{
    return grid.viewUnit() == CellUnit::Milliseconds ? grid.msValue(row, column) : grid.cellValue(row, column);
}

int mapRowValue(const MapGridModel& grid, int row)
{
    return grid.hasPressureRows() ? grid.rowAxisValue(row) : kThrottleRowPercent.at(static_cast<std::size_t>(row));
}

std::optional<std::pair<int, ColourRole>> liveCellOf(std::span<const ControlMark> marks)
{
    for (const ControlMark& mark : marks) {
        if (mark.key.name == kCellMarkName && mark.colour != ColourRole::NormalWindow && mark.key.index >= 0 &&
            mark.key.index < kMapCells)
            return std::pair{mark.key.index, mark.colour};
    }
    return std::nullopt;
}

SurfaceChange MapSurfaceModel::update(const MapGridModel& grid)
{
    const std::vector<int> rows = grid.layout().shownRows();
    const std::vector<int> columns = grid.layout().shownColumns();
    std::array<int, kMapColumns> rpm{};
    std::array<int, kMapRows> load{};
    std::array<double, kMapCells> cells{};
    for (int c = 0; c < kMapColumns; ++c)
        rpm[static_cast<std::size_t>(c)] = grid.rpmHead(c);
    for (int r = 0; r < kMapRows; ++r) {
        load[static_cast<std::size_t>(r)] = mapRowValue(grid, r);
        for (int c = 0; c < kMapColumns; ++c)
            cells[static_cast<std::size_t>(r * kMapColumns + c)] = mapCellValue(grid, r, c);
    }

    SurfaceChange change;
    const bool samePage = grid.page() == m_page;
    change.series = !samePage || rows != m_rows || columns != m_columns || rpm != m_rpm || load != m_load ||
                    mapValueTitle(grid) != m_valueTitle || mapRowTitle(grid) != m_rowTitle;
    if (!change.series) {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            for (std::size_t j = 0; j < m_columns.size(); ++j) {
                const auto e = static_cast<std::size_t>(m_rows[i] * kMapColumns + m_columns[j]);
                if (cells[e] != m_cells[e])
                    change.points.push_back({static_cast<int>(i), static_cast<int>(j)});
            }
        }
        if (static_cast<int>(change.points.size()) > kManyPoints) {
            change.series = true;
            change.points.clear();
        }
    }
    if (!samePage) {
        m_liveElement = -1;
        change.selection = m_selection.has_value();
        m_selection.reset();
    }

    m_page = grid.page();
    m_rows = std::move(rows);
    m_columns = std::move(columns);
    m_rpm = rpm;
    m_load = load;
    m_cells = cells;
    m_valueTitle = mapValueTitle(grid);
    m_rowTitle = mapRowTitle(grid);

    std::optional<SurfaceMarker> marker = markerAt(m_liveElement, m_liveColour);
    change.marker = marker != m_marker;
    m_marker = marker;
    return change;
}

SurfaceChange MapSurfaceModel::setLiveMarks(std::span<const ControlMark> marks)
{
    const auto live = liveCellOf(marks);
    m_liveElement = live ? live->first : -1;
    m_liveColour = live ? live->second : ColourRole::Lime;
    std::optional<SurfaceMarker> marker = markerAt(m_liveElement, m_liveColour);
    SurfaceChange change;
    change.marker = marker != m_marker;
    m_marker = marker;
    return change;
}

SurfaceChange MapSurfaceModel::setSelection(std::optional<CellRect> selection)
{
    SurfaceChange change;
    change.selection = selection != m_selection;
    m_selection = selection;
    return change;
}

SurfacePoint MapSurfaceModel::point(SeriesIndex index) const
{
    return gridPoint(gridRow(index.row), gridColumn(index.column));
}

bool MapSurfaceModel::isSelected(SeriesIndex index) const
{
    return m_selection && m_selection->contains(GridCell{gridRow(index.row), gridColumn(index.column)});
}

SurfacePoint MapSurfaceModel::gridPoint(int row, int column) const
{
    return {static_cast<double>(m_rpm[static_cast<std::size_t>(column)]),
            m_cells[static_cast<std::size_t>(row * kMapColumns + column)],
            static_cast<double>(m_load[static_cast<std::size_t>(row)])};
}

std::optional<SurfaceMarker> MapSurfaceModel::markerAt(int element, ColourRole colour) const
{
    if (element < 0)
        return std::nullopt;
    const int row = element / kMapColumns;
    const int column = element % kMapColumns;
    if (std::ranges::find(m_rows, row) == m_rows.end() || std::ranges::find(m_columns, column) == m_columns.end())
        return std::nullopt;
    return SurfaceMarker{row, column, gridPoint(row, column), colour};
}

} // namespace quorvel
