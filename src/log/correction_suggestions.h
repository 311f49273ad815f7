#pragma once

#include "core/param_image.h"
#include "log/cell_statistics.h"
#include "log/datalog.h"
#include "model/map_layout.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorvel {

// What a narrow-band lambda sensor can tell: it switches between about 100 mV and 900 mV
// around the stoichiometric mixture, so its voltage says on which side of stoichiometric the
// engine ran, not how far from it. A mean far below the threshold is no leaner than one just
// below it. The suggestions therefore move each cell by one small fixed step per iteration,
// toward stoichiometric: ride, log, accept, ride again, until the cells swap sides.
struct CorrectionLimits {
    double stepPercent = 2.0;      // the change of one iteration
    double maxChangePercent = 5.0; // no cell moves further at once, whatever the step
    int minimumSamples = 20;       // steady samples a cell needs
    int lambdaThresholdMv = 450;
    // Steady throttle: the throttle moved less than this since the previous row.
    double steadyThrottlePercentPerSecond = 10.0;
    std::uint32_t longestGapMs = 1000; // rows further apart are not known to be steady
};

// A proposed change of one cell of an injection map; nothing is changed until it is applied.
struct CellCorrection {
    int element = 0; // 15 * row + column
    int samples = 0; // steady samples
    double meanLambdaMv = 0.0;
    MixtureReading reading = MixtureReading::Hidden;
    double changePercent = 0.0;   // of the injection time, + for a lean cell
    std::uint16_t cellBefore = 0; // injection time in us
    std::uint16_t cellAfter = 0;
};

// The maps whose cells are injection times (JET_1A..JET_4A, IAP). JET_B holds no time of its
// own, so a percent change of it would be no percent change of the fuel.
[[nodiscard]] bool takesCorrections(MapId map);

// The cells of `map` that were visited at steady throttle at least the minimum of times and
// read lean or rich, each with a change of the step (limited to the maximum), rounded toward
// the present value so that no cell moves further than the limits allow. Rows under a limiter
// (fuel or spark cut reads lean), rows without injection (a fuel cut) and rows with a dosing
// correction other than 100 % are not used. Empty for a map that takes no corrections.
[[nodiscard]] std::vector<CellCorrection> suggestCorrections(const Datalog& log, const ParamImage& image, MapId map,
                                                             const CorrectionLimits& limits);

// Writes the accepted proposals into the image: only cells that still hold the value the
// proposal started from, so a stale proposal never overwrites a later edit. The number of cells
// written; the window takes one undo snapshot afterwards.
int applyCorrections(ParamImage& image, MapId map, std::span<const CellCorrection> corrections);

} // namespace quorvel
