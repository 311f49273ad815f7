#pragma once

#include "core/message_texts.h"

#include <optional>
#include <string_view>

namespace quorvel {

// The language a first command-line argument asks for: exactly "ENGLISH", "DEUTSCH", "FRENCH" or
// "CESKY". Anything else, "english" in lower case included, asks for none and the language of the
// settings stays.
[[nodiscard]] std::optional<Language> languageFromCommandWord(std::string_view word);

// The language a stored index stands for; an index outside 0..3 reads as English.
[[nodiscard]] Language languageFromIndex(int index);

// The language menu item that carries the check mark for a language.
[[nodiscard]] std::string_view languageMenuItem(Language language);

} // namespace quorvel
