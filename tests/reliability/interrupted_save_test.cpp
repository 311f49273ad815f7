// Saves that never finish: the saving process killed at any moment, or stopped by a file size
// limit (what a full disk does to it). The previous file must survive whole.

#include "io/atomic_file.h"
#include "io/settings_store.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// Large enough that writing and flushing it takes a while, so the kill lands in every phase.
std::string tune(char fill, std::size_t size)
{
    std::string content = std::string("tune ") + fill + "\n";
    content.resize(size, fill);
    content.back() = '\n';
    return content;
}

// Runs `work` in a child process; its exit status, or -signal when a signal ended it.
template <typename Work> int inChild(Work work, std::chrono::milliseconds killAfter = std::chrono::milliseconds(-1))
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work());
    if (child < 0)
        return -1000;
    if (killAfter.count() >= 0) {
        std::this_thread::sleep_for(killAfter);
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

TEST(InterruptedSave, KilledAtAnyMomentLeavesTheOldOrTheNewFileWhole)
{
    test::ScratchDirectory dir("killed-save");
    const fs::path target = dir.path() / "tune.ign";
    const std::string previous = tune('p', 1000);
    const std::string a = tune('a', 4 << 20);
    const std::string b = tune('b', 3 << 20);
    ASSERT_FALSE(writeFileAtomically(target, previous).has_value());

    int killedWhileSaving = 0;
    for (int round = 0; round < 12; ++round) {
        // The child saves A and B in turn until it is killed somewhere in a save.
        const int status = inChild(
            [&] {
                for (int i = 0;; ++i) {
                    if (writeFileAtomically(target, i % 2 == 0 ? a : b))
                        return 1;
                }
            },
            std::chrono::milliseconds(3 + 7 * round));
        killedWhileSaving += status == -SIGKILL ? 1 : 0;
        const std::string now = readWholeFile(target).value_or("missing");
        EXPECT_TRUE(now == previous || now == a || now == b)
            << "round " << round << ": a torn file of " << now.size() << " bytes";
    }
    EXPECT_EQ(killedWhileSaving, 12);

    // A killed save may leave its temp file beside the target; the next save is not hindered.
    ASSERT_FALSE(writeFileAtomically(target, previous).has_value());
    EXPECT_EQ(readWholeFile(target), previous);
}

// A full disk refuses the write; a size limit does the same without needing one. The child
// ignores SIGXFSZ so that the write fails with EFBIG as it would with ENOSPC.
class SizeLimitedSave : public ::testing::Test {
protected:
    static bool limitFileSize(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    test::ScratchDirectory m_dir{"full-save"};
};

TEST_F(SizeLimitedSave, FailsWithAReasonKeepsThePreviousFileAndLeavesNoTempFile)
{
    const fs::path target = m_dir.path() / "tune.ign";
    const std::string previous = tune('p', 1000);
    ASSERT_FALSE(writeFileAtomically(target, previous).has_value());

    for (const std::size_t size : {std::size_t{70000}, std::size_t{1} << 20}) {
        const int status = inChild([&] {
            if (!limitFileSize(64 * 1024))
                return 3;
            return writeFileAtomically(target, tune('n', size)).has_value() ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << size << " bytes were saved past the limit";
        EXPECT_EQ(readWholeFile(target), previous);
        EXPECT_EQ(m_dir.fileNames(), std::vector<std::string>{"tune.ign"});
    }
}

TEST_F(SizeLimitedSave, SettingsThatFitAreSavedAndALastImageThatDoesNotKeepsItsPredecessor)
{
    const SettingsStore store(m_dir.path());
    AppSettings settings;
    ParamImage image;
    image.setByte(1000, 11);
    AllFlags flags{};
    ASSERT_FALSE(store.save(settings, image, flags).has_value());
    const std::string lastImage = readWholeFile(store.lastImagePath()).value_or("");

    // The settings file is some 400 bytes, the last image about 17 kB.
    const int status = inChild([&] {
        if (!limitFileSize(4096))
            return 3;
        AppSettings changed;
        changed.language = 2;
        ParamImage other;
        other.setByte(1000, 99);
        return store.save(changed, other, flags).has_value() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readWholeFile(store.lastImagePath()), lastImage);
    AppSettings loaded;
    ParamImage loadedImage;
    AllFlags loadedFlags{};
    store.load(loaded, loadedImage, loadedFlags);
    EXPECT_EQ(loaded.language, 2);
    EXPECT_EQ(loadedImage.byte(1000), 11);
    EXPECT_EQ(m_dir.fileNames().size(), 2U);
}

} // namespace
} // namespace quorvel
