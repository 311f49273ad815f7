#pragma once

#include "io/decimal_text.h"
#include "io/delimited_text.h"
#include "io/map_edit_texts.h"
#include "model/map_cell_rules.h"
#include "model/map_layout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

inline constexpr int kSheetLines = kMapRows + 1;
inline constexpr int kSheetFields = kMapColumns + 1;

// A whole map as a spreadsheet holds it, in the page's shown units: the corner names the map and
// its unit ("JET_1A [%]"), the first line holds the RPM heads, every further line the row head
// ("0%" .. "100%", or the pressure in kPa on "Inj-IAP") and the row's 15 cells.
struct MapSheet {
    std::string corner;
    std::array<int, kMapColumns> rpm{};
    std::array<std::string, kMapRows> rowHeads;
    std::array<int, kMapCells> cells{};
};

// "JET_1A [%]": the map's section key and the unit of its values.
[[nodiscard]] std::string sheetCorner(std::string_view mapName, std::string_view unit);
[[nodiscard]] std::string formatMapSheet(const MapSheet& sheet, char separator, std::string_view lineEnd);

// What a sheet read into a page must fit.
struct SheetTarget {
    std::string_view unit;     // a corner stating another unit is refused; one stating none is taken
    bool pressureRows = false; // "Inj-IAP": the row heads are the IAP_IAP pressures
    CellRangeFn ranges;
};

// A sheet's values once read: the heads checked, every cell rounded to its step and held within
// its range.
struct SheetValues {
    std::array<int, kMapColumns> rpm{};
    std::array<int, kMapRows> pressures{}; // kPa, with pressure rows only
    std::array<int, kMapCells> cells{};
};

struct SheetRead {
    std::optional<MapEditStatus> error; // the first field that does not fit, by line and column
    SheetValues values;
};

// Whether the rows have the shape of a whole map with heads: 11 lines of 16 fields and a corner
// that is no number.
[[nodiscard]] bool looksLikeMapSheet(const std::vector<TextRow>& rows);

// Reads a whole map. The RPM heads must rise strictly within 300..25000 rpm (rounded to 100);
// the row heads must be the throttle rows of the page ("0%" or "0"), or pressures rising within
// 0..1000 kPa; every cell must be a number.
[[nodiscard]] SheetRead readMapSheet(const std::vector<TextRow>& rows, DecimalMark mark, const SheetTarget& target);

// The message for a field that holds no usable number.
[[nodiscard]] MapEditMessage numberFaultMessage(NumberFault fault);

} // namespace quorvel
