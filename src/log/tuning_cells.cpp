#include "log/tuning_cells.h"

#include "model/injection_tables.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kHighestShownPercent = 1000;

} // namespace

TuningMapCells tuningMapCells(const ParamImage& image, MapId map)
{
    InjectionTables tables;
    tables.refreshFromImage(image);
    const InjectionMap injection = injectionMapOf(map).value_or(InjectionMap::Jet1A);
    const int ceiling = MapTable::of(map).cellMaximum;
    TuningMapCells cells;
    for (std::size_t e = 0; e < kMapCells; ++e) {
        const int reference = tables.reference(injection)[e];
        cells.percent[e] = tables.percent(injection)[e];
        // The largest percentage whose stored time, (percent * reference + 50) div 100, stays
        // within the ceiling.
        cells.highest[e] = std::min(kHighestShownPercent, (ceiling * 100 + 49) / std::max(reference, 1));
    }
    return cells;
}

} // namespace quorvel
