#pragma once

#include "core/link_session.h"
#include "core/monitor_display_sink.h"
#include "log/cell_overlay.h"
#include "log/correction_suggestions.h"
#include "log/datalog_recorder.h"
#include "model/injection_tables.h"
#include "texts/datalog_texts.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

class QMainWindow;

namespace quorvel {

class Dialogs;
class LogViewer;
class MapGrid;
class RecordingIndicator;

// Datalogs on the window: File > "Start log" and "Stop log" (and the tool bar's record button)
// record the ride while a unit answers, with the recording time in the status line; "Open
// log..." opens the log viewer, whose playback feeds the recorded frames through the monitor
// decoding and the live marks as if the unit were running. The viewer's overlay of time and
// lambda per cell is drawn on the grid, and its suggestions go through the tune writer as one
// edit when accepted.
class DatalogCommands {
public:
    struct Parts {
        QMainWindow& window;
        ParamImage& image;
        DatalogRecorder& recorder;
        MonitorDisplaySink& monitor; // where played frames are decoded, past the recorder
        LinkSession& session;
        MapGrid& grid;
        Dialogs& dialogs;
        std::function<Language()> language;
        std::function<int()> activePage;
        std::function<bool()> connected; // a unit answers: playback then waits
        TuneWriter& writer;              // where accepted proposals go, as one edit
        std::function<void(const std::string&)> showStatus;
        std::filesystem::path logsFolder;
    };

    explicit DatalogCommands(Parts parts);
    ~DatalogCommands();
    DatalogCommands(const DatalogCommands&) = delete;
    DatalogCommands& operator=(const DatalogCommands&) = delete;

    void startLog();
    void stopLog();
    void openLog();
    // "Fast logging": a monitor request on every idle tick.
    void setFastLogging(bool on);

    // After each tick's work: the rows of the last second go to the disk, the status line and
    // the viewer's playback follow.
    void afterTick(std::chrono::milliseconds elapsed);
    void pageFilled(int page);
    void setLanguage(Language language);

    // The overlay's lean/rich threshold and fewest samples, kept with the settings whether or not
    // the viewer was opened.
    [[nodiscard]] CellStatisticsOptions statisticsOptions() const;
    void setStatisticsOptions(const CellStatisticsOptions& options);
    // The log viewer once File > "Open log..." made it; none before.
    [[nodiscard]] LogViewer* viewer() const { return m_viewer; }
    [[nodiscard]] bool recording() const { return m_parts.recorder.recording(); }

private:
    LogViewer& makeViewer();
    [[nodiscard]] std::optional<std::chrono::milliseconds> playbackPosition() const;
    void showOverlay();
    void suggestCorrections();
    void showStates();
    void report(DatalogMessage message, const std::string& detail);

    Parts m_parts;
    LogViewer* m_viewer = nullptr;      // made on the first "Open log...", owned by the window
    CellStatisticsOptions m_statistics; // handed to the viewer when it is made
    RecordingIndicator* m_indicator = nullptr;
    CorrectionLimits m_limits;
    int m_page = -1;
};

} // namespace quorvel
