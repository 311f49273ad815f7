// Costs of datalogs: recording one monitor frame in the tick, writing a second of fast logging
// outside it, opening an hour of fast logging (about 65,000 rows) and the memory it then holds,
// and the cell overlays and suggestions of a map page computed from it.
//
// Before the benchmarks run, the figures bench/run puts in its table are printed as lines
// "FIGURE name value unit target".
#include "bench_figures.h"
#include "core/monitor_sink.h"
#include "log/cell_statistics.h"
#include "log/correction_suggestions.h"
#include "log/datalog_reader.h"
#include "log/datalog_recorder.h"
#include "sim/virtual_unit.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <limits>
#include <optional>
#include <unistd.h>

namespace {

using quorvel::bench::printFigure;
using quorvel::bench::residentKilobytes;
using quorvel::bench::threadCpuTime;

using namespace quorvel;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int kHourOfFastLogging = 65'000;
constexpr int kRowsPerSecond = 18; // one exchange per 55 ms tick

// The window's display sink has its own cost, measured with the monitor tick; here it only
// accepts, so that what is measured is the recording.
class AcceptingSink final : public MonitorSink {
public:
    std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes) override { return 0; }
};

// Frames of the virtual unit's engine, 55 ms apart.
std::vector<LinkFrame> rideFrames(int count)
{
    sim::VirtualUnit unit;
    std::vector<LinkFrame> frames(static_cast<std::size_t>(count));
    for (LinkFrame& frame : frames) {
        unit.advance(55ms);
        unit.receive(buildMonitorRequest());
        const auto bytes = unit.takeTransmitted();
        std::copy_n(bytes.begin(), frame.size(), frame.begin());
    }
    return frames;
}

// A recorder on a file of its own, with a clock that moves one tick per frame.
struct Recording {
    explicit Recording(const fs::path& file)
    {
        fs::remove(file);
        (void)recorder.start(file);
    }
    std::chrono::milliseconds now{0};
    ParamImage image = [] {
        sim::VirtualUnit unit;
        return unit.memory();
    }();
    AcceptingSink display;
    DatalogRecorder recorder{display, image, [this] { return now; }};
};

const fs::path& scratch()
{
    static const fs::path dir = fs::temp_directory_path() / ("quorvel-datalog-bench-" + std::to_string(::getpid()));
    return dir;
}

const std::vector<LinkFrame>& hourOfFrames()
{
    static const std::vector<LinkFrame> frames = rideFrames(kHourOfFastLogging);
    return frames;
}

// An hour of fast logging on disk, written as the window writes it.
fs::path hourLog()
{
    const fs::path file = scratch() / "hour.csv";
    if (fs::exists(file))
        return file;
    Recording recording(file);
    for (const LinkFrame& frame : hourOfFrames()) {
        recording.now += 55ms;
        (void)recording.recorder.decodeMonitorFrame(frame);
        (void)recording.recorder.writeIfDue();
    }
    (void)recording.recorder.stop();
    return file;
}

void printFigures()
{
    const std::vector<LinkFrame>& frames = hourOfFrames();
    Recording recording(scratch() / "figures.csv");
    std::chrono::nanoseconds recordTime{0};
    std::chrono::nanoseconds writeTime{0};
    int writes = 0;
    std::chrono::milliseconds lastWrite = recording.now;
    for (const LinkFrame& frame : frames) {
        recording.now += 55ms;
        auto before = threadCpuTime();
        (void)recording.recorder.decodeMonitorFrame(frame);
        recordTime += threadCpuTime() - before;
        const bool due = recording.now - lastWrite >= DatalogRecorder::kWriteInterval;
        before = threadCpuTime();
        (void)recording.recorder.writeIfDue();
        if (due) {
            writeTime += threadCpuTime() - before;
            lastWrite = recording.now;
            ++writes;
        }
    }
    printFigure("datalog_record_per_frame",
                std::chrono::duration<double, std::micro>(recordTime).count() / static_cast<double>(frames.size()),
                "us", "<_100_us_(in_the_tick)");
    printFigure("datalog_write_per_second", std::chrono::duration<double, std::milli>(writeTime).count() / writes, "ms",
                "outside_the_tick");

    const fs::path file = hourLog();
    const long before = residentKilobytes().value_or(0);
    const auto started = std::chrono::steady_clock::now();
    const DatalogRead read = readDatalog(file);
    const std::chrono::duration<double> opened = std::chrono::steady_clock::now() - started;
    const long after = residentKilobytes().value_or(0);
    if (!read.log || read.log->rowCount() != static_cast<std::size_t>(kHourOfFastLogging)) {
        std::cerr << "the hour log did not open whole\n";
        return;
    }
    printFigure("datalog_open_65000_rows", opened.count(), "s", "<_1_s");
    printFigure("datalog_memory_65000_rows", static_cast<double>(read.log->memoryBytes()) / 1e6, "MB", "<_100_MB");
    printFigure("datalog_open_resident_growth", static_cast<double>(after - before) / 1024.0, "MB", "<_100_MB");
    printFigure("datalog_file_65000_rows", static_cast<double>(fs::file_size(file)) / 1e6, "MB", "-");

    const auto cellsStarted = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(cellStatistics(*read.log, recording.image, MapId::Jet1A));
    const std::chrono::duration<double, std::milli> cells = std::chrono::steady_clock::now() - cellsStarted;
    printFigure("datalog_cell_overlay_65000_rows", cells.count(), "ms", "-");
}

void RecordOneFrameInTheTick(benchmark::State& state)
{
    const std::vector<LinkFrame> frames = rideFrames(kRowsPerSecond * 10);
    Recording recording(scratch() / "record.csv");
    std::size_t i = 0;
    for (auto _ : state) {
        recording.now += 55ms;
        benchmark::DoNotOptimize(recording.recorder.decodeMonitorFrame(frames[i++ % frames.size()]));
        if (i % kRowsPerSecond == 0) {
            state.PauseTiming();
            (void)recording.recorder.writeIfDue();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(RecordOneFrameInTheTick)->Unit(benchmark::kMicrosecond);

void WriteOneSecondOfFastLogging(benchmark::State& state)
{
    const std::vector<LinkFrame> frames = rideFrames(kRowsPerSecond);
    Recording recording(scratch() / "write.csv");
    for (auto _ : state) {
        state.PauseTiming();
        for (const LinkFrame& frame : frames) {
            recording.now += 55ms;
            (void)recording.recorder.decodeMonitorFrame(frame);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(recording.recorder.writeIfDue());
    }
}
BENCHMARK(WriteOneSecondOfFastLogging)->Unit(benchmark::kMicrosecond);

void OpenAnHourOfFastLogging(benchmark::State& state)
{
    const fs::path file = hourLog();
    for (auto _ : state) {
        DatalogRead read = readDatalog(file);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(OpenAnHourOfFastLogging)->Unit(benchmark::kMillisecond);

void CellOverlayOfAnHour(benchmark::State& state)
{
    const DatalogRead read = readDatalog(hourLog());
    const ParamImage image = sim::VirtualUnit().memory();
    for (auto _ : state)
        benchmark::DoNotOptimize(cellStatistics(*read.log, image, MapId::Jet1A));
}
BENCHMARK(CellOverlayOfAnHour)->Unit(benchmark::kMillisecond);

void SuggestionsOfAnHour(benchmark::State& state)
{
    const DatalogRead read = readDatalog(hourLog());
    const ParamImage image = sim::VirtualUnit().memory();
    for (auto _ : state)
        benchmark::DoNotOptimize(suggestCorrections(*read.log, image, MapId::Jet1A, {}));
}
BENCHMARK(SuggestionsOfAnHour)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    fs::create_directories(scratch());
    printFigures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(scratch(), ignored);
    return 0;
}
