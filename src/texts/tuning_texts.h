#pragma once

#include "texts/caption_table.h"
#include "texts/keyed_text.h"

#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

// The texts of live tuning in the four languages, keyed by the names a session hands out for what
// it reports: pre-flight findings, why frames do not count, readings, why applying after every
// pass stopped. Texts with %s or %d are printf formats (formatText).
class TuningTexts {
public:
    [[nodiscard]] static std::span<const KeyedText> texts();
    [[nodiscard]] static std::optional<std::string_view> text(std::string_view key, Language language);
};

} // namespace quorvel
