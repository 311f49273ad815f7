#include "app/sim_options.h"

#include <charconv>
#include <string_view>

namespace quorvel::sim {
namespace {

std::optional<int> parseNumber(const std::string& text, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// The numeric fault options that only set one field of the plan.
struct CountOption {
    std::string_view name;
    int low;
    int high;
    void (*apply)(FaultPlan&, int);
};

constexpr CountOption kCountOptions[] = {
    {"--noise-every", 1, 1000000, [](FaultPlan& f, int n) { f.noiseEveryNth = n; }},
    {"--noise-bytes", 1, 1000, [](FaultPlan& f, int n) { f.noiseBytes = n; }},
    {"--dropout-after", 1, 1000000, [](FaultPlan& f, int n) { f.dropoutAfter = n; }},
    {"--dropout-ms", 0, 600000, [](FaultPlan& f, int n) { f.dropoutFor = std::chrono::milliseconds(n); }},
    {"--unplug-after", 1, 1000000, [](FaultPlan& f, int n) { f.unplugAfter = n; }},
    {"--unplug-ms", 0, 600000, [](FaultPlan& f, int n) { f.unplugFor = std::chrono::milliseconds(n); }},
};

const CountOption* countOption(std::string_view name)
{
    for (const CountOption& option : kCountOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

} // namespace

std::string simUsage()
{
    return "Usage: quorvel-sim [options]\n"
           "A virtual engine control unit on a pseudo-terminal. It prints the device path to open\n"
           "(quorvel --port PATH) and answers Read, Verify, Program and monitor requests as the\n"
           "unit does, with live data from a small engine model whose lambda sensor answers to\n"
           "the maps.\n"
           "\n"
           "Options:\n"
           "  --line-timing       send replies at the pace of a 57600 baud line (26.4 ms a frame)\n"
           "  --link PATH         also make PATH a symbolic link to the device (PATH must not exist,\n"
           "                      or be such a link left by an earlier run); removed on exit\n"
           "  --replay LOG.csv    answer monitor requests with the frames of a recorded log, in\n"
           "                      their recorded timing from the first request on\n"
           "  --silent            never answer\n"
           "  --corrupt-every N   give every N-th reply a wrong checksum\n"
           "  --delay-ms N        answer N milliseconds late (0..10000)\n"
           "  --version N         report unit program version N instead of 71\n"
           "  --differ-block B    answer for block B (1..19) with contents that differ\n"
           "  --noise-every N     put bytes of line noise before every N-th reply\n"
           "  --noise-bytes N     how many bytes of noise (1..1000, default 5)\n"
           "  --dropout-after N   after N replies stop answering for a while (a brown-out) ...\n"
           "  --dropout-ms T      ... of T milliseconds, then answer again\n"
           "  --unplug-after N    after N replies remove the device as if unplugged ...\n"
           "  --unplug-ms T       ... for T milliseconds, then plug it in again (needs --link)\n"
           "  --help              show this text\n"
           "\n"
           "The engine:\n" +
           engineOptionsUsage();
}

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args, std::string& error)
{
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](int low, int high) -> std::optional<int> {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            const auto number = parseNumber(args[++i], low, high);
            if (!number)
                error = arg + " takes a number from " + std::to_string(low) + " to " + std::to_string(high);
            return number;
        };

        const OptionTaken engine = takeEngineOption(args, i, options.engine, error);
        if (engine == OptionTaken::Bad)
            return std::nullopt;
        if (engine == OptionTaken::Taken)
            continue;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--line-timing") {
            options.lineTiming = true;
        } else if (arg == "--replay") {
            if (i + 1 >= args.size()) {
                error = "--replay needs a log file";
                return std::nullopt;
            }
            options.replayPath = args[++i];
        } else if (arg == "--silent") {
            options.faults.silent = true;
        } else if (arg == "--link") {
            if (i + 1 >= args.size()) {
                error = "--link needs a path";
                return std::nullopt;
            }
            options.linkPath = args[++i];
        } else if (arg == "--corrupt-every") {
            const auto n = value(1, 1000000);
            if (!n)
                return std::nullopt;
            options.faults.corruptEveryNth = *n;
        } else if (arg == "--delay-ms") {
            const auto n = value(0, 10000);
            if (!n)
                return std::nullopt;
            options.faults.replyDelay = std::chrono::milliseconds(*n);
        } else if (arg == "--version") {
            const auto n = value(0, 255);
            if (!n)
                return std::nullopt;
            options.faults.version = static_cast<std::uint8_t>(*n);
        } else if (arg == "--differ-block") {
            const auto n = value(1, 19);
            if (!n)
                return std::nullopt;
            options.faults.differingBlock = *n;
        } else if (const auto count = countOption(arg)) {
            const auto n = value(count->low, count->high);
            if (!n)
                return std::nullopt;
            count->apply(options.faults, *n);
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (auto conflict = engineOptionsConflict(options.engine)) {
        error = std::move(*conflict);
        return std::nullopt;
    }
    if (options.faults.unplugAfter > 0 && options.linkPath.empty()) {
        error = "--unplug-after needs --link: the device path changes when it is plugged in again";
        return std::nullopt;
    }
    return options;
}

} // namespace quorvel::sim
