#pragma once

#include "core/param_image.h"
#include "sim/rider.h"

#include <array>

namespace quorvel::sim {

inline constexpr int kNeutralCorrectionTenths = 1000; // 100.0 %: the correction changes nothing

// What the unit doses at one operating point, as it reports it in the monitor frame.
struct UnitInjection {
    int cylinders = 1;               // fitted cylinders, 1..4
    std::array<double, 4> bankAUs{}; // per cylinder; 0 beyond the fitted ones
    std::array<double, 4> bankBUs{};
    int throttleMapShare = 100;                  // percent of the fuel taken from the throttle maps
    int warmUpTenths = kNeutralCorrectionTenths; // coolant correction, 0.1 %
    bool fuelCut = false;                        // overrun: throttle shut above the cut-off speed
    bool injectionLimiter = false;               // the injection limiter cuts the fuel
    bool ignitionLimiter = false;                // the ignition limiter cuts the spark
};

// The unit's dosing: each cylinder's A map (and the IAP map for its share) blended between the
// four cells around the point, times the warm-up correction; bank B as its percentage of A.
// No fuel while the throttle is shut on the overrun or the injection limiter holds.
[[nodiscard]] UnitInjection unitInjection(const ParamImage& memory, const RidePoint& point);

// The intake pressure the engine pulls at a throttle opening.
[[nodiscard]] int intakeKpa(int throttleTenths);

} // namespace quorvel::sim
