#include "sim/virtual_unit.h"

#include "sim/factory_memory.h"

#include <algorithm>
#include <utility>

namespace quorvel::sim {
namespace {

// Program frames further apart than this belong to separate programming sessions.
constexpr std::chrono::milliseconds kProgrammingSessionGap{2000};

} // namespace

VirtualUnit::VirtualUnit(FaultPlan faults)
    : m_faults(faults)
    , m_memory(factoryMemory(faults.version))
{
}

void VirtualUnit::loadMemory(const ParamImage& image)
{
    for (int b = 1; b < kBlockCount; ++b)
        m_memory.storeBlock(b, image.block(b));
}

void VirtualUnit::receive(std::span<const std::uint8_t> bytes)
{
    const std::chrono::milliseconds now = m_engine.time();
    if (!m_request.empty() && now - m_lastByteTime > kFrameGapReset)
        m_request.clear();
    m_lastByteTime = now;

    for (std::uint8_t byte : bytes) {
        m_request.push_back(byte);
        if (m_request.size() < static_cast<std::size_t>(kFrameSize))
            continue;
        if (droppedOut(now)) {
            m_request.clear();
            continue;
        }
        const auto reply = answer(FrameBytes(m_request.data(), kFrameSize));
        m_request.clear();
        if (!reply || m_faults.silent)
            continue;
        m_replies.push_back({now + m_faults.replyDelay, applyReplyFaults(*reply)});
    }
    advance(std::chrono::milliseconds{0});
}

void VirtualUnit::advance(std::chrono::milliseconds elapsed)
{
    m_engine.advance(elapsed);
    while (!m_replies.empty() && m_replies.front().due <= m_engine.time()) {
        const std::vector<std::uint8_t>& bytes = m_replies.front().bytes;
        m_transmitted.insert(m_transmitted.end(), bytes.begin(), bytes.end());
        m_replies.pop_front();
    }
}

std::vector<std::uint8_t> VirtualUnit::takeTransmitted()
{
    return std::exchange(m_transmitted, {});
}

std::uint16_t VirtualUnit::savingCountdown() const
{
    if (!m_savingStarted)
        return 0;
    const auto elapsed = (m_engine.time() - *m_savingStarted).count();
    return static_cast<std::uint16_t>(std::max<long long>(0, kSavingFullScale - elapsed));
}

std::optional<LinkFrame> VirtualUnit::answer(FrameBytes request)
{
    if (!frameIsValid(request))
        return std::nullopt;
    const std::uint8_t command = request[0];
    if (command == kMonitorRequest)
        return monitorReply();
    const int block = blockOf(command);
    if (block >= kBlockCount || (command & ~(kBlockMask | kReadFlag)) != 0)
        return std::nullopt;

    const bool programming = (command & kReadFlag) == 0;
    if (programming && block != 0)
        storeProgrammed(block, request);
    return block == 0 ? headerReply(command) : blockReply(command, block);
}

void VirtualUnit::storeProgrammed(int block, FrameBytes request)
{
    const std::chrono::milliseconds now = m_engine.time();
    if (now - m_lastProgramTime > kProgrammingSessionGap)
        ++m_programmingCount;
    m_lastProgramTime = now;
    m_savingStarted = now;
    m_memory.storeBlock(block, request.subspan<1, kBlockSize>());
}

LinkFrame VirtualUnit::headerReply(std::uint8_t command) const
{
    LinkFrame frame{};
    frame[0] = command ^ kReplyFlag;
    const auto header = factoryHeader(m_faults.version);
    std::ranges::copy(header, frame.begin() + 1);
    sealFrame(frame);
    return frame;
}

LinkFrame VirtualUnit::blockReply(std::uint8_t command, int block) const
{
    LinkFrame frame{};
    frame[0] = command ^ kReplyFlag;
    std::ranges::copy(m_memory.block(block), frame.begin() + 1);
    sealFrame(frame);
    return frame;
}

LinkFrame VirtualUnit::monitorReply()
{
    if (m_ride)
        return m_ride->frameAt(m_engine.time());
    LinkFrame frame{};
    frame[0] = kMonitorReply;
    m_engine.fillMonitor(frame, m_memory, m_programmingCount, savingCountdown(), m_faults.version);
    sealFrame(frame);
    return frame;
}

std::vector<std::uint8_t> VirtualUnit::applyReplyFaults(LinkFrame reply)
{
    const int block = blockOf(reply[0]);
    if (m_faults.differingBlock && reply[0] != kMonitorReply && block == *m_faults.differingBlock) {
        reply[1] ^= 0xFFU;
        sealFrame(reply);
    }
    ++m_replyCount;
    if (m_faults.corruptEveryNth > 0 && m_replyCount % m_faults.corruptEveryNth == 0)
        reply[kChecksumIndex] ^= 0x55U;

    std::vector<std::uint8_t> bytes;
    if (m_faults.noiseEveryNth > 0 && m_replyCount % m_faults.noiseEveryNth == 0) {
        for (int i = 0; i < m_faults.noiseBytes; ++i) {
            // A fixed xorshift sequence: rubbish, but the same in every run.
            m_noiseSeed ^= m_noiseSeed << 13;
            m_noiseSeed ^= m_noiseSeed >> 17;
            m_noiseSeed ^= m_noiseSeed << 5;
            bytes.push_back(static_cast<std::uint8_t>(m_noiseSeed));
        }
    }
    bytes.insert(bytes.end(), reply.begin(), reply.end());
    return bytes;
}

bool VirtualUnit::droppedOut(std::chrono::milliseconds now)
{
    if (m_faults.dropoutAfter <= 0)
        return false;
    if (!m_dropoutStarted) {
        if (m_replyCount < m_faults.dropoutAfter)
            return false;
        m_dropoutStarted = now;
    }
    return now - *m_dropoutStarted < m_faults.dropoutFor;
}

} // namespace quorvel::sim
