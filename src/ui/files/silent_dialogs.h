#pragma once

#include "ui/files/dialogs.h"

namespace quorvel {

// Dialogs that answer nothing, for programs that run the window without a person: the
// benchmarks and the screenshots of the manuals.
class SilentDialogs final : public Dialogs {
public:
    void showMessage(std::string_view /*text*/) override {}
    PromptAnswer askYesNoCancel(std::string_view /*text*/) override { return PromptAnswer::Cancel; }
    std::optional<std::filesystem::path> askOpenFile(const std::filesystem::path& /*preset*/) override { return {}; }
    std::optional<std::filesystem::path> askSaveFile(const std::filesystem::path& /*preset*/) override { return {}; }
    std::optional<std::filesystem::path> askPdfFile(const std::filesystem::path& /*preset*/) override { return {}; }
    std::optional<std::filesystem::path> askDataFile(const DataFileQuestion& /*question*/) override { return {}; }
    std::optional<double> askNumber(std::string_view /*text*/, const NumberQuestion& /*question*/) override
    {
        return {};
    }
    std::optional<std::string> askText(std::string_view /*text*/, std::string_view /*initial*/) override { return {}; }
};

} // namespace quorvel
