#pragma once

#include "map_test_image.h"
#include "maps/grid_layout.h"
#include "maps/map_grid_model.h"
#include "maps/map_selection.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"

#include <vector>

namespace quorvel::testing_maps {

using Block = std::vector<std::vector<int>>;

// The start image with one map page shown in a grid model, as the window shows it, and a
// selection over that page.
struct MapGridRig {
    InjectionTables tables;
    ParamImage image = defaultImage(tables);
    MapGridModel grid;
    MapSelection selection;

    void show(int page)
    {
        const MapPageValues values =
            fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), page);
        const GridLayout layout = GridLayout::of(gridLayoutMode(image, page, false));
        grid.load(page, values, layout, image);
        selection.setLayout(layout);
    }

    // Values typed into the cells from `topLeft`, row by row.
    void type(GridCell topLeft, const Block& rows)
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (std::size_t j = 0; j < rows[i].size(); ++j)
                grid.setCellValue(topLeft.row + static_cast<int>(i), topLeft.column + static_cast<int>(j), rows[i][j]);
        }
    }

    [[nodiscard]] Block block(CellRect area) const
    {
        Block rows;
        for (int r = area.top; r <= area.bottom; ++r) {
            auto& row = rows.emplace_back();
            for (int c = area.left; c <= area.right; ++c)
                row.push_back(grid.cellValue(r, c));
        }
        return rows;
    }

    void select(GridCell from, GridCell to)
    {
        selection.press(from);
        selection.extendTo(to);
    }
};

} // namespace quorvel::testing_maps
