#pragma once

#include "core/message_texts.h"
#include "io/caption_table.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// Every status line, refusal and dialog prompt of the map selection tools, the clipboard, the
// RPM axis change and the map files. A text that names a place takes the line and the column
// of the offending field (1-based), or the RPM head.
enum class MapEditMessage : std::uint8_t {
    CellsChanged, // %d cells
    CellsPasted,  // %d cells
    MapPasted,    // %d cells, the heads with them
    NothingChanged,
    NoSelection,
    FollowerMap,
    TooFewToInterpolate,
    NothingToSmooth,
    EngineStopped,
    NoLiveCell,
    NegativePercentage,
    EmptyText,
    TextTooLarge,     // kB
    BadNumber,        // line, column
    EmptyField,       // line, column
    AmbiguousDecimal, // line, column
    WrongShape,       // line, column
    UnitDiffers,      // line, column
    BadRpmHead,       // line, column
    BadRowHead,       // line, column
    BadNewRpmHead,    // head
    NoRpmAxis,
    FollowerAxesWouldNotRise,
    RpmAxisChanged,
    MapExported,
    MapImported,
    PromptSetValue,
    PromptAdd,
    PromptSubtract,
    PromptScale,
    PromptRpmAxis,
    LegendMinimum, // %d
    LegendMaximum, // %d
    CsvFileFilter,
};

// A message with the numbers it shows.
struct MapEditStatus {
    MapEditMessage message = MapEditMessage::NothingChanged;
    int first = 0;
    int second = 0;

    bool operator==(const MapEditStatus&) const = default;
};

// How many %d numbers the message's format takes: 0, 1 or 2.
[[nodiscard]] int argumentCount(MapEditMessage message);
// The format of a message in a language, as the table holds it.
[[nodiscard]] std::string_view mapEditFormat(MapEditMessage message, Language language);
// The text of a message with its numbers filled in.
[[nodiscard]] std::string mapEditText(const MapEditStatus& status, Language language);

// The captions and hints of the new menu items, the grid's context menu and the "Colours" box,
// by object name, to be applied like the rows of the caption table.
[[nodiscard]] std::span<const CaptionRow> mapEditCaptionRows();

} // namespace quorvel
