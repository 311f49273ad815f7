#pragma once

#include "core/param_image.h"
#include "model/field_table.h"

namespace quorvel {

// The nine IdleServoPoz words hold percent of the intake servo travel while the idle control
// drives the intake servo (IdleMode 1) in percent mode (ServoInProcent 1), and servo positions,
// 50 per percent, or step-motor positions otherwise.
class IdleServoUnits {
public:
    static constexpr int kPositionsPerPercent = 50;

    [[nodiscard]] static ControlRange range(int idleMode, bool servoInProcent);
    [[nodiscard]] static bool inPercent(int idleMode, bool servoInProcent);

    // Re-expresses the nine words when IdleMode or ServoInProcent changes from the first pair of
    // settings to the second: into percent divides by 50 (truncating), out of percent
    // multiplies by 50. A product that does not fit a word saturates at 65535 rather than wrap.
    static void convert(ParamImage& image, int oldMode, bool oldProcent, int newMode, bool newProcent);
};

} // namespace quorvel
