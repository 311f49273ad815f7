#include "io/atomic_file.h"
#include "io/parameter_set.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::ScratchDirectory;

// The files a save left in a directory: a temp file left behind shows up here.
std::size_t entriesIn(const fs::path& directory)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator{}));
}

TEST(AtomicFile, NewFileAndReplacedFileHoldExactlyTheContent)
{
    ScratchDirectory dir("atomic");
    const fs::path file = dir.path() / "tune.ign";
    const std::string binary("a\r\nb\0\xff\n", 7);
    ASSERT_FALSE(writeFileAtomically(file, "old tune, longer than the new one").has_value());
    ASSERT_FALSE(writeFileAtomically(file, binary).has_value());
    EXPECT_EQ(readWholeFile(file), binary);
    ASSERT_FALSE(writeFileAtomically(file, "").has_value());
    EXPECT_EQ(readWholeFile(file), std::string());
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}

TEST(AtomicFile, MissingOrDirectoryPathIsNotReadable)
{
    ScratchDirectory dir("atomic");
    EXPECT_FALSE(readWholeFile(dir.path() / "missing.ign").has_value());
    EXPECT_FALSE(readWholeFile(dir.path()).has_value());
}

TEST(AtomicFile, TargetThatIsADirectoryIsNotReplaced)
{
    ScratchDirectory dir("atomic");
    const fs::path target = dir.path() / "taken";
    fs::create_directories(target / "inside");
    EXPECT_TRUE(writeFileAtomically(target, "data").has_value());
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}

// Windows users name their tunes in their own language; the wide-character path must reach the
// file system unchanged, through the parameter file as well.
TEST(AtomicFile, NonAsciiFileNameRoundTrips)
{
    ScratchDirectory dir("atomic");
    const fs::path file = dir.path() / fs::path(u8"Žluťoučký kůň.ign");
    ParamImage image;
    image.setByte(150, 7);
    ASSERT_FALSE(saveParameterFile(file, image).has_value());
    ASSERT_FALSE(saveParameterFile(file, image).has_value());
    ASSERT_TRUE(fs::is_regular_file(file));
    ParamImage loaded;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(file, loaded, tables), LoadResult::Loaded);
    EXPECT_EQ(loaded.byte(150), 7);
    EXPECT_EQ(entriesIn(dir.path()), 1U);
    EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename(), file.filename());
}

// A DOS device name is a device in every directory, whatever its extension.
TEST(AtomicFile, WindowsDeviceNamesAreRefused)
{
#ifndef _WIN32
    GTEST_SKIP() << "only Windows reserves device names in every directory";
#else
    ScratchDirectory dir("atomic");
    for (const char* name : {"NUL", "nul.ign", "CON.txt", "com1.ign", "LPT9", "aux .ign"})
        EXPECT_TRUE(writeFileAtomically(dir.path() / name, "data").has_value()) << name;
    EXPECT_EQ(entriesIn(dir.path()), 0U);
    EXPECT_FALSE(writeFileAtomically(dir.path() / "COM10.ign", "data").has_value());
    EXPECT_FALSE(writeFileAtomically(dir.path() / "console.ign", "data").has_value());
#endif
}

// A directory the saving user may not write to. Root ignores permissions, so there the save
// runs in a child process that has given up root.
TEST(AtomicFile, FailedSaveLeavesThePreviousFileIntact)
{
#ifdef _WIN32
    GTEST_SKIP() << "a read-only directory is an ACL matter on Windows, not a mode bit";
#else
    ScratchDirectory dir("atomic");
    const fs::path file = dir.path() / "tune.ign";
    ASSERT_FALSE(writeFileAtomically(file, "old tune").has_value());
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    bool failed = false;
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(dropped && writeFileAtomically(file, "new tune").has_value() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        failed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    } else {
        failed = writeFileAtomically(file, "new tune").has_value();
    }
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_TRUE(failed);
    EXPECT_EQ(readWholeFile(file).value_or(""), "old tune");
    EXPECT_EQ(entriesIn(dir.path()), 1U);
#endif
}

// Symbolic links need a privilege on Windows, and the C++ library there does not report them.
class SaveThroughLink : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef _WIN32
        GTEST_SKIP() << "symbolic links are tested on POSIX systems";
#endif
        fs::create_directories(m_dir.path() / "tunes");
        fs::create_directories(m_dir.path() / "desk");
        ASSERT_FALSE(writeFileAtomically(real, "old tune").has_value());
    }

    ScratchDirectory m_dir{"link"};
    const fs::path real = m_dir.path() / "tunes" / "real.ign";
    const fs::path link = m_dir.path() / "desk" / "tune.ign";
};

// The link stays a link, the file it names gets the new contents, and the temp file was made
// beside the real file: nothing is left on the desk but the link.
TEST_F(SaveThroughLink, RelativeLinkChainIsFollowedToTheRealFile)
{
    fs::create_symlink("../tunes/real.ign", m_dir.path() / "desk" / "middle.ign");
    fs::create_symlink("middle.ign", link);
    ASSERT_FALSE(writeFileAtomically(link, "new tune").has_value());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(m_dir.path() / "desk" / "middle.ign"));
    EXPECT_EQ(readWholeFile(real), std::optional<std::string>("new tune"));
    EXPECT_EQ(entriesIn(m_dir.path() / "desk"), 2U);
    EXPECT_EQ(entriesIn(m_dir.path() / "tunes"), 1U);
}

TEST_F(SaveThroughLink, AbsoluteLinkThroughTheParameterFileSave)
{
    fs::create_symlink(real, link);
    ParamImage image;
    image.setByte(150, 11);
    ASSERT_FALSE(saveParameterFile(link, image).has_value());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(readWholeFile(real).value_or("").find("TASKOVAR_KEY"), std::string::npos);
}

// A link whose file was moved away gets the file back where it points, as writing through it
// with any other program would.
TEST_F(SaveThroughLink, DanglingLinkCreatesItsTarget)
{
    fs::create_symlink("../tunes/moved.ign", link);
    ASSERT_FALSE(writeFileAtomically(link, "new tune").has_value());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readWholeFile(m_dir.path() / "tunes" / "moved.ign"), std::optional<std::string>("new tune"));
}

TEST_F(SaveThroughLink, LinkLoopOrLinkToADirectoryIsRefused)
{
    fs::create_symlink("tune.ign", link);
    EXPECT_TRUE(writeFileAtomically(link, "new tune").has_value());
    EXPECT_TRUE(fs::is_symlink(link));
    fs::remove(link);
    fs::create_symlink("../tunes", link);
    EXPECT_TRUE(writeFileAtomically(link, "new tune").has_value());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(entriesIn(m_dir.path() / "tunes"), 1U);
    EXPECT_EQ(entriesIn(m_dir.path() / "desk"), 1U);
}

// The saved file keeps who may read it: a tune shared with the workshop group stays shared, a
// private one stays private.
class SavedFileMode : public ::testing::TestWithParam<fs::perms> {};

TEST_P(SavedFileMode, ReplacedFileKeepsItsPermissions)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps access in the file's ACL, which ReplaceFileW carries over";
#endif
    ScratchDirectory dir("mode");
    const fs::path file = dir.path() / "tune.ign";
    ASSERT_FALSE(writeFileAtomically(file, "old tune").has_value());
    fs::permissions(file, GetParam());
    ASSERT_FALSE(writeFileAtomically(file, "new tune").has_value());
    EXPECT_EQ(fs::status(file).permissions(), GetParam());
    EXPECT_EQ(readWholeFile(file), std::optional<std::string>("new tune"));
}

INSTANTIATE_TEST_SUITE_P(Modes, SavedFileMode,
                         ::testing::Values(static_cast<fs::perms>(0640), static_cast<fs::perms>(0600),
                                           static_cast<fs::perms>(0664)));

TEST(AtomicFile, NewFileGetsTheModeOfTheUmask)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no umask";
#else
    ScratchDirectory dir("mode");
    const ::mode_t previous = ::umask(027);
    const auto saved = writeFileAtomically(dir.path() / "tune.ign", "tune");
    ::umask(previous);
    ASSERT_FALSE(saved.has_value());
    EXPECT_EQ(fs::status(dir.path() / "tune.ign").permissions(), static_cast<fs::perms>(0640));
#endif
}

// A tune its owner made read-only is not replaced, as the shell's ">" refuses it; root passes
// every permission check, so for root too the owner's write bit decides.
class WriteProtectedTarget : public ::testing::TestWithParam<fs::perms> {};

TEST_P(WriteProtectedTarget, IsRefusedAndKeptAsItWas)
{
    ScratchDirectory dir("protected");
    const fs::path file = dir.path() / "tune.ign";
    ASSERT_FALSE(writeFileAtomically(file, "old tune").has_value());
    fs::permissions(file, GetParam());
    const auto error = writeFileAtomically(file, "new tune");
    const fs::perms kept = fs::status(file).permissions();
    fs::permissions(file, fs::perms::owner_all); // so that the folder can go
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("tune.ign"), std::string::npos) << *error;
    EXPECT_EQ(readWholeFile(file), std::optional<std::string>("old tune"));
#ifndef _WIN32
    EXPECT_EQ(kept, GetParam());
#endif
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}

INSTANTIATE_TEST_SUITE_P(Modes, WriteProtectedTarget,
                         ::testing::Values(static_cast<fs::perms>(0444), static_cast<fs::perms>(0400),
                                           static_cast<fs::perms>(0555)));

// Ownership and sticky folders are POSIX matters; on Windows access is the file's ACL.
#ifndef _WIN32
// Runs `work` as an ordinary user (nobody) in a child process; its exit status.
template <typename Work> int asOrdinaryUser(Work work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped ? work() : 3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder everyone may write to, without the sticky bit: the rename would go through, the
// shell would refuse to write another user's file all the same.
TEST(AtomicFile, AnotherUsersFileInAFolderTheUserMayWriteIsNotReplaced)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the file and the saver different owners";
    ScratchDirectory dir("foreign");
    fs::permissions(dir.path(), fs::perms::all);
    const fs::path file = dir.path() / "tune.ign";
    ASSERT_FALSE(writeFileAtomically(file, "root's tune").has_value());
    fs::permissions(file, static_cast<fs::perms>(0644));
    EXPECT_EQ(asOrdinaryUser([&] { return writeFileAtomically(file, "nobody's tune").has_value() ? 0 : 1; }), 0);
    EXPECT_EQ(readWholeFile(file), std::optional<std::string>("root's tune"));
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}

// A shared sticky folder such as /tmp: what another user left there is not followed or replaced
// (the kernel's protected_symlinks and protected_regular); the saver's own entries and the
// folder owner's are, as before.
struct SharedFolderCase {
    const char* name;
    bool link;        // a link to a file outside the folder, else a regular file
    uid_t entryOwner; // kSaver, kOther or kFolderOwner
    uid_t folderOwner;
    bool refused;
};

constexpr uid_t kSaver = 0;
constexpr uid_t kOther = 4243;
constexpr uid_t kFolderOwner = 4242;

class SharedStickyFolder : public ::testing::TestWithParam<SharedFolderCase> {};

TEST_P(SharedStickyFolder, EntriesOfOtherUsersAreLeftAlone)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the entries to other users";
    const SharedFolderCase& c = GetParam();
    ScratchDirectory dir("sticky");
    const fs::path shared = dir.path() / "tmp";
    const fs::path victim = dir.path() / "victim.ign";
    const fs::path entry = shared / "tune.ign";
    fs::create_directories(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(::chown(shared.c_str(), c.folderOwner, c.folderOwner), 0);
    ASSERT_FALSE(writeFileAtomically(victim, "victim").has_value());
    if (c.link)
        fs::create_symlink(victim, entry);
    else
        ASSERT_FALSE(writeFileAtomically(entry, "victim").has_value());
    ASSERT_EQ(::lchown(entry.c_str(), c.entryOwner, c.entryOwner), 0);

    const auto error = writeFileAtomically(entry, "saved");
    EXPECT_EQ(error.has_value(), c.refused) << error.value_or("saved");
    const fs::path written = c.link ? victim : entry;
    EXPECT_EQ(readWholeFile(written), std::optional<std::string>(c.refused ? "victim" : "saved"));
    EXPECT_EQ(fs::is_symlink(entry), c.link);
}

INSTANTIATE_TEST_SUITE_P(Entries, SharedStickyFolder,
                         ::testing::Values(SharedFolderCase{"OtherUsersLink", true, kOther, 0, true},
                                           SharedFolderCase{"OtherUsersFile", false, kOther, 0, true},
                                           SharedFolderCase{"OwnLink", true, kSaver, 0, false},
                                           SharedFolderCase{"OwnFile", false, kSaver, 0, false},
                                           SharedFolderCase{"FolderOwnersLink", true, kFolderOwner, kFolderOwner,
                                                            false}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });
#endif

// A save killed after writing its temp file leaves it behind; the next save in the folder clears
// away such files once they are stale, and nothing else.
TEST(AtomicFile, StaleTempFilesOfKilledSavesAreClearedByTheNextSave)
{
    ScratchDirectory dir("stale");
    const auto stale = fs::file_time_type::clock::now() - std::chrono::hours(2);
    const std::vector<std::string> old = {"tune.ign.tmp-8123-99912-0", "other.ign.tmp-99912-3"};
    const std::vector<std::string> kept = {"fresh.ign.tmp-8123-99913-1", "notes.tmp-a-b", "notes.tmp-12",
                                           "tune.ign.tmp-1-2-3-4", "notes.txt"};
    for (const std::string& name : old)
        ASSERT_FALSE(writeFileAtomically(dir.path() / name, "left by a killed save").has_value());
    for (const std::string& name : kept)
        ASSERT_FALSE(writeFileAtomically(dir.path() / name, "the user's").has_value());
    for (const auto& name : old)
        fs::last_write_time(dir.path() / name, stale);
    for (const auto& name : kept) {
        if (name != kept.front())
            fs::last_write_time(dir.path() / name, stale);
    }

    ASSERT_FALSE(writeFileAtomically(dir.path() / "tune.ign", "tune").has_value());
    for (const auto& name : old)
        EXPECT_FALSE(fs::exists(dir.path() / name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(dir.path() / name)) << name;
}

// What is not a regular file is refused before anything is opened for writing: the FIFO has a
// reader waiting, so bytes written into it would show there, and a writer would not block.
class RefusedTarget : public ::testing::Test {
protected:
    ScratchDirectory m_dir{"refused"};
    const fs::path target = m_dir.path() / "tune.ign";

    void expectRefused(fs::file_type kept)
    {
        EXPECT_TRUE(writeFileAtomically(target, "new tune").has_value());
        EXPECT_EQ(fs::symlink_status(target).type(), kept);
        EXPECT_EQ(entriesIn(m_dir.path()), 1U);
    }
};

TEST_F(RefusedTarget, FifoIsNeitherReplacedNorWritten)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs in the file system";
#else
    ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
    const int reader = ::open(target.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    expectRefused(fs::file_type::fifo);
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    ::close(reader);
#endif
}

TEST_F(RefusedTarget, SocketIsNotReplaced)
{
#ifdef _WIN32
    GTEST_SKIP() << "sockets do not live in the file system on Windows";
#else
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = target.string();
    ASSERT_LT(name.size(), sizeof(address.sun_path));
    name.copy(address.sun_path, name.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    expectRefused(fs::file_type::socket);
    ::close(listener);
#endif
}

} // namespace
} // namespace quorvel
