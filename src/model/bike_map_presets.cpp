#include "model/bike_map_presets.h"

#include "model/bike_presets.h"

#include <algorithm>

namespace quorvel {
namespace {

// Produced by tools/bike_tables.py from its engine model.
#include "model/bike_map_preset_tables.inc"

constexpr int kColumns = 15;
constexpr int kRows = 10;

template <typename Row> const Row* rowOf(std::span<const Row> rows, int bikeCode)
{
    const int code = presetBikeCode(bikeCode);
    const auto found = std::find_if(
        rows.begin(), rows.end(), [code](const Row& row) { return row.bikes.isOthers() || row.bikes.contains(code); });
    return found == rows.end() ? nullptr : &*found;
}

} // namespace

std::array<std::uint8_t, 150> BikeMapPresets::advance(int bikeCode)
{
    if (const BikeMapCells* table = rowOf(advanceTables(), bikeCode))
        return table->cells;
    std::array<std::uint8_t, 150> cells{};
    const std::span<const int> curve = BikePresets::values("AdvanceCurve", bikeCode);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns && c < static_cast<int>(curve.size()); ++c)
            cells[static_cast<std::size_t>(r * kColumns + c)] =
                static_cast<std::uint8_t>(curve[static_cast<std::size_t>(c)]);
    }
    return cells;
}

std::array<std::uint8_t, 150> BikeMapPresets::injB(int bikeCode)
{
    const BikeMapCells* map = rowOf(injBMaps(), bikeCode);
    return map != nullptr ? map->cells : std::array<std::uint8_t, 150>{};
}

const ServoPreset& BikeMapPresets::intakeServo(int bikeCode)
{
    // The last preset is the one for all other bikes, so a row is always found.
    return *rowOf(intakeServos(), bikeCode);
}

const ServoPreset& BikeMapPresets::exhaustServo(int bikeCode)
{
    return *rowOf(exhaustServos(), bikeCode);
}

std::span<const BikeMapCells> BikeMapPresets::advanceTables()
{
    return kAdvanceTables;
}

std::span<const BikeMapCells> BikeMapPresets::injBMaps()
{
    return kInjBMaps;
}

std::span<const ServoPreset> BikeMapPresets::intakeServos()
{
    return kIntakeServos;
}

std::span<const ServoPreset> BikeMapPresets::exhaustServos()
{
    return kExhaustServos;
}

} // namespace quorvel
