#pragma once

#include "texts/keyed_text.h"

#include <optional>
#include <span>
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

} // namespace quorvel
