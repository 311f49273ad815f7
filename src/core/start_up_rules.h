#pragma once

#include "core/message_texts.h"

#include <optional>
#include <string_view>

namespace quorvel {

// The language word of the command line: exactly "ENGLISH", "DEUTSCH", "FRENCH" or "CESKY";
// any other word (lower case included) leaves the language of the settings.
[[nodiscard]] std::optional<Language> languageFromArgument(std::string_view word);

// The test marker file switches test mode on when any of its whitespace-separated words is
// exactly DIAG_SWITCH.
[[nodiscard]] bool markerEnablesTestMode(std::string_view content);

} // namespace quorvel
