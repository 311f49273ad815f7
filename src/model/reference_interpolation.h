#pragma once

#include "model/bike_jet_grids.h"
#include "model/map_layout.h"

#include <array>
#include <cstdint>
#include <span>

namespace quorvel {

using PercentTable = std::array<std::uint16_t, kMapCells>;
using ReferenceTable = std::array<std::uint16_t, kMapCells>;

// A reference time is never below 100 us, so a shown percentage never divides by zero.
inline constexpr std::uint16_t kReferenceFloor = 100;

// The grid breakpoints, in rpm for the columns, in 0.1 % throttle or 0.1 kPa for the rows.
inline constexpr std::array<std::uint32_t, 10> kGridRpm10 = {1000, 2000,  3000,  4000,  6000,
                                                             8000, 10000, 12000, 14000, 16000};
inline constexpr std::array<std::uint32_t, 15> kGridRpm15 = {1000, 2000,  3000,  4000,  5000,  6000,  7000, 8000,
                                                             9000, 10000, 11000, 12000, 13000, 14000, 16000};
inline constexpr std::array<std::uint32_t, kMapRows> kThrottleRows = {0, 20, 50, 100, 200, 300, 400, 600, 800, 1000};
inline constexpr std::array<std::uint32_t, kMapRows> kPressureRowsWide = {300, 500, 600, 700, 750,
                                                                          800, 850, 900, 950, 1000};
inline constexpr std::array<std::uint32_t, kMapRows> kPressureRowsNarrow = {100, 200, 300, 400, 500,
                                                                            600, 700, 800, 900, 1000};
// The IAP map is evaluated at the default pressure rows, whatever IAP_IAP holds.
inline constexpr std::array<std::uint32_t, kMapRows> kIapEvaluationRows = kPressureRowsWide;

// Linear interpolation between two breakpoints on unsigned values; outside them the nearer end
// applies, there is no extrapolation.
[[nodiscard]] std::uint16_t interp(std::uint32_t x, std::uint32_t x0, std::uint32_t x1, std::uint16_t y0,
                                   std::uint16_t y1);

// The reference times of one map in us: the grid (units of 10 us) interpolated at the map's
// RPM axis (100 rpm) for the columns and at `rowValues` for the rows, raised to at least 100.
[[nodiscard]] ReferenceTable interpolateReferences(const BikeJetGrid& grid,
                                                   std::span<const std::uint32_t, kMapRows> rowBreakpoints,
                                                   std::span<const std::uint32_t, kMapRows> rowValues,
                                                   std::span<const std::uint8_t, kMapColumns> axis);

} // namespace quorvel
