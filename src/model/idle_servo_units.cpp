#include "model/idle_servo_units.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {
namespace {

constexpr int kServoMode = 1;
constexpr int kStepMotorMode = 2;
constexpr int kStepMotorTpsMode = 3;

} // namespace

ControlRange IdleServoUnits::range(int idleMode, bool servoInProcent)
{
    switch (idleMode) {
    case kServoMode:
        return servoInProcent ? ControlRange{0, 100, 1} : ControlRange{0, 5000, 5};
    case kStepMotorMode:
        return {0, 12000, 10};
    case kStepMotorTpsMode:
        return {0, 30000, 1};
    default:
        return {0, 100, 1};
    }
}

bool IdleServoUnits::inPercent(int idleMode, bool servoInProcent)
{
    return idleMode == kServoMode && servoInProcent;
}

void IdleServoUnits::convert(ParamImage& image, int oldMode, bool oldProcent, int newMode, bool newProcent)
{
    const bool wasPercent = inPercent(oldMode, oldProcent);
    const bool isPercent = inPercent(newMode, newProcent);
    if (wasPercent == isPercent)
        return;
    const Field& positions = *FieldTable::byName("IdleServoPoz");
    for (int i = 0; i < positions.count; ++i) {
        const int offset = positions.elementOffset(i);
        const std::uint32_t word = image.wordAt(offset);
        const std::uint32_t converted =
            isPercent ? word / kPositionsPerPercent : std::min<std::uint32_t>(word * kPositionsPerPercent, 0xFFFFU);
        image.setWordAt(offset, static_cast<std::uint16_t>(converted));
    }
}

} // namespace quorvel
