#pragma once

#include "core/link_frame.h"
#include "core/param_image.h"
#include "log/tuning_rules.h"
#include "log/tuning_settings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// What the checks before a session starts can find; the window turns each into words.
enum class PreflightCode : std::uint8_t {
    NoUnit,            // no unit answers the monitor requests
    LambdaLineIsTacho, // the tacho/lambda line carries the tacho
    CoolantSensorFailed,
    CoolantCold,               // below the warm temperature: the warm-up correction is on
    TargetOutsideSwitching,    // target +- band reaches the sensor's lean or rich level
    MapTakesNoTuning,          // not an injection map
    MapFollowsJet1A,           // in "1=2=3=4" the map is a copy of Inj. 1A
    MapNotInUse,               // the unit doses by another map, or the cylinder is not fitted
    MapNotShown,               // the page shown is not the map's
    CouplingAddsToOtherMaps,   // "Coupled": each change of Inj. 1A goes into 2A..4A too
    CouplingCopiesToOtherMaps, // "1=2=3=4": 2A..4A become copies of Inj. 1A
    CouplingLeavesOtherMaps,   // the sensor sees every cylinder, but only this map changes
    FrameWouldNotCount,        // the engine as it runs now would not count (the verdict says why)
};

enum class PreflightSeverity : std::uint8_t { Blocks, Advice };

// The change that mends a finding, where one can: a field of the image to a shown value, the
// page to show, or the map to tune (by its MapId).
enum class PreflightFixKind : std::uint8_t { None, SetField, ShowPage, TuneMap };

struct PreflightFix {
    PreflightFixKind kind = PreflightFixKind::None;
    std::string_view field; // SetField: the parameter's name
    int value = 0;          // the shown value, the page index or the MapId

    bool operator==(const PreflightFix&) const = default;
};

struct PreflightFinding {
    PreflightCode code;
    PreflightSeverity severity;
    PreflightFix fix{};
    std::optional<FrameVerdict> verdict{}; // FrameWouldNotCount: why

    bool operator==(const PreflightFinding&) const = default;
};

// The coolant temperature from which the engine counts as warm.
inline constexpr int kWarmCoolantCelsius = 70;
// How far inside the sensor's lean and rich levels the target band must stay to tell both sides.
inline constexpr int kSwitchingMarginMv = 25;

struct PreflightInput {
    const ParamImage& image;
    const TuningSettings& settings;
    std::optional<LinkFrame> lastFrame; // the last monitor frame; none while no unit answers
    int shownPage = 0;
};

// Every finding, blocking ones first, in the order of PreflightCode within each kind.
[[nodiscard]] std::vector<PreflightFinding> preflightTuning(const PreflightInput& input);

[[nodiscard]] bool mayStart(std::span<const PreflightFinding> findings);

} // namespace quorvel
