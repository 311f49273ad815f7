#pragma once

#include "core/param_image.h"
#include "model/injection_tables.h"

#include <string_view>

namespace quorvel {

struct OldMapsLoad {
    bool pageOnly = false; // as the last Open or New left it
    int currentPage = 0;
};

// Imports the maps of a map file of the earlier generation, which holds the injection maps as
// percentages of the bike's reference times and pairs them (1A with 4A, 2A with 3A). The map
// sections of a current parameter file are accepted too. Whatever the file holds, the five
// injection maps are rebuilt at the end from their percentages and the references of the axes
// now in the image.
void readOldMaps(std::string_view bytes, ParamImage& image, InjectionTables& tables, const OldMapsLoad& load);

} // namespace quorvel
