#pragma once

namespace quorvel {

// A scale of a chart axis that reads well: its grid lines a step of 1, 2, 2.5 or 5 times a power
// of ten apart, its ends on grid lines around the values with a little room beyond them.
struct ChartScale {
    double lowest = 0.0;
    double highest = 1.0;
    double step = 1.0;

    [[nodiscard]] int lines() const;
    bool operator==(const ChartScale&) const = default;
};

// About `linesWanted` lines over [lowest, highest]; a span of none gets a width of its own.
[[nodiscard]] ChartScale chartScale(double lowest, double highest, double linesWanted);
// The grid step alone, for an axis whose ends are the zoom's.
[[nodiscard]] double chartStep(double span, double linesWanted);

} // namespace quorvel
