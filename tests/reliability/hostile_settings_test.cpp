// A settings file or last image that is damaged, edited by hand or hostile must start the
// program with sane values: the loaders take what they can, the sanitiser does the rest.

#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/settings_store.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quorvel {
namespace {

using namespace std::string_literals;

constexpr int kLastPage = 18;
constexpr int kGeometryLimit = 100000;

struct Loaded {
    AppSettings settings;
    OutsideSettings outside;
    ParamImage image;
};

// Start-up's order: settings and last image over the defaults, then the sanitiser.
Loaded loadThroughStore(const std::string& settingsText, const std::string& lastImageText)
{
    test::ScratchDirectory dir("hostile-settings");
    const SettingsStore store(dir.path());
    EXPECT_FALSE(writeFileAtomically(store.settingsPath(), settingsText).has_value());
    EXPECT_FALSE(writeFileAtomically(store.lastImagePath(), lastImageText).has_value());
    Loaded loaded;
    AllFlags flags{};
    (void)store.load(loaded.settings, loaded.image, flags);
    loaded.outside = {loaded.settings.language, loaded.settings.portSelection, loaded.settings.autoScanIndex};
    (void)sanitiseImage(loaded.image, loaded.outside);
    return loaded;
}

void expectSane(const Loaded& loaded, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_GE(loaded.outside.language, 0);
    EXPECT_LE(loaded.outside.language, 3);
    EXPECT_GE(loaded.outside.portSelection, 0);
    EXPECT_LE(loaded.outside.portSelection, 20);
    EXPECT_GE(loaded.outside.autoScanIndex, 0);
    EXPECT_LE(loaded.outside.autoScanIndex, 19);
    EXPECT_GE(loaded.settings.activePage, 0);
    EXPECT_LE(loaded.settings.activePage, kLastPage);
    if (const auto& g = loaded.settings.geometry) {
        EXPECT_GT(g->width, 0);
        EXPECT_GT(g->height, 0);
        for (int v : {g->left, g->top, g->width, g->height})
            EXPECT_LE(std::abs(v), kGeometryLimit);
    }
    // Sane means the sanitiser has nothing more to change.
    ParamImage again = loaded.image;
    OutsideSettings outside = loaded.outside;
    (void)sanitiseImage(again, outside);
    EXPECT_TRUE(std::ranges::equal(again.bytes(), loaded.image.bytes()));
}

struct HostileCase {
    const char* name;
    std::string settings;
    std::string lastImage;
};

void PrintTo(const HostileCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileSettings : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileSettings, StartWithSaneValues)
{
    expectSane(loadThroughStore(GetParam().settings, GetParam().lastImage), GetParam().name);
}

std::string numbers(const std::string& one, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += one + " ";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileSettings,
    ::testing::Values(HostileCase{"HugeNumbers",
                                  "[BASIC]\nLeft=99999999999999999999999\nTop=1e309\nWidth=18446744073709551617\n"
                                  "Height=4294967297\nComPort=4294967297\nComPortAuto=9223372036854775807\n"
                                  "Language=2147483648\nPageControl1->ActivePageIndex=9223372036854775808\n",
                                  numbers("99999999999999999999", 3000)},
                      HostileCase{"NegativeValues",
                                  "[BASIC]\nLeft=-2147483648\nTop=-5\nWidth=-800\nHeight=-600\nComPort=-1\n"
                                  "ComPortAuto=-7\nLanguage=-1\nPageControl1->ActivePageIndex=-1\n",
                                  numbers("-1", 1000) + numbers("-255", 2000)},
                      HostileCase{"MissingKeys", "[BASIC]\nLeft=100\nTop=50\n", "1 2 3"},
                      HostileCase{"ZeroSizedWindow", "[BASIC]\nLeft=0\nTop=0\nWidth=0\nHeight=0\n", ""},
                      HostileCase{
                          "BinaryJunk",
                          "\0\xff\xfe[BASIC\0]\n\x01=\x02\nComPort=\xff\xff\n[BASIC]\nLanguage=3\0x\nWidth=\x80\n"s,
                          "\0\0\x01\xff 17 \x7f\x80 250\0 12"s},
                      HostileCase{"EmptyFiles", "", ""},
                      HostileCase{"DuplicatedAndEndlessLines",
                                  "[BASIC]\nComPort=5\n[BASIC]\nComPort=50\n" + std::string(1 << 20, 'x') +
                                      "=1\nLanguage=" + std::string(100000, '9') + "\n",
                                  std::string(1 << 20, '7')}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Whatever bytes the two files hold. The same seeds in every run.
TEST(HostileSettingsSweep, RandomBytesStartWithSaneValues)
{
    std::mt19937 random(71);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "[]=\n\r -0123456789BASICComPortLanguageLeftWidth";
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    for (int round = 0; round < 60; ++round) {
        std::string settings = "[BASIC]\n";
        std::string lastImage;
        for (int i = 0; i < 400; ++i) {
            settings += round % 2 == 0 ? static_cast<char>(byte(random)) : alphabet[letter(random)];
            lastImage += round % 3 == 0 ? static_cast<char>(byte(random)) : alphabet[letter(random) % 16];
        }
        expectSane(loadThroughStore(settings, lastImage), "round " + std::to_string(round));
    }
}

// A settings file far beyond what the program writes (60,000 lines someone's script appended)
// or something that is no file at all: start-up does not read it, says why, and on the way out
// leaves it as it is instead of replacing it with one that lacks what it held.
class UnreadableSettings : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (std::string(GetParam()) == "fifo") {
#ifdef _WIN32
            GTEST_SKIP() << "no FIFOs on Windows";
#else
            ASSERT_EQ(::mkfifo(m_store.settingsPath().c_str(), 0600), 0);
#endif
            return;
        }
        std::string text = "[BASIC]\nLanguage=2\n[SCRIPT]\n";
        for (int line = 0; line < 60000; ++line)
            text += "Key" + std::to_string(line) + "=" + std::to_string(line) + "\n";
        ASSERT_FALSE(writeFileAtomically(m_store.settingsPath(), text).has_value());
        m_before = text;
    }

    test::ScratchDirectory m_dir{"unreadable-settings"};
    const SettingsStore m_store{m_dir.path()};
    std::string m_before;
};

TEST_P(UnreadableSettings, AreNotReadToldAndNotReplaced)
{
    AppSettings settings;
    ParamImage image;
    AllFlags flags{};
    const auto refused = m_store.load(settings, image, flags);
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->find(SettingsStore::settingsFileName()), std::string::npos) << *refused;
    EXPECT_EQ(settings.language, AppSettings{}.language);

    image.setByte(1000, 77);
    const auto error = m_store.save(settings, image, flags);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(SettingsStore::settingsFileName()), std::string::npos) << *error;
    if (!m_before.empty())
        EXPECT_EQ(readWholeFile(m_store.settingsPath(), 2 * m_before.size()), m_before);
    else
        EXPECT_EQ(std::filesystem::status(m_store.settingsPath()).type(), std::filesystem::file_type::fifo);
    // The last image is a file of its own and is kept.
    ParamImage again;
    (void)m_store.load(settings, again, flags);
    EXPECT_EQ(again.byte(1000), 77);
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableSettings, ::testing::Values("sixtyThousandLines", "fifo"));

} // namespace
} // namespace quorvel
