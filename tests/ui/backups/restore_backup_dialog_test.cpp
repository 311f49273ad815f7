#include "ui/backups/restore_backup_dialog.h"

#include "gui_application.h"
#include "model/bike_list.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

BackupEntry entry(std::string name, BackupTime time, BackupReason reason, std::string memo,
                  std::optional<int> differences)
{
    return {name, time, 11, reason, std::move(memo), differences};
}

// "Čas" as a Czech memo is stored: in code page 1250.
const std::string kCasIn1250 = std::string(1, '\xC8') + "as";

// Newest first, as the store lists them: a readable backup, one that no longer loads, an old one.
std::vector<BackupEntry> backups()
{
    return {
        entry("/b/2026-12-09_14-03-22_bike11_program.ign", {2026, 12, 9, 14, 3, 22}, BackupReason::Program,
              "tuned\r\nfor the track", 12),
        entry("/b/2026-12-08_09-00-05_bike11_read.ign", {2026, 12, 8, 9, 0, 5}, BackupReason::Read, "", std::nullopt),
        entry("/b/2026-01-02_03-04-05_bike11_read.ign", {2026, 1, 2, 3, 4, 5}, BackupReason::Read, kCasIn1250, 0),
    };
}

class RestoreBackupDialogTest : public test::WidgetTest {
protected:
    [[nodiscard]] QString cellText(const RestoreBackupDialog& dialog, int row, int column) const
    {
        return dialog.table().item(row, column)->text();
    }
};

TEST_F(RestoreBackupDialogTest, ListsEachBackupWithItsDateBikeReasonMemoAndDifferences)
{
    RestoreBackupDialog dialog(backups(), "/home/rider/backups", Language::Czech);
    EXPECT_EQ(dialog.objectName(), "DialogRestoreBackup");
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Obnovit zálohu"));
    ASSERT_EQ(dialog.table().rowCount(), 3);
    EXPECT_EQ(cellText(dialog, 0, 0), "2026-12-09 14:03:22");
    EXPECT_EQ(cellText(dialog, 0, 1), QString::fromUtf8(BikeList::itemText(BikeList::shownPosition(11))).trimmed());
    EXPECT_EQ(cellText(dialog, 0, 2), QString::fromUtf8("Před programováním"));
    EXPECT_EQ(cellText(dialog, 0, 3), "tuned for the track");
    EXPECT_EQ(cellText(dialog, 0, 4), "12");
    EXPECT_EQ(cellText(dialog, 1, 4), QString::fromUtf8("nečitelná"));
    EXPECT_EQ(cellText(dialog, 2, 0), "2026-01-02 03:04:05");
    EXPECT_EQ(cellText(dialog, 2, 3), QString::fromUtf8("Čas")); // the memo in the code page of Czech
    EXPECT_EQ(dialog.table().horizontalHeaderItem(4)->text(), QString::fromUtf8("Rozdíly proti aktuální sadě"));
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelRestoreFolder")->text(),
              QString::fromUtf8("Složka záloh: /home/rider/backups"));

    dialog.setLanguage(Language::German);
    EXPECT_EQ(cellText(dialog, 0, 2), "Vor dem Programmieren");
    EXPECT_EQ(dialog.openButton().text(), QString::fromUtf8("Ö&ffnen"));
}

TEST_F(RestoreBackupDialogTest, OpenTakesTheChosenReadableBackupOnly)
{
    RestoreBackupDialog dialog(backups(), "/b", Language::English);
    // The newest backup that opens is chosen to begin with.
    ASSERT_TRUE(dialog.chosen().has_value());
    EXPECT_EQ(dialog.chosen()->path, "/b/2026-12-09_14-03-22_bike11_program.ign");
    EXPECT_TRUE(dialog.openButton().isEnabled());

    dialog.table().selectRow(1); // unreadable: cannot be chosen
    const std::optional<BackupEntry> afterUnreadable = dialog.chosen();
    EXPECT_TRUE(!afterUnreadable || afterUnreadable->readable());
    EXPECT_EQ(dialog.openButton().isEnabled(), afterUnreadable.has_value());

    dialog.table().selectRow(2);
    ASSERT_TRUE(dialog.chosen().has_value());
    EXPECT_EQ(dialog.chosen()->time, (BackupTime{2026, 1, 2, 3, 4, 5}));
    dialog.openButton().click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen()->path.filename(), "2026-01-02_03-04-05_bike11_read.ign");
}

TEST_F(RestoreBackupDialogTest, NoBackupsSaysSoAndOpensNothing)
{
    RestoreBackupDialog dialog({}, "/b", Language::French);
    EXPECT_EQ(dialog.table().rowCount(), 0);
    EXPECT_FALSE(dialog.chosen().has_value());
    EXPECT_FALSE(dialog.openButton().isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelRestoreEmpty")->text(), "Aucune sauvegarde pour l'instant.");
    EXPECT_FALSE(dialog.findChild<QLabel*>("LabelRestoreEmpty")->isHidden());
    dialog.cancelButton().click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
} // namespace quorvel
