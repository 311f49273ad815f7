#include "log/tuning_preflight.h"

#include "core/page_index.h"
#include "log_frames.h"
#include "log_test_image.h"
#include "model/jet_coupling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace quorvel {
namespace {

using test::LiveFrame;
using test::tuningFrame;

// A unit that reports a warm engine on lambda, one cylinder, Inj. 1A shown: nothing to find.
struct Rig {
    ParamImage image = test::logTestImage();
    TuningSettings settings;
    std::optional<LiveFrame> frame = tuningFrame();
    int shownPage = kPageInj1A;

    [[nodiscard]] std::vector<PreflightFinding> findings() const
    {
        std::optional<LinkFrame> last;
        if (frame)
            last = frame->sealed();
        return preflightTuning({image, settings, last, shownPage});
    }
};

struct PreflightCase {
    const char* name;
    std::function<void(Rig&)> change;
    std::vector<PreflightFinding> expected;
};

constexpr auto kBlocks = PreflightSeverity::Blocks;
constexpr auto kAdvice = PreflightSeverity::Advice;

PreflightFix setField(std::string_view name, int value)
{
    return {PreflightFixKind::SetField, name, value};
}

PreflightFix tuneMap(MapId map)
{
    return {PreflightFixKind::TuneMap, {}, static_cast<int>(map)};
}

class PreflightFindings : public ::testing::TestWithParam<PreflightCase> {};

TEST_P(PreflightFindings, EachWithItsReasonAndFix)
{
    Rig setup;
    GetParam().change(setup);
    const std::vector<PreflightFinding> findings = setup.findings();
    EXPECT_EQ(findings, GetParam().expected);
    const bool blocked = std::ranges::any_of(
        GetParam().expected, [](const PreflightFinding& f) { return f.severity == PreflightSeverity::Blocks; });
    EXPECT_EQ(mayStart(findings), !blocked);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PreflightFindings,
    ::testing::Values(
        PreflightCase{"AllReady", [](Rig&) {}, {}},
        PreflightCase{"NoUnitAnswers", [](Rig& s) { s.frame.reset(); }, {{PreflightCode::NoUnit, kBlocks}}},
        PreflightCase{"TachoOnTheLambdaLine", [](Rig& s) { s.frame->tachoLine(); },
                      {{PreflightCode::LambdaLineIsTacho, kBlocks, setField("AktRpm", 1)}}},
        PreflightCase{"TachoWithTheInputActiveWhenClosed",
                      [](Rig& s) {
                          s.frame->tachoLine();
                          s.image.setByte(177, 1);
                      },
                      {{PreflightCode::LambdaLineIsTacho, kBlocks, setField("AktRpm", 0)}}},
        PreflightCase{"CoolantCold", [](Rig& s) { s.frame->coolantCelsius(69); },
                      {{PreflightCode::CoolantCold, kBlocks}}},
        PreflightCase{"CoolantJustWarm", [](Rig& s) { s.frame->coolantCelsius(70); }, {}},
        PreflightCase{"CoolantSensorFailed", [](Rig& s) { s.frame->byte(23, 0); },
                      {{PreflightCode::CoolantSensorFailed, kBlocks}}},
        // The band of the unit's own default target, 800 +- 50 mV, reaches the rich level.
        PreflightCase{"TargetBandReachesTheRichLevel", [](Rig& s) { s.settings.targetMv = 800; },
                      {{PreflightCode::TargetOutsideSwitching, kBlocks, setField("LadeniLambda", 770)}}},
        PreflightCase{"TargetBeyondTheSensor", [](Rig& s) { s.settings.targetMv = 1000; },
                      {{PreflightCode::TargetOutsideSwitching, kBlocks, setField("LadeniLambda", 770)}}},
        PreflightCase{"WideBandNeedsAHigherTarget",
                      [](Rig& s) {
                          s.settings.targetMv = 400;
                          s.settings.bandMv = 300;
                      },
                      {{PreflightCode::TargetOutsideSwitching, kBlocks, setField("LadeniLambda", 430)}}},
        PreflightCase{"BandTooWideForAnyTarget", [](Rig& s) { s.settings.bandMv = 380; },
                      {{PreflightCode::TargetOutsideSwitching, kBlocks, setField("LadeniHyster", 320)}}},
        PreflightCase{"AdvanceMapTakesNoTuning",
                      [](Rig& s) {
                          s.settings.map = MapId::Advance;
                          s.shownPage = kPageAdvance;
                      },
                      {{PreflightCode::MapTakesNoTuning, kBlocks, tuneMap(MapId::Jet1A)}}},
        PreflightCase{"MapOfAnotherPageShown", [](Rig& s) { s.shownPage = kPageMonitor; },
                      {{PreflightCode::MapNotShown, kBlocks, {PreflightFixKind::ShowPage, {}, kPageInj1A}}}},
        PreflightCase{"UnitDosesByTheIapMap", [](Rig& s) { s.frame->jetShare(0); },
                      {{PreflightCode::MapNotInUse, kBlocks, tuneMap(MapId::Iap)}}},
        PreflightCase{"IapMapWhileTheThrottleMapsDose",
                      [](Rig& s) {
                          s.settings.map = MapId::Iap;
                          s.shownPage = kPageInjIap;
                      },
                      {{PreflightCode::MapNotInUse, kBlocks, tuneMap(MapId::Jet1A)}}},
        PreflightCase{"CylinderNotFitted",
                      [](Rig& s) {
                          s.settings.map = MapId::Jet2A;
                          s.shownPage = kPageInj2A;
                      },
                      {{PreflightCode::MapNotInUse, kBlocks, tuneMap(MapId::Jet1A)}}},
        PreflightCase{"CopyOfInj1AInSameMode",
                      [](Rig& s) {
                          s.image.setByte(406, 2);
                          s.image.setByte(kJet123ModeOffset, 2);
                          s.settings.map = MapId::Jet2A;
                          s.shownPage = kPageInj2A;
                      },
                      {{PreflightCode::MapFollowsJet1A, kBlocks, tuneMap(MapId::Jet1A)}}},
        PreflightCase{"CoupledModeAddsToTheOtherMaps",
                      [](Rig& s) {
                          s.image.setByte(406, 4);
                          s.image.setByte(kJet123ModeOffset, 1);
                      },
                      {{PreflightCode::CouplingAddsToOtherMaps, kAdvice}}},
        PreflightCase{"SameModeCopiesToTheOtherMaps",
                      [](Rig& s) {
                          s.image.setByte(406, 4);
                          s.image.setByte(kJet123ModeOffset, 2);
                      },
                      {{PreflightCode::CouplingCopiesToOtherMaps, kAdvice}}},
        PreflightCase{"NormalModeWithTwoCylindersChangesOneMap", [](Rig& s) { s.image.setByte(406, 2); },
                      {{PreflightCode::CouplingLeavesOtherMaps, kAdvice, setField("Jet123Mode", 1)}}},
        PreflightCase{"CorrectionOnNowCountsNothing", [](Rig& s) { s.frame->word(104, 960); },
                      {{PreflightCode::FrameWouldNotCount, kAdvice, {}, FrameVerdict::CorrectionActive}}},
        PreflightCase{"SharedDosingCountsNothing", [](Rig& s) { s.frame->jetShare(60); },
                      {{PreflightCode::FrameWouldNotCount, kAdvice, {}, FrameVerdict::MapNotInUse}}},
        PreflightCase{"BlockingFindingsComeFirst",
                      [](Rig& s) {
                          s.image.setByte(406, 2);
                          s.frame->coolantCelsius(20).rpm(0);
                      },
                      {{PreflightCode::CoolantCold, kBlocks},
                       {PreflightCode::CouplingLeavesOtherMaps, kAdvice, setField("Jet123Mode", 1)},
                       {PreflightCode::FrameWouldNotCount, kAdvice, {}, FrameVerdict::EngineStopped}}}),
    [](const ::testing::TestParamInfo<PreflightCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace quorvel
