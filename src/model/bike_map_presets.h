#pragma once

#include "model/bike_code_set.h"

#include <array>
#include <cstdint>
#include <span>

namespace quorvel {

// The 150 cells of a byte map (row by row, 15 columns) that a group of bikes gets by default.
struct BikeMapCells {
    BikeCodeSet bikes;
    std::array<std::uint8_t, 150> cells;
};

// The default of a servo page: its RPM axis (shown rpm) and its cells in shown units,
// percentages when the bike's servo works in percent, else servo voltages in mV. A preset of
// one row is copied into all ten rows; a preset of ten rows gives every cell.
struct ServoPreset {
    BikeCodeSet bikes;
    std::array<std::uint16_t, 15> rpm;
    int rows;
    std::array<std::uint16_t, 150> cells;

    [[nodiscard]] int cell(int row, int column) const
    {
        return cells[static_cast<std::size_t>((rows == 1 ? 0 : row) * 15 + column)];
    }
};

// The larger presets of the maps, chosen by bike code (a code above 52 takes those of
// `kUnlistedBikeStandIn`).
class BikeMapPresets {
public:
    // ADVANCE in degrees: the bike's full table, or its advance curve in every row.
    [[nodiscard]] static std::array<std::uint8_t, 150> advance(int bikeCode);
    // JET_B as stored; all zero for a bike without secondary injectors.
    [[nodiscard]] static std::array<std::uint8_t, 150> injB(int bikeCode);
    [[nodiscard]] static const ServoPreset& intakeServo(int bikeCode);
    [[nodiscard]] static const ServoPreset& exhaustServo(int bikeCode);

    [[nodiscard]] static std::span<const BikeMapCells> advanceTables();
    [[nodiscard]] static std::span<const BikeMapCells> injBMaps();
    [[nodiscard]] static std::span<const ServoPreset> intakeServos();
    [[nodiscard]] static std::span<const ServoPreset> exhaustServos();
};

} // namespace quorvel
