#pragma once

#include "core/param_image.h"
#include "log/datalog.h"
#include "model/map_layout.h"

#include <array>
#include <cstdint>

namespace quorvel {

// What the mean voltage of a narrow-band lambda sensor says about a cell: below the threshold
// lean, above it rich. Hidden where the cell has too few samples to say anything.
enum class MixtureReading : std::uint8_t { Hidden, Lean, Rich, AtThreshold };

[[nodiscard]] MixtureReading mixtureReading(double meanLambdaMv, int thresholdMv);

struct CellStatisticsOptions {
    int minimumSamples = 5; // fewer samples hide the cell's lambda
    int lambdaThresholdMv = 450;
    std::uint32_t longestGapMs = 1000; // a longer gap between rows is a lost link, not time in a cell
};

struct CellStatistic {
    int samples = 0;
    std::uint32_t timeMs = 0;
    double meanLambdaMv = 0.0; // of all samples; shown only when `reading` is not Hidden
    MixtureReading reading = MixtureReading::Hidden;

    bool operator==(const CellStatistic&) const = default;
};

// Where the engine ran in a map during a log, and how rich: the overlay of a map page.
struct MapCellStatistics {
    std::array<CellStatistic, kMapCells> cells{}; // element 15 * row + column
    std::uint32_t longestCellTimeMs = 0;          // the top of the heat scale
    int samples = 0;                              // rows that fell into a cell
};

[[nodiscard]] MapCellStatistics cellStatistics(const Datalog& log, const ParamImage& image, MapId map,
                                               const CellStatisticsOptions& options = {});

} // namespace quorvel
