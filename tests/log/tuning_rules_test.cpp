#include "log/tuning_rules.h"

#include "log_frames.h"
#include "log_test_image.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel {
namespace {

using test::element;
using test::LiveFrame;
using test::tuningFrame;

struct VerdictCase {
    const char* name;
    std::function<void(LiveFrame&)> change;
    FrameVerdict verdict;
    std::function<void(TuningSettings&, ParamImage&)> setUp{};
    int previousThrottleTenths = 200; // of the frame 330 ms before
    std::uint32_t gapMs = 330;
};

class FrameVerdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(FrameVerdicts, FirstReasonDecides)
{
    const VerdictCase& c = GetParam();
    ParamImage image = test::logTestImage();
    TuningSettings settings;
    if (c.setUp)
        c.setUp(settings, image);
    LiveFrame now = tuningFrame();
    c.change(now);
    const TuningFrame before =
        readTuningFrame(1000, tuningFrame().throttleTenths(c.previousThrottleTenths).sealed(), image);
    const TuningFrame frame = readTuningFrame(1000 + c.gapMs, now.sealed(), image);

    const FrameJudgement judgement = judgeFrame(frame, &before, image, settings);
    EXPECT_EQ(judgement.verdict, c.verdict);
    if (c.verdict == FrameVerdict::Counts) {
        EXPECT_EQ(judgement.element, element(4, 2));
    }
}

const auto unchanged = [](LiveFrame&) {};

INSTANTIATE_TEST_SUITE_P(
    Table, FrameVerdicts,
    ::testing::Values(
        VerdictCase{"SteadyWarmEngineInItsCell", unchanged, FrameVerdict::Counts},
        VerdictCase{"TachoOnTheLambdaLine", [](LiveFrame& f) { f.tachoLine(); }, FrameVerdict::LambdaLineIsTacho},
        VerdictCase{"EngineStopped", [](LiveFrame& f) { f.rpm(0); }, FrameVerdict::EngineStopped},
        VerdictCase{"IapMapTakesAShare", [](LiveFrame& f) { f.jetShare(60); }, FrameVerdict::MapNotInUse},
        VerdictCase{"ThrottleSensorFailed", [](LiveFrame& f) { f.bit(4, 0, true); }, FrameVerdict::MapNotInUse},
        VerdictCase{"CylinderOfTheMapNotFitted", unchanged, FrameVerdict::MapNotInUse,
                    [](TuningSettings& s, ParamImage& image) {
                        s.map = MapId::Jet3A;
                        image.setByte(406, 2);
                    }},
        VerdictCase{"IapMapWhileTheThrottleMapsDose", unchanged, FrameVerdict::MapNotInUse,
                    [](TuningSettings& s, ParamImage&) { s.map = MapId::Iap; }},
        VerdictCase{"OverrunCutsTheFuel", [](LiveFrame& f) { f.injection1A(0); }, FrameVerdict::FuelCut},
        VerdictCase{"IgnitionLimiter", [](LiveFrame& f) { f.bit(2, 2, true); }, FrameVerdict::Limiter},
        VerdictCase{"InjectionLimiter", [](LiveFrame& f) { f.bit(2, 3, true); }, FrameVerdict::Limiter},
        VerdictCase{"RetardLimiter", [](LiveFrame& f) { f.bit(2, 4, true); }, FrameVerdict::Limiter},
        VerdictCase{"WarmUpEnrichment", [](LiveFrame& f) { f.word(100, 1150); }, FrameVerdict::CorrectionActive},
        VerdictCase{"AirTemperatureCorrection", [](LiveFrame& f) { f.word(102, 980); }, FrameVerdict::CorrectionActive},
        VerdictCase{"AirPressureCorrection", [](LiveFrame& f) { f.word(104, 1010); }, FrameVerdict::CorrectionActive},
        VerdictCase{"StartEnrichment", [](LiveFrame& f) { f.word(106, 2000); }, FrameVerdict::CorrectionActive},
        VerdictCase{"ACorrectionOfZeroIsNoNeutralOne", [](LiveFrame& f) { f.word(100, 0); },
                    FrameVerdict::CorrectionActive},
        VerdictCase{"PreviousFrameLongAgo", unchanged, FrameVerdict::LinkGap, {}, 200, 1001},
        // 3.3 % in 330 ms is 10 %/s: as fast as the acceleration enrichment's lowest threshold.
        VerdictCase{"ThrottleOpeningAtTenPercentASecond", unchanged, FrameVerdict::ThrottleMoving, {}, 167},
        VerdictCase{"ThrottleClosingFast", unchanged, FrameVerdict::ThrottleMoving, {}, 300},
        VerdictCase{"ThrottleJustSteadyEnough", unchanged, FrameVerdict::Counts, {}, 168},
        VerdictCase{"SensorColdOrUnplugged", [](LiveFrame& f) { f.lambda(39); }, FrameVerdict::SensorSilent},
        VerdictCase{"LeanestLiveReadingStillCounts", [](LiveFrame& f) { f.lambda(40); }, FrameVerdict::Counts},
        VerdictCase{"CellOutsideTheSessionsRange", unchanged, FrameVerdict::OutsideRange,
                    [](TuningSettings& s, ParamImage&) {
                        s.range = {0, 3, 0, 14};
                    }},
        VerdictCase{"RpmBeyondTheWindow", [](LiveFrame& f) { f.rpm(3101); }, FrameVerdict::OutsideWindows},
        VerdictCase{"RpmAtTheWindowsEdge", [](LiveFrame& f) { f.rpm(2900); }, FrameVerdict::Counts},
        VerdictCase{"ThrottleBeyondTheWindow",
                    [](LiveFrame& f) { f.throttleTenths(211); },
                    FrameVerdict::OutsideWindows,
                    {},
                    211},
        VerdictCase{
            "ThrottleAtTheWindowsEdge", [](LiveFrame& f) { f.throttleTenths(210); }, FrameVerdict::Counts, {}, 210},
        VerdictCase{"IapRowWindowInKpa", [](LiveFrame& f) { f.jetShare(0).iapKpa(72); }, FrameVerdict::OutsideWindows,
                    [](TuningSettings& s, ParamImage&) { s.map = MapId::Iap; }},
        VerdictCase{"IapMapDosingAloneCounts", [](LiveFrame& f) { f.jetShare(0).iapKpa(71); }, FrameVerdict::Counts,
                    [](TuningSettings& s, ParamImage&) { s.map = MapId::Iap; }}),
    [](const ::testing::TestParamInfo<VerdictCase>& row) { return std::string(row.param.name); });

TEST(TuningFrameReading, FuelCutLooksOnlyAtFittedCylinders)
{
    ParamImage image = test::logTestImage();
    image.setByte(406, 2);
    // Cylinder 3 is injected, but it is not fitted: its byte is noise.
    const LinkFrame frame = tuningFrame().injection1A(0).byte(16, 30).sealed();
    EXPECT_TRUE(readTuningFrame(0, frame, image).fuelCut);
    EXPECT_FALSE(readTuningFrame(0, tuningFrame().injection1A(0).byte(15, 30).sealed(), image).fuelCut);
    EXPECT_FALSE(readTuningFrame(0, tuningFrame().injection1A(0).rpm(0).sealed(), image).fuelCut);
}

} // namespace
} // namespace quorvel
