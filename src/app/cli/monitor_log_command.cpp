#include "app/cli/monitor_log_command.h"

#include "app/cli/cli.h"
#include "app/cli/cli_link.h"
#include "app/cli/command_support.h"
#include "core/link_only_monitor.h"
#include "core/text_format.h"
#include "log/datalog_recorder.h"
#include "model/bike_defaults.h"
#include "model/map_layout.h"
#include "texts/datalog_texts.h"

#include <atomic>
#include <csignal>
#include <filesystem>

namespace quorvel::cli {
namespace {

constexpr int kStartBike = 11;

std::atomic<bool> g_interrupted{false};

void interrupt(int)
{
    g_interrupted = true;
}

// Ctrl+C and SIGTERM end the recording cleanly, with every row on disk, while the object lives.
class InterruptCatcher {
public:
    InterruptCatcher()
        : m_int(std::signal(SIGINT, interrupt))
        , m_term(std::signal(SIGTERM, interrupt))
    {
        g_interrupted = false;
    }
    ~InterruptCatcher()
    {
        std::signal(SIGINT, m_int);
        std::signal(SIGTERM, m_term);
    }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    void (*m_int)(int);
    void (*m_term)(int);
};

std::string message(DatalogMessage text, const std::string& detail)
{
    return formatText(DatalogTexts::message(text, Language::English), detail.c_str());
}

} // namespace

int recordMonitorLog(const Arguments& args, std::ostream& out, std::ostream& err)
{
    const auto device = args.option("--port");
    const auto csv = args.option("--csv");
    bool bad = false;
    const auto seconds = numberOption(args.option("--seconds"), 1, bad);
    const auto frames = numberOption(args.option("--frames"), 1, bad);
    const MapLayout* map = MapTable::byName(args.option("--map").value_or("JET_1A"));
    if (!device || !csv || bad || args.positional().size() != 1)
        return usageError(err, "monitor --csv needs --port DEV --csv OUT.csv [--seconds N] [--frames N]");
    if (map == nullptr)
        return usageError(err, "no map named " + args.option("--map").value_or(""));

    ParamImage image;
    InjectionTables tables;
    image.setByte(150, kStartBike);
    applyDefaults(image, tables, DefaultsRun{});
    if (const auto file = args.option("--file")) {
        if (const auto failed = loadParameters(*file, image, tables, err))
            return *failed;
    }

    LinkOnlyMonitor accept;
    DatalogRecorder recorder(accept, image);
    recorder.setActivePage(map->page);
    if (const auto failed = recorder.start(*csv)) {
        err << message(DatalogMessage::CannotCreateLog, *failed) << '\n';
        return kExitBadInput;
    }

    const InterruptCatcher catcher;
    std::optional<std::string> writeFailure;
    const bool opened = runMonitorLink(
        *device, image, recorder, args.flag("--fast"),
        [&](const LinkSession&) {
            if ((writeFailure = recorder.writeIfDue()))
                return true;
            return g_interrupted.load() || (seconds && recorder.elapsed() >= std::chrono::seconds(*seconds)) ||
                   (frames && recorder.rows() >= static_cast<std::uint64_t>(*frames));
        },
        err);
    const std::uint64_t rows = recorder.rows();
    if (!writeFailure)
        writeFailure = recorder.stop();
    if (!opened) {
        // Nothing was recorded: no empty log is left behind.
        std::error_code ignored;
        std::filesystem::remove(*csv, ignored);
        return kExitFailed;
    }
    if (writeFailure) {
        err << message(DatalogMessage::CannotWriteLog, *writeFailure) << '\n';
        return kExitFailed;
    }
    out << rows << " rows in " << *csv << '\n';
    return rows > 0 ? kExitOk : kExitFailed;
}

} // namespace quorvel::cli
