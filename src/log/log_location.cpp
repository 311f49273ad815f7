#include "log/log_location.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace quorvel {
namespace {

std::optional<std::filesystem::path> fromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::filesystem::path(value);
}

} // namespace

std::filesystem::path defaultLogsDirectory()
{
    std::filesystem::path data;
#ifdef _WIN32
    data =
        fromEnvironment("LOCALAPPDATA").value_or(fromEnvironment("APPDATA").value_or(std::filesystem::current_path()));
#else
    if (const auto xdg = fromEnvironment("XDG_DATA_HOME"))
        data = *xdg;
    else if (const auto home = fromEnvironment("HOME"))
        data = *home / ".local" / "share";
    else
        data = std::filesystem::current_path();
#endif
    return data / "quorvel" / "logs";
}

std::string logFileName(const std::tm& started, int bikeCode)
{
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d_bike%d.csv", started.tm_year + 1900,
                  started.tm_mon + 1, started.tm_mday, started.tm_hour, started.tm_min, started.tm_sec, bikeCode);
    return name;
}

std::filesystem::path logPath(const std::filesystem::path& directory, const std::tm& started, int bikeCode, int n)
{
    std::filesystem::path path = directory / logFileName(started, bikeCode);
    if (n > 1) {
        path.replace_extension();
        path += "_" + std::to_string(n) + ".csv";
    }
    return path;
}

} // namespace quorvel
