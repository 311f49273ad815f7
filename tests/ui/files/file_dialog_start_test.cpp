// Where the file dialogs open: in the folder given, with no folder name typed as a file name.
#include "ui/files/file_dialog_start.h"
#include "ui/files/qt_dialogs.h"
#include "window_rig.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvel {
namespace {

class FileDialogStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = std::filesystem::temp_directory_path() / ("quorvel-dialog-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root / "logs");
        std::ofstream(root / "set.ign") << "x";
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path root;
};

TEST_F(FileDialogStartTest, FolderOpensInItselfWithNoNameTyped)
{
    const FileDialogStart start = fileDialogStart(root / "logs");
    EXPECT_EQ(start.folder, root / "logs");
    EXPECT_EQ(start.fileName, "");
}

TEST_F(FileDialogStartTest, FileOpensInItsFolderWithItsName)
{
    const FileDialogStart start = fileDialogStart(root / "set.ign");
    EXPECT_EQ(start.folder, root);
    EXPECT_EQ(start.fileName, "set.ign");
}

TEST_F(FileDialogStartTest, FolderNotMadeYetOpensInTheNearestThatIs)
{
    const FileDialogStart folder = fileDialogStart(root / "data" / "logs" / "");
    EXPECT_EQ(folder.folder, root);
    EXPECT_EQ(folder.fileName, "");
    const FileDialogStart file = fileDialogStart(root / "gone" / "new.ign");
    EXPECT_EQ(file.folder, root);
    EXPECT_EQ(file.fileName, "new.ign") << "a name to save under stays";
}

TEST_F(FileDialogStartTest, NothingPresetOpensWhereTheDialogWould)
{
    const FileDialogStart start = fileDialogStart({});
    EXPECT_TRUE(start.folder.empty());
    EXPECT_TRUE(start.fileName.empty());
}

// The real dialog, as "Open log..." asks: Enter right away must not try a file named as the folder.
TEST_F(FileDialogStartTest, OpenDialogForLogsStartsInTheLogsFolderWithTheNameEmpty)
{
    test::ensureApplication();
    QString folder;
    QString typed = QStringLiteral("not looked at");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        folder = dialog->directory().absolutePath();
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            typed = name->text();
        dialog->reject();
    });
    QtDialogs dialogs;
    const auto chosen = dialogs.askDataFile(DataFileQuestion{root / "logs" / "", false, "CSV (*.csv)", "csv"});
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(folder.toStdString(), (root / "logs").string());
    EXPECT_EQ(typed.toStdString(), "");
}

} // namespace
} // namespace quorvel
