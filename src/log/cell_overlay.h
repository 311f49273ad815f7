#pragma once

#include "log/cell_statistics.h"
#include "maps/map_colour_scale.h"
#include "model/map_layout.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quorvel {

// What the overlay of a map page shows from an open log: the time the engine spent in each cell
// as a heat colour, and the lean/rich reading of the cells with enough samples. With both on, a
// cell with a reading takes the reading's colour; the cells with too few samples for one keep
// their heat colour, so the map still shows where the engine ran.
struct CellOverlayOptions {
    bool timeInCells = true;
    bool lambdaByCell = true;
    CellStatisticsOptions statistics;
};

// The colour a cell is painted in and what its hover text tells (one line per part shown); the
// window puts the figures into the words of its language.
struct CellOverlayMark {
    Rgb colour;
    CellStatistic cell;
    bool showsTime = false;
    bool showsLambda = false;

    bool operator==(const CellOverlayMark&) const = default;
};

// Element 15 * row + column; none where the cell carries no overlay: never visited, or only
// lambda is shown and the cell has too few samples to read.
using CellOverlay = std::array<std::optional<CellOverlayMark>, kMapCells>;

// The heat scale from a pale cream (a moment in the cell) through amber to a deep orange (the
// cell the engine spent longest in), on the square root of the share of that longest time so
// that the cells of a ride's middle range still tell apart beside the idle cell. Light enough
// for black digits, and neither lime nor yellow, which the live marks are drawn in.
inline constexpr Rgb kHeatLeast{255, 246, 222};
inline constexpr Rgb kHeatMiddle{255, 200, 120};
inline constexpr Rgb kHeatMost{236, 118, 64};
// The readings of a narrow-band sensor: lean blue, rich red, a neutral grey at the threshold.
inline constexpr Rgb kLeanColour{130, 175, 255};
inline constexpr Rgb kRichColour{255, 130, 150};
inline constexpr Rgb kAtThresholdColour{210, 210, 210};

[[nodiscard]] Rgb heatColour(std::uint32_t timeMs, std::uint32_t longestMs);
[[nodiscard]] std::optional<Rgb> readingColour(MixtureReading reading);

// The overlay of statistics computed with `options.statistics`.
[[nodiscard]] CellOverlay cellOverlay(const MapCellStatistics& statistics, const CellOverlayOptions& options);
// The overlay of `map` from a whole log, judged against the map's axes in `image`.
[[nodiscard]] CellOverlay logCellOverlay(const Datalog& log, const ParamImage& image, MapId map,
                                         const CellOverlayOptions& options);

} // namespace quorvel
