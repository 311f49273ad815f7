#pragma once

#include <ctime>
#include <filesystem>
#include <string>

namespace quorvel {

// Where logs are kept: "quorvel/logs" in the user's data directory ($XDG_DATA_HOME, else
// ~/.local/share; %LOCALAPPDATA% on Windows).
[[nodiscard]] std::filesystem::path defaultLogsDirectory();

// "2026-12-09_14-03-22_bike11.csv" for a log started at that local time with bike code 11.
[[nodiscard]] std::string logFileName(const std::tm& started, int bikeCode);

// The n-th name in `directory` for a log started then: the file name above for 1, then with
// "_2", "_3" ... before the extension, for logs started in the same second.
[[nodiscard]] std::filesystem::path logPath(const std::filesystem::path& directory, const std::tm& started,
                                            int bikeCode, int n);

} // namespace quorvel
