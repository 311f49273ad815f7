#pragma once

#include "core/param_image.h"

namespace quorvel::sim {

// The memory of a unit as it leaves the workshop: the full defaults of bike 11 as "New" sets
// them, sanitised, and a header that names program version `version`.
[[nodiscard]] ParamImage factoryMemory(std::uint8_t version = kProgramVersion);

// The header the virtual unit reports: "QRV07", built on 15 March 2007 at 10:30.
[[nodiscard]] std::array<std::uint8_t, kBlockSize> factoryHeader(std::uint8_t version);

} // namespace quorvel::sim
