#pragma once

#include "app/cli/cli_args.h"

#include <ostream>

namespace quorvel::cli {

// monitor --port DEV --csv OUT.csv [--seconds N] [--frames N] [--fast] [--file FILE.ign] [--map NAME]:
// records the unit's live data into a new datalog, as the window's "Start log" does, until the
// time or the rows are reached or Ctrl+C. The rows carry the operating cell of map NAME
// (JET_1A unless given) against the start bike's defaults or FILE.ign.
[[nodiscard]] int recordMonitorLog(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
