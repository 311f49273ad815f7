#pragma once

#include "sim/virtual_unit.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

namespace quorvel::sim {

// Puts a virtual unit behind a pseudo-terminal, so that the configurator opens it like any
// serial device. The bridge keeps its own handle on the terminal side open, so a client may
// close and reopen the device as often as it likes.
//
// With a stable link the bridge can also play an adapter that is pulled out and plugged in
// again (the unit's unplug fault): the terminal goes away, clients get a hang-up, and later a
// new terminal appears under the same link, as /dev/serial/by-id does for a USB adapter.
class PtyBridge {
public:
    // At 57600 baud with 10 bits a byte, one 152-byte frame takes 26.4 ms on the wire.
    static constexpr double kBytesPerMillisecond = 5.76;

    PtyBridge(VirtualUnit& unit, bool lineTiming);
    ~PtyBridge();
    PtyBridge(const PtyBridge&) = delete;
    PtyBridge& operator=(const PtyBridge&) = delete;

    // A path that always points at the current terminal; set before open(). The bridge takes
    // only a path where nothing is, or a link to a terminal that it left there itself (one an
    // earlier run that was killed left behind); anything else at the path is the user's and is
    // refused untouched. On its way out the bridge removes the link only while it is still the
    // one it made.
    void setStableLink(std::filesystem::path link) { m_stableLink = std::move(link); }
    // Creates the pseudo-terminal (and the stable link); false with a reason in error() when
    // the system refuses.
    [[nodiscard]] bool open();
    [[nodiscard]] const std::string& devicePath() const { return m_devicePath; }
    [[nodiscard]] const std::string& error() const { return m_error; }

    // Serves the unit until `stop` is set.
    void run(const std::atomic<bool>& stop);

private:
    void pump(std::chrono::milliseconds elapsed);
    void closeTerminal();
    // Points the stable link at the current terminal; false with a reason in m_error.
    [[nodiscard]] bool placeLink();
    void removeLink() const;
    // Serves the unplug fault once it falls due: away for its time, then a new terminal.
    void unplugWhenDue(const std::atomic<bool>& stop);

    VirtualUnit& m_unit;
    bool m_lineTiming;
    int m_master = -1;
    int m_terminal = -1;
    std::string m_devicePath;
    std::string m_error;
    std::filesystem::path m_stableLink;
    bool m_unplugged = false;
    std::vector<std::uint8_t> m_outgoing;
    double m_sendCredit = 0.0;
};

} // namespace quorvel::sim
