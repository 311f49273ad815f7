#pragma once

#include "map_test_image.h"
#include "maps/grid_layout.h"
#include "maps/image_only_host.h"
#include "maps/map_grid_model.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"
#include "maps/tune_writer.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"

#include <vector>

namespace quorvel::testing_maps {

using Block = std::vector<std::vector<int>>;

// The start image with one map page shown in a grid model, as the window shows it, a selection
// over that page, and the writer every change of the tune goes through.
struct MapGridRig {
    InjectionTables tables;
    ParamImage image = defaultImage(tables);
    ImageOnlyHost host{image};
    TuneWriter writer{image, tables, host};
    MapGridModel grid;
    MapSelection selection;
    bool showMs = false; // the grid's "Ms"

    void show(int page)
    {
        const MapPageValues values =
            fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), page);
        const GridLayout layout = GridLayout::of(gridLayoutMode(image, page, showMs));
        grid.load(page, values, layout, image);
        selection.setLayout(layout);
    }

    [[nodiscard]] const MapLayout& map() const { return *MapTable::ofPage(grid.page()); }

    // Values typed into the cells from `topLeft`, row by row, in the page's unit.
    void type(GridCell topLeft, const Block& rows)
    {
        std::vector<CellInput> typed;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (std::size_t j = 0; j < rows[i].size(); ++j)
                typed.push_back(
                    {{topLeft.row + static_cast<int>(i), topLeft.column + static_cast<int>(j)}, rows[i][j]});
        }
        (void)writer.writeCells(map(), CellUnit::Shown, typed, RangePolicy::Hold);
        show(grid.page());
    }

    // Hands an operation's values to the writer and shows the page again.
    TuneWrite apply(const MapEdit& edit, RangePolicy policy = RangePolicy::Hold)
    {
        if (edit.refusal)
            return {edit.refusal, 0, 0, 0, false};
        const TuneWrite written = writer.writeCells(map(), edit.unit, edit.values, policy);
        show(grid.page());
        return written;
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
