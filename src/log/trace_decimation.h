#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorvel {

// The rows of one channel a chart `columns` pixels wide needs in order to draw the span
// [fromMs, toMs] exactly as all of its rows would look: in each pixel column the lowest and the
// highest value, in the order they came, so a limiter's spike or a lambda swing stays visible
// however far the chart is zoomed out. The first and last row of the span are always among them,
// and so are the rows just outside it, so that the line runs to both edges: at most two rows per
// column and four more. A span with no more rows than two per column gives all its rows.
// Row numbers rise; `timesMs` rise and `values` has one value per time.
[[nodiscard]] std::vector<std::size_t> decimateTrace(std::span<const std::uint32_t> timesMs,
                                                     std::span<const float> values, std::uint32_t fromMs,
                                                     std::uint32_t toMs, int columns);

// Rows further apart than this lie on both sides of a lost link: 24 ticks of 55 ms without a
// frame are what the window shows as "No Connection".
inline constexpr std::uint32_t kLinkLostGapMs = 24 * 55;

// One piece of a trace that a line may be drawn through: its rows as decimateTrace picks them.
using TraceSegment = std::vector<std::size_t>;

// The trace of [fromMs, toMs] as decimateTrace draws it, in pieces: a piece ends where the link
// was lost (rows more than `longestGapMs` apart) and at a row without a finite value, so no line
// joins the two sides of either. Pieces come in time order; rows without a value are in none.
[[nodiscard]] std::vector<TraceSegment> traceSegments(std::span<const std::uint32_t> timesMs,
                                                      std::span<const float> values, std::uint32_t fromMs,
                                                      std::uint32_t toMs, int columns,
                                                      std::uint32_t longestGapMs = kLinkLostGapMs);

struct TraceRange {
    float lowest = 0.0F;
    float highest = 0.0F;

    bool operator==(const TraceRange&) const = default;
};

// The lowest and highest finite value of a channel; none for a channel without any.
[[nodiscard]] std::optional<TraceRange> traceRange(std::span<const float> values);

} // namespace quorvel
