// After "Com opening error!" the status line tells how to get access to a serial port; the
// watchdog's silent retries and a port that opens leave it alone.
#include "window_rig.h"

#include <QAction>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::WindowRig;

std::string statusLine(const WindowRig& rig)
{
    return rig.window->statusBar()->currentMessage().toStdString();
}

struct HintCase {
    std::optional<Language> language;
    const char* error;
    const char* hintStart;
};

class PortAccessHintOnScreen : public ::testing::TestWithParam<HintCase> {};

TEST_P(PortAccessHintOnScreen, FollowsTheOpeningErrorInTheLanguageInEffect)
{
    WindowRig rig;
    rig.devices = {"COM1"};
    rig.start(GetParam().language);
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{GetParam().error});
    EXPECT_TRUE(statusLine(rig).starts_with(GetParam().hintStart)) << statusLine(rig);
    EXPECT_NE(statusLine(rig).find("sudo usermod -aG dialout $USER"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, PortAccessHintOnScreen,
    ::testing::Values(HintCase{std::nullopt, "Com opening error!", "No access to the serial port?"},
                      HintCase{Language::German, "Falscher COM-Anschlußes!", "Kein Zugriff auf die serielle"},
                      HintCase{Language::French, "Erreur connections PC!", "Pas d'accès au port série"},
                      HintCase{Language::Czech, "Chyba při otevírání portu Com!", "Žádný přístup k sériovému"}));

TEST(PortAccessHint, NotShownWhenThePortOpensOrTheWatchdogRetriesSilently)
{
    WindowRig rig;
    rig.devices = {"COM2"};
    rig.start();
    EXPECT_TRUE(rig.dialogs->messages.empty());
    EXPECT_EQ(statusLine(rig), "");

    rig.line->unplug();
    rig.steps(100); // three reopens by the watchdog, all failing
    EXPECT_GT(rig.line->openAttempts().size(), 2U);
    EXPECT_TRUE(rig.dialogs->messages.empty());
    EXPECT_EQ(statusLine(rig), "");

    // The user picks a port that is not there: the message, then the hint.
    rig.window->findChild<QAction*>("MenuCom_Uni4")->trigger();
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{"Com opening error!"});
    EXPECT_TRUE(statusLine(rig).starts_with("No access to the serial port?"));
}

} // namespace
} // namespace quorvel
