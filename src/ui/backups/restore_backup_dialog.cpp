#include "ui/backups/restore_backup_dialog.h"

#include "core/text_format.h"
#include "io/code_page.h"
#include "model/bike_list.h"
#include "texts/compare_texts.h"
#include "ui/binding/text_lookup.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace quorvel {
namespace {

constexpr QSize kInitialSize{720, 360};

enum Column : int { kColumnDate, kColumnBike, kColumnReason, kColumnMemo, kColumnDifferences, kColumns };

QString dateText(const BackupTime& time)
{
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(time.year, 4, 10, QLatin1Char('0'))
        .arg(time.month, 2, 10, QLatin1Char('0'))
        .arg(time.day, 2, 10, QLatin1Char('0'))
        .arg(time.hour, 2, 10, QLatin1Char('0'))
        .arg(time.minute, 2, 10, QLatin1Char('0'))
        .arg(time.second, 2, 10, QLatin1Char('0'));
}

QString bikeText(int bikeCode)
{
    return qText(BikeList::itemText(BikeList::shownPosition(bikeCode))).trimmed();
}

} // namespace

RestoreBackupDialog::RestoreBackupDialog(std::vector<BackupEntry> entries, const std::filesystem::path& folder,
                                         Language language, QWidget* parent)
    : QDialog(parent)
    , m_entries(std::move(entries))
    , m_folder(folder)
    , m_language(language)
{
    setObjectName("DialogRestoreBackup");
    auto* layout = new QVBoxLayout(this);
    m_table = new QTableWidget(0, kColumns, this);
    m_table->setObjectName("TableRestoreBackup");
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_empty = new QLabel(this);
    m_empty->setObjectName("LabelRestoreEmpty");
    m_folderLabel = new QLabel(this);
    m_folderLabel->setObjectName("LabelRestoreFolder");
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_open->setObjectName("ButtonRestoreOpen");
    m_cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName("ButtonRestoreCancel");
    layout->addWidget(m_table, 1);
    layout->addWidget(m_empty);
    layout->addWidget(m_folderLabel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    connect(m_table, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (entryAt(index.row()) != nullptr)
            accept();
    });
    fillRows();
    applyTexts();
    // The newest backup that opens is the likely choice.
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (entryAt(row) != nullptr) {
            m_table->selectRow(row);
            break;
        }
    }
    selectionChanged();
    resize(kInitialSize);
}

void RestoreBackupDialog::setLanguage(Language language)
{
    m_language = language;
    fillRows();
    applyTexts();
}

std::optional<BackupEntry> RestoreBackupDialog::chosen() const
{
    const BackupEntry* entry = entryAt(m_table->currentRow());
    if (entry == nullptr || m_table->selectedItems().isEmpty())
        return std::nullopt;
    return *entry;
}

void RestoreBackupDialog::fillRows()
{
    const int selected = m_table->currentRow();
    m_table->setRowCount(static_cast<int>(m_entries.size()));
    const CodePage memoPage = memoCodePage(static_cast<int>(m_language));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const BackupEntry& entry = m_entries[static_cast<std::size_t>(row)];
        const QString memo = qText(codePageToUtf8(entry.memo, memoPage));
        const std::array<QString, kColumns> texts = {
            dateText(entry.time), bikeText(entry.bike),
            text(entry.reason == BackupReason::Read ? "RestoreReasonRead" : "RestoreReasonProgram"), memo.simplified(),
            entry.differences ? QString::number(*entry.differences) : text("RestoreUnreadable")};
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(texts[static_cast<std::size_t>(column)]);
            Qt::ItemFlags flags = Qt::ItemIsSelectable;
            if (entry.readable())
                flags |= Qt::ItemIsEnabled;
            item->setFlags(flags);
            if (column == kColumnMemo)
                item->setToolTip(memo);
            else if (column == kColumnDifferences)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    if (selected >= 0 && selected < m_table->rowCount())
        m_table->selectRow(selected);
}

void RestoreBackupDialog::applyTexts()
{
    setWindowTitle(captionText(CompareTexts::captions(), "DialogRestoreBackup", CaptionKind::Caption, m_language));
    m_table->setHorizontalHeaderLabels({text("RestoreColumnDate"), text("RestoreColumnBike"),
                                        text("RestoreColumnReason"), text("RestoreColumnMemo"),
                                        text("RestoreColumnDifferences")});
    m_empty->setText(text("RestoreEmpty"));
    m_empty->setVisible(m_entries.empty());
    const std::u8string folder = m_folder.u8string();
    m_folderLabel->setText(qText(formatText(CompareTexts::text("RestoreFolder", m_language).value_or("%s"),
                                            reinterpret_cast<const char*>(folder.c_str()))));
    m_open->setText(captionText(CompareTexts::captions(), "ButtonRestoreOpen", CaptionKind::Caption, m_language));
    m_cancel->setText(captionText(CompareTexts::captions(), "ButtonRestoreCancel", CaptionKind::Caption, m_language));
}

void RestoreBackupDialog::selectionChanged()
{
    m_open->setEnabled(chosen().has_value());
}

QString RestoreBackupDialog::text(std::string_view key) const
{
    return keyedText(CompareTexts::texts(), key, m_language);
}

const BackupEntry* RestoreBackupDialog::entryAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return nullptr;
    const BackupEntry& entry = m_entries[static_cast<std::size_t>(row)];
    return entry.readable() ? &entry : nullptr;
}

} // namespace quorvel
