#include "core/monitor_channels.h"

#include <array>
#include <cstddef>

namespace quorvel {
namespace {

using enum MonitorValue;
using enum ChannelSource;

constexpr MonitorChannel byte(MonitorValue id, std::string_view name, std::string_view unit, int offset, int bias = 0,
                              int scale = 1)
{
    return {.id = id,
            .name = name,
            .unit = unit,
            .source = Byte,
            .offset = static_cast<std::uint8_t>(offset),
            .bias = bias,
            .scale = scale};
}

constexpr MonitorChannel word(MonitorValue id, std::string_view name, std::string_view unit, int offset,
                              int decimals = 0, int bias = 0)
{
    return {.id = id,
            .name = name,
            .unit = unit,
            .source = Word,
            .offset = static_cast<std::uint8_t>(offset),
            .bias = bias,
            .decimals = decimals};
}

constexpr MonitorChannel flag(MonitorValue id, std::string_view name, int offset, int bit, ChannelSource source = Bit)
{
    return {.id = id,
            .name = name,
            .unit = "0/1",
            .source = source,
            .offset = static_cast<std::uint8_t>(offset),
            .bit = static_cast<std::uint8_t>(bit)};
}

constexpr MonitorChannel unlogged(MonitorChannel channel)
{
    channel.logged = false;
    return channel;
}

constexpr MonitorChannel failedReads(MonitorChannel channel, int raw)
{
    channel.zeroReads = raw;
    return channel;
}

// Temperatures are stored in degrees + 100. A failed coolant sensor is worked with as 80 degrees
// and a failed air sensor as 50, as the monitor panel shows them.
constexpr std::array kChannels = {
    word(Rpm, "rpm", "rpm", 48),
    word(Throttle, "throttle", "%", 138, 1),
    word(Iap, "iap", "kPa", 136),
    word(Ap, "ap", "kPa", 52, 1),
    word(Lambda, "lambda", "mV", 58),
    failedReads(byte(Coolant, "coolant", "degC", 23, -100), 180),
    failedReads(byte(Air, "air", "degC", 24, -100), 150),
    word(Supply, "supply", "V", 64, 3),
    byte(Advance1, "advance_1", "deg", 10),
    byte(Advance2, "advance_2", "deg", 11),
    byte(Advance3, "advance_3", "deg", 12),
    byte(Advance4, "advance_4", "deg", 13),
    byte(Injection1A, "injection_1a", "us", 14, 0, 100),
    byte(Injection2A, "injection_2a", "us", 15, 0, 100),
    byte(Injection3A, "injection_3a", "us", 16, 0, 100),
    byte(Injection4A, "injection_4a", "us", 17, 0, 100),
    byte(Injection1B, "injection_1b", "us", 18, 0, 100),
    byte(Injection2B, "injection_2b", "us", 19, 0, 100),
    byte(Injection3B, "injection_3b", "us", 20, 0, 100),
    byte(Injection4B, "injection_4b", "us", 21, 0, 100),
    word(ServoExhaust1, "servo_exhaust_1", "mV", 66),
    word(ServoExhaust2, "servo_exhaust_2", "mV", 68),
    word(ServoIntake1, "servo_intake_1", "mV", 70),
    word(ServoIntake2, "servo_intake_2", "mV", 72),
    word(Potentiometer, "potentiometer", "mV", 74),
    byte(Gear, "gear", "", 25),
    word(Speed, "speed", "km/h", 116),
    byte(JetTpsShare, "jet_tps_share", "%", 26),
    word(PositionA, "position_a", "deg", 96),
    word(PositionB, "position_b", "deg", 98),
    word(ApVoltage, "ap_voltage", "mV", 50),
    word(IapVoltage, "iap_voltage", "mV", 54),
    word(TpsVoltage, "tps_voltage", "mV", 56),
    word(CoolantVoltage, "coolant_voltage", "mV", 60),
    word(AirVoltage, "air_voltage", "mV", 62),
    word(GearVoltage, "gear_voltage", "mV", 118),
    word(RpmSpeedRatio, "rpm_speed_ratio", "", 120, 1),
    word(GearRatio1, "gear_ratio_1", "", 122, 1),
    word(GearRatio2, "gear_ratio_2", "", 124, 1),
    word(GearRatio3, "gear_ratio_3", "", 126, 1),
    word(GearRatio4, "gear_ratio_4", "", 128, 1),
    word(GearRatio5, "gear_ratio_5", "", 130, 1),
    word(GearRatio6, "gear_ratio_6", "", 132, 1),
    word(CoolantInjCorrection, "correction_coolant_inj", "%", 100, 1),
    word(AirInjCorrection, "correction_air_inj", "%", 102, 1),
    word(ApInjCorrection, "correction_ap_inj", "%", 104, 1),
    word(StartInjCorrection, "correction_start_inj", "%", 106, 1),
    word(SupplyInjCorrection, "correction_supply_inj", "us", 108, 0, -1000),
    word(CoolantAdvCorrection, "correction_coolant_adv", "deg", 110, 1, -1000),
    word(PotentiometerAdvCorrection, "correction_pot_adv", "deg", 112, 1, -1000),
    word(PotentiometerInjCorrection, "correction_pot_inj", "%", 114, 1),
    word(IdleAdvCorrection, "correction_idle_adv", "deg", 134, 1, -1000),
    word(StartTime, "start_time", "", 94),
    word(SavingCountdown, "saving_countdown", "", 148),
    flag(FallSensorIn, "fall_sensor_in", 1, 0, BitActiveLow),
    flag(FallSensorOut, "fall_sensor_out", 1, 1),
    flag(BlockingIn, "blocking_in", 1, 2, BitActiveLow),
    flag(BlockingOut, "blocking_out", 1, 3),
    flag(StartLimiterIn, "start_limiter_in", 1, 4, BitActiveLow),
    flag(StartLimiterOut, "start_limiter_out", 1, 5),
    flag(ClutchIn, "clutch_in", 1, 6, BitActiveLow),
    flag(ClutchOut, "clutch_out", 1, 7),
    flag(TachoLambdaIn, "tacho_lambda_in", 2, 0, BitActiveLow),
    flag(TachoOutput, "tacho_output", 2, 1),
    flag(IgnLimiter, "limiter_ignition", 2, 2),
    flag(JetLimiter, "limiter_injection", 2, 3),
    flag(RetardLimiter, "limiter_retard", 2, 4),
    flag(ServoExhaustWorking, "servo_exhaust_working", 2, 6),
    flag(ServoIntakeWorking, "servo_intake_working", 2, 7),
    flag(MapShareOff, "map_share_off", 3, 0),
    flag(N2o, "n2o", 3, 1),
    flag(BaseAdvance, "base_advance", 3, 3),
    flag(Cooling, "cooling", 3, 4),
    flag(CkpsSignal, "ckps_signal", 3, 5),
    flag(CmpsSignal, "cmps_signal", 3, 6),
    flag(DataError, "data_error", 3, 7),
    flag(TpsError, "tps_error", 4, 0),
    flag(IapError, "iap_error", 4, 1),
    flag(ApError, "ap_error", 4, 2),
    flag(IntakeServoIdle, "intake_servo_idle", 4, 4),
    flag(CoolantError, "coolant_error", 23, 0, ZeroByte),
    flag(AirError, "air_error", 24, 0, ZeroByte),
    MonitorChannel{.id = PilotLight, .name = "pilot_light", .unit = "0/1/2", .source = PilotState, .offset = 27},
    unlogged(word(ProgrammingCount, "programming_count", "", 76)),
    unlogged(word(Test1, "test_1", "", 78)),
    unlogged(word(Test2, "test_2", "", 80)),
    unlogged(word(Test3, "test_3", "", 82)),
    unlogged(word(Test4, "test_4", "", 84)),
    unlogged(word(Test5, "test_5", "", 86)),
    unlogged(word(Test6, "test_6", "", 88)),
    unlogged(word(Test7, "test_7", "", 90)),
    unlogged(word(Test8, "test_8", "", 92)),
};

static_assert(kChannels.size() == static_cast<std::size_t>(MonitorValue::Count));

constexpr bool inTableOrder()
{
    for (std::size_t i = 0; i < kChannels.size(); ++i) {
        if (static_cast<std::size_t>(kChannels[i].id) != i)
            return false;
    }
    return true;
}
static_assert(inTableOrder(), "the channels are looked up by their MonitorValue");

constexpr std::array<double, 4> kStepSizes = {1.0, 0.1, 0.01, 0.001};

} // namespace

std::span<const MonitorChannel> monitorChannels()
{
    return kChannels;
}

const MonitorChannel& monitorChannel(MonitorValue value)
{
    return kChannels[static_cast<std::size_t>(value)];
}

int frameValue(FrameBytes frame, const MonitorChannel& channel)
{
    const int raw = frame[channel.offset];
    switch (channel.source) {
    case Byte:
        return raw;
    case Word:
        return raw | (frame[static_cast<std::size_t>(channel.offset) + 1] << 8);
    case Bit:
        return (raw >> channel.bit) & 1;
    case BitActiveLow:
        return ((raw >> channel.bit) & 1) ^ 1;
    case ZeroByte:
        return raw == 0 ? 1 : 0;
    case PilotState:
        return raw == 0 ? 0 : raw == 2 ? 1 : 2;
    }
    return raw;
}

int workingValue(FrameBytes frame, const MonitorChannel& channel)
{
    const int raw = frameValue(frame, channel);
    return raw == 0 && channel.zeroReads ? *channel.zeroReads : raw;
}

int channelSteps(FrameBytes frame, const MonitorChannel& channel)
{
    return (workingValue(frame, channel) + channel.bias) * channel.scale;
}

double channelValue(FrameBytes frame, const MonitorChannel& channel)
{
    // Multiplied by the step size as the monitor texts always were, so a value printed with
    // fewer decimals than it has rounds the same way (12450 mV shows as 12.5 V).
    return channelSteps(frame, channel) * kStepSizes[static_cast<std::size_t>(channel.decimals)];
}

} // namespace quorvel
