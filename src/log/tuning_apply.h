#pragma once

#include "log/tuning_session.h"
#include "maps/tune_writer.h"
#include "model/map_layout.h"

#include <span>

namespace quorvel {

// What an apply of a pass did: the writer's answer, and the cells left as they were because
// their value changed after the proposal was made (a hand edit in between wins).
struct TuningApply {
    TuneWrite write;
    int overtaken = 0;
};

// Moves the proposals of a pass into `map` through the writer, as one change: shown units, the
// coupling of the A maps, ranges, one undo step, the pending blocks and programming after change
// are the writer's. Only cells still at the value a proposal was made from move.
TuningApply applyTuningProposals(TuneWriter& writer, MapId map, std::span<const TuningProposal> proposals);

} // namespace quorvel
