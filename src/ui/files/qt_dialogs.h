#pragma once

#include "ui/files/dialogs.h"

class QWidget;

namespace quorvel {

// The dialogs as Qt message boxes and file dialogs, owned by the main window.
class QtDialogs final : public Dialogs {
public:
    static constexpr const char* kOpenFilter = "Ignition Parametrs(*.ign);;All Files (*.*)";
    static constexpr const char* kSaveFilter = "Ignition Parametrs(*.ign)";
    static constexpr const char* kDefaultSuffix = "ign";
    static constexpr const char* kPdfFilter = "PDF (*.pdf)";
    static constexpr const char* kPdfSuffix = "pdf";

    void setParent(QWidget* parent) { m_parent = parent; }

    void showMessage(std::string_view text) override;
    [[nodiscard]] PromptAnswer askYesNoCancel(std::string_view text) override;
    [[nodiscard]] std::optional<std::filesystem::path> askOpenFile(const std::filesystem::path& preset) override;
    [[nodiscard]] std::optional<std::filesystem::path> askSaveFile(const std::filesystem::path& preset) override;
    [[nodiscard]] std::optional<std::filesystem::path> askPdfFile(const std::filesystem::path& preset) override;
    [[nodiscard]] std::optional<std::filesystem::path> askDataFile(const DataFileQuestion& question) override;
    [[nodiscard]] std::optional<double> askNumber(std::string_view text, const NumberQuestion& question) override;
    [[nodiscard]] std::optional<std::string> askText(std::string_view text, std::string_view initial) override;

private:
    [[nodiscard]] std::optional<std::filesystem::path>
    askSaveAs(const char* filter, const std::filesystem::path& preset, const char* suffix);

    QWidget* m_parent = nullptr;
};

} // namespace quorvel
