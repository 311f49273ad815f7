#pragma once

#include "core/param_image.h"
#include "model/field_table.h"
#include "model/injection_tables.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"

#include <array>
#include <vector>

namespace quorvel {

// One value shown by a control of the map grid outside the cells: an extra field, a check box
// or the servo-mode radio group of the page.
struct FieldValue {
    FieldElement target;
    int shown = 0;

    bool operator==(const FieldValue&) const = default;
};

// What the shared map grid shows for one map page, in shown units. The grid only shows and
// edits these; moving them to and from the image is fillMapPage and collectMapPage.
struct MapPageValues {
    std::array<int, kMapColumns> rpm{}; // RPM axis heads in rpm
    std::array<int, kMapRows> rows{};   // row-axis fields: IAP_IAP in kPa (visible on "Inj-IAP" only)
    std::array<int, kMapCells> cells{}; // degrees, percent of the reference time, percent or mV
    ControlRange cellRange;             // the cell controls' range and step on this page
    ControlRange firstRowRange;         // the same, or less on the first row of a servo map
    std::vector<FieldValue> aux;        // the page's other fields, in field-table order
    ReferenceTable references{};        // the reference time of each cell (us) of an injection map

    [[nodiscard]] ControlRange rowRange(int row) const { return row == 0 ? firstRowRange : cellRange; }
};

// The cell range of a map page's row: "Advance" 60, the injection pages 1000 (percent), "Inj-B"
// 100, a servo page 100 in percent mode, else 5000 mV in steps of 20 (4980 mV on the first row).
[[nodiscard]] ControlRange mapCellRange(const ParamImage& image, const MapLayout& map, int row);

// Shows a map page. In mode "1=2=3=4" the 2A..4A axes and maps become copies of 1A first and
// their percent tables follow them. `grids` are the reference grids of the image's bike
// (selectBikeGrids). Values outside a control's range are shown as its nearest bound.
[[nodiscard]] MapPageValues fillMapPage(ParamImage& image, InjectionTables& tables, const BikeGridSet& grids,
                                        JetCoupling coupling, int page);

// Stores a map page: the axis (on "Inj-1A" with its coupling), the references for the new
// axes, IAP_IAP, the cells (percentages through the reference times on the injection pages),
// then the page's other fields. Shown values beyond a control's range are taken at its bound.
void collectMapPage(ParamImage& image, InjectionTables& tables, const BikeGridSet& grids, JetCoupling coupling,
                    int page, const MapPageValues& values);

} // namespace quorvel
