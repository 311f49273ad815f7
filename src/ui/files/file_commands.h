#pragma once

#include "core/param_image.h"
#include "model/injection_tables.h"
#include "texts/language_table.h"
#include "ui/files/dialogs.h"

#include <filesystem>
#include <string>

namespace quorvel {

// What the file commands need of the window besides the image.
class FileCommandHost {
public:
    virtual ~FileCommandHost() = default;
    [[nodiscard]] virtual int activePage() const = 0;
    // The page into the image, sanitised, and shown again: the image as the user sees it.
    virtual void collectSanitiseRefill() = 0;
    // Sanitise, refill the page twice, take an undo snapshot.
    virtual void afterChange() = 0;
    // Hides the status line and the progress bar of the last transfer.
    virtual void hideTransferMessage() = 0;
    // The image on screen is now the one in `path`: it was just saved there (`saved`) or read
    // from there.
    virtual void imageMatchesFile(const std::filesystem::path& path, bool saved) = 0;
};

// The state the file commands keep between runs.
struct FileState {
    std::filesystem::path currentFileName; // the file last saved or loaded; presets both dialogs
    std::string fileLabel;                 // LabelFile2 on the Bike page
    std::filesystem::path exeDirFileName;  // "data.ign" in the program's directory
    bool pageOnlyLoad = false;             // as the last Open or New left it
};

// Open, Save and their variants, and the service tools. Every file is written to a temporary
// file first and renamed over the target, so a failed save keeps the old file whole; a failure
// is told as "Open file error!" with its reason and changes nothing else.
class FileCommands {
public:
    static constexpr int kTextOpenFileError = 26;
    static constexpr int kTextUnmatchedFile = 29;

    FileCommands(ParamImage& image, InjectionTables& tables, FileState& state, FileCommandHost& host, Dialogs& dialogs,
                 const LanguageTable& texts);

    void save();
    void saveToExeDir();
    void open();
    // As Open with `path` chosen in the dialog: a file named on the command line.
    void openFile(const std::filesystem::path& path);
    void openFromExeDir();
    void openForActualPage();

    // The service menu.
    void saveAllNew();
    void compareAllNew();
    void openOldMaps();
    void savePercentMaps();

private:
    void saveAs(const std::filesystem::path& preset);
    void openFrom(const std::filesystem::path& preset, bool pageOnly);
    void load(const std::filesystem::path& path, bool pageOnly);
    // Writes the text the image becomes (after the page is collected) to a file the user picks.
    template <typename Content> void saveTo(const std::filesystem::path& preset, Content content);
    void remember(const std::filesystem::path& path);
    // The text of a parameter file or old map file the user picked; none after telling why not.
    [[nodiscard]] std::optional<std::string> readChosen(const std::filesystem::path& path);
    void showFileError(std::string_view reason);

    ParamImage& m_image;
    InjectionTables& m_tables;
    FileState& m_state;
    FileCommandHost& m_host;
    Dialogs& m_dialogs;
    const LanguageTable& m_texts;
};

} // namespace quorvel
