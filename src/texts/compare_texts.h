#pragma once

#include "texts/caption_table.h"
#include "texts/keyed_text.h"

#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

// The texts of comparing with a file or with the unit and of the automatic backups, in the four
// languages: captions of the controls the window builds for them, applied by object name like
// the caption table's, and the keyed texts it composes lists, tooltips and questions from. Texts
// with %s or %d are printf formats (formatText).
class CompareTexts {
public:
    [[nodiscard]] static std::span<const CaptionRow> captions();
    [[nodiscard]] static std::span<const KeyedText> texts();
    [[nodiscard]] static std::optional<std::string_view> text(std::string_view key, Language language);
};

} // namespace quorvel
