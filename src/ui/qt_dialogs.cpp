#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quorvel {
namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::filesystem::path> runFileDialog(QFileDialog& dialog, const std::filesystem::path& preset,
                                                   const char* suffix = QtDialogs::kDefaultSuffix)
{
    dialog.setDefaultSuffix(suffix);
    if (!preset.empty()) {
        const QString path = QString::fromStdString(preset.string());
        dialog.setDirectory(QFileInfo(path).absolutePath());
        dialog.selectFile(QFileInfo(path).fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

} // namespace

void QtDialogs::showMessage(std::string_view text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), qText(text), QMessageBox::Ok,
                    m_parent);
    box.exec();
}

PromptAnswer QtDialogs::askYesNoCancel(std::string_view text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), qText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

std::optional<std::filesystem::path> QtDialogs::askOpenFile(const std::filesystem::path& preset)
{
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(QString(kOpenFilter).split(";;"));
    return runFileDialog(dialog, preset);
}

std::optional<std::filesystem::path> QtDialogs::askSaveFile(const std::filesystem::path& preset)
{
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kSaveFilter);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    return runFileDialog(dialog, preset);
}

std::optional<std::filesystem::path> QtDialogs::askPdfFile(const std::filesystem::path& preset)
{
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kPdfFilter);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    return runFileDialog(dialog, preset, kPdfSuffix);
}

} // namespace quorvel
