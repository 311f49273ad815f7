#pragma once

#include "core/monitor_sink.h"

namespace quorvel {

// A monitor sink that shows nothing: it accepts every monitor frame with a valid checksum and
// reports the unit's saving countdown. For drivers of the link without a monitor display.
class LinkOnlyMonitor final : public MonitorSink {
public:
    static constexpr int kSavingCountdownByte = 148;

    std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) override
    {
        if (!acceptMonitorReply(frame))
            return std::nullopt;
        return static_cast<std::uint16_t>(frame[kSavingCountdownByte] | (frame[kSavingCountdownByte + 1] << 8));
    }
};

} // namespace quorvel
