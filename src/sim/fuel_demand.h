#pragma once

#include "core/param_image.h"
#include "model/map_layout.h"

#include <array>
#include <cstdint>

namespace quorvel::sim {

// What the engine really needs, in the form of the Inj. 1 page: percentages of the reference
// times over its own RPM heads and the throttle rows. A percentage means the same share of each
// cylinder's own reference, so the demand asks the same of all four A maps; it is resolved
// against the bike the unit holds at the moment, as the page would show it.
struct FuelDemand {
    std::array<std::uint8_t, kMapColumns> axis{}; // RPM heads in units of 100 rpm
    std::array<std::uint16_t, kMapCells> percent{};
};

// The fuel cylinder `cylinder` (0..3) needs at a warm engine's operating point, in us, blended
// between the demand's cells as the unit blends a map's.
[[nodiscard]] double demandMicroseconds(const FuelDemand& demand, const ParamImage& memory, int cylinder, int rpm,
                                        int throttleTenths);

} // namespace quorvel::sim
