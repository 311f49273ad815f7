#pragma once

#include "core/link_frame.h"
#include "core/param_image.h"
#include "sim/fuel_demand.h"
#include "sim/ride_plan.h"
#include "sim/rider.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace quorvel::sim {

// A small, deterministic engine: the rider follows a ride, the unit's own maps decide advance,
// injection and servo positions at the operating point, and the lambda sensor reads rich or lean
// as the fuel the maps give compares with what the engine needs. Its state is a pure function of
// the time elapsed and the unit's memory, so a test that advances time sees the same values
// every run.
class EngineModel {
public:
    // How long the exhaust takes from the cylinder to the sensor.
    static constexpr std::chrono::milliseconds kTransportDelay{100};

    void advance(std::chrono::milliseconds elapsed) { m_time += elapsed; }
    [[nodiscard]] std::chrono::milliseconds time() const { return m_time; }

    void setRide(const RidePlan& ride) { m_ride = ride; }
    [[nodiscard]] const RidePlan& ride() const { return m_ride; }
    // Without a demand the engine needs exactly what the maps give.
    void setFuelDemand(std::optional<FuelDemand> demand) { m_demand = std::move(demand); }

    // Where the rider holds the engine now; a sweep takes its speeds from the unit's Inj. 1 axis.
    [[nodiscard]] RidePoint operatingPoint(const ParamImage& memory) const;

    // The payload of a monitor reply (frame bytes 1..150 filled, byte 0 and checksum left to
    // the caller) as the unit holding `memory` reports it.
    void fillMonitor(LinkFrame& frame, const ParamImage& memory, std::uint16_t programmingCount,
                     std::uint16_t savingCountdown, std::uint8_t version) const;

private:
    [[nodiscard]] RidePoint pointAt(std::chrono::milliseconds time, const ParamImage& memory) const;
    // What the sensor reads now: the exhaust of one transport delay ago.
    [[nodiscard]] int lambdaMillivolts(const ParamImage& memory) const;

    std::chrono::milliseconds m_time{0};
    RidePlan m_ride;
    std::optional<FuelDemand> m_demand;
};

} // namespace quorvel::sim
