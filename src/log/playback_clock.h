#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

namespace quorvel {

// The clock of a log's playback: play, pause, speed and scrubbing over the times of the log's
// rows. The window calls advance() from its tick with the wall time that passed and feeds the
// frame of the row it names to the same monitor sink a live link feeds (MonitorDisplaySink), so
// the monitor panel and the live marks move as if the unit were running:
//   if (const auto row = clock.advance(elapsed)) (void)displaySink.decodeMonitorFrame(log.frame(*row));
// The times must stay alive and unchanged while the clock is used (Datalog::timesMs()).
class PlaybackClock {
public:
    static constexpr double kSlowest = 0.5;
    static constexpr double kFastest = 8.0;

    explicit PlaybackClock(std::span<const std::uint32_t> timesMs);

    // At the end of the log, play starts again from its beginning.
    void play();
    void pause() { m_playing = false; }
    [[nodiscard]] bool playing() const { return m_playing; }

    // Limited to 0.5x .. 8x.
    void setSpeed(double speed);
    [[nodiscard]] double speed() const { return m_speed; }

    // Moves to a time of the log (limited to its span); the next advance() hands out the row
    // of that moment, also while paused.
    void scrubTo(std::uint32_t timeMs);
    [[nodiscard]] std::uint32_t positionMs() const;
    [[nodiscard]] bool atEnd() const;

    // Lets `wall` pass at the playback speed while playing. The row whose frame is due now (the
    // last one at or before the position), when it is not the one handed out last; playback
    // pauses by itself at the end of the log.
    [[nodiscard]] std::optional<std::size_t> advance(std::chrono::milliseconds wall);
    // The row at the position.
    [[nodiscard]] std::optional<std::size_t> currentRow() const;

private:
    std::span<const std::uint32_t> m_times;
    double m_positionMs = 0.0;
    double m_speed = 1.0;
    bool m_playing = false;
    std::optional<std::size_t> m_handedOut;
};

} // namespace quorvel
