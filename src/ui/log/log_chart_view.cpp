#include "ui/log/log_chart_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>

#include <cmath>

namespace quorvel {
namespace {

constexpr double kWheelNotch = 120.0;
constexpr int kCursorStripHalfWidth = 2;

} // namespace

LogChartView::LogChartView(QChart* chart, QWidget* parent)
    : QChartView(chart, parent)
{
    setObjectName("ChartLogView");
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    setMouseTracking(false);
}

LogChartView::~LogChartView() = default;

QRectF LogChartView::plotRect() const
{
    return mapFromScene(chart()->mapToScene(chart()->plotArea())).boundingRect();
}

double LogChartView::fractionAt(QPoint viewportPosition) const
{
    const QRectF plot = plotRect();
    return plot.width() > 0 ? (viewportPosition.x() - plot.left()) / plot.width() : 0.0;
}

void LogChartView::setCursorFraction(std::optional<double> fraction)
{
    if (fraction && (*fraction < 0.0 || *fraction > 1.0))
        fraction.reset();
    if (fraction == m_cursor)
        return;
    const std::optional<int> before = cursorX();
    m_cursor = fraction;
    updateCursorStrip(before);
    updateCursorStrip(cursorX());
}

std::optional<int> LogChartView::cursorX() const
{
    if (!m_cursor)
        return std::nullopt;
    const QRectF plot = plotRect();
    return static_cast<int>(std::lround(plot.left() + *m_cursor * plot.width()));
}

void LogChartView::updateCursorStrip(std::optional<int> x)
{
    if (x)
        viewport()->update(*x - kCursorStripHalfWidth, 0, 2 * kCursorStripHalfWidth + 1, viewport()->height());
}

void LogChartView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    if (!m_cursor)
        return;
    const QRectF plot = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const double x = plot.left() + *m_cursor * plot.width();
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::WindowText), 1.0, Qt::DashLine));
    painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    painter->restore();
}

void LogChartView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches != 0.0 && m_gestures.zoom)
        m_gestures.zoom(std::pow(kWheelZoomPerNotch, notches), fractionAt(event->position().toPoint()));
    event->accept();
}

void LogChartView::mousePressEvent(QMouseEvent* event)
{
    m_pressedAt = m_lastAt = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_drag = Drag::Pressed;
    } else if (event->button() == Qt::RightButton) {
        m_drag = Drag::Spanning;
        if (!m_span)
            m_span = std::make_unique<QRubberBand>(QRubberBand::Rectangle, viewport());
        m_span->setGeometry(QRect(m_pressedAt, QSize(1, 1)));
        m_span->show();
    }
    event->accept();
}

void LogChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_drag == Drag::Pressed && (at - m_pressedAt).manhattanLength() >= QApplication::startDragDistance())
        m_drag = Drag::Panning;
    if (m_drag == Drag::Panning) {
        const double width = plotRect().width();
        if (width > 0 && m_gestures.pan)
            m_gestures.pan(-(at.x() - m_lastAt.x()) / width);
        m_lastAt = at;
    } else if (m_drag == Drag::Spanning) {
        const QRectF plot = plotRect();
        m_span->setGeometry(QRect(QPoint(std::min(m_pressedAt.x(), at.x()), static_cast<int>(plot.top())),
                                  QPoint(std::max(m_pressedAt.x(), at.x()), static_cast<int>(plot.bottom()))));
    }
    event->accept();
}

void LogChartView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_drag == Drag::Pressed && m_gestures.pick) {
        m_gestures.pick(fractionAt(at));
    } else if (m_drag == Drag::Spanning) {
        m_span->hide();
        if (std::abs(at.x() - m_pressedAt.x()) >= QApplication::startDragDistance() && m_gestures.zoomTo)
            m_gestures.zoomTo(fractionAt(m_pressedAt), fractionAt(at));
    }
    m_drag = Drag::None;
    event->accept();
}

void LogChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_gestures.zoomAll)
        m_gestures.zoomAll();
    m_drag = Drag::None;
    event->accept();
}

} // namespace quorvel
