#pragma once

#include "core/message_texts.h"
#include "io/backup_store.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvel {

// DialogRestoreBackup: the backups of the unit, newest first, with their date, bike, reason,
// memo and how many values differ from the parameter set open now; "Open" takes the chosen one.
// A backup that no longer loads is listed as unreadable and cannot be chosen.
class RestoreBackupDialog final : public QDialog {
public:
    // `entries` as BackupStore::list gives them; `folder` is named under the list.
    RestoreBackupDialog(std::vector<BackupEntry> entries, const std::filesystem::path& folder, Language language,
                        QWidget* parent = nullptr);

    void setLanguage(Language language);
    // The backup of the line chosen now; none when no readable line is.
    [[nodiscard]] std::optional<BackupEntry> chosen() const;

    [[nodiscard]] QTableWidget& table() const { return *m_table; }
    [[nodiscard]] QPushButton& openButton() const { return *m_open; }
    [[nodiscard]] QPushButton& cancelButton() const { return *m_cancel; }

private:
    void fillRows();
    void applyTexts();
    void selectionChanged();
    [[nodiscard]] QString text(std::string_view key) const;
    [[nodiscard]] const BackupEntry* entryAt(int row) const;

    std::vector<BackupEntry> m_entries;
    std::filesystem::path m_folder;
    Language m_language;
    QTableWidget* m_table = nullptr;
    QLabel* m_empty = nullptr;
    QLabel* m_folderLabel = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace quorvel
