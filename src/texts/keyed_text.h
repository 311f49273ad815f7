#pragma once

#include "texts/caption_table.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

// A text that no control carries by itself (a message, a format, a column heading, an axis
// title), known by a name the core hands to the window, in the four languages.
struct KeyedText {
    std::string_view key;
    LanguageTexts texts;
};

[[nodiscard]] inline std::optional<std::string_view> findKeyedText(std::span<const KeyedText> table,
                                                                   std::string_view key, Language language)
{
    const auto row = std::ranges::find(table, key, &KeyedText::key);
    if (row == table.end())
        return std::nullopt;
    return textIn(row->texts, language);
}

} // namespace quorvel
