#pragma once

#include "log/datalog.h"
#include "log/time_window.h"

#include <QColor>
#include <QString>

#include <cstddef>
#include <span>
#include <vector>

class QChart;
class QLineSeries;
class QValueAxis;

namespace quorvel {

// The traces of the chosen channels of a log on a chart: one line per channel on a value axis
// of its own (coloured like its line, left and right in turn) over the channel's whole range,
// so zooming and panning move along time only; a time axis in seconds from the log's start.
// Each line gets at most two points per pixel column of the plot (lowest and highest), handed
// over in one piece, so an hour of fast logging redraws as quickly as a minute. A line is drawn
// in pieces that end where the link was lost and at rows without a value, each piece a series of
// its own in the channel's colour; only the first of a channel is named in the legend.
class LogTraces {
public:
    struct Channel {
        std::size_t column;
        QString name;
    };

    explicit LogTraces(QChart& chart);
    LogTraces(const LogTraces&) = delete;
    LogTraces& operator=(const LogTraces&) = delete;

    // The log must stay alive and unchanged while it is shown; null shows nothing.
    void setLog(const Datalog* log);
    void setChannels(std::span<const Channel> channels);
    void setTimeTitle(const QString& title);
    // Draws `window` of the log on a plot `columns` pixels wide.
    void show(const TimeWindow& window, int columns);

    [[nodiscard]] static QColor colourOf(std::size_t column);
    // The first piece of each charted channel, the one the legend names.
    [[nodiscard]] std::span<QLineSeries* const> series() const { return m_series; }
    // Every piece of the line of charted channel `index`; pieces beyond those in view are empty.
    [[nodiscard]] std::span<QLineSeries* const> pieces(std::size_t index) const { return m_pieces[index]; }

private:
    void clearChannels();
    // A further piece for channel `index`, on its axes and in its colour, left out of the legend.
    QLineSeries* addPiece(std::size_t index);

    QChart& m_chart;
    QValueAxis* m_time;
    const Datalog* m_log = nullptr;
    std::vector<std::size_t> m_columns;
    std::vector<QLineSeries*> m_series;              // owned by the chart
    std::vector<std::vector<QLineSeries*>> m_pieces; // owned by the chart; the first is m_series'
    std::vector<QValueAxis*> m_axes;                 // owned by the chart
};

} // namespace quorvel
