#include "core/link_frame.h"
#include "core/sanitise.h"
#include "model/bike_defaults.h"
#include "sim/factory_memory.h"
#include "sim/virtual_unit.h"

#include <gtest/gtest.h>

namespace quorvel::sim {
namespace {

using namespace std::chrono_literals;

// Sends one request as the PC would and collects what the unit transmits within `wait`.
std::vector<std::uint8_t> sendRequest(VirtualUnit& unit, const LinkFrame& request, std::chrono::milliseconds wait = 0ms)
{
    unit.receive(request);
    unit.advance(wait);
    return unit.takeTransmitted();
}

LinkFrame asFrame(const std::vector<std::uint8_t>& bytes)
{
    LinkFrame frame{};
    EXPECT_EQ(bytes.size(), frame.size());
    std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
    return frame;
}

ParamImage patternedImage()
{
    ParamImage image = factoryMemory();
    for (int offset = 2750; offset < kImageSize; ++offset)
        image.setByte(offset, static_cast<std::uint8_t>(offset * 13));
    return image;
}

TEST(VirtualUnitRoundTrip, ReadOfHeaderReportsVersionSeventyOne)
{
    VirtualUnit unit;
    ParamImage pc;
    const LinkFrame reply = asFrame(sendRequest(unit, buildBlockFrame(pc, 0x40, LinkMode::Read)));
    ASSERT_TRUE(acceptLinkReply(reply, 0x40, LinkMode::Read));
    pc.storeHeader(std::span(reply).subspan<1, kBlockSize>());
    EXPECT_EQ(pc.byte(8), kProgramVersion);
    EXPECT_EQ(pc.headerTexts().version, "QRV07");
    EXPECT_EQ(pc.headerTexts().date, "15. 3.2007");
    EXPECT_EQ(pc.headerTexts().time, "10:30");
}

TEST(VirtualUnitRoundTrip, ProgramHeaderRequestIsAnsweredWithTheHeader)
{
    VirtualUnit unit;
    ParamImage pc;
    const LinkFrame reply = asFrame(sendRequest(unit, buildBlockFrame(pc, 0x00, LinkMode::Program)));
    ASSERT_TRUE(acceptLinkReply(reply, 0x00, LinkMode::Program));
    EXPECT_EQ(reply[1 + kHeaderVersionByte], kProgramVersion);
}

TEST(VirtualUnitRoundTrip, ProgramEchoesEveryBlockAndReadReturnsIt)
{
    VirtualUnit unit;
    const ParamImage pc = patternedImage();
    for (int b = 1; b < kBlockCount; ++b) {
        const auto command = static_cast<std::uint8_t>(b);
        const LinkFrame echo = asFrame(sendRequest(unit, buildBlockFrame(pc, command, LinkMode::Program)));
        ASSERT_TRUE(acceptLinkReply(echo, command, LinkMode::Program)) << b;
        ASSERT_TRUE(std::ranges::equal(std::span(echo).subspan(1, kBlockSize), pc.block(b))) << b;
    }

    ParamImage readBack;
    for (int b = 1; b < kBlockCount; ++b) {
        const auto command = static_cast<std::uint8_t>(0x40 + b);
        const LinkFrame reply = asFrame(sendRequest(unit, buildBlockFrame(readBack, command, LinkMode::Read)));
        ASSERT_TRUE(acceptLinkReply(reply, command, LinkMode::Read)) << b;
        readBack.storeBlock(b, std::span(reply).subspan<1, kBlockSize>());
    }
    EXPECT_TRUE(std::ranges::equal(readBack.bytes().subspan(150), pc.bytes().subspan(150)));
    EXPECT_EQ(unit.programmingCount(), 1);
}

TEST(VirtualUnitRoundTrip, VerifyReturnsWhatTheUnitHoldsNotWhatWasSent)
{
    VirtualUnit unit;
    ParamImage pc = unit.memory();
    pc.setByte(900, static_cast<std::uint8_t>(pc.byte(900) + 1));
    const LinkFrame reply = asFrame(sendRequest(unit, buildBlockFrame(pc, 0x46, LinkMode::Verify)));
    ASSERT_TRUE(acceptLinkReply(reply, 0x46, LinkMode::Verify));
    EXPECT_EQ(reply[1], unit.memory().byte(900));
    EXPECT_NE(reply[1], pc.byte(900));
}

TEST(VirtualUnitRoundTrip, MonitorRequestGetsALiveFrameWithTheVersion)
{
    VirtualUnit unit;
    unit.advance(1000ms);
    const LinkFrame reply = asFrame(sendRequest(unit, buildMonitorRequest()));
    ASSERT_TRUE(acceptMonitorReply(reply));
    EXPECT_EQ(reply[150], kProgramVersion);
    const int rpm = reply[48] | (reply[49] << 8);
    EXPECT_EQ(rpm, unit.operatingPoint().rpm);
    EXPECT_GT(rpm, 0);
}

TEST(VirtualUnitRoundTrip, InvalidOrUnknownRequestsAreIgnored)
{
    VirtualUnit unit;
    LinkFrame corrupt = buildMonitorRequest();
    corrupt[151] ^= 1;
    EXPECT_TRUE(sendRequest(unit, corrupt).empty());

    LinkFrame block20{};
    block20[0] = 0x54;
    sealFrame(block20);
    EXPECT_TRUE(sendRequest(unit, block20).empty());

    LinkFrame fromUnit{};
    fromUnit[0] = 0xC1;
    sealFrame(fromUnit);
    EXPECT_TRUE(sendRequest(unit, fromUnit).empty());
}

TEST(VirtualUnitFraming, RequestSplitAcrossWritesIsAnsweredOnce)
{
    VirtualUnit unit;
    const LinkFrame request = buildMonitorRequest();
    unit.receive(std::span(request).first(100));
    unit.advance(5ms);
    EXPECT_TRUE(unit.takeTransmitted().empty());
    unit.receive(std::span(request).subspan(100));
    EXPECT_EQ(unit.takeTransmitted().size(), 152U);
}

TEST(VirtualUnitFraming, NoiseBeforeAPauseDoesNotShiftTheNextRequest)
{
    VirtualUnit unit;
    const std::array<std::uint8_t, 3> noise = {0x11, 0x22, 0x33};
    unit.receive(noise);
    unit.advance(VirtualUnit::kFrameGapReset + 1ms);
    const LinkFrame reply = asFrame(sendRequest(unit, buildMonitorRequest()));
    EXPECT_TRUE(acceptMonitorReply(reply));
}

TEST(VirtualUnitSaving, CountdownRunsDownFromFullScaleAfterProgramming)
{
    VirtualUnit unit;
    EXPECT_EQ(unit.savingCountdown(), 0);
    (void)sendRequest(unit, buildBlockFrame(unit.memory(), 0x01, LinkMode::Program));
    EXPECT_EQ(unit.savingCountdown(), VirtualUnit::kSavingFullScale);
    unit.advance(1000ms);
    const LinkFrame monitor = asFrame(sendRequest(unit, buildMonitorRequest()));
    const int countdown = monitor[148] | (monitor[149] << 8);
    EXPECT_EQ(countdown, VirtualUnit::kSavingFullScale - 1000);
    unit.advance(10s);
    EXPECT_EQ(unit.savingCountdown(), 0);
}

TEST(VirtualUnitSaving, EachProgrammingSessionCountsOnce)
{
    VirtualUnit unit;
    for (int session = 0; session < 3; ++session) {
        for (int b = 1; b < kBlockCount; ++b) {
            (void)sendRequest(unit, buildBlockFrame(unit.memory(), static_cast<std::uint8_t>(b), LinkMode::Program),
                              55ms);
        }
        unit.advance(10s);
    }
    EXPECT_EQ(unit.programmingCount(), 3);
}

TEST(VirtualUnitFaults, SilentUnitNeverAnswers)
{
    FaultPlan faults;
    faults.silent = true;
    VirtualUnit unit(faults);
    EXPECT_TRUE(sendRequest(unit, buildMonitorRequest(), 1s).empty());
}

TEST(VirtualUnitFaults, LateReplyArrivesOnlyAfterItsDelay)
{
    FaultPlan faults;
    faults.replyDelay = 330ms;
    VirtualUnit unit(faults);
    EXPECT_TRUE(sendRequest(unit, buildMonitorRequest(), 329ms).empty());
    unit.advance(1ms);
    EXPECT_EQ(unit.takeTransmitted().size(), 152U);
}

TEST(VirtualUnitFaults, EveryNthReplyHasAWrongChecksum)
{
    FaultPlan faults;
    faults.corruptEveryNth = 3;
    VirtualUnit unit(faults);
    std::vector<bool> valid;
    for (int i = 0; i < 6; ++i)
        valid.push_back(frameIsValid(asFrame(sendRequest(unit, buildMonitorRequest()))));
    EXPECT_EQ(valid, (std::vector<bool>{true, true, false, true, true, false}));
}

TEST(VirtualUnitFaults, OtherVersionShowsInHeaderAndMonitor)
{
    FaultPlan faults;
    faults.version = 70;
    VirtualUnit unit(faults);
    ParamImage pc;
    EXPECT_EQ(asFrame(sendRequest(unit, buildBlockFrame(pc, 0x40, LinkMode::Read)))[1 + kHeaderVersionByte], 70);
    EXPECT_EQ(asFrame(sendRequest(unit, buildMonitorRequest()))[150], 70);
}

TEST(VirtualUnitFaults, DifferingBlockIsValidButNotWhatWasProgrammed)
{
    FaultPlan faults;
    faults.differingBlock = 3;
    VirtualUnit unit(faults);
    const ParamImage pc = patternedImage();
    const LinkFrame echo = asFrame(sendRequest(unit, buildBlockFrame(pc, 0x03, LinkMode::Program)));
    EXPECT_TRUE(acceptLinkReply(echo, 0x03, LinkMode::Program));
    EXPECT_FALSE(std::ranges::equal(std::span(echo).subspan(1, kBlockSize), pc.block(3)));
    const LinkFrame other = asFrame(sendRequest(unit, buildBlockFrame(pc, 0x04, LinkMode::Program)));
    EXPECT_TRUE(std::ranges::equal(std::span(other).subspan(1, kBlockSize), pc.block(4)));
}

TEST(VirtualUnitFaults, NoiseComesBeforeEveryNthReplyWhichStaysIntactBehindIt)
{
    FaultPlan faults;
    faults.noiseEveryNth = 2;
    faults.noiseBytes = 7;
    VirtualUnit unit(faults);
    EXPECT_EQ(sendRequest(unit, buildMonitorRequest()).size(), 152U);
    const auto noisy = sendRequest(unit, buildMonitorRequest());
    ASSERT_EQ(noisy.size(), 159U);
    EXPECT_TRUE(acceptMonitorReply(FrameBytes(noisy.data() + 7, kFrameSize)));
    EXPECT_FALSE(acceptMonitorReply(FrameBytes(noisy.data(), kFrameSize)));
}

TEST(VirtualUnitFaults, BrownOutIgnoresRequestsForItsTimeThenAnswersWithMemoryIntact)
{
    FaultPlan faults;
    faults.dropoutAfter = 2;
    faults.dropoutFor = 500ms;
    VirtualUnit unit(faults);
    const ParamImage pc = patternedImage();
    EXPECT_FALSE(sendRequest(unit, buildMonitorRequest(), 100ms).empty());
    EXPECT_FALSE(sendRequest(unit, buildMonitorRequest(), 100ms).empty());
    // Gone for 500 ms from the first request after the second reply: nothing stored, no answer.
    EXPECT_TRUE(sendRequest(unit, buildBlockFrame(pc, 0x13, LinkMode::Program), 300ms).empty());
    EXPECT_TRUE(sendRequest(unit, buildMonitorRequest(), 250ms).empty());
    EXPECT_NE(unit.memory().byte(2850), pc.byte(2850));
    EXPECT_EQ(unit.replyCount(), 2);
    EXPECT_EQ(sendRequest(unit, buildBlockFrame(pc, 0x13, LinkMode::Program)).size(), 152U);
    EXPECT_EQ(unit.memory().byte(2850), pc.byte(2850));
}

TEST(VirtualUnitReplay, RequestsGetTheRecordedFrameNearestTheReplayTimeFromTheFirstRequestOn)
{
    std::vector<LinkFrame> frames(3);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i][0] = kMonitorReply;
        frames[i][48] = static_cast<std::uint8_t>(10 + i);
        sealFrame(frames[i]);
    }
    VirtualUnit unit;
    unit.advance(5s); // the ride starts with the first request, not with the unit
    unit.replayRide(FrameReplay({1000, 1330, 1660}, frames));
    std::vector<int> rpmBytes;
    // Replay times 1000, 1165 (as near to both rows: the earlier), 1166, 1496, then long after.
    for (std::chrono::milliseconds wait : {0ms, 165ms, 1ms, 330ms, 5000ms}) {
        unit.advance(wait);
        rpmBytes.push_back(asFrame(sendRequest(unit, buildMonitorRequest()))[48]);
    }
    EXPECT_EQ(rpmBytes, (std::vector<int>{10, 10, 11, 12, 12}));
    // The rest of the unit still answers from its memory.
    EXPECT_EQ(asFrame(sendRequest(unit, buildBlockFrame(ParamImage{}, 0x41, LinkMode::Read)))[0], 0xC1);
}

TEST(VirtualUnitMemory, FactoryMemoryIsTheProgramsOwnSetOfBike11)
{
    ParamImage image = factoryMemory();
    const ParamImage before = image;
    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    EXPECT_TRUE(std::ranges::equal(before.bytes(), image.bytes())) << "already sanitised";

    ParamImage defaults;
    InjectionTables tables;
    defaults.setByte(150, 11);
    applyDefaults(defaults, tables, DefaultsRun{});
    (void)sanitiseImage(defaults, settings);
    EXPECT_TRUE(std::ranges::equal(image.bytes().subspan(kBlockSize), defaults.bytes().subspan(kBlockSize)));
    // The bike's derived fields are there: no limiter of 0 rpm, no engine of 0 cylinders.
    EXPECT_EQ(image.byte(406), 4);
    EXPECT_GT(image.byte(179), 0);
}

TEST(EngineModelLive, MonitorValuesComeFromTheUnitsMapsAndWarmUp)
{
    VirtualUnit unit;
    ParamImage twin = factoryMemory();
    twin.setByte(406, 2);
    unit.loadMemory(twin);
    unit.advance(9s); // full throttle part of the cycle
    const LinkFrame hot = asFrame(sendRequest(unit, buildMonitorRequest()));
    EXPECT_EQ((hot[138] | (hot[139] << 8)), 1000);
    EXPECT_GT(hot[14], 0); // injection time of cylinder 1
    EXPECT_EQ(hot[16], 0); // cylinder 3 is not fitted
    EXPECT_GT(hot[10], 0);

    unit.advance(10min);
    const LinkFrame warm = asFrame(sendRequest(unit, buildMonitorRequest()));
    EXPECT_GT(warm[23], hot[23]);
    EXPECT_LE(warm[23], 200);
}

} // namespace
} // namespace quorvel::sim
