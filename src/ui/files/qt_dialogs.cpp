#include "ui/files/qt_dialogs.h"

#include "ui/files/file_dialog_start.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
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
    const FileDialogStart start = fileDialogStart(preset);
    if (!start.folder.empty())
        dialog.setDirectory(QString::fromStdU16String(start.folder.u16string()));
    if (!start.fileName.empty())
        dialog.selectFile(QString::fromStdString(start.fileName));
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
    return askSaveAs(kSaveFilter, preset, kDefaultSuffix);
}

std::optional<std::filesystem::path> QtDialogs::askPdfFile(const std::filesystem::path& preset)
{
    return askSaveAs(kPdfFilter, preset, kPdfSuffix);
}

// A save dialog asks before it replaces a file, whatever it saves.
std::optional<std::filesystem::path> QtDialogs::askSaveAs(const char* filter, const std::filesystem::path& preset,
                                                          const char* suffix)
{
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    return runFileDialog(dialog, preset, suffix);
}

std::optional<std::filesystem::path> QtDialogs::askDataFile(const DataFileQuestion& question)
{
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(question.filter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    return runFileDialog(dialog, question.preset, question.suffix.c_str());
}

std::optional<double> QtDialogs::askNumber(std::string_view text, const NumberQuestion& question)
{
    bool accepted = false;
    const double value =
        QInputDialog::getDouble(m_parent, QApplication::applicationDisplayName(), qText(text), question.initial,
                                question.minimum, question.maximum, question.decimals, &accepted);
    return accepted ? std::optional<double>(value) : std::nullopt;
}

std::optional<std::string> QtDialogs::askText(std::string_view text, std::string_view initial)
{
    bool accepted = false;
    const QString value = QInputDialog::getText(m_parent, QApplication::applicationDisplayName(), qText(text),
                                                QLineEdit::Normal, qText(initial), &accepted);
    return accepted ? std::optional<std::string>(value.toStdString()) : std::nullopt;
}

} // namespace quorvel
