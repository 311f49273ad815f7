#include "io/settings_store.h"

#include "core/image_constants.h"
#include "io/atomic_file.h"

#include <cstdlib>

namespace quorvel {

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

void SettingsStore::load(AppSettings& settings, ParamImage& image, AllFlags& flags) const
{
    if (const auto text = readWholeFile(settingsPath()))
        loadSettings(IniFile::parse(*text), settings);
    if (const auto text = readWholeFile(lastImagePath()))
        readLastImage(*text, image, flags);
}

std::optional<std::string> SettingsStore::save(const AppSettings& settings, const ParamImage& image,
                                               const AllFlags& flags) const
{
    std::error_code ec;
    std::filesystem::create_directories(m_directory, ec);
    IniFile ini;
    if (const auto text = readWholeFile(settingsPath()))
        ini = IniFile::parse(*text);
    const auto settingsError = writeFileAtomically(settingsPath(), saveSettings(settings, std::move(ini)).serialise());
    const auto imageError = writeFileAtomically(lastImagePath(), writeLastImage(image, flags));
    if (settingsError && imageError)
        return *settingsError + "; " + *imageError;
    return settingsError ? settingsError : imageError;
}

} // namespace quorvel
