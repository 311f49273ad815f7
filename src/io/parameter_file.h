#pragma once

#include "core/param_image.h"
#include "io/program_build.h"
#include "model/memo_text.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr int kMemoLength = kMemoCapacity;

// The .ign text of the image: every edited value in keyed sections, the version lines and the
// memo. Line ends are CR LF; the memo's own line breaks are written as CR LF too.
[[nodiscard]] std::string writeParameterFile(const ParamImage& image, const ProgramBuild& build = programBuild());

struct ParameterFileLoad {
    bool pageOnly = false; // take only the sections of `currentPage`
    int currentPage = 0;
    // Runs the defaults of the bike whose code a full load has just stored; values the rest of
    // the file does not supply keep those defaults.
    std::function<void(ParamImage&)> applyBikeDefaults;
};

// Stores the values of a parameter file into the image. False, with the image unchanged, when
// the file has no version line of this program; missing, extra, repeated and reordered sections
// are accepted, and a number that is missing or unreadable leaves its slot as it was. The version
// lines from VERSIONS to MEMO carry no parameters; the memo is the text after MEMO up to a zero
// byte, the end of the file or kMemoLength bytes, and sections after it are read as well.
[[nodiscard]] bool readParameterFile(std::string_view bytes, ParamImage& image, const ParameterFileLoad& load);

} // namespace quorvel
