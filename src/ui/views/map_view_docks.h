#pragma once

#include "core/control_view.h"
#include "core/message_texts.h"
#include "core/param_image.h"

#include <QObject>
#include <QSize>

#include <span>

class QDockWidget;
class QMainWindow;

namespace quorvel {

class CurvePane;
class MapGrid;
class SurfacePane;
class ViewsModule;

// The views of the map beside the grid: the 3D surface and the curves, each in a dock of the
// main window that its menu item (and tool button) shows and hides. They read what the grid
// shows and the live marks it is given; they never change the image. Each view and its dock is
// made when it is first shown, so a window whose user never opens them never pays for them
// (the 3D view asks for OpenGL as it is made). The views come from the views module; where it
// cannot be loaded nothing is shown, and the window says why.
class MapViewDocks {
public:
    MapViewDocks(QMainWindow& window, ViewsModule& module, const ParamImage& image, MapGrid& grid, Language language);

    // Shows or hides a view; showing one the first time makes it and fills it with the page (and
    // shows nothing when the module cannot make it).
    void showSurface(bool shown);
    void showCurves(bool shown);
    [[nodiscard]] bool surfaceShown() const;
    [[nodiscard]] bool curvesShown() const;
    // The docks made so far; none before their view was first shown.
    [[nodiscard]] QDockWidget* surfaceDock() const { return m_surfaceDock; }
    [[nodiscard]] QDockWidget* curveDock() const { return m_curveDock; }

    // After every fill of a page, and so after every edit.
    void pageFilled(int page);
    // Every tick, with the live marks of the page shown.
    void showLive(std::span<const ControlMark> marks);
    // The grid's selection changed.
    void selectionChanged();
    // The page shows a map of rows and columns, so that one of them can be chosen as a curve.
    [[nodiscard]] bool offersSlices() const;
    // "Curve of a row" / "Curve of a column": the row or column of the current cell.
    void chooseCurveOfCurrentRow();
    void chooseCurveOfCurrentColumn();
    void setLanguage(Language language);

private:
    [[nodiscard]] bool mapPage() const;
    SurfacePane* surface();
    CurvePane* curves();
    QDockWidget* makeDock(const char* name, QWidget* view);
    [[nodiscard]] QSize roomAroundGrid() const;
    [[nodiscard]] Qt::DockWidgetArea areaForNewDock() const;
    void fitBesideGrid(QDockWidget& dock);
    void shareWidth();
    void fillSurface();
    void fillCurves();

    QMainWindow& m_window;
    ViewsModule& m_module;
    const ParamImage& m_image;
    MapGrid& m_grid;
    Language m_language;
    int m_page = -1;
    SurfacePane* m_surface = nullptr; // owned by its dock
    CurvePane* m_curves = nullptr;
    QDockWidget* m_surfaceDock = nullptr;
    QDockWidget* m_curveDock = nullptr;
    // Ends the connections made for these views when they go, before the window's docks do.
    QObject m_connections;
};

} // namespace quorvel
