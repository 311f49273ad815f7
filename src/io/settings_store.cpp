#include "io/settings_store.h"

#include "core/image_constants.h"
#include "io/atomic_file.h"
#include "io/file_reading.h"

#include <cstdlib>

namespace quorvel {
namespace {

// Why a file that is there was not read; none when it was, or is simply not there yet.
std::optional<std::string> refusal(const FileRead& read)
{
    if (read.bytes || read.problem == ReadProblem::Missing)
        return std::nullopt;
    return read.reason;
}

std::optional<std::string> joinedReasons(const std::optional<std::string>& first,
                                         const std::optional<std::string>& second)
{
    if (first && second)
        return *first + "; " + *second;
    return first ? first : second;
}

} // namespace

SettingsStore::SettingsStore(std::filesystem::path directory)
    : m_directory(std::move(directory))
{
}

std::filesystem::path SettingsStore::defaultDirectory()
{
#ifdef _WIN32
    // The wide form: the narrow environment holds a user name such as "Jiří" in the ANSI code
    // page, which the path would not decode.
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData != nullptr && *appData != L'\0')
        return std::filesystem::path(appData);
#else
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
        return std::filesystem::path(config);
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::filesystem::path(home) / ".config";
#endif
    return std::filesystem::current_path();
}

std::string SettingsStore::settingsFileName()
{
    std::string name = "Quorvel_2007_v";
    name += std::to_string(kProgramVersion);
    name += "ini";
    return name;
}

std::filesystem::path SettingsStore::settingsPath() const
{
    return m_directory / settingsFileName();
}

std::filesystem::path SettingsStore::lastImagePath() const
{
    std::string name = "_";
    name += settingsFileName();
    return m_directory / name;
}

std::filesystem::path SettingsStore::testMarkerPath() const
{
    return m_directory / "test_vesnik.txt";
}

std::filesystem::path SettingsStore::rescuePath() const
{
    return m_directory / ("Quorvel_2007_v" + std::to_string(kProgramVersion) + "_rescue.ign");
}

std::optional<std::string> SettingsStore::load(AppSettings& settings, ParamImage& image, AllFlags& flags) const
{
    const FileRead ini = readFileWithin(settingsPath(), kSettingsFileLimit);
    if (ini.bytes)
        loadSettings(IniFile::parse(*ini.bytes), settings);
    const FileRead last = readFileWithin(lastImagePath(), kLastImageLimit);
    if (last.bytes)
        readLastImage(*last.bytes, image, flags);
    return joinedReasons(refusal(ini), refusal(last));
}

std::optional<std::string> SettingsStore::save(const AppSettings& settings, const ParamImage& image,
                                               const AllFlags& flags) const
{
    std::error_code ec;
    std::filesystem::create_directories(m_directory, ec);
    const FileRead previous = readFileWithin(settingsPath(), kSettingsFileLimit);
    std::optional<std::string> settingsError = refusal(previous);
    if (!settingsError) {
        IniFile ini = previous.bytes ? IniFile::parse(*previous.bytes) : IniFile{};
        settingsError = writeFileAtomically(settingsPath(), saveSettings(settings, std::move(ini)).serialise());
    }
    return joinedReasons(settingsError, writeFileAtomically(lastImagePath(), writeLastImage(image, flags)));
}

} // namespace quorvel
