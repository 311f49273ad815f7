#pragma once

#include "core/param_image.h"
#include "model/map_layout.h"

#include <cstdint>
#include <vector>

namespace quorvel {

// How the shared map grid presents the active map page; the number is the mode the window keeps
// from the last view refresh.
enum class GridLayoutMode : std::uint8_t {
    Empty = 0,         // servo disabled: nothing to edit
    Full = 1,          // every cell visible and editable
    Follower = 2,      // coupled follower map: values shown, nothing editable
    FullTimes = 3,     // stored times shown in place of the cells, still stepped in percent
    FollowerTimes = 4, // coupled follower map as stored times only
    OneRow = 5,        // map by RPM only: row 9 alone, shown at the top
    OneColumn = 6,     // map by load only: column 0 alone, without the RPM axis
};

// What one mode shows of the grid. Everything else about a page (row axis, tools, auxiliary
// fields) is the page view's business.
struct GridLayout {
    GridLayoutMode mode = GridLayoutMode::Full;
    bool cellFields = true;   // the number fields of the cells
    bool cellsEnabled = true; // the cells take edits
    bool cellUpDowns = true;  // the cells step; in FullTimes through their hidden fields
    bool msLabels = false;    // the stored injection times stand in place of the cells
    bool rpmFields = true;    // the RPM axis heads and the "RPM" caption
    bool rpmUpDowns = true;
    bool columnSpins = true;

    [[nodiscard]] static GridLayout of(GridLayoutMode mode);

    // In OneRow only row 9 remains, in OneColumn only column 0; Empty hides every cell.
    [[nodiscard]] bool rowShown(int row) const;
    [[nodiscard]] bool columnShown(int column) const;
    // The shown rows and columns, in order.
    [[nodiscard]] std::vector<int> shownRows() const;
    [[nodiscard]] std::vector<int> shownColumns() const;
    // A cell shows either its value or its stored time.
    [[nodiscard]] bool cellVisible(int row, int column) const;
    // A cell whose value the user can change, by typing or by stepping.
    [[nodiscard]] bool cellEditable(int row, int column) const;

    bool operator==(const GridLayout&) const = default;
};

// The mode of a map page from the image and the grid's "Ms" option; Full for a page without a map.
[[nodiscard]] GridLayoutMode gridLayoutMode(const ParamImage& image, int page, bool showMs);

} // namespace quorvel
