#pragma once

#include "core/message_texts.h"

#include <filesystem>
#include <string>

namespace quorvel {

inline constexpr std::string_view kProgramName = "Quorvel_2007";

// "About Quorvel_2007" and its German, French and Czech forms; set each time the window shows.
[[nodiscard]] std::string aboutCaption(Language language);

// "Version - 71": the unit program version this configurator speaks.
[[nodiscard]] std::string aboutVersionText();

// The manual of the current language (text 4) in the program's directory.
[[nodiscard]] std::filesystem::path manualPath(const std::filesystem::path& programDirectory,
                                               const MessageTexts& texts);

} // namespace quorvel
