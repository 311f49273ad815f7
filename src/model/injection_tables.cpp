#include "model/injection_tables.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr std::uint16_t kFullReference = 100; // percent
constexpr std::uint32_t kWordMaximum = 0xFFFF;

std::array<std::uint8_t, kMapColumns> axisOf(const ParamImage& image, MapId map)
{
    std::array<std::uint8_t, kMapColumns> axis{};
    for (int c = 0; c < kMapColumns; ++c)
        axis[static_cast<std::size_t>(c)] = axisPoint(image, map, c);
    return axis;
}

} // namespace

MapId mapOf(InjectionMap map)
{
    constexpr std::array kMaps = {MapId::Jet1A, MapId::Jet2A, MapId::Jet3A, MapId::Jet4A, MapId::Iap};
    return kMaps[static_cast<std::size_t>(map)];
}

std::optional<InjectionMap> injectionMapOf(MapId map)
{
    for (InjectionMap m : kInjectionMaps) {
        if (mapOf(m) == map)
            return m;
    }
    return std::nullopt;
}

BikeGridSet selectBikeGrids(const ParamImage& image)
{
    return bikeGridSet(image.byte(kBikeOffset));
}

std::uint16_t storedTime(std::uint16_t percent, std::uint16_t reference)
{
    const std::uint32_t time = (static_cast<std::uint32_t>(percent) * reference + 50) / 100;
    return static_cast<std::uint16_t>(std::min(time, kWordMaximum));
}

std::uint16_t shownPercent(std::uint16_t stored, std::uint16_t reference)
{
    const std::uint32_t safeReference = std::max(reference, kReferenceFloor);
    return static_cast<std::uint16_t>((static_cast<std::uint32_t>(stored) * 1000 / safeReference + 5) / 10);
}

InjectionTables::InjectionTables()
{
    for (PercentTable& table : m_percent)
        table.fill(kFullReference);
    for (ReferenceTable& table : m_reference)
        table.fill(kReferenceFloor);
}

void InjectionTables::computeReferenceTables(const ParamImage& image, const BikeGridSet& grids)
{
    const auto& pressureRows = grids.wideGrid ? kPressureRowsWide : kPressureRowsNarrow;
    for (InjectionMap m : kInjectionMaps) {
        const std::array<std::uint8_t, kMapColumns> axis = axisOf(image, mapOf(m));
        switch (m) {
        case InjectionMap::Jet1A:
        case InjectionMap::Jet4A:
            m_reference[index(m)] = interpolateReferences(*grids.outer, kThrottleRows, kThrottleRows, axis);
            break;
        case InjectionMap::Jet2A:
        case InjectionMap::Jet3A:
            m_reference[index(m)] = interpolateReferences(*grids.inner, kThrottleRows, kThrottleRows, axis);
            break;
        case InjectionMap::Iap:
            m_reference[index(m)] = interpolateReferences(*grids.iap, pressureRows, kIapEvaluationRows, axis);
            break;
        }
    }
}

void InjectionTables::percentToImage(InjectionMap map, ParamImage& image) const
{
    const PercentTable& percents = percent(map);
    const ReferenceTable& references = reference(map);
    for (std::size_t e = 0; e < kMapCells; ++e)
        setMapCell(image, mapOf(map), static_cast<int>(e), storedTime(percents[e], references[e]));
}

void InjectionTables::imageToPercent(InjectionMap map, const ParamImage& image)
{
    PercentTable& percents = percent(map);
    const ReferenceTable& references = reference(map);
    for (std::size_t e = 0; e < kMapCells; ++e)
        percents[e] = shownPercent(mapCell(image, mapOf(map), static_cast<int>(e)), references[e]);
}

void InjectionTables::storeAllAgainst(ParamImage& image, const BikeGridSet& grids)
{
    computeReferenceTables(image, grids);
    for (InjectionMap m : kInjectionMaps)
        percentToImage(m, image);
}

void InjectionTables::refreshFromImage(const ParamImage& image)
{
    computeReferenceTables(image, selectBikeGrids(image));
    for (InjectionMap m : kInjectionMaps)
        imageToPercent(m, image);
}

} // namespace quorvel
