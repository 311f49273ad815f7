#pragma once

// The platform's part of an atomic save: where the save really lands, the temporary file beside
// it and the step that puts that file in the target's place.

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
// is not a regular file is refused without being opened.
[[nodiscard]] std::variant<SaveTarget, std::string> resolve(const std::filesystem::path& requested);

// Creates `temp` (never an existing file), writes `content` and makes it durable. On failure the
// temp file is gone again.
[[nodiscard]] std::optional<std::string> writeTemporary(const std::filesystem::path& temp, const SaveTarget& target,
                                                        std::string_view content);

// Puts the complete temp file in the target's place in one step. On failure the target is as it
// was and the temp file is gone, unless the temp file holds the only copy left of the contents.
[[nodiscard]] std::optional<std::string> replaceWithTemporary(const std::filesystem::path& temp,
                                                              const SaveTarget& target);

// A path as UTF-8 text for a message, whatever the platform's own encoding of it.
[[nodiscard]] inline std::string displayPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace quorvel::file_replacement
