#pragma once

#include "core/serial_line.h"
#include "sim/in_process_line.h"

#include <memory>
#include <string_view>

namespace quorvel::sim {

// The device name under which the desktop program reaches its built-in virtual unit, as the Com
// menu's "Virtual unit" and --simulate open it.
inline constexpr std::string_view kVirtualUnitDevice = "virtual unit";

// The line of the desktop program: the device kVirtualUnitDevice is the virtual unit in the same
// process, every other device the real serial line. One of the two is open at a time.
class LineWithVirtualUnit final : public SerialLine {
public:
    LineWithVirtualUnit(std::unique_ptr<SerialLine> real, VirtualUnit& unit);

    [[nodiscard]] bool open(const std::string& deviceName) override;
    [[nodiscard]] OpenFailure lastOpenFailure() const override { return m_active->lastOpenFailure(); }
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_active->isOpen(); }
    [[nodiscard]] std::size_t bytesWaiting() override { return m_active->bytesWaiting(); }
    [[nodiscard]] std::size_t read(std::span<std::uint8_t> buffer) override { return m_active->read(buffer); }
    void writeFrame(FrameBytes frame) override { m_active->writeFrame(frame); }

private:
    std::unique_ptr<SerialLine> m_real;
    InProcessLine m_virtual;
    SerialLine* m_active = nullptr; // the line of the device last opened
};

} // namespace quorvel::sim
