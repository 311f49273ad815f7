#pragma once

#include "io/decimal_text.h"
#include "io/delimited_text.h"
#include "model/map_edit_status.h"
#include "model/map_layout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

inline constexpr int kSheetLines = kMapRows + 1;
inline constexpr int kSheetFields = kMapColumns + 1;

// A whole map as a spreadsheet holds it, in the units the page shows: the corner names the map
// and its unit ("JET_1A [%]", "JET_1A [ms]"), the first line holds the RPM heads, every further
// line the row head ("0%" .. "100%", or the pressure in kPa on "Inj-IAP") and the row's 15
// cells. A cell is written with `decimals` places: 3 for the stored times in ms, held in us.
struct MapSheet {
    std::string corner;
    std::array<int, kMapColumns> rpm{};
    std::array<std::string, kMapRows> rowHeads;
    std::array<int, kMapCells> cells{};
    int decimals = 0;
};

// "JET_1A [%]": the map's section key and the unit of its values.
[[nodiscard]] std::string sheetCorner(std::string_view mapName, std::string_view unit);
[[nodiscard]] std::string formatMapSheet(const MapSheet& sheet, char separator, std::string_view lineEnd);
// A value held in units of 10^-decimals as text with that many places: 1404 and 3 give "1.404".
[[nodiscard]] std::string fixedText(std::int64_t value, int decimals);

// What a sheet read into a page must fit.
struct SheetTarget {
    // The units the map's values may be given in; a corner stating another is refused, one
    // stating none is taken in the first.
    std::vector<std::string_view> units;
    bool pressureRows = false; // "Inj-IAP": the row heads are the IAP_IAP pressures
};

// A sheet's values once read: the heads checked, the cells as written. Whether a cell fits its
// range is for the writer of the tune to decide, with the cell named.
struct SheetValues {
    std::array<int, kMapColumns> rpm{};
    std::array<int, kMapRows> pressures{}; // kPa, with pressure rows only
    std::array<DecimalNumber, kMapCells> cells{};
};

struct SheetRead {
    std::optional<MapEditStatus> error; // the first field that does not fit, by line and column
    SheetValues values;
    std::string_view unit; // the unit of the cells: the one the corner states, or the first
};

// Whether the rows have the shape of a whole map with heads: 11 lines of 16 fields and a corner
// that is no number.
[[nodiscard]] bool looksLikeMapSheet(const std::vector<TextRow>& rows);

// Reads a whole map. The RPM heads must rise strictly within 300..25000 rpm (rounded to 100);
// the row heads must be the throttle rows of the page ("20%", "20", or the fraction 0.2 a
// spreadsheet writes for a cell formatted as percent), or pressures rising within 0..1000 kPa;
// every cell must be a number.
[[nodiscard]] SheetRead readMapSheet(const std::vector<TextRow>& rows, DecimalMark mark, const SheetTarget& target);

// The message for a field that holds no usable number.
[[nodiscard]] MapEditMessage numberFaultMessage(NumberFault fault);

} // namespace quorvel
