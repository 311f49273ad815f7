#pragma once

#include "core/user_messages.h"
#include "model/user_prompts.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorvel {

// Every modal question, message and file dialog the window shows: Qt dialogs in the program,
// scripted answers in tests. A message or question may run a nested event loop.
class Dialogs : public UserMessages, public UserPrompts {
public:
    void showMessage(std::string_view text) override = 0;
    [[nodiscard]] PromptAnswer askYesNoCancel(std::string_view text) override = 0;

    // The open dialog for parameter files ("*.ign" or all files); none when cancelled.
    [[nodiscard]] virtual std::optional<std::filesystem::path> askOpenFile(const std::filesystem::path& preset) = 0;
    // The save dialog for parameter files: ".ign" is added to a name without an extension and
    // an existing file is only replaced after the user agreed; none when cancelled.
    [[nodiscard]] virtual std::optional<std::filesystem::path> askSaveFile(const std::filesystem::path& preset) = 0;
    // Where a print goes when there is no printer: a PDF file, ".pdf" added to a name without
    // an extension, an existing file replaced only after the user agreed; none when cancelled.
    [[nodiscard]] virtual std::optional<std::filesystem::path> askPdfFile(const std::filesystem::path& preset) = 0;
};

} // namespace quorvel
