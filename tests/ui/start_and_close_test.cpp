#include "window_rig.h"

#include "core/page_index.h"
#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/last_image.h"
#include "ui/pages/page_control.h"
#include "ui/shell/start_options.h"
#include "ui/shell/termination_signals.h"

#include <QAction>
#include <QScreen>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <csignal>

namespace quorvel {
namespace {

using test::WindowRig;

TEST(StartUp, FirstStartIsCentredOnCom2InEnglishOnTheMonitorPage)
{
    WindowRig rig;
    TFormHlav& window = rig.start();
    const QRect screen = window.screen()->geometry();
    EXPECT_EQ(window.x(), screen.left() + std::max(0, (screen.width() - window.width()) / 2));
    EXPECT_EQ(window.y(), screen.top() + std::max(0, (screen.height() - window.height()) / 2));
    EXPECT_EQ(window.port().portSelection(), 1);
    EXPECT_EQ(rig.line->openAttempts(), std::vector<std::string>{"COM2"});
    EXPECT_EQ(rig.text("LabelCom"), "COM= COM2");
    EXPECT_TRUE(window.findChild<QAction*>("MenuCom_Uni1")->isChecked());
    EXPECT_EQ(window.language(), Language::English);
    EXPECT_EQ(window.activePage(), kPageMonitor);
    EXPECT_EQ(window.image().byte(150), TFormHlav::kStartBikeCode);
    EXPECT_TRUE(rig.dialogs->messages.empty());
    EXPECT_FALSE(rig.shown("LabelHlaseni"));
    EXPECT_FALSE(rig.shown("CGaugeProgram"));
    EXPECT_FALSE(rig.shown("LabelEeDataErr"));
}

TEST(StartUp, AllNineteenPagesInTheirOrderWithTheTuningTabHidden)
{
    WindowRig rig;
    rig.start();
    auto& pages = rig.control<PageControl>("PageControl1");
    ASSERT_GE(pages.count(), kPageCount);
    const std::vector<std::pair<int, const char*>> named{
        {kPageBike, "TabSheet_Bike"},       {kPagePoloha, "TabSheet_Poloha"}, {kPageKorekce, "TabSheet_Korekce"},
        {kPageCidla, "TabSheet_Cidla"},     {kPageIdle, "TabSheet_Idle"},     {kPageGas, "TabSheet_Gas"},
        {kPageRace, "TabSheet_Race"},       {kPageGear, "TabSheet_Gear"},     {kPageLadeni, "TabSheet_Ladeni"},
        {kPageMonitor, "TabSheet_Monitor"},
    };
    for (const auto& [index, name] : named)
        EXPECT_EQ(pages.page(index).objectName().toStdString(), name) << index;
    EXPECT_EQ(pages.tabText(kPageAdvance), "Advance");
    EXPECT_EQ(pages.tabText(kPageInjIap), "Inj. IAP");
    EXPECT_EQ(pages.tabText(kPageExhaustServo), "Exhaust servo ");
    for (int index = 0; index < kPageCount; ++index)
        EXPECT_EQ(pages.isTabVisible(index), index != kPageLadeni) << index;
}

TEST(StartUp, MenuItemsCarryTheirShortcuts)
{
    WindowRig rig;
    rig.start();
    const std::vector<std::pair<const char*, const char*>> shortcuts{
        {"MenuNew", "Ctrl+N"}, {"MenuOpen", "F3"},   {"MenuSave", "F2"},
        {"MenuRead", "F7"},    {"MenuVerify", "F8"}, {"MenuProgram", "F9"},
    };
    for (const auto& [name, keys] : shortcuts)
        EXPECT_EQ(rig.window->findChild<QAction*>(name)->shortcut(), QKeySequence(keys)) << name;
    for (int entry = 0; entry < 21; ++entry)
        EXPECT_NE(rig.window->findChild<QAction*>(QStringLiteral("MenuCom_Uni%1").arg(entry)), nullptr);
    EXPECT_EQ(rig.window->findChild<QAction*>("MenuCom_Uni20")->text(), "Com Auto");
}

struct LanguageCase {
    std::vector<std::string> arguments;
    int storedLanguage;
    Language expected;
};

class CommandLineLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(CommandLineLanguage, ExactWordOverridesTheStoredLanguage)
{
    WindowRig rig;
    rig.writeConfig("Quorvel_2007_v71ini", "[BASIC]\r\nLanguage=" + std::to_string(GetParam().storedLanguage) + "\r\n");
    std::string error;
    const auto options = parseStartOptions(GetParam().arguments, error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(rig.start(options->language).language(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Words, CommandLineLanguage,
                         ::testing::Values(LanguageCase{{"DEUTSCH"}, 0, Language::German},
                                           LanguageCase{{"deutsch"}, 0, Language::English},
                                           LanguageCase{{"CESKY", "--simulate"}, 2, Language::Czech},
                                           LanguageCase{{"--simulate", "FRENCH"}, 1, Language::German},
                                           LanguageCase{{}, 2, Language::French},
                                           LanguageCase{{}, 7, Language::English}));

struct MarkerCase {
    std::optional<std::string> content;
    bool testMode;
};

class TestMarker : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(TestMarker, ShowsTheTestLabelsAndTheServiceMenuOnlyInTestMode)
{
    WindowRig rig;
    if (GetParam().content)
        rig.writeConfig("test_vesnik.txt", *GetParam().content);
    TFormHlav& window = rig.start();
    EXPECT_EQ(window.testMode(), GetParam().testMode);
    for (const char* label : {"LabelTest1", "LabelTest8"})
        EXPECT_EQ(rig.shown(label), GetParam().testMode);
    EXPECT_EQ(window.findChild<QAction*>("MenuServis")->isVisible(), GetParam().testMode);
}

INSTANTIATE_TEST_SUITE_P(Files, TestMarker,
                         ::testing::Values(MarkerCase{std::nullopt, false}, MarkerCase{"DIAG_SWITCH", true},
                                           MarkerCase{"first DIAG_SWITCH\r\n", true},
                                           MarkerCase{"DIAG_SWITCHES", false}, MarkerCase{"", false}));

// A page whose last edit is still in its controls: collecting it puts a falling RPM axis into
// the image, which sanitising must turn into a rising one.
class LastEditBinder final : public PageBinder {
public:
    explicit LastEditBinder(ParamImage& image)
        : m_image(image)
    {
    }
    void collectPage(int page) override
    {
        collectedPages.push_back(page);
        for (int k = 0; k < 15; ++k)
            m_image.setByte(515 + k, static_cast<std::uint8_t>(100 - k));
    }
    void fillPage(int /*page*/) override {}

    std::vector<int> collectedPages;

private:
    ParamImage& m_image;
};

TEST(Close, SavesTheCollectedAndSanitisedImageAndTheSettings)
{
    WindowRig rig;
    TFormHlav& window = rig.start();
    auto binder = std::make_unique<LastEditBinder>(window.image());
    LastEditBinder& edits = *binder;
    window.setPageBinder(std::move(binder));
    rig.control<QTabWidget>("PageControl1").setCurrentIndex(kPageInj2A);

    ParamImage expected = window.image();
    for (int k = 0; k < 15; ++k)
        expected.setByte(515 + k, static_cast<std::uint8_t>(100 - k));
    OutsideSettings outside;
    (void)sanitiseImage(expected, outside);

    window.close();
    EXPECT_EQ(edits.collectedPages, std::vector<int>{kPageInj2A});
    const auto saved = readWholeFile(rig.configDirectory / "_Quorvel_2007_v71ini");
    ASSERT_TRUE(saved.has_value());
    ParamImage reloaded;
    AllFlags flags{};
    readLastImage(*saved, reloaded, flags);
    for (int offset = 150; offset < 3000; ++offset)
        ASSERT_EQ(reloaded.byte(offset), expected.byte(offset)) << offset;
    const auto settings = readWholeFile(rig.configDirectory / "Quorvel_2007_v71ini");
    ASSERT_TRUE(settings.has_value());
    EXPECT_NE(settings->find("PageControl1->ActivePageIndex=3"), std::string::npos);
    EXPECT_NE(settings->find("ComPort=2"), std::string::npos);
}

TEST(Close, NextStartOpensWhereTheLastRunEnded)
{
    WindowRig rig;
    rig.start();
    rig.control<QTabWidget>("PageControl1").setCurrentIndex(kPageIdle);
    rig.window->findChild<QAction*>("MenuCom_Uni4")->trigger();
    rig.window->move(40, 30);
    rig.window->close();
    rig.window.reset();

    TFormHlav& again = rig.start();
    EXPECT_EQ(again.activePage(), kPageIdle);
    EXPECT_EQ(again.port().portSelection(), 4);
    EXPECT_EQ(again.pos(), QPoint(40, 30));
}

// Settings that cannot be kept (a settings file made read-only, a folder where the last image
// belongs): closing says that the next start will not see them, in a box instead of a line on
// stderr that nobody reads.
class SettingsNotKept : public ::testing::TestWithParam<const char*> {};

TEST_P(SettingsNotKept, ClosingSaysSoInABox)
{
    WindowRig rig;
    rig.start();
    const bool readOnly = std::string(GetParam()) == "ReadOnlySettings";
    const std::filesystem::path blocked =
        rig.configDirectory / (readOnly ? "Quorvel_2007_v71ini" : "_Quorvel_2007_v71ini");
    if (readOnly) {
        rig.writeConfig("Quorvel_2007_v71ini", "[BASIC]\r\nLanguage=0\r\n");
        std::filesystem::permissions(blocked, static_cast<std::filesystem::perms>(0444));
    } else {
        std::filesystem::create_directories(blocked / "inside");
    }
    rig.window->close();
    std::filesystem::permissions(blocked, std::filesystem::perms::owner_all);
    ASSERT_EQ(rig.dialogs->messages.size(), 1U);
    const std::string& message = rig.dialogs->messages.front();
    EXPECT_EQ(message.rfind("The settings and the parameters on screen could not be kept for the next start:\n", 0), 0U)
        << message;
    EXPECT_NE(message.find(blocked.filename().string()), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsNotKept, ::testing::Values("ReadOnlySettings", "LastImageIsAFolder"));

// A settings file of 60,000 lines is not parsed for seconds at every start: it is not read, the
// program starts with its defaults and says why.
TEST(StartUp, SettingsFileFarLargerThanAnyTheProgramWritesIsNotReadAndSaid)
{
    WindowRig rig;
    std::string text = "[BASIC]\r\nPageControl1->ActivePageIndex=13\r\n[SCRIPT]\r\n";
    for (int line = 0; line < 60000; ++line)
        text += "Key" + std::to_string(line) + "=" + std::to_string(line) + "\r\n";
    rig.writeConfig("Quorvel_2007_v71ini", text);
    rig.start();
    ASSERT_EQ(rig.dialogs->messages.size(), 1U);
    EXPECT_EQ(
        rig.dialogs->messages.front().rfind("The settings were not read; the program starts with its defaults:\n", 0),
        0U)
        << rig.dialogs->messages.front();
    EXPECT_EQ(rig.window->activePage(), kPageMonitor);
}

TEST(Close, TerminationSignalClosesTheWindowAsExitDoes)
{
    WindowRig rig;
    TFormHlav& window = rig.start();
    window.show();
    const TerminationSignals termination([&window] { window.close(); });
    ASSERT_TRUE(termination.installed());
    ASSERT_EQ(std::raise(SIGTERM), 0);
    for (int round = 0; round < 50 && window.isVisible(); ++round)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(std::filesystem::exists(rig.configDirectory / "_Quorvel_2007_v71ini"));
}

} // namespace
} // namespace quorvel
