#pragma once

#include "sim/virtual_unit.h"

#include <atomic>
#include <chrono>
#include <string>

namespace quorvel::sim {

// Puts a virtual unit behind a pseudo-terminal, so that the configurator opens it like any
// serial device. The bridge keeps its own handle on the terminal side open, so a client may
// close and reopen the device as often as it likes.
class PtyBridge {
public:
    // At 57600 baud with 10 bits a byte, one 152-byte frame takes 26.4 ms on the wire.
    static constexpr double kBytesPerMillisecond = 5.76;

    PtyBridge(VirtualUnit& unit, bool lineTiming);
    ~PtyBridge();
    PtyBridge(const PtyBridge&) = delete;
    PtyBridge& operator=(const PtyBridge&) = delete;

    // Creates the pseudo-terminal; false with a reason in error() when the system refuses.
    [[nodiscard]] bool open();
    [[nodiscard]] const std::string& devicePath() const { return m_devicePath; }
    [[nodiscard]] const std::string& error() const { return m_error; }

    // Serves the unit until `stop` is set.
    void run(const std::atomic<bool>& stop);

private:
    void pump(std::chrono::milliseconds elapsed);

    VirtualUnit& m_unit;
    bool m_lineTiming;
    int m_master = -1;
    int m_terminal = -1;
    std::string m_devicePath;
    std::string m_error;
    std::vector<std::uint8_t> m_outgoing;
    double m_sendCredit = 0.0;
};

} // namespace quorvel::sim
