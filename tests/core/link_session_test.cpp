#include "core/link_session.h"
#include "serial/virtual_unit_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

sim::FaultPlan silentUnit()
{
    sim::FaultPlan plan;
    plan.silent = true;
    return plan;
}

sim::FaultPlan differingBlock(int block)
{
    sim::FaultPlan plan;
    plan.differingBlock = block;
    return plan;
}

sim::FaultPlan otherVersion(std::uint8_t version)
{
    sim::FaultPlan plan;
    plan.version = version;
    return plan;
}

sim::FaultPlan lateReplies(std::chrono::milliseconds delay)
{
    sim::FaultPlan plan;
    plan.replyDelay = delay;
    return plan;
}

class LinkSessionTest : public test::VirtualUnitLinkTest {
protected:
    void settleIdle()
    {
        ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle && !display.statusVisible; }), 0);
    }
    void copyUnitIntoImage()
    {
        for (int block = 1; block < kBlockCount; ++block)
            image.storeBlock(block, unit.memory().block(block));
    }
    // The status texts in the order they were on screen, each once per appearance.
    std::vector<std::string> statusSequenceUntilHidden()
    {
        std::vector<std::string> seen;
        for (int ticks = 0; ticks < kLongEnough; ++ticks) {
            step();
            if (!display.statusVisible)
                break;
            if (seen.empty() || seen.back() != display.statusText)
                seen.push_back(display.statusText);
        }
        return seen;
    }
    std::vector<std::uint8_t> commandsWritten() const
    {
        std::vector<std::uint8_t> commands;
        for (const LinkFrame& frame : line.writtenFrames())
            commands.push_back(frame[0]);
        return commands;
    }
};

std::vector<std::uint8_t> commandRange(std::uint8_t first, std::uint8_t last)
{
    std::vector<std::uint8_t> commands;
    for (int c = first; c <= last; ++c)
        commands.push_back(static_cast<std::uint8_t>(c));
    return commands;
}

TEST_F(LinkSessionTest, ProgramOfAnUnchangedImageEndsWithProgramDeviceOkAfterItsVerifyPass)
{
    copyUnitIntoImage();
    settleIdle();
    line.clearWritten();
    session.program();
    EXPECT_EQ(display.statusText, "Program device:");
    EXPECT_TRUE(display.statusVisible);
    EXPECT_EQ(rig.host.collected, 1);

    // The idle tick that ends the verify pass already shows the programming result; the unit
    // then reports storing what it received.
    const std::vector<std::string> expected{"Program device:", "Verify:", "Program device: OK",
                                            "Saving:", "Program device: OK"};
    EXPECT_EQ(statusSequenceUntilHidden(), expected);
    EXPECT_FALSE(session.lastTransferFailed()) << "storing afterwards is no failure";

    std::vector<std::uint8_t> commands = commandsWritten();
    std::erase(commands, kMonitorRequest);
    std::vector<std::uint8_t> wanted = commandRange(0x00, 0x13);
    const std::vector<std::uint8_t> verify = commandRange(0x41, 0x53);
    wanted.insert(wanted.end(), verify.begin(), verify.end());
    EXPECT_EQ(commands, wanted);
    EXPECT_TRUE(test::parametersEqual(unit.memory(), image));
    EXPECT_FALSE(image.verifyAfterProgram());
    EXPECT_FALSE(image.pendingBlocks().any());
}

TEST_F(LinkSessionTest, ProgramDeviceOkStaysTwoHundredTicksAfterTheLastMessage)
{
    copyUnitIntoImage();
    session.program();
    int lastMessageTick = -1;
    int tick = 0;
    while (display.statusVisible && tick < kLongEnough) {
        step();
        ++tick;
        if (display.statusText == "Saving:")
            lastMessageTick = tick;
        if (display.statusVisible && lastMessageTick > 0 && tick > lastMessageTick) {
            ASSERT_EQ(display.statusText, "Program device: OK");
            ASSERT_EQ(display.progress, 20);
        }
    }
    ASSERT_GT(lastMessageTick, 0);
    // The tick that shows the last message is the first of its 200.
    EXPECT_EQ(tick - lastMessageTick + 1, LinkSession::kMessageTicks);
    EXPECT_FALSE(display.progressVisible);
    EXPECT_FALSE(session.programmingDone());
}

TEST_F(LinkSessionTest, VerifyCommandEndsWithVerifyOk)
{
    copyUnitIntoImage();
    settleIdle();
    session.verify();
    EXPECT_EQ(rig.host.collected, 1);
    EXPECT_EQ(rig.host.sanitised, 1);
    EXPECT_EQ(rig.host.refilled, 1);
    const std::vector<std::string> expected{"Verify:", "Verify: OK"};
    EXPECT_EQ(statusSequenceUntilHidden(), expected);
}

TEST_F(LinkSessionTest, ReadFetchesTheHeaderAndEveryBlockThenVerifies)
{
    session.read();
    EXPECT_EQ(rig.host.collected, 0); // a read does not collect the page first
    EXPECT_EQ(rig.host.fileNameCleared, 1);
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Verify: OK");
    EXPECT_EQ(display.progress, 20);
    EXPECT_TRUE(test::parametersEqual(unit.memory(), image));
    EXPECT_EQ(image.headerTexts().date, "15. 3.2007");
    EXPECT_GE(rig.host.sanitised, 1);
}

TEST_F(LinkSessionTest, ReadProgressFollowsTheBlocks)
{
    session.read();
    std::vector<int> progress;
    while (session.mode() == LinkMode::Read) {
        step();
        if (progress.empty() || progress.back() != display.progress)
            progress.push_back(display.progress);
    }
    std::vector<int> expected;
    for (int p = 0; p <= 19; ++p)
        expected.push_back(p);
    expected.push_back(0); // the verify pass starts again from 0
    EXPECT_EQ(progress, expected);
}

struct SilentCase {
    const char* name;
    std::function<void(LinkSession&)> command;
    std::uint8_t firstCommand;
    const char* error;
};

class NeverAnsweringUnit : public LinkSessionTest, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(NeverAnsweringUnit, SendsFiveTimesSixTicksApartThenShowsTheErrorSixTicksLater)
{
    for (int i = 0; i < 3; ++i)
        step(); // the command comes in the middle of the monitor rhythm
    unit.setFaults(silentUnit());
    line.clearWritten();
    GetParam().command(session);

    std::vector<int> sendTicks;
    int errorTick = -1;
    for (int tick = 1; tick <= 60 && errorTick < 0; ++tick) {
        const std::size_t before = line.writtenFrames().size();
        step();
        if (line.writtenFrames().size() > before)
            sendTicks.push_back(tick);
        if (display.statusColour == ColourRole::Red)
            errorTick = tick;
    }
    ASSERT_EQ(sendTicks.size(), 5U);
    EXPECT_LE(sendTicks[0], LinkSession::kResendInterval);
    for (std::size_t i = 1; i < sendTicks.size(); ++i)
        EXPECT_EQ(sendTicks[i] - sendTicks[i - 1], LinkSession::kResendInterval);
    EXPECT_EQ(errorTick - sendTicks.back(), LinkSession::kResendInterval);
    for (const LinkFrame& frame : line.writtenFrames())
        EXPECT_EQ(frame[0], GetParam().firstCommand);
    EXPECT_EQ(display.statusText, GetParam().error);
    EXPECT_TRUE(display.statusVisible);
    EXPECT_EQ(session.mode(), LinkMode::Idle);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NeverAnsweringUnit,
    ::testing::Values(SilentCase{"Read", [](LinkSession& s) { s.read(); }, 0x40, "Read error!"},
                      SilentCase{"Verify", [](LinkSession& s) { s.verify(); }, 0x41, "Verify error!"},
                      SilentCase{"Program", [](LinkSession& s) { s.program(); }, 0x00, "Program error!"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(LinkSessionTest, DifferingReplyInProgramIsResentAndTheTransferContinuesOnceItMatches)
{
    copyUnitIntoImage();
    unit.setFaults(differingBlock(3));
    session.program();
    ASSERT_GE(stepUntil([&] { return session.currentCommand() == 3; }), 0);
    const std::size_t sentBefore = line.writtenFrames().size();
    step(); // the differing reply
    EXPECT_EQ(session.currentCommand(), 3);
    EXPECT_TRUE(image.pendingBlocks().isSet(3));
    EXPECT_EQ(line.writtenFrames().size(), sentBefore);

    unit.setFaults({});
    ASSERT_GE(stepUntil([&] { return session.currentCommand() == 4; }), 0);
    EXPECT_EQ(line.writtenFrames().back()[0], 4);
    EXPECT_FALSE(image.pendingBlocks().isSet(3));
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Program device: OK");
    EXPECT_FALSE(image.verifyAfterProgram());
}

TEST_F(LinkSessionTest, BlockTheUnitNeverTakesStaysPendingAfterProgramError)
{
    copyUnitIntoImage();
    unit.setFaults(differingBlock(3));
    session.program();
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Program error!");
    for (int block = 3; block < kBlockCount; ++block)
        EXPECT_TRUE(image.pendingBlocks().isSet(block)) << block;
    EXPECT_FALSE(image.pendingBlocks().isSet(2));
    EXPECT_TRUE(image.verifyAfterProgram());
}

TEST_F(LinkSessionTest, DifferingBlockFailsTheVerifyPass)
{
    copyUnitIntoImage();
    image.setByte(5 * kBlockSize + 77, static_cast<std::uint8_t>(image.byte(5 * kBlockSize + 77) ^ 1U));
    rig.host.settings = {};
    settleIdle();
    line.clearWritten();
    session.verify();
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Verify error!");
    EXPECT_EQ(display.statusColour, ColourRole::Red);
    std::vector<std::uint8_t> commands = commandsWritten();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x45), 5);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x46), 0);
}

TEST_F(LinkSessionTest, ChangeProgramsOnlyTheChangedBlocksWithoutHeaderOrVerify)
{
    copyUnitIntoImage();
    settleIdle();
    image.setByte(2 * kBlockSize + 10, static_cast<std::uint8_t>(image.byte(2 * kBlockSize + 10) + 1));
    image.setByte(7 * kBlockSize + 10, static_cast<std::uint8_t>(image.byte(7 * kBlockSize + 10) + 1));
    image.pendingBlocks().set(2);
    image.pendingBlocks().set(7);
    line.clearWritten();
    session.startProgramming();
    EXPECT_EQ(display.progress, 2);
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(commandsWritten(), (std::vector<std::uint8_t>{0x02, 0x07}));
    EXPECT_EQ(display.statusText, "Program device: OK");
    EXPECT_EQ(rig.host.sanitised, 0);
    EXPECT_TRUE(test::parametersEqual(unit.memory(), image));
}

TEST_F(LinkSessionTest, ChangeIsVerifiedWhileAnEarlierProgramWasNotVerified)
{
    copyUnitIntoImage();
    image.setVerifyAfterProgram(true);
    image.pendingBlocks().set(9);
    session.startProgramming();
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Verify; }), 0);
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Program device: OK");
    EXPECT_FALSE(image.verifyAfterProgram());
}

struct MismatchCase {
    const char* name;
    std::function<void(LinkSession&)> command;
};

class VersionMismatch : public LinkSessionTest, public ::testing::WithParamInterface<MismatchCase> {};

TEST_P(VersionMismatch, AbandonsTheTransferWithTheModalMessageAndKeepsTheStatusLine)
{
    copyUnitIntoImage();
    unit.setFaults(otherVersion(70));
    const ParamImage before = image;
    GetParam().command(session);
    const std::string status = display.statusText;
    ASSERT_GE(stepUntil([&] { return !rig.host.messages.empty(); }, 20), 0);
    EXPECT_EQ(rig.host.messages.front(), "Unmatched version of PC and Ignition programs!  PC-71, IGN-70");
    EXPECT_EQ(session.mode(), LinkMode::Idle);
    line.clearWritten();
    for (int i = 0; i < 250; ++i)
        step();
    EXPECT_EQ(display.statusText, status);
    EXPECT_TRUE(display.statusVisible);
    EXPECT_EQ(rig.host.messages.size(), 1U);
    for (const LinkFrame& frame : line.writtenFrames())
        EXPECT_EQ(frame[0], kMonitorRequest);
    EXPECT_TRUE(test::parametersEqual(image, before));
}

// A host whose message box runs an event loop of its own in which the timer keeps ticking, as
// a modal box does: `whileShown` runs inside the box.
class TickingBoxHost final : public LinkHost {
public:
    explicit TickingBoxHost(ParamImage& image)
        : m_image(image)
    {
    }
    void collectPage() override {}
    void sanitiseImage() override
    {
        OutsideSettings settings;
        (void)quorvel::sanitiseImage(m_image, settings);
    }
    void refillPage() override {}
    void clearFileName() override {}
    void refreshMonitorPanel() override { ++refreshes; }
    void showMessage(std::string_view text) override
    {
        messages.emplace_back(text);
        refreshesAtMessage.push_back(refreshes);
        deepest = std::max(deepest, ++open);
        if (whileShown)
            whileShown();
        --open;
    }

    std::function<void()> whileShown;
    std::vector<std::string> messages;
    std::vector<int> refreshesAtMessage;
    int refreshes = 0;
    int open = 0;
    int deepest = 0;

private:
    ParamImage& m_image;
};

TEST(LinkSessionMessages, MessageOpensAfterItsTickAndTicksInsideTheBoxOpenNoSecondBox)
{
    sim::VirtualUnit unit;
    unit.setFaults(otherVersion(70));
    test::FakeSerialLine line;
    line.attachUnit(unit);
    test::FakePortNaming naming;
    ParamImage image;
    LanguageTable texts;
    LinkOnlyMonitor monitor;
    TickingBoxHost host(image);
    SerialPort port(line, naming, texts, host);
    port.setPortSelection(0);
    port.openPort();
    LinkSession session(image, port, host, monitor, texts);
    auto step = [&] {
        line.advanceUnit(55ms);
        session.tick();
    };
    int monitorRequestsInBox = 0;
    host.whileShown = [&] {
        if (host.messages.size() > 1)
            return;
        // The user's second Read, sent while the first box is still open.
        line.clearWritten();
        session.read();
        for (int i = 0; i < 40; ++i)
            step();
        for (const LinkFrame& frame : line.writtenFrames())
            monitorRequestsInBox += frame[0] == kMonitorRequest ? 1 : 0;
    };

    session.read();
    for (int i = 0; i < 40 && host.messages.empty(); ++i)
        step();
    ASSERT_EQ(host.messages.size(), 2U);
    EXPECT_EQ(host.deepest, 1) << "the second message waited for the first box";
    EXPECT_EQ(host.refreshesAtMessage.front(), host.refreshes - 40) << "its tick had done all its work";
    EXPECT_GE(monitorRequestsInBox, 4) << "the link went on while the box was open";
    EXPECT_EQ(session.mode(), LinkMode::Idle);
}

INSTANTIATE_TEST_SUITE_P(Commands, VersionMismatch,
                         ::testing::Values(MismatchCase{"Read", [](LinkSession& s) { s.read(); }},
                                           MismatchCase{"Program", [](LinkSession& s) { s.program(); }}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(LinkSessionTest, FirstFrameLeavesOnTheNextTickWhenNoReplyIsAwaited)
{
    // A port just opened: nothing has been asked yet.
    session.read();
    step();
    EXPECT_EQ(commandsWritten(), (std::vector<std::uint8_t>{kReadFlag}));

    // The last monitor frame came in: the unit is not busy.
    settleIdle();
    line.clearWritten();
    session.verify();
    step();
    ASSERT_FALSE(commandsWritten().empty());
    EXPECT_EQ(commandsWritten().front(), kReadFlag | 1U);
}

TEST_F(LinkSessionTest, FirstFrameKeepsTheRhythmWhileAMonitorRequestAwaitsItsReply)
{
    unit.setFaults(silentUnit());
    for (int tick = 0; tick < LinkSession::kResendInterval; ++tick)
        step(); // the first monitor request goes out with the sixth tick
    ASSERT_EQ(commandsWritten(), (std::vector<std::uint8_t>{kMonitorRequest}));
    line.clearWritten();
    session.read();
    const int ticks = stepUntil([&] { return !commandsWritten().empty(); }, 10);
    EXPECT_EQ(ticks, LinkSession::kResendInterval);
    EXPECT_EQ(commandsWritten(), (std::vector<std::uint8_t>{kReadFlag}));
}

TEST_F(LinkSessionTest, MonitorRequestsGoOutEverySixTicksOnlyWhileIdle)
{
    std::vector<int> monitorTicks;
    auto record = [&](int tick) {
        const auto frames = line.writtenFrames();
        if (!frames.empty() && frames.back()[0] == kMonitorRequest)
            monitorTicks.push_back(tick);
        line.clearWritten();
    };
    for (int tick = 1; tick <= 24; ++tick) {
        step();
        record(tick);
    }
    EXPECT_EQ(monitorTicks, (std::vector<int>{6, 12, 18, 24}));
    EXPECT_FALSE(display.noConnectionVisible);

    session.read();
    while (session.mode() != LinkMode::Idle) {
        step();
        for (const LinkFrame& frame : line.writtenFrames())
            ASSERT_NE(frame[0], kMonitorRequest);
        line.clearWritten();
    }
}

TEST_F(LinkSessionTest, FastMonitorExchangesOneFramePerIdleTickAndYieldsToTransfers)
{
    EXPECT_FALSE(session.fastMonitor());
    session.setFastMonitor(true);
    for (int tick = 1; tick <= 12; ++tick) {
        step();
        const auto frames = line.writtenFrames();
        ASSERT_EQ(frames.size(), 1U) << tick;
        EXPECT_EQ(frames.front()[0], kMonitorRequest) << tick;
        line.clearWritten();
        // The reply to the previous tick's request came in before this tick.
        if (tick > 1) {
            EXPECT_LE(session.silenceTicks(), 1) << tick;
        }
    }

    session.read();
    while (session.mode() != LinkMode::Idle) {
        step();
        // The tick that ends the transfer is idle by its end and may ask at once.
        if (session.mode() != LinkMode::Idle) {
            for (const LinkFrame& frame : line.writtenFrames())
                ASSERT_NE(frame[0], kMonitorRequest);
        }
        line.clearWritten();
    }

    session.setFastMonitor(false);
    std::vector<int> monitorTicks;
    for (int tick = 1; tick <= 12; ++tick) {
        step();
        if (!line.writtenFrames().empty())
            monitorTicks.push_back(tick);
        line.clearWritten();
    }
    EXPECT_EQ(monitorTicks.size(), 2U);
}

TEST_F(LinkSessionTest, SilentUnitShowsNoConnectionAfterSevenTicksAndReopensEveryThirty)
{
    unit.setFaults(silentUnit());
    std::vector<int> openTicks;
    for (int tick = 1; tick <= 100; ++tick) {
        const std::size_t opens = line.openAttempts().size();
        step();
        if (line.openAttempts().size() > opens)
            openTicks.push_back(tick);
        EXPECT_EQ(display.noConnectionVisible, tick >= 7) << tick;
        EXPECT_EQ(display.versionVisible, !display.noConnectionVisible);
    }
    EXPECT_EQ(openTicks, (std::vector<int>{36, 66, 96}));
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST_F(LinkSessionTest, AutomaticScanTriesTheNextPortAtTheVeryNextTick)
{
    line.setDevices({"COM4"});
    rig.port.setAutoScanIndex(0);
    rig.port.selectPort(SerialPort::kAutoSelection);
    std::vector<std::string> tried;
    for (int tick = 1; tick <= 12; ++tick) {
        const std::size_t opens = line.openAttempts().size();
        step();
        if (line.openAttempts().size() > opens)
            tried.push_back(line.openAttempts().back() + "@" + std::to_string(tick));
    }
    EXPECT_EQ(tried, (std::vector<std::string>{"COM2@7", "COM3@8", "COM4@9"}));
    EXPECT_TRUE(rig.port.isOpen());
    ASSERT_GE(stepUntil([&] { return !display.noConnectionVisible; }, 10), 0); // the unit answers there
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST_F(LinkSessionTest, PulledCableIsReopenedSilentlyUntilTheUnitIsBack)
{
    settleIdle();
    ASSERT_FALSE(display.noConnectionVisible);
    line.unplug();
    ASSERT_GE(stepUntil([&] { return display.noConnectionVisible; }, 40), 0);
    for (int tick = 0; tick < 65; ++tick)
        step();
    EXPECT_FALSE(rig.port.isOpen());
    line.plugIn();
    EXPECT_GE(stepUntil([&] { return !display.noConnectionVisible; }, 40), 0);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST_F(LinkSessionTest, LineThatTakesNothingEndsTheTransferWithItsError)
{
    copyUnitIntoImage();
    line.setWritesFail(true);
    session.program();
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Program error!");
    EXPECT_TRUE(image.pendingBlocks().isSet(0));
}

TEST_F(LinkSessionTest, PrintingKeepsNoConnectionOffThePage)
{
    unit.setFaults(silentUnit());
    session.setPrinting(true);
    for (int tick = 0; tick < 10; ++tick)
        step();
    EXPECT_FALSE(display.noConnectionVisible);
    session.setPrinting(false);
    step();
    EXPECT_TRUE(display.noConnectionVisible);
}

LinkFrame monitorFrame(std::uint16_t savingCountdown)
{
    LinkFrame frame{};
    frame[0] = kMonitorReply;
    frame[148] = static_cast<std::uint8_t>(savingCountdown & 0xFFU);
    frame[149] = static_cast<std::uint8_t>(savingCountdown >> 8);
    sealFrame(frame);
    return frame;
}

struct SavingCase {
    std::uint16_t countdown;
    int progress;
};

class SavingProgress : public LinkSessionTest, public ::testing::WithParamInterface<SavingCase> {};

TEST_P(SavingProgress, IdleTickShowsTheUnitStoringWithClampedProgress)
{
    unit.setFaults(silentUnit());
    line.feedReceived(monitorFrame(GetParam().countdown));
    step();
    EXPECT_EQ(session.savingCountdown(), GetParam().countdown);
    EXPECT_EQ(display.statusText, "Saving:");
    EXPECT_EQ(display.progress, GetParam().progress);
    EXPECT_FALSE(display.statusVisible); // storing alone does not bring the line up
    EXPECT_EQ(session.messageHold(), LinkSession::kMessageTicks - 1);
}

INSTANTIATE_TEST_SUITE_P(Countdowns, SavingProgress,
                         ::testing::Values(SavingCase{5782, 0}, SavingCase{2891, 10}, SavingCase{1, 19},
                                           SavingCase{6000, 0}, SavingCase{65535, 0}));

enum class FailingTransfer : std::uint8_t { Read, Verify, Program };

struct HeldFailureCase {
    const char* name;
    FailingTransfer transfer;
    const char* message;
};

class FailureWhileTheUnitStores : public LinkSessionTest, public ::testing::WithParamInterface<HeldFailureCase> {
protected:
    void fail(FailingTransfer transfer)
    {
        copyUnitIntoImage();
        switch (transfer) {
        case FailingTransfer::Read:
            unit.setFaults(silentUnit());
            session.read();
            break;
        case FailingTransfer::Verify: // the image differs from what the unit holds
            image.setByte(5 * kBlockSize + 77, static_cast<std::uint8_t>(image.byte(5 * kBlockSize + 77) ^ 1U));
            session.verify();
            break;
        case FailingTransfer::Program: // the unit stores blocks 1..3, then keeps refusing block 3
            unit.setFaults(differingBlock(3));
            session.program();
            break;
        }
        ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    }
};

TEST_P(FailureWhileTheUnitStores, RedMessageStaysForItsHoldAndIsNotPassedOffAsSaving)
{
    const HeldFailureCase& c = GetParam();
    fail(c.transfer);
    ASSERT_EQ(display.statusText, c.message);
    ASSERT_EQ(display.statusColour, ColourRole::Red);
    EXPECT_TRUE(session.lastTransferFailed());
    // From here on the unit only reports that it is storing what it received.
    unit.setFaults(silentUnit());
    const int hold = session.messageHold();
    for (int tick = 1; tick < hold; ++tick) {
        line.feedReceived(monitorFrame(3000));
        step();
        ASSERT_EQ(session.savingCountdown(), 3000);
        ASSERT_EQ(display.statusText, c.message) << "tick " << tick;
        ASSERT_EQ(display.statusColour, ColourRole::Red) << "tick " << tick;
        ASSERT_TRUE(display.statusVisible) << "tick " << tick;
    }
    line.feedReceived(monitorFrame(3000));
    step();
    EXPECT_FALSE(display.statusVisible) << "held as long as any message, no longer";
    EXPECT_FALSE(display.noConnectionVisible);
}

INSTANTIATE_TEST_SUITE_P(Table, FailureWhileTheUnitStores,
                         ::testing::Values(HeldFailureCase{"Read", FailingTransfer::Read, "Read error!"},
                                           HeldFailureCase{"Verify", FailingTransfer::Verify, "Verify error!"},
                                           HeldFailureCase{"Program", FailingTransfer::Program, "Program error!"}),
                         [](const ::testing::TestParamInfo<HeldFailureCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(LinkSessionTest, UnitLostWhileStoringDoesNotShowSavingForever)
{
    unit.setFaults(silentUnit());
    line.feedReceived(monitorFrame(3000));
    step();
    ASSERT_EQ(session.savingCountdown(), 3000);
    ASSERT_GE(stepUntil([&] { return display.noConnectionVisible; }), 0);
    EXPECT_EQ(session.savingCountdown(), 0);
    EXPECT_GE(stepUntil([&] { return session.messageHold() == 0; }), 0);
}

TEST_F(LinkSessionTest, CorruptMonitorFrameIsNoSignOfLife)
{
    unit.setFaults(silentUnit());
    for (int tick = 0; tick < 20; ++tick)
        step();
    LinkFrame corrupt = monitorFrame(0);
    corrupt[151] ^= 1U;
    line.feedReceived(corrupt);
    step();
    EXPECT_EQ(session.silenceTicks(), LinkSession::kDisconnectedSilence);
    EXPECT_TRUE(display.noConnectionVisible);
    line.feedReceived(monitorFrame(0));
    step();
    EXPECT_EQ(session.silenceTicks(), 1);
    EXPECT_FALSE(display.noConnectionVisible);
}

TEST_F(LinkSessionTest, OutcomeOfATransferThatOutlastedItsMessageIsStillShown)
{
    // Replies after 24 ticks: a read of 20 blocks runs far past the 200 ticks of its message.
    unit.setFaults(lateReplies(1300ms));
    session.read();
    ASSERT_GE(stepUntil([&] { return !display.statusVisible; }), 0);
    EXPECT_EQ(session.mode(), LinkMode::Read);
    unit.setFaults(silentUnit());
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Read error!");
    EXPECT_TRUE(display.statusVisible);
}

TEST_F(LinkSessionTest, CommandDuringATransferTakesOver)
{
    copyUnitIntoImage();
    session.read();
    ASSERT_GE(stepUntil([&] { return session.currentCommand() == 0x45; }), 0);
    session.verify();
    EXPECT_EQ(session.mode(), LinkMode::Verify);
    EXPECT_EQ(session.currentCommand(), 0x41);
    ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    EXPECT_EQ(display.statusText, "Verify: OK");
}

TEST_F(LinkSessionTest, HiddenTransferMessageStaysHiddenUntilTheNextCommand)
{
    session.read();
    step();
    session.hideTransferMessage();
    for (int tick = 0; tick < 10; ++tick) {
        step();
        ASSERT_FALSE(display.statusVisible);
        ASSERT_FALSE(display.progressVisible);
    }
    session.verify();
    EXPECT_TRUE(display.statusVisible);
    EXPECT_TRUE(display.progressVisible);
}

} // namespace
} // namespace quorvel
