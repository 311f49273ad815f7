#pragma once

#include "core/control_view.h"
#include "core/message_texts.h"
#include "core/param_image.h"

#include <vector>

namespace quorvel {

// What the static pages show for the settings in the image: the gear rows up to the number of
// gears, the idle fields of the chosen idle control, the N2O groups only with N2O enabled. Each
// view is recomputed from the image and names an edit field with its up-down by the edit field.
using ViewSet = std::vector<ControlView>;

[[nodiscard]] ViewSet bikeView(const ParamImage& image);
[[nodiscard]] ViewSet cidlaView(const ParamImage& image);
[[nodiscard]] ViewSet gasView(const ParamImage& image);
[[nodiscard]] ViewSet raceView(const ParamImage& image);
[[nodiscard]] ViewSet gearView(const ParamImage& image);
// The captions come from the numbered texts and, for the regulation direction, the language.
[[nodiscard]] ViewSet idleView(const ParamImage& image, const MessageTexts& texts, Language language);

// The range and step of the nine idle targets for the idle mode and the intake servo's unit.
[[nodiscard]] ViewSet idleRanges(const ParamImage& image);

// "Temperature instead of speed" exists only on some bikes; on every other bike the Race page
// clears it. True when it was cleared.
bool clearUnsupportedTempDisplay(ParamImage& image);

// The view of a static page; empty for the map pages and the pages without a view.
[[nodiscard]] ViewSet staticPageView(int page, const ParamImage& image, const MessageTexts& texts, Language language);

} // namespace quorvel
