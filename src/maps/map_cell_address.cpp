#include "maps/map_cell_address.h"

#include "model/map_layout.h"

namespace quorvel {

std::optional<MapCellAddress> mapCellAddress(int page, int row, int column)
{
    const MapLayout* map = MapTable::ofPage(page);
    if (map == nullptr || row < 0 || row >= kMapRows || column < 0 || column >= kMapColumns)
        return std::nullopt;
    return MapCellAddress{map->cellOffsetOf(row * kMapColumns + column), map->cellWidth};
}

} // namespace quorvel
