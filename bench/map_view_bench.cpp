// Time of the headless part of the 3D and curve views: bringing their series up to date after one
// cell edit of Inj-1A (the grid holds the edit; the views compare and report the one point), and
// after the live cell moved (only the marker or live point).
//
// Before the benchmarks run, the figures bench/run puts in its table are printed as lines
// "FIGURE name value unit target": the mean CPU time of each refresh.
#include "core/page_index.h"
#include "core/sanitise.h"
#include "maps/curve_model.h"
#include "maps/live_marking.h"
#include "maps/map_surface_model.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"

#include "bench_figures.h"

#include <benchmark/benchmark.h>

namespace {

using quorvel::bench::meanCpuMilliseconds;
using quorvel::bench::printFigure;

using namespace quorvel;

// Inj-1A on the grid with the views drawn once, and the live marks of two operating cells.
class ViewRig {
public:
    ViewRig()
    {
        m_image.setByte(150, 11);
        applyDefaults(m_image, m_tables, {});
        OutsideSettings settings;
        (void)sanitiseImage(m_image, settings);
        MapPageValues values =
            fillMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), kPageInj1A);
        m_grid.load(kPageInj1A, std::move(values), GridLayout::of(GridLayoutMode::Full), m_image);
        m_curves.chooseSlice(MapSlice{MapSlice::Kind::Row, 3});
        m_surface.update(m_grid);
        m_curves.update(kPageInj1A, m_image, m_grid);

        LiveMarking marking;
        MonitorSnapshot live;
        live.Rpm = 4000;
        live.UsesTpsMaps = true;
        for (std::uint16_t tenths : {std::uint16_t{120}, std::uint16_t{450}}) {
            live.TpsTenths = tenths;
            m_marks.push_back(marking.refresh(kPageInj1A, m_image, live, false));
        }
    }

    // One edited cell, as the grid shows it after the page is filled, and the refresh of both
    // views.
    void editOneCell()
    {
        m_step = -m_step;
        MapPageValues values = m_grid.values();
        values.cells[3 * kMapColumns + 6] += m_step;
        m_grid.load(kPageInj1A, std::move(values), m_grid.layout(), m_image);
        benchmark::DoNotOptimize(m_surface.update(m_grid));
        benchmark::DoNotOptimize(m_curves.update(kPageInj1A, m_image, m_grid));
    }
    // The live cell moving between two rows, and the refresh of both views.
    void moveLiveCell()
    {
        m_which = 1 - m_which;
        benchmark::DoNotOptimize(m_surface.setLiveMarks(m_marks[m_which]));
        benchmark::DoNotOptimize(m_curves.setLiveMarks(m_marks[m_which]));
    }

private:
    InjectionTables m_tables;
    ParamImage m_image;
    MapGridModel m_grid;
    MapSurfaceModel m_surface;
    CurveModel m_curves;
    std::vector<std::vector<ControlMark>> m_marks;
    int m_step = 1;
    std::size_t m_which = 0;
};

void ViewsAfterOneCellEdit(benchmark::State& state)
{
    ViewRig rig;
    for (auto _ : state)
        rig.editOneCell();
}
BENCHMARK(ViewsAfterOneCellEdit)->Unit(benchmark::kMicrosecond);

void ViewsAfterLiveCellMove(benchmark::State& state)
{
    ViewRig rig;
    for (auto _ : state)
        rig.moveLiveCell();
}
BENCHMARK(ViewsAfterLiveCellMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    constexpr int kRounds = 20000;
    ViewRig rig;
    printFigure("3D+curve_refresh_after_one_cell_edit", meanCpuMilliseconds(kRounds, [&] { rig.editOneCell(); }), "ms",
                "<_2_ms", 4);
    printFigure("3D+curve_refresh_after_live-cell_move", meanCpuMilliseconds(kRounds, [&] { rig.moveLiveCell(); }),
                "ms", "<_2_ms", 4);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
