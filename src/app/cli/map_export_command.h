#pragma once

#include "app/cli/cli_args.h"

#include <ostream>

namespace quorvel::cli {

// map-export FILE.ign MAP -o OUT.csv: the map with its heads as CSV, in the units its page shows.
[[nodiscard]] int mapExportCommand(const Arguments& args, std::ostream& err);

} // namespace quorvel::cli
