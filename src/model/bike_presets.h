#pragma once

#include "model/bike_code_set.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel {

// A single value chosen by bike, in shown units. Rows of one name are tried in order; the row
// for the other bikes comes last.
struct BikeScalarRow {
    std::string_view name;
    int value;
    BikeCodeSet bikes;
};

// A row of values chosen by bike, in shown units (stored words where a table says so).
struct BikeValuesRow {
    std::string_view name;
    int count;
    std::array<int, 15> values;
    BikeCodeSet bikes;
};

// The bytes the unit needs about the bike itself and that no page shows, in image order:
// 152..155, 341..343, 402..410, 411..424.
using DerivedBikeBytes = std::array<std::uint8_t, 30>;

// The small presets of every bike: scalars named after the field they feed, value rows named
// after their field or, where one row feeds several fields, after the preset ("Idle",
// "PressureSensors", "RpmAxis", "AdvanceCurve"). A code above 52 takes the presets of
// `kUnlistedBikeStandIn`.
class BikePresets {
public:
    // The value of the named scalar for the bike; 0 for a name without rows.
    [[nodiscard]] static int scalar(std::string_view name, int bikeCode);
    // The named row for the bike; empty when no row holds the bike (the advance curve of a bike
    // with a full advance table).
    [[nodiscard]] static std::span<const int> values(std::string_view name, int bikeCode);
    [[nodiscard]] static const DerivedBikeBytes& derivedBytes(int bikeCode);

    [[nodiscard]] static std::span<const BikeScalarRow> scalarRows();
    [[nodiscard]] static std::span<const BikeValuesRow> valuesRows();
};

} // namespace quorvel
