#include "io/parameter_set.h"

#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/parameter_file.h"
#include "model/bike_defaults.h"

namespace quorvel {

LoadResult loadParameterText(std::string_view text, ParamImage& image, InjectionTables& tables, bool pageOnly,
                             int currentPage)
{
    ParameterFileLoad load;
    load.pageOnly = pageOnly;
    load.currentPage = currentPage;
    load.applyBikeDefaults = [&tables, currentPage](ParamImage& target) {
        applyDefaults(target, tables, DefaultsRun{false, currentPage});
    };
    if (!readParameterFile(text, image, load))
        return LoadResult::WrongVersion;
    tables.refreshFromImage(image);
    return LoadResult::Loaded;
}

LoadResult loadParameterFile(const std::filesystem::path& path, ParamImage& image, InjectionTables& tables,
                             bool pageOnly, int currentPage)
{
    const auto text = readWholeFile(path);
    if (!text)
        return LoadResult::CannotOpen;
    return loadParameterText(*text, image, tables, pageOnly, currentPage);
}

std::optional<std::string> saveParameterFile(const std::filesystem::path& path, ParamImage& image)
{
    OutsideSettings unused;
    (void)sanitiseImage(image, unused);
    return writeFileAtomically(path, writeParameterFile(image));
}

} // namespace quorvel
