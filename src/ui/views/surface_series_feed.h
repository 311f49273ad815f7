#pragma once

#include "core/message_texts.h"
#include "maps/map_surface_model.h"

#include <QFont>

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class QCustom3DItem;
class QSurface3DSeries;
class QValue3DAxis;

namespace quorvel {

// What the 3D view draws, kept without a graph: the surface series of the active map in shown
// units, its three value axes titled in the current language, the marker of the live operating
// cell and one dot on every selected cell. Each change report of the surface model is applied as
// narrowly as it is reported: one edited cell is one item of the data proxy, a move of the live
// cell only the marker's position. Nothing here needs OpenGL, so what a graph is handed is tested
// and measured offscreen; a graph only borrows these objects (see SurfaceView).
class SurfaceSeriesFeed {
public:
    explicit SurfaceSeriesFeed(Language language = Language::English);
    ~SurfaceSeriesFeed();
    SurfaceSeriesFeed(const SurfaceSeriesFeed&) = delete;
    SurfaceSeriesFeed& operator=(const SurfaceSeriesFeed&) = delete;

    void apply(const MapSurfaceModel& model, const SurfaceChange& change);
    // The font a graph draws these axes' labels and titles in, made from its theme's font.
    [[nodiscard]] static QFont labelFont(QFont themeFont);

    // An axis's range between round numbers and the segments its labels mark.
    struct AxisSpan {
        double low = 0;
        double high = 0;
        int segments = 0;
    };
    // The span of `span` to draw, in steps of at least `leastStep`.
    [[nodiscard]] static AxisSpan roundSpan(AxisSpan span, double leastStep);
    void setLanguage(Language language);

    [[nodiscard]] QSurface3DSeries& series() const { return *m_series; }
    // x: RPM, y: the map's value, z: the row heads (the graph's vertical axis is y).
    [[nodiscard]] QValue3DAxis& axis(int index) const { return *m_axes.at(static_cast<std::size_t>(index)); }
    [[nodiscard]] QCustom3DItem& marker() const { return *m_marker; }
    // The live colour the marker is painted in, once it was shown.
    [[nodiscard]] std::optional<ColourRole> markerColour() const { return m_markerColour; }
    // Every dot made so far; the first shownDots() stand on the selected cells, the rest are hidden.
    [[nodiscard]] const std::vector<std::unique_ptr<QCustom3DItem>>& dots() const { return m_dots; }
    [[nodiscard]] int shownDots() const { return m_shownDots; }

private:
    void fillSeries(const MapSurfaceModel& model);
    void fitAxes(const MapSurfaceModel& model);
    void showMarker(const MapSurfaceModel& model);
    void showSelection(const MapSurfaceModel& model);
    void applyTitles();
    QCustom3DItem& dot(int index);

    Language m_language;
    std::unique_ptr<QSurface3DSeries> m_series;
    std::array<std::unique_ptr<QValue3DAxis>, 3> m_axes;
    std::array<std::string_view, 3> m_titles;
    std::unique_ptr<QCustom3DItem> m_marker;
    std::optional<ColourRole> m_markerColour;
    std::vector<std::unique_ptr<QCustom3DItem>> m_dots;
    int m_shownDots = 0;
};

} // namespace quorvel
