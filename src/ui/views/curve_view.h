#pragma once

#include "core/message_texts.h"
#include "maps/curve_model.h"
#include "ui/views/map_views_factory.h"

#include <QChartView>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace quorvel {

// The curve view of the active page: each curve of the curve model as a line over its own axes
// in shown units (curves that share a title share the axis), and the point the engine uses now
// as a ball of the live colour on its line. Follows the model's change reports as narrowly as
// they come: an edit moves one point, a tick only the live balls. Shows and edits nothing else.
class CurveView final : public QChartView, public CurvePane {
public:
    explicit CurveView(Language language, QWidget* parent = nullptr);
    ~CurveView() override;
    CurveView(const CurveView&) = delete;
    CurveView& operator=(const CurveView&) = delete;

    [[nodiscard]] QWidget& widget() override { return *this; }
    // After every fill and edit of `page`; a map page is the page the grid shows.
    void showPage(int page, const ParamImage& image, const MapGridModel& grid) override;
    // Every tick, with the live marks of the page.
    void showLiveMarks(std::span<const ControlMark> marks) override;
    // The row or column of a full map to draw, from the next showPage on.
    void chooseSlice(std::optional<MapSlice> slice) override { m_model.chooseSlice(slice); }
    void setLanguage(Language language) override;

    [[nodiscard]] const CurveModel& model() const { return m_model; }
    [[nodiscard]] int curveCount() const { return static_cast<int>(m_drawn.size()); }
    [[nodiscard]] QLineSeries& line(int curve) const { return *drawn(curve).line; }
    // No point, or the one point the engine uses now.
    [[nodiscard]] QScatterSeries& livePoint(int curve) const { return *drawn(curve).live; }
    [[nodiscard]] QValueAxis& xAxis(int curve) const { return *drawn(curve).x; }
    [[nodiscard]] QValueAxis& yAxis(int curve) const { return *drawn(curve).y; }
    // Said in place of curves when the page has none; empty while curves are drawn.
    [[nodiscard]] QString message() const;

private:
    struct Drawn {
        QLineSeries* line = nullptr;
        QScatterSeries* live = nullptr;
        QValueAxis* x = nullptr;
        QValueAxis* y = nullptr;
        std::string head; // the row or column head a map curve is named by
    };
    struct Axis {
        std::string_view title;
        QValueAxis* axis = nullptr;
    };

    [[nodiscard]] const Drawn& drawn(int curve) const { return m_drawn.at(static_cast<std::size_t>(curve)); }
    void rebuild();
    void showPoint(const CurvePointIndex& index);
    void showLive(int curve);
    void fitAxes();
    // True when the head a map curve is named by changed.
    bool nameHeads(const MapGridModel& grid);
    void applyTexts();
    QValueAxis& axisTitled(std::vector<Axis>& axes, std::string_view title, Qt::Orientation orientation);

    Language m_language;
    CurveModel m_model;
    bool m_mapPage = false;
    std::vector<Drawn> m_drawn;
    std::vector<Axis> m_xAxes;
    std::vector<Axis> m_yAxes;
};

} // namespace quorvel
