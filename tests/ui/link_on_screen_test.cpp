#include "window_rig.h"

#include "core/page_index.h"
#include "ui/binding/colour_palette.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace quorvel {
namespace {

using test::WindowRig;

constexpr int kStartLimiterOffset = 178;
constexpr int kCoolingOffset = 185;

QColor background(const QWidget& widget)
{
    return widget.palette().color(QPalette::Window);
}

LinkFrame monitorFrame(std::uint8_t coolant, std::uint16_t supplyMillivolts)
{
    LinkFrame frame{};
    frame[0] = kMonitorReply;
    frame[23] = coolant;
    frame[24] = 120;
    frame[64] = static_cast<std::uint8_t>(supplyMillivolts & 0xFF);
    frame[65] = static_cast<std::uint8_t>(supplyMillivolts >> 8);
    frame[150] = kProgramVersion;
    sealFrame(frame);
    return frame;
}

class LinkOnScreen : public ::testing::Test {
protected:
    WindowRig rig;

    // The status line texts in the order they were on screen, until it is hidden.
    std::vector<std::string> statusSequence()
    {
        std::vector<std::string> seen;
        for (int tick = 0; tick < 2000; ++tick) {
            rig.step();
            if (!rig.shown("LabelHlaseni"))
                break;
            const std::string text = rig.text("LabelHlaseni");
            if (seen.empty() || seen.back() != text)
                seen.push_back(text);
        }
        return seen;
    }
};

TEST_F(LinkOnScreen, MonitorFrameOfTheVirtualUnitReachesTheLabelsAndGauges)
{
    rig.unit.advance(std::chrono::seconds(6));
    rig.start();
    rig.steps(8);
    const std::string rpmText = rig.text("LabelRpm");
    ASSERT_EQ(rpmText.rfind("RPM = ", 0), 0U) << rpmText;
    const int rpm = std::stoi(rpmText.substr(6));
    EXPECT_GT(rpm, 0);
    const int limiter = rig.window->image().byte(179);
    ASSERT_GT(limiter, 0);
    EXPECT_EQ(rig.control<QProgressBar>("CGaugeRpm").value(), std::min(100, rpm / limiter));
    EXPECT_EQ(rig.text("LabelMon_Ign").rfind("Advance = ", 0), 0U);
    EXPECT_EQ(rig.text("LabelPocetProgramovani").rfind("Number of Programing = ", 0), 0U);
    EXPECT_EQ(rig.text("LabelSnimacCkps"), "Pick-up (CKPS) -  is running");
    EXPECT_EQ(background(rig.control("LabelSnimacCkps")), ColourPalette::colour(ColourRole::Lime));
    EXPECT_FALSE(rig.shown("LabelSpojeni"));
    EXPECT_TRUE(rig.shown("LabelVersion"));
    EXPECT_EQ(background(rig.control("LabelVersion")), ColourPalette::colour(ColourRole::White));
}

TEST_F(LinkOnScreen, SensorErrorAndSupplyShowTheirColours)
{
    rig.start(std::nullopt, false);
    const LinkFrame frame = monitorFrame(0, 18000);
    rig.line->feedReceived(frame);
    rig.step();
    EXPECT_EQ(rig.text("LabelVoda"), "Coolant = error");
    EXPECT_EQ(background(rig.control("LabelVoda")), ColourPalette::colour(ColourRole::Red));
    const auto& gauge = rig.control<QProgressBar>("CGaugeVoda");
    EXPECT_EQ(gauge.value(), 80);
    EXPECT_EQ(gauge.palette().color(QPalette::Highlight), ColourPalette::colour(ColourRole::Red));
    EXPECT_EQ(background(rig.control("LabelNapeti")), ColourPalette::colour(ColourRole::Red));

    rig.control<QCheckBox>("CheckBoxExtMonitor").click();
    rig.line->feedReceived(monitorFrame(180, 12500));
    rig.step();
    EXPECT_EQ(rig.text("LabelVoda"), "Coolant = 80 °C= 0 mV");
    EXPECT_EQ(gauge.palette().color(QPalette::Highlight), ColourPalette::colour(ColourRole::Aqua));
    EXPECT_FALSE(background(rig.control("LabelNapeti")) == ColourPalette::colour(ColourRole::Red));
}

TEST_F(LinkOnScreen, TickWithoutNewsChangesNoWidget)
{
    rig.start();
    rig.steps(20);
    const long before = rig.window->applier().changes();
    // The next monitor reply is due at the sixth tick after the last request.
    rig.line->clearWritten();
    rig.step();
    if (!rig.line->writtenFrames().empty())
        rig.step();
    EXPECT_EQ(rig.window->applier().changes(), before);
}

TEST_F(LinkOnScreen, ReadShowsReadThenVerifyOkAndTakesTheUnitsImage)
{
    rig.start();
    rig.steps(3);
    rig.control<QAbstractButton>("ButtonRead").click();
    EXPECT_TRUE(rig.shown("LabelHlaseni"));
    EXPECT_TRUE(rig.shown("CGaugeProgram"));
    const auto sequence = statusSequence();
    ASSERT_GE(sequence.size(), 3U);
    EXPECT_EQ(sequence.front(), "Read:");
    EXPECT_EQ(sequence[sequence.size() - 2], "Verify:");
    EXPECT_EQ(sequence.back(), "Verify: OK");
    for (int block = 1; block < kBlockCount; ++block)
        ASSERT_TRUE(std::ranges::equal(rig.window->image().block(block), rig.unit.memory().block(block))) << block;
}

TEST_F(LinkOnScreen, MessagesOfATickOpenAfterItsWorkAndTicksGoOnInsideTheBox)
{
    ParamImage unknownBike = rig.unit.memory();
    unknownBike.setByte(150, 60); // a bike code the list does not hold: its fill raises a message
    rig.unit.loadMemory(unknownBike);
    rig.start();
    rig.control<QTabWidget>("PageControl1").setCurrentIndex(kPageBike);
    int open = 0;
    int deepest = 0;
    std::vector<LinkMode> modeAtMessage;
    std::vector<std::string> statusAtMessage;
    rig.dialogs->whileShown = [&] {
        deepest = std::max(deepest, ++open);
        modeAtMessage.push_back(rig.window->link().mode());
        statusAtMessage.push_back(rig.text("LabelHlaseni"));
        if (open == 1 && rig.dialogs->messages.size() == 1) {
            // The timer runs on inside the box; another Read meets a unit of another version.
            rig.unit.setFaults([] {
                sim::FaultPlan plan;
                plan.version = 70;
                return plan;
            }());
            rig.control<QAbstractButton>("ButtonRead").click();
            rig.steps(40);
        }
        --open;
    };
    rig.control<QAbstractButton>("ButtonRead").click();
    for (int tick = 0; tick < 400 && rig.dialogs->messages.empty(); ++tick)
        rig.step();

    // The bike message once for each read of the image (the header of the second refills the
    // page too), and the version message, each in a box of its own after the first closed.
    const std::string bike = rig.dialogs->messages.front();
    EXPECT_EQ(rig.dialogs->messages,
              (std::vector<std::string>{bike, bike, "Unmatched version of PC and Ignition programs!  PC-71, IGN-70"}));
    EXPECT_EQ(deepest, 1) << "the later messages waited for the first box";
    // The read's last tick had stored block 19, started the verify pass and shown it.
    EXPECT_EQ(modeAtMessage.front(), LinkMode::Verify);
    EXPECT_EQ(statusAtMessage.front(), "Verify:");
    EXPECT_EQ(rig.window->link().mode(), LinkMode::Idle);
}

// As in the program: Timer1 drives the ticks, and a box of a tick's message runs its own event
// loop. The monitor requests go on reaching the unit while the box is open.
TEST_F(LinkOnScreen, BoxOfATicksMessageLetsTheTimerTickOnAndRequestsReachTheUnit)
{
    rig.unit.setFaults([] {
        sim::FaultPlan plan;
        plan.version = 70;
        return plan;
    }());
    rig.runTimer = true;
    rig.start();
    QTimer unitClock; // the unit's time passes while the event loop runs
    QObject::connect(&unitClock, &QTimer::timeout, [&] { rig.line->advanceUnit(std::chrono::milliseconds(20)); });
    unitClock.start(20);
    std::size_t framesAtOpen = 0;
    std::size_t framesAtClose = 0;
    rig.dialogs->whileShown = [&] {
        framesAtOpen = rig.line->writtenFrames().size();
        QElapsedTimer waited;
        waited.start();
        // Three monitor requests take about a second; the box gives up after five.
        while (rig.line->writtenFrames().size() < framesAtOpen + 3 && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        framesAtClose = rig.line->writtenFrames().size();
    };
    rig.control<QAbstractButton>("ButtonRead").click();
    QElapsedTimer waited;
    waited.start();
    while (rig.dialogs->messages.empty() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    ASSERT_EQ(rig.dialogs->messages.size(), 1U);
    EXPECT_EQ(rig.dialogs->messages.front(), "Unmatched version of PC and Ignition programs!  PC-71, IGN-70");
    EXPECT_GE(framesAtClose, framesAtOpen + 3) << "the ticks stood still while the box was open";
}

TEST_F(LinkOnScreen, ProgramByF9KeepsTheUnitsTuneThenSendsTheImageAndEndsWithProgramDeviceOk)
{
    rig.start();
    rig.window->findChild<QAction*>("MenuProgram")->trigger();
    const auto sequence = statusSequence();
    ASSERT_FALSE(sequence.empty());
    // Not read in this connection yet: what the unit holds is read and kept first.
    EXPECT_EQ(sequence.front(), "Read:");
    EXPECT_NE(std::ranges::find(sequence, "Program device:"), sequence.end());
    const auto backups = rig.configDirectory / "data" / "backups";
    ASSERT_TRUE(std::filesystem::exists(backups));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(backups), std::filesystem::directory_iterator{}), 1);
    EXPECT_NE(std::ranges::find(sequence, "Verify:"), sequence.end());
    EXPECT_EQ(sequence.back(), "Program device: OK");
    for (int block = 1; block < kBlockCount; ++block)
        ASSERT_TRUE(std::ranges::equal(rig.window->image().block(block), rig.unit.memory().block(block))) << block;
}

TEST_F(LinkOnScreen, VerifyAgainstADifferentUnitEndsRedWithVerifyError)
{
    ParamImage other = rig.unit.memory();
    other.setByte(kCoolingOffset, static_cast<std::uint8_t>(other.byte(kCoolingOffset) + 1));
    rig.unit.loadMemory(other);
    rig.start();
    rig.window->findChild<QAction*>("MenuVerify")->trigger();
    const auto sequence = statusSequence();
    ASSERT_FALSE(sequence.empty());
    EXPECT_EQ(sequence.front(), "Verify:");
    EXPECT_EQ(sequence.back(), "Verify error!");
}

// A unit fresh from the workshop holds what this program sets for a new bike 11, as the window
// does at start: read and verified it agrees, and the Bike page shows what the unit holds.
TEST_F(LinkOnScreen, FreshUnitVerifiesAgainstTheStartingSetAndReadsBackTheSameLimiters)
{
    rig.start();
    rig.control<QTabWidget>("PageControl1").setCurrentIndex(kPageBike);
    rig.window->findChild<QAction*>("MenuVerify")->trigger();
    EXPECT_EQ(statusSequence().back(), "Verify: OK");
    rig.control<QAbstractButton>("ButtonRead").click();
    EXPECT_EQ(statusSequence().back(), "Verify: OK");
    // Each limiter shows the unit's own value, none the spin box's lowest in place of a 0.
    const char* limiters[] = {"EditStartLimiter", "EditIgnLimiter", "EditJetLimiter", "EditRetardLimiterRpm"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(rig.control<QSpinBox>(limiters[k]).value(), 100 * rig.unit.memory().byte(kStartLimiterOffset + k))
            << limiters[k];
    }
}

TEST_F(LinkOnScreen, UnopenablePortShowsComOpeningErrorOnceAndRetriesSilently)
{
    rig.devices = {"COM1"};
    rig.start();
    ASSERT_EQ(rig.dialogs->messages.size(), 1U);
    EXPECT_TRUE(rig.dialogs->messages.front().starts_with("Com opening error!\n\nCOM2 does not exist"));
    rig.steps(100);
    EXPECT_EQ(rig.dialogs->messages.size(), 1U);
    EXPECT_GT(rig.line->openAttempts().size(), 2U);

    rig.window->findChild<QAction*>("MenuCom_Uni0")->trigger();
    EXPECT_EQ(rig.dialogs->messages.size(), 1U);
    EXPECT_TRUE(rig.window->findChild<QAction*>("MenuCom_Uni0")->isChecked());
    EXPECT_FALSE(rig.window->findChild<QAction*>("MenuCom_Uni1")->isChecked());
    EXPECT_EQ(rig.text("LabelCom"), "COM= COM1");
}

TEST_F(LinkOnScreen, SilentUnitShowsNoConnectionAtTheSeventhTick)
{
    rig.start(std::nullopt, false);
    rig.steps(6);
    EXPECT_FALSE(rig.shown("LabelSpojeni"));
    EXPECT_TRUE(rig.shown("LabelVersion"));
    rig.step();
    EXPECT_TRUE(rig.shown("LabelSpojeni"));
    EXPECT_EQ(rig.text("LabelSpojeni"), "No connection with PC");
    EXPECT_FALSE(rig.shown("LabelVersion"));
}

// A picture of the window during a simulated run, for looking at the layout by eye.
TEST_F(LinkOnScreen, ScreenshotOfTheMonitorPageWhenAsked)
{
    const char* directory = std::getenv("QUORVEL_SCREENSHOT_DIR");
    if (directory == nullptr)
        GTEST_SKIP() << "set QUORVEL_SCREENSHOT_DIR to take the pictures";
    rig.unit.advance(std::chrono::seconds(9));
    rig.start();
    rig.window->show();
    rig.control<QCheckBox>("CheckBoxExtMonitor").click();
    rig.steps(20);
    ASSERT_TRUE(rig.window->grab().save(QString(directory) + "/quorvel-monitor.png"));
    rig.control<QAbstractButton>("ButtonRead").click();
    rig.steps(15);
    ASSERT_TRUE(rig.window->grab().save(QString(directory) + "/quorvel-reading.png"));
}

} // namespace
} // namespace quorvel
