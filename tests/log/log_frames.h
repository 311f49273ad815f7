#pragma once

#include "core/link_frame.h"
#include "log/datalog.h"
#include "log/datalog_format.h"

#include <cstdint>
#include <vector>

namespace quorvel::test {

// A monitor frame of an engine at a given operating point, built field by field.
class LiveFrame {
public:
    LiveFrame()
    {
        m_frame[0] = kMonitorReply;
        m_frame[150] = kProgramVersion;
        m_frame[23] = 180;
        m_frame[24] = 125;
        jetShare(100);
    }
    LiveFrame& byte(int n, int value)
    {
        m_frame[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(value);
        return *this;
    }
    LiveFrame& word(int n, int value)
    {
        byte(n, value & 0xFF);
        return byte(n + 1, value >> 8);
    }
    LiveFrame& rpm(int value) { return word(48, value); }
    LiveFrame& throttleTenths(int value) { return word(138, value); }
    LiveFrame& iapKpa(int value) { return word(136, value); }
    LiveFrame& lambda(int millivolts) { return word(58, millivolts); }
    LiveFrame& jetShare(int percent) { return byte(26, percent); }
    LiveFrame& ignitionLimiter() { return byte(2, m_frame[2] | 0x04); }

    [[nodiscard]] LinkFrame sealed() const
    {
        LinkFrame frame = m_frame;
        sealFrame(frame);
        return frame;
    }

private:
    LinkFrame m_frame{};
};

// A log held in memory, one row per frame; its numeric columns are left empty, since what is
// computed from a log reads its frames.
class LogBuilder {
public:
    LogBuilder& row(std::uint32_t timeMs, const LiveFrame& frame)
    {
        m_log.appendRow(timeMs, {}, frame.sealed());
        return *this;
    }
    // `count` rows of the same frame, `intervalMs` apart, from `fromMs`.
    LogBuilder& rows(std::uint32_t fromMs, int count, std::uint32_t intervalMs, const LiveFrame& frame)
    {
        for (int i = 0; i < count; ++i)
            row(fromMs + static_cast<std::uint32_t>(i) * intervalMs, frame);
        return *this;
    }
    [[nodiscard]] const Datalog& log() const { return m_log; }

private:
    Datalog m_log;
};

} // namespace quorvel::test
