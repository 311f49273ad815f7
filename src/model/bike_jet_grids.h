#pragma once

#include <array>
#include <cstdint>

namespace quorvel {

// A reference injection grid of a bike: injection times in units of 10 us over 10 load rows by
// `columns` RPM breakpoints (10, or 15 for the bikes with a wide grid), row by row: element
// r * columns + c. Only the first 10 * columns cells are used.
struct BikeJetGrid {
    int columns;
    std::array<std::uint16_t, 150> cells;
};

// The three grids a bike code selects: the outer grid serves JET_1A and JET_4A, the inner grid
// JET_2A and JET_3A, the IAP grid the intake-pressure map. `wideGrid` says the grids have
// 15 RPM columns.
struct BikeGridSet {
    const BikeJetGrid* outer;
    const BikeJetGrid* inner;
    const BikeJetGrid* iap;
    bool wideGrid;
};

// Never returns null pointers: a code without a bike of its own (above 52, only ever read from a
// unit or a file) takes the grids of code 26.
[[nodiscard]] BikeGridSet bikeGridSet(int bikeCode);

} // namespace quorvel
