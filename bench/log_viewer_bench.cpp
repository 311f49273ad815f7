// The log viewer offscreen with an hour of fast logging (about 65,000 rows): opening it up to the
// charts drawn, a redraw after a wheel zoom and after a drag, and the viewer's share of a
// playback tick at 8x.
//
// Before the benchmarks run, the figures bench/run puts in its table are printed as lines
// "FIGURE name value unit target".
#include "bench_figures.h"
#include "core/user_messages.h"
#include "log/datalog_writer.h"
#include "sim/virtual_unit.h"
#include "ui/log/log_chart_view.h"
#include "ui/log/log_viewer.h"

#include <QApplication>
#include <QComboBox>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

using quorvel::bench::printFigure;
using quorvel::bench::residentKilobytes;
using quorvel::bench::threadCpuTime;

using namespace quorvel;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int kHourOfFastLogging = 65'000;
constexpr int kViewerWidth = 1400;
constexpr int kViewerHeight = 800;

class SilentMessages final : public UserMessages {
public:
    void showMessage(std::string_view /*text*/) override {}
};

const fs::path& scratch()
{
    static const fs::path dir = fs::temp_directory_path() / ("quorvel-log-viewer-bench-" + std::to_string(::getpid()));
    return dir;
}

// An hour of the virtual unit's engine, 55 ms a row, written as the recorder writes it.
const fs::path& hourLog()
{
    static const fs::path file = [] {
        const fs::path path = scratch() / "hour.csv";
        sim::VirtualUnit unit;
        DatalogWriter writer;
        (void)writer.open(path);
        LinkFrame frame{};
        for (int row = 0; row < kHourOfFastLogging; ++row) {
            unit.advance(55ms);
            unit.receive(buildMonitorRequest());
            const auto bytes = unit.takeTransmitted();
            std::copy_n(bytes.begin(), frame.size(), frame.begin());
            writer.record(static_cast<std::uint32_t>(55 * row), frame, {2, 3, 4});
            if (row % 1000 == 999)
                (void)writer.write();
        }
        (void)writer.close();
        return path;
    }();
    return file;
}

class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int count = 0;
};

// A viewer as the user has it: shown, with engine speed, throttle and lambda ticked.
struct ShownViewer {
    ShownViewer()
    {
        viewer.chartView().viewport()->installEventFilter(&paints);
        viewer.resize(kViewerWidth, kViewerHeight);
        viewer.show();
        QApplication::processEvents();
    }
    // Opens the hour and waits until its charts are painted.
    void openAndDraw()
    {
        (void)viewer.open(hourLog());
        paint();
    }
    // The chart paints on the event loop, as on screen; a gesture whose paint did not happen
    // would measure nothing, so the paints are counted.
    void paint()
    {
        const int before = paints.count;
        QApplication::processEvents();
        if (paints.count == before)
            std::cerr << "the chart was not painted\n";
    }
    // One notch of the wheel over the middle of the plot; out again after `notches` in.
    void wheel(int notches) const
    {
        QWidget& chart = *viewer.chartView().viewport();
        const QPoint at = viewer.chartView().plotRect().center().toPoint();
        QWheelEvent event(at, chart.mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &event);
    }
    void drag(int pixels) const
    {
        QWidget& chart = *viewer.chartView().viewport();
        const QPoint from = viewer.chartView().plotRect().center().toPoint();
        const QPoint to = from + QPoint(pixels, 0);
        QMouseEvent press(QEvent::MouseButtonPress, from, chart.mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, to, chart.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, to, chart.mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&chart, &press);
        QApplication::sendEvent(&chart, &move);
        QApplication::sendEvent(&chart, &release);
    }

    SilentMessages messages;
    PaintCounter paints;
    LogViewer viewer{Language::English, messages, {}};
};

// Wall time, which the user waits, and the CPU time of this thread, which other programs on a
// busy machine do not inflate; in milliseconds.
struct Spent {
    double wall = 0.0;
    double cpu = 0.0;
};

template <typename Work> Spent spentOn(Work&& work)
{
    const auto wallBefore = std::chrono::steady_clock::now();
    const auto cpuBefore = threadCpuTime();
    work();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallBefore).count(),
            std::chrono::duration<double, std::milli>(threadCpuTime() - cpuBefore).count()};
}

// The mean of `rounds` redraws, each a gesture and the paint it causes.
template <typename Gesture> Spent meanRedraw(ShownViewer& shown, int rounds, Gesture&& gesture)
{
    Spent total;
    for (int round = 0; round < rounds; ++round) {
        const Spent one = spentOn([&] {
            gesture(round);
            shown.paint();
        });
        total.wall += one.wall / rounds;
        total.cpu += one.cpu / rounds;
    }
    return total;
}

void printSpent(const std::string& name, Spent spent, const char* target)
{
    printFigure(name.c_str(), spent.wall, "ms", target);
    printFigure((name + "_cpu").c_str(), spent.cpu, "ms", target);
}

void printFigures()
{
    (void)hourLog(); // written before anything is measured
    ShownViewer shown;
    const long before = residentKilobytes().value_or(0);
    const Spent opened = spentOn([&] { shown.openAndDraw(); });
    const long after = residentKilobytes().value_or(0);
    if (shown.viewer.log() == nullptr || shown.viewer.log()->rowCount() != kHourOfFastLogging) {
        std::cerr << "the hour log did not open whole\n";
        return;
    }
    printSpent("log_viewer_open_and_draw_65000_rows", opened, "<_1000_ms");
    printFigure("log_viewer_resident_growth", static_cast<double>(after - before) / 1024.0, "MB", "<_100_MB");
    printSpent("log_viewer_redraw_after_zoom",
               meanRedraw(shown, 40, [&](int round) { shown.wheel(round % 2 == 0 ? 3 : -3); }), "<_50_ms");
    printSpent("log_viewer_cursor_move",
               meanRedraw(shown, 40, [&](int round) { shown.viewer.moveTo(55'000.0 * round); }), "-");
    shown.wheel(10);
    printSpent("log_viewer_redraw_after_pan",
               meanRedraw(shown, 40, [&](int round) { shown.drag(round % 2 == 0 ? -40 : 40); }), "<_50_ms");
}

void OpenAndDrawAnHour(benchmark::State& state)
{
    for (auto _ : state) {
        ShownViewer shown;
        shown.openAndDraw();
        benchmark::DoNotOptimize(shown.viewer.log());
    }
}
BENCHMARK(OpenAndDrawAnHour)->Unit(benchmark::kMillisecond)->Iterations(5);

// Argument 0: zoomed out to the whole hour and back; 1: ten notches in, the drag of a pan.
void RedrawAfterGesture(benchmark::State& state)
{
    ShownViewer shown;
    shown.openAndDraw();
    if (state.range(0) == 1)
        shown.wheel(10);
    int round = 0;
    for (auto _ : state) {
        if (state.range(0) == 0)
            shown.wheel(round++ % 2 == 0 ? 3 : -3);
        else
            shown.drag(round++ % 2 == 0 ? -40 : 40);
        shown.paint();
    }
}
BENCHMARK(RedrawAfterGesture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A tick of playback at 8x: the row handed to the monitor (here a sink that takes it), the
// cursor, the values and, now and then, the page turned.
void PlaybackTickAtEightTimes(benchmark::State& state)
{
    ShownViewer shown;
    shown.openAndDraw();
    shown.wheel(10);
    std::size_t handed = 0;
    shown.viewer.setFrameHandler([&](FrameBytes) { ++handed; });
    shown.viewer.findChild<QComboBox*>("ComboBoxLogSpeed")->setCurrentIndex(4);
    shown.viewer.play();
    for (auto _ : state) {
        if (!shown.viewer.playing())
            shown.viewer.play();
        shown.viewer.tick(55ms);
        QApplication::processEvents();
    }
    benchmark::DoNotOptimize(handed);
}
BENCHMARK(PlaybackTickAtEightTimes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    fs::create_directories(scratch());
    printFigures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(scratch(), ignored);
    return 0;
}
