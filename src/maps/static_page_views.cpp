#include "maps/static_page_views.h"

#include "core/control_views.h"
#include "core/page_index.h"
#include "model/idle_servo_units.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kServoInEnableOffset = 209;
constexpr int kServoInProcentOffset = 213;
constexpr int kPotencModeOffset = 225;
constexpr int kGasOffset = 248;
constexpr int kTempDisplayOffset = 257;
constexpr int kGearSystemOffset = 286;
constexpr int kPocetGearOffset = 287;
constexpr int kIdleModeOffset = 2750;
constexpr int kIdleAdvOnOffset = 2777;

constexpr int kIntakePortBike = 47;
constexpr int kChokeBike = 38;
constexpr std::array kTempDisplayBikes = {17, 18, 27, 34, 35, 42, 47, 51};

constexpr int kGearVoltage = 0;
constexpr int kGearRatio = 1;
constexpr int kGearAutomat = 2;
constexpr int kGearNone = 3;
constexpr int kMaxGear = 6;
constexpr int kIdleTargets = 9;

enum IdleMode : int { kIdleNone = 0, kIdleServo = 1, kIdleStepMotor = 2, kIdleStepMotorTps = 3 };

// The texts of the idle page in the numbered tables.
constexpr int kTextServoMustBeEnabled = 70;
constexpr int kTextServoMustBeDisabled = 71;
constexpr int kTextDesiredRpm = 74;
constexpr int kTextServoStartPosition = 75;
constexpr int kTextTpsMinSteps = 76;
constexpr int kTextMinPosition = 77;

// The regulation-direction box of the idle page by language (English, German, French, Czech).
constexpr std::array<std::string_view, 4> kMinimumCheck = {"Min-Max (Minimum check)", "Min-Max (Minimum abhacken)",
                                                           "Min-Max (Minimum check)", "Min-Max (Minimum zaškrtnout)"};
constexpr std::array<std::string_view, 4> kInverseDirection = {
    "Inverze direction of regulation", "Umgekehrt Richtung", "Inverze direction of regulation", "Opačný směr regulace"};

// Collects views: single controls by name, numbered series by name and index.
class Views {
public:
    void show(std::string_view name, bool visible) { m_views.push_back(visibilityView({name}, visible)); }
    void show(std::initializer_list<std::string_view> names, bool visible)
    {
        for (std::string_view name : names)
            show(name, visible);
    }
    void showRow(std::string_view name, int index, bool visible)
    {
        m_views.push_back(visibilityView({name, index}, visible));
    }
    void enable(std::string_view name, bool enabled) { m_views.push_back(enabledView({name}, enabled)); }
    void caption(std::string_view name, std::string text) { m_views.push_back(captionView({name}, std::move(text))); }
    void add(ControlView view) { m_views.push_back(std::move(view)); }

    ViewSet take() { return std::move(m_views); }

private:
    ViewSet m_views;
};

bool hasTempDisplay(int bike)
{
    return std::ranges::find(kTempDisplayBikes, bike) != kTempDisplayBikes.end();
}

} // namespace

ViewSet bikeView(const ParamImage& image)
{
    Views v;
    v.show("GroupBoxIntakePort", image.byte(kBikeOffset) == kIntakePortBike);
    return v.take();
}

ViewSet cidlaView(const ParamImage& image)
{
    Views v;
    v.show({"EditPotencRozsah", "LabelPotencRozsah"}, image.byte(kPotencModeOffset) != 0);
    return v.take();
}

ViewSet gasView(const ParamImage& image)
{
    Views v;
    v.show({"GroupBoxGas", "GroupBoxRetard"}, image.byte(kGasOffset) != 0);
    return v.take();
}

ViewSet raceView(const ParamImage& image)
{
    Views v;
    const int gears = image.byte(kPocetGearOffset);
    const bool detected = image.byte(kGearSystemOffset) != kGearNone;
    v.enable("CheckBoxTempDisplay", hasTempDisplay(image.byte(kBikeOffset)));
    v.showRow("LabelRaceGear", 1, detected);
    for (int gear = 2; gear <= kMaxGear; ++gear) {
        const bool shown = detected && gears >= gear;
        v.showRow("LabelRaceGear", gear, shown);
        for (std::string_view row : {"EditPilotLight1", "EditPilotLight2", "EditClutchTime", "EditClutchPause"})
            v.showRow(row, gear - 1, shown);
    }
    return v.take();
}

ViewSet gearView(const ParamImage& image)
{
    Views v;
    const int s = image.byte(kGearSystemOffset);
    const int g = image.byte(kPocetGearOffset);
    const bool learns = s == kGearVoltage || s == kGearRatio;
    const bool detected = s != kGearNone;
    for (int gear = 2; gear <= kMaxGear; ++gear) {
        for (std::string_view label :
             {"LabelGear", "LabelPomerRpmSpeed", "LabelMonPomerRpmSpeedAuto", "LabelMonGearAuto"})
            v.showRow(label, gear, g >= gear);
    }
    v.showRow("ButtonGear", 0, learns);
    v.showRow("ButtonGear", 1, learns);
    for (int gear = 2; gear <= kMaxGear; ++gear)
        v.showRow("ButtonGear", gear, learns && g >= gear);
    v.showRow("LabelGearKor", 1, detected);
    for (int gear = 2; gear <= kMaxGear; ++gear) {
        const bool shown = detected && g >= gear;
        v.showRow("LabelGearKor", gear, shown);
        v.showRow("EditGearNapeti", gear, shown);
        for (std::string_view row : {"EditPomerRpmSpeed", "EditGearKorAdv", "EditGearKorJet"})
            v.showRow(row, gear - 1, shown);
    }
    v.show({"EditPocetGear", "LabelPocetGear"}, detected);
    v.show("GroupBoxNapetiProGear", s == kGearVoltage);
    v.show("GroupBoxRpmSpeedProGear", s == kGearRatio);
    v.show("GroupBoxMonAutoGear", s == kGearAutomat);
    v.show("LabelMonPomerRpmSpeed", s == kGearRatio || s == kGearAutomat);
    return v.take();
}

ViewSet idleView(const ParamImage& image, const MessageTexts& texts, Language language)
{
    Views v;
    const int m = image.byte(kIdleModeOffset);
    const bool a = image.byte(kIdleAdvOnOffset) != 0;
    const bool c = image.byte(kBikeOffset) == kChokeBike;
    const bool servoEnabled = image.byte(kServoInEnableOffset) != 0;
    const bool servoInPercent = image.byte(kServoInProcentOffset) != 0;

    v.show("RadioGroupIdleMode", !c);
    v.show("GroupBoxIdleServoPoz", m != kIdleNone || c);
    v.show("CheckBoxIdleSmerReg", m != kIdleNone);
    v.show({"EditIdleStepPuls", "LabelIdleStepPuls"}, m >= kIdleStepMotor);
    v.show({"EditIdleStepPerioda", "LabelIdleStepPerioda"}, m >= kIdleStepMotor || c);
    v.show({"EditIdleStart", "LabelIdleStart"}, m == kIdleStepMotor);
    v.show({"LabelIdleKorAdv", "GroupBoxIdleAdvPoz", "EditIdleAdvNaRpm", "LabelIdleAdvNaRpm", "EditIdleAdvNaCas",
            "LabelIdleAdvNaCas", "EditIdleMaxAdv", "LabelIdleMaxAdv"},
           a);
    v.show({"EditIdleRpmMez", "LabelIdleRpmMez", "EditIdleTpsMez", "LabelIdleTpsMez"}, a || m == kIdleStepMotor || c);
    v.show({"EditIdleHyster", "LabelIdleHyster"}, m == kIdleStepMotor || c);

    std::optional<int> warning;
    std::string title;
    switch (m) {
    case kIdleNone:
        title = texts.text(kTextMinPosition);
        break;
    case kIdleServo:
        if (!servoEnabled)
            warning = kTextServoMustBeEnabled;
        title = std::string(texts.text(kTextServoStartPosition)) + (servoInPercent ? " [%]" : " [mV]");
        break;
    case kIdleStepMotor:
        if (servoEnabled)
            warning = kTextServoMustBeDisabled;
        title = texts.text(kTextDesiredRpm);
        break;
    case kIdleStepMotorTps:
        if (servoEnabled)
            warning = kTextServoMustBeDisabled;
        title = texts.text(kTextTpsMinSteps);
        break;
    default:
        break;
    }
    v.show("LabelIdleModeErr", warning.has_value());
    if (warning)
        v.caption("LabelIdleModeErr", std::string(texts.text(*warning)));
    if (m <= kIdleStepMotorTps)
        v.caption("GroupBoxIdleServoPoz", title);

    for (ControlView& range : idleRanges(image))
        v.add(std::move(range));

    const auto lang =
        static_cast<std::size_t>(language) < kMinimumCheck.size() ? static_cast<std::size_t>(language) : 0;
    v.caption("CheckBoxIdleSmerReg", std::string(m == kIdleServo ? kMinimumCheck[lang] : kInverseDirection[lang]));
    return v.take();
}

ViewSet idleRanges(const ParamImage& image)
{
    const int m = image.byte(kIdleModeOffset);
    // A mode the page does not offer (read from a unit or a file) gets the widest step-motor range.
    const ControlRange range = m <= kIdleStepMotorTps ? IdleServoUnits::range(m, image.byte(kServoInProcentOffset) != 0)
                                                      : ControlRange{0, 12000, 10};
    ViewSet views;
    for (int i = 0; i < kIdleTargets; ++i)
        views.push_back(upperRangeView({"EditIdleServoPoz", i}, range.maximum, range.step));
    return views;
}

bool clearUnsupportedTempDisplay(ParamImage& image)
{
    if (hasTempDisplay(image.byte(kBikeOffset)) || image.byte(kTempDisplayOffset) == 0)
        return false;
    image.setByte(kTempDisplayOffset, 0);
    return true;
}

ViewSet staticPageView(int page, const ParamImage& image, const MessageTexts& texts, Language language)
{
    switch (page) {
    case kPageBike:
        return bikeView(image);
    case kPageCidla:
        return cidlaView(image);
    case kPageIdle:
        return idleView(image, texts, language);
    case kPageGas:
        return gasView(image);
    case kPageRace:
        return raceView(image);
    case kPageGear:
        return gearView(image);
    default:
        return {};
    }
}

} // namespace quorvel
