#include "maps/map_grid_model.h"

#include "core/page_index.h"
#include "core/text_format.h"
#include "model/field_codec.h"
#include "model/map_layout.h"

#include <algorithm>
#include <cassert>

namespace quorvel {
namespace {

constexpr std::string_view kMsFormat = "%5.3f "; // a stored time in us shown in ms

template <typename Array> void changeColour(Array& colours, int index, ColourRole colour, std::vector<int>& changed)
{
    if (index < 0 || index >= static_cast<int>(colours.size()))
        return;
    ColourRole& current = colours[static_cast<std::size_t>(index)];
    if (current == colour)
        return;
    current = colour;
    if (std::ranges::find(changed, index) == changed.end())
        changed.push_back(index);
}

// The field value a control of the grid edits on `page`, from a const or a mutable list.
template <typename Values>
auto findAux(Values& values, int page, std::string_view controlName, int index) -> decltype(&values.front())
{
    const auto target = FieldTable::byControl(controlName, index, page);
    if (!target)
        return nullptr;
    const auto it = std::ranges::find(values, *target, &FieldValue::target);
    return it == values.end() ? nullptr : &*it;
}

} // namespace

std::size_t MapGridModel::cellIndex(int row, int column)
{
    assert(row >= 0 && row < kRows && column >= 0 && column < kColumns);
    return static_cast<std::size_t>(row * kColumns + column);
}

void MapGridModel::load(int page, MapPageValues values, const GridLayout& layout, const ParamImage& image)
{
    assert(MapTable::ofPage(page) != nullptr);
    if (page != m_page) {
        m_cellColours.fill(ColourRole::NormalWindow);
        m_rpmColours.fill(ColourRole::NormalWindow);
        m_throttleRowColours.fill(ColourRole::NormalFace);
        m_pressureRowColours.fill(ColourRole::NormalWindow);
    }
    m_page = page;
    m_values = std::move(values);
    setLayout(layout, image);
}

void MapGridModel::setLayout(const GridLayout& layout, const ParamImage& image)
{
    const MapLayout* map = MapTable::ofPage(m_page);
    assert(map != nullptr);
    m_layout = layout;
    const bool times = layout.msLabels && map->cellWidth == FieldWidth::U16;
    for (int e = 0; e < kMapCells; ++e) {
        const double ms = times ? mapCell(image, map->id, e) * 0.001 : 0.0;
        m_msValues[static_cast<std::size_t>(e)] = ms;
        m_ms[static_cast<std::size_t>(e)] = times ? formatText(kMsFormat, ms) : "";
    }
}

int MapGridModel::cellValue(int row, int column) const
{
    return m_values.cells[cellIndex(row, column)];
}

std::string MapGridModel::cellText(int row, int column) const
{
    return m_layout.msLabels ? msText(row, column) : std::to_string(cellValue(row, column));
}

const std::string& MapGridModel::msText(int row, int column) const
{
    return m_ms[cellIndex(row, column)];
}

bool MapGridModel::setCellValue(int row, int column, int shown)
{
    if (!isCellEditable(row, column))
        return false;
    int& cell = m_values.cells[cellIndex(row, column)];
    const ControlRange range = cellRange(row);
    const int next = std::clamp(shown, range.minimum, range.maximum);
    if (next == cell)
        return false;
    cell = next;
    return true;
}

bool MapGridModel::stepCell(int row, int column, int steps)
{
    return setCellValue(row, column, cellValue(row, column) + steps * cellRange(row).step);
}

ControlRange MapGridModel::rpmRange()
{
    return {kAxisRpmMinimum, kAxisRpmMaximum, kAxisRpmStep};
}

int MapGridModel::rpmHead(int column) const
{
    return m_values.rpm.at(static_cast<std::size_t>(column));
}

bool MapGridModel::setRpmHead(int column, int rpm)
{
    if (!m_layout.rpmUpDowns || !m_layout.columnShown(column))
        return false;
    int& head = m_values.rpm.at(static_cast<std::size_t>(column));
    const int next = std::clamp(rpm, kAxisRpmMinimum, kAxisRpmMaximum);
    if (next == head)
        return false;
    head = next;
    return true;
}

bool MapGridModel::hasPressureRows() const
{
    return m_page == kPageInjIap;
}

std::string MapGridModel::rowHead(int row) const
{
    if (hasPressureRows())
        return std::to_string(rowAxisValue(row));
    return std::to_string(kThrottleRowPercent.at(static_cast<std::size_t>(row))) + "%";
}

ControlRange MapGridModel::rowAxisRange()
{
    return {0, kIapRowsMaximum, 1};
}

int MapGridModel::rowAxisValue(int row) const
{
    return m_values.rows.at(static_cast<std::size_t>(row));
}

bool MapGridModel::setRowAxisValue(int row, int kPa)
{
    if (!hasPressureRows())
        return false;
    int& value = m_values.rows.at(static_cast<std::size_t>(row));
    const int next = std::clamp(kPa, 0, kIapRowsMaximum);
    if (next == value)
        return false;
    value = next;
    return true;
}

const FieldValue* MapGridModel::aux(std::string_view controlName, int index) const
{
    return findAux(m_values.aux, m_page, controlName, index);
}

bool MapGridModel::setAux(std::string_view controlName, int index, int shown)
{
    FieldValue* found = findAux(m_values.aux, m_page, controlName, index);
    if (found == nullptr)
        return false;
    FieldValue& value = *found;
    const int next = clampToControl(*value.target.field, shown);
    if (next == value.shown)
        return false;
    value.shown = next;
    return true;
}

GridRepaint MapGridModel::applyMarks(std::span<const ControlMark> marks)
{
    GridRepaint repaint;
    for (const ControlMark& mark : marks) {
        const std::string_view name = mark.key.name;
        if (name == "EditMap_Uni") {
            changeColour(m_cellColours, mark.key.index, mark.colour, repaint.cells);
        } else if (name == "EditRpm_Uni") {
            changeColour(m_rpmColours, mark.key.index, mark.colour, repaint.rpmHeads);
        } else if (name == "LabelRow_Uni" && !hasPressureRows()) {
            changeColour(m_throttleRowColours, mark.key.index, mark.colour, repaint.rowHeads);
        } else if (name == "EditRow_Uni" && hasPressureRows()) {
            changeColour(m_pressureRowColours, mark.key.index, mark.colour, repaint.rowHeads);
        }
    }
    return repaint;
}

ColourRole MapGridModel::cellColour(int row, int column) const
{
    return m_cellColours[cellIndex(row, column)];
}

ColourRole MapGridModel::rpmHeadColour(int column) const
{
    return m_rpmColours.at(static_cast<std::size_t>(column));
}

ColourRole MapGridModel::rowHeadColour(int row) const
{
    const auto& colours = hasPressureRows() ? m_pressureRowColours : m_throttleRowColours;
    return colours.at(static_cast<std::size_t>(row));
}

} // namespace quorvel
