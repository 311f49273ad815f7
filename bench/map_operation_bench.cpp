// Time of one selection operation on the whole map of Inj-1A (150 cells) read from the grid
// model, and of the same operation stored as the window stores it: through the tune writer
// (conversion, range, coupling, sanitise and the undo snapshot), then the page filled twice. The
// widgets' refill and repaint come on top of this.
#include "core/page_index.h"
#include "core/sanitise.h"
#include "maps/grid_layout.h"
#include "maps/image_only_host.h"
#include "maps/map_grid_model.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"
#include "maps/tune_writer.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace quorvel;

struct Inj1APage {
    InjectionTables tables;
    ParamImage image;
    ImageOnlyHost host{image};
    TuneWriter writer{image, tables, host};
    MapGridModel grid;
    MapSelection selection;

    Inj1APage()
    {
        image.setByte(150, 11);
        applyDefaults(image, tables, {});
        OutsideSettings settings;
        (void)sanitiseImage(image, settings);
        fill();
        writer.start(kPageInj1A);
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
        std::vector<CellInput> values;
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c)
                values.push_back({{r, c}, 80 + (r * 7 + c * 13 + round) % 41});
        }
        (void)writer.writeCells(MapTable::of(MapId::Jet1A), CellUnit::Shown, values, RangePolicy::Hold);
        fill();
    }

    [[nodiscard]] MapOperations operations() { return {grid, selection}; }

    TuneWrite store(const MapEdit& edit)
    {
        const TuneWrite written =
            writer.writeCells(MapTable::of(MapId::Jet1A), edit.unit, edit.values, RangePolicy::Hold);
        fill();
        fill();
        return written;
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
    onRoughenedMap(state, [](Inj1APage& page) { return page.store(page.operations().smooth()); });
}
BENCHMARK(SmoothWholeMapAndStore)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
