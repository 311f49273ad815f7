#pragma once

#include "texts/caption_table.h"
#include "texts/keyed_text.h"

#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

// The texts of the 3D and curve views of the maps in the four languages: captions of their panes,
// actions and tool buttons by object name, and keyed texts for the pane messages, the curve
// names and the axis titles the view models name (MapSurfaceModel, CurveModel). "CurveMapRow" and
// "CurveMapColumn" are printf formats taking the row or column head as text.
class MapViewTexts {
public:
    [[nodiscard]] static std::span<const CaptionRow> captions();
    [[nodiscard]] static std::span<const KeyedText> texts();
    [[nodiscard]] static std::optional<std::string_view> text(std::string_view key, Language language);
};

} // namespace quorvel
