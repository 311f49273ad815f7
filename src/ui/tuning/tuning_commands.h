#pragma once

#include "core/link_frame.h"
#include "core/link_session.h"
#include "core/message_texts.h"
#include "log/datalog_recorder.h"
#include "log/tuning_locks.h"
#include "log/tuning_preflight.h"
#include "log/tuning_session.h"
#include "maps/tune_writer.h"

#include <QColor>
#include <QString>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace quorvel {

class MapGrid;
class TuningDock;

// Live tuning in the window, made when Tools > "Live tuning" is first chosen: the Tuning dock,
// a session fed by every monitor frame the unit sends, its figures drawn on the grid while the
// map it tunes is shown, the locks of the grid's context menu (kept in a file beside the
// settings) and Apply, by hand or after every pass, through the tune writer.
class TuningCommands {
public:
    struct Parts {
        QMainWindow& window;
        const ParamImage& image;
        TuneWriter& writer;
        DatalogRecorder& recorder; // every accepted monitor frame passes it
        const LinkSession& session;
        MapGrid& grid;
        QMenu& gridMenu;
        std::function<int()> activePage;
        std::function<void(int)> showPage;
        std::function<QString(int)> pageName;
        std::function<void(const std::string&)> showMessage;
        std::function<bool()> programsAfterChange;
        // A session starts or stops: while one runs the unit is asked for live data on every
        // tick, so that a cell held for a second gives some twenty samples instead of three.
        std::function<void(bool)> sessionRuns;
        std::function<void()> verifyUnit; // Device > Verify
        std::filesystem::path settingsDirectory;
        Language language;
    };

    explicit TuningCommands(Parts parts);
    ~TuningCommands();
    TuningCommands(const TuningCommands&) = delete;
    TuningCommands& operator=(const TuningCommands&) = delete;

    // Shows the dock (Tools > "Live tuning").
    void show();
    // After each tick, `elapsed` after the last: the fields, the checks, the figures on the grid,
    // unattended applying.
    void afterTick(std::chrono::milliseconds elapsed);
    void setLanguage(Language language);

private:
    void frameArrived(FrameBytes frame);
    void refresh();
    [[nodiscard]] TuningSettings settings() const;
    void startOrStop();
    void apply(const std::vector<TuningProposal>& proposals);
    void fix(int finding);
    void applyUnattended();
    void toggleLock();
    void loadLocks();
    void showOverlay();
    void clearOverlay();
    [[nodiscard]] std::string words(std::string_view key) const;

    Parts m_parts;
    TuningDock* m_dock = nullptr;
    QAction* m_lock = nullptr;
    std::unique_ptr<TuningSession> m_session;
    TuningLocks m_locks;
    std::vector<PreflightFinding> m_findings;
    std::optional<LinkFrame> m_lastFrame;
    bool m_mapPicked = false; // by the user: the map choice no longer follows the unit
    // The session's clock: the ticks of the window, so that a frame's time is the link's.
    std::chrono::milliseconds m_clock{0};
    std::chrono::milliseconds m_lastFrameTime{0};
    std::chrono::milliseconds m_startTime{0};
    std::map<int, std::pair<QColor, QString>> m_overlay; // as last drawn
    // Where an unattended apply is with the unit: programmed, then verified, before the next.
    enum class UnitStep : std::uint8_t { None, Programming, Verifying };
    UnitStep m_unitStep = UnitStep::None;
};

} // namespace quorvel
