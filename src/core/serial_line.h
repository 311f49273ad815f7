#pragma once

#include "core/link_frame.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quorvel {

// Why the last open of a line failed, as far as the platform tells.
enum class OpenFailure : std::uint8_t {
    None,    // the last open succeeded
    Missing, // no such device
    Busy,    // another program holds it
    Denied,  // the user may not open it (on Linux: not in the group dialout)
    Other,
};

// The one serial device through which the PC talks to the unit, reduced to what the link needs.
// Every implementation opens the line at 57600 baud, 8 data bits, no parity, 1 stop bit and no
// flow control. Failures are not reported beyond the results below: a dead line shows up as
// silence, which the link's watchdog deals with.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    // Opens an existing device exclusively. A failed open leaves the line closed.
    [[nodiscard]] virtual bool open(const std::string& deviceName) = 0;
    // Why the last open failed; a line that cannot tell says Other.
    [[nodiscard]] virtual OpenFailure lastOpenFailure() const
    {
        return isOpen() ? OpenFailure::None : OpenFailure::Other;
    }
    // Aborts pending reads and releases the device; harmless when closed.
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;

    // Clears any line error and reports the bytes waiting in the input queue; 0 when closed.
    [[nodiscard]] virtual std::size_t bytesWaiting() = 0;
    // Reads at most buffer.size() bytes without waiting; returns how many were read.
    [[nodiscard]] virtual std::size_t read(std::span<std::uint8_t> buffer) = 0;
    // Writes one frame and returns only once its bytes have left the transmit buffer, so that a
    // reply can never be mistaken for an echo of a frame still being sent.
    virtual void writeFrame(FrameBytes frame) = 0;
};

} // namespace quorvel
