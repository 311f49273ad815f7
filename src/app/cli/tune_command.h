#pragma once

#include "app/cli/cli_args.h"

#include <ostream>

namespace quorvel::cli {

// quorvel-cli tune --port DEV --map NAME [--seconds N] [--passes K] [--apply] [--json] [-o OUT.ign]
// [--config-dir DIR] [--backup-dir DIR] [--no-backup]: reads the unit, checks that a session can
// count anything, then runs K passes of N seconds of live tuning on the map by the unit's own
// Tuning fields, leaving the locked cells of the lock file alone. With --apply each pass's
// proposals go into the image through the writer and to the unit (the unit's tune kept as a
// backup before the first write), verified after each pass.
[[nodiscard]] int tuneCommand(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
