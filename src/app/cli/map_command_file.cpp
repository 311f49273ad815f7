#include "app/cli/map_command_file.h"

#include "app/cli/cli.h"
#include "core/sanitise.h"
#include "io/parameter_set.h"
#include "texts/language_table.h"

namespace quorvel::cli {
namespace {

constexpr int kTextOpenFileError = 26;
constexpr int kTextWrongFileVersion = 29;

std::string mapKeys()
{
    std::string keys;
    for (const MapLayout& map : MapTable::all())
        keys += (keys.empty() ? "" : ", ") + std::string(map.name);
    return keys;
}

int textError(std::ostream& err, int textNumber, const std::string& detail)
{
    err << LanguageTable().text(textNumber) << " (" << detail << ")\n";
    return kExitBadInput;
}

} // namespace

std::optional<int> loadMapCommandFile(const std::string& path, const std::string& mapKey, MapCommandFile& file,
                                      std::ostream& err)
{
    file.map = MapTable::byName(mapKey);
    if (file.map == nullptr)
        return mapCommandUsageError(err, "no map named " + mapKey + " (maps: " + mapKeys() + ")");
    const FileLoad load = loadParameterFile(path, file.image, file.tables);
    switch (load.result) {
    case LoadResult::Loaded:
        break;
    case LoadResult::CannotOpen:
        return textError(err, kTextOpenFileError, load.reason);
    case LoadResult::WrongVersion:
        return textError(err, kTextWrongFileVersion, path);
    }
    OutsideSettings unused;
    (void)sanitiseImage(file.image, unused);
    file.tables.refreshFromImage(file.image);
    return std::nullopt;
}

int mapCommandUsageError(std::ostream& err, const std::string& why)
{
    err << "quorvel-cli: " << why << "\n\n" << usage();
    return kExitBadInput;
}

int mapCommandFileError(std::ostream& err, const std::string& detail)
{
    return textError(err, kTextOpenFileError, detail);
}

} // namespace quorvel::cli
