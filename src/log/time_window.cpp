#include "log/time_window.h"

#include <algorithm>
#include <utility>

namespace quorvel {

TimeWindow::TimeWindow(std::uint32_t firstMs, std::uint32_t lastMs)
    : m_first(firstMs)
    , m_last(std::max(firstMs, lastMs))
{
    showAll();
}

void TimeWindow::showAll()
{
    m_from = m_first;
    m_to = m_last;
}

void TimeWindow::show(double fromMs, double toMs)
{
    if (toMs < fromMs)
        std::swap(fromMs, toMs);
    const double narrowest = std::min(kNarrowestMs, m_last - m_first);
    if (toMs - fromMs < narrowest) {
        const double middle = (fromMs + toMs) / 2;
        fromMs = middle - narrowest / 2;
        toMs = middle + narrowest / 2;
    }
    place(fromMs, toMs);
}

void TimeWindow::zoom(double factor, double atFraction)
{
    if (!(factor > 0.0))
        return;
    const double at = timeAt(atFraction);
    show(at - (at - m_from) * factor, at + (m_to - at) * factor);
}

void TimeWindow::pan(double fraction)
{
    const double shift = fraction * (m_to - m_from);
    place(m_from + shift, m_to + shift);
}

void TimeWindow::follow(double timeMs)
{
    if (timeMs >= m_from && timeMs <= m_to)
        return;
    const double width = m_to - m_from;
    const double from = timeMs - kFollowLead * width;
    place(from, from + width);
}

double TimeWindow::timeAt(double fraction) const
{
    return m_from + fraction * (m_to - m_from);
}

double TimeWindow::fractionOf(double timeMs) const
{
    const double width = m_to - m_from;
    return width > 0.0 ? (timeMs - m_from) / width : 0.0;
}

void TimeWindow::place(double from, double to)
{
    const double width = std::min(to - from, m_last - m_first);
    from = std::clamp(from, m_first, m_last - width);
    m_from = from;
    m_to = from + width;
}

} // namespace quorvel
