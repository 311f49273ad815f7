#include "core/monitor_decoder.h"

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

class Frame {
public:
    explicit Frame(FrameBytes bytes)
        : m_bytes(bytes)
    {
    }
    [[nodiscard]] int byte(int n) const { return m_bytes[static_cast<std::size_t>(n)]; }
    [[nodiscard]] int word(int n) const { return byte(n) | (byte(n + 1) << 8); }
    [[nodiscard]] bool bit(int n, int bitIndex) const { return ((byte(n) >> bitIndex) & 1) != 0; }

private:
    FrameBytes m_bytes;
};

// An on/off indicator: caption + " - " + "YES" or "NO".
struct Indicator {
    std::string_view label;
    int caption;
    int byte;
    int bit;
    bool activeLow; // inputs are active when their bit is 0
    ColourRole onColour;
};

constexpr std::array<Indicator, 11> kIndicators = {{
    {"LabelMonFallIn", kTextFallSensor, 1, 0, true, ColourRole::Fuchsia},
    {"LabelMonFallOut", kTextFallSensor, 1, 1, false, ColourRole::Red},
    {"LabelMonBlock2In", kTextBlocking, 1, 2, true, ColourRole::Aqua},
    {"LabelMonBlock2Out", kTextBlocking, 1, 3, false, ColourRole::Red},
    {"LabelMonStartLimiterIn", kTextStartLimiter, 1, 4, true, ColourRole::Fuchsia},
    {"LabelMonStartLimiterOut", kTextStartLimiter, 1, 5, false, ColourRole::Fuchsia},
    {"LabelMonClutchIn", kTextClutchMaster, 1, 6, true, ColourRole::Lime},
    {"LabelMonClutchOut", kTextClutchMaster, 1, 7, false, ColourRole::Red},
    {"LabelMonIgnLimiter", kTextIgnLimiter, 2, 2, false, ColourRole::Fuchsia},
    {"LabelMonJetLimiter", kTextJetLimiter, 2, 3, false, ColourRole::Fuchsia},
    {"LabelMonRetardLimiter", kTextRetardLimiter, 2, 4, false, ColourRole::Fuchsia},
}};

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
    DisplayBuilder(Frame frame, const MonitorContext& context, const MessageTexts& texts)
        : m_frame(frame)
        , m_context(context)
        , m_texts(texts)
    {
    }

    void build(MonitorSnapshot& snapshot);
    MonitorDisplay take() { return std::move(m_display); }

private:
    [[nodiscard]] std::string text(int number) const { return std::string(m_texts.text(number)); }
    [[nodiscard]] std::string yesNo(bool on) const { return text(on ? kTextYes : kTextNo); }

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

    Frame m_frame;
    const MonitorContext& m_context;
    const MessageTexts& m_texts;
    MonitorDisplay m_display;
};

void DisplayBuilder::indicators()
{
    for (const Indicator& indicator : kIndicators) {
        const bool on = m_frame.bit(indicator.byte, indicator.bit) != indicator.activeLow;
        label(indicator.label, text(indicator.caption) + " - " + yesNo(on),
              on ? indicator.onColour : ColourRole::NormalFace);
    }

    const std::string tachoLambda = text(kTextTacho) + "/" + text(kTextLambda);
    const bool tachoLambdaIn = !m_frame.bit(2, 0);
    label("LabelMonRpmLambdaIn", tachoLambda + " - " + yesNo(tachoLambdaIn),
          tachoLambdaIn ? ColourRole::Aqua : ColourRole::NormalFace);
    const bool tacho = m_frame.bit(2, 1);
    label("LabelMonRpmLambdaOut", tachoLambda + " - " + text(tacho ? kTextTacho : kTextLambda),
          tacho ? ColourRole::NormalFace : ColourRole::Aqua);

    const bool cooling = m_frame.bit(3, 4);
    label("LabelClazeniMon", text(kTextCooling) + " - " + yesNo(cooling),
          cooling ? ColourRole::White : ColourRole::NormalFace);
    struct Pickup {
        std::string_view label;
        int caption;
        int bit;
    };
    for (const Pickup& pickup : {Pickup{"LabelSnimacCkps", kTextCkps, 5}, Pickup{"LabelSnimacCmps", kTextCmps, 6}}) {
        const bool running = m_frame.bit(3, pickup.bit);
        label(pickup.label, text(pickup.caption) + " - " + text(running ? kTextRunning : kTextNoSignal),
              running ? ColourRole::Lime : ColourRole::NormalFace);
    }

    const int pilot = m_frame.byte(27);
    const int pilotState = pilot == 0 ? kTextNo : pilot == 2 ? kTextYes : kTextTwinkle;
    label("LabelMonPilotLight", text(m_context.chokeBike ? kTextChoke : kTextShiftLight) + " - " + text(pilotState),
          pilot != 0 ? ColourRole::Fuchsia : ColourRole::NormalFace);

    const bool n2o = m_frame.bit(3, 1);
    label("LabelN2oEnable", "N2O  - " + yesNo(n2o), n2o ? ColourRole::Lime : ColourRole::NormalFace,
          m_context.n2oEnabled);
    m_display.labels.push_back({{"LabelEeDataErr"}, std::nullopt, std::nullopt, m_frame.bit(3, 7)});

    const int version = m_frame.byte(150);
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
                                   : formatText(kIgnFormats[i], caption.c_str(), m_frame.byte(9 + k)),
              std::nullopt, k == 1 ? std::nullopt : std::optional<bool>(true));
    }
    int sum = 0;
    for (int k = 1; k <= cylinders; ++k)
        sum += m_frame.byte(9 + k);
    const int mean = cylinders == 0 ? m_frame.byte(10) : sum / cylinders;
    label("LabelMon_Ign", snapshot.BaseAdvance ? formatText("%s = BASE", caption.c_str())
                                               : formatText("%s = %2d °", caption.c_str(), mean));
}

void DisplayBuilder::injection(int rpm)
{
    const int cylinders = std::clamp(m_context.cylinderCount, 0, 4);
    const std::string caption = text(kTextInjectionTime);
    int sumA = 0;
    int sumB = 0;
    int longest = 0;
    for (int k = 1; k <= 4; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const int a = m_frame.byte(13 + k);
        const int b = m_frame.byte(17 + k);
        sumA += a;
        sumB += b;
        longest = std::max({longest, a, b});
        const std::optional<bool> visible = k == 1 ? std::nullopt : std::optional<bool>(cylinders >= k);
        label(kJetALabels[i], formatText(kJetAFormats[i], caption.c_str(), a * 100), std::nullopt, visible);
        label(kJetBLabels[i], formatText(kJetBFormats[i], caption.c_str(), b * 100), std::nullopt, visible);
    }
    label("LabelMon_Jet_A", formatText("%s A = %d us", caption.c_str(), sumA * 100 / 4));
    label("LabelMon_Jet_B", formatText("%s B = %d us", caption.c_str(), sumB * 100 / 4));

    // The duty cycle uses the engine speed of this frame: the injection times and the speed
    // they were measured at belong together.
    const int duty = rpm * longest / 12000;
    label("LabelMaxInjProcent", formatText("%s = %d [%]", text(kTextMaxInjection).c_str(), duty));
    gauge("CGaugeDuty", duty, duty > 100 ? ColourRole::Yellow : ColourRole::Blue);
}

void DisplayBuilder::engineSpeed(const MonitorSnapshot& snapshot)
{
    label("LabelGear", formatText("%s = %d ", text(kTextGear).c_str(), m_frame.byte(25)));
    label("LabelDleTpsProcent", formatText("%s = %2d %", text(kTextJetTps).c_str(), m_frame.byte(26)));

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
    const double ap = m_frame.word(52) * 0.1;
    label("LabelTlak",
          extended ? formatText("AP = %4.1f kPa= %d mV", ap, m_frame.word(50)) : formatText("AP = %4.1f kPa", ap),
          snapshot.ApError ? ColourRole::Red : ColourRole::NormalFace);

    if (snapshot.IapError) {
        label("LabelPodtlak", extended ? formatText("IAP = error = %d [mV]", m_frame.word(54)) : "IAP = error",
              ColourRole::Red);
    } else {
        label("LabelPodtlak",
              extended ? formatText("IA P= %d [kPa] = %d [mV]", m_frame.word(136), m_frame.word(54))
                       : formatText("IAP = %d [kPa]", m_frame.word(136)),
              ColourRole::NormalFace);
    }

    if (snapshot.TpsError) {
        label("LabelTpsMon", formatText("TP = error = %d mV", m_frame.word(56)), ColourRole::Red);
        gauge("CGaugeTps", 0);
    } else {
        const double tps = m_frame.word(138) * 0.1;
        label("LabelTpsMon",
              extended ? formatText("TP = %4.1f %%=%d mV", tps, m_frame.word(56)) : formatText("TP = %4.1f %%", tps),
              ColourRole::NormalFace);
        gauge("CGaugeTps", m_frame.word(138) / 10);
    }

    const int lambda = m_frame.word(58);
    label("LabelLambda", formatText("LAMBDA = %d mV", lambda));
    gauge("CGaugeLambda", lambda < 400 ? 0 : lambda > 1000 ? 100 : (lambda - 400) / 6);

    const int supply = m_frame.word(64);
    const ColourRole supplyColour = (supply >= 17999 || supply <= 7000)    ? ColourRole::Red
                                    : (supply >= 14999 || supply <= 11000) ? ColourRole::Yellow
                                                                           : ColourRole::NormalFace;
    label("LabelNapeti", formatText("U = %4.1f V", supply * 0.001), supplyColour);
}

void DisplayBuilder::temperatures()
{
    const bool extended = m_context.extendedMonitor;
    const std::string coolant = text(kTextCoolant);
    const int coolantRaw = m_frame.byte(23);
    if (coolantRaw == 0) {
        label("LabelVoda",
              extended ? formatText("%s = error = %d mV", coolant.c_str(), m_frame.word(60))
                       : formatText("%s = error", coolant.c_str()),
              ColourRole::Red);
        gauge("CGaugeVoda", 180 - 100, ColourRole::Red);
    } else {
        const int celsius = coolantRaw - 100;
        label("LabelVoda",
              extended ? formatText("%s = %d °C= %d mV", coolant.c_str(), celsius, m_frame.word(60))
                       : formatText("%s= %d °C", coolant.c_str(), celsius),
              coolantRaw >= 200 ? ColourRole::Yellow : ColourRole::NormalFace);
        gauge("CGaugeVoda", celsius, coolantRaw >= 200 ? ColourRole::Yellow : ColourRole::Aqua);
    }

    // A failed air sensor reads as 50 degrees, the value the unit then works with.
    const int airRaw = m_frame.byte(24);
    const int air = airRaw == 0 ? 50 : airRaw - 100;
    label("LabelVzduch",
          extended ? formatText("AT = %d °C= %d mV", air, m_frame.word(62)) : formatText("AT = %d °C", air),
          airRaw == 0 ? ColourRole::Red : ColourRole::NormalFace);
}

void DisplayBuilder::servosAndCounters()
{
    const std::string intake = text(kTextIntakeServo);
    const ColourRole intakeColour = m_frame.bit(2, 7) ? ColourRole::NormalFace : ColourRole::Red;
    if (m_frame.bit(4, 4)) {
        label("LabelMonServoIntake",
              formatText("%s = %d mV/ %s ", intake.c_str(), m_frame.word(70), text(kTextIdle).c_str()), intakeColour);
    } else {
        label("LabelMonServoIntake", formatText("%s = %d / %d mV", intake.c_str(), m_frame.word(70), m_frame.word(72)),
              intakeColour);
    }
    label("LabelMonServoExhaust",
          formatText("%s = %d / %d mV", text(kTextExhaustServo).c_str(), m_frame.word(66), m_frame.word(68)),
          m_frame.bit(2, 6) ? ColourRole::NormalFace : ColourRole::Red);
    label("LabelMonPotenc", formatText("%s = %d mV", text(kTextPotentiometer).c_str(), m_frame.word(74)));
    label("LabelPocetProgramovani", text(kTextProgramCount) + std::to_string(m_frame.word(76)));

    for (std::size_t t = 0; t < kTestLabels.size(); ++t)
        label(kTestLabels[t], formatText(kTestFormats[t], m_frame.word(78 + 2 * static_cast<int>(t))));

    const std::string position = text(kTextPosition);
    label("LabelMon_PolohaA", formatText("%s A = %d °", position.c_str(), m_frame.word(96)));
    label("LabelMon_PolohaB", formatText("%s B = %d °", position.c_str(), m_frame.word(98)));
}

void DisplayBuilder::corrections()
{
    label("LabelKorVodaJet", formatText("TW correction = %4.1f %", m_frame.word(100) * 0.1));
    label("LabelKorVzduch", formatText("AT correction = %4.1f %", m_frame.word(102) * 0.1));
    label("LabelKorTlak", formatText("AP correction = %4.1f %", m_frame.word(104) * 0.1));
    label("LabelKorSytic", formatText("Starting corr. = %4.1f %", m_frame.word(106) * 0.1));
    label("LabelKorNapeti", formatText("U correction = %d us", m_frame.word(108) - 1000));
    label("LabelKorVodaIgn", formatText("TW correction = %4.1f °", m_frame.word(110) * 0.1 - 100));
    label("LabelKorPotencIgn", formatText("Potent. correction = %4.1f °", m_frame.word(112) * 0.1 - 100));
    label("LabelKorPotencJet", formatText("Potent. correction = %4.1f %", m_frame.word(114) * 0.1));
    label("LabelIdleKorAdv", formatText("Idle correction = %4.1f °", (m_frame.word(134) - 1000) * 0.1));
}

void DisplayBuilder::gears()
{
    label("LabelMonSpeed", formatText("%s = %d [km/h]", text(kTextSpeed).c_str(), m_frame.word(116)));
    label("LabelMonGearNapeti", "Gear voltage = " + std::to_string(m_frame.word(118)) + " mV");
    label("LabelMonPomerRpmSpeed", formatText("Rpm/Speed = %4.1f ", m_frame.word(120) * 0.1));
    for (std::size_t g = 0; g < kAutoRatioLabels.size(); ++g)
        label(kAutoRatioLabels[g], formatText("%4.1f ", m_frame.word(122 + 2 * static_cast<int>(g)) * 0.1));
}

void DisplayBuilder::build(MonitorSnapshot& snapshot)
{
    snapshot.TpsError = m_frame.bit(4, 0);
    snapshot.IapError = m_frame.bit(4, 1);
    snapshot.ApError = m_frame.bit(4, 2);
    snapshot.BaseAdvance = m_frame.bit(3, 3);
    snapshot.IgnLimiterOn = m_frame.bit(2, 2);
    snapshot.JetLimiterOn = m_frame.bit(2, 3);
    snapshot.RetardLimiterOn = m_frame.bit(2, 4);
    snapshot.Gear = static_cast<std::uint8_t>(m_frame.byte(25));
    snapshot.JetTpsPercent = static_cast<std::uint8_t>(m_frame.byte(26));
    const bool mapUseKnown = !m_frame.bit(3, 0);
    snapshot.UsesTpsMaps = mapUseKnown && snapshot.JetTpsPercent > 0;
    snapshot.UsesIapMap = mapUseKnown && snapshot.JetTpsPercent < 100;
    snapshot.Rpm = static_cast<std::uint16_t>(m_frame.word(48));

    indicators();
    advance(snapshot);
    injection(snapshot.Rpm);
    engineSpeed(snapshot);
    sensors(snapshot);
    temperatures();
    servosAndCounters();
    corrections();
    gears();

    snapshot.ApTenths = static_cast<std::uint16_t>(m_frame.word(52));
    snapshot.TpsMillivolts = static_cast<std::uint16_t>(m_frame.word(56));
    snapshot.LambdaMillivolts = static_cast<std::uint16_t>(m_frame.word(58));
    snapshot.TpsTenths = static_cast<std::uint16_t>(m_frame.word(138));
    snapshot.IapKpa = static_cast<std::uint16_t>(m_frame.word(136));
    snapshot.CoolantRaw = static_cast<std::uint8_t>(m_frame.byte(23) == 0 ? 180 : m_frame.byte(23));
    snapshot.AirRaw = static_cast<std::uint8_t>(m_frame.byte(24));
    snapshot.GearMillivolts = static_cast<std::uint16_t>(m_frame.word(118));
    snapshot.RpmSpeedRatio = static_cast<std::uint16_t>(m_frame.word(120));
    snapshot.StartTime = static_cast<std::uint16_t>(m_frame.word(94));
    snapshot.SavingCountdown = static_cast<std::uint16_t>(m_frame.word(148));
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
    DisplayBuilder builder(Frame(bytes), context, texts);
    builder.build(m_snapshot);
    return builder.take();
}

} // namespace quorvel
