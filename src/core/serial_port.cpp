#include "core/serial_port.h"

#include <algorithm>

namespace quorvel {

SerialPort::SerialPort(SerialLine& line, const PortNaming& naming, const MessageTexts& texts, UserMessages& messages)
    : m_line(line)
    , m_naming(naming)
    , m_texts(texts)
    , m_messages(messages)
    , m_receiveBuffer(kReceiveBufferSize)
{
}

void SerialPort::setPortSelection(int selection)
{
    // Out of range reads as COM1, as the sanitising of the settings has it.
    m_portSelection = (selection >= 0 && selection < kMenuEntries) ? selection : 0;
}

void SerialPort::setAutoScanIndex(int index)
{
    m_autoScanIndex = (index >= 0 && index <= kLastAutoScanIndex) ? index : 0;
}

int SerialPort::comNumber() const
{
    return m_portSelection == kAutoSelection ? m_autoScanIndex + 1 : m_portSelection + 1;
}

std::string SerialPort::portName() const
{
    return "COM" + std::to_string(comNumber());
}

std::string SerialPort::menuCaption(int entry)
{
    return entry == kAutoSelection ? "Com Auto" : "Com " + std::to_string(entry + 1);
}

std::vector<std::string> SerialPort::menuCaptions() const
{
    const std::vector<std::string> devices = m_naming.devices(kAutoSelection);
    std::vector<std::string> captions;
    for (int entry = 0; entry < kMenuEntries; ++entry) {
        std::string caption = menuCaption(entry);
        if (entry < static_cast<int>(devices.size())) {
            const std::string& device = devices[static_cast<std::size_t>(entry)];
            if (!device.empty() && device != "COM" + std::to_string(entry + 1))
                caption += "  (" + device + ")";
        }
        captions.push_back(std::move(caption));
    }
    return captions;
}

void SerialPort::openPort()
{
    std::string device = m_explicitDevice;
    std::string shownName = m_explicitDevice;
    bool named = true; // the platform knows a device by this name
    if (device.empty()) {
        // A port the platform does not have is still tried under its COM name, so that it
        // fails the way a missing device does.
        const std::string name = portName();
        device = m_naming.deviceFor(comNumber());
        shownName = (device.empty() || device == name) ? name : name + " (" + device + ")";
        named = !device.empty();
        if (!named)
            device = name;
    }
    m_labelText = "COM= " + shownName;

    if (m_line.open(device)) {
        m_lastFailure = {};
    } else {
        m_lastFailure = {device, named ? m_line.lastOpenFailure() : OpenFailure::Missing};
        if (m_portSelection == kAutoSelection)
            m_reopenTicks = kReopenAtOnce;
        else if (!m_reopenByWatchdog)
            m_messages.showMessage(m_texts.text(kTextComOpeningError));
    }
    m_checkedEntry = m_portSelection;
}

void SerialPort::closePort()
{
    m_line.close();
}

void SerialPort::selectPort(int entry)
{
    setPortSelection(entry);
    m_explicitDevice.clear();
    closePort();
    m_reopenByWatchdog = false;
    openPort();
}

void SerialPort::selectDevice(std::string devicePath)
{
    m_explicitDevice = std::move(devicePath);
    closePort();
    m_reopenByWatchdog = false;
    openPort();
}

std::span<const std::uint8_t> SerialPort::pollPort()
{
    const std::size_t waiting = m_line.bytesWaiting();
    if (waiting < kReadThreshold)
        return {};
    const std::size_t wanted = std::min(waiting, kReceiveBufferSize);
    const std::size_t got = m_line.read(std::span<std::uint8_t>(m_receiveBuffer.data(), wanted));
    return {m_receiveBuffer.data(), got};
}

void SerialPort::writeFrame(FrameBytes frame)
{
    m_line.writeFrame(frame);
}

void SerialPort::countDisconnectedTick()
{
    m_reopenTicks = static_cast<std::uint8_t>(m_reopenTicks + 1);
    if (m_reopenTicks < kReopenInterval)
        return;
    m_reopenTicks = 0;
    closePort();
    m_reopenByWatchdog = true;
    m_autoScanIndex = m_autoScanIndex >= kLastAutoScanIndex ? 0 : m_autoScanIndex + 1;
    openPort();
}

} // namespace quorvel
