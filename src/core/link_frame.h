#pragma once

#include "core/param_image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace quorvel {

// Every exchange with the unit is one frame of 152 bytes: command, 150 payload bytes, checksum.
// The checksum is 255 XOR all other bytes, so the XOR of a whole valid frame starting from 255
// is 0. There is no start marker: a frame is only recognised at the first byte of a chunk.
inline constexpr int kFrameSize = kBlockSize + 2;
inline constexpr int kChecksumIndex = kFrameSize - 1;

using LinkFrame = std::array<std::uint8_t, kFrameSize>;
using FrameBytes = std::span<const std::uint8_t, kFrameSize>;

enum class LinkMode : std::uint16_t { Idle = 0, Program = 1, Verify = 2, Read = 3 };

// Command byte bits.
inline constexpr std::uint8_t kBlockMask = 0x3F;
inline constexpr std::uint8_t kReadFlag = 0x40;  // the unit returns the block it holds
inline constexpr std::uint8_t kReplyFlag = 0x80; // set in every frame the unit sends
inline constexpr std::uint8_t kMonitorRequest = 0x30;
inline constexpr std::uint8_t kMonitorReply = kMonitorRequest | kReplyFlag; // 0xB0

[[nodiscard]] constexpr int blockOf(std::uint8_t command)
{
    return command & kBlockMask;
}

// 255 XOR bytes 0..150.
[[nodiscard]] std::uint8_t frameChecksum(std::span<const std::uint8_t, kChecksumIndex> body);
// Writes the checksum byte of a frame whose other bytes are complete.
void sealFrame(LinkFrame& frame);

// The frame for `command` in `mode`: the image block as payload, except for Read requests and
// for block 0, whose payload is always zero (the header is never written to the unit).
[[nodiscard]] LinkFrame buildBlockFrame(const ParamImage& image, std::uint8_t command, LinkMode mode);
// 0x30, 150 zero bytes, 0xCF.
[[nodiscard]] LinkFrame buildMonitorRequest();

[[nodiscard]] bool frameIsValid(FrameBytes frame);
// A reply to the block request `command` while a transfer runs.
[[nodiscard]] bool acceptLinkReply(FrameBytes frame, std::uint8_t command, LinkMode mode);
[[nodiscard]] bool acceptMonitorReply(FrameBytes frame);

enum class FrameRoute : std::uint8_t { Monitor, Link };

struct RoutedFrame {
    FrameRoute route;
    FrameBytes frame;
};

// Only the first 152 bytes of a received chunk are looked at; the rest is discarded. A chunk
// shorter than a frame is not routed at all. Acceptance is left to the receiver.
[[nodiscard]] std::optional<RoutedFrame> routeReceivedChunk(std::span<const std::uint8_t> chunk);

} // namespace quorvel
