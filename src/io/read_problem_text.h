#pragma once

#include "core/message_texts.h"
#include "io/file_reading.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel {

// Why a file read with `limit` was not read, for the window: a refusal in the language's words,
// any other failure as the system reported it (the read's reason, which names the file).
[[nodiscard]] std::string readProblemText(const FileRead& read, const std::filesystem::path& path, std::size_t limit,
                                          Language language);

// "Open file error!" of the language table with the reason under it: the window tells why a
// file could not be read or written, as the command line does.
[[nodiscard]] std::string fileErrorText(std::string_view openFileError, std::string_view reason);

} // namespace quorvel
