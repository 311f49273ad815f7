#pragma once

#include "core/link_frame.h"
#include "core/message_texts.h"
#include "core/port_naming.h"
#include "core/serial_line.h"
#include "core/user_messages.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// A port that did not open: the device tried and why.
struct PortOpenFailure {
    std::string device;
    OpenFailure reason = OpenFailure::None;
};

// The choice, opening, polling and reopening of the one port to the unit. It knows nothing of
// frame contents: pollPort() hands back the chunk the link session dispatches.
class SerialPort {
public:
    static constexpr int kMenuEntries = 21;
    // PortSelection 0..19 is COM1..COM20; this entry scans the ports automatically.
    static constexpr int kAutoSelection = 20;
    // The scan tries COM1..COM21, one more than the menu offers.
    static constexpr int kLastAutoScanIndex = 20;
    // Fewer bytes than one frame are left queued until the rest has arrived.
    static constexpr std::size_t kReadThreshold = kFrameSize;
    static constexpr std::size_t kReceiveBufferSize = 15000;
    // Disconnected ticks between two reopens by the watchdog.
    static constexpr std::uint8_t kReopenInterval = 30;
    // Set after a failed open in automatic mode, so that the next disconnected tick moves on.
    static constexpr std::uint8_t kReopenAtOnce = 200;
    static constexpr int kTextComOpeningError = 25;

    SerialPort(SerialLine& line, const PortNaming& naming, const MessageTexts& texts, UserMessages& messages);

    [[nodiscard]] int portSelection() const { return m_portSelection; }
    // Restores the settings before the first open.
    void setPortSelection(int selection);
    [[nodiscard]] int autoScanIndex() const { return m_autoScanIndex; }
    void setAutoScanIndex(int index);
    [[nodiscard]] bool reopenByWatchdog() const { return m_reopenByWatchdog; }

    // A device path given on the command line or in the settings: it is opened instead of the
    // menu's choice until the user picks a menu entry.
    void setExplicitDevice(std::string devicePath) { m_explicitDevice = std::move(devicePath); }
    [[nodiscard]] const std::string& explicitDevice() const { return m_explicitDevice; }

    // Opens the port of the current selection. A failure shows "Com opening error!" only when
    // the user chose a fixed port; the watchdog's retries and the automatic scan stay silent.
    void openPort();
    void closePort();
    // The handler of every COM menu entry.
    void selectPort(int entry);
    // Opens `devicePath` in place of the COM entries, as a menu entry that names a device does.
    void selectDevice(std::string devicePath);
    [[nodiscard]] bool isOpen() const { return m_line.isOpen(); }

    // Reads what is waiting once at least a frame's worth has arrived, at most 15000 bytes.
    // Empty when nothing was read. The chunk stays valid until the next poll.
    [[nodiscard]] std::span<const std::uint8_t> pollPort();
    void writeFrame(FrameBytes frame);

    // One tick of the watchdog while the unit is silent: every 30 such ticks the port is
    // reopened, and the automatic scan moves to the next port.
    void countDisconnectedTick();
    [[nodiscard]] std::uint8_t reopenTicks() const { return m_reopenTicks; }

    // "COM" and the number the current selection names.
    [[nodiscard]] std::string portName() const;
    // LabelCom: "COM= " and the port last tried, with its device where that differs.
    [[nodiscard]] const std::string& labelText() const { return m_labelText; }
    // The one COM menu entry that carries the check mark, as of the last open.
    [[nodiscard]] int checkedMenuEntry() const { return m_checkedEntry; }
    [[nodiscard]] static std::string menuCaption(int entry);
    // The captions of the 21 menu entries as the system has its ports now: "Com n" with the
    // device beside it where the platform names it otherwise ("Com 1  (/dev/ttyUSB0)").
    [[nodiscard]] std::vector<std::string> menuCaptions() const;
    // The last open that failed; its reason is None once an open succeeded.
    [[nodiscard]] const PortOpenFailure& lastOpenFailure() const { return m_lastFailure; }

private:
    [[nodiscard]] int comNumber() const;

    SerialLine& m_line;
    const PortNaming& m_naming;
    const MessageTexts& m_texts;
    UserMessages& m_messages;
    int m_portSelection = 1;
    int m_autoScanIndex = 0;
    bool m_reopenByWatchdog = false;
    std::uint8_t m_reopenTicks = 0;
    std::string m_explicitDevice;
    std::string m_labelText = "COM = --";
    int m_checkedEntry = -1;
    PortOpenFailure m_lastFailure;
    std::vector<std::uint8_t> m_receiveBuffer;
};

} // namespace quorvel
