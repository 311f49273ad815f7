#pragma once

#include <cstdint>

namespace quorvel {

// The span of a log a chart shows, as the user zooms and pans it: always within the log and
// never narrower than kNarrowestMs (or the whole log, when that is shorter). Times in ms of the
// log; positions on the chart as a fraction of its width, 0 at the left edge and 1 at the right.
class TimeWindow {
public:
    static constexpr double kNarrowestMs = 500.0;
    // A position followed during playback is kept this far from the left edge after a page turn.
    static constexpr double kFollowLead = 0.1;

    TimeWindow() = default;
    // Shows the whole log.
    TimeWindow(std::uint32_t firstMs, std::uint32_t lastMs);

    [[nodiscard]] double fromMs() const { return m_from; }
    [[nodiscard]] double toMs() const { return m_to; }
    [[nodiscard]] bool showsAll() const { return m_from <= m_first && m_to >= m_last; }

    void showAll();
    // Shows [fromMs, toMs] as far as the limits allow; the order of the two does not matter.
    void show(double fromMs, double toMs);
    // Scales the width by `factor` (below 1 zooms in) around the time at `atFraction`, which stays
    // where it is on the chart.
    void zoom(double factor, double atFraction);
    // Moves the span by `fraction` of its width; positive shows later times.
    void pan(double fraction);
    // Turns the page when `timeMs` has left the span, so that it is seen again near the left.
    void follow(double timeMs);

    [[nodiscard]] double timeAt(double fraction) const;
    [[nodiscard]] double fractionOf(double timeMs) const;

private:
    // Moves [from, to] inside the log without changing its width where that fits.
    void place(double from, double to);

    double m_first = 0.0;
    double m_last = 0.0;
    double m_from = 0.0;
    double m_to = 0.0;
};

} // namespace quorvel
