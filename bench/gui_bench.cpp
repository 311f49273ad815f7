// The desktop program offscreen: start-up to the first shown window and first tick, and one
// tick with the Monitor page shown and a fresh monitor frame applied.
#include "serial/fake_serial_line.h"
#include "sim/in_process_line.h"
#include "ui/main_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include "silent_dialogs.h"

#include <filesystem>

namespace {

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
    result.dialogs = std::make_unique<bench::SilentDialogs>();
    result.configDirectory = benchConfig();
    result.runTimer = false;
    return result;
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
        unit.advance(std::chrono::milliseconds(330));
        (void)unit.takeTransmitted();
        unit.receive(buildMonitorRequest());
        unit.advance(std::chrono::milliseconds(1));
        fake.feedReceived(unit.takeTransmitted());
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
