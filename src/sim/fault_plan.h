#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "core/image_constants.h"

namespace quorvel::sim {

// Faults the virtual unit injects on request, so that the link can be tested against a unit
// that misbehaves the way real lines and units do.
struct FaultPlan {
    bool silent = false;                     // never answers
    int corruptEveryNth = 0;                 // every n-th reply has a wrong checksum; 0 none
    std::chrono::milliseconds replyDelay{0}; // extra time before a reply is sent
    std::uint8_t version = kProgramVersion;  // program version in the header and monitor
    std::optional<int> differingBlock;       // replies for this block differ from memory
};

} // namespace quorvel::sim
