#include "sim/in_process_line.h"

#include <algorithm>
#include <utility>

namespace quorvel::sim {

InProcessLine::Clock InProcessLine::steadyClock()
{
    return [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    };
}

InProcessLine::InProcessLine(VirtualUnit& unit, Clock clock)
    : m_unit(unit)
    , m_clock(std::move(clock))
    , m_lastRun(m_clock())
{
}

bool InProcessLine::open(const std::string& /*deviceName*/)
{
    runUnit();
    m_received.clear();
    m_open = true;
    return true;
}

void InProcessLine::close()
{
    m_open = false;
    m_received.clear();
}

std::size_t InProcessLine::bytesWaiting()
{
    runUnit();
    return m_received.size();
}

std::size_t InProcessLine::read(std::span<std::uint8_t> buffer)
{
    const std::size_t count = std::min(buffer.size(), m_received.size());
    std::copy_n(m_received.begin(), count, buffer.begin());
    m_received.erase(m_received.begin(), m_received.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

void InProcessLine::writeFrame(FrameBytes frame)
{
    if (!m_open)
        return;
    runUnit();
    m_unit.receive(frame);
}

void InProcessLine::runUnit()
{
    const std::chrono::milliseconds now = m_clock();
    if (now > m_lastRun)
        m_unit.advance(now - m_lastRun);
    m_lastRun = std::max(now, m_lastRun);
    // What the unit sends while the line is closed is lost, as on a real cable.
    const std::vector<std::uint8_t> sent = m_unit.takeTransmitted();
    if (m_open)
        m_received.insert(m_received.end(), sent.begin(), sent.end());
}

} // namespace quorvel::sim
