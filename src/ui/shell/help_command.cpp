#include "ui/shell/help_command.h"

#include "texts/about_texts.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <system_error>

namespace quorvel {
namespace {

constexpr int kManualOpenError = 32;

} // namespace

HelpCommand::HelpCommand(std::filesystem::path programDirectory, const MessageTexts& texts, UserMessages& messages,
                         Opener opener)
    : m_programDirectory(std::move(programDirectory))
    , m_texts(texts)
    , m_messages(messages)
    , m_opener(std::move(opener))
{
}

std::vector<std::filesystem::path> HelpCommand::candidates() const
{
    return {manualPath(m_programDirectory, m_texts),
            manualPath(m_programDirectory.parent_path() / "share" / "doc" / "quorvel", m_texts)};
}

void HelpCommand::openManual()
{
    for (const std::filesystem::path& manual : candidates()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(manual, error)) {
            if (m_opener(manual))
                return;
            break;
        }
    }
    m_messages.showMessage(m_texts.text(kManualOpenError));
}

bool HelpCommand::openWithDesktop(const std::filesystem::path& document)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(document.string())));
}

} // namespace quorvel
