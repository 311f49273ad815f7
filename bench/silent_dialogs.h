#pragma once

#include "ui/dialogs.h"

namespace quorvel::bench {

// Dialogs that answer nothing, so a benchmark never waits for a person.
class SilentDialogs final : public Dialogs {
public:
    void showMessage(std::string_view /*text*/) override {}
    PromptAnswer askYesNoCancel(std::string_view /*text*/) override { return PromptAnswer::Cancel; }
    std::optional<std::filesystem::path> askOpenFile(const std::filesystem::path& /*preset*/) override { return {}; }
    std::optional<std::filesystem::path> askSaveFile(const std::filesystem::path& /*preset*/) override { return {}; }
    std::optional<std::filesystem::path> askPdfFile(const std::filesystem::path& /*preset*/) override { return {}; }
};

} // namespace quorvel::bench
