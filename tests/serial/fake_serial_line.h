#pragma once

#include "core/port_naming.h"
#include "core/serial_line.h"
#include "sim/virtual_unit.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quorvel::test {

// A synchronous serial line for tests: what is fed or what an attached virtual unit sends is
// waiting at once, every written frame is recorded, and opens, writes and the cable can be made
// to fail on purpose.
class FakeSerialLine final : public SerialLine {
public:
    // Only these devices open; without a list every device does. Others are missing.
    void setDevices(std::set<std::string> devices) { m_devices = std::move(devices); }
    // This device is there but does not open, for this reason (busy, denied).
    void refuse(const std::string& device, OpenFailure reason) { m_refusals[device] = reason; }
    void setWritesFail(bool fail) { m_writesFail = fail; }
    // The cable is pulled: the line drops and nothing opens until it is plugged in again.
    void unplug()
    {
        m_plugged = false;
        m_open = false;
    }
    void plugIn() { m_plugged = true; }

    // Loopback: written frames go to the unit, and its replies arrive as time passes.
    void attachUnit(sim::VirtualUnit& unit) { m_unit = &unit; }
    // The unit is unplugged: nothing answers any more.
    void detachUnit() { m_unit = nullptr; }
    void advanceUnit(std::chrono::milliseconds elapsed)
    {
        if (m_unit == nullptr)
            return;
        m_unit->advance(elapsed);
        const std::vector<std::uint8_t> reply = m_unit->takeTransmitted();
        if (m_open)
            feedReceived(reply);
    }

    void feedReceived(std::span<const std::uint8_t> bytes)
    {
        m_received.insert(m_received.end(), bytes.begin(), bytes.end());
    }
    [[nodiscard]] const std::vector<std::uint8_t>& writtenData() const { return m_written; }
    [[nodiscard]] std::vector<LinkFrame> writtenFrames() const
    {
        std::vector<LinkFrame> frames;
        for (std::size_t at = 0; at + kFrameSize <= m_written.size(); at += kFrameSize) {
            LinkFrame frame{};
            std::copy_n(m_written.begin() + static_cast<std::ptrdiff_t>(at), kFrameSize, frame.begin());
            frames.push_back(frame);
        }
        return frames;
    }
    void clearWritten() { m_written.clear(); }
    [[nodiscard]] const std::vector<std::string>& openAttempts() const { return m_openAttempts; }
    [[nodiscard]] std::size_t queued() const { return m_received.size(); }

    bool open(const std::string& deviceName) override
    {
        m_openAttempts.push_back(deviceName);
        const auto refused = m_refusals.find(deviceName);
        m_failure = !m_plugged || (!m_devices.empty() && !m_devices.contains(deviceName)) ? OpenFailure::Missing
                    : refused != m_refusals.end()                                         ? refused->second
                                                                                          : OpenFailure::None;
        m_open = m_failure == OpenFailure::None;
        return m_open;
    }
    OpenFailure lastOpenFailure() const override { return m_failure; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    std::size_t bytesWaiting() override { return m_open ? m_received.size() : 0; }
    std::size_t read(std::span<std::uint8_t> buffer) override
    {
        if (!m_open)
            return 0;
        const std::size_t count = std::min(buffer.size(), m_received.size());
        std::copy_n(m_received.begin(), count, buffer.begin());
        m_received.erase(m_received.begin(), m_received.begin() + static_cast<std::ptrdiff_t>(count));
        return count;
    }
    void writeFrame(FrameBytes frame) override
    {
        if (!m_open || m_writesFail)
            return;
        m_written.insert(m_written.end(), frame.begin(), frame.end());
        if (m_unit != nullptr)
            m_unit->receive(frame);
    }

private:
    std::set<std::string> m_devices;
    std::map<std::string, OpenFailure> m_refusals;
    OpenFailure m_failure = OpenFailure::None;
    bool m_plugged = true;
    bool m_writesFail = false;
    bool m_open = false;
    sim::VirtualUnit* m_unit = nullptr;
    std::deque<std::uint8_t> m_received;
    std::vector<std::uint8_t> m_written;
    std::vector<std::string> m_openAttempts;
};

// COM n is the device "COMn", as on Windows; or, given the paths a Linux system finds, the n-th
// of them and none beyond.
class FakePortNaming final : public PortNaming {
public:
    FakePortNaming() = default;
    explicit FakePortNaming(std::vector<std::string> paths)
        : m_paths(std::move(paths))
    {
    }
    std::string deviceFor(int comNumber) const override
    {
        if (m_paths.empty())
            return "COM" + std::to_string(comNumber);
        return comNumber >= 1 && comNumber <= static_cast<int>(m_paths.size())
                   ? m_paths[static_cast<std::size_t>(comNumber - 1)]
                   : std::string();
    }

private:
    std::vector<std::string> m_paths;
};

} // namespace quorvel::test
