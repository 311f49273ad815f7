#include "sim/lambda_sensor.h"

#include <algorithm>
#include <cmath>

namespace quorvel::sim {
namespace {

// 3 % rich or lean is 4 widths from the switch point: within 2 % of either level.
constexpr double kSwitchWidth = 0.0075;
constexpr double kMixtureNoise = 0.01; // the mixture of one moment wanders by up to 1 %
constexpr double kReadingNoiseMv = 12.0;
constexpr int kAirOnlyMillivolts = 12;

} // namespace

int narrowBandMillivolts(double richness, double mixtureNoise, double readingNoise)
{
    const double mixture = richness * (1.0 + kMixtureNoise * mixtureNoise) - 1.0;
    const double switched = 1.0 / (1.0 + std::exp(-mixture / kSwitchWidth));
    const double reading = kLambdaLeanMillivolts + (kLambdaRichMillivolts - kLambdaLeanMillivolts) * switched;
    return static_cast<int>(std::lround(std::max(0.0, reading + kReadingNoiseMv * readingNoise)));
}

int airOnlyMillivolts(double noise)
{
    return static_cast<int>(std::lround(kAirOnlyMillivolts * (1.0 + 0.5 * noise)));
}

double noiseAt(std::int64_t ms, std::uint32_t channel)
{
    // A 64-bit mix of the two (splitmix64), so neighbouring moments are unrelated.
    auto x = static_cast<std::uint64_t>(ms) * 0x9E3779B97F4A7C15ULL + channel * 0xD1B54A32D192ED69ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return static_cast<double>(x >> 11) / static_cast<double>(1ULL << 52) - 1.0;
}

} // namespace quorvel::sim
