// Time of one selection operation on the whole map of Inj-1A (150 cells) in the grid model, and
// of the same operation stored as the window stores it: collect, sanitise, fill twice and the
// undo snapshot. The widgets' refill and repaint come on top of this.
#include "core/page_index.h"
#include "core/sanitise.h"
#include "maps/grid_layout.h"
#include "maps/map_grid_model.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"
#include "maps/undo_history.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"
#include "model/map_cell_rules.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quorvel;

struct Inj1APage {
    InjectionTables tables;
    ParamImage image;
    MapGridModel grid;
    MapSelection selection;
    UndoHistory history;

    Inj1APage()
    {
        image.setByte(150, 11);
        applyDefaults(image, tables, {});
        OutsideSettings settings;
        (void)sanitiseImage(image, settings);
        fill();
        history.init(image, kPageInj1A);
        selection.selectAll();
    }

    void fill()
    {
        const GridLayout layout = GridLayout::of(gridLayoutMode(image, kPageInj1A, false));
        grid.load(kPageInj1A,
                  fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), kPageInj1A), layout,
                  image);
        selection.setLayout(layout);
    }

    // A rough map, so that every smoothing moves most cells.
    void roughen(int round)
    {
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c)
                grid.setCellValue(r, c, 80 + (r * 7 + c * 13 + round) % 41);
        }
    }

    [[nodiscard]] MapOperations operations()
    {
        return {grid, selection, cellRanges(image, *MapTable::ofPage(kPageInj1A))};
    }

    void store()
    {
        collectMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), kPageInj1A, grid.values());
        OutsideSettings settings;
        (void)sanitiseImage(image, settings);
        fill();
        fill();
        (void)history.takeSnapshot(image, kPageInj1A);
    }
};

// `operate` on the whole map, each round on freshly roughened values so no operation finds its
// work already done.
template <typename Operate> void onRoughenedMap(benchmark::State& state, Operate operate)
{
    Inj1APage page;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.roughen(++round);
        state.ResumeTiming();
        benchmark::DoNotOptimize(operate(page));
    }
}

void SmoothWholeMap(benchmark::State& state)
{
    onRoughenedMap(state, [](Inj1APage& page) { return page.operations().smooth(); });
}
BENCHMARK(SmoothWholeMap)->Unit(benchmark::kMicrosecond);

void InterpolateWholeMapBothWays(benchmark::State& state)
{
    onRoughenedMap(state, [](Inj1APage& page) { return page.operations().interpolate(InterpolationAxis::Both); });
}
BENCHMARK(InterpolateWholeMapBothWays)->Unit(benchmark::kMicrosecond);

void SmoothWholeMapAndStore(benchmark::State& state)
{
    onRoughenedMap(state, [](Inj1APage& page) {
        const MapEdit edit = page.operations().smooth();
        page.store();
        return edit;
    });
}
BENCHMARK(SmoothWholeMapAndStore)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
