#include "io/program_build.h"

namespace quorvel {

// The only translation unit that takes the compiler's date and time: a stamp taken in each
// caller would carry the compile time of that caller's file.
const ProgramBuild& programBuild()
{
    static const ProgramBuild build{__DATE__, __TIME__};
    return build;
}

} // namespace quorvel
