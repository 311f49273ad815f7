#include "ui/log/log_traces.h"

#include "log/chart_scale.h"
#include "log/trace_decimation.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvel {
namespace {

// Ten colours that tell apart on white and from each other.
constexpr std::array<QRgb, 10> kTraceColours = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd,
                                                0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};

constexpr double kTimeLinesWanted = 8.0;
constexpr double kValueLinesWanted = 6.0;

constexpr int kMostDecimals = 4;

// As many decimals as the step has: 2.5 s lines read 0.0, 2.5, 5.0.
QString timeLabelFormat(double step)
{
    int decimals = 0;
    for (double scaled = step; decimals < kMostDecimals; ++decimals, scaled *= 10.0) {
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled)
            break;
    }
    return QStringLiteral("%.%1f").arg(decimals);
}

} // namespace

LogTraces::LogTraces(QChart& chart)
    : m_chart(chart)
    , m_time(new QValueAxis(&chart))
{
    m_chart.addAxis(m_time, Qt::AlignBottom);
    m_time->setTickType(QValueAxis::TicksDynamic);
    m_time->setTickAnchor(0.0);
    m_time->setRange(0, 1);
}

QColor LogTraces::colourOf(std::size_t column)
{
    return QColor(kTraceColours[column % kTraceColours.size()]);
}

void LogTraces::setLog(const Datalog* log)
{
    clearChannels();
    m_log = log;
}

void LogTraces::setTimeTitle(const QString& title)
{
    m_time->setTitleText(title);
}

void LogTraces::clearChannels()
{
    for (const std::vector<QLineSeries*>& pieces : m_pieces) {
        for (QLineSeries* line : pieces) {
            m_chart.removeSeries(line);
            delete line;
        }
    }
    for (QValueAxis* axis : m_axes) {
        m_chart.removeAxis(axis);
        delete axis;
    }
    m_series.clear();
    m_pieces.clear();
    m_axes.clear();
    m_columns.clear();
}

QLineSeries* LogTraces::addPiece(std::size_t index)
{
    auto* line = new QLineSeries(&m_chart);
    line->setColor(m_series[index]->color());
    m_chart.addSeries(line);
    line->attachAxis(m_time);
    line->attachAxis(m_axes[index]);
    for (QLegendMarker* marker : m_chart.legend()->markers(line))
        marker->setVisible(false);
    m_pieces[index].push_back(line);
    return line;
}

void LogTraces::setChannels(std::span<const Channel> channels)
{
    clearChannels();
    if (m_log == nullptr)
        return;
    for (const Channel& channel : channels) {
        const auto range = traceRange(m_log->values(channel.column));
        if (!range)
            continue;
        const QColor colour = colourOf(channel.column);
        auto* line = new QLineSeries(&m_chart);
        line->setName(channel.name);
        line->setColor(colour);
        auto* axis = new QValueAxis(&m_chart);
        const ChartScale scale = chartScale(range->lowest, range->highest, kValueLinesWanted);
        axis->setRange(scale.lowest, scale.highest);
        axis->setTickCount(scale.lines());
        axis->setLinePenColor(colour);
        axis->setLabelsColor(colour);
        axis->setLabelFormat("%g");
        axis->setGridLineVisible(m_axes.empty());
        m_chart.addSeries(line);
        m_chart.addAxis(axis, m_axes.size() % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        line->attachAxis(m_time);
        line->attachAxis(axis);
        m_columns.push_back(channel.column);
        m_series.push_back(line);
        m_pieces.push_back({line});
        m_axes.push_back(axis);
    }
}

void LogTraces::show(const TimeWindow& window, int columns)
{
    if (m_log == nullptr || m_log->empty())
        return;
    const std::span<const std::uint32_t> times = m_log->timesMs();
    const double start = times.front();
    const auto from = static_cast<std::uint32_t>(std::floor(window.fromMs()));
    const auto to = static_cast<std::uint32_t>(std::ceil(window.toMs()));
    const double spanSeconds = (window.toMs() - window.fromMs()) / 1000.0;
    // A log of one row has no span of its own: half a second either side of it.
    const double widening = spanSeconds > 0.0 ? 0.0 : 0.5;
    const double step = chartStep(spanSeconds + 2 * widening, kTimeLinesWanted);
    m_time->setTickInterval(step);
    m_time->setLabelFormat(timeLabelFormat(step));
    m_time->setRange((window.fromMs() - start) / 1000.0 - widening, (window.toMs() - start) / 1000.0 + widening);
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        const std::span<const float> values = m_log->values(m_columns[i]);
        const std::vector<TraceSegment> segments = traceSegments(times, values, from, to, columns);
        for (std::size_t s = 0; s < std::max(segments.size(), m_pieces[i].size()); ++s) {
            QLineSeries* line = s < m_pieces[i].size() ? m_pieces[i][s] : addPiece(i);
            QList<QPointF> points;
            if (s < segments.size()) {
                points.reserve(static_cast<qsizetype>(segments[s].size()));
                for (std::size_t row : segments[s])
                    points.append(QPointF((times[row] - start) / 1000.0, values[row]));
            }
            line->replace(points);
        }
    }
}

} // namespace quorvel
