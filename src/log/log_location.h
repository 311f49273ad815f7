#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

// Where logs are kept: "quorvel/logs" in the user's data directory ($XDG_DATA_HOME, else
// ~/.local/share; %LOCALAPPDATA% on Windows).
[[nodiscard]] std::filesystem::path defaultLogsDirectory();

// "2026-12-09_14-03-22_bike11.csv" for a log started at that local time with bike code 11.
[[nodiscard]] std::string logFileName(const std::tm& started, int bikeCode);

// A path for a new log in `directory`, which is created when missing: the file name above, with
// "_2", "_3" ... before the extension while a file of that name exists. The reason when the
// directory cannot be created.
[[nodiscard]] std::optional<std::filesystem::path> newLogPath(const std::filesystem::path& directory,
                                                              const std::tm& started, int bikeCode, std::string& error);

} // namespace quorvel
