#include "log/tuning_locks.h"

#include "io/atomic_file.h"
#include "log_test_image.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::element;

std::bitset<kMapCells> cells(std::initializer_list<int> elements)
{
    std::bitset<kMapCells> set;
    for (int e : elements)
        set.set(static_cast<std::size_t>(e));
    return set;
}

TEST(TuningLocksFile, WrittenLocksReadBackPerMap)
{
    TuningLocks locks;
    locks.set(MapId::Jet1A, cells({element(3, 7), element(3, 8), element(9, 14)}));
    locks.set(MapId::Iap, cells({0}));
    const std::string text = locks.format();
    EXPECT_NE(text.find("\nJET_1A 3:7 3:8 9:14\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nIAP 0:0\n"), std::string::npos) << text;

    const TuningLocks read = TuningLocks::parse(text);
    EXPECT_EQ(read, locks);
    EXPECT_TRUE(read.of(MapId::Jet2A).none());
}

TEST(TuningLocksFile, UnreadableLinesAreToldAndWrittenBackUnchanged)
{
    const TuningLocks read = TuningLocks::parse("JET_1A 1:2\r\n"
                                                "JET_9Z 1:2\n"
                                                "JET_2A 10:0\n"
                                                "JET_3A 1-2\n"
                                                "\n"
                                                "# a note\n"
                                                "JET_1A 4:5");
    EXPECT_EQ(read.of(MapId::Jet1A), cells({element(1, 2), element(4, 5)}));
    EXPECT_TRUE(read.of(MapId::Jet2A).none()) << "a line with a cell beyond the map locks nothing of it";
    EXPECT_EQ(read.unreadLineNumbers(), (std::vector<int>{2, 3, 4}));

    const std::string written = read.format();
    for (const char* kept : {"JET_9Z 1:2\n", "JET_2A 10:0\n", "JET_3A 1-2\n"})
        EXPECT_NE(written.find(kept), std::string::npos) << kept;
    EXPECT_EQ(TuningLocks::parse(written).format(), written) << "saving again changes nothing";
}

TEST(TuningLocksFile, MissingFileMeansNoLocksAndSavingCreatesIt)
{
    test::ScratchDirectory directory("tuning-locks");
    const auto path = tuningLocksPath(directory.path());
    std::string error;
    const auto none = loadTuningLocks(path, error);
    ASSERT_TRUE(none.has_value()) << error;
    EXPECT_EQ(*none, TuningLocks{});

    TuningLocks locks;
    locks.set(MapId::Jet4A, cells({element(2, 2)}));
    ASSERT_FALSE(saveTuningLocks(path, locks).has_value());
    const auto loaded = loadTuningLocks(path, error);
    ASSERT_TRUE(loaded.has_value()) << error;
    EXPECT_EQ(*loaded, locks);
}

TEST(TuningLocksFile, UnreadableFileIsAnErrorNotAnEmptySet)
{
    test::ScratchDirectory directory("tuning-locks");
    const auto path = tuningLocksPath(directory.path());
    std::filesystem::create_directory(path); // something that is no file
    std::string error;
    EXPECT_FALSE(loadTuningLocks(path, error).has_value());
    EXPECT_NE(error.find(path.string()), std::string::npos);
    TuningLocks locks;
    EXPECT_TRUE(saveTuningLocks(path, locks).has_value()) << "a directory is never written over";
}

} // namespace
} // namespace quorvel
