#pragma once

#include "app/cli/cli_args.h"

#include <ostream>

namespace quorvel::cli {

// diff A.ign B.ign [--json]: every parameter, axis point and map cell in which B differs from A,
// in the units the window shows. Text: one line "page / parameter: A -> B" each; JSON: one
// array of objects. Exit 0 when the two sets are equal, 1 when they differ, 2 on a bad file.
[[nodiscard]] int runDiff(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
