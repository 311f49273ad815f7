#include "ui/views/surface_view.h"

#include "texts/map_view_texts.h"
#include "ui/binding/text_lookup.h"
#include "ui/views/open_gl_support.h"

#include <Q3DCamera>
#include <Q3DScene>
#include <Q3DSurface>
#include <Q3DTheme>
#include <QCustom3DItem>
#include <QLabel>
#include <QStackedLayout>

namespace quorvel {
namespace {

constexpr int kAxes = 3;
constexpr float kCameraTurn = -35.0F;  // degrees round the vertical axis
constexpr float kCameraHeight = 20.0F; // degrees above the floor
constexpr float kCameraZoom = 90.0F;   // percent of the default distance

} // namespace

SurfaceView::SurfaceView(Language language, QWidget* parent)
    : QWidget(parent)
    , m_language(language)
    , m_feed(language)
{
    setObjectName("SurfaceView");
    m_stack = new QStackedLayout(this);
    m_message = new QLabel(this);
    m_message->setObjectName("LabelSurfaceMessage");
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_stack->addWidget(m_message);
    if (openGlSupported())
        createGraph();
    showPane();
}

SurfaceView::~SurfaceView()
{
    if (m_graph == nullptr)
        return;
    // The graph goes before the objects it borrowed, and gives them back to the feed first so
    // that it does not delete them.
    for (int i = 0; i < m_dotsInGraph; ++i)
        m_graph->releaseCustomItem(m_feed.dots()[static_cast<std::size_t>(i)].get());
    m_graph->releaseCustomItem(&m_feed.marker());
    for (int i = 0; i < kAxes; ++i)
        m_graph->releaseAxis(&m_feed.axis(i));
    m_graph->removeSeries(&m_feed.series());
    delete m_graphPane;
}

void SurfaceView::createGraph()
{
    m_graph = new Q3DSurface;
    m_graph->setObjectName("GraphSurface3D");
    // Shadows cost a software renderer dearly and tell nothing about a map.
    m_graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    m_graph->setSelectionMode(QAbstract3DGraph::SelectionItem);
    // RPM and load as equally long sides: their ranges (thousands of rpm, a hundred percent)
    // would otherwise squeeze the load into a sliver.
    m_graph->setHorizontalAspectRatio(1.0);
    // From aside and a little above: a dock under the pages is wide and short, and a low camera
    // spreads the map over its width while the near corner and its labels stay in sight.
    m_graph->scene()->activeCamera()->setCameraPosition(kCameraTurn, kCameraHeight, kCameraZoom);
    // The theme draws its labels at a size that follows the font's point size; a fixed large one
    // reads in a dock of a 1280 x 720 screen, where the default shrinks to a few pixels.
    m_graph->activeTheme()->setFont(SurfaceSeriesFeed::labelFont(m_graph->activeTheme()->font()));
    m_graph->setAxisX(&m_feed.axis(0));
    m_graph->setAxisY(&m_feed.axis(1));
    m_graph->setAxisZ(&m_feed.axis(2));
    m_graph->addSeries(&m_feed.series());
    m_graph->addCustomItem(&m_feed.marker());
    m_graphPane = QWidget::createWindowContainer(m_graph, this);
    m_graphPane->setMinimumSize(160, 120);
    m_graphPane->setFocusPolicy(Qt::StrongFocus);
    m_stack->addWidget(m_graphPane);
}

void SurfaceView::showGrid(const MapGridModel& grid)
{
    m_noMap = false;
    apply(m_model.update(grid));
    showPane();
}

void SurfaceView::showLiveMarks(std::span<const ControlMark> marks)
{
    apply(m_model.setLiveMarks(marks));
}

void SurfaceView::showSelection(std::optional<CellRect> selection)
{
    apply(m_model.setSelection(selection));
}

void SurfaceView::showNoMap()
{
    m_noMap = true;
    showPane();
}

void SurfaceView::setLanguage(Language language)
{
    m_language = language;
    m_feed.setLanguage(language);
    showPane();
}

QString SurfaceView::message() const
{
    const std::string_view key = messageKey();
    return key.empty() ? QString() : keyedText(MapViewTexts::texts(), key, m_language);
}

void SurfaceView::apply(const SurfaceChange& change)
{
    if (change.empty())
        return;
    m_feed.apply(m_model, change);
    if (m_graph == nullptr)
        return;
    // Dots the selection needed for the first time join the graph.
    const auto& dots = m_feed.dots();
    for (; m_dotsInGraph < static_cast<int>(dots.size()); ++m_dotsInGraph)
        m_graph->addCustomItem(dots[static_cast<std::size_t>(m_dotsInGraph)].get());
}

void SurfaceView::showPane()
{
    const QString text = message();
    m_message->setText(text);
    m_stack->setCurrentWidget(text.isEmpty() && m_graphPane != nullptr ? m_graphPane : m_message);
}

std::string_view SurfaceView::messageKey() const
{
    if (m_graph == nullptr)
        return "View3DNeedsOpenGl";
    if (m_noMap || m_model.rowCount() == 0 || m_model.columnCount() == 0)
        return "View3DNoMap";
    if (!m_model.drawable())
        return "View3DOneLine";
    return {};
}

} // namespace quorvel
