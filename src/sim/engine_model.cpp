#include "sim/engine_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace quorvel::sim {
namespace {

constexpr double kCycleSeconds = 20.0;
constexpr std::array<int, 10> kThrottleRows = {0, 20, 50, 100, 200, 300, 400, 600, 800, 1000};
constexpr std::array<int, 7> kGearRatios = {0, 120, 90, 72, 60, 52, 46}; // rpm per km/h

constexpr int kRpmAdv = 515;
constexpr int kAdvanceMap = 650;
constexpr std::array kRpmJetA = {530, 545, 560, 575};
constexpr std::array kJetAMaps = {800, 1100, 1400, 1700};
constexpr int kRpmJetB = 590;
constexpr int kJetBMap = 2000;
constexpr int kRpmServoEx = 620;
constexpr int kServoExMap = 2450;
constexpr int kRpmServoIn = 635;
constexpr int kServoInMap = 2600;
constexpr int kServoExProcent = 212;
constexpr int kServoInProcent = 213;
constexpr int kPositionARpm = 455;
constexpr int kPositionBRpm = 485;
constexpr int kCylinderCount = 406;
constexpr int kNoCorrection = 1000; // 100.0 %

void putWord(LinkFrame& frame, int index, int value)
{
    const auto word = static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
    frame[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(word & 0xFFU);
    frame[static_cast<std::size_t>(index) + 1] = static_cast<std::uint8_t>(word >> 8);
}

void putByte(LinkFrame& frame, int index, int value)
{
    frame[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(std::clamp(value, 0, 0xFF));
}

// Piecewise-linear throttle over one cycle: idle, open up, hold, close, idle.
double throttleShare(double phase)
{
    constexpr std::array<std::pair<double, double>, 6> kPoints = {
        {{0.0, 0.0}, {0.3, 0.0}, {0.45, 1.0}, {0.6, 1.0}, {0.8, 0.1}, {0.9, 0.0}}};
    for (std::size_t i = 1; i < kPoints.size(); ++i) {
        const auto [x0, y0] = kPoints[i - 1];
        const auto [x1, y1] = kPoints[i];
        if (phase <= x1)
            return y0 + (phase - x0) * (y1 - y0) / (x1 - x0);
    }
    return 0.0;
}

// The axis column nearest to the engine speed, as the unit picks it.
int nearestColumn(const ParamImage& memory, int axis, int rpm)
{
    int best = 0;
    for (int c = 1; c < 15; ++c) {
        if (std::abs(memory.byte(axis + c) * 100 - rpm) < std::abs(memory.byte(axis + best) * 100 - rpm))
            best = c;
    }
    return best;
}

int nearestThrottleRow(int throttleTenths)
{
    int best = 0;
    for (int r = 1; r < 10; ++r) {
        if (std::abs(kThrottleRows[static_cast<std::size_t>(r)] - throttleTenths) <
            std::abs(kThrottleRows[static_cast<std::size_t>(best)] - throttleTenths))
            best = r;
    }
    return best;
}

int cell(int row, int column)
{
    return row * 15 + column;
}

int servoMillivolts(const ParamImage& memory, int cellOffset, int procentFlag)
{
    const int value = memory.byte(cellOffset);
    return memory.byte(procentFlag) != 0 ? value * 50 : value * 20;
}

} // namespace

double EngineModel::cyclePhase() const
{
    const double seconds = static_cast<double>(m_time.count()) / 1000.0;
    return std::fmod(seconds, kCycleSeconds) / kCycleSeconds;
}

int EngineModel::throttleTenths() const
{
    return static_cast<int>(std::lround(throttleShare(cyclePhase()) * 1000.0));
}

int EngineModel::rpm() const
{
    return 1300 + throttleTenths() * 9;
}

int EngineModel::coolantCelsius() const
{
    const auto seconds = static_cast<int>(m_time.count() / 1000);
    return 20 + std::min(75, seconds / 3);
}

int EngineModel::gear() const
{
    const double phase = cyclePhase();
    if (phase < 0.3 || phase >= 0.9)
        return 0;
    return std::min(6, 1 + static_cast<int>((phase - 0.3) / 0.6 * 6.0));
}

int EngineModel::speedKmh() const
{
    return gear() == 0 ? 0 : rpm() / kGearRatios[static_cast<std::size_t>(gear())];
}

void EngineModel::fillMonitor(LinkFrame& frame, const ParamImage& memory, std::uint16_t programmingCount,
                              std::uint16_t savingCountdown, std::uint8_t version) const
{
    const int engineRpm = rpm();
    const int throttle = throttleTenths();
    const int row = nearestThrottleRow(throttle);
    const int cylinders = std::clamp<int>(memory.byte(kCylinderCount), 1, 4);
    const int coolant = coolantCelsius();
    const int iapKpa = 30 + throttle * 70 / 1000;
    const double seconds = static_cast<double>(m_time.count()) / 1000.0;

    // Inputs are active low and all inactive; tacho output, both servos working, both pickups
    // running while the engine turns, the fan on when hot.
    frame[1] = 0b0101'0101;
    frame[2] = 0b1100'0011;
    frame[3] = static_cast<std::uint8_t>((engineRpm > 0 ? 0b0110'0000 : 0) | (coolant > 95 ? 0b0001'0000 : 0));
    frame[4] = 0;

    const int advance = memory.byte(kAdvanceMap + cell(row, nearestColumn(memory, kRpmAdv, engineRpm)));
    const int jetB = memory.byte(kJetBMap + cell(row, nearestColumn(memory, kRpmJetB, engineRpm)));
    for (int k = 0; k < cylinders; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        const int column = nearestColumn(memory, kRpmJetA[ku], engineRpm);
        const int microseconds = memory.wordAt(kJetAMaps[ku] + 2 * cell(row, column));
        putByte(frame, 10 + k, advance);
        putByte(frame, 14 + k, microseconds / 100);
        putByte(frame, 18 + k, microseconds * jetB / 100 / 100);
    }

    putByte(frame, 23, coolant + 100);
    putByte(frame, 24, 25 + 100);
    putByte(frame, 25, gear());
    putByte(frame, 26, engineRpm > 2000 ? 100 : 60);
    putByte(frame, 27, engineRpm > 9000 ? 2 : 0);

    putWord(frame, 48, engineRpm);
    putWord(frame, 50, 4050);
    putWord(frame, 52, 1013);
    putWord(frame, 54, iapKpa * 45);
    putWord(frame, 56, 500 + throttle * 4);
    putWord(frame, 58, static_cast<int>(450.0 + 400.0 * std::sin(2.0 * std::numbers::pi * seconds / 0.7)));
    putWord(frame, 60, 4000 - coolant * 30);
    putWord(frame, 62, 2500);
    putWord(frame, 64, 13800 + static_cast<int>(100.0 * std::sin(seconds)));
    const int exCell = kServoExMap + cell(row, nearestColumn(memory, kRpmServoEx, engineRpm));
    const int inCell = kServoInMap + cell(row, nearestColumn(memory, kRpmServoIn, engineRpm));
    putWord(frame, 66, servoMillivolts(memory, exCell, kServoExProcent));
    putWord(frame, 68, servoMillivolts(memory, exCell, kServoExProcent));
    putWord(frame, 70, servoMillivolts(memory, inCell, kServoInProcent));
    putWord(frame, 72, servoMillivolts(memory, inCell, kServoInProcent));
    putWord(frame, 74, 2500);
    putWord(frame, 76, programmingCount);
    for (int t = 0; t < 8; ++t)
        putWord(frame, 78 + 2 * t, t);
    putWord(frame, 94, 0);
    putWord(frame, 96, memory.byte(kPositionARpm + 15 + nearestColumn(memory, kPositionARpm, engineRpm)) * 5);
    putWord(frame, 98, memory.byte(kPositionBRpm + 15 + nearestColumn(memory, kPositionBRpm, engineRpm)) * 5);
    // The injection corrections are factors in 0.1 %: 100.0 % leaves the map's time as it is.
    putWord(frame, 100, kNoCorrection + std::max(0, 70 - coolant) * 5); // warm-up enrichment
    putWord(frame, 102, kNoCorrection);
    putWord(frame, 104, kNoCorrection);
    putWord(frame, 106, kNoCorrection);
    putWord(frame, 108, 1000);
    putWord(frame, 110, 1000);
    putWord(frame, 112, 1000);
    putWord(frame, 114, kNoCorrection);
    putWord(frame, 116, speedKmh());
    putWord(frame, 118, 500 + gear() * 600);
    putWord(frame, 120, speedKmh() == 0 ? 0 : engineRpm * 10 / speedKmh());
    for (int g = 1; g <= 6; ++g)
        putWord(frame, 120 + 2 * g, kGearRatios[static_cast<std::size_t>(g)] * 10);
    putWord(frame, 134, 1000);
    putWord(frame, 136, iapKpa);
    putWord(frame, 138, throttle);
    putWord(frame, 148, savingCountdown);
    frame[150] = version;
}

} // namespace quorvel::sim
