#pragma once

#include "io/file_reading.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Writes `content` to a temporary file beside `target` and renames it over the target only when
// every byte is on disk, so a full disk, a crash or a read-only directory leaves the previous
// file exactly as it was. A symbolic link is written through (its final target gets the
// contents, the link stays), a replaced file keeps its permissions, and anything that exists and
// is not a regular file (directory, FIFO, device, socket) is refused without being opened.
// What the shell would refuse to write is refused too: a write-protected file, and a link or
// file that another user left in a shared sticky folder such as /tmp (file_replacement.h).
// Temporary files that a killed save left beside the target are removed afterwards.
// Returns the reason when the file could not be written.
[[nodiscard]] std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                                             std::string_view content);

// A path the file was written to, or the reason it could not be.
struct NewFile {
    std::filesystem::path path;
    std::optional<std::string> error;
};

// Writes `content` as a new file in `directory` under the first of the names nameFor(1),
// nameFor(2) ... that nothing there has: not a file, not a link, not even one that points
// nowhere. The name is taken in one step when the file is complete, so two writers at the same
// moment never get the same name and nothing is ever replaced.
[[nodiscard]] NewFile writeNewFileAtomically(const std::filesystem::path& directory,
                                             const std::function<std::string(int)>& nameFor, std::string_view content);

} // namespace quorvel
