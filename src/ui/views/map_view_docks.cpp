#include "ui/views/map_view_docks.h"

#include "model/map_layout.h"
#include "ui/maps/map_grid.h"
#include "ui/views/curve_view.h"
#include "ui/views/surface_view.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QTableView>

namespace quorvel {
namespace {

constexpr int kDockHeight = 300;      // the pages keep most of the window
constexpr int kLeastViewHeight = 260; // axes, their titles and the legend stay readable
constexpr int kLeastViewWidth = 320;  // the same beside the other view

QDockWidget* makeDock(QMainWindow& window, const char* name, QWidget* view)
{
    auto* dock = new QDockWidget(&window);
    dock->setObjectName(name);
    view->setMinimumSize(kLeastViewWidth, kLeastViewHeight);
    dock->setWidget(view);
    dock->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    window.addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    QObject::connect(dock, &QDockWidget::visibilityChanged, &window, [&window, dock](bool visible) {
        if (visible && !dock->isFloating())
            window.resizeDocks({dock}, {kDockHeight}, Qt::Vertical);
    });
    return dock;
}

} // namespace

MapViewDocks::MapViewDocks(QMainWindow& window, const ParamImage& image, MapGrid& grid, Language language)
    : m_image(image)
    , m_grid(grid)
    , m_surface(new SurfaceView(language))
    , m_curves(new CurveView(language))
{
    m_surfaceDock = makeDock(window, "DockWidgetView3D", m_surface);
    m_curveDock = makeDock(window, "DockWidgetCurve", m_curves);
    window.splitDockWidget(m_surfaceDock, m_curveDock, Qt::Horizontal);
    // Opened beside each other, the two views share the width instead of one taking it all.
    const auto shareWidth = [this, &window](bool visible) {
        if (!visible)
            return;
        const bool sideBySide = m_surfaceDock->isVisible() && m_curveDock->isVisible() &&
                                !m_surfaceDock->isFloating() && !m_curveDock->isFloating() &&
                                window.dockWidgetArea(m_surfaceDock) == window.dockWidgetArea(m_curveDock);
        if (sideBySide)
            window.resizeDocks({m_surfaceDock, m_curveDock}, {window.width() / 2, window.width() / 2}, Qt::Horizontal);
    };
    QObject::connect(m_surfaceDock, &QDockWidget::visibilityChanged, &m_connections, shareWidth);
    QObject::connect(m_curveDock, &QDockWidget::visibilityChanged, &m_connections, shareWidth);
}

bool MapViewDocks::mapPage() const
{
    return MapTable::ofPage(m_page) != nullptr && m_grid.model().grid().page() == m_page;
}

bool MapViewDocks::offersSlices() const
{
    const GridLayout& layout = m_grid.model().grid().layout();
    return mapPage() && layout.shownRows().size() > 1 && layout.shownColumns().size() > 1;
}

void MapViewDocks::pageFilled(int page)
{
    m_page = page;
    if (mapPage())
        m_surface->showGrid(m_grid.model().grid());
    else
        m_surface->showNoMap();
    m_curves->showPage(page, m_image, m_grid.model().grid());
}

void MapViewDocks::showLive(std::span<const ControlMark> marks)
{
    if (mapPage())
        m_surface->showLiveMarks(marks);
    m_curves->showLiveMarks(marks);
}

void MapViewDocks::selectionChanged()
{
    if (mapPage())
        m_surface->showSelection(m_grid.selection().rect());
}

void MapViewDocks::chooseCurveOfCurrentRow()
{
    m_curves->chooseSlice(MapSlice{MapSlice::Kind::Row, m_grid.selection().current().row});
    pageFilled(m_page);
    m_curveDock->show();
}

void MapViewDocks::chooseCurveOfCurrentColumn()
{
    m_curves->chooseSlice(MapSlice{MapSlice::Kind::Column, m_grid.selection().current().column});
    pageFilled(m_page);
    m_curveDock->show();
}

void MapViewDocks::setLanguage(Language language)
{
    m_surface->setLanguage(language);
    m_curves->setLanguage(language);
}

} // namespace quorvel
