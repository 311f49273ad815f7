#pragma once

#include "core/lambda_sensor_levels.h"

#include <cstdint>

namespace quorvel::sim {

// The voltage for a mixture of `richness` (fuel got / fuel needed; 1 is exactly right). The two
// noises, each in -1..1, shake the mixture of the moment and the reading a little.
[[nodiscard]] int narrowBandMillivolts(double richness, double mixtureNoise, double readingNoise);

// With no fuel burnt the exhaust holds only air: the sensor reads next to nothing.
[[nodiscard]] int airOnlyMillivolts(double noise);

// Repeatable noise in -1..1 for a moment (in ms) and one of several independent channels.
[[nodiscard]] double noiseAt(std::int64_t ms, std::uint32_t channel);

} // namespace quorvel::sim
