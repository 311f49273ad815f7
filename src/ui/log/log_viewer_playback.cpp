// The playback of the log viewer: the window's tick moves the clock, and each frame that becomes
// due is handed to the frame handler; the cursor and the shown window follow the position.
#include "ui/log/log_viewer.h"

#include "log/datalog.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {

void LogViewer::tick(std::chrono::milliseconds elapsed)
{
    if (!m_clock)
        return;
    const bool wasPlaying = m_clock->playing();
    handOutDue(elapsed);
    if (wasPlaying != m_clock->playing())
        updateEnabled();
}

void LogViewer::handOutDue(std::chrono::milliseconds elapsed)
{
    const auto row = m_clock->advance(elapsed);
    if (!row)
        return;
    if (m_frameHandler)
        m_frameHandler(m_log->frame(*row));
    if (m_clock->playing()) {
        const double before = m_window.fromMs();
        m_window.follow(m_clock->positionMs());
        if (m_window.fromMs() != before)
            redraw();
    }
    showPosition();
}

void LogViewer::play()
{
    if (!m_clock)
        return;
    m_clock->play();
    updateEnabled();
}

void LogViewer::pause()
{
    if (!m_clock)
        return;
    m_clock->pause();
    updateEnabled();
}

void LogViewer::moveTo(double timeMs)
{
    if (!m_clock || m_log->empty())
        return;
    const double limited = std::clamp(std::round(timeMs), 0.0, double{std::numeric_limits<std::uint32_t>::max()});
    m_clock->scrubTo(static_cast<std::uint32_t>(limited));
    handOutDue(std::chrono::milliseconds(0));
    showPosition();
}

std::optional<std::chrono::milliseconds> LogViewer::playbackPosition() const
{
    if (!playing())
        return std::nullopt;
    return std::chrono::milliseconds(m_clock->positionMs() - m_log->timesMs().front());
}

std::optional<std::uint32_t> LogViewer::positionMs() const
{
    if (!m_clock || m_log->empty())
        return std::nullopt;
    return m_clock->positionMs();
}

} // namespace quorvel
