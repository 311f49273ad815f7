#pragma once

#include "model/field_table.h"

#include <optional>

namespace quorvel {

// Where grid cell (row, column) of a map page lies in the image: the first byte and the width.
struct MapCellAddress {
    int offset = 0;
    FieldWidth width = FieldWidth::U8;

    bool operator==(const MapCellAddress&) const = default;
};

// Row 0 is the top row ("0%" or the lowest pressure), column 0 the lowest RPM point; empty for a
// page without a map or a cell outside 10 x 15.
[[nodiscard]] std::optional<MapCellAddress> mapCellAddress(int page, int row, int column);

} // namespace quorvel
