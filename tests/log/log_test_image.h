#pragma once

#include "core/param_image.h"
#include "model/map_layout.h"

namespace quorvel::test {

// Every RPM axis at 1000, 2000 .. 15000 rpm, the pressure rows at 30, 40 .. 120 kPa, and every
// cell of the injection maps at `injectionUs`.
inline ParamImage logTestImage(std::uint16_t injectionUs = 2000)
{
    ParamImage image;
    for (const MapLayout& map : MapTable::all()) {
        for (int c = 0; c < kMapColumns; ++c)
            image.setByte(map.axisOffset + c, static_cast<std::uint8_t>(10 * (c + 1)));
    }
    for (int r = 0; r < kMapRows; ++r)
        setIapRow(image, r, static_cast<std::uint16_t>(30 + 10 * r));
    for (MapId map : {MapId::Jet1A, MapId::Jet2A, MapId::Jet3A, MapId::Jet4A, MapId::Iap}) {
        for (int e = 0; e < kMapCells; ++e)
            setMapCell(image, map, e, injectionUs);
    }
    return image;
}

inline constexpr int element(int row, int column)
{
    return row * kMapColumns + column;
}

} // namespace quorvel::test
