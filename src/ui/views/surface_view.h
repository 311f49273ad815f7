#pragma once

#include "core/message_texts.h"
#include "maps/map_surface_model.h"
#include "ui/views/map_views_factory.h"
#include "ui/views/surface_series_feed.h"

#include <QWidget>

#include <optional>
#include <span>
#include <string_view>

class Q3DSurface;
class QLabel;
class QStackedLayout;

namespace quorvel {

// The 3D view of the active map: a surface over the RPM and row heads in the page's shown
// units, turned and zoomed with the mouse, with the live operating cell as a ball and the
// selected cells as dots. It shows what the map grid shows and edits nothing. Where OpenGL
// cannot be had (the offscreen platform, a remote desktop without it) the pane says so and keeps
// its data up to date all the same, so nothing else changes; so it does on a page that shows one
// row or one column, which the curve view draws.
class SurfaceView final : public QWidget, public SurfacePane {
public:
    explicit SurfaceView(Language language, QWidget* parent = nullptr);
    ~SurfaceView() override;
    SurfaceView(const SurfaceView&) = delete;
    SurfaceView& operator=(const SurfaceView&) = delete;

    [[nodiscard]] QWidget& widget() override { return *this; }
    // After every fill of the grid and every edit of a cell or a head.
    void showGrid(const MapGridModel& grid) override;
    // Every tick, with the live marks the grid is given.
    void showLiveMarks(std::span<const ControlMark> marks) override;
    // Whenever the grid's selection changes; none clears the highlight.
    void showSelection(std::optional<CellRect> selection) override;
    // The active page has no map: the pane says so until the next showGrid.
    void showNoMap() override;
    void setLanguage(Language language) override;

    // False where there is no OpenGL: the pane then only ever shows its message.
    [[nodiscard]] bool drawsGraph() const { return m_graph != nullptr; }
    // The text shown in place of the graph; empty while the graph is shown.
    [[nodiscard]] QString message() const;
    [[nodiscard]] const MapSurfaceModel& model() const { return m_model; }
    [[nodiscard]] const SurfaceSeriesFeed& feed() const { return m_feed; }

private:
    void createGraph();
    void apply(const SurfaceChange& change);
    void showPane();
    [[nodiscard]] std::string_view messageKey() const;

    Language m_language;
    MapSurfaceModel m_model;
    SurfaceSeriesFeed m_feed;
    QStackedLayout* m_stack = nullptr;
    QLabel* m_message = nullptr;
    Q3DSurface* m_graph = nullptr;  // owned by m_graphPane; borrows the feed's series, axes and items
    QWidget* m_graphPane = nullptr; // the graph's window inside this widget
    int m_dotsInGraph = 0;
    bool m_noMap = true;
};

} // namespace quorvel
