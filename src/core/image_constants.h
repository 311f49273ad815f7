#pragma once

#include <cstdint>

namespace quorvel {

inline constexpr int kBlockSize = 150;
inline constexpr int kBlockCount = 20;
inline constexpr int kImageSize = kBlockSize * kBlockCount;
// The 16-bit view starts at block 1: words 0..1424.
inline constexpr int kWordCount = (kImageSize - kBlockSize) / 2;

// The unit program this configurator works with; a header or monitor frame with another
// version is a mismatch.
inline constexpr std::uint8_t kProgramVersion = 71;

// The first row (closed throttle) of each servo map must stay below 250 in the unit; it is held
// at 249 (4980 mV in voltage mode), so that a value at the top of the range keeps its meaning.
inline constexpr std::uint8_t kServoFirstRowMaximum = 249;

} // namespace quorvel
