#include "sim/engine_model.h"

#include "model/reference_interpolation.h"
#include "sim/lambda_sensor.h"
#include "sim/unit_injection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace quorvel::sim {
namespace {

constexpr int kRpmAdv = 515;
constexpr int kAdvanceMap = 650;
constexpr int kRpmJet1A = 530;
constexpr int kRpmServoEx = 620;
constexpr int kServoExMap = 2450;
constexpr int kRpmServoIn = 635;
constexpr int kServoInMap = 2600;
constexpr int kServoExProcent = 212;
constexpr int kServoInProcent = 213;
constexpr int kPositionARpm = 455;
constexpr int kPositionBRpm = 485;
// The tacho/lambda input is active with its switch closed when AktRpm is set; the virtual bike
// has it closed, so AktRpm decides whether the line carries the lambda sensor or a tacho.
constexpr int kAktRpm = 177;

// Noise channels of the sensor.
constexpr std::uint32_t kMixtureNoise = 1;
constexpr std::uint32_t kReadingNoise = 2;

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
    const auto distance = [throttleTenths](int r) {
        return std::abs(static_cast<int>(kThrottleRows[static_cast<std::size_t>(r)]) - throttleTenths);
    };
    int best = 0;
    for (int r = 1; r < 10; ++r) {
        if (distance(r) < distance(best))
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

std::span<const std::uint8_t, 15> jet1AHeads(const ParamImage& memory)
{
    return memory.bytes().subspan<kRpmJet1A, 15>();
}

bool lineCarriesLambda(const ParamImage& memory)
{
    return memory.byte(kAktRpm) != 0;
}

} // namespace

RidePoint EngineModel::pointAt(std::chrono::milliseconds time, const ParamImage& memory) const
{
    return ridePoint(m_ride, time, jet1AHeads(memory));
}

RidePoint EngineModel::operatingPoint(const ParamImage& memory) const
{
    return pointAt(m_time, memory);
}

int EngineModel::lambdaMillivolts(const ParamImage& memory) const
{
    const auto now = m_time.count();
    const double mixtureNoise = noiseAt(now, kMixtureNoise);
    const double readingNoise = noiseAt(now, kReadingNoise);
    const RidePoint burnt = pointAt(std::max(std::chrono::milliseconds{0}, m_time - kTransportDelay), memory);
    const UnitInjection dose = unitInjection(memory, burnt);
    double got = 0.0;
    double needed = 0.0;
    for (int k = 0; k < dose.cylinders; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        got += dose.bankAUs[ku];
        // A cold engine needs what the warm-up correction adds, so only the map is judged. Bank B
        // is a share of A in every cell, so it scales need and dose alike and is left out.
        needed += m_demand ? demandMicroseconds(*m_demand, memory, k, burnt.rpm, burnt.throttleTenths) *
                                 dose.warmUpTenths / kNeutralCorrectionTenths
                           : dose.bankAUs[ku];
    }
    if (!(got > 0.0))
        return airOnlyMillivolts(readingNoise);
    return narrowBandMillivolts(needed > 0.0 ? got / needed : 2.0, mixtureNoise, readingNoise);
}

void EngineModel::fillMonitor(LinkFrame& frame, const ParamImage& memory, std::uint16_t programmingCount,
                              std::uint16_t savingCountdown, std::uint8_t version) const
{
    const RidePoint point = operatingPoint(memory);
    const int engineRpm = point.rpm;
    const int throttle = point.throttleTenths;
    const int row = nearestThrottleRow(throttle);
    const int coolant = point.coolantCelsius;
    const int iapKpa = intakeKpa(throttle);
    const UnitInjection dose = unitInjection(memory, point);
    const bool lambdaLine = lineCarriesLambda(memory);
    const double seconds = static_cast<double>(m_time.count()) / 1000.0;

    // Inputs are active low and all inactive but the tacho/lambda input when it selects lambda;
    // both servos working, both pickups running while the engine turns, the fan on when hot.
    frame[1] = 0b0101'0101;
    frame[2] =
        static_cast<std::uint8_t>(0b1100'0000 | (lambdaLine ? 0 : 0b0000'0011) |
                                  (dose.ignitionLimiter ? 0b0000'0100 : 0) | (dose.injectionLimiter ? 0b0000'1000 : 0));
    frame[3] = static_cast<std::uint8_t>((engineRpm > 0 ? 0b0110'0000 : 0) | (coolant > 95 ? 0b0001'0000 : 0));
    frame[4] = 0;

    const int advance = memory.byte(kAdvanceMap + cell(row, nearestColumn(memory, kRpmAdv, engineRpm)));
    for (int k = 0; k < dose.cylinders; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        putByte(frame, 10 + k, advance);
        putByte(frame, 14 + k, static_cast<int>(dose.bankAUs[ku] / 100.0));
        putByte(frame, 18 + k, static_cast<int>(dose.bankBUs[ku] / 100.0));
    }

    putByte(frame, 23, coolant + 100);
    putByte(frame, 24, 25 + 100);
    putByte(frame, 25, point.gear);
    putByte(frame, 26, dose.throttleMapShare);
    putByte(frame, 27, engineRpm > 9000 ? 2 : 0);

    putWord(frame, 48, engineRpm);
    putWord(frame, 50, 4050);
    putWord(frame, 52, 1013);
    putWord(frame, 54, iapKpa * 45);
    putWord(frame, 56, 500 + throttle * 4);
    putWord(frame, 58, lambdaLine ? lambdaMillivolts(memory) : 0);
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
    putWord(frame, 100, dose.warmUpTenths);
    putWord(frame, 102, kNeutralCorrectionTenths);
    putWord(frame, 104, kNeutralCorrectionTenths);
    putWord(frame, 106, kNeutralCorrectionTenths);
    putWord(frame, 108, 1000);
    putWord(frame, 110, 1000);
    putWord(frame, 112, 1000);
    putWord(frame, 114, 0);
    putWord(frame, 116, point.speedKmh);
    putWord(frame, 118, 500 + point.gear * 600);
    putWord(frame, 120, point.speedKmh == 0 ? 0 : engineRpm * 10 / point.speedKmh);
    for (int g = 1; g <= 6; ++g)
        putWord(frame, 120 + 2 * g, kGearRpmPerKmh[static_cast<std::size_t>(g)] * 10);
    putWord(frame, 134, 1000);
    putWord(frame, 136, iapKpa);
    putWord(frame, 138, throttle);
    putWord(frame, 148, savingCountdown);
    frame[150] = version;
}

} // namespace quorvel::sim
