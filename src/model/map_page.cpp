#include "model/map_page.h"

#include "model/field_codec.h"

#include <algorithm>
#include <cassert>

namespace quorvel {
namespace {

constexpr int kServoVoltageStep = 20;     // mV per stored unit of a servo cell in voltage mode
constexpr int kServoVoltageMaximum = 250; // 5000 mV
constexpr int kPercentMaximum = 1000;
// A coupled axis point shifted beyond one byte is held at 25000 rpm rather than wrapped; the
// sanitiser then orders the axis.
constexpr int kCoupledAxisMaximum = 250;
constexpr std::array kFollowers = {MapId::Jet2A, MapId::Jet3A, MapId::Jet4A};
constexpr std::array kFollowerTables = {InjectionMap::Jet2A, InjectionMap::Jet3A, InjectionMap::Jet4A};

bool inPercentMode(const ParamImage& image, MapId map)
{
    const char* option = map == MapId::ServoIn ? "ServoInProcent" : "ServoExProcent";
    return image.byte(FieldTable::byName(option)->offset) != 0;
}

bool isServo(MapId map)
{
    return map == MapId::ServoIn || map == MapId::ServoEx;
}

// Stored units per shown unit of a byte map's cells.
int cellDivisor(const ParamImage& image, MapId map)
{
    return isServo(map) && !inPercentMode(image, map) ? kServoVoltageStep : 1;
}

std::uint8_t axisCode(int shownRpm)
{
    return static_cast<std::uint8_t>(std::clamp(shownRpm, kAxisRpmMinimum, kAxisRpmMaximum) / kAxisRpmStep);
}

// "1=2=3=4": the three other A maps and their percentages become those of JET_1A.
void copyJet1AMaps(ParamImage& image, InjectionTables& tables)
{
    for (std::size_t i = 0; i < kFollowers.size(); ++i) {
        copyMapCells(image, MapId::Jet1A, kFollowers[i]);
        tables.imageToPercent(kFollowerTables[i], image);
    }
}

void collectJet1AAxis(ParamImage& image, JetCoupling coupling, const std::array<int, kMapColumns>& rpm)
{
    for (int c = 0; c < kMapColumns; ++c) {
        const std::uint8_t next = axisCode(rpm[static_cast<std::size_t>(c)]);
        const std::uint8_t previous = axisPoint(image, MapId::Jet1A, c);
        if (coupling.coupled && next != previous) {
            for (MapId follower : kFollowers) {
                const int shifted = axisPoint(image, follower, c) + next - previous;
                setAxisPoint(image, follower, c,
                             static_cast<std::uint8_t>(std::clamp(shifted, 0, kCoupledAxisMaximum)));
            }
        }
        setAxisPoint(image, MapId::Jet1A, c, next);
        if (coupling.same) {
            for (MapId follower : kFollowers)
                setAxisPoint(image, follower, c, next);
        }
    }
}

void collectJet1ACells(ParamImage& image, InjectionTables& tables, JetCoupling coupling,
                       const std::array<int, kMapCells>& cells)
{
    PercentTable& lead = tables.percent(InjectionMap::Jet1A);
    for (std::size_t e = 0; e < kMapCells; ++e) {
        const auto next = static_cast<std::uint16_t>(std::clamp(cells[e], 0, kPercentMaximum));
        if (coupling.coupled && next != lead[e]) {
            for (InjectionMap follower : kFollowerTables) {
                std::uint16_t& percent = tables.percent(follower)[e];
                percent = static_cast<std::uint16_t>(std::clamp(percent + next - lead[e], 0, kPercentMaximum));
            }
        }
        lead[e] = next;
    }
    tables.percentToImage(InjectionMap::Jet1A, image);
    if (coupling.coupled) {
        for (InjectionMap follower : kFollowerTables)
            tables.percentToImage(follower, image);
    }
    if (coupling.same)
        copyJet1AMaps(image, tables);
}

} // namespace

ControlRange mapCellRange(const ParamImage& image, const MapLayout& map, int row)
{
    if (injectionMapOf(map.id))
        return {0, kPercentMaximum, 1};
    if (isServo(map.id) && !inPercentMode(image, map.id)) {
        const int stored = row == 0 ? kServoFirstRowMaximum : kServoVoltageMaximum;
        return {0, kServoVoltageStep * stored, kServoVoltageStep};
    }
    return {0, map.cellMaximum, 1};
}

MapPageValues fillMapPage(ParamImage& image, InjectionTables& tables, const BikeGridSet& grids, JetCoupling coupling,
                          int page)
{
    const MapLayout* map = MapTable::ofPage(page);
    assert(map != nullptr);
    MapPageValues values;

    if (coupling.same) {
        for (MapId follower : kFollowers)
            copyAxis(image, MapId::Jet1A, follower);
    }
    for (int c = 0; c < kMapColumns; ++c) {
        values.rpm[static_cast<std::size_t>(c)] =
            std::clamp(kAxisRpmStep * axisPoint(image, map->id, c), kAxisRpmMinimum, kAxisRpmMaximum);
    }
    tables.computeReferenceTables(image, grids);
    for (int r = 0; r < kMapRows; ++r)
        values.rows[static_cast<std::size_t>(r)] = std::min<int>(iapRow(image, r), kIapRowsMaximum);
    if (coupling.same)
        copyJet1AMaps(image, tables);

    values.cellRange = mapCellRange(image, *map, 1);
    values.firstRowRange = mapCellRange(image, *map, 0);
    if (const auto injection = injectionMapOf(map->id)) {
        tables.imageToPercent(*injection, image);
        values.references = tables.reference(*injection);
        const PercentTable& percents = tables.percent(*injection);
        for (std::size_t e = 0; e < kMapCells; ++e)
            values.cells[e] = std::min<int>(percents[e], values.cellRange.maximum);
    } else {
        const int step = cellDivisor(image, map->id);
        for (int e = 0; e < kMapCells; ++e)
            values.cells[static_cast<std::size_t>(e)] =
                std::min(step * mapCell(image, map->id, e), values.rowRange(e / kMapColumns).maximum);
    }

    for (const Field* field : FieldTable::ofPage(page)) {
        for (int element = 0; element < field->count; ++element)
            values.aux.push_back({{field, element}, readShown(image, *field, element)});
    }
    return values;
}

void collectMapPage(ParamImage& image, InjectionTables& tables, const BikeGridSet& grids, JetCoupling coupling,
                    int page, const MapPageValues& values)
{
    const MapLayout* map = MapTable::ofPage(page);
    assert(map != nullptr);
    const int divisor = cellDivisor(image, map->id);
    const ControlRange cellRange = mapCellRange(image, *map, 1);

    if (map->id == MapId::Jet1A) {
        collectJet1AAxis(image, coupling, values.rpm);
    } else {
        for (int c = 0; c < kMapColumns; ++c)
            setAxisPoint(image, map->id, c, axisCode(values.rpm[static_cast<std::size_t>(c)]));
    }
    tables.computeReferenceTables(image, grids);
    for (int r = 0; r < kMapRows; ++r) {
        const int kPa = std::clamp(values.rows[static_cast<std::size_t>(r)], 0, kIapRowsMaximum);
        setIapRow(image, r, static_cast<std::uint16_t>(kPa));
    }

    if (map->id == MapId::Jet1A) {
        collectJet1ACells(image, tables, coupling, values.cells);
    } else if (const auto injection = injectionMapOf(map->id)) {
        PercentTable& percents = tables.percent(*injection);
        for (std::size_t e = 0; e < kMapCells; ++e)
            percents[e] = static_cast<std::uint16_t>(std::clamp(values.cells[e], 0, cellRange.maximum));
        tables.percentToImage(*injection, image);
    } else {
        for (int e = 0; e < kMapCells; ++e) {
            const int maximum = mapCellRange(image, *map, e / kMapColumns).maximum;
            const int shown = std::clamp(values.cells[static_cast<std::size_t>(e)], 0, maximum);
            setMapCell(image, map->id, e, static_cast<std::uint16_t>(shown / divisor));
        }
    }

    for (const FieldValue& value : values.aux) {
        if (value.target.field != nullptr && value.target.field->page == page)
            writeShown(image, *value.target.field, value.target.element, value.shown);
    }
}

} // namespace quorvel
