#include "model/map_cell_rules.h"

#include "model/jet_coupling.h"
#include "model/map_page.h"

namespace quorvel {

std::string_view shownUnit(const ParamImage& image, const MapLayout& map)
{
    switch (map.id) {
    case MapId::Advance:
        return "deg";
    case MapId::JetB:
        return "raw";
    case MapId::ServoIn:
    case MapId::ServoEx:
        // Only voltage mode steps by more than one.
        return mapCellRange(image, map, kMapRows - 1).step > 1 ? "mV" : "%";
    default:
        return "%";
    }
}

bool takesTimes(const MapLayout& map)
{
    return map.cellWidth == FieldWidth::U16;
}

std::string_view unitName(const ParamImage& image, const MapLayout& map, CellUnit unit)
{
    return unit == CellUnit::Milliseconds && takesTimes(map) ? kMillisecondsUnit : shownUnit(image, map);
}

bool followsJet1A(const ParamImage& image, const MapLayout& map)
{
    const JetCoupling coupling = JetCoupling::fromImage(image);
    const bool follower = map.id == MapId::Jet2A || map.id == MapId::Jet3A || map.id == MapId::Jet4A;
    return follower && (coupling.coupled || coupling.same);
}

} // namespace quorvel
