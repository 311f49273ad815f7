#pragma once

#include "io/app_settings.h"
#include "io/last_image.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

// Where the settings, the last image and the test marker live: the user's configuration
// directory ($XDG_CONFIG_HOME, else ~/.config; %APPDATA% on Windows).
class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path directory);
    [[nodiscard]] static std::filesystem::path defaultDirectory();

    [[nodiscard]] static std::string settingsFileName(); // "Quorvel_2007_v71ini"
    [[nodiscard]] std::filesystem::path settingsPath() const;
    [[nodiscard]] std::filesystem::path lastImagePath() const;
    [[nodiscard]] std::filesystem::path testMarkerPath() const;
    // Where the parameters on screen are saved when a fault stops an action: a parameter file.
    [[nodiscard]] std::filesystem::path rescuePath() const;

    // A missing or unreadable file leaves everything as it is. A file that is there but refused
    // (not a regular file, far larger than the program ever writes it) is not read at all: the
    // reason comes back, for the user to hear of it.
    std::optional<std::string> load(AppSettings& settings, ParamImage& image, AllFlags& flags) const;
    // Writes the settings into the settings file, keeping whatever else it holds, and the last
    // image, each on its own: a failure of one does not keep the other from being written. A
    // settings file that is there but cannot be read is left as it is rather than replaced by
    // one without what it held. The reasons when a file could not be written.
    [[nodiscard]] std::optional<std::string> save(const AppSettings& settings, const ParamImage& image,
                                                  const AllFlags& flags) const;

private:
    std::filesystem::path m_directory;
};

} // namespace quorvel
