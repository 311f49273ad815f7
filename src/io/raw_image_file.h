#pragma once

#include "core/image_constants.h"
#include "core/unit_copy.h"
#include "io/parameter_file.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// A parameter file that also carries the unit's 20 blocks exactly as they were received. The
// parameter text alone would not give them back: it leaves out the bytes no parameter holds,
// writes every flag as 0 or 1, ends the memo at its first zero byte and is read over the bike's
// defaults. So the file opens with a block of the raw bytes in hexadecimal, which the reader of
// parameter files skips like any text before the version line:
//
//     UNIT_RAW_IMAGE  3000 <digest>
//     <block 0 in 300 hex digits>
//     ...
//     <block 19>
//
//     TASKOVAR_KEY    71
//     ...the parameter text of the same bytes...
//
// The digest (FNV-1a, 64 bits) covers the raw bytes and the parameter text, so a file whose text
// was edited afterwards no longer gives its raw bytes back: the edited text counts.
[[nodiscard]] std::string writeRawImageFile(std::span<const std::uint8_t, kImageSize> raw,
                                            const ProgramBuild& build = {});

// The raw bytes of a file written so, when its block is intact and the text unchanged.
[[nodiscard]] std::optional<UnitCopy::RawBytes> readRawImage(std::string_view text);

} // namespace quorvel
