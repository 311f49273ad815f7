#include "serial/qt_serial_line.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QString>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace quorvel {
namespace {

// A frame takes 26.4 ms on the wire; a second means the line is stuck.
constexpr int kWriteTimeoutMs = 1000;

bool userMayOpen(const QString& systemLocation)
{
#if defined(Q_OS_UNIX)
    return ::access(QFile::encodeName(systemLocation).constData(), R_OK | W_OK) == 0;
#else
    (void)systemLocation;
    return true;
#endif
}

} // namespace

QtSerialLine::QtSerialLine()
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { errorOccurred(error); });
}

void QtSerialLine::errorOccurred(QSerialPort::SerialPortError error)
{
    if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) || !hungUp())
        return;
    m_hungUp = true;
    // Not closed inside the port's own notification: right after it, or at the next poll where
    // no event loop runs. A reopen in between clears the mark and keeps its port.
    QMetaObject::invokeMethod(
        &m_port,
        [this] {
            if (m_hungUp)
                close();
        },
        Qt::QueuedConnection);
}

bool QtSerialLine::hungUp() const
{
#if defined(Q_OS_UNIX)
    pollfd device{static_cast<int>(m_port.handle()), POLLIN, 0};
    return ::poll(&device, 1, 0) > 0 && (device.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    // Windows reports a device that went away as a resource error and nothing else.
    return m_port.error() == QSerialPort::ResourceError;
#endif
}

OpenFailure openFailureOf(QSerialPort::SerialPortError error, bool mayOpen)
{
    switch (error) {
    case QSerialPort::NoError:
        return OpenFailure::None;
    case QSerialPort::DeviceNotFoundError:
        return OpenFailure::Missing;
    case QSerialPort::PermissionError:
        return mayOpen ? OpenFailure::Busy : OpenFailure::Denied;
    default:
        return OpenFailure::Other;
    }
}

bool QtSerialLine::open(const std::string& deviceName)
{
    close();
    m_hungUp = false;
    // A name with a directory is used as the device path itself, so a pty or any
    // /dev entry can be opened as well as the platform's port names.
    m_port.setPortName(QString::fromStdString(deviceName));
    m_port.setReadBufferSize(kInputQueueSize);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_failure = openFailureOf(m_port.error(), userMayOpen(QSerialPortInfo(m_port).systemLocation()));
        return false;
    }
    m_failure = OpenFailure::None;
    // Configuration failures are not fatal: a badly set line shows up as silence.
    m_port.setBaudRate(kBaudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.clear(QSerialPort::AllDirections);
    return true;
}

void QtSerialLine::close()
{
    m_hungUp = false;
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialLine::isOpen() const
{
    return m_port.isOpen();
}

std::size_t QtSerialLine::bytesWaiting()
{
    if (!m_port.isOpen())
        return 0;
    m_port.clearError();
    // Without an event loop nothing moves the system's bytes into the port's buffer; a wait of
    // zero does so without blocking the tick.
    m_port.waitForReadyRead(0);
    if (m_hungUp) {
        close();
        return 0;
    }
    return static_cast<std::size_t>(m_port.bytesAvailable());
}

std::size_t QtSerialLine::read(std::span<std::uint8_t> buffer)
{
    if (!m_port.isOpen())
        return 0;
    const qint64 got = m_port.read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

void QtSerialLine::writeFrame(FrameBytes frame)
{
    if (!m_port.isOpen())
        return;
    m_port.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(kWriteTimeoutMs))
            return;
    }
    // The bytes are with the driver now; wait until they have left the transmit buffer too.
#if defined(Q_OS_WIN)
    FlushFileBuffers(m_port.handle());
#elif defined(Q_OS_UNIX)
    ::tcdrain(m_port.handle());
#endif
}

} // namespace quorvel
