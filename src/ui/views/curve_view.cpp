#include "ui/views/curve_view.h"

#include "core/text_format.h"
#include "texts/map_view_texts.h"
#include "ui/binding/colour_palette.h"
#include "ui/binding/text_lookup.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace quorvel {
namespace {

constexpr qreal kLiveBallSize = 12;
// Room left around the curves on each axis, as a share of what they span.
constexpr double kAxisMargin = 0.05;

QPointF qPoint(const CurvePoint& point)
{
    return {point.x, point.y};
}

} // namespace

CurveView::CurveView(Language language, QWidget* parent)
    : QChartView(new QChart, parent)
    , m_language(language)
{
    setObjectName("CurveView");
    setRenderHint(QPainter::Antialiasing);
    // A dock beside the pages is short: the room of the chart's frame goes to the axes, whose
    // labels Qt Charts reduces to "..." when their rows do not fit.
    chart()->setMargins(QMargins(2, 2, 2, 2));
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    chart()->setBackgroundRoundness(0);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    applyTexts();
}

CurveView::~CurveView() = default;

void CurveView::showPage(int page, const ParamImage& image, const MapGridModel& grid)
{
    m_mapPage = page == grid.page();
    const CurveChange change = m_model.update(page, image, grid);
    if (change.series) {
        rebuild();
    } else {
        for (const CurvePointIndex& index : change.points)
            showPoint(index);
        if (change.live) {
            for (int c = 0; c < curveCount(); ++c)
                showLive(c);
        }
        if (!change.points.empty())
            fitAxes();
    }
    const bool renamed = nameHeads(grid);
    if (change.series || renamed)
        applyTexts();
}

void CurveView::showLiveMarks(std::span<const ControlMark> marks)
{
    if (!m_model.setLiveMarks(marks).live)
        return;
    for (int c = 0; c < curveCount(); ++c)
        showLive(c);
}

void CurveView::setLanguage(Language language)
{
    m_language = language;
    applyTexts();
}

QString CurveView::message() const
{
    if (!m_drawn.empty())
        return {};
    return keyedText(MapViewTexts::texts(), m_mapPage ? "CurveChooseSlice" : "CurveNone", m_language);
}

void CurveView::rebuild()
{
    QChart& area = *chart();
    area.removeAllSeries();
    for (QAbstractAxis* axis : area.axes()) {
        // Hidden first: an axis removed from a chart that was never shown would leave its
        // labels and grid drawn in the corner of the chart for good.
        axis->hide();
        area.removeAxis(axis);
        delete axis;
    }
    m_drawn.clear();
    m_xAxes.clear();
    m_yAxes.clear();
    for (const Curve& curve : m_model.curves()) {
        Drawn d;
        d.line = new QLineSeries;
        d.line->setPointsVisible(true);
        QList<QPointF> points;
        for (const CurvePoint& point : curve.points)
            points.append(qPoint(point));
        d.line->replace(points);
        d.live = new QScatterSeries;
        d.live->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        d.live->setMarkerSize(kLiveBallSize);
        d.live->setColor(ColourPalette::colour(ColourRole::Lime));
        d.live->setBorderColor(Qt::black);
        area.addSeries(d.line);
        area.addSeries(d.live);
        d.x = &axisTitled(m_xAxes, curve.xTitle, Qt::Horizontal);
        d.y = &axisTitled(m_yAxes, curve.yTitle, Qt::Vertical);
        for (QXYSeries* series : {static_cast<QXYSeries*>(d.line), static_cast<QXYSeries*>(d.live)}) {
            series->attachAxis(d.x);
            series->attachAxis(d.y);
        }
        // One entry in the legend says what the balls are.
        if (!m_drawn.empty()) {
            for (QLegendMarker* marker : area.legend()->markers(d.live))
                marker->setVisible(false);
        }
        m_drawn.push_back(d);
    }
    for (int c = 0; c < curveCount(); ++c)
        showLive(c);
    fitAxes();
}

void CurveView::showPoint(const CurvePointIndex& index)
{
    const Curve& curve = m_model.curves().at(static_cast<std::size_t>(index.curve));
    drawn(index.curve).line->replace(index.point, qPoint(curve.points.at(static_cast<std::size_t>(index.point))));
    if (curve.live == index.point)
        showLive(index.curve);
}

void CurveView::showLive(int curve)
{
    const Curve& model = m_model.curves().at(static_cast<std::size_t>(curve));
    QScatterSeries& ball = *drawn(curve).live;
    if (!model.live) {
        if (ball.count() > 0)
            ball.clear();
        return;
    }
    const QPointF at = qPoint(model.points.at(static_cast<std::size_t>(*model.live)));
    if (ball.count() == 0)
        ball.append(at);
    else if (ball.at(0) != at)
        ball.replace(0, at);
}

void CurveView::fitAxes()
{
    const auto fit = [&](const std::vector<Axis>& axes, auto axisOf, auto coordinate) {
        for (const Axis& axis : axes) {
            std::optional<std::pair<double, double>> span;
            for (std::size_t c = 0; c < m_drawn.size(); ++c) {
                if (axisOf(m_drawn[c]) != axis.axis)
                    continue;
                for (const CurvePoint& point : m_model.curves()[c].points) {
                    const double value = coordinate(point);
                    span = span ? std::pair{std::min(span->first, value), std::max(span->second, value)}
                                : std::pair{value, value};
                }
            }
            if (!span)
                continue;
            const double margin = span->second > span->first ? (span->second - span->first) * kAxisMargin : 1.0;
            axis.axis->setRange(span->first - margin, span->second + margin);
            axis.axis->applyNiceNumbers();
        }
    };
    fit(
        m_xAxes, [](const Drawn& d) { return d.x; }, [](const CurvePoint& p) { return p.x; });
    fit(
        m_yAxes, [](const Drawn& d) { return d.y; }, [](const CurvePoint& p) { return p.y; });
}

bool CurveView::nameHeads(const MapGridModel& grid)
{
    bool renamed = false;
    for (std::size_t c = 0; c < m_drawn.size(); ++c) {
        const Curve& curve = m_model.curves()[c];
        if (curve.slice < 0)
            continue;
        std::string head =
            curve.name == "CurveMapRow" ? grid.rowHead(curve.slice) : std::to_string(grid.rpmHead(curve.slice));
        if (head != m_drawn[c].head) {
            m_drawn[c].head = std::move(head);
            renamed = true;
        }
    }
    return renamed;
}

void CurveView::applyTexts()
{
    chart()->setTitle(message());
    for (const std::vector<Axis>* axes : {&m_xAxes, &m_yAxes}) {
        for (const Axis& axis : *axes)
            axis.axis->setTitleText(keyedText(MapViewTexts::texts(), axis.title, m_language));
    }
    const QString liveName = keyedText(MapViewTexts::texts(), "CurveLivePoint", m_language);
    for (std::size_t c = 0; c < m_drawn.size(); ++c) {
        const Curve& curve = m_model.curves()[c];
        const std::string_view name = MapViewTexts::text(curve.name, m_language).value_or(curve.name);
        m_drawn[c].line->setName(curve.slice < 0 ? qText(name) : qText(formatText(name, m_drawn[c].head.c_str())));
        m_drawn[c].live->setName(liveName);
    }
}

QValueAxis& CurveView::axisTitled(std::vector<Axis>& axes, std::string_view title, Qt::Orientation orientation)
{
    const auto found = std::ranges::find(axes, title, &Axis::title);
    if (found != axes.end())
        return *found->axis;
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%g"));
    // A second quantity on the same chart reads from the opposite side.
    const bool first = axes.size() % 2 == 0;
    const Qt::Alignment side = orientation == Qt::Horizontal ? (first ? Qt::AlignBottom : Qt::AlignTop)
                                                             : (first ? Qt::AlignLeft : Qt::AlignRight);
    chart()->addAxis(axis, side);
    axes.push_back({title, axis});
    return *axis;
}

} // namespace quorvel
