#pragma once

#include "core/serial_line.h"

#include <QSerialPort>

namespace quorvel {

// The serial line on a real device (a USB adapter, a built-in port, a pseudo-terminal) through
// QSerialPort. It works with or without a running event loop: each poll pulls in what the
// system has received, so the tick alone drives it.
class QtSerialLine final : public SerialLine {
public:
    static constexpr qint32 kBaudRate = 57600;
    static constexpr qint64 kInputQueueSize = 10000;

    QtSerialLine() = default;
    QtSerialLine(const QtSerialLine&) = delete;
    QtSerialLine& operator=(const QtSerialLine&) = delete;

    [[nodiscard]] bool open(const std::string& deviceName) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    [[nodiscard]] std::size_t bytesWaiting() override;
    [[nodiscard]] std::size_t read(std::span<std::uint8_t> buffer) override;
    void writeFrame(FrameBytes frame) override;

private:
    QSerialPort m_port;
};

} // namespace quorvel
