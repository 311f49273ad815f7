#include "ui/views/map_view_docks.h"

#include "model/map_layout.h"
#include "texts/map_view_texts.h"
#include "ui/binding/text_lookup.h"
#include "ui/maps/map_grid.h"
#include "ui/views/map_views_factory.h"
#include "ui/views/views_module.h"

#include <QDockWidget>
#include <QLayout>
#include <QMainWindow>
#include <QScrollArea>
#include <QTableView>

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kDockHeight = 300;      // where the page leaves more room, the views take no more
constexpr int kLeastViewHeight = 140; // axes, their titles and the legend stay readable
constexpr int kLeastViewWidth = 320;  // the same beside the other view
constexpr int kGridMargin = 4;        // left under the grid's last row and right of its last column
constexpr int kLeastSideWidth = 480;  // a view right of the page is at least this wide

// The page's scroll area the widget lies in, if any.
QScrollArea* scrollAreaOf(QWidget& widget)
{
    for (QWidget* parent = widget.parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(parent))
            return scroll;
    }
    return nullptr;
}

} // namespace

MapViewDocks::MapViewDocks(QMainWindow& window, ViewsModule& module, const ParamImage& image, MapGrid& grid,
                           Language language)
    : m_window(window)
    , m_module(module)
    , m_image(image)
    , m_grid(grid)
    , m_language(language)
{
}

QDockWidget* MapViewDocks::makeDock(const char* name, QWidget* view)
{
    auto* dock = new QDockWidget(&m_window);
    dock->setObjectName(name);
    dock->setWindowTitle(captionText(MapViewTexts::captions(), name, CaptionKind::Caption, m_language));
    view->setMinimumSize(kLeastViewWidth, kLeastViewHeight);
    dock->setWidget(view);
    dock->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    const Qt::DockWidgetArea area = areaForNewDock();
    QDockWidget* other = m_surfaceDock != nullptr ? m_surfaceDock : m_curveDock;
    m_window.addDockWidget(area, dock);
    // Beside the other view: side by side under the page, one over the other right of it.
    if (other != nullptr)
        m_window.splitDockWidget(other, dock, area == Qt::RightDockWidgetArea ? Qt::Vertical : Qt::Horizontal);
    dock->hide();
    QObject::connect(dock, &QDockWidget::visibilityChanged, &m_connections, [this, dock](bool visible) {
        if (visible && !dock->isFloating())
            fitBesideGrid(*dock);
        if (visible)
            shareWidth();
    });
    return dock;
}

// The room the page leaves beside (right of) and under the grid, as the user sees it now; none
// while the grid is not shown.
QSize MapViewDocks::roomAroundGrid() const
{
    QTableView& table = m_grid.table();
    QScrollArea* scroll = scrollAreaOf(table);
    if (scroll == nullptr || !scroll->isVisible())
        return {};
    const QPoint gridEnd = table.mapTo(scroll->widget(), QPoint(table.width(), table.height()));
    return {scroll->viewport()->width() - gridEnd.x() - kGridMargin,
            scroll->viewport()->height() - gridEnd.y() - kGridMargin};
}

// A wide screen has room for the views right of the page; a laptop's has not, so they open
// under it. Either way a view takes what the page leaves beside or under the grid, so that every
// row and column of the map stays in sight while the view is open (the options under the grid
// scroll).
Qt::DockWidgetArea MapViewDocks::areaForNewDock() const
{
    for (QDockWidget* other : {m_surfaceDock, m_curveDock}) {
        if (other != nullptr)
            return m_window.dockWidgetArea(other);
    }
    return roomAroundGrid().width() >= kLeastSideWidth ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea;
}

void MapViewDocks::fitBesideGrid(QDockWidget& dock)
{
    const Qt::DockWidgetArea area = m_window.dockWidgetArea(&dock);
    const Qt::Orientation across = area == Qt::RightDockWidgetArea ? Qt::Horizontal : Qt::Vertical;
    // Laid out now, so that the dock's size and the page's room are what the user sees.
    m_window.layout()->activate();
    const QSize room = roomAroundGrid();
    if (!room.isValid()) {
        m_window.resizeDocks({&dock}, {kDockHeight}, across);
        return;
    }
    if (across == Qt::Horizontal)
        m_window.resizeDocks({&dock}, {dock.width() + room.width()}, Qt::Horizontal);
    else
        m_window.resizeDocks({&dock}, {std::min(kDockHeight, dock.height() + room.height())}, Qt::Vertical);
}

// Opened beside each other, the two views share the width instead of one taking it all.
void MapViewDocks::shareWidth()
{
    if (m_surfaceDock == nullptr || m_curveDock == nullptr)
        return;
    const bool sideBySide = m_surfaceDock->isVisible() && m_curveDock->isVisible() && !m_surfaceDock->isFloating() &&
                            !m_curveDock->isFloating() &&
                            m_window.dockWidgetArea(m_surfaceDock) == Qt::BottomDockWidgetArea &&
                            m_window.dockWidgetArea(m_curveDock) == Qt::BottomDockWidgetArea;
    if (sideBySide)
        m_window.resizeDocks({m_surfaceDock, m_curveDock}, {m_window.width() / 2, m_window.width() / 2},
                             Qt::Horizontal);
}

SurfacePane* MapViewDocks::surface()
{
    MapViewsFactory* views = m_module.factory();
    if (m_surface == nullptr && views != nullptr) {
        m_surface = views->makeSurface(m_language);
        m_surfaceDock = makeDock("DockWidgetView3D", &m_surface->widget());
        fillSurface();
    }
    return m_surface;
}

CurvePane* MapViewDocks::curves()
{
    MapViewsFactory* views = m_module.factory();
    if (m_curves == nullptr && views != nullptr) {
        m_curves = views->makeCurves(m_language);
        m_curveDock = makeDock("DockWidgetCurve", &m_curves->widget());
        fillCurves();
    }
    return m_curves;
}

void MapViewDocks::showSurface(bool shown)
{
    if (shown)
        (void)surface();
    if (m_surfaceDock != nullptr)
        m_surfaceDock->setVisible(shown);
}

void MapViewDocks::showCurves(bool shown)
{
    if (shown)
        (void)curves();
    if (m_curveDock != nullptr)
        m_curveDock->setVisible(shown);
}

bool MapViewDocks::surfaceShown() const
{
    return m_surfaceDock != nullptr && !m_surfaceDock->isHidden();
}

bool MapViewDocks::curvesShown() const
{
    return m_curveDock != nullptr && !m_curveDock->isHidden();
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
    if (m_surface != nullptr)
        fillSurface();
    if (m_curves != nullptr)
        fillCurves();
}

void MapViewDocks::fillSurface()
{
    if (mapPage()) {
        m_surface->showGrid(m_grid.model().grid());
        m_surface->showSelection(m_grid.selection().rect());
    } else {
        m_surface->showNoMap();
    }
}

void MapViewDocks::fillCurves()
{
    m_curves->showPage(m_page, m_image, m_grid.model().grid());
}

void MapViewDocks::showLive(std::span<const ControlMark> marks)
{
    if (m_surface != nullptr && mapPage())
        m_surface->showLiveMarks(marks);
    if (m_curves != nullptr)
        m_curves->showLiveMarks(marks);
}

void MapViewDocks::selectionChanged()
{
    if (m_surface != nullptr && mapPage())
        m_surface->showSelection(m_grid.selection().rect());
}

void MapViewDocks::chooseCurveOfCurrentRow()
{
    CurvePane* pane = curves();
    if (pane == nullptr)
        return;
    pane->chooseSlice(MapSlice{MapSlice::Kind::Row, m_grid.selection().current().row});
    pageFilled(m_page);
    m_curveDock->show();
}

void MapViewDocks::chooseCurveOfCurrentColumn()
{
    CurvePane* pane = curves();
    if (pane == nullptr)
        return;
    pane->chooseSlice(MapSlice{MapSlice::Kind::Column, m_grid.selection().current().column});
    pageFilled(m_page);
    m_curveDock->show();
}

void MapViewDocks::setLanguage(Language language)
{
    m_language = language;
    for (QDockWidget* dock : {m_surfaceDock, m_curveDock}) {
        if (dock != nullptr)
            dock->setWindowTitle(captionText(MapViewTexts::captions(), dock->objectName().toStdString(),
                                             CaptionKind::Caption, language));
    }
    if (m_surface != nullptr)
        m_surface->setLanguage(language);
    if (m_curves != nullptr)
        m_curves->setLanguage(language);
}

} // namespace quorvel
