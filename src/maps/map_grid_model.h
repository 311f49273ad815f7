#pragma once

#include "core/colour_role.h"
#include "core/control_view.h"
#include "core/param_image.h"
#include "maps/grid_layout.h"
#include "model/map_page.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What changed in the grid when live marks were applied, so that only those are repainted.
struct GridRepaint {
    std::vector<int> cells;    // element 15 * row + column
    std::vector<int> rpmHeads; // columns
    std::vector<int> rowHeads; // rows

    [[nodiscard]] bool empty() const { return cells.empty() && rpmHeads.empty() && rowHeads.empty(); }
};

// The shared map grid without its widgets: what the one grid shows for the active map page.
// The page binding loads it with the values of fillMapPage and the layout of the page view,
// the widgets read it and write the user's edits into it, and the binding hands values() to
// collectMapPage. Edits are held as a spin box holds them: limited to the control's range.
class MapGridModel {
public:
    static constexpr int kRows = kMapRows;
    static constexpr int kColumns = kMapColumns;

    // Shows `page`: its values, its layout, and with the layout's time labels the stored
    // injection times of the page's map in ms. Colours are cleared when the page changes.
    void load(int page, MapPageValues values, const GridLayout& layout, const ParamImage& image);
    // A view refresh without a fill (a mode switch, "Ms" toggled): the new layout and times.
    void setLayout(const GridLayout& layout, const ParamImage& image);

    [[nodiscard]] int page() const { return m_page; }
    [[nodiscard]] const GridLayout& layout() const { return m_layout; }
    [[nodiscard]] const MapPageValues& values() const { return m_values; }

    // Cells: value in the page's unit, and what the cell displays (the value, or its time label).
    [[nodiscard]] ControlRange cellRange(int row) const { return m_values.rowRange(row); }
    [[nodiscard]] int cellValue(int row, int column) const;
    [[nodiscard]] std::string cellText(int row, int column) const;
    [[nodiscard]] const std::string& msText(int row, int column) const;
    // The stored injection time of a cell in ms while the grid shows times ("Ms"), else 0.
    [[nodiscard]] double msValue(int row, int column) const { return m_msValues[cellIndex(row, column)]; }
    [[nodiscard]] bool isCellVisible(int row, int column) const { return m_layout.cellVisible(row, column); }
    [[nodiscard]] bool isCellEditable(int row, int column) const { return m_layout.cellEditable(row, column); }
    [[nodiscard]] bool isRowHidden(int row) const { return !m_layout.rowShown(row); }
    [[nodiscard]] bool isColumnHidden(int column) const { return !m_layout.columnShown(column); }
    // False for a cell that cannot be edited or whose value stays as it was.
    bool setCellValue(int row, int column, int shown);
    // The up-down of a cell: `steps` steps of the page's step.
    bool stepCell(int row, int column, int steps);

    // RPM axis heads in rpm, 300..25000 in steps of 100.
    [[nodiscard]] static ControlRange rpmRange();
    [[nodiscard]] int rpmHead(int column) const;
    [[nodiscard]] bool isRpmHeadEditable() const { return m_layout.rpmUpDowns; }
    bool setRpmHead(int column, int rpm);

    // Row heads: the fixed openings "0%".."100%", or on "Inj-IAP" the IAP_IAP pressures in kPa,
    // which only there may be edited (0..1000, step 1).
    [[nodiscard]] bool hasPressureRows() const;
    [[nodiscard]] std::string rowHead(int row) const;
    [[nodiscard]] static ControlRange rowAxisRange();
    [[nodiscard]] int rowAxisValue(int row) const;
    bool setRowAxisValue(int row, int kPa);

    // The page's fields beside the cells (EditExtra_Uni, CheckBoxTps_Uni, CheckBoxServoEnable,
    // CheckBoxProcenta, RadioGroupServoMode, CheckBoxStepMotor), by control name and index.
    [[nodiscard]] std::span<const FieldValue> auxValues() const { return m_values.aux; }
    [[nodiscard]] const FieldValue* aux(std::string_view controlName, int index = -1) const;
    bool setAux(std::string_view controlName, int index, int shown);

    // Live marks of the monitor refresh; marks of controls outside the grid are ignored.
    GridRepaint applyMarks(std::span<const ControlMark> marks);
    [[nodiscard]] ColourRole cellColour(int row, int column) const;
    [[nodiscard]] ColourRole rpmHeadColour(int column) const;
    [[nodiscard]] ColourRole rowHeadColour(int row) const;

private:
    [[nodiscard]] static std::size_t cellIndex(int row, int column);

    int m_page = -1;
    GridLayout m_layout;
    MapPageValues m_values;
    std::array<std::string, kMapCells> m_ms;
    std::array<double, kMapCells> m_msValues{};
    std::array<ColourRole, kMapCells> m_cellColours{};
    std::array<ColourRole, kMapColumns> m_rpmColours{};
    std::array<ColourRole, kMapRows> m_throttleRowColours{};
    std::array<ColourRole, kMapRows> m_pressureRowColours{};
};

} // namespace quorvel
