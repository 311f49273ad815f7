#pragma once

#include "texts/caption_table.h"
#include "texts/keyed_text.h"

#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

// The texts of live tuning in the four languages: captions of its menu items, applied by object
// name like the caption table's, and the keyed texts of the Tuning dock and of what a session
// reports (pre-flight findings, why frames do not count, readings, why applying after every pass
// stopped). Texts with %s, %d or %.1f are printf formats (formatText).
class TuningTexts {
public:
    [[nodiscard]] static std::span<const CaptionRow> captions();
    [[nodiscard]] static std::span<const KeyedText> texts();
    [[nodiscard]] static std::optional<std::string_view> text(std::string_view key, Language language);
};

} // namespace quorvel
