#pragma once

#include "core/link_frame.h"
#include "log/datalog.h"
#include "log/datalog_format.h"
#include "monitor_frame_builder.h"

#include <cstdint>
#include <vector>

namespace quorvel::test {

// A monitor frame of an engine at a given operating point, built field by field.
class LiveFrame : public MonitorFrameBuilder<LiveFrame> {
public:
    LiveFrame() { jetShare(100); }
    LiveFrame& rpm(int value) { return word(48, value); }
    LiveFrame& throttleTenths(int value) { return word(138, value); }
    LiveFrame& iapKpa(int value) { return word(136, value); }
    LiveFrame& lambda(int millivolts) { return word(58, millivolts); }
    LiveFrame& jetShare(int percent) { return byte(26, percent); }
    LiveFrame& ignitionLimiter() { return bit(2, 2, true); }
    LiveFrame& tachoLine() { return bit(2, 1, true); }
    LiveFrame& injection1A(int hundredsOfUs) { return byte(14, hundredsOfUs); }
    LiveFrame& coolantCelsius(int celsius) { return byte(23, celsius + 100); }
    // Warm-up, air temperature, air pressure and start correction, 0.1 % each.
    LiveFrame& dosingCorrections(int tenths)
    {
        for (int at : {100, 102, 104, 106})
            word(at, tenths);
        return *this;
    }
};

// A frame live tuning counts: a warm engine at 3000 rpm and 20 % throttle (cell 4:2 of the log
// test image), the throttle maps dosing alone, cylinder 1 injected, every dosing correction at
// 100 %, the tacho/lambda line on lambda reading 450 mV.
inline LiveFrame tuningFrame()
{
    return LiveFrame().rpm(3000).throttleTenths(200).lambda(450).injection1A(20).dosingCorrections(1000);
}

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
