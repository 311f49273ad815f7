#pragma once

#include "core/link_frame.h"

#include <cstdint>
#include <optional>

namespace quorvel {

// Where the link session hands every received frame whose byte 0 is 0xB0, in every link mode
// (the tick asks for one every 6 ticks while idle).
//
// The sink checks the frame itself (its checksum) and decodes it into the
// monitor display. Its answer tells the link what it needs of the frame:
//   - none: the frame was ignored; for the link it never arrived.
//   - the saving countdown (little-endian word at frame bytes 148..149): the frame was accepted.
//     The link then counts it as a sign of life (the watchdog's silence starts again) and shows
//     the unit's storing progress from the countdown.
// The frame is valid only during the call.
class MonitorSink {
public:
    virtual ~MonitorSink() = default;
    [[nodiscard]] virtual std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) = 0;
};

} // namespace quorvel
