#include "core/monitor_decoder.h"

#include "core/monitor_channels.h"
#include "core/text_format.h"

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

// Numbers of the texts of the current language used here.
enum Text : int {
    kTextVersionMismatch = 9,
    kTextAdvance = 12,
    kTextProgramCount = 13,
    kTextBlocking = 14,
    kTextStartLimiter = 15,
    kTextIgnLimiter = 16,
    kTextJetLimiter = 17,
    kTextRetardLimiter = 18,
    kTextYes = 19,
    kTextNo = 20,
    kTextTwinkle = 21,
    kTextCkps = 33,
    kTextCmps = 34,
    kTextRunning = 35,
    kTextNoSignal = 36,
    kTextInjectionTime = 41,
    kTextMaxInjection = 42,
    kTextPosition = 43,
    kTextExhaustServo = 44,
    kTextIntakeServo = 45,
    kTextPotentiometer = 47,
    kTextFallSensor = 48,
    kTextCooling = 49,
    kTextGear = 50,
    kTextSpeed = 51,
    kTextShiftLight = 52,
    kTextChoke = 53,
    kTextClutchMaster = 62,
    kTextTacho = 63,
    kTextLambda = 64,
    kTextJetTps = 66,
    kTextCoolant = 69,
    kTextIdle = 73,
};

constexpr int kCylinderCountOffset = 406;
constexpr int kIgnLimiterOffset = 179;

// An on/off indicator: caption + " - " + "YES" or "NO".
struct Indicator {
    std::string_view label;
    int caption;
    MonitorValue value; // 1 while the input or output is active
    ColourRole onColour;
};

constexpr std::array<Indicator, 11> kIndicators = {{
    {"LabelMonFallIn", kTextFallSensor, MonitorValue::FallSensorIn, ColourRole::Fuchsia},
    {"LabelMonFallOut", kTextFallSensor, MonitorValue::FallSensorOut, ColourRole::Red},
    {"LabelMonBlock2In", kTextBlocking, MonitorValue::BlockingIn, ColourRole::Aqua},
    {"LabelMonBlock2Out", kTextBlocking, MonitorValue::BlockingOut, ColourRole::Red},
    {"LabelMonStartLimiterIn", kTextStartLimiter, MonitorValue::StartLimiterIn, ColourRole::Fuchsia},
    {"LabelMonStartLimiterOut", kTextStartLimiter, MonitorValue::StartLimiterOut, ColourRole::Fuchsia},
    {"LabelMonClutchIn", kTextClutchMaster, MonitorValue::ClutchIn, ColourRole::Lime},
    {"LabelMonClutchOut", kTextClutchMaster, MonitorValue::ClutchOut, ColourRole::Red},
    {"LabelMonIgnLimiter", kTextIgnLimiter, MonitorValue::IgnLimiter, ColourRole::Fuchsia},
    {"LabelMonJetLimiter", kTextJetLimiter, MonitorValue::JetLimiter, ColourRole::Fuchsia},
    {"LabelMonRetardLimiter", kTextRetardLimiter, MonitorValue::RetardLimiter, ColourRole::Fuchsia},
}};

constexpr std::array kAdvances = {MonitorValue::Advance1, MonitorValue::Advance2, MonitorValue::Advance3,
                                  MonitorValue::Advance4};
constexpr std::array kInjectionsA = {MonitorValue::Injection1A, MonitorValue::Injection2A, MonitorValue::Injection3A,
                                     MonitorValue::Injection4A};
constexpr std::array kInjectionsB = {MonitorValue::Injection1B, MonitorValue::Injection2B, MonitorValue::Injection3B,
                                     MonitorValue::Injection4B};
constexpr std::array kTests = {MonitorValue::Test1, MonitorValue::Test2, MonitorValue::Test3, MonitorValue::Test4,
                               MonitorValue::Test5, MonitorValue::Test6, MonitorValue::Test7, MonitorValue::Test8};
constexpr std::array kAutoRatios = {MonitorValue::GearRatio1, MonitorValue::GearRatio2, MonitorValue::GearRatio3,
                                    MonitorValue::GearRatio4, MonitorValue::GearRatio5, MonitorValue::GearRatio6};
constexpr int kVersionByte = 150;

constexpr std::array<std::string_view, 4> kIgnLabels = {"LabelMon_Ign1", "LabelMon_Ign2", "LabelMon_Ign3",
                                                        "LabelMon_Ign4"};
constexpr std::array<std::string_view, 4> kIgnFormats = {"%s 1= %2d °", "%s 2= %2d °", "%s 3= %2d °", "%s 4= %2d °"};
constexpr std::array<std::string_view, 4> kIgnBaseFormats = {"%s 1= BASE", "%s 2= BASE", "%s 3= BASE", "%s 4= BASE"};
constexpr std::array<std::string_view, 4> kJetALabels = {"LabelMon_Jet_1A", "LabelMon_Jet_2A", "LabelMon_Jet_3A",
                                                         "LabelMon_Jet_4A"};
constexpr std::array<std::string_view, 4> kJetAFormats = {"%s 1A = %d us", "%s 2A = %d us", "%s 3A = %d us",
                                                          "%s 4A = %d us"};
constexpr std::array<std::string_view, 4> kJetBLabels = {"LabelMon_Jet_1B", "LabelMon_Jet_2B", "LabelMon_Jet_3B",
                                                         "LabelMon_Jet_4B"};
constexpr std::array<std::string_view, 4> kJetBFormats = {"%s 1B = %d us", "%s 2B = %d us", "%s 3B = %d us",
                                                          "%s 4B = %d us"};
constexpr std::array<std::string_view, 8> kTestLabels = {"LabelTest1", "LabelTest2", "LabelTest3", "LabelTest4",
                                                         "LabelTest5", "LabelTest6", "LabelTest7", "LabelTest8"};
constexpr std::array<std::string_view, 8> kTestFormats = {"Test1= %d", "Test2= %d", "Test3= %d ", "Test4=%d",
                                                          "Test5= %d", "Test6= %d", "Test7= %d",  "Test8= %d"};
constexpr std::array<std::string_view, 6> kAutoRatioLabels = {
    "LabelMonPomerRpmSpeedAuto1", "LabelMonPomerRpmSpeedAuto2", "LabelMonPomerRpmSpeedAuto3",
    "LabelMonPomerRpmSpeedAuto4", "LabelMonPomerRpmSpeedAuto5", "LabelMonPomerRpmSpeedAuto6"};

int clampGauge(int value)
{
    return std::clamp(value, 0, 100);
}

class DisplayBuilder {
public:
    DisplayBuilder(FrameBytes frame, const MonitorContext& context, const MessageTexts& texts)
        : m_frame(frame)
        , m_context(context)
        , m_texts(texts)
    {
    }

    void build(const MonitorSnapshot& snapshot);
    MonitorDisplay take() { return std::move(m_display); }

private:
    [[nodiscard]] std::string text(int number) const { return std::string(m_texts.text(number)); }
    [[nodiscard]] std::string yesNo(bool on) const { return text(on ? kTextYes : kTextNo); }
    // The value as the frame holds it, and scaled into its unit.
    [[nodiscard]] int raw(MonitorValue value) const { return frameValue(m_frame, value); }
    [[nodiscard]] bool on(MonitorValue value) const { return raw(value) != 0; }
    [[nodiscard]] int steps(MonitorValue value) const { return channelSteps(m_frame, value); }
    [[nodiscard]] double scaled(MonitorValue value) const { return channelValue(m_frame, value); }

    void label(std::string_view name, std::string value, std::optional<ColourRole> colour = std::nullopt,
               std::optional<bool> visible = std::nullopt)
    {
        m_display.labels.push_back({{name}, std::move(value), colour, visible});
    }
    void hidden(std::string_view name) { m_display.labels.push_back({{name}, std::nullopt, std::nullopt, false}); }
    void gauge(std::string_view name, int value, std::optional<ColourRole> colour = std::nullopt)
    {
        m_display.gauges.push_back({name, clampGauge(value), colour});
    }

    void indicators();
    void advance(const MonitorSnapshot& snapshot);
    void injection(int rpm);
    void engineSpeed(const MonitorSnapshot& snapshot);
    void sensors(const MonitorSnapshot& snapshot);
    void temperatures();
    void servosAndCounters();
    void corrections();
    void gears();

    FrameBytes m_frame;
    const MonitorContext& m_context;
    const MessageTexts& m_texts;
    MonitorDisplay m_display;
};

void DisplayBuilder::indicators()
{
    for (const Indicator& indicator : kIndicators) {
        const bool active = on(indicator.value);
        label(indicator.label, text(indicator.caption) + " - " + yesNo(active),
              active ? indicator.onColour : ColourRole::NormalFace);
    }

    const std::string tachoLambda = text(kTextTacho) + "/" + text(kTextLambda);
    const bool tachoLambdaIn = on(MonitorValue::TachoLambdaIn);
    label("LabelMonRpmLambdaIn", tachoLambda + " - " + yesNo(tachoLambdaIn),
          tachoLambdaIn ? ColourRole::Aqua : ColourRole::NormalFace);
    const bool tacho = on(MonitorValue::TachoOutput);
    label("LabelMonRpmLambdaOut", tachoLambda + " - " + text(tacho ? kTextTacho : kTextLambda),
          tacho ? ColourRole::NormalFace : ColourRole::Aqua);

    const bool cooling = on(MonitorValue::Cooling);
    label("LabelClazeniMon", text(kTextCooling) + " - " + yesNo(cooling),
          cooling ? ColourRole::White : ColourRole::NormalFace);
    struct Pickup {
        std::string_view label;
        int caption;
        MonitorValue signal;
    };
    for (const Pickup& pickup : {Pickup{"LabelSnimacCkps", kTextCkps, MonitorValue::CkpsSignal},
                                 Pickup{"LabelSnimacCmps", kTextCmps, MonitorValue::CmpsSignal}}) {
        const bool running = on(pickup.signal);
        label(pickup.label, text(pickup.caption) + " - " + text(running ? kTextRunning : kTextNoSignal),
              running ? ColourRole::Lime : ColourRole::NormalFace);
    }

    constexpr std::array<int, 3> kPilotStates = {kTextNo, kTextYes, kTextTwinkle}; // off, on, blinking
    const int pilot = raw(MonitorValue::PilotLight);
    label("LabelMonPilotLight",
          text(m_context.chokeBike ? kTextChoke : kTextShiftLight) + " - " +
              text(kPilotStates[static_cast<std::size_t>(pilot)]),
          pilot != 0 ? ColourRole::Fuchsia : ColourRole::NormalFace);

    const bool n2o = on(MonitorValue::N2o);
    label("LabelN2oEnable", "N2O  - " + yesNo(n2o), n2o ? ColourRole::Lime : ColourRole::NormalFace,
          m_context.n2oEnabled);
    m_display.labels.push_back({{"LabelEeDataErr"}, std::nullopt, std::nullopt, on(MonitorValue::DataError)});

    const int version = m_frame[kVersionByte];
    if (version == kProgramVersion) {
        label("LabelVersion", "", ColourRole::White);
    } else {
        label("LabelVersion", text(kTextVersionMismatch) + formatText("  PC-%d, IGN-%d", int{kProgramVersion}, version),
              ColourRole::Red);
    }
}

void DisplayBuilder::advance(const MonitorSnapshot& snapshot)
{
    // A cylinder count beyond the four the frame carries would read injection bytes as advance.
    const int cylinders = std::clamp(m_context.cylinderCount, 0, 4);
    const std::string caption = text(kTextAdvance);
    for (int k = 1; k <= 4; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const bool shown = k == 1 || cylinders >= k;
        if (!shown) {
            hidden(kIgnLabels[i]);
            continue;
        }
        label(kIgnLabels[i],
              snapshot.BaseAdvance ? formatText(kIgnBaseFormats[i], caption.c_str())
                                   : formatText(kIgnFormats[i], caption.c_str(), raw(kAdvances[i])),
              std::nullopt, k == 1 ? std::nullopt : std::optional<bool>(true));
    }
    int sum = 0;
    for (int k = 1; k <= cylinders; ++k)
        sum += raw(kAdvances[static_cast<std::size_t>(k - 1)]);
    const int mean = cylinders == 0 ? raw(MonitorValue::Advance1) : sum / cylinders;
    label("LabelMon_Ign", snapshot.BaseAdvance ? formatText("%s = BASE", caption.c_str())
                                               : formatText("%s = %2d °", caption.c_str(), mean));
}

void DisplayBuilder::injection(int rpm)
{
    const int cylinders = std::clamp(m_context.cylinderCount, 0, 4);
    const std::string caption = text(kTextInjectionTime);
    int sumA = 0;
    int sumB = 0;
    int longest = 0; // in the frame's 100 us
    for (int k = 1; k <= 4; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const int a = steps(kInjectionsA[i]);
        const int b = steps(kInjectionsB[i]);
        sumA += a;
        sumB += b;
        longest = std::max({longest, raw(kInjectionsA[i]), raw(kInjectionsB[i])});
        const std::optional<bool> visible = k == 1 ? std::nullopt : std::optional<bool>(cylinders >= k);
        label(kJetALabels[i], formatText(kJetAFormats[i], caption.c_str(), a), std::nullopt, visible);
        label(kJetBLabels[i], formatText(kJetBFormats[i], caption.c_str(), b), std::nullopt, visible);
    }
    label("LabelMon_Jet_A", formatText("%s A = %d us", caption.c_str(), sumA / 4));
    label("LabelMon_Jet_B", formatText("%s B = %d us", caption.c_str(), sumB / 4));

    // The duty cycle uses the engine speed of this frame: the injection times and the speed
    // they were measured at belong together.
    const int duty = rpm * longest / 12000;
    label("LabelMaxInjProcent", formatText("%s = %d [%]", text(kTextMaxInjection).c_str(), duty));
    gauge("CGaugeDuty", duty, duty > 100 ? ColourRole::Yellow : ColourRole::Blue);
}

void DisplayBuilder::engineSpeed(const MonitorSnapshot& snapshot)
{
    label("LabelGear", formatText("%s = %d ", text(kTextGear).c_str(), raw(MonitorValue::Gear)));
    label("LabelDleTpsProcent", formatText("%s = %2d %", text(kTextJetTps).c_str(), raw(MonitorValue::JetTpsShare)));

    const int limiters = int{snapshot.IgnLimiterOn} + int{snapshot.JetLimiterOn} + int{snapshot.RetardLimiterOn};
    const ColourRole rpmColour = limiters == 0   ? ColourRole::NormalFace
                                 : limiters == 3 ? ColourRole::Red
                                                 : ColourRole::Fuchsia;
    label("LabelRpm", formatText("RPM = %d ", int{snapshot.Rpm}), rpmColour);
    if (m_context.ignLimiter != 0)
        gauge("CGaugeRpm", snapshot.Rpm / m_context.ignLimiter);
}

void DisplayBuilder::sensors(const MonitorSnapshot& snapshot)
{
    const bool extended = m_context.extendedMonitor;
    const double ap = scaled(MonitorValue::Ap);
    label("LabelTlak",
          extended ? formatText("AP = %4.1f kPa= %d mV", ap, raw(MonitorValue::ApVoltage))
                   : formatText("AP = %4.1f kPa", ap),
          snapshot.ApError ? ColourRole::Red : ColourRole::NormalFace);

    const int iapVoltage = raw(MonitorValue::IapVoltage);
    if (snapshot.IapError) {
        label("LabelPodtlak", extended ? formatText("IAP = error = %d [mV]", iapVoltage) : "IAP = error",
              ColourRole::Red);
    } else {
        const int iap = raw(MonitorValue::Iap);
        label("LabelPodtlak",
              extended ? formatText("IA P= %d [kPa] = %d [mV]", iap, iapVoltage) : formatText("IAP = %d [kPa]", iap),
              ColourRole::NormalFace);
    }

    const int tpsVoltage = raw(MonitorValue::TpsVoltage);
    if (snapshot.TpsError) {
        label("LabelTpsMon", formatText("TP = error = %d mV", tpsVoltage), ColourRole::Red);
        gauge("CGaugeTps", 0);
    } else {
        const double tps = scaled(MonitorValue::Throttle);
        label("LabelTpsMon",
              extended ? formatText("TP = %4.1f %%=%d mV", tps, tpsVoltage) : formatText("TP = %4.1f %%", tps),
              ColourRole::NormalFace);
        gauge("CGaugeTps", raw(MonitorValue::Throttle) / 10);
    }

    const int lambda = raw(MonitorValue::Lambda);
    label("LabelLambda", formatText("LAMBDA = %d mV", lambda));
    gauge("CGaugeLambda", lambda < 400 ? 0 : lambda > 1000 ? 100 : (lambda - 400) / 6);

    const int supply = raw(MonitorValue::Supply); // mV
    const ColourRole supplyColour = (supply >= 17999 || supply <= 7000)    ? ColourRole::Red
                                    : (supply >= 14999 || supply <= 11000) ? ColourRole::Yellow
                                                                           : ColourRole::NormalFace;
    label("LabelNapeti", formatText("U = %4.1f V", scaled(MonitorValue::Supply)), supplyColour);
}

void DisplayBuilder::temperatures()
{
    const bool extended = m_context.extendedMonitor;
    const std::string coolant = text(kTextCoolant);
    const int coolantVoltage = raw(MonitorValue::CoolantVoltage);
    // A failed sensor is worked with as 80 degrees; its gauge shows that value in red.
    const int celsius = steps(MonitorValue::Coolant);
    if (on(MonitorValue::CoolantError)) {
        label("LabelVoda",
              extended ? formatText("%s = error = %d mV", coolant.c_str(), coolantVoltage)
                       : formatText("%s = error", coolant.c_str()),
              ColourRole::Red);
        gauge("CGaugeVoda", celsius, ColourRole::Red);
    } else {
        const bool hot = raw(MonitorValue::Coolant) >= 200;
        label("LabelVoda",
              extended ? formatText("%s = %d °C= %d mV", coolant.c_str(), celsius, coolantVoltage)
                       : formatText("%s= %d °C", coolant.c_str(), celsius),
              hot ? ColourRole::Yellow : ColourRole::NormalFace);
        gauge("CGaugeVoda", celsius, hot ? ColourRole::Yellow : ColourRole::Aqua);
    }

    // A failed air sensor reads as 50 degrees, the value the unit then works with.
    const int air = steps(MonitorValue::Air);
    label("LabelVzduch",
          extended ? formatText("AT = %d °C= %d mV", air, raw(MonitorValue::AirVoltage))
                   : formatText("AT = %d °C", air),
          on(MonitorValue::AirError) ? ColourRole::Red : ColourRole::NormalFace);
}

void DisplayBuilder::servosAndCounters()
{
    const std::string intake = text(kTextIntakeServo);
    const ColourRole intakeColour = on(MonitorValue::ServoIntakeWorking) ? ColourRole::NormalFace : ColourRole::Red;
    if (on(MonitorValue::IntakeServoIdle)) {
        label("LabelMonServoIntake",
              formatText("%s = %d mV/ %s ", intake.c_str(), raw(MonitorValue::ServoIntake1), text(kTextIdle).c_str()),
              intakeColour);
    } else {
        label("LabelMonServoIntake",
              formatText("%s = %d / %d mV", intake.c_str(), raw(MonitorValue::ServoIntake1),
                         raw(MonitorValue::ServoIntake2)),
              intakeColour);
    }
    label("LabelMonServoExhaust",
          formatText("%s = %d / %d mV", text(kTextExhaustServo).c_str(), raw(MonitorValue::ServoExhaust1),
                     raw(MonitorValue::ServoExhaust2)),
          on(MonitorValue::ServoExhaustWorking) ? ColourRole::NormalFace : ColourRole::Red);
    label("LabelMonPotenc",
          formatText("%s = %d mV", text(kTextPotentiometer).c_str(), raw(MonitorValue::Potentiometer)));
    label("LabelPocetProgramovani", text(kTextProgramCount) + std::to_string(raw(MonitorValue::ProgrammingCount)));

    for (std::size_t t = 0; t < kTestLabels.size(); ++t)
        label(kTestLabels[t], formatText(kTestFormats[t], raw(kTests[t])));

    const std::string position = text(kTextPosition);
    label("LabelMon_PolohaA", formatText("%s A = %d °", position.c_str(), raw(MonitorValue::PositionA)));
    label("LabelMon_PolohaB", formatText("%s B = %d °", position.c_str(), raw(MonitorValue::PositionB)));
}

void DisplayBuilder::corrections()
{
    using enum MonitorValue;
    label("LabelKorVodaJet", formatText("TW correction = %4.1f %", scaled(CoolantInjCorrection)));
    label("LabelKorVzduch", formatText("AT correction = %4.1f %", scaled(AirInjCorrection)));
    label("LabelKorTlak", formatText("AP correction = %4.1f %", scaled(ApInjCorrection)));
    label("LabelKorSytic", formatText("Starting corr. = %4.1f %", scaled(StartInjCorrection)));
    label("LabelKorNapeti", formatText("U correction = %d us", steps(SupplyInjCorrection)));
    label("LabelKorVodaIgn", formatText("TW correction = %4.1f °", scaled(CoolantAdvCorrection)));
    label("LabelKorPotencIgn", formatText("Potent. correction = %4.1f °", scaled(PotentiometerAdvCorrection)));
    label("LabelKorPotencJet", formatText("Potent. correction = %4.1f %", scaled(PotentiometerInjCorrection)));
    label("LabelIdleKorAdv", formatText("Idle correction = %4.1f °", scaled(IdleAdvCorrection)));
}

void DisplayBuilder::gears()
{
    label("LabelMonSpeed", formatText("%s = %d [km/h]", text(kTextSpeed).c_str(), raw(MonitorValue::Speed)));
    label("LabelMonGearNapeti", "Gear voltage = " + std::to_string(raw(MonitorValue::GearVoltage)) + " mV");
    label("LabelMonPomerRpmSpeed", formatText("Rpm/Speed = %4.1f ", scaled(MonitorValue::RpmSpeedRatio)));
    for (std::size_t g = 0; g < kAutoRatioLabels.size(); ++g)
        label(kAutoRatioLabels[g], formatText("%4.1f ", scaled(kAutoRatios[g])));
}

void DisplayBuilder::build(const MonitorSnapshot& snapshot)
{
    indicators();
    advance(snapshot);
    injection(snapshot.Rpm);
    engineSpeed(snapshot);
    sensors(snapshot);
    temperatures();
    servosAndCounters();
    corrections();
    gears();
}

} // namespace

MonitorContext MonitorContext::from(const ParamImage& image, bool extendedMonitor, bool n2oEnabled)
{
    return {image.byte(kCylinderCountOffset), image.byte(kIgnLimiterOffset), image.chokeBike(), extendedMonitor,
            n2oEnabled};
}

std::optional<MonitorDisplay> MonitorDecoder::decode(FrameBytes bytes, const MonitorContext& context,
                                                     const MessageTexts& texts)
{
    if (!frameIsValid(bytes))
        return std::nullopt;
    m_snapshot = readMonitorSnapshot(bytes);
    DisplayBuilder builder(bytes, context, texts);
    builder.build(m_snapshot);
    return builder.take();
}

} // namespace quorvel
