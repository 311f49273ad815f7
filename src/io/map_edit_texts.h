#pragma once

#include "core/message_texts.h"
#include "io/caption_table.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Every status line, refusal and dialog prompt of the map selection tools, the clipboard, the
// RPM axis change, the map files and the other writes of the tune. A text that names a place
// takes the line and the column of the offending field (1-based), or the RPM head; a value
// outside its range is told with words: the cell or parameter, the value and the range.
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
    PromptSetValue, // word: the unit of the values
    PromptAdd,      // word: the unit
    PromptSubtract, // word: the unit
    PromptScale,
    PromptRpmAxis,
    LegendMinimum, // %d
    LegendMaximum, // %d
    CsvFileFilter,
    ValueOutOfRange,  // words: the place, the value, the range
    CellPlace,        // words: the row head and the RPM head of a cell, as the grid shows them
    RangeText,        // words: lowest, highest, unit
    CellsChangedHeld, // %d cells changed, %d of the values held at their range's end
    CellsPastedHeld,  // %d cells pasted, %d held
    MapImportedHeld,  // %d values held
    FieldRounded,     // words: the parameter, the value given, the value stored
};

// A message with the numbers or the words it shows.
struct MapEditStatus {
    MapEditMessage message = MapEditMessage::NothingChanged;
    int first = 0;
    int second = 0;
    std::vector<std::string> words{};

    bool operator==(const MapEditStatus&) const = default;
};

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
