#include "maps/map_clipboard.h"

#include "io/decimal_text.h"
#include "io/delimited_text.h"
#include "io/input_limits.h"
#include "io/map_sheet.h"
#include "model/step_rounding.h"

namespace quorvel {
namespace {

using enum MapEditMessage;

constexpr char kSeparator = '\t';
constexpr std::string_view kLineEnd = "\n";

// Why nothing can be pasted on the page: a follower map shows cells that take no edit, a
// disabled servo shows none.
std::optional<MapEditMessage> pasteRefusal(const MapGridModel& grid)
{
    bool visible = false;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (grid.isCellEditable(r, c))
                return std::nullopt;
            visible = visible || grid.isCellVisible(r, c);
        }
    }
    return visible ? FollowerMap : NoSelection;
}

MapEdit pasteSheet(MapGridModel& grid, const std::vector<TextRow>& rows, DecimalMark mark, const CellRangeFn& ranges,
                   std::string_view unit)
{
    const SheetRead read = readMapSheet(rows, mark, {unit, grid.hasPressureRows(), ranges});
    if (read.error)
        return MapEdit::refused(read.error->message, read.error->first, read.error->second);
    std::vector<CellValue> values;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (grid.isCellEditable(r, c))
                values.push_back({{r, c}, read.values.cells[static_cast<std::size_t>(r * kMapColumns + c)]});
        }
    }
    MapEdit edit = writeCells(grid, values);
    edit.wholeMap = true;
    for (int c = 0; c < kMapColumns; ++c)
        edit.headsChanged = grid.setRpmHead(c, read.values.rpm[static_cast<std::size_t>(c)]) || edit.headsChanged;
    if (grid.hasPressureRows()) {
        for (int r = 0; r < kMapRows; ++r)
            edit.headsChanged =
                grid.setRowAxisValue(r, read.values.pressures[static_cast<std::size_t>(r)]) || edit.headsChanged;
    }
    return edit;
}

// Every field of the block as a number, row by row; the first that is none refuses the paste.
struct BlockRead {
    std::optional<MapEditStatus> error;
    std::vector<std::vector<DecimalNumber>> numbers;
};

BlockRead readBlock(const std::vector<TextRow>& rows, DecimalMark mark)
{
    BlockRead block;
    for (const TextRow& row : rows) {
        std::vector<DecimalNumber>& line = block.numbers.emplace_back();
        for (std::size_t f = 0; f < row.fields.size(); ++f) {
            const DecimalRead read = readDecimal(row.fields[f], mark);
            if (read.fault != NumberFault::None) {
                block.error = MapEditStatus{numberFaultMessage(read.fault), row.line, static_cast<int>(f) + 1};
                return block;
            }
            line.push_back(read.number);
        }
    }
    return block;
}

MapEdit pasteBlock(MapGridModel& grid, const MapSelection& selection, const std::vector<TextRow>& rows,
                   DecimalMark mark, const CellRangeFn& ranges)
{
    const auto area = selection.rect();
    if (!area)
        return MapEdit::refused(NoSelection);
    const BlockRead block = readBlock(rows, mark);
    if (block.error)
        return MapEdit::refused(block.error->message, block.error->first, block.error->second);

    std::vector<CellValue> values;
    const auto give = [&](GridCell cell, const DecimalNumber& number) {
        const ControlRange range = ranges(cell.row, cell.column);
        values.push_back({cell, roundToStep(number.numerator, number.denominator, range)});
    };
    if (block.numbers.size() == 1 && block.numbers.front().size() == 1) {
        for (GridCell cell : selection.cells())
            give(cell, block.numbers.front().front());
    } else {
        for (std::size_t i = 0; i < block.numbers.size(); ++i) {
            for (std::size_t j = 0; j < block.numbers[i].size(); ++j) {
                const GridCell cell{area->top + static_cast<int>(i), area->left + static_cast<int>(j)};
                if (cell.row < kMapRows && cell.column < kMapColumns && grid.isCellVisible(cell.row, cell.column))
                    give(cell, block.numbers[i][j]);
            }
        }
    }
    for (const CellValue& value : values) {
        if (!grid.isCellEditable(value.cell.row, value.cell.column))
            return MapEdit::refused(FollowerMap);
    }
    return writeCells(grid, values);
}

} // namespace

std::string copySelection(const MapGridModel& grid, const MapSelection& selection)
{
    std::string text;
    const auto area = selection.rect();
    if (!area)
        return text;
    for (int r = area->top; r <= area->bottom; ++r) {
        std::string line;
        for (int c = area->left; c <= area->right; ++c) {
            if (!selection.contains({r, c}))
                continue;
            if (!line.empty())
                line += kSeparator;
            line += std::to_string(grid.cellValue(r, c));
        }
        if (!line.empty())
            text += line + std::string(kLineEnd);
    }
    return text;
}

std::string copyMapWithHeads(const MapGridModel& grid, std::string_view mapName, std::string_view unit)
{
    MapSheet sheet;
    sheet.corner = sheetCorner(mapName, unit);
    for (int c = 0; c < kMapColumns; ++c)
        sheet.rpm[static_cast<std::size_t>(c)] = grid.rpmHead(c);
    for (int r = 0; r < kMapRows; ++r)
        sheet.rowHeads[static_cast<std::size_t>(r)] = grid.rowHead(r);
    sheet.cells = grid.values().cells;
    return formatMapSheet(sheet, kSeparator, kLineEnd);
}

MapEdit pasteText(MapGridModel& grid, const MapSelection& selection, std::string_view text, const CellRangeFn& ranges,
                  std::string_view unit)
{
    // Splitting a text of megabytes would hold the window for seconds.
    if (text.size() > kMapTextLimit)
        return MapEdit::refused(TextTooLarge, static_cast<int>(kMapTextLimit / kKiB));
    const std::vector<TextRow> rows = splitDelimited(text, kSeparator);
    if (rows.empty())
        return MapEdit::refused(EmptyText);
    if (const auto refusal = pasteRefusal(grid))
        return MapEdit::refused(*refusal);
    const DecimalMark mark = decimalMarkOf(rows, kSeparator);
    if (looksLikeMapSheet(rows))
        return pasteSheet(grid, rows, mark, ranges, unit);
    return pasteBlock(grid, selection, rows, mark, ranges);
}

} // namespace quorvel
