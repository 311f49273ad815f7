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
    // Line noise: every n-th reply (0 none) is preceded by this many bytes of rubbish.
    int noiseEveryNth = 0;
    int noiseBytes = 5;
    // A unit that browns out: after this many replies (0 never) it ignores every request for
    // `dropoutFor`, then answers again with its memory intact. Happens once.
    int dropoutAfter = 0;
    std::chrono::milliseconds dropoutFor{0};
    // The adapter pulled out: after this many replies (0 never) the pty bridge removes the
    // device for `unplugFor` and then offers a new one under the same stable link. Happens once.
    int unplugAfter = 0;
    std::chrono::milliseconds unplugFor{0};
};

} // namespace quorvel::sim
