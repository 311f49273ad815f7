#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One line of a spreadsheet's text: its 1-based line number and its fields.
struct TextRow {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits the text a spreadsheet copies or saves: lines end in LF, CR LF or CR alone (an older
// Mac spreadsheet's CSV), trailing empty lines
// (the spreadsheet's final line end) are dropped, a leading UTF-8 byte order mark is skipped,
// and a field wholly in double quotes loses them ("" inside stands for one quote). Fields keep
// their blanks; the number reader trims them.
[[nodiscard]] std::vector<TextRow> splitDelimited(std::string_view text, char separator);

// The separator of a CSV file by its first line: a tab or a semicolon where the line holds one
// (the semicolon is what spreadsheets with a decimal comma save), else a comma.
[[nodiscard]] char detectSeparator(std::string_view text);

} // namespace quorvel
