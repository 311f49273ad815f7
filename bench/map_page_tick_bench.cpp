// One tick of the desktop program on the Inj-1A page offscreen, with the engine of the
// simulated unit running and the live cell moving: the link, the monitor labels, the live marks
// on the shared map grid and the repaint they ask for. Prints a FIGURE line for bench/run.
#include "core/page_index.h"
#include "serial/fake_serial_line.h"
#include "ui/pages/page_control.h"
#include "ui/shell/main_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include "ui/files/silent_dialogs.h"
#include <ctime>

#include <filesystem>
#include <iostream>

namespace {

using namespace quorvel;

double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Inj1AWindow {
    Inj1AWindow()
    {
        const auto directory = std::filesystem::temp_directory_path() / "quorvel-map-page-bench";
        std::filesystem::create_directories(directory);
        auto fake = std::make_unique<test::FakeSerialLine>();
        line = fake.get();
        line->attachUnit(unit);
        WindowServices services;
        services.line = std::move(fake);
        services.naming = std::make_unique<test::FakePortNaming>();
        services.dialogs = std::make_unique<SilentDialogs>();
        services.configDirectory = directory;
        services.runTimer = false;
        unit.advance(std::chrono::seconds(6));
        window = std::make_unique<TFormHlav>(std::move(services));
        window->show();
        window->findChild<PageControl*>("PageControl1")->setCurrentIndex(kPageInj1A);
        for (int warmUp = 0; warmUp < 40; ++warmUp)
            tick();
    }

    // What Timer1 does every 55 ms, and the repaint it leaves for the event loop.
    void tick()
    {
        line->advanceUnit(std::chrono::milliseconds(TFormHlav::kTickMilliseconds));
        window->tick();
        QApplication::processEvents();
    }

    sim::VirtualUnit unit;
    test::FakeSerialLine* line = nullptr;
    std::unique_ptr<TFormHlav> window;
};

void TickOnInj1AWithEngineRunning(benchmark::State& state)
{
    Inj1AWindow rig;
    for (auto _ : state)
        rig.tick();
}
BENCHMARK(TickOnInj1AWithEngineRunning)->Unit(benchmark::kMicrosecond);

// CPU time per tick over a run of the engine's throttle cycle.
void printFigure()
{
    Inj1AWindow rig;
    constexpr int kTicks = 400;
    const double start = cpuMilliseconds();
    for (int tick = 0; tick < kTicks; ++tick)
        rig.tick();
    const double perTick = (cpuMilliseconds() - start) / kTicks;
    std::cout << "FIGURE GUI_tick_Inj-1A " << perTick << " ms <1_ms\n";
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printFigure();
    return 0;
}
