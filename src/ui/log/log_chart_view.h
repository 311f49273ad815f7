#pragma once

#include <QChartView>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class QRubberBand;

namespace quorvel {

// What the user does on the chart, in fractions of the plot's width (0 left edge, 1 right edge).
struct ChartGestures {
    std::function<void(double factor, double atFraction)> zoom;         // wheel; a factor below 1 zooms in
    std::function<void(double fraction)> pan;                           // drag; positive shows later times
    std::function<void(double fraction)> pick;                          // click: the cursor goes there
    std::function<void(double fromFraction, double toFraction)> zoomTo; // right drag over a span
    std::function<void()> zoomAll;                                      // double click
};

// ChartLogView: the chart of a log with the gestures of a datalog viewer and the cursor line,
// which is drawn over the chart so that moving it repaints a strip, not the traces.
class LogChartView final : public QChartView {
public:
    static constexpr double kWheelZoomPerNotch = 0.8;

    explicit LogChartView(QChart* chart, QWidget* parent = nullptr);
    ~LogChartView() override;

    void setGestures(ChartGestures gestures) { m_gestures = std::move(gestures); }
    // None hides the line; a fraction outside 0..1 is off the plot and hidden as well.
    void setCursorFraction(std::optional<double> fraction);
    [[nodiscard]] std::optional<double> cursorFraction() const { return m_cursor; }

    // The plot area in viewport pixels.
    [[nodiscard]] QRectF plotRect() const;
    [[nodiscard]] double fractionAt(QPoint viewportPosition) const;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    enum class Drag : std::uint8_t { None, Pressed, Panning, Spanning };

    [[nodiscard]] std::optional<int> cursorX() const;
    void updateCursorStrip(std::optional<int> x);

    ChartGestures m_gestures;
    std::optional<double> m_cursor;
    Drag m_drag = Drag::None;
    QPoint m_pressedAt;
    QPoint m_lastAt;
    std::unique_ptr<QRubberBand> m_span;
};

} // namespace quorvel
