#pragma once

#include "core/message_texts.h"
#include "sim/engine_options.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvel {

// What the command line of the desktop program asks for.
struct StartOptions {
    std::optional<Language> language; // the first argument, when it is a language word
    std::string portDevice;           // --port: this device instead of the COM menu's choice
    bool simulate = false;            // --simulate: the built-in virtual unit
    sim::EngineOptions engine;        // how the virtual unit's engine runs
    bool help = false;
    bool version = false;
    bool checkViews = false;               // --check-views: load the views module, say where it is, and end
    std::filesystem::path configDirectory; // --config-dir; empty for the user's default
    std::filesystem::path parameterFile;   // a file named on the command line, opened at start
    std::vector<std::string> warnings;     // what the program ignores, and why
};

// None, with the reason in `error`, for an option without its value or options that exclude
// each other. Options the program does not know are ignored with a warning. The first other word
// names a parameter file to open (as a file manager hands one over); further files are ignored
// with a warning, and a language word in any place but the first is ignored.
[[nodiscard]] std::optional<StartOptions> parseStartOptions(std::span<const std::string> arguments, std::string& error);
// True when the options only ask for a text (--help, --version): it is printed without a window,
// so it needs no display.
[[nodiscard]] bool onlyPrints(const StartOptions& options);
[[nodiscard]] std::string startUsage();
// "quorvel 0.71 (unit program version 71)"
[[nodiscard]] std::string versionText();

} // namespace quorvel
