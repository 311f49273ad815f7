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
    std::filesystem::path configDirectory; // --config-dir; empty for the user's default
    std::vector<std::string> warnings;     // options the program does not know, ignored
};

// None, with the reason in `error`, for an option without its value or options that exclude
// each other. Options the program does not know are ignored with a warning; other words are
// accepted and ignored, as a language word in any place but the first is.
[[nodiscard]] std::optional<StartOptions> parseStartOptions(std::span<const std::string> arguments, std::string& error);
[[nodiscard]] std::string startUsage();

} // namespace quorvel
