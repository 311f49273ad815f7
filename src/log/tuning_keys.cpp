#include "log/tuning_keys.h"

#include <array>

namespace quorvel {
namespace {

// In the order of each enumeration.
constexpr std::array<std::string_view, 13> kPreflightKeys = {
    "PreflightNoUnit",
    "PreflightLambdaLineIsTacho",
    "PreflightCoolantSensorFailed",
    "PreflightCoolantCold",
    "PreflightTargetOutsideSwitching",
    "PreflightMapTakesNoTuning",
    "PreflightMapFollowsJet1A",
    "PreflightMapNotInUse",
    "PreflightMapNotShown",
    "PreflightCouplingAddsToOtherMaps",
    "PreflightCouplingCopiesToOtherMaps",
    "PreflightCouplingLeavesOtherMaps",
    "PreflightFrameWouldNotCount",
};
static_assert(kPreflightKeys.size() == static_cast<std::size_t>(PreflightCode::FrameWouldNotCount) + 1);

constexpr std::array<std::string_view, kFrameVerdictCount> kVerdictKeys = {
    "VerdictCounts",         "VerdictLambdaLineIsTacho", "VerdictEngineStopped",    "VerdictMapNotInUse",
    "VerdictFuelCut",        "VerdictLimiter",           "VerdictCorrectionActive", "VerdictLinkGap",
    "VerdictThrottleMoving", "VerdictSensorSilent",      "VerdictOutsideRange",     "VerdictOutsideWindows",
};

constexpr std::array<std::string_view, 4> kReadingKeys = {"ReadingNone", "ReadingLean", "ReadingInBand", "ReadingRich"};
static_assert(kReadingKeys.size() == static_cast<std::size_t>(CellReading::Rich) + 1);

constexpr std::array<std::string_view, 4> kStopKeys = {"StopNone", "StopLinkFault", "StopVerifyRefused",
                                                       "StopCellAtLimit"};
static_assert(kStopKeys.size() == static_cast<std::size_t>(UnattendedStop::CellAtLimit) + 1);

} // namespace

std::string_view textKey(PreflightCode code)
{
    return kPreflightKeys.at(static_cast<std::size_t>(code));
}

std::string_view textKey(FrameVerdict verdict)
{
    return kVerdictKeys.at(static_cast<std::size_t>(verdict));
}

std::string_view textKey(CellReading reading)
{
    return kReadingKeys.at(static_cast<std::size_t>(reading));
}

std::string_view textKey(UnattendedStop stop)
{
    return kStopKeys.at(static_cast<std::size_t>(stop));
}

} // namespace quorvel
