#pragma once

#include "texts/caption_table.h"
#include "texts/keyed_text.h"

#include <QString>

#include <span>
#include <string_view>

namespace quorvel {

[[nodiscard]] inline QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A keyed text of `table` in `language`. A key the table lacks shows as itself, so that a gap in
// the tables is seen on screen instead of an empty caption.
[[nodiscard]] inline QString keyedText(std::span<const KeyedText> table, std::string_view key, Language language)
{
    return qText(findKeyedText(table, key, language).value_or(key));
}

// The caption of a control in a table of captions, as keyedText for names the table lacks.
[[nodiscard]] inline QString captionText(std::span<const CaptionRow> table, std::string_view control, CaptionKind kind,
                                         Language language)
{
    for (const CaptionRow& row : table) {
        if (row.control == control && row.kind == kind)
            return qText(textIn(row.texts, language));
    }
    return qText(control);
}

} // namespace quorvel
