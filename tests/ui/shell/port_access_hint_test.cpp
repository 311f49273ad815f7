// "Com opening error!" names the device and says why it did not open, and the status line keeps
// that in view; the watchdog's silent retries and a port that opens leave it alone.
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

struct FailureCase {
    OpenFailure reason;
    Language language;
    const char* message;
};

class PortThatDoesNotOpen : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PortThatDoesNotOpen, SaysWhichDeviceAndWhy)
{
    WindowRig rig;
    rig.portPaths = {"/dev/ttyUSB0", "/dev/ttyUSB1"};
    rig.start(GetParam().language);
    rig.dialogs->messages.clear();
    if (GetParam().reason != OpenFailure::Missing)
        rig.line->refuse("/dev/ttyUSB0", GetParam().reason);
    else
        rig.line->setDevices({"/dev/ttyUSB1"});
    rig.control<QAction>("MenuCom_Uni0").trigger();
    ASSERT_EQ(rig.dialogs->messages.size(), 1U);
    EXPECT_EQ(rig.dialogs->messages.front(), GetParam().message);
    // Kept in view once the box is gone.
    const std::string message = GetParam().message;
    EXPECT_EQ(statusLine(rig), message.substr(message.find("\n\n") + 2));
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, PortThatDoesNotOpen,
    ::testing::Values(
        FailureCase{OpenFailure::Missing, Language::English,
                    "Com opening error!\n\n/dev/ttyUSB0 does not exist: is the adapter plugged in? Com > Virtual unit "
                    "tries the program without a unit."},
        FailureCase{OpenFailure::Busy, Language::English,
                    "Com opening error!\n\n/dev/ttyUSB0 is in use by another program: close that program and choose "
                    "the port again."},
        FailureCase{OpenFailure::Denied, Language::English,
                    "Com opening error!\n\nNo permission to open /dev/ttyUSB0. On Linux join the group dialout (sudo "
                    "usermod -aG dialout $USER) and log in again."},
        FailureCase{OpenFailure::Other, Language::English, "Com opening error!\n\n/dev/ttyUSB0 could not be opened."},
        FailureCase{OpenFailure::Denied, Language::Czech,
                    "Chyba při otevírání portu Com!\n\nChybí oprávnění otevřít /dev/ttyUSB0. V Linuxu se přidejte do "
                    "skupiny dialout (sudo usermod -aG dialout $USER) a znovu se přihlaste."}));

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
    rig.line->plugIn();
    rig.window->findChild<QAction*>("MenuCom_Uni4")->trigger();
    const std::string missing =
        "COM5 does not exist: is the adapter plugged in? Com > Virtual unit tries the program without a unit.";
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{"Com opening error!\n\n" + missing});
    EXPECT_EQ(statusLine(rig), missing);
}

} // namespace
} // namespace quorvel
