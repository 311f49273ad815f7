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
    [[nodiscard]] OpenFailure lastOpenFailure() const override { return m_failure; }
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    [[nodiscard]] std::size_t bytesWaiting() override;
    [[nodiscard]] std::size_t read(std::span<std::uint8_t> buffer) override;
    void writeFrame(FrameBytes frame) override;

private:
    QSerialPort m_port;
    OpenFailure m_failure = OpenFailure::None;
};

// What a failed open of QSerialPort means: Qt reports a device held by another program and one
// the user may not open with the same error; `mayOpen` (the user has read and write access to
// the device) tells them apart.
[[nodiscard]] OpenFailure openFailureOf(QSerialPort::SerialPortError error, bool mayOpen);

} // namespace quorvel
