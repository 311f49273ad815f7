#include "ui/files/file_commands.h"

#include "core/page_index.h"
#include "io/atomic_file.h"
#include "io/old_maps.h"
#include "io/parameter_file.h"
#include "io/read_problem_text.h"
#include "io/service_tools.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"

namespace quorvel {

FileCommands::FileCommands(ParamImage& image, InjectionTables& tables, FileState& state, FileCommandHost& host,
                           Dialogs& dialogs, const LanguageTable& texts)
    : m_image(image)
    , m_tables(tables)
    , m_state(state)
    , m_host(host)
    , m_dialogs(dialogs)
    , m_texts(texts)
{
}

void FileCommands::remember(const std::filesystem::path& path)
{
    m_state.currentFileName = path;
    m_state.fileLabel = path.string();
}

void FileCommands::showFileError(std::string_view reason)
{
    m_dialogs.showMessage(fileErrorText(m_texts.text(kTextOpenFileError), reason));
}

std::optional<std::string> FileCommands::readChosen(const std::filesystem::path& path)
{
    FileRead read = readFileWithin(path, kParameterFileLimit);
    if (!read.bytes)
        showFileError(readProblemText(read, path, kParameterFileLimit, m_texts.language()));
    return std::move(read.bytes);
}

template <typename Content> void FileCommands::saveTo(const std::filesystem::path& preset, Content content)
{
    const auto path = m_dialogs.askSaveFile(preset);
    if (!path)
        return;
    m_host.collectSanitiseRefill();
    if (const auto error = writeFileAtomically(*path, content())) {
        showFileError(*error);
        return;
    }
    remember(*path);
    m_host.imageMatchesFile(*path, true);
}

void FileCommands::saveAs(const std::filesystem::path& preset)
{
    saveTo(preset, [this] { return writeParameterFile(m_image); });
}

void FileCommands::save()
{
    saveAs(m_state.currentFileName);
}

void FileCommands::saveToExeDir()
{
    saveAs(m_state.exeDirFileName);
}

void FileCommands::openFrom(const std::filesystem::path& preset, bool pageOnly)
{
    if (const auto path = m_dialogs.askOpenFile(preset))
        load(*path, pageOnly);
    m_host.hideTransferMessage();
}

void FileCommands::load(const std::filesystem::path& path, bool pageOnly)
{
    const auto bytes = readChosen(path);
    if (!bytes)
        return;
    m_state.pageOnlyLoad = pageOnly;
    const int page = m_host.activePage();
    const ParameterFileLoad load{pageOnly, page, [this, page](ParamImage& image) {
                                     applyDefaults(image, m_tables, {false, page});
                                 }};
    if (!readParameterFile(*bytes, m_image, load)) {
        m_dialogs.showMessage(m_texts.text(kTextUnmatchedFile));
        return;
    }
    // The image was replaced: the percentages shown follow the maps now stored.
    m_tables.refreshFromImage(m_image);
    m_host.afterChange();
    remember(path);
    // A page taken from a file leaves the rest of the image as it was.
    if (!pageOnly)
        m_host.imageMatchesFile(path, false);
}

void FileCommands::openFile(const std::filesystem::path& path)
{
    load(path, false);
    m_host.hideTransferMessage();
}

void FileCommands::open()
{
    openFrom(m_state.currentFileName, false);
}

void FileCommands::openFromExeDir()
{
    openFrom(m_state.exeDirFileName, false);
}

void FileCommands::openForActualPage()
{
    // The coupled A maps are loaded together or not at all.
    const int page = m_host.activePage();
    const bool coupled = m_image.byte(kJet123ModeOffset) == static_cast<std::uint8_t>(Jet123Mode::Coupled);
    if (page >= kPageInj1A && page <= kPageInj4A && coupled)
        return;
    openFrom(m_state.currentFileName, true);
}

void FileCommands::saveAllNew()
{
    m_host.collectSanitiseRefill();
    for (const SavedBikeFile& file : quorvel::saveAllNew(m_image, kNewIgnDirectory)) {
        if (file.error)
            showFileError(*file.error);
    }
}

void FileCommands::compareAllNew()
{
    const std::filesystem::path report = kNewIgnDirectory / kCompareReportName;
    // A report that cannot be written (no new_ign directory) is simply not there afterwards.
    (void)writeFileAtomically(report, quorvel::compareAllNew(kNewIgnDirectory, kOldIgnDirectory));
    m_dialogs.showMessage("Results in file \"" + report.string() + "\"");
}

void FileCommands::openOldMaps()
{
    if (const auto path = m_dialogs.askOpenFile(m_state.currentFileName)) {
        if (const auto bytes = readChosen(*path)) {
            readOldMaps(*bytes, m_image, m_tables, {m_state.pageOnlyLoad, m_host.activePage()});
            m_host.afterChange();
            remember(*path);
        }
    }
    m_host.hideTransferMessage();
}

void FileCommands::savePercentMaps()
{
    saveTo(m_state.currentFileName, [this] { return percentExport(m_image, m_tables); });
}

} // namespace quorvel
