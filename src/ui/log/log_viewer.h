#pragma once

#include "core/link_frame.h"
#include "core/message_texts.h"
#include "core/user_messages.h"
#include "log/cell_overlay.h"
#include "log/datalog.h"
#include "log/playback_clock.h"
#include "log/time_window.h"
#include "ui/views/map_views_factory.h"

#include <QWidget>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QChart;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableWidget;

namespace quorvel {

class LogChartView;
class LogTraces;

// FormLogViewer: a window beside the main window that opens a log, charts the channels the user
// ticks against time (wheel zoom, drag pan, right-drag span zoom, click for the cursor), lists
// every chosen value at the cursor and plays the log back. The cursor is the playback position:
// playing moves it, and a click, the slider or a pick moves playback. Each frame that becomes
// due is handed to the frame handler, which feeds it through the monitor decoding as if the unit
// were running. The viewer keeps no timer: the window's tick drives it with tick(). It also holds
// the choices of the map overlay and asks the window, through its handlers, to repaint the
// overlay or to suggest corrections; the window owns the image and the active map page.
class LogViewer final : public QWidget, public LogViewerPane {
public:
    static constexpr std::array<double, 5> kSpeeds = {0.5, 1.0, 2.0, 4.0, 8.0};
    // Ticked when the first log opens; later logs keep what the user chose, where they have it.
    static constexpr std::array<std::string_view, 3> kFirstChannels = {"rpm", "throttle", "lambda"};

    // `messages` tells why a log could not be opened; `askLogFile` is the open dialog.
    LogViewer(Language language, UserMessages& messages, LogFilePrompt askLogFile, QWidget* parent = nullptr);
    ~LogViewer() override;
    LogViewer(const LogViewer&) = delete;
    LogViewer& operator=(const LogViewer&) = delete;

    [[nodiscard]] QWidget& widget() override { return *this; }
    void setLanguage(Language language) override;
    void setFrameHandler(FrameHandler handler) override { m_frameHandler = std::move(handler); }
    // Called when what the overlay shows changed: another log, another choice or limit.
    void setOverlayHandler(std::function<void()> handler) override { m_overlayHandler = std::move(handler); }
    // "Suggest corrections...": the window opens the dialog for its active map.
    void setSuggestHandler(std::function<void()> handler) override { m_suggestHandler = std::move(handler); }

    // "Open..." and File > "Open log...". A log that cannot be opened is reported and the log
    // open before stays.
    void askAndOpen() override;
    bool open(const std::filesystem::path& file);
    [[nodiscard]] const Datalog* log() const override { return m_log.get(); }

    // What the overlay of the active map page shows; none without a log or with both parts off.
    [[nodiscard]] std::optional<CellOverlayOptions> overlayOptions() const override;
    // The lean/rich threshold and the fewest samples of the overlay, kept with the settings.
    [[nodiscard]] CellStatisticsOptions statisticsOptions() const override;
    void setStatisticsOptions(const CellStatisticsOptions& options) override;

    // From the window's tick with the time since the last one.
    void tick(std::chrono::milliseconds elapsed) override;
    void play();
    void pause();
    [[nodiscard]] bool playing() const { return m_clock && m_clock->playing(); }
    // Moves the cursor and playback to a time of the log (limited to it); the frame of that
    // moment is handed out at once.
    void moveTo(double timeMs);
    // The playback position from the log's start, while playing, for the status line.
    [[nodiscard]] std::optional<std::chrono::milliseconds> playbackPosition() const override;
    // The position in the log's own time.
    [[nodiscard]] std::optional<std::uint32_t> positionMs() const;

    // The columns ticked, in the order of the log.
    [[nodiscard]] std::vector<std::string> chosenChannels() const;
    [[nodiscard]] const TimeWindow& timeWindow() const { return m_window; }
    [[nodiscard]] LogChartView& chartView() const { return *m_chartView; }
    [[nodiscard]] const LogTraces& traces() const { return *m_traces; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildChannelPanel();
    QWidget* buildCursorPanel();
    QWidget* buildPlaybackBar();
    void connectGestures();

    void showLog(std::unique_ptr<Datalog> log, std::string fileName);
    void fillChannelList();
    void applyChannels();
    void redraw();
    void handOutDue(std::chrono::milliseconds elapsed);
    void showPosition();
    void showValues(std::optional<std::size_t> row);
    void showSummary();
    void updateTitle();
    void updateEnabled();
    void overlayChanged() const;
    [[nodiscard]] int plotColumns() const;

    Language m_language;
    UserMessages& m_messages;
    LogFilePrompt m_askLogFile;
    FrameHandler m_frameHandler;
    std::function<void()> m_overlayHandler;
    std::function<void()> m_suggestHandler;

    std::unique_ptr<Datalog> m_log;
    std::string m_fileName;
    std::optional<PlaybackClock> m_clock;
    TimeWindow m_window;
    double m_speed = 1.0;
    std::vector<std::string> m_chosen{kFirstChannels.begin(), kFirstChannels.end()};
    int m_drawnColumns = 0;

    QPushButton* m_openButton = nullptr;
    QLabel* m_summary = nullptr;
    QListWidget* m_channels = nullptr;
    QCheckBox* m_cellHits = nullptr;
    QCheckBox* m_lambda = nullptr;
    QSpinBox* m_threshold = nullptr;
    QSpinBox* m_minimumSamples = nullptr;
    QPushButton* m_suggestButton = nullptr;
    QChart* m_chart = nullptr;
    LogChartView* m_chartView = nullptr;
    std::unique_ptr<LogTraces> m_traces;
    QLabel* m_cursorTime = nullptr;
    QTableWidget* m_values = nullptr;
    QPushButton* m_playButton = nullptr;
    QPushButton* m_pauseButton = nullptr;
    QComboBox* m_speedBox = nullptr;
    QLabel* m_timeLabel = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_position = nullptr;
};

} // namespace quorvel
