#include "app/cli/map_import_command.h"

#include "app/cli/cli.h"
#include "app/cli/map_command_file.h"
#include "io/atomic_file.h"
#include "io/map_csv.h"
#include "io/parameter_set.h"
#include "maps/image_only_host.h"
#include "maps/map_edit_commands.h"
#include "texts/map_edit_texts.h"

namespace quorvel::cli {

// The file goes into the map as the window's import does it, through the writer of the tune: a
// value outside its cell's range is refused with the cell named, unless --hold asks to hold
// such values at the range's end.
int mapImportCommand(const Arguments& args, std::ostream& err)
{
    const auto& words = args.positional();
    const auto out = args.option("-o") ? args.option("-o") : args.option("--output");
    if (words.size() != 4 || !out)
        return mapCommandUsageError(err, "map-import needs FILE.ign MAP IN.csv [--hold] -o OUT.ign");
    MapCommandFile file;
    if (const auto failed = loadMapCommandFile(words[1], words[2], file, err))
        return *failed;
    const FileRead csv = readFileWithin(words[3], kMapTextLimit);
    if (!csv.bytes)
        return mapCommandFileError(err, csv.reason);
    const SheetRead read = readMapCsv(*csv.bytes, file.image, *file.map);
    const auto refuse = [&](const MapEditStatus& why) {
        err << "quorvel-cli: " << words[3] << ": " << mapEditText(why, Language::English) << '\n';
        return kExitBadInput;
    };
    if (read.error)
        return refuse(*read.error);
    ImageOnlyHost host(file.image);
    TuneWriter writer(file.image, file.tables, host);
    const RangePolicy policy = args.flag("--hold") ? RangePolicy::Hold : RangePolicy::Refuse;
    const TuneWrite written = writer.writeMap(*file.map, read.values, unitOf(read), policy);
    if (written.refusal)
        return refuse(*written.refusal);
    if (written.held > 0)
        err << "quorvel-cli: " << mapEditText(writeStatus(written, MapEditMessage::MapImported), Language::English)
            << '\n';
    if (const auto error = saveParameterFile(*out, file.image))
        return mapCommandFileError(err, *error);
    return kExitOk;
}

} // namespace quorvel::cli
