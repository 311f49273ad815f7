#pragma once

#include "io/file_reading.h"
#include "io/keyed_text.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// The texts of files that are refused or cannot be kept, in the four languages: what is not a
// regular file or too large to read, and settings that could not be read or saved. Texts with
// %s are printf formats (formatText).
class FileTexts {
public:
    [[nodiscard]] static std::span<const KeyedText> texts();
    [[nodiscard]] static std::optional<std::string_view> text(std::string_view key, Language language);
};

// Why a file read with `limit` was not read, for the window: a refusal in the language's words,
// any other failure as the system reported it (the read's reason, which names the file).
[[nodiscard]] std::string readProblemText(const FileRead& read, const std::filesystem::path& path, std::size_t limit,
                                          Language language);

// "Open file error!" of the language table with the reason under it: the window tells why a
// file could not be read or written, as the command line does.
[[nodiscard]] std::string fileErrorText(std::string_view openFileError, std::string_view reason);

} // namespace quorvel
