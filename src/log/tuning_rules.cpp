#include "log/tuning_rules.h"

#include "core/monitor_channels.h"
#include "maps/live_marking.h"
#include "model/reference_interpolation.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace quorvel {
namespace {

constexpr int kCylinderCount = 406;
constexpr int kNeutralCorrectionTenths = 1000; // 100.0 %
constexpr std::array kDosingCorrections = {MonitorValue::CoolantInjCorrection, MonitorValue::AirInjCorrection,
                                           MonitorValue::ApInjCorrection, MonitorValue::StartInjCorrection};
constexpr std::array kBankA = {MonitorValue::Injection1A, MonitorValue::Injection2A, MonitorValue::Injection3A,
                               MonitorValue::Injection4A};

int fittedCylinders(const ParamImage& image)
{
    return std::clamp<int>(image.byte(kCylinderCount), 1, 4);
}

// Whether the map doses this frame's fuel on its own: an A map needs the throttle maps' whole
// share and a fitted cylinder, the IAP map the whole share.
bool mapAloneDoses(MapId map, const MonitorSnapshot& live, const ParamImage& image)
{
    switch (map) {
    case MapId::Iap:
        return live.UsesIapMap && !live.UsesTpsMaps;
    case MapId::Jet1A:
    case MapId::Jet2A:
    case MapId::Jet3A:
    case MapId::Jet4A:
        return live.UsesTpsMaps && !live.UsesIapMap &&
               static_cast<int>(map) - static_cast<int>(MapId::Jet1A) < fittedCylinders(image);
    default:
        return false;
    }
}

bool throttleMoving(const TuningFrame& frame, const TuningFrame& previous)
{
    const std::uint32_t gap = frame.timeMs - previous.timeMs;
    const int tenths = std::abs(int{frame.live.TpsTenths} - int{previous.live.TpsTenths});
    return tenths * 100.0 / gap >= kSteadyThrottlePercentPerSecond;
}

bool withinWindows(int element, const TuningFrame& frame, const ParamImage& image, const TuningSettings& settings)
{
    const int row = element / kMapColumns;
    const int column = element % kMapColumns;
    const int head = axisPoint(image, settings.map, column) * 100;
    if (std::abs(int{frame.live.Rpm} - head) > settings.rpmWindow)
        return false;
    if (settings.map == MapId::Iap)
        return std::abs(int{frame.live.IapKpa} - int{iapRow(image, row)}) <= settings.throttleWindowPercent;
    const auto rowTenths = static_cast<int>(kThrottleRows[static_cast<std::size_t>(row)]);
    return std::abs(int{frame.live.TpsTenths} - rowTenths) <= settings.throttleWindowPercent * 10;
}

} // namespace

TuningFrame readTuningFrame(std::uint32_t timeMs, FrameBytes frame, const ParamImage& image)
{
    TuningFrame read;
    read.timeMs = timeMs;
    read.live = readMonitorSnapshot(frame);
    read.lambdaLineIsTacho = frameValue(frame, MonitorValue::TachoOutput) != 0;
    const auto injected = std::ranges::any_of(std::span(kBankA).first(static_cast<std::size_t>(fittedCylinders(image))),
                                              [&](MonitorValue value) { return frameValue(frame, value) != 0; });
    read.fuelCut = read.live.Rpm != 0 && !injected;
    read.correctionActive = std::ranges::any_of(
        kDosingCorrections, [&](MonitorValue value) { return frameValue(frame, value) != kNeutralCorrectionTenths; });
    return read;
}

FrameJudgement judgeFrame(const TuningFrame& frame, const TuningFrame* previous, const ParamImage& image,
                          const TuningSettings& settings)
{
    const MonitorSnapshot& live = frame.live;
    if (frame.lambdaLineIsTacho)
        return {FrameVerdict::LambdaLineIsTacho, std::nullopt};
    if (live.Rpm == 0)
        return {FrameVerdict::EngineStopped, std::nullopt};
    const std::optional<int> element = markMapCell(MapTable::of(settings.map).page, image, live).element;
    if (!element || !mapAloneDoses(settings.map, live, image))
        return {FrameVerdict::MapNotInUse, std::nullopt};

    const auto verdict = [&] {
        if (frame.fuelCut)
            return FrameVerdict::FuelCut;
        if (live.IgnLimiterOn || live.JetLimiterOn || live.RetardLimiterOn)
            return FrameVerdict::Limiter;
        if (frame.correctionActive)
            return FrameVerdict::CorrectionActive;
        if (previous != nullptr &&
            (frame.timeMs <= previous->timeMs || frame.timeMs - previous->timeMs > kLongestFrameGapMs))
            return FrameVerdict::LinkGap;
        if (previous != nullptr && throttleMoving(frame, *previous))
            return FrameVerdict::ThrottleMoving;
        if (live.LambdaMillivolts < kSilentSensorMillivolts)
            return FrameVerdict::SensorSilent;
        if (!settings.range.contains(*element))
            return FrameVerdict::OutsideRange;
        if (!withinWindows(*element, frame, image, settings))
            return FrameVerdict::OutsideWindows;
        return FrameVerdict::Counts;
    }();
    return {verdict, element};
}

} // namespace quorvel
