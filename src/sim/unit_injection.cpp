#include "sim/unit_injection.h"

#include "model/map_layout.h"
#include "model/reference_interpolation.h"
#include "sim/cell_interpolation.h"

#include <algorithm>

namespace quorvel::sim {
namespace {

constexpr int kCylinderCount = 406;
constexpr int kIgnLimiter = 179;
constexpr int kJetLimiter = 180;
// The overrun cut: a shut throttle above this speed gets no fuel.
constexpr int kFuelCutRpm = 2500;
constexpr int kFuelCutThrottleTenths = 10;
// Below this speed part of the fuel comes from the IAP map.
constexpr int kThrottleMapsOnlyRpm = 2000;
constexpr int kThrottleMapShareLow = 60;
constexpr std::array kBankAMaps = {MapId::Jet1A, MapId::Jet2A, MapId::Jet3A, MapId::Jet4A};

double mapValueAt(const ParamImage& memory, MapId map, int rpm, std::span<const int> rows, int rowValue)
{
    const auto axis =
        memory.bytes().subspan(static_cast<std::size_t>(MapTable::of(map).axisOffset)).first<kMapColumns>();
    const AxisBracket column = bracketOf(axisRpm(axis), rpm);
    const AxisBracket row = bracketOf(rows, rowValue);
    return blendCells(row, column, [&](std::size_t r, std::size_t c) {
        return static_cast<double>(mapCell(memory, map, static_cast<int>(r * kMapColumns + c)));
    });
}

bool limiterHolds(const ParamImage& memory, int offset, int rpm)
{
    const int limit = memory.byte(offset) * 100;
    return limit > 0 && rpm >= limit;
}

} // namespace

int intakeKpa(int throttleTenths)
{
    return 30 + throttleTenths * 70 / 1000;
}

UnitInjection unitInjection(const ParamImage& memory, const RidePoint& point)
{
    UnitInjection dose;
    dose.cylinders = std::clamp<int>(memory.byte(kCylinderCount), 1, 4);
    dose.throttleMapShare = point.rpm > kThrottleMapsOnlyRpm ? 100 : kThrottleMapShareLow;
    dose.warmUpTenths = kNeutralCorrectionTenths + std::max(0, 70 - point.coolantCelsius) * 5;
    dose.fuelCut = point.throttleTenths < kFuelCutThrottleTenths && point.rpm > kFuelCutRpm;
    dose.injectionLimiter = limiterHolds(memory, kJetLimiter, point.rpm);
    dose.ignitionLimiter = limiterHolds(memory, kIgnLimiter, point.rpm);
    if (dose.fuelCut || dose.injectionLimiter)
        return dose;

    std::array<int, kMapRows> pressureRows{};
    for (int r = 0; r < kMapRows; ++r)
        pressureRows[static_cast<std::size_t>(r)] = iapRow(memory, r);
    const std::array<int, kMapRows> throttleRows = throttleRowTenths();
    const double share = dose.throttleMapShare / 100.0;
    const double iapUs = mapValueAt(memory, MapId::Iap, point.rpm, pressureRows, intakeKpa(point.throttleTenths));
    const double jetB = mapValueAt(memory, MapId::JetB, point.rpm, throttleRows, point.throttleTenths);
    for (int k = 0; k < dose.cylinders; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        const double mapUs = mapValueAt(memory, kBankAMaps[ku], point.rpm, throttleRows, point.throttleTenths);
        dose.bankAUs[ku] = (share * mapUs + (1.0 - share) * iapUs) * dose.warmUpTenths / 1000.0;
        dose.bankBUs[ku] = dose.bankAUs[ku] * jetB / 100.0;
    }
    return dose;
}

} // namespace quorvel::sim
