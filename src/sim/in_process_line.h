#pragma once

#include "core/serial_line.h"
#include "sim/virtual_unit.h"

#include <chrono>
#include <functional>
#include <vector>

namespace quorvel::sim {

// A serial line to a virtual unit in the same process, for running the program without
// hardware. The unit's time follows the clock: every poll lets the unit run for the time that
// passed since the last one, so its engine moves at its real pace and replies arrive after
// their delay. Any device name opens it.
class InProcessLine final : public SerialLine {
public:
    using Clock = std::function<std::chrono::milliseconds()>;

    // The steady clock of the system, in milliseconds.
    [[nodiscard]] static Clock steadyClock();

    explicit InProcessLine(VirtualUnit& unit, Clock clock = steadyClock());

    [[nodiscard]] bool open(const std::string& deviceName) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    [[nodiscard]] std::size_t bytesWaiting() override;
    [[nodiscard]] std::size_t read(std::span<std::uint8_t> buffer) override;
    void writeFrame(FrameBytes frame) override;

private:
    void runUnit();

    VirtualUnit& m_unit;
    Clock m_clock;
    std::chrono::milliseconds m_lastRun{0};
    bool m_open = false;
    std::vector<std::uint8_t> m_received;
};

} // namespace quorvel::sim
