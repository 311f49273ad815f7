#pragma once

#include "core/link_frame.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

// Every live value of a monitor frame, in the order datalogs keep them.
enum class MonitorValue : std::uint8_t {
    Rpm,
    Throttle,
    Iap,
    Ap,
    Lambda,
    Coolant,
    Air,
    Supply,
    Advance1,
    Advance2,
    Advance3,
    Advance4,
    Injection1A,
    Injection2A,
    Injection3A,
    Injection4A,
    Injection1B,
    Injection2B,
    Injection3B,
    Injection4B,
    ServoExhaust1,
    ServoExhaust2,
    ServoIntake1,
    ServoIntake2,
    Potentiometer,
    Gear,
    Speed,
    JetTpsShare,
    PositionA,
    PositionB,
    ApVoltage,
    IapVoltage,
    TpsVoltage,
    CoolantVoltage,
    AirVoltage,
    GearVoltage,
    RpmSpeedRatio,
    GearRatio1,
    GearRatio2,
    GearRatio3,
    GearRatio4,
    GearRatio5,
    GearRatio6,
    CoolantInjCorrection,
    AirInjCorrection,
    ApInjCorrection,
    StartInjCorrection,
    SupplyInjCorrection,
    CoolantAdvCorrection,
    PotentiometerAdvCorrection,
    PotentiometerInjCorrection,
    IdleAdvCorrection,
    StartTime,
    SavingCountdown,
    FallSensorIn,
    FallSensorOut,
    BlockingIn,
    BlockingOut,
    StartLimiterIn,
    StartLimiterOut,
    ClutchIn,
    ClutchOut,
    TachoLambdaIn,
    TachoOutput,
    IgnLimiter,
    JetLimiter,
    RetardLimiter,
    ServoExhaustWorking,
    ServoIntakeWorking,
    MapShareOff,
    N2o,
    BaseAdvance,
    Cooling,
    CkpsSignal,
    CmpsSignal,
    DataError,
    TpsError,
    IapError,
    ApError,
    IntakeServoIdle,
    CoolantError,
    AirError,
    PilotLight,
    ProgrammingCount,
    Test1,
    Test2,
    Test3,
    Test4,
    Test5,
    Test6,
    Test7,
    Test8,
    Count,
};

// How a value is taken from the frame: a byte, a little-endian word, one bit (or one bit that
// is active when clear, as the unit's inputs are), 1 when a byte is 0 (a failed temperature
// sensor), or the pilot light's state byte (0 off, 2 on, anything else blinking).
enum class ChannelSource : std::uint8_t { Byte, Word, Bit, BitActiveLow, ZeroByte, PilotState };

// Where a live value lies in the monitor frame and how its number is scaled. The value is
// (raw + bias) * scale in steps of 10^-decimals of the unit, so a datalog writes it exactly and
// the monitor texts print it from the same numbers.
struct MonitorChannel {
    MonitorValue id;
    std::string_view name; // stable English column name of datalogs
    std::string_view unit;
    ChannelSource source;
    std::uint8_t offset; // frame byte; the low byte of a word
    std::uint8_t bit = 0;
    int bias = 0;
    int scale = 1;
    int decimals = 0;
    // The value the unit works with when the raw byte is 0 (a failed sensor).
    std::optional<int> zeroReads{};
    bool logged = true; // false for counters and test values that are no live engine data
};

// The table in MonitorValue order.
[[nodiscard]] std::span<const MonitorChannel> monitorChannels();
[[nodiscard]] const MonitorChannel& monitorChannel(MonitorValue value);

// The source as the frame holds it: the byte, the word, the bit as 0/1 (1 = active), the
// pilot state as 0 off, 1 on, 2 blinking.
[[nodiscard]] int frameValue(FrameBytes frame, const MonitorChannel& channel);
// The raw value the unit works with: a 0 of a failed sensor replaced as the channel says.
[[nodiscard]] int workingValue(FrameBytes frame, const MonitorChannel& channel);
// (working value + bias) * scale: the value in steps of 10^-decimals.
[[nodiscard]] int channelSteps(FrameBytes frame, const MonitorChannel& channel);
// The value in its unit.
[[nodiscard]] double channelValue(FrameBytes frame, const MonitorChannel& channel);

[[nodiscard]] inline int frameValue(FrameBytes frame, MonitorValue value)
{
    return frameValue(frame, monitorChannel(value));
}
[[nodiscard]] inline int channelSteps(FrameBytes frame, MonitorValue value)
{
    return channelSteps(frame, monitorChannel(value));
}
[[nodiscard]] inline double channelValue(FrameBytes frame, MonitorValue value)
{
    return channelValue(frame, monitorChannel(value));
}

} // namespace quorvel
