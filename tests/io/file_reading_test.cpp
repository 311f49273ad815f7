// What the readers take in: regular files up to the limit of their kind. Anything else is refused
// at once, without blocking and without reading on for ever.

#include "io/file_reading.h"
#include "io/read_problem_text.h"
#include "reliability/scratch_directory.h"
#include "texts/file_texts.h"
#include "texts/text_table_checks.h"
#include "without_hanging.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quorvel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLimit = 4 * kKiB;

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

// A file of `size` bytes that takes no room on the disk.
void sparseFile(const fs::path& path, std::uintmax_t size)
{
    writeFile(path, "");
    fs::resize_file(path, size);
}

struct Refused {
    const char* name;
    ReadProblem problem;
};

class RefusedInput : public ::testing::TestWithParam<Refused> {
protected:
    void SetUp() override
    {
        const std::string name = GetParam().name;
        if (name == "missing")
            return;
        if (name == "directory") {
            fs::create_directories(m_path);
        } else if (name == "oversized") {
            sparseFile(m_path, 100 * kMiB);
        } else if (name == "oneByteTooMany") {
            writeFile(m_path, std::string(kLimit + 1, 'x'));
        } else {
#ifdef _WIN32
            GTEST_SKIP() << "no FIFOs or /dev on Windows";
#else
            if (name == "fifo")
                ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
            else if (name == "deviceZero")
                m_path = "/dev/zero";
            else if (name == "linkToDevice")
                fs::create_symlink("/dev/zero", m_path);
#endif
        }
    }

    test::ScratchDirectory m_dir{"reading"};
    fs::path m_path = m_dir.path() / "input";
};

TEST_P(RefusedInput, IsRefusedAtOnceWithItsReason)
{
    const FileRead read = test::withoutHanging([this] { return readFileWithin(m_path, kLimit); }, m_path);
    EXPECT_FALSE(read.bytes.has_value());
    EXPECT_EQ(read.problem, GetParam().problem);
    EXPECT_NE(read.reason.find(m_path.filename().string()), std::string::npos) << read.reason;
}

INSTANTIATE_TEST_SUITE_P(Inputs, RefusedInput,
                         ::testing::Values(Refused{"missing", ReadProblem::Missing},
                                           Refused{"directory", ReadProblem::NotARegularFile},
                                           Refused{"fifo", ReadProblem::NotARegularFile},
                                           Refused{"deviceZero", ReadProblem::NotARegularFile},
                                           Refused{"linkToDevice", ReadProblem::NotARegularFile},
                                           Refused{"oversized", ReadProblem::TooLarge},
                                           Refused{"oneByteTooMany", ReadProblem::TooLarge}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FileReading, RegularFileUpToTheLimitIsReadWholeAlsoThroughALink)
{
    test::ScratchDirectory dir("reading");
    const std::string content = std::string(kLimit - 2, 'a') + "\r\n";
    writeFile(dir.path() / "tune.ign", content);
    EXPECT_EQ(readFileWithin(dir.path() / "tune.ign", kLimit).bytes, content);
#ifndef _WIN32
    fs::create_symlink("tune.ign", dir.path() / "link.ign");
    EXPECT_EQ(readWholeFile(dir.path() / "link.ign", kLimit), content);
#endif
}

// The window names the file and the limit in the user's language; a failure of the system in
// the system's words.
TEST(FileReading, RefusalsAreToldInTheLanguage)
{
    for (const KeyedText& row : FileTexts::texts())
        test::expectComplete(row.texts, row.key);
    const fs::path path = "ride.csv";
    EXPECT_EQ(readProblemText({std::nullopt, ReadProblem::TooLarge, "x"}, path, 256 * kKiB, Language::German),
              "ride.csv ist größer als 256 kB und wurde nicht gelesen.");
    EXPECT_EQ(readProblemText({std::nullopt, ReadProblem::NotARegularFile, "x"}, path, kMiB, Language::Czech),
              "ride.csv není běžný soubor.");
    EXPECT_EQ(readProblemText({std::nullopt, ReadProblem::CannotOpen, "ride.csv: Permission denied"}, path, kMiB,
                              Language::French),
              "ride.csv: Permission denied");
}

} // namespace
} // namespace quorvel
