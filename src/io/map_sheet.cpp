#include "io/map_sheet.h"

#include "model/step_rounding.h"

#include <algorithm>

namespace quorvel {
namespace {

using enum MapEditMessage;

constexpr ControlRange kHeadRpm{kAxisRpmMinimum, kAxisRpmMaximum, kAxisRpmStep};
constexpr ControlRange kPressure{0, kIapRowsMaximum, 1};

// The unit a corner states between square brackets; empty when it states none.
std::string_view statedUnit(std::string_view corner)
{
    const std::size_t open = corner.rfind('[');
    const std::size_t close = corner.rfind(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return {};
    return corner.substr(open + 1, close - open - 1);
}

// A head rounded to whole units of `range`; none when it lies outside the range.
std::optional<int> headWithin(const DecimalNumber& number, const ControlRange& range)
{
    const std::int64_t value = roundHalfAwayFromZero(number.numerator, number.denominator * range.step) * range.step;
    if (value < range.minimum || value > range.maximum)
        return std::nullopt;
    return static_cast<int>(value);
}

class SheetReader {
public:
    SheetReader(const std::vector<TextRow>& rows, DecimalMark mark, const SheetTarget& target)
        : m_rows(rows)
        , m_mark(mark)
        , m_target(target)
    {
    }

    SheetRead read()
    {
        if (!shapeFits() || !unitFits() || !readRpm())
            return m_result;
        for (int r = 0; r < kMapRows && !m_result.error; ++r) {
            if (readRowHead(r))
                readCells(r);
        }
        return m_result;
    }

private:
    const std::string& field(int line, int column) const
    {
        return m_rows[static_cast<std::size_t>(line)].fields[static_cast<std::size_t>(column)];
    }
    bool fail(MapEditMessage message, int line, int column)
    {
        m_result.error = MapEditStatus{message, m_rows[static_cast<std::size_t>(line)].line, column + 1};
        return false;
    }
    // A field as a number; on a fault the error names the field.
    std::optional<DecimalNumber> number(int line, int column, std::string_view text)
    {
        const DecimalRead read = readDecimal(text, m_mark);
        if (read.fault != NumberFault::None) {
            fail(numberFaultMessage(read.fault), line, column);
            return std::nullopt;
        }
        return read.number;
    }

    bool shapeFits()
    {
        const auto lines = static_cast<int>(m_rows.size());
        for (int line = 0; line < std::min(lines, kSheetLines); ++line) {
            const auto fields = static_cast<int>(m_rows[static_cast<std::size_t>(line)].fields.size());
            if (fields != kSheetFields)
                return fail(WrongShape, line, std::min(fields, kSheetFields));
        }
        if (lines == kSheetLines)
            return true;
        // A missing line is named after the last one there is, an extra one by its own number.
        const int named = lines < kSheetLines ? (lines == 0 ? 1 : m_rows.back().line + 1)
                                              : m_rows[static_cast<std::size_t>(kSheetLines)].line;
        m_result.error = MapEditStatus{WrongShape, named, 1};
        return false;
    }

    bool unitFits()
    {
        const std::string_view unit = statedUnit(field(0, 0));
        if (unit.empty()) {
            m_result.unit = m_target.units.empty() ? std::string_view{} : m_target.units.front();
            return true;
        }
        const auto known = std::ranges::find(m_target.units, unit);
        if (known == m_target.units.end())
            return fail(UnitDiffers, 0, 0);
        m_result.unit = *known;
        return true;
    }

    bool readRpm()
    {
        for (int c = 0; c < kMapColumns; ++c) {
            const auto read = number(0, c + 1, field(0, c + 1));
            if (!read)
                return false;
            const auto rpm = headWithin(*read, kHeadRpm);
            if (!rpm || (c > 0 && *rpm <= m_result.values.rpm[static_cast<std::size_t>(c - 1)]))
                return fail(BadRpmHead, 0, c + 1);
            m_result.values.rpm[static_cast<std::size_t>(c)] = *rpm;
        }
        return true;
    }

    bool readRowHead(int r)
    {
        const int line = r + 1;
        std::string_view text = field(line, 0);
        const bool percent = text.find('%') != std::string_view::npos;
        if (percent && !m_target.pressureRows)
            text = text.substr(0, text.find('%'));
        if (percent && m_target.pressureRows)
            return fail(BadRowHead, line, 0);
        const auto read = number(line, 0, text);
        if (!read)
            return false;
        if (!m_target.pressureRows) {
            // 20 % is "20" or, from a cell a spreadsheet formats as percent, the fraction 0.2.
            const std::int64_t expected = kThrottleRowPercent[static_cast<std::size_t>(r)];
            const bool asPercent = read->numerator == expected * read->denominator;
            const bool asFraction = !percent && 100 * read->numerator == expected * read->denominator;
            if (!asPercent && !asFraction)
                return fail(BadRowHead, line, 0);
            return true;
        }
        const auto kPa = headWithin(*read, kPressure);
        if (!kPa || (r > 0 && *kPa <= m_result.values.pressures[static_cast<std::size_t>(r - 1)]))
            return fail(BadRowHead, line, 0);
        m_result.values.pressures[static_cast<std::size_t>(r)] = *kPa;
        return true;
    }

    void readCells(int r)
    {
        const int line = r + 1;
        for (int c = 0; c < kMapColumns; ++c) {
            const auto read = number(line, c + 1, field(line, c + 1));
            if (!read)
                return;
            m_result.values.cells[static_cast<std::size_t>(r * kMapColumns + c)] = *read;
        }
    }

    const std::vector<TextRow>& m_rows;
    DecimalMark m_mark;
    const SheetTarget& m_target;
    SheetRead m_result;
};

} // namespace

std::string sheetCorner(std::string_view mapName, std::string_view unit)
{
    return std::string(mapName) + " [" + std::string(unit) + "]";
}

std::string fixedText(std::int64_t value, int decimals)
{
    if (decimals <= 0)
        return std::to_string(value);
    std::int64_t scale = 1;
    for (int d = 0; d < decimals; ++d)
        scale *= 10;
    const std::int64_t magnitude = value < 0 ? -value : value;
    std::string fraction = std::to_string(magnitude % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return (value < 0 ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

std::string formatMapSheet(const MapSheet& sheet, char separator, std::string_view lineEnd)
{
    std::string text = sheet.corner;
    for (int rpm : sheet.rpm)
        text += separator + std::to_string(rpm);
    text += lineEnd;
    for (int r = 0; r < kMapRows; ++r) {
        text += sheet.rowHeads[static_cast<std::size_t>(r)];
        for (int c = 0; c < kMapColumns; ++c)
            text += separator + fixedText(sheet.cells[static_cast<std::size_t>(r * kMapColumns + c)], sheet.decimals);
        text += lineEnd;
    }
    return text;
}

bool looksLikeMapSheet(const std::vector<TextRow>& rows)
{
    if (rows.size() != static_cast<std::size_t>(kSheetLines))
        return false;
    for (const TextRow& row : rows) {
        if (row.fields.size() != static_cast<std::size_t>(kSheetFields))
            return false;
    }
    return readDecimal(rows.front().fields.front(), DecimalMark::Point).fault != NumberFault::None &&
           readDecimal(rows.front().fields.front(), DecimalMark::Comma).fault != NumberFault::None;
}

SheetRead readMapSheet(const std::vector<TextRow>& rows, DecimalMark mark, const SheetTarget& target)
{
    return SheetReader(rows, mark, target).read();
}

MapEditMessage numberFaultMessage(NumberFault fault)
{
    switch (fault) {
    case NumberFault::Empty:
        return EmptyField;
    case NumberFault::Ambiguous:
        return AmbiguousDecimal;
    default:
        return BadNumber;
    }
}

} // namespace quorvel
