#include "log/cell_overlay.h"

#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

Rgb blend(Rgb from, Rgb to, double share)
{
    const auto channel = [share](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * share));
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

} // namespace

Rgb heatColour(std::uint32_t timeMs, std::uint32_t longestMs)
{
    if (longestMs == 0)
        return kHeatLeast;
    const double share = std::sqrt(std::min<double>(timeMs, longestMs) / longestMs);
    if (share <= 0.5)
        return blend(kHeatLeast, kHeatMiddle, share * 2);
    return blend(kHeatMiddle, kHeatMost, share * 2 - 1);
}

std::optional<Rgb> readingColour(MixtureReading reading)
{
    switch (reading) {
    case MixtureReading::Lean:
        return kLeanColour;
    case MixtureReading::Rich:
        return kRichColour;
    case MixtureReading::AtThreshold:
        return kAtThresholdColour;
    case MixtureReading::Hidden:
        break;
    }
    return std::nullopt;
}

CellOverlay cellOverlay(const MapCellStatistics& statistics, const CellOverlayOptions& options)
{
    CellOverlay overlay{};
    for (std::size_t e = 0; e < statistics.cells.size(); ++e) {
        const CellStatistic& cell = statistics.cells[e];
        if (cell.samples == 0)
            continue;
        const std::optional<Rgb> reading = options.lambdaByCell ? readingColour(cell.reading) : std::nullopt;
        if (!options.timeInCells && !reading)
            continue;
        CellOverlayMark mark;
        mark.colour = reading.value_or(heatColour(cell.timeMs, statistics.longestCellTimeMs));
        mark.cell = cell;
        mark.showsTime = options.timeInCells;
        mark.showsLambda = options.lambdaByCell;
        overlay[e] = std::move(mark);
    }
    return overlay;
}

CellOverlay logCellOverlay(const Datalog& log, const ParamImage& image, MapId map, const CellOverlayOptions& options)
{
    return cellOverlay(cellStatistics(log, image, map, options.statistics), options);
}

} // namespace quorvel
