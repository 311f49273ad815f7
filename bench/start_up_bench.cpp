// The desktop program's start measured from outside, against a bare Qt window started the same
// way in the same run: the time from the start of the process until the X server maps its window,
// and the resident memory 5 s later (the program runs on its virtual unit meanwhile). The bare
// window, the program on its first page (Monitor) and the program whose settings restore the Bike
// page (its controls made before the first show) start in turn, 11 times each; the medians and
// their ratios are printed.
//
//   start_up_bench [QUORVEL BARE_WINDOW]   under an X display, else it runs itself under xvfb-run
#include "bench_figures.h"

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kStarts = 11;
constexpr auto kSettle = std::chrono::seconds(5);
constexpr auto kLongestStart = std::chrono::seconds(30);
// Where the program keeps its settings in its settings folder, and the line that restores the
// Bike page (page 0).
constexpr const char* kSettingsFile = "Quorvel_2007_v71ini";
const std::string kBikePageSetting = "PageControl1->ActivePageIndex=0";

struct Start {
    double visibleMs = 0;
    double residentMb = 0;
};

// Told of every window mapped on the screen, as a window manager is.
class MapWatch {
public:
    MapWatch()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection) != 0)
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~MapWatch() { xcb_disconnect(m_connection); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    [[nodiscard]] bool works() const { return xcb_connection_has_error(m_connection) == 0; }

    void forget()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // The moment a top-level window was mapped, or none before `deadline`.
    std::optional<Clock::time_point> nextMap(Clock::time_point deadline)
    {
        pollfd watched{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                                    reinterpret_cast<xcb_map_notify_event_t*>(event)->event == m_root;
                std::free(event);
                if (mapped)
                    return Clock::now();
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            (void)poll(&watched, 1, static_cast<int>(std::max<long long>(1, left.count())));
        }
        return std::nullopt;
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
};

std::optional<Start> startOnce(MapWatch& watch, std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    watch.forget();
    pid_t child = 0;
    const Clock::time_point started = Clock::now();
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return std::nullopt;
    const std::optional<Clock::time_point> mapped = watch.nextMap(started + kLongestStart);
    std::optional<Start> result;
    if (mapped) {
        std::this_thread::sleep_for(kSettle);
        const auto kilobytes = quorvel::bench::residentKilobytes("/proc/" + std::to_string(child) + "/status");
        if (kilobytes)
            result = Start{std::chrono::duration<double, std::milli>(*mapped - started).count(), *kilobytes / 1024.0};
    }
    kill(child, SIGTERM); // the program closes as File > Exit does
    int status = 0;
    waitpid(child, &status, 0);
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The starts of one program.
class Series {
public:
    void add(const Start& start)
    {
        m_visibleMs.push_back(start.visibleMs);
        m_residentMb.push_back(start.residentMb);
    }
    [[nodiscard]] double visible() const { return median(m_visibleMs); }
    [[nodiscard]] double resident() const { return median(m_residentMb); }

private:
    std::vector<double> m_visibleMs;
    std::vector<double> m_residentMb;
};

bool fileHolds(const std::filesystem::path& file, const std::string& line)
{
    std::ifstream in(file);
    std::string read;
    while (std::getline(in, read)) {
        if (read.starts_with(line))
            return true;
    }
    return false;
}

int runUnderXvfb(char** argv)
{
    std::cerr << "start_up_bench: no X display; running under xvfb-run\n";
    std::vector<std::string> words{"xvfb-run", "-a", "-s", "-screen 0 1400x1000x24", argv[0]};
    for (char** more = argv + 1; *more != nullptr; ++more)
        words.emplace_back(*more);
    std::vector<char*> args;
    for (std::string& word : words)
        args.push_back(word.data());
    args.push_back(nullptr);
    execvp("xvfb-run", args.data());
    std::cerr << "start_up_bench: xvfb-run is not installed\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("DISPLAY") == nullptr)
        return runUnderXvfb(argv);
    const std::string quorvel = argc > 2 ? argv[1] : QUORVEL_PROGRAM;
    const std::string bareWindow = argc > 2 ? argv[2] : QUORVEL_BARE_WINDOW;
    // Both on the X display, whatever the caller's platform; settings folders of this run alone.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("start_up_bench." + std::to_string(getpid()));
    const std::filesystem::path monitorConfig = folder / "monitor";
    const std::filesystem::path bikeConfig = folder / "bike";
    std::filesystem::create_directories(monitorConfig);
    std::filesystem::create_directories(bikeConfig);
    // The program keeps the page it showed last; each close stores it again.
    std::ofstream(bikeConfig / kSettingsFile) << "[BASIC]\r\n" << kBikePageSetting << "\r\n";

    MapWatch watch;
    if (!watch.works()) {
        std::cerr << "start_up_bench: cannot watch the X display\n";
        return 1;
    }
    Series bare, monitor, bike;
    for (int round = 0; round < kStarts; ++round) {
        const auto bareStart = startOnce(watch, {bareWindow});
        const auto monitorStart = startOnce(watch, {quorvel, "--simulate", "--config-dir", monitorConfig.string()});
        const auto bikeStart = startOnce(watch, {quorvel, "--simulate", "--config-dir", bikeConfig.string()});
        if (!bareStart || !monitorStart || !bikeStart) {
            std::cerr << "start_up_bench: a window did not appear within " << kLongestStart.count() << " s\n";
            return 1;
        }
        bare.add(*bareStart);
        monitor.add(*monitorStart);
        bike.add(*bikeStart);
        std::cerr << "round " << round + 1 << ": bare " << bareStart->visibleMs << " ms, quorvel "
                  << monitorStart->visibleMs << " ms, on the Bike page " << bikeStart->visibleMs << " ms\n";
    }
    const bool bikeKept = fileHolds(bikeConfig / kSettingsFile, kBikePageSetting);
    std::filesystem::remove_all(folder);
    if (!bikeKept) {
        std::cerr
            << "start_up_bench: the settings no longer restore the Bike page; its figures would be the Monitor's\n";
        return 1;
    }

    std::cout << "medians of " << kStarts << " starts each:\n"
              << "  bare Qt window:          visible after " << bare.visible() << " ms, " << bare.resident()
              << " MB resident\n"
              << "  quorvel --simulate:      visible after " << monitor.visible() << " ms, " << monitor.resident()
              << " MB resident\n"
              << "  the same, on Bike page:  visible after " << bike.visible() << " ms\n";
    using quorvel::bench::printFigure;
    printFigure("start-up_visible_(bare_window)", bare.visible(), "ms", "-", 1);
    printFigure("start-up_visible_(quorvel)", monitor.visible(), "ms", "-", 1);
    printFigure("start-up_ratio_to_bare", monitor.visible() / bare.visible(), "x", "<=_2.5_x", 2);
    printFigure("start-up_ratio_to_bare,_Bike_page_restored", bike.visible() / bare.visible(), "x", "<=_2.5_x", 2);
    printFigure("resident_memory_(bare_window)", bare.resident(), "MB", "-", 1);
    printFigure("resident_memory", monitor.resident(), "MB", "<_80_MB", 1);
    printFigure("resident_memory_over_bare", monitor.resident() - bare.resident(), "MB", "<=_25_MB", 1);
    return 0;
}
