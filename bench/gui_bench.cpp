// The desktop program offscreen: start-up to the first shown window and first tick, and one
// tick with the Monitor page shown and a fresh monitor frame applied.
//
// Before the benchmarks run, the figures bench/run puts in its table are printed as lines
// "FIGURE name value unit target": the cold start-up of this process, the CPU time of one tick
// and the resident memory once the window is up.
#include "bench_figures.h"
#include "core/page_index.h"
#include "serial/fake_serial_line.h"
#include "sim/in_process_line.h"
#include "ui/maps/map_edit_actions.h"
#include "ui/maps/map_pages.h"
#include "ui/shell/main_window.h"

#include <QApplication>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include "ui/files/silent_dialogs.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <limits>
#include <optional>
#include <string>

namespace {

using quorvel::bench::printFigure;
using quorvel::bench::residentKilobytes;
using quorvel::bench::threadCpuTime;

using namespace quorvel;

std::filesystem::path benchConfig()
{
    const auto directory = std::filesystem::temp_directory_path() / "quorvel-gui-bench";
    std::filesystem::create_directories(directory);
    return directory;
}

WindowServices services(std::unique_ptr<SerialLine> line)
{
    WindowServices result;
    result.line = std::move(line);
    result.naming = std::make_unique<test::FakePortNaming>();
    result.dialogs = std::make_unique<SilentDialogs>();
    result.configDirectory = benchConfig();
    result.runTimer = false;
    return result;
}

// Lets the unit answer one monitor request: the frame a tick on the Monitor page takes in.
void feedMonitorFrame(sim::VirtualUnit& unit, test::FakeSerialLine& line)
{
    unit.advance(std::chrono::milliseconds(330));
    (void)unit.takeTransmitted();
    unit.receive(buildMonitorRequest());
    unit.advance(std::chrono::milliseconds(1));
    line.feedReceived(unit.takeTransmitted());
}

// The mean CPU time of one tick that applies a fresh monitor frame, with or without the repaint
// it asks for; the frames are made outside the measured time.
double meanTickMicroseconds(TFormHlav& window, sim::VirtualUnit& unit, test::FakeSerialLine& line, bool repaint)
{
    constexpr int kTicks = 2000;
    std::chrono::nanoseconds spent{0};
    for (int round = 0; round < kTicks; ++round) {
        feedMonitorFrame(unit, line);
        const auto before = threadCpuTime();
        window.tick();
        if (repaint)
            QApplication::processEvents();
        spent += threadCpuTime() - before;
    }
    return std::chrono::duration<double, std::micro>(spent).count() / kTicks;
}

// One operation of the map editing on every cell of Inj-1A (F5 and F4 by turns on a selection
// of the whole map), stored as an edit of the page and repainted: the CPU time per operation.
double meanMapOperationMilliseconds(TFormHlav& window)
{
    constexpr int kOperations = 200;
    auto& pages = *window.findChild<QTabWidget*>("PageControl1");
    pages.setCurrentIndex(kPageInj1A);
    QApplication::processEvents();
    MapPages& maps = window.mapPages();
    maps.editing().run(MapEditCommand::SelectAll);
    std::chrono::nanoseconds spent{0};
    for (int operation = 0; operation < kOperations; ++operation) {
        const auto before = threadCpuTime();
        (void)maps.editing().stepSelection(operation % 2 == 0 ? StepDirection::Up : StepDirection::Down);
        QApplication::processEvents();
        spent += threadCpuTime() - before;
    }
    pages.setCurrentIndex(kPageMonitor);
    return std::chrono::duration<double, std::milli>(spent).count() / kOperations;
}

// The first window of the process, as a user starting the program meets it: the wall time from
// the start of main() to the window shown and its first tick done; then the memory it holds and
// the cost of its ticks on the Monitor page.
void printFigures(std::chrono::steady_clock::time_point mainEntered)
{
    sim::VirtualUnit unit;
    auto line = std::make_unique<test::FakeSerialLine>();
    test::FakeSerialLine& fake = *line;
    TFormHlav window(services(std::move(line)));
    window.show();
    QApplication::processEvents();
    window.tick();
    const std::chrono::duration<double, std::milli> startUp = std::chrono::steady_clock::now() - mainEntered;
    printFigure("start-up", startUp.count(), "ms", "<_300_ms");
    if (const auto kilobytes = residentKilobytes())
        printFigure("resident_memory", static_cast<double>(*kilobytes) / 1024.0, "MB", "<_80_MB");

    (void)meanTickMicroseconds(window, unit, fake, true); // caches and first paints warm
    printFigure("GUI_tick", meanTickMicroseconds(window, unit, fake, false) / 1000.0, "ms", "<_1_ms");
    printFigure("GUI_tick_with_repaint", meanTickMicroseconds(window, unit, fake, true) / 1000.0, "ms", "<_1_ms");
    printFigure("map_operation_150_cells", meanMapOperationMilliseconds(window), "ms", "<_5_ms");
}

void StartUpToFirstShownWindowAndTick(benchmark::State& state)
{
    for (auto _ : state) {
        sim::VirtualUnit unit;
        TFormHlav window(services(std::make_unique<sim::InProcessLine>(unit)));
        window.show();
        QApplication::processEvents();
        window.tick();
        benchmark::DoNotOptimize(window.link().silenceTicks());
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUpToFirstShownWindowAndTick)->Unit(benchmark::kMillisecond)->Iterations(20);

void TickWithMonitorFrameOnMonitorPage(benchmark::State& state)
{
    sim::VirtualUnit unit;
    auto line = std::make_unique<test::FakeSerialLine>();
    test::FakeSerialLine& fake = *line;
    TFormHlav window(services(std::move(line)));
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        // A frame whose values moved since the last one, as every sixth tick brings.
        state.PauseTiming();
        feedMonitorFrame(unit, fake);
        state.ResumeTiming();
        window.tick();
        if (state.range(0) != 0)
            QApplication::processEvents(); // the repaint the tick asked for
    }
}
// Argument 0: the tick alone; 1: the tick and the repaint it causes.
BENCHMARK(TickWithMonitorFrameOnMonitorPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    const auto mainEntered = std::chrono::steady_clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    printFigures(mainEntered);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
