#pragma once

#include "sim/pty_bridge.h"
#include "sim/virtual_unit.h"

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

namespace quorvel::test {

// A virtual unit served on a pseudo-terminal by a thread of its own, for as long as the object
// lives. The unit belongs to that thread until stop(); only then may a test look into it.
class PtyUnit {
public:
    explicit PtyUnit(sim::FaultPlan faults = {}, bool lineTiming = false)
        : m_unit(faults)
        , m_bridge(m_unit, lineTiming)
    {
        if (!m_bridge.open())
            throw std::runtime_error(m_bridge.error());
        m_server = std::thread([this] { m_bridge.run(m_stop); });
    }
    ~PtyUnit() { stop(); }
    PtyUnit(const PtyUnit&) = delete;
    PtyUnit& operator=(const PtyUnit&) = delete;

    [[nodiscard]] const std::string& devicePath() const { return m_bridge.devicePath(); }

    void stop()
    {
        m_stop = true;
        if (m_server.joinable())
            m_server.join();
    }
    // Only after stop().
    [[nodiscard]] const sim::VirtualUnit& unit() const { return m_unit; }

private:
    sim::VirtualUnit m_unit;
    sim::PtyBridge m_bridge;
    std::atomic<bool> m_stop{false};
    std::thread m_server;
};

} // namespace quorvel::test
