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

struct TraceRange {
    float lowest = 0.0F;
    float highest = 0.0F;

    bool operator==(const TraceRange&) const = default;
};

// The lowest and highest value of a channel; none for a channel without values.
[[nodiscard]] std::optional<TraceRange> traceRange(std::span<const float> values);

} // namespace quorvel
