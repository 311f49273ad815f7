#pragma once

#include "core/link_frame.h"
#include "core/monitor_snapshot.h"
#include "core/param_image.h"
#include "log/tuning_settings.h"

#include <cstdint>
#include <optional>

namespace quorvel {

// Whether a monitor frame counts for the cell it was taken in, and if not, the first reason.
// A lambda reading answers for a cell only while that cell's map alone doses the fuel, at
// steady throttle, with nothing else adding or cutting fuel.
enum class FrameVerdict : std::uint8_t {
    Counts,
    LambdaLineIsTacho, // the tacho/lambda line carries the tacho: there is no lambda reading
    EngineStopped,
    MapNotInUse,      // another map doses (all or a share), the cylinder is not fitted, or the
                      // sensor of the map's rows has failed
    FuelCut,          // no injection: the overrun cut
    Limiter,          // a limiter cuts fuel or spark
    CorrectionActive, // warm-up, air temperature, air pressure or start correction not 100 %
    LinkGap,          // no frame shortly before to judge the throttle by
    ThrottleMoving,   // faster than steady: the acceleration enrichment may be on
    SensorSilent,     // the sensor reads next to nothing: cold or not connected
    OutsideRange,     // a cell the session does not tune
    OutsideWindows,   // too far from the cell's head or row
    Count,
};

inline constexpr auto kFrameVerdictCount = static_cast<std::size_t>(FrameVerdict::Count);

// A steadier throttle than this moves it too little to matter; faster, the acceleration
// enrichment (whose threshold is never below 10 %/s) may add fuel.
inline constexpr double kSteadyThrottlePercentPerSecond = 10.0;
// Frames further apart than this tell nothing of what happened between them.
inline constexpr std::uint32_t kLongestFrameGapMs = 1000;
// A sensor reading below this, with fuel burning, is a cold or unplugged sensor.
inline constexpr int kSilentSensorMillivolts = 40;
// The exhaust reaches the sensor about this long after it left the cylinder: a reading taken
// sooner after the engine entered a cell still tells of where it came from.
inline constexpr std::uint32_t kLambdaSettleMs = 100;

// What the rules read from one monitor frame, taken `timeMs` into the session.
struct TuningFrame {
    std::uint32_t timeMs = 0;
    MonitorSnapshot live;
    bool lambdaLineIsTacho = false;
    bool fuelCut = false; // the engine turns and no fitted cylinder of bank A is injected
    bool correctionActive = false;
};

[[nodiscard]] TuningFrame readTuningFrame(std::uint32_t timeMs, FrameBytes frame, const ParamImage& image);

struct FrameJudgement {
    FrameVerdict verdict = FrameVerdict::Counts;
    std::optional<int> element; // the cell of the session's map the frame was taken in
};

// Judges `frame` for a session tuning by `settings`. `previous` is the frame before it; without
// one the throttle is not judged (a caller that needs steadiness checks the gap itself).
[[nodiscard]] FrameJudgement judgeFrame(const TuningFrame& frame, const TuningFrame* previous, const ParamImage& image,
                                        const TuningSettings& settings);

} // namespace quorvel
