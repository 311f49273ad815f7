#pragma once

#include "io/ini_file.h"

#include <optional>
#include <string>

namespace quorvel {

struct WindowGeometry {
    int left = 0;
    int top = 0;
    int height = 0;
    int width = 0;
};

// What the program remembers between runs besides the image. The defaults are those of a first
// run: the window centred at its designed size (no geometry), COM2, English, the Monitor page.
struct AppSettings {
    std::optional<WindowGeometry> geometry;
    int portSelection = 1; // 0..19 for COM1..COM20, 20 for the automatic search
    int autoScanIndex = 0;
    bool virtualUnit = false; // Com > Virtual unit was chosen over the port (section PORT)
    int language = 0;
    std::string fileLabel;       // the text of LabelFile2
    std::string currentFileName; // the parameter file last saved or loaded
    int activePage = 18;
    bool showMs = false;
    bool showColours = false; // the map grid's "Colours" (section VIEW)
    // The overlay of a log on the map (section DATALOG): the narrow-band lambda threshold in mV
    // between lean and rich, and the fewest samples that show a cell's lambda.
    int lambdaThresholdMv = 450;
    int lambdaMinimumSamples = 5;
    bool extendedMonitor = false;
    bool allPolohaA = false;
    bool allPolohaB = false;
    // How many automatic backups of the unit's parameters the backups folder keeps, newest
    // first (section BACKUPS, key Kept).
    int backupsKept = 200;
};

// Reads the keys present in the BASIC and BACKUPS sections over `settings`; a missing key keeps the value in
// effect. Numbers keep the byte semantics of the original store: ComPort=0 gives port 255, which
// the sanitiser then turns into the first port.
void loadSettings(const IniFile& ini, AppSettings& settings);
// Writes every key of the BASIC section over `into`; its other keys and sections stay as they are.
[[nodiscard]] IniFile saveSettings(const AppSettings& settings, IniFile into = {});

} // namespace quorvel
