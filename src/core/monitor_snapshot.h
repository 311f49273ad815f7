#pragma once

#include "core/link_frame.h"

#include <cstdint>

namespace quorvel {

// The live values kept from the last accepted monitor frame; all zero before the first one.
struct MonitorSnapshot {
    std::uint16_t Rpm = 0;
    std::uint16_t ApTenths = 0; // 0.1 kPa
    std::uint16_t TpsMillivolts = 0;
    std::uint16_t LambdaMillivolts = 0;
    std::uint16_t TpsTenths = 0; // 0.1 %
    std::uint16_t IapKpa = 0;
    std::uint8_t CoolantRaw = 0; // degrees + 100; a sensor error is kept as 180
    std::uint8_t AirRaw = 0;     // degrees + 100; 0 is a sensor error
    std::uint8_t Gear = 0;
    std::uint8_t JetTpsPercent = 0; // share of injection taken from the throttle maps
    bool UsesTpsMaps = false;
    bool UsesIapMap = false;
    std::uint16_t GearMillivolts = 0;
    std::uint16_t RpmSpeedRatio = 0; // 0.1
    std::uint16_t StartTime = 0;
    bool TpsError = false;
    bool IapError = false;
    bool ApError = false;
    bool BaseAdvance = false;
    bool IgnLimiterOn = false;
    bool JetLimiterOn = false;
    bool RetardLimiterOn = false;
    std::uint16_t SavingCountdown = 0; // non-zero while the unit stores its parameters
};

// The snapshot a monitor frame leaves; the frame's checksum is the caller's business.
[[nodiscard]] MonitorSnapshot readMonitorSnapshot(FrameBytes frame);

} // namespace quorvel
