#include "log/cell_samples.h"

#include "maps/live_marking.h"

namespace quorvel {

std::vector<CellSample> cellSamples(const Datalog& log, const ParamImage& image, MapId map)
{
    const int page = MapTable::of(map).page;
    std::vector<CellSample> samples;
    for (std::size_t row = 0; row < log.rowCount(); ++row) {
        const MonitorSnapshot live = readMonitorSnapshot(log.frame(row));
        if (const auto element = markMapCell(page, image, live).element)
            samples.push_back({row, *element, live});
    }
    return samples;
}

std::uint32_t rowDurationMs(const Datalog& log, std::size_t row, std::uint32_t longestGapMs)
{
    if (row + 1 >= log.rowCount())
        return 0;
    const std::uint32_t gap = log.timesMs()[row + 1] - log.timesMs()[row];
    return gap <= longestGapMs ? gap : 0;
}

} // namespace quorvel
