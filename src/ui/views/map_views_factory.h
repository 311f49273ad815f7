#pragma once

#include "core/control_view.h"
#include "core/link_frame.h"
#include "core/message_texts.h"
#include "core/param_image.h"
#include "core/user_messages.h"
#include "log/cell_overlay.h"
#include "maps/curve_model.h"
#include "maps/grid_cell.h"
#include "maps/map_grid_model.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

class QWidget;

namespace quorvel {

class Datalog;

// What the window asks of the views that live in the views module (Qt Data Visualization and
// Qt Charts are loaded with it, never with the program). Each pane is a widget made by the
// module; the window owns it through Qt's parents like any other widget, and the module stays
// loaded for the life of the program, so the code behind a pane never goes before the pane.

// The 3D surface of the map the grid shows.
class SurfacePane {
public:
    virtual ~SurfacePane() = default;
    [[nodiscard]] virtual QWidget& widget() = 0;
    virtual void showGrid(const MapGridModel& grid) = 0;
    virtual void showLiveMarks(std::span<const ControlMark> marks) = 0;
    virtual void showSelection(std::optional<CellRect> selection) = 0;
    virtual void showNoMap() = 0;
    virtual void setLanguage(Language language) = 0;
};

// The curves of the active page.
class CurvePane {
public:
    virtual ~CurvePane() = default;
    [[nodiscard]] virtual QWidget& widget() = 0;
    virtual void showPage(int page, const ParamImage& image, const MapGridModel& grid) = 0;
    virtual void showLiveMarks(std::span<const ControlMark> marks) = 0;
    virtual void chooseSlice(std::optional<MapSlice> slice) = 0;
    virtual void setLanguage(Language language) = 0;
};

// The log viewer window: opens, charts and plays back a log; the window's tick drives it.
class LogViewerPane {
public:
    using FrameHandler = std::function<void(FrameBytes)>;
    using LogFilePrompt = std::function<std::optional<std::filesystem::path>()>;

    virtual ~LogViewerPane() = default;
    [[nodiscard]] virtual QWidget& widget() = 0;
    virtual void setLanguage(Language language) = 0;
    virtual void setFrameHandler(FrameHandler handler) = 0;
    virtual void setOverlayHandler(std::function<void()> handler) = 0;
    virtual void setSuggestHandler(std::function<void()> handler) = 0;
    virtual void askAndOpen() = 0;
    [[nodiscard]] virtual const Datalog* log() const = 0;
    [[nodiscard]] virtual std::optional<CellOverlayOptions> overlayOptions() const = 0;
    [[nodiscard]] virtual CellStatisticsOptions statisticsOptions() const = 0;
    virtual void setStatisticsOptions(const CellStatisticsOptions& options) = 0;
    virtual void tick(std::chrono::milliseconds elapsed) = 0;
    [[nodiscard]] virtual std::optional<std::chrono::milliseconds> playbackPosition() const = 0;
};

// The module's one entry: makes the panes, each without a parent.
class MapViewsFactory {
public:
    virtual ~MapViewsFactory() = default;
    [[nodiscard]] virtual SurfacePane* makeSurface(Language language) = 0;
    [[nodiscard]] virtual CurvePane* makeCurves(Language language) = 0;
    [[nodiscard]] virtual LogViewerPane* makeLogViewer(Language language, UserMessages& messages,
                                                       LogViewerPane::LogFilePrompt askLogFile) = 0;
};

// The function the module exports, `extern "C" MapViewsFactory* <name>()`; its name carries the
// version of the interfaces above, so a module of another build is refused instead of called
// wrongly.
inline constexpr char kMapViewsEntry[] = "quorvel_map_views_factory_v1";

} // namespace quorvel
