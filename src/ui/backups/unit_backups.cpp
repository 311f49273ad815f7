#include "ui/backups/unit_backups.h"

#include "core/text_format.h"
#include "io/read_problem_text.h"
#include "texts/compare_texts.h"
#include "texts/language_table.h"
#include "ui/backups/restore_backup_dialog.h"
#include "ui/files/dialogs.h"
#include "ui/files/file_commands.h"

#include <QTimer>
#include <QWidget>

namespace quorvel {

UnitBackups::UnitBackups(Parts parts, std::filesystem::path folder, int kept)
    : m_parts(std::move(parts))
    , m_store(std::move(folder), kept)
{
    m_parts.session.setReadObserver([this](const UnitCopy& unit) { keepRead(unit); });
}

std::string UnitBackups::text(std::string_view key) const
{
    return std::string(CompareTexts::text(key, m_parts.language()).value_or(key));
}

// Inside the tick, while the verify pass goes on: a failure is told once the tick is over.
void UnitBackups::keepRead(const UnitCopy& unit)
{
    const BackupWrite written = m_store.write(unit.rawBytes(), BackupReason::Read, BackupTime::now());
    if (written.written())
        return;
    const std::string message = formatText(text("BackupWriteFailed"), written.error->c_str());
    QTimer::singleShot(0, &m_parts.window, [this, message] { m_parts.dialogs.showMessage(message); });
}

bool UnitBackups::keepBeforeProgram(const UnitCopy& unit)
{
    const BackupWrite written = m_store.write(unit.rawBytes(), BackupReason::Program, BackupTime::now());
    if (written.written()) {
        m_keptConnection = unit.connection();
        return true;
    }
    const std::string question =
        formatText(text("BackupWriteFailed"), written.error->c_str()) + "\n" + text("BackupProgramAnyway");
    return m_parts.dialogs.askYesNoCancel(question) == PromptAnswer::Yes;
}

void UnitBackups::program()
{
    m_parts.session.programWithBackup([this](const UnitCopy& unit) { return keepBeforeProgram(unit); });
}

void UnitBackups::programPending()
{
    LinkSession& session = m_parts.session;
    // Edits made while the unit is read for a backup wait as pending blocks: they go out with the
    // others once the backup is kept.
    if (session.readingForBackup())
        return;
    if (m_keptConnection == session.unitCopy().connection()) {
        session.startProgramming();
        return;
    }
    session.programWithBackup([this](const UnitCopy& unit) { return keepBeforeProgram(unit); },
                              LinkSession::ProgramScope::PendingBlocks);
}

void UnitBackups::restore()
{
    RestoreBackupDialog dialog(m_store.list(m_parts.image, m_parts.tables), m_store.directory(), m_parts.language(),
                               &m_parts.window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::optional<BackupEntry> chosen = dialog.chosen();
    if (!chosen)
        return;
    const FileLoad load = restoreBackup(*chosen, m_parts.image, m_parts.tables);
    if (load.result == LoadResult::Loaded) {
        m_parts.opened();
        return;
    }
    // Removed or changed since the list was made: the user hears why, as after Open.
    const LanguageTable texts(m_parts.language());
    if (load.result == LoadResult::WrongVersion) {
        m_parts.dialogs.showMessage(texts.text(FileCommands::kTextUnmatchedFile));
        return;
    }
    const FileRead read{std::nullopt, load.problem, load.reason};
    m_parts.dialogs.showMessage(
        fileErrorText(texts.text(FileCommands::kTextOpenFileError),
                      readProblemText(read, chosen->path, kParameterFileLimit, texts.language())));
}

} // namespace quorvel
