#pragma once

#include "sim/pty_bridge.h"
#include "sim/virtual_unit.h"

#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>

namespace quorvel::test {

// A virtual unit on a pseudo-terminal reached through a stable link, served by a thread of its
// own, as quorvel-sim serves it. Its faults can be lifted while it runs, so that a test can see
// whether the program finds the unit again once the line is healthy.
class ServedUnit {
public:
    explicit ServedUnit(const sim::FaultPlan& faults)
        : m_unit(faults)
        , m_bridge(m_unit, /*lineTiming=*/false)
        , m_link(std::filesystem::temp_directory_path() /
                 ("quorvel-unit-" + std::to_string(::getpid()) + "-" + std::to_string(s_count++)))
    {
        m_bridge.setStableLink(m_link);
        if (!m_bridge.open())
            throw std::runtime_error(m_bridge.error());
        start();
    }
    ~ServedUnit() { stop(); }
    ServedUnit(const ServedUnit&) = delete;
    ServedUnit& operator=(const ServedUnit&) = delete;

    [[nodiscard]] std::string devicePath() const { return m_link.string(); }

    // The unit keeps its memory and answers healthily from now on.
    void liftFaults()
    {
        stop();
        m_unit.setFaults(sim::FaultPlan{});
        start();
    }
    void stop()
    {
        m_stop = true;
        if (m_server.joinable())
            m_server.join();
    }
    // Only after stop().
    [[nodiscard]] const sim::VirtualUnit& unit() const { return m_unit; }

private:
    void start()
    {
        m_stop = false;
        m_server = std::thread([this] { m_bridge.run(m_stop); });
    }

    static inline std::atomic<int> s_count{0};
    sim::VirtualUnit m_unit;
    sim::PtyBridge m_bridge;
    std::filesystem::path m_link;
    std::atomic<bool> m_stop{false};
    std::thread m_server;
};

} // namespace quorvel::test
