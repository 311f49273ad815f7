#pragma once

#include <cstdint>

namespace quorvel {

// What the image's values are compared with.
enum class CompareSource : std::uint8_t {
    File,   // "Compare with file...": side a of each difference is the reference file
    Unit,   // before Program: side a is what the unit holds, side b what Program writes
    Verify, // a failed Verify: side a is what the unit holds
};

} // namespace quorvel
