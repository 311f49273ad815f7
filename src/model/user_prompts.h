#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel {

enum class PromptAnswer : std::uint8_t { Yes, No, Cancel };

// The modal questions and messages of the core: the UI shows them as message boxes, tests
// answer them from a script.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A question with the buttons Yes, No and Cancel; closing the box counts as Cancel.
    [[nodiscard]] virtual PromptAnswer askYesNoCancel(std::string_view text) = 0;
    // A message with an OK button.
    virtual void showMessage(std::string_view text) = 0;
};

} // namespace quorvel
