#pragma once

#include "app/cli/cli_args.h"

#include <ostream>

namespace quorvel::cli {

// map-import FILE.ign MAP IN.csv -o OUT.ign: the map read from a CSV (as map-export writes it)
// into the file, saved as OUT.ign. A CSV that does not fit writes nothing and names line and
// column.
[[nodiscard]] int mapImportCommand(const Arguments& args, std::ostream& err);

} // namespace quorvel::cli
