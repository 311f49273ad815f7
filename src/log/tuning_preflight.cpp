#include "log/tuning_preflight.h"

#include "core/lambda_sensor_levels.h"
#include "core/monitor_channels.h"
#include "log/correction_suggestions.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "model/jet_coupling.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kCylinderCount = 406;
constexpr int kFieldStep = 10; // LadeniLambda and LadeniHyster move in steps of 10 mV
constexpr int kSafeTargetMv = 450;

class Findings {
public:
    void blocks(PreflightCode code, PreflightFix fix = {}) { m_list.push_back({code, PreflightSeverity::Blocks, fix}); }
    void advice(PreflightCode code, PreflightFix fix = {}, std::optional<FrameVerdict> verdict = std::nullopt)
    {
        m_list.push_back({code, PreflightSeverity::Advice, fix, verdict});
    }
    [[nodiscard]] std::size_t size() const { return m_list.size(); }
    [[nodiscard]] std::vector<PreflightFinding> sorted() &&
    {
        std::ranges::sort(m_list, {}, [](const PreflightFinding& f) { return std::pair(f.severity, f.code); });
        return std::move(m_list);
    }

private:
    std::vector<PreflightFinding> m_list;
};

PreflightFix setField(std::string_view name, int value)
{
    return {PreflightFixKind::SetField, name, value};
}

PreflightFix tuneMap(MapId map)
{
    return {PreflightFixKind::TuneMap, {}, static_cast<int>(map)};
}

bool isFollowerCandidate(MapId map)
{
    return map == MapId::Jet2A || map == MapId::Jet3A || map == MapId::Jet4A;
}

bool isAMap(MapId map)
{
    return map == MapId::Jet1A || isFollowerCandidate(map);
}

// The band must lie strictly between the sensor's two levels, with a margin, or one side can
// never be told. The fix moves the target as little as will do, or narrows the band where no
// target would.
void checkTarget(const TuningSettings& settings, Findings& findings)
{
    const int lean = kLambdaLeanMillivolts + kSwitchingMarginMv;
    const int rich = kLambdaRichMillivolts - kSwitchingMarginMv;
    const int target = settings.targetMv;
    const int band = settings.bandMv;
    if (target - band > lean && target + band < rich)
        return;
    const Field& targetField = *FieldTable::byName("LadeniLambda");
    const int lowest = std::max(targetField.minimum, (lean + band + kFieldStep) / kFieldStep * kFieldStep);
    const int highest = std::min(targetField.maximum, (rich - band - 1) / kFieldStep * kFieldStep);
    if (lowest <= highest) {
        findings.blocks(PreflightCode::TargetOutsideSwitching,
                        setField("LadeniLambda", std::clamp(target, lowest, highest)));
        return;
    }
    const int widest = (std::min(target - lean, rich - target) - 1) / kFieldStep * kFieldStep;
    findings.blocks(PreflightCode::TargetOutsideSwitching,
                    widest >= kFieldStep ? setField("LadeniHyster", widest) : setField("LadeniLambda", kSafeTargetMv));
}

void checkMap(const PreflightInput& input, Findings& findings)
{
    const MapId map = input.settings.map;
    const JetCoupling coupling = JetCoupling::fromImage(input.image);
    if (!takesCorrections(map)) {
        findings.blocks(PreflightCode::MapTakesNoTuning, tuneMap(MapId::Jet1A));
        return;
    }
    if (coupling.same && isFollowerCandidate(map))
        findings.blocks(PreflightCode::MapFollowsJet1A, tuneMap(MapId::Jet1A));
    if (input.shownPage != MapTable::of(map).page)
        findings.blocks(PreflightCode::MapNotShown, {PreflightFixKind::ShowPage, {}, MapTable::of(map).page});

    if (map == MapId::Jet1A && coupling.coupled)
        findings.advice(PreflightCode::CouplingAddsToOtherMaps);
    else if (map == MapId::Jet1A && coupling.same)
        findings.advice(PreflightCode::CouplingCopiesToOtherMaps);
    else if (isAMap(map) && !coupling.same && input.image.byte(kCylinderCount) > 1)
        findings.advice(PreflightCode::CouplingLeavesOtherMaps,
                        map == MapId::Jet1A ? setField("Jet123Mode", static_cast<int>(Jet123Mode::Coupled))
                                            : tuneMap(MapId::Jet1A));
}

void checkEngine(const PreflightInput& input, FrameBytes frame, Findings& findings)
{
    const TuningFrame now = readTuningFrame(0, frame, input.image);
    const MapId map = input.settings.map;
    if (now.lambdaLineIsTacho) {
        const int aktRpm = readShown(input.image, *FieldTable::byName("AktRpm"));
        findings.blocks(PreflightCode::LambdaLineIsTacho, setField("AktRpm", aktRpm != 0 ? 0 : 1));
    }
    if (frameValue(frame, MonitorValue::CoolantError) != 0)
        findings.blocks(PreflightCode::CoolantSensorFailed);
    else if (now.live.CoolantRaw - 100 < kWarmCoolantCelsius)
        findings.blocks(PreflightCode::CoolantCold);

    const int cylinders = std::clamp<int>(input.image.byte(kCylinderCount), 1, 4);
    const std::size_t before = findings.size();
    if (isAMap(map) && static_cast<int>(map) - static_cast<int>(MapId::Jet1A) >= cylinders)
        findings.blocks(PreflightCode::MapNotInUse, tuneMap(MapId::Jet1A));
    else if (isAMap(map) && now.live.UsesIapMap && !now.live.UsesTpsMaps)
        findings.blocks(PreflightCode::MapNotInUse, tuneMap(MapId::Iap));
    else if (map == MapId::Iap && now.live.UsesTpsMaps && !now.live.UsesIapMap)
        findings.blocks(PreflightCode::MapNotInUse, tuneMap(MapId::Jet1A));

    if (!takesCorrections(map))
        return;
    switch (const FrameVerdict verdict = judgeFrame(now, nullptr, input.image, input.settings).verdict) {
    case FrameVerdict::EngineStopped:
    case FrameVerdict::FuelCut:
    case FrameVerdict::Limiter:
    case FrameVerdict::CorrectionActive:
    case FrameVerdict::SensorSilent:
        findings.advice(PreflightCode::FrameWouldNotCount, {}, verdict);
        break;
    case FrameVerdict::MapNotInUse: // another map takes a share now; none at all was told above
        if (findings.size() == before)
            findings.advice(PreflightCode::FrameWouldNotCount, {}, verdict);
        break;
    default: // told above, or a matter of where the rider goes next
        break;
    }
}

} // namespace

std::vector<PreflightFinding> preflightTuning(const PreflightInput& input)
{
    Findings findings;
    if (!input.lastFrame)
        findings.blocks(PreflightCode::NoUnit);
    else
        checkEngine(input, *input.lastFrame, findings);
    checkTarget(input.settings, findings);
    checkMap(input, findings);
    return std::move(findings).sorted();
}

bool mayStart(std::span<const PreflightFinding> findings)
{
    return std::ranges::none_of(findings,
                                [](const PreflightFinding& f) { return f.severity == PreflightSeverity::Blocks; });
}

} // namespace quorvel
