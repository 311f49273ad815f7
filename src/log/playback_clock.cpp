#include "log/playback_clock.h"

#include <algorithm>

namespace quorvel {

PlaybackClock::PlaybackClock(std::span<const std::uint32_t> timesMs)
    : m_times(timesMs)
    , m_positionMs(timesMs.empty() ? 0.0 : timesMs.front())
{
}

void PlaybackClock::play()
{
    if (m_times.empty())
        return;
    if (atEnd())
        scrubTo(m_times.front());
    m_playing = true;
}

void PlaybackClock::setSpeed(double speed)
{
    m_speed = std::clamp(speed, kSlowest, kFastest);
}

void PlaybackClock::scrubTo(std::uint32_t timeMs)
{
    if (m_times.empty())
        return;
    m_positionMs = std::clamp<double>(timeMs, m_times.front(), m_times.back());
    m_handedOut.reset();
}

std::uint32_t PlaybackClock::positionMs() const
{
    return static_cast<std::uint32_t>(m_positionMs);
}

bool PlaybackClock::atEnd() const
{
    return !m_times.empty() && m_positionMs >= m_times.back();
}

std::optional<std::size_t> PlaybackClock::currentRow() const
{
    if (m_times.empty())
        return std::nullopt;
    const auto after = std::ranges::upper_bound(m_times, positionMs());
    return static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - m_times.begin() - 1, 0));
}

std::optional<std::size_t> PlaybackClock::advance(std::chrono::milliseconds wall)
{
    if (m_times.empty())
        return std::nullopt;
    if (m_playing) {
        m_positionMs = std::min<double>(m_positionMs + static_cast<double>(wall.count()) * m_speed, m_times.back());
        if (atEnd())
            m_playing = false;
    }
    const auto row = currentRow();
    if (row == m_handedOut)
        return std::nullopt;
    m_handedOut = row;
    return row;
}

} // namespace quorvel
