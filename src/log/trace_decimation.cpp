#include "log/trace_decimation.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace quorvel {
namespace {

// The lowest and highest value of the rows in one pixel column.
struct ColumnExtremes {
    std::size_t lowest;
    std::size_t highest;
};

// Rows rise, and a row already taken (the first of the span, say) is not taken twice.
void append(std::vector<std::size_t>& rows, std::size_t row)
{
    if (rows.empty() || rows.back() < row)
        rows.push_back(row);
}

void appendInOrder(std::vector<std::size_t>& rows, ColumnExtremes extremes)
{
    const auto [first, second] = std::minmax(extremes.lowest, extremes.highest);
    append(rows, first);
    append(rows, second);
}

// The rows of [fromMs, toMs] (begin to end) and with them their neighbours outside it.
struct RowSpan {
    std::size_t before;
    std::size_t begin;
    std::size_t end;
    std::size_t after;
};

RowSpan rowSpan(std::span<const std::uint32_t> timesMs, std::uint32_t fromMs, std::uint32_t toMs)
{
    const auto begin = static_cast<std::size_t>(std::ranges::lower_bound(timesMs, fromMs) - timesMs.begin());
    const auto end = static_cast<std::size_t>(std::ranges::upper_bound(timesMs, toMs) - timesMs.begin());
    return {begin > 0 ? begin - 1 : begin, begin, end, end < timesMs.size() ? end + 1 : end};
}

} // namespace

std::vector<std::size_t> decimateTrace(std::span<const std::uint32_t> timesMs, std::span<const float> values,
                                       std::uint32_t fromMs, std::uint32_t toMs, int columns)
{
    assert(timesMs.size() == values.size());
    if (timesMs.empty() || toMs < fromMs)
        return {};
    const auto [before, begin, end, after] = rowSpan(timesMs, fromMs, toMs);

    std::vector<std::size_t> rows;
    const std::size_t inside = end - begin;
    if (columns <= 0 || inside <= 2 * static_cast<std::size_t>(columns)) {
        rows.resize(after - before);
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i] = before + i;
        return rows;
    }

    rows.reserve(2 * static_cast<std::size_t>(columns) + 4);
    if (before < begin)
        rows.push_back(before);
    rows.push_back(begin);
    const double span = std::max<double>(toMs - fromMs, 1.0);
    const auto columnOf = [&](std::size_t row) {
        const double at = (timesMs[row] - fromMs) * columns / span;
        return std::min(static_cast<int>(at), columns - 1);
    };
    int column = columnOf(begin);
    ColumnExtremes extremes{begin, begin};
    for (std::size_t row = begin + 1; row < end; ++row) {
        const int rowColumn = columnOf(row);
        if (rowColumn != column) {
            appendInOrder(rows, extremes);
            column = rowColumn;
            extremes = {row, row};
            continue;
        }
        if (values[row] < values[extremes.lowest])
            extremes.lowest = row;
        if (values[row] > values[extremes.highest])
            extremes.highest = row;
    }
    appendInOrder(rows, extremes);
    append(rows, end - 1);
    if (end < after)
        rows.push_back(end);
    return rows;
}

std::vector<TraceSegment> traceSegments(std::span<const std::uint32_t> timesMs, std::span<const float> values,
                                        std::uint32_t fromMs, std::uint32_t toMs, int columns,
                                        std::uint32_t longestGapMs)
{
    assert(timesMs.size() == values.size());
    if (timesMs.empty() || toMs < fromMs)
        return {};
    const RowSpan span = rowSpan(timesMs, fromMs, toMs);
    const std::size_t first = span.before;
    const std::size_t last = span.after;

    std::vector<TraceSegment> segments;
    const auto addPiece = [&](std::size_t from, std::size_t to) {
        if (from == to)
            return;
        TraceSegment rows =
            decimateTrace(timesMs.subspan(from, to - from), values.subspan(from, to - from), fromMs, toMs, columns);
        for (std::size_t& row : rows)
            row += from;
        if (!rows.empty())
            segments.push_back(std::move(rows));
    };
    std::size_t pieceStart = first;
    for (std::size_t row = first; row < last; ++row) {
        if (!std::isfinite(values[row])) {
            addPiece(pieceStart, row);
            pieceStart = row + 1;
        } else if (row > pieceStart && timesMs[row] - timesMs[row - 1] > longestGapMs) {
            addPiece(pieceStart, row);
            pieceStart = row;
        }
    }
    addPiece(pieceStart, last);
    return segments;
}

std::optional<TraceRange> traceRange(std::span<const float> values)
{
    std::optional<TraceRange> range;
    for (float value : values) {
        if (!std::isfinite(value))
            continue;
        if (!range)
            range = TraceRange{value, value};
        range->lowest = std::min(range->lowest, value);
        range->highest = std::max(range->highest, value);
    }
    return range;
}

} // namespace quorvel
