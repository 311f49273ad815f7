#include "core/link_frame.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace quorvel {

std::uint8_t frameChecksum(std::span<const std::uint8_t, kChecksumIndex> body)
{
    return std::accumulate(body.begin(), body.end(), std::uint8_t{0xFF}, std::bit_xor<std::uint8_t>());
}

void sealFrame(LinkFrame& frame)
{
    frame[kChecksumIndex] = frameChecksum(std::span<const std::uint8_t, kChecksumIndex>(frame.data(), kChecksumIndex));
}

LinkFrame buildBlockFrame(const ParamImage& image, std::uint8_t command, LinkMode mode)
{
    LinkFrame frame{};
    frame[0] = command;
    const int block = blockOf(command);
    if (mode != LinkMode::Read && block != 0 && block < kBlockCount)
        std::ranges::copy(image.block(block), frame.begin() + 1);
    sealFrame(frame);
    return frame;
}

LinkFrame buildMonitorRequest()
{
    LinkFrame frame{};
    frame[0] = kMonitorRequest;
    sealFrame(frame);
    return frame;
}

bool frameIsValid(FrameBytes frame)
{
    return frameChecksum(frame.first<kChecksumIndex>()) == frame[kChecksumIndex];
}

bool acceptLinkReply(FrameBytes frame, std::uint8_t command, LinkMode mode)
{
    return frameIsValid(frame) && blockOf(command) < kBlockCount && frame[0] == (command ^ kReplyFlag) &&
           mode != LinkMode::Idle;
}

bool acceptMonitorReply(FrameBytes frame)
{
    return frame[0] == kMonitorReply && frameIsValid(frame);
}

std::optional<RoutedFrame> routeReceivedChunk(std::span<const std::uint8_t> chunk)
{
    if (chunk.size() < static_cast<std::size_t>(kFrameSize))
        return std::nullopt;
    const FrameBytes frame = chunk.first<kFrameSize>();
    return RoutedFrame{frame[0] == kMonitorReply ? FrameRoute::Monitor : FrameRoute::Link, frame};
}

} // namespace quorvel
