// Time of the headless map-grid work: the live marking of Inj-1A applied to the grid model
// every tick with the live cell moving, and the refill plus view refresh that ends every edit.
#include "core/page_index.h"
#include "core/sanitise.h"
#include "maps/live_marking.h"
#include "maps/map_grid_model.h"
#include "maps/page_view.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"
#include "texts/language_table.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quorvel;

ParamImage startImage(InjectionTables& tables)
{
    ParamImage image;
    image.setByte(150, 11);
    applyDefaults(image, tables, {});
    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    return image;
}

void loadInj1A(MapGridModel& grid, ParamImage& image, InjectionTables& tables, const LanguageTable& texts)
{
    const PageView view = refreshView(image, kPageInj1A, {true}, texts);
    MapPageValues values =
        fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), kPageInj1A);
    grid.load(kPageInj1A, std::move(values), *view.grid, image);
}

void MarkInj1AWithMovingCell(benchmark::State& state)
{
    InjectionTables tables;
    ParamImage image = startImage(tables);
    const LanguageTable texts;
    MapGridModel grid;
    loadInj1A(grid, image, tables, texts);
    LiveMarking marking;
    MonitorSnapshot live;
    live.Rpm = 4000;
    live.UsesTpsMaps = true;
    std::uint16_t tick = 0;
    for (auto _ : state) {
        live.TpsTenths = static_cast<std::uint16_t>(++tick % 2 == 0 ? 150 : 450);
        const GridRepaint repaint = grid.applyMarks(marking.refresh(kPageInj1A, image, live, true));
        benchmark::DoNotOptimize(repaint);
    }
}
BENCHMARK(MarkInj1AWithMovingCell)->Unit(benchmark::kMicrosecond);

void RefillAndViewInj1A(benchmark::State& state)
{
    InjectionTables tables;
    ParamImage image = startImage(tables);
    const LanguageTable texts;
    MapGridModel grid;
    for (auto _ : state) {
        loadInj1A(grid, image, tables, texts);
        benchmark::DoNotOptimize(grid.values());
    }
}
BENCHMARK(RefillAndViewInj1A)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
