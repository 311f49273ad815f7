#pragma once

#include "core/colour_role.h"
#include "core/param_image.h"

#include <array>
#include <string_view>

namespace quorvel {

// Settings kept outside the image that the sanitiser keeps within their ranges.
struct OutsideSettings {
    int language = 0;      // 0 English .. 3 Czech
    int portSelection = 0; // 0..19 for COM1..COM20, 20 for "Com Auto"
    int autoScanIndex = 0; // 0..19
};

struct ControlColour {
    std::string_view control;
    ColourRole role = ColourRole::NormalWindow;

    bool operator==(const ControlColour&) const = default;
};

// The calibration fields of the Sensors page, red while the two calibration voltages of a
// sensor are equal (a calibration that cannot be interpolated).
using CalibrationWarnings = std::array<ControlColour, 4>;

// Clamps and orders the image after every change so that the unit never receives values it
// cannot use: afterwards every RPM axis and the position RPM points rise strictly, the pressure
// rows rise, the temperature-sensor tables fall, and every bounded value is within its range.
// Running it a second time changes nothing.
CalibrationWarnings sanitiseImage(ParamImage& image, OutsideSettings& settings);

} // namespace quorvel
