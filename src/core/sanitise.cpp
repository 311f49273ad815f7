#include "core/sanitise.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kAxisLength = 15;
constexpr int kMapCells = 150;

// RPM axes in units of 100 rpm, and the RPM points of the two injection-position curves.
constexpr int kRpmAdv = 515;
constexpr int kRpmJet1A = 530;
constexpr int kRpmJet2A = 545;
constexpr int kRpmJet3A = 560;
constexpr int kRpmJet4A = 575;
constexpr int kRpmJetB = 590;
constexpr int kRpmIap = 605;
constexpr int kRpmServoEx = 620;
constexpr int kRpmServoIn = 635;
constexpr int kPositionARpm = 455;
constexpr int kPositionBRpm = 485;
constexpr int kPositionAAngle = 470;
constexpr int kPositionBAngle = 500;

constexpr int kAdvanceMap = 650;
constexpr int kJetBMap = 2000;
constexpr int kServoExMap = 2450;
constexpr int kServoInMap = 2600;
constexpr std::array kInjectionTimeMaps = {800, 1100, 1400, 1700, 2150}; // JET_1A..4A, IAP

constexpr int kIapRowsWord = 142;     // IAP_IAP, ten words
constexpr int kCoolantTableWord = 97; // CidloVoda, nine words
constexpr int kAirTableWord = 106;    // CidloVzduch, nine words

constexpr int kBike = 150;
constexpr int kEngineType = 152;
constexpr int kApsVoltage1 = 158;
constexpr int kApsVoltage2 = 162;
constexpr int kIapsVoltage1 = 166;
constexpr int kIapsVoltage2 = 170;
constexpr int kTps0 = 183;
constexpr int kTps100 = 184;
constexpr int kAdvBase = 195;
constexpr int kLobeWidth = 196;
constexpr int kIapTpsMin = 198;
constexpr int kIapTpsMax = 199;
constexpr int kIapRpmMin = 200;
constexpr int kIapRpmMax = 201;
constexpr int kStartTime = 217; // SyticCas1..4
constexpr int kStartCorrection = 221;
constexpr int kStepPeriod = 227;
constexpr int kStepExcitation = 228;
constexpr int kStartJet = 242;
constexpr int kGas1 = 249;
constexpr int kGas2 = 250;
constexpr int kGasT = 251;
constexpr int kGasD = 252;
constexpr int kRetard1 = 253;
constexpr int kRetard2 = 254;
constexpr int kRetardT = 255;
constexpr int kRetardD = 256;
constexpr int kPilotLight1 = 258;
constexpr int kPilotLight2 = 264;
constexpr int kGasJetKor1 = 308;
constexpr int kGasJetKor2 = 309;
constexpr int kLobeWidthCopy = 417;
constexpr int kIdleStepPuls = 2754;
constexpr int kIdleStepPerioda = 2755;

constexpr std::uint8_t kAxisCapOffset = 236; // entry i is at most i + 236, so entry 14 <= 250

class Sanitiser {
public:
    explicit Sanitiser(ParamImage& image)
        : m_image(image)
    {
    }

    void raise(int offset, int floor) { setIf(offset, m_image.byte(offset) < floor, floor); }
    void cap(int offset, int ceiling) { setIf(offset, m_image.byte(offset) > ceiling, ceiling); }
    // The byte at `upper` is made at least the byte at `lower`.
    void notBelow(int upper, int lower) { raise(upper, m_image.byte(lower)); }
    // The byte at `lower` is made at most the byte at `upper`.
    void notAbove(int lower, int upper) { cap(lower, m_image.byte(upper)); }

    void capWord(int offset, std::uint16_t ceiling)
    {
        if (m_image.wordAt(offset) > ceiling)
            m_image.setWordAt(offset, ceiling);
    }

    // Each entry rises above the one before; the step is 8-bit, as the unit stores it.
    void riseStrictly(int first, int count)
    {
        for (int i = 1; i < count; ++i) {
            const std::uint8_t previous = m_image.byte(first + i - 1);
            if (m_image.byte(first + i) <= previous)
                m_image.setByte(first + i, static_cast<std::uint8_t>(previous + 1));
        }
    }

    void riseStrictlyWords(int firstWord, int count)
    {
        for (int k = 1; k < count; ++k) {
            const std::uint16_t previous = m_image.word(firstWord + k - 1);
            if (m_image.word(firstWord + k) <= previous)
                m_image.setWord(firstWord + k, static_cast<std::uint16_t>(previous + 1));
        }
    }

    void fallStrictlyWords(int firstWord, int count)
    {
        for (int k = 1; k < count; ++k) {
            const std::uint16_t previous = m_image.word(firstWord + k - 1);
            if (m_image.word(firstWord + k) >= previous)
                m_image.setWord(firstWord + k, static_cast<std::uint16_t>(previous - 1));
        }
    }

private:
    void setIf(int offset, bool condition, int value)
    {
        if (condition)
            m_image.setByte(offset, static_cast<std::uint8_t>(value));
    }

    ParamImage& m_image;
};

void boundAxes(Sanitiser& s)
{
    // The two last A axes are bounded like the others: left unbounded, an entry of 255 wraps
    // to 0 in the order step and the axis no longer rises.
    constexpr std::array kAxesFromThree = {kRpmAdv,   kRpmJet1A, kRpmJetB,      kRpmJet2A,    kRpmIap,
                                           kRpmJet3A, kRpmJet4A, kPositionARpm, kPositionBRpm};
    constexpr std::array kAxesFromZero = {kRpmServoIn, kRpmServoEx};

    for (int i = 0; i < kAxisLength; ++i) {
        for (int axis : kAxesFromThree)
            s.raise(axis + i, i + 3);
        for (int axis : kAxesFromZero)
            s.raise(axis + i, i);
        for (int axis : kAxesFromThree)
            s.cap(axis + i, i + kAxisCapOffset);
        for (int axis : kAxesFromZero)
            s.cap(axis + i, i + kAxisCapOffset);

        for (int servo : {kServoInMap, kServoExMap})
            s.cap(servo + i, kServoFirstRowMaximum);
        s.cap(kPositionAAngle + i, 144); // 720 degrees in steps of 5
        s.cap(kPositionBAngle + i, 144);
    }
}

void orderAxes(Sanitiser& s)
{
    constexpr std::array kAxes = {kRpmAdv, kRpmJet1A,   kRpmJetB,    kRpmJet2A,     kRpmJet3A,    kRpmJet4A,
                                  kRpmIap, kRpmServoIn, kRpmServoEx, kPositionARpm, kPositionBRpm};
    for (int axis : kAxes)
        s.riseStrictly(axis, kAxisLength);
}

void capMaps(ParamImage& image, Sanitiser& s)
{
    image.setAdvanceCapBike(image.byte(kBike) == 32 || image.byte(kBike) == 33);
    const int advanceLimit = image.byte(kAdvBase) + image.byte(kLobeWidth);

    for (int i = 0; i < kMapCells; ++i) {
        s.cap(kAdvanceMap + i, 60);
        for (int map : kInjectionTimeMaps)
            s.capWord(map + 2 * i, 60000);
        s.cap(kJetBMap + i, 100);
        if (image.advanceCapBike())
            s.cap(kAdvanceMap + i, advanceLimit);
    }
}

void boundStarting(Sanitiser& s)
{
    for (int i = 0; i < 4; ++i) {
        s.raise(kStartTime + i, i);
        s.cap(kStartTime + i, i + 247);
        s.cap(kStartCorrection + i, 250);
    }
    s.riseStrictly(kStartTime, 4);
}

void boundN2oAndRetard(Sanitiser& s)
{
    for (int i = 0; i < 6; ++i)
        s.notBelow(kPilotLight2 + i, kPilotLight1 + i);

    s.cap(kGas1, 100);
    s.cap(kGas2, 100);
    s.notBelow(kGas2, kGas1);
    s.raise(kGasT, 1);
    s.cap(kGasD, 200);
    s.cap(kGasT, 200);

    s.cap(kRetard1, 25);
    s.cap(kRetard2, 25);
    s.notBelow(kRetard2, kRetard1);
    s.cap(kRetardD, 200);
    s.raise(kRetardT, 1);
    s.cap(kRetardT, 200);

    s.notBelow(kGasJetKor2, kGasJetKor1);
}

void boundOutsideSettings(OutsideSettings& settings)
{
    // The unit-era settings were single bytes, so a value below 0 is as far out of range as one
    // above the top.
    if (settings.language < 0 || settings.language > 3)
        settings.language = 0;
    if (settings.portSelection < 0 || settings.portSelection >= 21)
        settings.portSelection = 0;
    if (settings.autoScanIndex < 0 || settings.autoScanIndex >= 20)
        settings.autoScanIndex = 0;
}

ColourRole calibrationColour(const ParamImage& image, int first, int second)
{
    return image.wordAt(first) == image.wordAt(second) ? ColourRole::Red : ColourRole::NormalWindow;
}

} // namespace

CalibrationWarnings sanitiseImage(ParamImage& image, OutsideSettings& settings)
{
    Sanitiser s(image);

    boundAxes(s);
    s.riseStrictlyWords(kIapRowsWord, 10);
    orderAxes(s);
    capMaps(image, s);

    s.cap(kTps0, 250);
    s.cap(kTps100, 250);
    s.cap(kStartJet, 50);

    boundStarting(s);
    boundN2oAndRetard(s);
    boundOutsideSettings(settings);

    s.cap(kAdvBase, 40);
    s.cap(kIapTpsMin, 101);
    s.notBelow(kIapTpsMax, kIapTpsMin);
    s.notBelow(kIapRpmMax, kIapRpmMin);

    const ColourRole aps = calibrationColour(image, kApsVoltage1, kApsVoltage2);
    const ColourRole iaps = calibrationColour(image, kIapsVoltage1, kIapsVoltage2);

    s.fallStrictlyWords(kCoolantTableWord, 9);
    s.fallStrictlyWords(kAirTableWord, 9);

    s.notAbove(kStepExcitation, kStepPeriod);
    if (!image.chokeBike())
        s.notAbove(kIdleStepPuls, kIdleStepPerioda);
    if (image.byte(kEngineType) == 7 || image.byte(kEngineType) == 22)
        image.setByte(kLobeWidthCopy, image.byte(kLobeWidth));

    return {{{"EditApsNapeti1", aps}, {"EditApsNapeti2", aps}, {"EditIapsNapeti1", iaps}, {"EditIapsNapeti2", iaps}}};
}

} // namespace quorvel
