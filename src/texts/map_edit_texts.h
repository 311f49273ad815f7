#pragma once

#include "core/message_texts.h"
#include "model/map_edit_status.h"
#include "texts/caption_table.h"

#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// How many %d numbers the message's format takes: 0, 1 or 2.
[[nodiscard]] int argumentCount(MapEditMessage message);
// How many %s words it takes instead: 0 to 3.
[[nodiscard]] int wordCount(MapEditMessage message);
// The format of a message in a language, as the table holds it.
[[nodiscard]] std::string_view mapEditFormat(MapEditMessage message, Language language);
// The format a count of exactly one takes, where the language words it apart ("1 cell
// changed"); empty where the plural format serves.
[[nodiscard]] std::string_view mapEditSingular(MapEditMessage message, Language language);
// The text of a message with its numbers or words filled in.
[[nodiscard]] std::string mapEditText(const MapEditStatus& status, Language language);

// The captions and hints of the new menu items, the grid's context menu and the "Colours" box,
// by object name, to be applied like the rows of the caption table.
[[nodiscard]] std::span<const CaptionRow> mapEditCaptionRows();

} // namespace quorvel
