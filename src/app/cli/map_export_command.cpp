#include "app/cli/map_export_command.h"

#include "app/cli/cli.h"
#include "app/cli/map_command_file.h"
#include "io/atomic_file.h"
#include "io/map_csv.h"

namespace quorvel::cli {

int mapExportCommand(const Arguments& args, std::ostream& err)
{
    const auto& words = args.positional();
    const auto out = args.option("-o") ? args.option("-o") : args.option("--output");
    if (words.size() != 3 || !out)
        return mapCommandUsageError(err, "map-export needs FILE.ign MAP [--ms] -o OUT.csv");
    MapCommandFile file;
    if (const auto failed = loadMapCommandFile(words[1], words[2], file, err))
        return *failed;
    const CellUnit unit = args.flag("--ms") ? CellUnit::Milliseconds : CellUnit::Shown;
    if (const auto error = writeFileAtomically(*out, exportMapCsv(file.image, file.tables, *file.map, unit)))
        return mapCommandFileError(err, *error);
    return kExitOk;
}

} // namespace quorvel::cli
