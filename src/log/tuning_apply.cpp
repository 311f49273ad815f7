#include "log/tuning_apply.h"

#include "log/tuning_cells.h"

#include <vector>

namespace quorvel {

TuningApply applyTuningProposals(TuneWriter& writer, MapId map, std::span<const TuningProposal> proposals)
{
    const CellValues now = tuningMapCells(writer.image(), map).percent;
    TuningApply applied;
    std::vector<CellInput> inputs;
    for (const TuningProposal& proposal : proposals) {
        if (!proposal.moves())
            continue;
        if (now.at(static_cast<std::size_t>(proposal.element)) != proposal.percentBefore) {
            ++applied.overtaken;
            continue;
        }
        inputs.push_back({{proposal.element / kMapColumns, proposal.element % kMapColumns}, proposal.percentAfter, 1});
    }
    if (!inputs.empty())
        applied.write = writer.writeCells(MapTable::of(map), CellUnit::Shown, inputs, RangePolicy::Refuse);
    return applied;
}

} // namespace quorvel
