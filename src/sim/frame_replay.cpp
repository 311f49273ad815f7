#include "sim/frame_replay.h"

#include <algorithm>
#include <cassert>

namespace quorvel::sim {

FrameReplay::FrameReplay(std::vector<std::uint32_t> timesMs, std::vector<LinkFrame> frames)
    : m_times(std::move(timesMs))
    , m_frames(std::move(frames))
{
    assert(!m_frames.empty() && m_frames.size() == m_times.size());
}

const LinkFrame& FrameReplay::frameAt(std::chrono::milliseconds unitTime)
{
    if (!m_start)
        m_start = unitTime;
    const auto replayTime = static_cast<std::uint64_t>((unitTime - *m_start).count()) + m_times.front();
    const auto later = std::lower_bound(m_times.begin(), m_times.end(), replayTime,
                                        [](std::uint32_t row, std::uint64_t time) { return row < time; });
    if (later == m_times.end())
        return m_frames.back();
    auto nearest = static_cast<std::size_t>(later - m_times.begin());
    if (nearest > 0 && replayTime - m_times[nearest - 1] <= *later - replayTime)
        --nearest;
    return m_frames[nearest];
}

} // namespace quorvel::sim
