// Time of the 3D view's data path after one cell edit of Inj-1A and after a move of the live
// cell: the surface model compares and reports, and the series data proxy (one item) or the
// marker (its position) is brought up to date, as SurfaceView does it. The graph itself is not
// there: the series is Q3DSurface-free, so what is measured is the CPU work of the GUI thread
// before a frame is drawn. For comparison, the whole series handed over again (another page).
//
// Before the benchmarks run, the figures bench/run puts in its table are printed as lines
// "FIGURE name value unit target": the mean CPU time of each refresh.
#include "core/page_index.h"
#include "core/sanitise.h"
#include "maps/live_marking.h"
#include "maps/map_surface_model.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"
#include "ui/views/surface_series_feed.h"

#include <QGuiApplication>

#include "bench_figures.h"

#include <benchmark/benchmark.h>

namespace {

using quorvel::bench::meanCpuMilliseconds;
using quorvel::bench::printFigure;

using namespace quorvel;

// Inj-1A on the grid with the series handed over once, and the live marks of two operating cells.
class SurfaceRig {
public:
    SurfaceRig()
    {
        m_image.setByte(150, 11);
        applyDefaults(m_image, m_tables, {});
        OutsideSettings settings;
        (void)sanitiseImage(m_image, settings);
        for (int page : {kPageInj1A, kPageInj2A}) {
            m_pages.push_back(
                fillMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), page));
        }
        showPage(0);
        m_feed.apply(m_surface, m_surface.setSelection(CellRect{2, 3, 5, 8}));

        LiveMarking marking;
        MonitorSnapshot live;
        live.Rpm = 4000;
        live.UsesTpsMaps = true;
        for (std::uint16_t tenths : {std::uint16_t{120}, std::uint16_t{450}}) {
            live.TpsTenths = tenths;
            m_marks.push_back(marking.refresh(kPageInj1A, m_image, live, false));
        }
    }

    // One edited cell inside the selection, as the grid shows it after the page is filled.
    void editOneCell()
    {
        m_step = -m_step;
        MapPageValues values = m_grid.values();
        values.cells[3 * kMapColumns + 6] += m_step;
        m_grid.load(m_grid.page(), std::move(values), m_grid.layout(), m_image);
        m_feed.apply(m_surface, m_surface.update(m_grid));
    }
    void moveLiveCell()
    {
        m_which = 1 - m_which;
        m_feed.apply(m_surface, m_surface.setLiveMarks(m_marks[m_which]));
    }
    // Inj-1A and Inj-2A in turn: every point of the series anew.
    void changePage() { showPage(1 - m_page); }

private:
    void showPage(int index)
    {
        m_page = index;
        m_grid.load(index == 0 ? kPageInj1A : kPageInj2A, m_pages[static_cast<std::size_t>(index)],
                    GridLayout::of(GridLayoutMode::Full), m_image);
        m_feed.apply(m_surface, m_surface.update(m_grid));
    }

    InjectionTables m_tables;
    ParamImage m_image;
    std::vector<MapPageValues> m_pages;
    MapGridModel m_grid;
    MapSurfaceModel m_surface;
    SurfaceSeriesFeed m_feed;
    std::vector<std::vector<ControlMark>> m_marks;
    int m_page = 0;
    int m_step = 1;
    std::size_t m_which = 0;
};

void SeriesAfterOneCellEdit(benchmark::State& state)
{
    SurfaceRig rig;
    for (auto _ : state)
        rig.editOneCell();
}
BENCHMARK(SeriesAfterOneCellEdit)->Unit(benchmark::kMicrosecond);

void MarkerAfterLiveCellMove(benchmark::State& state)
{
    SurfaceRig rig;
    for (auto _ : state)
        rig.moveLiveCell();
}
BENCHMARK(MarkerAfterLiveCellMove)->Unit(benchmark::kMicrosecond);

void WholeSeriesAfterPageChange(benchmark::State& state)
{
    SurfaceRig rig;
    for (auto _ : state)
        rig.changePage();
}
BENCHMARK(WholeSeriesAfterPageChange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    constexpr int kRounds = 5000;
    SurfaceRig rig;
    printFigure("3D_series_after_one_cell_edit", meanCpuMilliseconds(kRounds, [&] { rig.editOneCell(); }), "ms",
                "<_2_ms", 4);
    printFigure("3D_marker_after_live-cell_move", meanCpuMilliseconds(kRounds, [&] { rig.moveLiveCell(); }), "ms",
                "<_2_ms", 4);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
