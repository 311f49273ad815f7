#pragma once

#include "core/serial_line.h"

#include <QSerialPort>

namespace quorvel {

// The serial line on a real device (a USB adapter, a built-in port, a pseudo-terminal) through
// QSerialPort. It works with or without a running event loop: each poll pulls in what the
// system has received, so the tick alone drives it. A device that hangs up (an adapter pulled
// out, the far end of a terminal gone) is closed at once: left open, it would report readable
// without end and hold a core busy until the watchdog reopens it.
class QtSerialLine final : public SerialLine {
public:
    static constexpr qint32 kBaudRate = 57600;
    static constexpr qint64 kInputQueueSize = 10000;

    QtSerialLine();
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
    void errorOccurred(QSerialPort::SerialPortError error);
    [[nodiscard]] bool hungUp() const;

    QSerialPort m_port;
    bool m_hungUp = false;
    OpenFailure m_failure = OpenFailure::None;
};

// What a failed open of QSerialPort means: Qt reports a device held by another program and one
// the user may not open with the same error; `mayOpen` (the user has read and write access to
// the device) tells them apart.
[[nodiscard]] OpenFailure openFailureOf(QSerialPort::SerialPortError error, bool mayOpen);

} // namespace quorvel
