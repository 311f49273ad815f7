// The window started over a settings file and a last image that are damaged, edited by hand or
// hostile: it opens on a page it has, with a port and a language it knows, where the user can
// reach it, and shows an image the sanitiser has nothing more to change in.
#include "window_rig.h"

#include "core/page_index.h"
#include "core/sanitise.h"
#include "core/serial_port.h"
#include "ui/shell/window_placement.h"

#include <QScreen>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <random>

namespace quorvel {
namespace {

using namespace std::string_literals;
using test::WindowRig;

struct HostileCase {
    const char* name;
    std::string settings;
    std::string lastImage;
};

void PrintTo(const HostileCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string repeated(const std::string& number, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += number + " ";
    return text;
}

void expectSaneWindow(WindowRig& rig)
{
    TFormHlav& window = *rig.window;
    const auto& pages = rig.control<QTabWidget>("PageControl1");
    EXPECT_GE(window.activePage(), 0);
    EXPECT_LT(window.activePage(), kPageCount);
    EXPECT_TRUE(pages.isTabVisible(window.activePage()));
    EXPECT_EQ(pages.currentIndex(), window.activePage());

    EXPECT_GE(window.port().portSelection(), 0);
    EXPECT_LE(window.port().portSelection(), SerialPort::kAutoSelection);
    EXPECT_GE(window.port().autoScanIndex(), 0);
    EXPECT_LE(window.port().autoScanIndex(), SerialPort::kLastAutoScanIndex);
    EXPECT_TRUE(rig.text("LabelCom").starts_with("COM= COM")) << rig.text("LabelCom");
    EXPECT_LE(static_cast<int>(window.language()), static_cast<int>(Language::Czech));

    // The title bar on the desktop over a width the pointer can grab, and a size the desktop or
    // the designed window has.
    const QRect desktop = window.screen()->virtualGeometry();
    const QRect title = QRect(window.x(), window.y(), window.width(), WindowPlacement::kTitleBand);
    EXPECT_GE(window.y(), desktop.top());
    EXPECT_EQ(title.intersected(desktop).height(), WindowPlacement::kTitleBand);
    EXPECT_GE(title.intersected(desktop).width(), std::min(window.width(), WindowPlacement::kReachableWidth));
    EXPECT_GT(window.width(), 0);
    EXPECT_GT(window.height(), 0);
    EXPECT_LE(window.width(), std::max(TFormHlav::kDesignWidth, desktop.width()));
    EXPECT_LE(window.height(), std::max(TFormHlav::kDesignHeight, desktop.height()));

    ParamImage again = window.image();
    OutsideSettings outside{static_cast<int>(window.language()), window.port().portSelection(),
                            window.port().autoScanIndex()};
    (void)sanitiseImage(again, outside);
    EXPECT_TRUE(std::ranges::equal(again.bytes(), window.image().bytes()));

    // It ticks and closes as any window does.
    rig.steps(12);
    window.close();
    EXPECT_TRUE(std::filesystem::exists(rig.configDirectory / "Quorvel_2007_v71ini"));
}

class HostileStart : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileStart, WindowOpensWithSaneValues)
{
    WindowRig rig;
    rig.writeConfig("Quorvel_2007_v71ini", GetParam().settings);
    rig.writeConfig("_Quorvel_2007_v71ini", GetParam().lastImage);
    rig.start();
    expectSaneWindow(rig);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileStart,
    ::testing::Values(
        HostileCase{"HugeNumbers",
                    "[BASIC]\nLeft=99999999999999999999999\nTop=1e309\nWidth=18446744073709551617\n"
                    "Height=4294967297\nComPort=4294967297\nComPortAuto=9223372036854775807\n"
                    "Language=2147483648\nPageControl1->ActivePageIndex=9223372036854775808\n",
                    repeated("99999999999999999999", 3000)},
        HostileCase{"LargeButInRange", "[BASIC]\nLeft=100000\nTop=100000\nWidth=100000\nHeight=100000\n", ""},
        HostileCase{"NegativeValues",
                    "[BASIC]\nLeft=-2147483648\nTop=-5\nWidth=-800\nHeight=-600\nComPort=-1\nComPortAuto=-7\n"
                    "Language=-1\nPageControl1->ActivePageIndex=-1\n",
                    repeated("-1", 1000) + repeated("-255", 2000)},
        HostileCase{"OffTheLeftAndTop", "[BASIC]\nLeft=-5000\nTop=-3000\nWidth=900\nHeight=500\n", ""},
        HostileCase{"HiddenTuningPage", "[BASIC]\nPageControl1->ActivePageIndex=" + std::to_string(kPageLadeni) + "\n",
                    ""},
        HostileCase{"MissingKeys", "[BASIC]\nLeft=100\nTop=50\n", "1 2 3"},
        HostileCase{"BinaryJunk",
                    "\0\xff\xfe[BASIC\0]\n\x01=\x02\nComPort=\xff\xff\n[BASIC]\nLanguage=3\0x\nWidth=\x80\n"s,
                    "\0\0\x01\xff 17 \x7f\x80 250\0 12"s},
        HostileCase{"EmptyFiles", "", ""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Random bytes, and random lines of the file's own words; the same seeds in every run.
TEST(HostileStartSweep, RandomFilesOpenSaneWindows)
{
    std::mt19937 random(2007);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string words = "[]=\n-0123456789 BASIC ComPort Language Left Top Width Height PageControl1->";
    std::uniform_int_distribution<std::size_t> letter(0, words.size() - 1);
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        std::string settings = "[BASIC]\n";
        std::string lastImage;
        for (int i = 0; i < 300; ++i) {
            settings += round % 2 == 0 ? static_cast<char>(byte(random)) : words[letter(random)];
            lastImage += round % 3 == 0 ? static_cast<char>(byte(random)) : words[letter(random) % 16];
        }
        WindowRig rig;
        rig.writeConfig("Quorvel_2007_v71ini", settings);
        rig.writeConfig("_Quorvel_2007_v71ini", lastImage);
        rig.start();
        expectSaneWindow(rig);
    }
}

} // namespace
} // namespace quorvel
