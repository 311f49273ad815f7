#include "ui/shell/start_options.h"

#include "core/image_constants.h"
#include "texts/language_word.h"

namespace quorvel {

std::optional<StartOptions> parseStartOptions(std::span<const std::string> arguments, std::string& error)
{
    StartOptions options;
    if (!arguments.empty())
        options.language = languageFromCommandWord(arguments.front());
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        const auto value = [&]() -> const std::string* {
            if (at + 1 >= arguments.size()) {
                error = word + " needs a value";
                return nullptr;
            }
            return &arguments[++at];
        };
        const sim::OptionTaken engine = sim::takeEngineOption(arguments, at, options.engine, error);
        if (engine == sim::OptionTaken::Bad)
            return std::nullopt;
        if (engine == sim::OptionTaken::Taken)
            continue;
        if (word == "--help" || word == "-h") {
            options.help = true;
        } else if (word == "--version") {
            options.version = true;
        } else if (word == "--check-views") {
            options.checkViews = true;
        } else if (word == "--simulate") {
            options.simulate = true;
        } else if (word == "--port") {
            const std::string* device = value();
            if (device == nullptr)
                return std::nullopt;
            options.portDevice = *device;
        } else if (word == "--config-dir") {
            const std::string* directory = value();
            if (directory == nullptr)
                return std::nullopt;
            options.configDirectory = *directory;
        } else if (word.starts_with("-")) {
            options.warnings.push_back("unknown option " + word + " ignored");
        } else if (languageFromCommandWord(word)) {
            // The language word counts only in the first place; nowhere is it a file.
        } else if (options.parameterFile.empty()) {
            options.parameterFile = word;
        } else {
            options.warnings.push_back("one file opens at a time: " + word + " ignored");
        }
    }
    if (options.simulate && !options.portDevice.empty()) {
        error = "--port and --simulate exclude each other";
        return std::nullopt;
    }
    if (!options.simulate && options.engine != sim::EngineOptions{}) {
        error = "--fuel-demand, --ride and --hold-ms need --simulate: they run the virtual unit's engine";
        return std::nullopt;
    }
    if (auto conflict = sim::engineOptionsConflict(options.engine)) {
        error = std::move(*conflict);
        return std::nullopt;
    }
    return options;
}

bool onlyPrints(const StartOptions& options)
{
    return options.help || options.version;
}

std::string startUsage()
{
    return "Usage: quorvel [ENGLISH|DEUTSCH|FRENCH|CESKY] [options] [FILE.ign]\n"
           "Configures the engine control unit over a serial line.\n"
           "\n"
           "  ENGLISH, DEUTSCH, FRENCH, CESKY\n"
           "                     as the first argument: the language, over the stored one\n"
           "  FILE.ign           open this parameter file once the window is up\n"
           "  --port DEVICE      talk to the unit on this serial device (a USB adapter, a pty)\n"
           "  --simulate         talk to the built-in virtual unit; no hardware needed\n"
           "                     (also Com > Virtual unit in the window)\n"
           "  --config-dir DIR   keep the settings and the last image in DIR\n"
           "                     (default: $XDG_CONFIG_HOME, else ~/.config)\n"
           "  --check-views      load the module of the 3D view, the curves and the log\n"
           "                     viewer, say where it is, and end (1: missing or broken)\n"
           "  --version          show the version of the program\n"
           "  --help             show this text\n"
           "\n"
           "The virtual unit's engine (with --simulate):\n" +
           sim::engineOptionsUsage();
}

std::string versionText()
{
    return "quorvel " QUORVEL_VERSION " (unit program version " + std::to_string(kProgramVersion) + ")";
}

} // namespace quorvel
