#pragma once

#include "core/param_image.h"
#include "maps/map_tools.h"

namespace quorvel {

// The "Procent" box of a servo page: switches the page's servo map between positions in
// percent and in units of 20 mV (5000 mV = 100 %) and converts its 150 bytes; on "Intake
// Servo" with the idle mode "Intake servo" the nine idle targets follow (50 mV per percent).
// The first row stays below 250 either way, so 100 % there becomes 4980 mV.
// A click that leaves the stored state as it was converts nothing. Always ends with afterChange.
[[nodiscard]] ToolOutcome switchServoPercent(ParamImage& image, int page, bool percent);

// The stored conversions of one map byte: to percent (2b + 2) / 5, to 20 mV steps 5b / 2.
[[nodiscard]] std::uint8_t servoByteToPercent(std::uint8_t stored);
[[nodiscard]] std::uint8_t servoByteToMillivolts(std::uint8_t stored);

} // namespace quorvel
