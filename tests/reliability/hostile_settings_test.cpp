// A settings file or last image that is damaged, edited by hand or hostile must start the
// program with sane values: the loaders take what they can, the sanitiser does the rest.

#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/settings_store.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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
    store.load(loaded.settings, loaded.image, flags);
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

} // namespace
} // namespace quorvel
