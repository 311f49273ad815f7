#pragma once

#include "core/link_frame.h"
#include "core/param_image.h"

#include <chrono>
#include <cstdint>

namespace quorvel::sim {

// A small, deterministic engine: the rider blips the throttle in a slow cycle, the engine
// follows, the coolant warms up, and the unit's own maps decide advance, injection and servo
// positions at the operating point. Its state is a pure function of the time elapsed, so a test
// that advances time sees the same values every run.
class EngineModel {
public:
    void advance(std::chrono::milliseconds elapsed) { m_time += elapsed; }
    [[nodiscard]] std::chrono::milliseconds time() const { return m_time; }

    [[nodiscard]] int rpm() const;
    [[nodiscard]] int throttleTenths() const; // 0.1 %
    [[nodiscard]] int coolantCelsius() const;
    [[nodiscard]] int gear() const;
    [[nodiscard]] int speedKmh() const;

    // The payload of a monitor reply (frame bytes 1..150 filled, byte 0 and checksum left to
    // the caller) as the unit holding `memory` reports it.
    void fillMonitor(LinkFrame& frame, const ParamImage& memory, std::uint16_t programmingCount,
                     std::uint16_t savingCountdown, std::uint8_t version) const;

private:
    [[nodiscard]] double cyclePhase() const;

    std::chrono::milliseconds m_time{0};
};

} // namespace quorvel::sim
