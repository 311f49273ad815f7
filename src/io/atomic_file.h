#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Writes `content` to a temporary file beside `target` and renames it over the target only when
// every byte is on disk, so a full disk, a crash or a read-only directory leaves the previous
// file exactly as it was. A symbolic link is written through (its final target gets the
// contents, the link stays), a replaced file keeps its permissions, and anything that exists and
// is not a regular file (directory, FIFO, device, socket) is refused without being opened.
// Returns the reason when the file could not be written.
[[nodiscard]] std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                                             std::string_view content);

// The whole file, or none when it cannot be opened or read (a directory, a read error).
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& path);

} // namespace quorvel
