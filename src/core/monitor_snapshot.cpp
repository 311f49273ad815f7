#include "core/monitor_snapshot.h"

#include "core/monitor_channels.h"

namespace quorvel {

MonitorSnapshot readMonitorSnapshot(FrameBytes frame)
{
    auto raw16 = [&](MonitorValue value) { return static_cast<std::uint16_t>(frameValue(frame, value)); };
    auto raw8 = [&](MonitorValue value) { return static_cast<std::uint8_t>(frameValue(frame, value)); };
    auto on = [&](MonitorValue value) { return frameValue(frame, value) != 0; };

    MonitorSnapshot snapshot;
    snapshot.Rpm = raw16(MonitorValue::Rpm);
    snapshot.ApTenths = raw16(MonitorValue::Ap);
    snapshot.TpsMillivolts = raw16(MonitorValue::TpsVoltage);
    snapshot.LambdaMillivolts = raw16(MonitorValue::Lambda);
    snapshot.TpsTenths = raw16(MonitorValue::Throttle);
    snapshot.IapKpa = raw16(MonitorValue::Iap);
    // Live marking takes a failed coolant sensor for the value the unit works with, but a failed
    // air sensor as 0, its error index.
    snapshot.CoolantRaw = static_cast<std::uint8_t>(workingValue(frame, monitorChannel(MonitorValue::Coolant)));
    snapshot.AirRaw = raw8(MonitorValue::Air);
    snapshot.Gear = raw8(MonitorValue::Gear);
    snapshot.JetTpsPercent = raw8(MonitorValue::JetTpsShare);
    const bool mapUseKnown = !on(MonitorValue::MapShareOff);
    snapshot.UsesTpsMaps = mapUseKnown && snapshot.JetTpsPercent > 0;
    snapshot.UsesIapMap = mapUseKnown && snapshot.JetTpsPercent < 100;
    snapshot.GearMillivolts = raw16(MonitorValue::GearVoltage);
    snapshot.RpmSpeedRatio = raw16(MonitorValue::RpmSpeedRatio);
    snapshot.StartTime = raw16(MonitorValue::StartTime);
    snapshot.TpsError = on(MonitorValue::TpsError);
    snapshot.IapError = on(MonitorValue::IapError);
    snapshot.ApError = on(MonitorValue::ApError);
    snapshot.BaseAdvance = on(MonitorValue::BaseAdvance);
    snapshot.IgnLimiterOn = on(MonitorValue::IgnLimiter);
    snapshot.JetLimiterOn = on(MonitorValue::JetLimiter);
    snapshot.RetardLimiterOn = on(MonitorValue::RetardLimiter);
    snapshot.SavingCountdown = raw16(MonitorValue::SavingCountdown);
    return snapshot;
}

} // namespace quorvel
