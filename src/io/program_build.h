#pragma once

#include <string>

namespace quorvel {

// Build date and time of this program as the EXE line and the About window show them
// ("Oct  6 2007", "23:22:54").
struct ProgramBuild {
    std::string date;
    std::string time;
};

// The stamp of this build: one for the whole program, whichever part writes or shows it.
[[nodiscard]] const ProgramBuild& programBuild();

} // namespace quorvel
