#pragma once

// The platform's part of an atomic save: where the save really lands, the temporary file beside
// it and the step that puts that file in the target's place.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace quorvel::file_replacement {

// The file a save writes: a symbolic link's final target, so that the link stays a link.
struct SaveTarget {
    std::filesystem::path path;
    bool exists = false;
#ifndef _WIN32
    // Carried over to the new file, so that a save changes the contents and nothing else.
    mode_t permissions = 0;
    uid_t owner = 0;
    gid_t group = 0;
#endif
};

// The target behind `requested`, or why nothing may be written there: anything that exists and
// is not a regular file is refused without being opened, and so is what the shell would not
// write. A file whose owner took away its write permission is not replaced, though the folder
// would allow it; root passes every permission check, so for root the owner's write bit
// decides. In a folder that everyone may write and whose sticky bit is set (/tmp), a link is
// followed and a file replaced only when it belongs to the saving user or to the folder's
// owner, as the kernel's protection of such folders (protected_symlinks, protected_regular)
// has it; links elsewhere are followed as before.
[[nodiscard]] std::variant<SaveTarget, std::string> resolve(const std::filesystem::path& requested);

// Creates `temp` (never an existing file), writes `content` and makes it durable. On failure the
// temp file is gone again.
[[nodiscard]] std::optional<std::string> writeTemporary(const std::filesystem::path& temp, const SaveTarget& target,
                                                        std::string_view content);

// Puts the complete temp file in the target's place in one step. On failure the target is as it
// was and the temp file is gone, unless the temp file holds the only copy left of the contents.
[[nodiscard]] std::optional<std::string> replaceWithTemporary(const std::filesystem::path& temp,
                                                              const SaveTarget& target);

enum class Placement : std::uint8_t { Placed, NameTaken };

// Gives the complete temp file the name `target` in one step, only when nothing has that name
// (a dangling link counts as taken). On success the temp name is gone; on NameTaken or a
// failure the temp file is left for the caller.
[[nodiscard]] std::variant<Placement, std::string> placeWithoutReplacing(const std::filesystem::path& temp,
                                                                         const std::filesystem::path& target);

// Whether the saving user owns the file itself (not a link's target). Only such temp files are
// cleared away: another user's in a shared folder are none of this program's business.
[[nodiscard]] bool ownedBySavingUser(const std::filesystem::path& path);

// A path as UTF-8 text for a message, whatever the platform's own encoding of it.
[[nodiscard]] inline std::string displayPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace quorvel::file_replacement
