#include "log/cell_statistics.h"

#include "log/cell_samples.h"

#include <algorithm>

namespace quorvel {

MixtureReading mixtureReading(double meanLambdaMv, int thresholdMv)
{
    if (meanLambdaMv < thresholdMv)
        return MixtureReading::Lean;
    if (meanLambdaMv > thresholdMv)
        return MixtureReading::Rich;
    return MixtureReading::AtThreshold;
}

MapCellStatistics cellStatistics(const Datalog& log, const ParamImage& image, MapId map,
                                 const CellStatisticsOptions& options)
{
    MapCellStatistics statistics;
    std::array<double, kMapCells> lambdaSums{};
    for (const CellSample& sample : cellSamples(log, image, map)) {
        const auto e = static_cast<std::size_t>(sample.element);
        CellStatistic& cell = statistics.cells[e];
        ++cell.samples;
        cell.timeMs += rowDurationMs(log, sample.row, options.longestGapMs);
        lambdaSums[e] += sample.live.LambdaMillivolts;
        ++statistics.samples;
    }
    for (std::size_t e = 0; e < statistics.cells.size(); ++e) {
        CellStatistic& cell = statistics.cells[e];
        statistics.longestCellTimeMs = std::max(statistics.longestCellTimeMs, cell.timeMs);
        if (cell.samples == 0)
            continue;
        cell.meanLambdaMv = lambdaSums[e] / cell.samples;
        if (cell.samples >= options.minimumSamples)
            cell.reading = mixtureReading(cell.meanLambdaMv, options.lambdaThresholdMv);
    }
    return statistics;
}

} // namespace quorvel
