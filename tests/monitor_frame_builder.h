#pragma once

#include "core/link_frame.h"

#include <cstdint>

namespace quorvel::test {

// A monitor reply of the current program version, built byte by byte; `Derived` adds the
// engine's quantities by name and keeps the chain of calls in its own type.
template <class Derived> class MonitorFrameBuilder {
public:
    MonitorFrameBuilder()
    {
        m_frame[0] = kMonitorReply;
        m_frame[150] = kProgramVersion;
        m_frame[23] = 180; // coolant 80 degrees
        m_frame[24] = 125;
    }
    Derived& byte(int n, int value)
    {
        m_frame[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(value);
        return static_cast<Derived&>(*this);
    }
    Derived& word(int n, int value)
    {
        byte(n, value & 0xFF);
        return byte(n + 1, value >> 8);
    }
    Derived& bit(int n, int bitIndex, bool on)
    {
        const auto mask = static_cast<std::uint8_t>(1U << bitIndex);
        const std::uint8_t old = m_frame[static_cast<std::size_t>(n)];
        return byte(n, on ? (old | mask) : (old & ~mask));
    }
    [[nodiscard]] LinkFrame sealed() const
    {
        LinkFrame frame = m_frame;
        sealFrame(frame);
        return frame;
    }

private:
    LinkFrame m_frame{};
};

} // namespace quorvel::test
