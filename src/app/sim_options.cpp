#include "app/sim_options.h"

#include <charconv>

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

} // namespace

std::string simUsage()
{
    return "Usage: quorvel-sim [options]\n"
           "A virtual engine control unit on a pseudo-terminal. It prints the device path to open\n"
           "(quorvel --port PATH) and answers Read, Verify, Program and monitor requests as the\n"
           "unit does, with live data from a small engine model.\n"
           "\n"
           "Options:\n"
           "  --line-timing       send replies at the pace of a 57600 baud line (26.4 ms a frame)\n"
           "  --link PATH         also make PATH a symbolic link to the device\n"
           "  --silent            never answer\n"
           "  --corrupt-every N   give every N-th reply a wrong checksum\n"
           "  --delay-ms N        answer N milliseconds late (0..10000)\n"
           "  --version N         report unit program version N instead of 71\n"
           "  --differ-block B    answer for block B (1..19) with contents that differ\n"
           "  --help              show this text\n";
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

        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--line-timing") {
            options.lineTiming = true;
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
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return options;
}

} // namespace quorvel::sim
