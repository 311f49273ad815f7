#include "window_rig.h"

#include "io/atomic_file.h"

#include <QAction>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvel {
namespace {

using test::WindowRig;

class FileMenu : public ::testing::Test {
protected:
    WindowRig rig;
    std::filesystem::path file;

    void SetUp() override
    {
        rig.start();
        file = rig.configDirectory / "set.ign";
    }
    void trigger(const char* item) { rig.window->findChild<QAction*>(item)->trigger(); }
    // One box: "Open file error!" and under it why, as the command line tells it.
    void expectFileError(const std::string& why) const
    {
        ASSERT_EQ(rig.dialogs->messages.size(), 1U);
        const std::string& message = rig.dialogs->messages.front();
        EXPECT_EQ(message.rfind("Open file error!\n", 0), 0U) << message;
        EXPECT_NE(message.find(why), std::string::npos) << message;
    }
};

TEST_F(FileMenu, SaveThenOpenGivesTheImageBackAndNamesTheFile)
{
    const ParamImage saved = rig.window->image();
    rig.dialogs->paths.push_back(file);
    trigger("MenuSave");
    ASSERT_TRUE(rig.dialogs->messages.empty());
    const auto text = readWholeFile(file);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->rfind("TASKOVAR_KEY    71 ", 0), 0U);
    rig.showPage(kPageBike);
    EXPECT_EQ(rig.text("LabelFile2"), file.string());

    rig.window->image().setByte(185, 7);
    rig.dialogs->paths.push_back(file);
    trigger("MenuOpen");
    EXPECT_EQ(rig.dialogs->presets.back(), file);
    EXPECT_EQ(rig.window->image().byte(185), saved.byte(185));
    EXPECT_EQ(rig.window->files().currentFileName, file);
}

TEST_F(FileMenu, FailedSaveShowsOpenFileErrorAndKeepsTheOldFile)
{
    ASSERT_FALSE(writeFileAtomically(file, "old contents"));
    std::filesystem::permissions(rig.configDirectory,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    rig.dialogs->paths.push_back(file);
    trigger("MenuSave");
    std::filesystem::permissions(rig.configDirectory, std::filesystem::perms::owner_all);
    if (::geteuid() == 0 && rig.dialogs->messages.empty())
        GTEST_SKIP() << "root writes into a read-only directory";
    expectFileError("Permission denied");
    EXPECT_EQ(readWholeFile(file), std::optional<std::string>("old contents"));
    EXPECT_TRUE(rig.window->files().currentFileName.empty());
}

TEST_F(FileMenu, SaveIntoAMissingDirectoryShowsOpenFileError)
{
    rig.dialogs->paths.push_back(rig.configDirectory / "missing" / "set.ign");
    trigger("MenuSaveExeDir");
    expectFileError("No such file or directory");
    EXPECT_EQ(rig.dialogs->presets.back().filename(), "data.ign");
    rig.showPage(kPageBike);
    EXPECT_TRUE(rig.text("LabelFile2").empty());
}

TEST_F(FileMenu, OpeningAFileOfAnotherVersionIsRefusedAndChangesNothing)
{
    ASSERT_FALSE(writeFileAtomically(file, "TASKOVAR_KEY    70 \r\nBIKE 3\r\n"));
    const ParamImage before = rig.window->image();
    rig.dialogs->paths.push_back(file);
    trigger("MenuOpen");
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{"Unmatched version of *.ign file!"});
    EXPECT_TRUE(std::ranges::equal(rig.window->image().bytes(), before.bytes()));
    EXPECT_TRUE(rig.window->files().currentFileName.empty());
}

TEST_F(FileMenu, CancelledDialogsAndMissingFilesChangeNothing)
{
    trigger("MenuOpen");
    trigger("MenuSave");
    rig.dialogs->paths.push_back(rig.configDirectory / "absent.ign");
    trigger("MenuOpenExeDir");
    expectFileError("absent.ign");
    EXPECT_TRUE(rig.window->files().currentFileName.empty());
}

// Save onto a tune its owner made read-only: refused as the shell refuses it, the reason shown.
TEST_F(FileMenu, SaveOntoAWriteProtectedTuneSaysWhyAndKeepsIt)
{
    ASSERT_FALSE(writeFileAtomically(file, "protected tune"));
    std::filesystem::permissions(file, static_cast<std::filesystem::perms>(0444));
    rig.dialogs->paths.push_back(file);
    trigger("MenuSave");
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    expectFileError("cannot write " + file.string() + ": Permission denied");
    EXPECT_EQ(readWholeFile(file), std::optional<std::string>("protected tune"));
    EXPECT_TRUE(rig.window->files().currentFileName.empty());
}

// A file of 100 MB picked by mistake is refused before it is read, in the user's language.
TEST_F(FileMenu, OpeningAFileFarLargerThanATuneIsRefusedUnread)
{
    std::ofstream(file).flush();
    std::filesystem::resize_file(file, 100 * kMiB);
    rig.dialogs->paths.push_back(file);
    trigger("MenuOpen");
    expectFileError(file.string() + " is larger than 1 MB and was not read.");
    EXPECT_TRUE(rig.window->files().currentFileName.empty());
}

TEST_F(FileMenu, NewAsksAndAnswerNoKeepsTheImage)
{
    rig.window->image().setByte(185, 7);
    rig.dialogs->answer = PromptAnswer::No;
    trigger("MenuNew");
    EXPECT_EQ(rig.dialogs->questions, std::vector<std::string>{"Do you want default setting?"});
    EXPECT_EQ(rig.window->image().byte(185), 7);
    rig.dialogs->answer = PromptAnswer::Yes;
    trigger("MenuNew");
    EXPECT_NE(rig.window->image().byte(185), 7);
}

} // namespace
} // namespace quorvel
