#pragma once

#include "core/param_image.h"
#include "model/injection_tables.h"
#include "model/map_layout.h"

#include <optional>
#include <ostream>
#include <string>

namespace quorvel::cli {

// The parameter file and the map a map command works on, loaded as Open loads a file and
// sanitised as the window shows it.
struct MapCommandFile {
    ParamImage image;
    InjectionTables tables;
    const MapLayout* map = nullptr;
};

// Loads FILE.ign and finds MAP (a section key of the maps: ADVANCE, JET_1A .. JET_4A, JET_B, IAP,
// SERVO_IN_VALUE, SERVO_EX_VALUE). On failure the message is written to `err` and the exit code
// comes back.
[[nodiscard]] std::optional<int> loadMapCommandFile(const std::string& path, const std::string& mapKey,
                                                    MapCommandFile& file, std::ostream& err);

// A usage error of a map command: the reason and the usage text, exit code 2.
int mapCommandUsageError(std::ostream& err, const std::string& why);
// A file that cannot be read or written: "Open file error!" with the reason, exit code 2.
int mapCommandFileError(std::ostream& err, const std::string& detail);

} // namespace quorvel::cli
