#include "io/backup_store.h"
#include "scoped_variable.h"

#include "core/sanitise.h"
#include "io/app_settings.h"
#include "io/atomic_file.h"
#include "io/raw_image_file.h"
#include "model/bike_defaults.h"
#include "model/image_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>
#include <unistd.h>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// A unit's 20 blocks that the parameter text alone would not give back.
UnitCopy::RawBytes oddRaw()
{
    ParamImage image;
    InjectionTables tables;
    image.setByte(150, 11);
    applyDefaults(image, tables, {});
    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    UnitCopy::RawBytes raw{};
    std::ranges::copy(image.bytes(), raw.begin());
    raw[0] = 'Q'; // the header as received: its lead bytes come first
    raw[10] = 71;
    raw[248] = 2;     // a flag of 2
    raw[2800] = 0xA5; // a byte no parameter holds
    raw[151] = 0x5A;
    const std::string memo = std::string("memo") + '\0' + "rest";
    std::ranges::copy(memo, raw.begin() + 2850);
    return raw;
}

bool parametersEqual(const ParamImage& image, const UnitCopy::RawBytes& raw)
{
    return std::ranges::equal(image.bytes().subspan(kBlockSize), std::span(raw).subspan(kBlockSize));
}

class BackupFolder : public testing::Test {
protected:
    BackupFolder()
        : m_dir(fs::temp_directory_path() / ("quorvel-backups-" + std::to_string(::getpid()) + "-" +
                                             testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::remove_all(m_dir);
    }
    ~BackupFolder() override { fs::remove_all(m_dir); }

    [[nodiscard]] std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_dir))
            found.push_back(entry.path().filename().string());
        std::ranges::sort(found);
        return found;
    }

    fs::path m_dir;
};

TEST(RawImageFile, OpensAsAParameterFileAndGivesEveryByteBack)
{
    const UnitCopy::RawBytes raw = oddRaw();
    const std::string text = writeRawImageFile(raw);
    EXPECT_EQ(readRawImage(text), raw);

    ParamImage image;
    image.setByte(5, 99); // the image's header: a load leaves it
    InjectionTables tables;
    ASSERT_EQ(loadParameterText(text, image, tables), LoadResult::Loaded);
    EXPECT_TRUE(parametersEqual(image, raw));
    EXPECT_EQ(image.byte(5), 99);
}

TEST(RawImageFile, EditedOrDamagedFilesLoadTheirParameterText)
{
    const UnitCopy::RawBytes raw = oddRaw();
    const std::string text = writeRawImageFile(raw);
    const std::size_t limiter = text.find("LIMITER ");
    ASSERT_NE(limiter, std::string::npos);

    std::string edited = text;
    const std::size_t value = edited.find_first_of("123456789", limiter);
    edited[value] = edited[value] == '9' ? '8' : static_cast<char>(edited[value] + 1);
    std::string damaged = text;
    damaged[text.find('\n') + 5] = 'G'; // not a hex digit
    std::string shortened = text;
    shortened.erase(text.find('\n') + 1, 2);

    for (const std::string& file : {edited, damaged, shortened}) {
        EXPECT_FALSE(readRawImage(file).has_value());
        ParamImage image;
        InjectionTables tables;
        ASSERT_EQ(loadParameterText(file, image, tables), LoadResult::Loaded);
        EXPECT_EQ(image.byte(2800), 0); // the raw bytes are not taken
        EXPECT_EQ(image.byte(150), 11);
    }
}

TEST(RawImageFile, PageOnlyLoadTakesOnlyThatPageFromTheText)
{
    const std::string text = writeRawImageFile(oddRaw());
    ParamImage image;
    InjectionTables tables;
    ASSERT_EQ(loadParameterText(text, image, tables, true, 9), LoadResult::Loaded);
    EXPECT_EQ(image.byte(2800), 0);
    EXPECT_EQ(image.byte(150), 0); // BIKE is not a section of page 9
    EXPECT_NE(image.byte(230), 0); // KorVoda is
}

TEST_F(BackupFolder, NamedByDateTimeBikeAndReasonAndNeverOverwritten)
{
    const BackupStore store(m_dir);
    const BackupTime time{2026, 12, 9, 14, 3, 22};
    for (BackupReason reason : {BackupReason::Read, BackupReason::Read, BackupReason::Program})
        ASSERT_TRUE(store.write(oddRaw(), reason, time).written());
    EXPECT_EQ(names(), (std::vector<std::string>{"2026-12-09_14-03-22_bike11_program.ign",
                                                 "2026-12-09_14-03-22_bike11_read-2.ign",
                                                 "2026-12-09_14-03-22_bike11_read.ign"}));

    ParamImage image;
    InjectionTables tables;
    const std::vector<BackupEntry> listed = store.list(image, tables);
    ASSERT_EQ(listed.size(), 3U);
    // Within one second the later write of a name is newer.
    std::vector<std::string> order;
    for (const BackupEntry& entry : listed)
        order.push_back(entry.path.filename().string());
    std::erase(order, "2026-12-09_14-03-22_bike11_program.ign");
    EXPECT_EQ(order, (std::vector<std::string>{"2026-12-09_14-03-22_bike11_read-2.ign",
                                               "2026-12-09_14-03-22_bike11_read.ign"}));
    EXPECT_EQ(listed[0].bike, 11);
    EXPECT_EQ(listed[0].time, time);
    EXPECT_EQ(listed[0].memo, "memo");
}

TEST_F(BackupFolder, RetentionKeepsTheNewestAndLeavesOtherFilesAlone)
{
    fs::create_directories(m_dir);
    ASSERT_FALSE(writeFileAtomically(m_dir / "notes.txt", "mine").has_value());
    ASSERT_FALSE(writeFileAtomically(m_dir / "2026-01-01_tune.ign", "mine").has_value());
    const BackupStore store(m_dir, 3);
    for (int minute = 0; minute < 5; ++minute)
        ASSERT_TRUE(store.write(oddRaw(), BackupReason::Read, {2026, 5, 1, 8, minute, 0}).written());
    EXPECT_EQ(names(), (std::vector<std::string>{"2026-01-01_tune.ign", "2026-05-01_08-02-00_bike11_read.ign",
                                                 "2026-05-01_08-03-00_bike11_read.ign",
                                                 "2026-05-01_08-04-00_bike11_read.ign", "notes.txt"}));

    // A clock set back: the new backup is kept all the same, the oldest other one goes.
    ASSERT_TRUE(store.write(oddRaw(), BackupReason::Program, {2025, 1, 1, 0, 0, 0}).written());
    EXPECT_EQ(names(), (std::vector<std::string>{"2025-01-01_00-00-00_bike11_program.ign", "2026-01-01_tune.ign",
                                                 "2026-05-01_08-03-00_bike11_read.ign",
                                                 "2026-05-01_08-04-00_bike11_read.ign", "notes.txt"}));
}

// A flat clock battery sets the clock back to 2000: the backups made since are the newest all
// the same, and a backup of the format before the order line counts as older than every other,
// whatever its name says.
TEST_F(BackupFolder, RetentionFollowsTheOrderOfWritingNotTheClock)
{
    fs::create_directories(m_dir);
    ASSERT_FALSE(
        writeFileAtomically(m_dir / "2030-01-01_00-00-00_bike11_read.ign", writeRawImageFile(oddRaw())).has_value());
    const BackupStore store(m_dir, 4);
    for (int minute = 0; minute < 3; ++minute)
        ASSERT_TRUE(store.write(oddRaw(), BackupReason::Read, {2026, 5, 1, 8, minute, 0}).written());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(store.write(oddRaw(), BackupReason::Program, {2000, 1, 1, 0, 0, 0}).written());

    EXPECT_EQ(names(), (std::vector<std::string>{
                           "2000-01-01_00-00-00_bike11_program-2.ign", "2000-01-01_00-00-00_bike11_program-3.ign",
                           "2000-01-01_00-00-00_bike11_program.ign", "2026-05-01_08-02-00_bike11_read.ign"}));
    ParamImage image;
    InjectionTables tables;
    std::vector<std::string> newestFirst;
    for (const BackupEntry& entry : store.list(image, tables))
        newestFirst.push_back(entry.path.filename().string());
    EXPECT_EQ(newestFirst, (std::vector<std::string>{
                               "2000-01-01_00-00-00_bike11_program-3.ign", "2000-01-01_00-00-00_bike11_program-2.ign",
                               "2000-01-01_00-00-00_bike11_program.ign", "2026-05-01_08-02-00_bike11_read.ign"}));
}

// Two programs sharing the folder (two units programmed at once) write backups of the same
// second: each keeps its own file under a name of its own.
TEST_F(BackupFolder, WritersAtTheSameMomentEachKeepTheirBackup)
{
    constexpr int kWriters = 4;
    constexpr int kEach = 25;
    const BackupStore store(m_dir, 1000);
    std::vector<std::vector<BackupWrite>> written(kWriters);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            UnitCopy::RawBytes raw = oddRaw();
            raw[2801] = static_cast<std::uint8_t>(w);
            for (int i = 0; i < kEach; ++i)
                written[static_cast<std::size_t>(w)].push_back(
                    store.write(raw, BackupReason::Program, {2026, 12, 9, 14, 3, 22}));
        });
    }
    for (std::thread& writer : writers)
        writer.join();

    std::set<fs::path> paths;
    for (int w = 0; w < kWriters; ++w) {
        for (const BackupWrite& backup : written[static_cast<std::size_t>(w)]) {
            ASSERT_TRUE(backup.written()) << *backup.error;
            EXPECT_TRUE(paths.insert(backup.path).second) << backup.path << " reported twice";
            const auto raw = readRawImage(readWholeFile(backup.path).value_or(""));
            ASSERT_TRUE(raw.has_value()) << backup.path;
            EXPECT_EQ((*raw)[2801], w) << backup.path << " holds another writer's backup";
        }
    }
    EXPECT_EQ(names().size(), static_cast<std::size_t>(kWriters * kEach));
}

// A link under the name the next backup would take, pointing out of the folder: the backup
// takes the next name and nothing is written where the link points.
TEST_F(BackupFolder, LinkUnderTheNextNameIsPassedOverNotFollowed)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links are tested on POSIX systems";
#else
    fs::create_directories(m_dir);
    const fs::path outside = m_dir.string() + "-outside.ign";
    fs::create_symlink(outside, m_dir / "2026-12-09_14-03-22_bike11_read.ign");
    const BackupWrite written = BackupStore(m_dir).write(oddRaw(), BackupReason::Read, {2026, 12, 9, 14, 3, 22});
    ASSERT_TRUE(written.written()) << *written.error;
    EXPECT_EQ(written.path, m_dir / "2026-12-09_14-03-22_bike11_read-2.ign");
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_TRUE(fs::is_symlink(m_dir / "2026-12-09_14-03-22_bike11_read.ign"));
#endif
}

TEST_F(BackupFolder, FolderThatCannotBeCreatedIsReported)
{
    ASSERT_FALSE(writeFileAtomically(m_dir.string() + "-file", "in the way").has_value());
    const BackupStore store(m_dir.string() + "-file");
    const BackupWrite written = store.write(oddRaw(), BackupReason::Program, {2026, 1, 1, 0, 0, 0});
    EXPECT_FALSE(written.written());
    ASSERT_TRUE(written.error.has_value());
    EXPECT_NE(written.error->find("-file"), std::string::npos);
    EXPECT_EQ(*readWholeFile(m_dir.string() + "-file"), "in the way");
    fs::remove(m_dir.string() + "-file");
}

TEST_F(BackupFolder, ListCountsTheDifferencesAndFlagsUnreadableBackups)
{
    const BackupStore store(m_dir);
    const UnitCopy::RawBytes raw = oddRaw();
    ASSERT_TRUE(store.write(raw, BackupReason::Read, {2026, 2, 2, 2, 2, 2}).written());
    ASSERT_FALSE(writeFileAtomically(m_dir / "2026-03-03_03-03-03_bike11_read.ign", "no parameters").has_value());

    ParamImage current = imageFromRaw(raw);
    OutsideSettings settings;
    (void)sanitiseImage(current, settings);
    const Field& limiter = *FieldTable::byName("IgnLimiter");
    current.setByte(limiter.offset, static_cast<std::uint8_t>(current.byte(limiter.offset) + 1));
    current.setWordAt(800, static_cast<std::uint16_t>(current.wordAt(800) + 500));
    InjectionTables tables = referencesOf(current);

    // The file the store did not write carries no order line: it is listed as the older one.
    const std::vector<BackupEntry> listed = store.list(current, tables);
    ASSERT_EQ(listed.size(), 2U);
    EXPECT_FALSE(listed[1].readable());
    EXPECT_EQ(listed[0].differences, 2); // IgnLimiter and JET_1A[0][0]

    ParamImage restored = current;
    ASSERT_EQ(restoreBackup(listed[0], restored, tables), LoadResult::Loaded);
    EXPECT_TRUE(parametersEqual(restored, raw));
    EXPECT_EQ(restoreBackup(listed[1], restored, tables), LoadResult::WrongVersion);
    EXPECT_TRUE(parametersEqual(restored, raw));
}

TEST(BackupStore, DefaultFolderLiesUnderTheUsersDataDirectory)
{
#ifdef _WIN32
    GTEST_SKIP() << "the data directory comes from LOCALAPPDATA on Windows";
#else
    const test::ScopedVariable home("HOME", "/home/rider");
    const test::ScopedVariable data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(BackupStore::defaultDirectory(), fs::path("/data/quorvel/backups"));
    data.set("relative/data");
    EXPECT_EQ(BackupStore::defaultDirectory(), fs::path("/home/rider/.local/share/quorvel/backups"));
    data.set(nullptr);
    EXPECT_EQ(BackupStore::defaultDirectory(), fs::path("/home/rider/.local/share/quorvel/backups"));
#endif
}

TEST(BackupStore, NumberKeptComesFromTheSettingsWithinReason)
{
    for (const auto& [text, kept] : std::vector<std::pair<std::string, int>>{{"", 200},
                                                                             {"[BACKUPS]\nKept=50\n", 50},
                                                                             {"[BACKUPS]\nKept=0\n", 200},
                                                                             {"[BACKUPS]\nKept=-4\n", 200},
                                                                             {"[BACKUPS]\nKept=x\n", 200},
                                                                             {"[BASIC]\nKept=7\n", 200}}) {
        AppSettings settings;
        loadSettings(IniFile::parse(text), settings);
        EXPECT_EQ(settings.backupsKept, kept) << text;
    }
}

} // namespace
} // namespace quorvel
