#pragma once

#include "app/cli/cli_args.h"

#include <ostream>

namespace quorvel::cli {

// log-cells LOG.csv FILE.ign --map NAME [--json] [--min-samples N] [--threshold MV]: where the
// engine ran in map NAME of FILE.ign during the log, cell by cell: samples, time and mean lambda
// with its lean/rich reading, as the overlay of the map page shows them.
[[nodiscard]] int logCells(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
