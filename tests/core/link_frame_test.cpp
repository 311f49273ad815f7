#include "core/link_frame.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

LinkFrame reply(std::uint8_t command, std::uint8_t fillByte = 0)
{
    LinkFrame frame{};
    frame[0] = command;
    std::fill(frame.begin() + 1, frame.begin() + 1 + kBlockSize, fillByte);
    sealFrame(frame);
    return frame;
}

bool payloadIsZero(const LinkFrame& frame)
{
    return std::all_of(frame.begin() + 1, frame.begin() + 1 + kBlockSize, [](std::uint8_t b) { return b == 0; });
}

// The exact bytes on the wire.
TEST(LinkFrameWire, FixedRequestsHaveTheirKnownBytes)
{
    const LinkFrame monitor = buildMonitorRequest();
    EXPECT_EQ(monitor[0], 0x30);
    EXPECT_TRUE(payloadIsZero(monitor));
    EXPECT_EQ(monitor[151], 0xCF);

    ParamImage image;
    const LinkFrame readHeader = buildBlockFrame(image, 0x40, LinkMode::Read);
    EXPECT_EQ(readHeader[0], 0x40);
    EXPECT_TRUE(payloadIsZero(readHeader));
    EXPECT_EQ(readHeader[151], 0xBF);

    const LinkFrame programZero = buildBlockFrame(image, 0x01, LinkMode::Program);
    EXPECT_EQ(programZero[151], 0xFE);
    for (int i = 150; i < 300; ++i)
        image.setByte(i, 1);
    const LinkFrame programOnes = buildBlockFrame(image, 0x01, LinkMode::Program);
    EXPECT_EQ(programOnes[1], 1);
    EXPECT_EQ(programOnes[150], 1);
    EXPECT_EQ(programOnes[151], 0xFE); // an even count of equal bytes cancels out
}

TEST(LinkFrameBuild, VerifyCarriesTheImageBlock)
{
    ParamImage image;
    for (int i = 0; i < kBlockSize; ++i)
        image.setByte(750 + i, static_cast<std::uint8_t>(i * 3));
    const LinkFrame frame = buildBlockFrame(image, 0x45, LinkMode::Verify);
    EXPECT_EQ(frame[0], 0x45);
    for (int i = 0; i < kBlockSize; ++i)
        ASSERT_EQ(frame[static_cast<std::size_t>(1 + i)], image.byte(750 + i));
    EXPECT_TRUE(frameIsValid(frame));
}

TEST(LinkFrameBuild, HeaderIsNeverSentAndReadsCarryNoPayload)
{
    ParamImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.setByte(i, 0x5A);
    EXPECT_TRUE(payloadIsZero(buildBlockFrame(image, 0x00, LinkMode::Program)));
    EXPECT_TRUE(payloadIsZero(buildBlockFrame(image, 0x40, LinkMode::Verify)));
    EXPECT_TRUE(payloadIsZero(buildBlockFrame(image, 0x47, LinkMode::Read)));
    EXPECT_FALSE(payloadIsZero(buildBlockFrame(image, 0x47, LinkMode::Verify)));
}

TEST(LinkFrameCheck, AnySingleBitFlipInvalidatesTheFrame)
{
    ParamImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7));
    const LinkFrame frame = buildBlockFrame(image, 0x07, LinkMode::Program);
    ASSERT_TRUE(frameIsValid(frame));
    for (std::size_t byte = 0; byte < frame.size(); ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            LinkFrame broken = frame;
            broken[byte] ^= static_cast<std::uint8_t>(1U << bit);
            ASSERT_FALSE(frameIsValid(broken)) << "byte " << byte << " bit " << bit;
        }
    }
}

TEST(LinkFrameCheck, ChecksumWithoutTheInitialTwoFiftyFiveIsRejected)
{
    LinkFrame frame = reply(0xC3, 9);
    frame[151] ^= 0xFF;
    EXPECT_FALSE(frameIsValid(frame));
}

TEST(LinkFrameAccept, ReplyMustAnswerTheCurrentCommandWhileATransferRuns)
{
    EXPECT_TRUE(acceptLinkReply(reply(0xC5), 0x45, LinkMode::Verify));
    EXPECT_TRUE(acceptLinkReply(reply(0x85), 0x05, LinkMode::Program));
    EXPECT_TRUE(acceptLinkReply(reply(0xC0), 0x40, LinkMode::Read));
    EXPECT_TRUE(acceptLinkReply(reply(0xD3), 0x53, LinkMode::Read));

    EXPECT_FALSE(acceptLinkReply(reply(0x85), 0x45, LinkMode::Verify)); // program echo during verify
    EXPECT_FALSE(acceptLinkReply(reply(0xC6), 0x45, LinkMode::Verify)); // another block
    EXPECT_FALSE(acceptLinkReply(reply(0xC5), 0x45, LinkMode::Idle));   // nothing was asked
    EXPECT_FALSE(acceptLinkReply(reply(0xD4), 0x54, LinkMode::Read));   // block 20 does not exist
    LinkFrame corrupt = reply(0xC5);
    corrupt[151] ^= 1;
    EXPECT_FALSE(acceptLinkReply(corrupt, 0x45, LinkMode::Verify));
}

TEST(LinkFrameAccept, MonitorReplyNeedsItsCommandAndChecksum)
{
    EXPECT_TRUE(acceptMonitorReply(reply(0xB0, 3)));
    EXPECT_FALSE(acceptMonitorReply(reply(0x30)));
    LinkFrame corrupt = reply(0xB0);
    corrupt[40] ^= 0x10;
    EXPECT_FALSE(acceptMonitorReply(corrupt));
}

TEST(LinkFrameRoute, OnlyTheFirstFrameOfAChunkIsRouted)
{
    std::vector<std::uint8_t> chunk(200, 0);
    chunk[0] = 0xB0;
    chunk[152] = 0xC1;
    auto routed = routeReceivedChunk(chunk);
    ASSERT_TRUE(routed.has_value());
    EXPECT_EQ(routed->route, FrameRoute::Monitor);
    EXPECT_EQ(routed->frame.data(), chunk.data());

    chunk[0] = 0xC1;
    routed = routeReceivedChunk(chunk);
    ASSERT_TRUE(routed.has_value());
    EXPECT_EQ(routed->route, FrameRoute::Link);

    EXPECT_FALSE(routeReceivedChunk(std::span(chunk).first(151)).has_value());
}

} // namespace
} // namespace quorvel
