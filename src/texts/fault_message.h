#pragma once

#include "core/message_texts.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Where the parameters on screen went after a fault: the rescue file, or why it could not be
// written.
struct Rescue {
    std::filesystem::path path;
    std::optional<std::string> error;
};

// The description of a fault that is memory running out (std::bad_alloc): every program says
// so in these words on the command line, and the window in the language's own.
inline constexpr std::string_view kOutOfMemory = "out of memory";

// What the user is told when a fault the program did not foresee (an exception) stopped an
// action: its description, and where the parameters on screen were saved or why they could not
// be; without a rescue (no window yet) that the program ends. In the given language.
[[nodiscard]] std::string faultMessage(Language language, std::string_view what, const std::optional<Rescue>& rescue);

} // namespace quorvel
