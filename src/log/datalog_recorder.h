#pragma once

#include "core/monitor_sink.h"
#include "core/param_image.h"
#include "log/datalog_writer.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quorvel {

// Records the ride while a unit is connected. It sits between the link session and the
// window's monitor sink: every frame goes on to that sink unchanged, and every frame the sink
// accepts becomes a row of the log while recording. Wiring in the window:
//   LinkSession(..., recorder, ...) with DatalogRecorder(displaySink, image, clock);
//   File > "Start log": startNew(logs folder, now, bike); "Stop log": stop();
//   page changes: setActivePage(page), so the rows carry the cell of the map being looked at;
//   after each tick, outside its work: writeIfDue(), which writes at most once a second.
// A lost connection only pauses the rows: the file stays open and rows resume with the frames.
class DatalogRecorder final : public MonitorSink {
public:
    using Clock = std::function<std::chrono::milliseconds()>;
    static constexpr std::chrono::milliseconds kWriteInterval{1000};

    // The steady clock of the system.
    [[nodiscard]] static Clock steadyClock();

    DatalogRecorder(MonitorSink& display, const ParamImage& image, Clock clock = steadyClock());

    // Starts a log in `file`; the reason when it cannot be created (then nothing records).
    [[nodiscard]] std::optional<std::string> start(const std::filesystem::path& file);
    // Starts a new log in `directory` (created when missing) under the first free name of
    // logPath(): a name another log took, even a moment ago from another window, moves it on
    // to the next, so two logs started in the same second both record.
    [[nodiscard]] std::optional<std::string> startNew(const std::filesystem::path& directory, const std::tm& started,
                                                      int bikeCode);
    // Writes the rest and closes the log; the reason when that failed.
    [[nodiscard]] std::optional<std::string> stop();
    [[nodiscard]] bool recording() const { return m_writer.isOpen(); }
    [[nodiscard]] const std::filesystem::path& file() const { return m_writer.path(); }
    // Time since start(), for the status line.
    [[nodiscard]] std::chrono::milliseconds elapsed() const;
    [[nodiscard]] std::uint64_t rows() const { return m_writer.writtenRows() + m_writer.keptRows(); }

    void setActivePage(int page) { m_activePage = page; }

    // Told every frame the display accepted, recording or not: live tuning listens here. Unset:
    // nobody listens.
    using FrameObserver = std::function<void(FrameBytes frame)>;
    void setFrameObserver(FrameObserver observer) { m_observer = std::move(observer); }

    // Writes the rows kept when a second has passed since the last write. A write that fails
    // ends the recording and returns the reason, for the window to show.
    [[nodiscard]] std::optional<std::string> writeIfDue();

    std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) override;

private:
    MonitorSink& m_display;
    const ParamImage& m_image;
    Clock m_clock;
    DatalogWriter m_writer;
    std::chrono::milliseconds m_started{0};
    std::chrono::milliseconds m_lastWrite{0};
    int m_activePage = 0;
    FrameObserver m_observer;
};

} // namespace quorvel
