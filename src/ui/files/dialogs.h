#pragma once

#include "core/user_messages.h"
#include "model/user_prompts.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A file other than a parameter file (a map as CSV, a datalog): what the dialog offers.
struct DataFileQuestion {
    std::filesystem::path preset;
    bool save = false;  // a save dialog: the suffix is added and replacing a file is asked
    std::string filter; // as the file dialog shows it: "CSV (*.csv)"
    std::string suffix; // without the dot
};

// A number the user types (a value for a map selection): its bounds and decimals.
struct NumberQuestion {
    double initial = 0;
    double minimum = 0;
    double maximum = 0;
    int decimals = 0;
};

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
    [[nodiscard]] virtual std::optional<std::filesystem::path> askDataFile(const DataFileQuestion& question) = 0;
    // A number within the question's bounds; none when cancelled.
    [[nodiscard]] virtual std::optional<double> askNumber(std::string_view text, const NumberQuestion& question) = 0;
    // One line of text, prefilled with `initial`; none when cancelled.
    [[nodiscard]] virtual std::optional<std::string> askText(std::string_view text, std::string_view initial) = 0;
};

} // namespace quorvel
