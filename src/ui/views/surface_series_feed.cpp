#include "ui/views/surface_series_feed.h"

#include "maps/map_colour_scale.h"
#include "texts/map_view_texts.h"
#include "ui/binding/colour_palette.h"
#include "ui/binding/text_lookup.h"

#include <QCustom3DItem>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPalette>
#include <QSurface3DSeries>
#include <QValue3DAxis>

#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

constexpr auto kMeshFile = ":/quorvel/marker.obj";
// Sizes on the graph's own scale, on which the floor of the graph is about 2 wide.
constexpr float kMarkerSize = 0.08F;
constexpr float kDotSize = 0.035F;
constexpr int kAxisX = 0;
constexpr int kAxisY = 1;
constexpr int kAxisZ = 2;
constexpr int kAxisSegments = 4;
constexpr int kMostSegments = 5;
// The graph turns labels up to this angle towards the camera, so that none is read edge on.
constexpr float kLabelTurn = 90.0F;
// On the graph's scale a label's height grows with the point size; this one gives labels of
// about 12 pixels in a dock 200 pixels high.
constexpr qreal kLabelPointSize = 80.0;

QVector3D position(const SurfacePoint& point)
{
    return {static_cast<float>(point.x), static_cast<float>(point.y), static_cast<float>(point.z)};
}

QColor rgb(const Rgb& colour)
{
    return {colour.red, colour.green, colour.blue};
}

// A custom item is coloured by its texture.
QImage solid(const QColor& colour)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::unique_ptr<QCustom3DItem> sphere(float size, const QColor& colour)
{
    auto item = std::make_unique<QCustom3DItem>();
    item->setMeshFile(QString::fromLatin1(kMeshFile));
    item->setScaling(QVector3D(size, size, size));
    item->setShadowCasting(false);
    item->setTextureImage(solid(colour));
    item->setVisible(false);
    return item;
}

} // namespace

SurfaceSeriesFeed::SurfaceSeriesFeed(Language language)
    : m_language(language)
    , m_series(std::make_unique<QSurface3DSeries>())
    , m_marker(sphere(kMarkerSize, ColourPalette::colour(ColourRole::Lime)))
{
    // The colours of the grid's colour scale, low to high, so that the surface reads like the
    // coloured grid beside it.
    QLinearGradient gradient;
    gradient.setColorAt(0.0, rgb(kCoolColour));
    gradient.setColorAt(0.5, rgb(kMiddleColour));
    gradient.setColorAt(1.0, rgb(kWarmColour));
    m_series->setBaseGradient(gradient);
    m_series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    m_series->setDrawMode(QSurface3DSeries::DrawSurfaceAndWireframe);
    m_series->setItemLabelFormat(QStringLiteral("@xTitle: @xLabel  @zTitle: @zLabel  @yTitle: @yLabel"));
    for (std::unique_ptr<QValue3DAxis>& axis : m_axes) {
        axis = std::make_unique<QValue3DAxis>();
        // Every head and value the pages show is a whole number (the times in ms aside).
        axis->setLabelFormat(QStringLiteral("%d"));
        axis->setTitleVisible(true);
        // Few labels, each large enough to read in a dock on a laptop's screen (see fitAxes).
        axis->setSegmentCount(kAxisSegments);
        axis->setSubSegmentCount(1);
        axis->setLabelAutoRotation(kLabelTurn);
        axis->setTitleFixed(false);
    }
}

SurfaceSeriesFeed::~SurfaceSeriesFeed() = default;

void SurfaceSeriesFeed::apply(const MapSurfaceModel& model, const SurfaceChange& change)
{
    QSurfaceDataProxy& data = *m_series->dataProxy();
    // Points of a series the proxy does not hold (it was never filled, or the shape changed
    // while the pane showed no map) need the whole series.
    const bool pointsFit = std::ranges::all_of(change.points, [&data](const SeriesIndex& index) {
        return index.row >= 0 && index.row < data.rowCount() && index.column >= 0 && index.column < data.columnCount();
    });
    if (change.series || !pointsFit) {
        fillSeries(model);
        m_titles = {MapSurfaceModel::xTitle(), model.yTitle(), model.zTitle()};
        applyTitles();
    } else {
        QSurfaceDataProxy& proxy = *m_series->dataProxy();
        for (const SeriesIndex& index : change.points)
            proxy.setItem(index.row, index.column, QSurfaceDataItem(position(model.point(index))));
    }
    if (change.series || !pointsFit || !change.points.empty())
        fitAxes(model);
    if (change.series || !pointsFit || change.marker)
        showMarker(model);
    // An edited cell inside the selection lifts its dot with it.
    const bool selectionMoved =
        std::ranges::any_of(change.points, [&](const SeriesIndex& index) { return model.isSelected(index); });
    if (change.series || !pointsFit || change.selection || selectionMoved)
        showSelection(model);
}

QFont SurfaceSeriesFeed::labelFont(QFont themeFont)
{
    themeFont.setPointSizeF(kLabelPointSize);
    themeFont.setBold(true);
    return themeFont;
}

// Each axis runs between round numbers in steps of 1, 2, 2.5, 4 or 5 times a power of ten, at
// most kMostSegments of them, so that its few labels read as the grid's heads do ("4000", not
// "4750"), and the values' axis spans at least one step of the shown unit per segment: a flat map
// (a fresh one is all 100 %) would otherwise repeat "99, 99, 100, 100, 101" along it.
void SurfaceSeriesFeed::fitAxes(const MapSurfaceModel& model)
{
    const bool inMs = model.yTitle() == "AxisInjectionMs";
    axis(kAxisY).setLabelFormat(inMs ? QStringLiteral("%.2f") : QStringLiteral("%d"));
    if (!model.drawable()) {
        for (int i : {kAxisX, kAxisY, kAxisZ})
            axis(i).setAutoAdjustRange(true);
        return;
    }
    std::array<AxisSpan, 3> spans;
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            const SurfacePoint point = model.point({r, c});
            const bool first = r == 0 && c == 0;
            for (auto [i, value] :
                 {std::pair{kAxisX, point.x}, std::pair{kAxisY, point.y}, std::pair{kAxisZ, point.z}}) {
                AxisSpan& span = spans.at(static_cast<std::size_t>(i));
                span.low = first ? value : std::min(span.low, value);
                span.high = first ? value : std::max(span.high, value);
            }
        }
    }
    const std::array<double, 3> leastSteps{1.0, inMs ? 0.01 : 1.0, 1.0};
    for (int i : {kAxisX, kAxisY, kAxisZ}) {
        const AxisSpan span =
            roundSpan(spans.at(static_cast<std::size_t>(i)), leastSteps.at(static_cast<std::size_t>(i)));
        axis(i).setRange(static_cast<float>(span.low), static_cast<float>(span.high));
        axis(i).setSegmentCount(span.segments);
    }
}

SurfaceSeriesFeed::AxisSpan SurfaceSeriesFeed::roundSpan(AxisSpan span, double leastStep)
{
    const double least = leastStep * kAxisSegments;
    if (span.high - span.low < least) {
        const double middle = (span.low + span.high) / 2;
        span = {middle - least / 2, middle + least / 2};
    }
    const double decade = std::pow(10.0, std::floor(std::log10((span.high - span.low) / kMostSegments)));
    for (double scale : {1.0, 10.0}) {
        for (double factor : {1.0, 2.0, 2.5, 4.0, 5.0}) {
            const double step = std::max(leastStep, decade * scale * factor);
            // A hair of tolerance: a bound that is a step's multiple stays on it.
            const double low = std::floor(span.low / step + 1e-9) * step;
            const double high = std::ceil(span.high / step - 1e-9) * step;
            const auto segments = static_cast<int>(std::lround((high - low) / step));
            if (segments <= kMostSegments)
                return {low, high, std::max(segments, 1)};
        }
    }
    return {span.low, span.high, kAxisSegments};
}

void SurfaceSeriesFeed::setLanguage(Language language)
{
    m_language = language;
    applyTitles();
}

void SurfaceSeriesFeed::fillSeries(const MapSurfaceModel& model)
{
    auto* array = new QSurfaceDataArray;
    if (model.drawable()) {
        array->reserve(model.rowCount());
        for (int r = 0; r < model.rowCount(); ++r) {
            auto* row = new QSurfaceDataRow(model.columnCount());
            for (int c = 0; c < model.columnCount(); ++c)
                (*row)[c].setPosition(position(model.point({r, c})));
            array->append(row);
        }
    }
    // The proxy takes the array; an empty one draws nothing on a page that is no surface.
    m_series->dataProxy()->resetArray(array);
}

void SurfaceSeriesFeed::showMarker(const MapSurfaceModel& model)
{
    const std::optional<SurfaceMarker>& marker = model.marker();
    const bool shown = marker.has_value() && model.drawable();
    m_marker->setVisible(shown);
    if (!shown)
        return;
    m_marker->setPosition(position(marker->at));
    if (m_markerColour != marker->colour) {
        m_markerColour = marker->colour;
        m_marker->setTextureImage(solid(ColourPalette::colour(marker->colour)));
    }
}

void SurfaceSeriesFeed::showSelection(const MapSurfaceModel& model)
{
    int shown = 0;
    if (model.drawable() && model.selection()) {
        for (int r = 0; r < model.rowCount(); ++r) {
            for (int c = 0; c < model.columnCount(); ++c) {
                if (!model.isSelected({r, c}))
                    continue;
                QCustom3DItem& item = dot(shown++);
                item.setPosition(position(model.point({r, c})));
                item.setVisible(true);
            }
        }
    }
    for (int i = shown; i < m_shownDots; ++i)
        m_dots[static_cast<std::size_t>(i)]->setVisible(false);
    m_shownDots = shown;
}

void SurfaceSeriesFeed::applyTitles()
{
    for (int i : {kAxisX, kAxisY, kAxisZ}) {
        const std::string_view key = m_titles.at(static_cast<std::size_t>(i));
        axis(i).setTitle(key.empty() ? QString() : keyedText(MapViewTexts::texts(), key, m_language));
    }
}

QCustom3DItem& SurfaceSeriesFeed::dot(int index)
{
    while (static_cast<int>(m_dots.size()) <= index)
        m_dots.push_back(sphere(kDotSize, QGuiApplication::palette().color(QPalette::Highlight)));
    return *m_dots[static_cast<std::size_t>(index)];
}

} // namespace quorvel
