#pragma once

#include "core/message_texts.h"
#include "core/param_image.h"
#include "model/image_compare.h"

#include <string>

namespace quorvel {

// What the names of differing values depend on besides the language: the set on screen.
struct NameContext {
    bool chokeBike = false;     // bike 38 labels two fields of the Idle page differently
    bool servoInPercent = true; // the intake servo map's cells are percent, else mV
    bool servoExPercent = true; // the same for the exhaust servo map

    [[nodiscard]] static NameContext of(const ParamImage& image);
};

// A value as the user finds it on its page: the caption it stands under in the language (with
// the heading of its row of fields and the label of its row where it is one of many) and the
// unit of its shown number.
struct ShownName {
    std::string caption; // "Ignition Limiter [rpm]", "Coolant, 50 °C", "Row 4, column 8"
    std::string unit;    // "rpm", "mV", "%", "°" ...; empty for counts, choices and ticks

    // The caption with its unit in brackets, unless the caption names a unit of its own.
    [[nodiscard]] std::string withUnit() const;
};

// The name of a difference as the page that shows it reads in `language`. Values no page shows
// keep their parameter name; bytes no parameter holds are "Byte N".
[[nodiscard]] ShownName shownName(const Difference& difference, Language language, const NameContext& context = {});

} // namespace quorvel
