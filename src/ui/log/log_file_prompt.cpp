#include "ui/log/log_file_prompt.h"

#include "ui/log/datalog_captions.h"

#include <QFileDialog>

namespace quorvel {

std::optional<std::filesystem::path> askLogFile(QWidget* parent, const std::filesystem::path& directory,
                                                Language language)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(datalogText(DatalogMessage::LogFileFilter, language).split(QStringLiteral(";;")));
    dialog.setDirectory(QString::fromStdU16String(directory.u16string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdU16String());
}

} // namespace quorvel
