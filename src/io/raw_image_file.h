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

// The raw bytes of a file written so, when its block is intact and the text unchanged. A
// backup's order line before it (below) is passed over.
[[nodiscard]] std::optional<UnitCopy::RawBytes> readRawImage(std::string_view text);

// A backup carries, before all of that, the place it has in the order its folder received the
// backups: "BACKUP_ORDER  17". The clock can be set back, this order cannot.
[[nodiscard]] std::string backupOrderLine(std::uint32_t order);
// The order of a backup from the first bytes of its file; none for a file without it.
[[nodiscard]] std::optional<std::uint32_t> readBackupOrder(std::string_view head);

} // namespace quorvel
