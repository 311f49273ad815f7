#include "app/cli/map_import_command.h"

#include "app/cli/cli.h"
#include "app/cli/map_command_file.h"
#include "io/atomic_file.h"
#include "io/map_csv.h"
#include "io/parameter_set.h"

namespace quorvel::cli {

int mapImportCommand(const Arguments& args, std::ostream& err)
{
    const auto& words = args.positional();
    const auto out = args.option("-o") ? args.option("-o") : args.option("--output");
    if (words.size() != 4 || !out)
        return mapCommandUsageError(err, "map-import needs FILE.ign MAP IN.csv -o OUT.ign");
    MapCommandFile file;
    if (const auto failed = loadMapCommandFile(words[1], words[2], file, err))
        return *failed;
    const FileRead csv = readFileWithin(words[3], kMapTextLimit);
    if (!csv.bytes)
        return mapCommandFileError(err, csv.reason);
    if (const auto refusal = importMapCsv(*csv.bytes, file.image, file.tables, *file.map)) {
        err << "quorvel-cli: " << words[3] << ": " << mapEditText(*refusal, Language::English) << '\n';
        return kExitBadInput;
    }
    if (const auto error = saveParameterFile(*out, file.image))
        return mapCommandFileError(err, *error);
    return kExitOk;
}

} // namespace quorvel::cli
