#include "maps/map_clipboard.h"

#include "io/decimal_text.h"
#include "io/delimited_text.h"
#include "io/input_limits.h"
#include "io/map_sheet.h"
#include "maps/cell_scale.h"

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

int decimalsOf(CellUnit unit)
{
    return unit == CellUnit::Milliseconds ? CellScale::kTimeDecimals : 0;
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

MapEdit pasteBlock(const MapGridModel& grid, const MapSelection& selection, const std::vector<TextRow>& rows,
                   DecimalMark mark)
{
    const auto area = selection.rect();
    if (!area)
        return MapEdit::refused(NoSelection);
    const BlockRead block = readBlock(rows, mark);
    if (block.error)
        return MapEdit::refused(block.error->message, block.error->first, block.error->second);

    MapEdit edit;
    edit.unit = grid.viewUnit();
    const auto give = [&](GridCell cell, const DecimalNumber& number) {
        edit.values.push_back({cell, number.numerator, number.denominator});
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
    for (const CellInput& value : edit.values) {
        if (!grid.isCellEditable(value.cell.row, value.cell.column))
            return MapEdit::refused(FollowerMap);
    }
    return edit;
}

} // namespace

std::string copySelection(const MapGridModel& grid, const MapSelection& selection)
{
    std::string text;
    const auto area = selection.rect();
    if (!area)
        return text;
    const CellUnit unit = grid.viewUnit();
    for (int r = area->top; r <= area->bottom; ++r) {
        std::string line;
        for (int c = area->left; c <= area->right; ++c) {
            if (!selection.contains({r, c}))
                continue;
            if (!line.empty())
                line += kSeparator;
            line += fixedText(grid.cellReading(unit, r, c), decimalsOf(unit));
        }
        if (!line.empty())
            text += line + std::string(kLineEnd);
    }
    return text;
}

std::string copyMapWithHeads(const MapGridModel& grid, std::string_view mapName, std::string_view unit)
{
    const CellUnit view = grid.viewUnit();
    MapSheet sheet;
    sheet.corner = sheetCorner(mapName, unit);
    sheet.decimals = decimalsOf(view);
    for (int c = 0; c < kMapColumns; ++c)
        sheet.rpm[static_cast<std::size_t>(c)] = grid.rpmHead(c);
    for (int r = 0; r < kMapRows; ++r) {
        sheet.rowHeads[static_cast<std::size_t>(r)] = grid.rowHead(r);
        for (int c = 0; c < kMapColumns; ++c)
            sheet.cells[static_cast<std::size_t>(r * kMapColumns + c)] = static_cast<int>(grid.cellReading(view, r, c));
    }
    return formatMapSheet(sheet, kSeparator, kLineEnd);
}

Paste readPaste(const MapGridModel& grid, const MapSelection& selection, std::string_view text,
                const SheetTarget& target)
{
    // Splitting a text of megabytes would hold the window for seconds.
    if (text.size() > kMapTextLimit)
        return {MapEditStatus{TextTooLarge, static_cast<int>(kMapTextLimit / kKiB)}, {}, {}};
    const std::vector<TextRow> rows = splitDelimited(text, kSeparator);
    if (rows.empty())
        return {MapEditStatus{EmptyText}, {}, {}};
    if (const auto refusal = pasteRefusal(grid))
        return {MapEditStatus{*refusal}, {}, {}};
    const DecimalMark mark = decimalMarkOf(rows, kSeparator);
    if (looksLikeMapSheet(rows)) {
        SheetRead read = readMapSheet(rows, mark, target);
        if (read.error)
            return {read.error, {}, {}};
        return {std::nullopt, {}, std::move(read)};
    }
    MapEdit block = pasteBlock(grid, selection, rows, mark);
    if (block.refusal)
        return {block.refusal, {}, {}};
    return {std::nullopt, std::move(block), std::nullopt};
}

} // namespace quorvel
