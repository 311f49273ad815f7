#pragma once

#include "core/link_frame.h"
#include "log/datalog.h"
#include "log/datalog_format.h"
#include "monitor_frame_builder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quorvel::test {

// A monitor frame of an engine at a given operating point, built field by field: by default
// it injects 2 ms on every cylinder of bank A and no correction changes the maps' times.
class LiveFrame : public MonitorFrameBuilder<LiveFrame> {
public:
    static constexpr int kNoCorrection = 1000; // 100.0 %
    static constexpr std::array kInjectionCorrections = {100, 102, 104, 106, 114};

    LiveFrame()
    {
        jetShare(100);
        injection(20);
        for (int offset : kInjectionCorrections)
            word(offset, kNoCorrection);
    }
    // Bank A's injection times in 100 us; 0 is a fuel cut.
    LiveFrame& injection(int hundredsOfMicroseconds)
    {
        for (int cylinder = 0; cylinder < 4; ++cylinder)
            byte(14 + cylinder, hundredsOfMicroseconds);
        return *this;
    }
    LiveFrame& rpm(int value) { return word(48, value); }
    LiveFrame& throttleTenths(int value) { return word(138, value); }
    LiveFrame& iapKpa(int value) { return word(136, value); }
    LiveFrame& lambda(int millivolts) { return word(58, millivolts); }
    LiveFrame& jetShare(int percent) { return byte(26, percent); }
    LiveFrame& ignitionLimiter() { return bit(2, 2, true); }
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
