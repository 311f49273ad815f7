#include "log/cell_overlay.h"

#include "core/text_format.h"
#include "io/datalog_texts.h"

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

std::string readingWord(MixtureReading reading, Language language)
{
    switch (reading) {
    case MixtureReading::Lean:
        return std::string(DatalogTexts::message(DatalogMessage::Lean, language));
    case MixtureReading::Rich:
        return std::string(DatalogTexts::message(DatalogMessage::Rich, language));
    case MixtureReading::AtThreshold:
        return std::string(DatalogTexts::message(DatalogMessage::AtThreshold, language));
    case MixtureReading::Hidden:
        break;
    }
    return {};
}

std::string timeLine(const CellStatistic& cell, Language language)
{
    return formatText(DatalogTexts::message(DatalogMessage::CellTimeHint, language), cell.samples,
                      cell.timeMs / 1000.0);
}

std::string lambdaLine(const CellStatistic& cell, Language language)
{
    if (cell.reading == MixtureReading::Hidden)
        return std::string(DatalogTexts::message(DatalogMessage::CellLambdaTooFew, language));
    return formatText(DatalogTexts::message(DatalogMessage::CellLambdaHint, language),
                      static_cast<int>(std::lround(cell.meanLambdaMv)), readingWord(cell.reading, language).c_str());
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

CellOverlay cellOverlay(const MapCellStatistics& statistics, const CellOverlayOptions& options, Language language)
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
        if (options.timeInCells)
            mark.hint = timeLine(cell, language);
        if (options.lambdaByCell)
            mark.hint += (mark.hint.empty() ? "" : "\n") + lambdaLine(cell, language);
        overlay[e] = std::move(mark);
    }
    return overlay;
}

CellOverlay logCellOverlay(const Datalog& log, const ParamImage& image, MapId map, const CellOverlayOptions& options,
                           Language language)
{
    return cellOverlay(cellStatistics(log, image, map, options.statistics), options, language);
}

} // namespace quorvel
