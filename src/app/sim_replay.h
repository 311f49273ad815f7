#pragma once

#include "sim/frame_replay.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel::sim {

// The ride of a datalog for the virtual unit; none with the reason in `error` when the file is
// no datalog or holds no row.
[[nodiscard]] std::optional<FrameReplay> loadReplay(const std::filesystem::path& log, std::string& error);

} // namespace quorvel::sim
