#include "log/correction_suggestions.h"

#include "log/cell_samples.h"
#include "log/tuning_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace quorvel {
namespace {

bool steadyThrottle(const Datalog& log, std::size_t row, const CorrectionLimits& limits)
{
    if (row == 0)
        return false;
    const std::uint32_t gap = log.timesMs()[row] - log.timesMs()[row - 1];
    if (gap == 0 || gap > limits.longestGapMs)
        return false;
    const MonitorSnapshot before = readMonitorSnapshot(log.frame(row - 1));
    if (before.TpsError)
        return false;
    const MonitorSnapshot now = readMonitorSnapshot(log.frame(row));
    const int tenths = std::abs(int{now.TpsTenths} - int{before.TpsTenths});
    const double percentPerSecond = tenths * 100.0 / gap;
    return percentPerSecond < limits.steadyThrottlePercentPerSecond;
}

// Rows whose lambda does not answer for the map alone: a limiter cuts fuel or spark, a fuel
// cut injects nothing (the sensor reads lean air), and a dosing correction other than 100 %
// (warm-up, air, pressure, starting) puts fuel of its own beside the map's. Live tuning judges
// its frames by the same reading.
bool mapAloneDecides(const Datalog& log, const CellSample& sample, const ParamImage& image)
{
    if (sample.live.IgnLimiterOn || sample.live.JetLimiterOn || sample.live.RetardLimiterOn)
        return false;
    const TuningFrame read = readTuningFrame(log.timesMs()[sample.row], log.frame(sample.row), image);
    return !read.fuelCut && !read.correctionActive;
}

} // namespace

bool takesCorrections(MapId map)
{
    switch (map) {
    case MapId::Jet1A:
    case MapId::Jet2A:
    case MapId::Jet3A:
    case MapId::Jet4A:
    case MapId::Iap:
        return true;
    default:
        return false;
    }
}

std::vector<CellCorrection> suggestCorrections(const Datalog& log, const ParamImage& image, MapId map,
                                               const CorrectionLimits& limits)
{
    const double change = std::min(limits.stepPercent, limits.maxChangePercent);
    if (!takesCorrections(map) || !(change > 0.0))
        return {};

    std::array<int, kMapCells> samples{};
    std::array<double, kMapCells> lambdaSums{};
    for (const CellSample& sample : cellSamples(log, image, map)) {
        if (!mapAloneDecides(log, sample, image) || !steadyThrottle(log, sample.row, limits))
            continue;
        const auto e = static_cast<std::size_t>(sample.element);
        ++samples[e];
        lambdaSums[e] += sample.live.LambdaMillivolts;
    }

    const int cellMaximum = MapTable::of(map).cellMaximum;
    std::vector<CellCorrection> corrections;
    for (int e = 0; e < kMapCells; ++e) {
        const auto ue = static_cast<std::size_t>(e);
        if (samples[ue] == 0 || samples[ue] < limits.minimumSamples)
            continue;
        CellCorrection correction;
        correction.element = e;
        correction.samples = samples[ue];
        correction.meanLambdaMv = lambdaSums[ue] / samples[ue];
        correction.reading = mixtureReading(correction.meanLambdaMv, limits.lambdaThresholdMv);
        if (correction.reading == MixtureReading::AtThreshold)
            continue;
        correction.changePercent = correction.reading == MixtureReading::Lean ? change : -change;
        correction.cellBefore = mapCell(image, map, e);
        // Toward the present value: the rounding never adds to the change.
        const double exact = correction.cellBefore * (1.0 + correction.changePercent / 100.0);
        const double rounded = correction.changePercent > 0 ? std::floor(exact) : std::ceil(exact);
        const int highest = std::max<int>(cellMaximum, correction.cellBefore);
        correction.cellAfter = static_cast<std::uint16_t>(std::clamp<double>(rounded, 0, highest));
        if (correction.cellAfter != correction.cellBefore)
            corrections.push_back(correction);
    }
    return corrections;
}

int applyCorrections(ParamImage& image, MapId map, std::span<const CellCorrection> corrections)
{
    int written = 0;
    for (const CellCorrection& correction : corrections) {
        if (mapCell(image, map, correction.element) != correction.cellBefore)
            continue;
        setMapCell(image, map, correction.element, correction.cellAfter);
        ++written;
    }
    return written;
}

} // namespace quorvel
