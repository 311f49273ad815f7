#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// What the map selection tools, the clipboard, the RPM axis change, the map files and the other
// writes of the tune report: a code for every status line, refusal and dialog prompt, which the
// window turns into the words of its language (texts/map_edit_texts.h). A text that names a place
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

} // namespace quorvel
