#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/code_page.h"
#include "io/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir()
        : m_path(fs::temp_directory_path() /
                 ("quorvel-test-" + std::to_string(::getpid()) + "-" + std::to_string(s_count++)))
    {
        fs::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    [[nodiscard]] const fs::path& path() const { return m_path; }

private:
    static inline int s_count = 0;
    fs::path m_path;
};

TEST(AppSettings, FirstRunDefaults)
{
    AppSettings settings;
    loadSettings(IniFile::parse(""), settings);
    EXPECT_FALSE(settings.geometry.has_value());
    EXPECT_EQ(settings.portSelection, 1);
    EXPECT_EQ(settings.language, 0);
    EXPECT_EQ(settings.activePage, 18);
}

TEST(AppSettings, KeysAreWrittenLiterallyInOrder)
{
    AppSettings settings;
    settings.geometry = WindowGeometry{10, 20, 700, 1000};
    settings.portSelection = 20;
    settings.activePage = 3;
    settings.showMs = true;
    settings.showColours = true;
    settings.currentFileName = "/home/rider/r1.ign";
    settings.virtualUnit = true;
    const std::string text = saveSettings(settings).serialise();
    // The virtual unit has a section of its own: ComPort keeps the COM entry, which a program
    // that knows no virtual unit reads as ever.
    EXPECT_EQ(text, "[BASIC]\r\nLeft=10\r\nTop=20\r\nHeight=700\r\nWidth=1000\r\nComPort=21\r\nComPortAuto=1\r\n"
                    "Language=0\r\nFile=\r\nIniDir=/home/rider/r1.ign\r\nPageControl1->ActivePageIndex=3\r\n"
                    "CheckBoxZobrMs_Uni->Checked=1\r\nCheckBoxExtMonitor->Checked=0\r\n"
                    "CheckBoxAll_PolohaA->Checked=0\r\nCheckBoxAll_PolohaB->Checked=0\r\n"
                    "[BACKUPS]\r\nKept=200\r\n[PORT]\r\nVirtualUnit=1\r\n[VIEW]\r\nCheckBoxColours_Uni->Checked=1\r\n"
                    "[DATALOG]\r\nEditLogThreshold=450\r\nEditLogMinSamples=5\r\n");
    AppSettings back;
    loadSettings(IniFile::parse(text), back);
    EXPECT_TRUE(back.virtualUnit);
    EXPECT_EQ(back.portSelection, 20);
    EXPECT_EQ(back.activePage, 3);
    EXPECT_TRUE(back.showMs);
    EXPECT_EQ(back.currentFileName, "/home/rider/r1.ign");
    EXPECT_EQ(back.geometry->width, 1000);
}

TEST(AppSettings, OutOfRangeValuesEndSaneAfterSanitising)
{
    struct Case {
        const char* text;
        int port;
        int language;
    };
    for (const Case& c : {Case{"[BASIC]\nComPort=21\n", 20, 0}, Case{"[BASIC]\nComPort=0\n", 0, 0},
                          Case{"[BASIC]\nLanguage=7\n", 1, 0}, Case{"[BASIC]\nLanguage=-3\nComPort=99999\n", 0, 0},
                          Case{"[BASIC]\nLanguage=\x01\xff\nComPort=abc\n", 1, 0}}) {
        AppSettings settings;
        loadSettings(IniFile::parse(c.text), settings);
        OutsideSettings outside{settings.language, settings.portSelection, settings.autoScanIndex};
        ParamImage image;
        (void)sanitiseImage(image, outside);
        EXPECT_EQ(outside.portSelection, c.port) << c.text;
        EXPECT_EQ(outside.language, c.language) << c.text;
    }
}

TEST(AppSettings, UnknownPageKeepsTheMonitorPage)
{
    AppSettings settings;
    loadSettings(IniFile::parse("[BASIC]\nPageControl1->ActivePageIndex=4000000000\n"), settings);
    EXPECT_EQ(settings.activePage, 18);
}

TEST(LastImage, LayoutOfTenNumbersALineInGroupsOfTen)
{
    ParamImage image;
    image.setByte(150, 11);
    image.setByte(2999, 255);
    AllFlags flags{};
    flags[18] = 1;
    const std::string text = writeLastImage(image, flags);
    EXPECT_EQ(text.substr(0, 62), "   11     0     0     0     0     0     0     0     0     0 \r\n");
    // After a hundred numbers an empty line.
    EXPECT_EQ(text.substr(10 * 62 - 2, 4), "\r\n\r\n");
    EXPECT_EQ(text.substr(text.size() - 6), "    1 ");
    EXPECT_NE(text.find("  255 \r\n    0 "), std::string::npos);
}

TEST(LastImage, RoundTripAndLowBitsOfLargeNumbers)
{
    ParamImage image;
    for (int i = 150; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 31));
    AllFlags flags{};
    flags[2] = 1;
    ParamImage back;
    AllFlags backFlags{};
    readLastImage(writeLastImage(image, flags), back, backFlags);
    EXPECT_TRUE(std::ranges::equal(back.bytes().subspan(150), image.bytes().subspan(150)));
    EXPECT_EQ(backFlags, flags);

    ParamImage large;
    readLastImage("256 300 65535", large, backFlags);
    EXPECT_EQ(large.byte(150), 0);
    EXPECT_EQ(large.byte(151), 44);
    EXPECT_EQ(large.byte(152), 255);
}

TEST(LastImage, ShortOrDamagedFileKeepsTheRest)
{
    ParamImage image;
    image.setByte(152, 9);
    image.setByte(153, 9);
    AllFlags flags{};
    readLastImage("1 2 junk 4", image, flags);
    EXPECT_EQ(image.byte(150), 1);
    EXPECT_EQ(image.byte(151), 2);
    EXPECT_EQ(image.byte(152), 9);
}

TEST(SettingsStore, SavesAndLoadsInItsDirectory)
{
    TempDir dir;
    const SettingsStore store(dir.path() / "config");
    AppSettings settings;
    settings.language = 3;
    ParamImage image;
    image.setByte(1000, 42);
    AllFlags flags{};
    flags[5] = 1;
    ASSERT_FALSE(store.save(settings, image, flags).has_value());
    EXPECT_TRUE(fs::exists(dir.path() / "config" / "Quorvel_2007_v71ini"));
    EXPECT_TRUE(fs::exists(dir.path() / "config" / "_Quorvel_2007_v71ini"));

    AppSettings loaded;
    ParamImage loadedImage;
    AllFlags loadedFlags{};
    store.load(loaded, loadedImage, loadedFlags);
    EXPECT_EQ(loaded.language, 3);
    EXPECT_EQ(loadedImage.byte(1000), 42);
    EXPECT_EQ(loadedFlags[5], 1);
}

TEST(SettingsStore, SavingKeepsOtherSectionsAndKeysOfTheSettingsFile)
{
    TempDir dir;
    const SettingsStore store(dir.path());
    std::ofstream(store.settingsPath()) << "Loose=1\r\n[BASIC]\r\nLeft=5\r\nOwnKey=abc\r\n[PRINTER]\r\nPaper=A4\r\n";
    AppSettings settings;
    settings.geometry = WindowGeometry{40, 50, 700, 1000};
    ASSERT_FALSE(store.save(settings, ParamImage{}, AllFlags{}).has_value());

    const IniFile saved = IniFile::parse(readWholeFile(store.settingsPath()).value_or(""));
    EXPECT_EQ(saved.value("BASIC", "Left"), "40");
    EXPECT_EQ(saved.value("BASIC", "OwnKey"), "abc");
    EXPECT_EQ(saved.value("PRINTER", "Paper"), "A4");
    EXPECT_EQ(saved.value("", "Loose"), "1");
    EXPECT_EQ(saved.value("BASIC", "CheckBoxAll_PolohaB->Checked"), "0");
}

TEST(SettingsStore, LastImageIsWrittenWhenTheSettingsFileCannotBe)
{
    TempDir dir;
    const SettingsStore store(dir.path());
    fs::create_directories(store.settingsPath() / "taken"); // a directory where the file belongs
    ParamImage image;
    image.setByte(1000, 42);
    EXPECT_TRUE(store.save(AppSettings{}, image, AllFlags{}).has_value());

    AppSettings loaded;
    ParamImage loadedImage;
    AllFlags loadedFlags{};
    store.load(loaded, loadedImage, loadedFlags);
    EXPECT_EQ(loadedImage.byte(1000), 42);
}

// A Windows user whose name is not ASCII keeps the settings in the real profile directory.
TEST(SettingsStore, DefaultDirectoryKeepsANonAsciiProfilePath)
{
#ifndef _WIN32
    GTEST_SKIP() << "the profile directory comes from APPDATA on Windows only";
#else
    const wchar_t* previous = ::_wgetenv(L"APPDATA");
    const std::wstring kept = std::wstring(L"APPDATA=") + (previous != nullptr ? previous : L"");
    ASSERT_EQ(::_wputenv(L"APPDATA=C:\\Users\\Jiří\\AppData\\Roaming"), 0);
    const fs::path directory = SettingsStore::defaultDirectory();
    ::_wputenv(kept.c_str());
    EXPECT_EQ(directory.wstring(), L"C:\\Users\\Jiří\\AppData\\Roaming");
#endif
}

TEST(CodePage, MemoTextsRoundTripInTheirCodePage)
{
    const std::string czech = "Předstih řízení";
    const std::string bytes = utf8ToCodePage(czech, CodePage::CentralEuropean1250);
    EXPECT_EQ(bytes.size(), czech.size() - 4); // four two-byte letters became single bytes
    EXPECT_EQ(codePageToUtf8(bytes, CodePage::CentralEuropean1250), czech);
    EXPECT_EQ(codePageToUtf8("\xE8\xE0", CodePage::Western1252), "èà");
    EXPECT_EQ(utf8ToCodePage("ř", CodePage::Western1252), "?");
    EXPECT_EQ(memoCodePage(3), CodePage::CentralEuropean1250);
    EXPECT_EQ(memoCodePage(2), CodePage::Western1252);
}

} // namespace
} // namespace quorvel
