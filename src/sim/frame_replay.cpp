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
    const auto after = std::upper_bound(m_times.begin(), m_times.end(), replayTime,
                                        [](std::uint64_t time, std::uint32_t row) { return time < row; });
    return m_frames[static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - m_times.begin() - 1, 0))];
}

} // namespace quorvel::sim
