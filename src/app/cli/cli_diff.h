#pragma once

#include "app/cli/cli_args.h"

#include <ostream>

namespace quorvel::cli {

// diff A.ign B.ign [--json]: every parameter, axis point and map cell in which B, loaded over A as
// the window's Open loads it, differs from A, in the units the window shows. Text: one line
// "page / caption [unit]: A -> B" each, named as the page names the value; JSON: one array of
// objects that also carry the parameter's name. Exit 0 when the two sets are equal, 1 when they
// differ, 2 on a bad file.
[[nodiscard]] int runDiff(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
