#pragma once

#include "core/message_texts.h"
#include "core/port_naming.h"
#include "core/serial_line.h"
#include "ui/files/dialogs.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace quorvel {

// What the main window is given from outside: the line to the unit and the port naming, the
// dialogs, where the settings live, and what the command line asked for. Tests give fakes and
// drive the ticks themselves.
struct WindowServices {
    std::unique_ptr<SerialLine> line;
    std::unique_ptr<PortNaming> naming;
    std::unique_ptr<Dialogs> dialogs;
    std::filesystem::path configDirectory;       // settings, last image, test marker
    std::filesystem::path dataDirectory;         // backups and logs; empty: the user's data directory
    std::optional<Language> commandLineLanguage; // over the stored language
    std::string portDevice;                      // opened instead of the COM menu's choice
    std::filesystem::path parameterFile;         // opened once the window is up
    bool runTimer = true;                        // Timer1 drives the ticks
};

} // namespace quorvel
