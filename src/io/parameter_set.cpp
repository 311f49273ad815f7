#include "io/parameter_set.h"

#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/parameter_file.h"
#include "io/raw_image_file.h"
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
    // A backup of the unit gives back every byte it held, beyond what the parameter text says.
    if (const auto raw = readRawImage(text); raw && !pageOnly) {
        const ParamImage held = imageFromRaw(*raw);
        for (int block = 1; block < kBlockCount; ++block)
            image.storeBlock(block, held.block(block));
    }
    tables.refreshFromImage(image);
    return LoadResult::Loaded;
}

FileLoad loadParameterFile(const std::filesystem::path& path, ParamImage& image, InjectionTables& tables, bool pageOnly,
                           int currentPage)
{
    const FileRead read = readFileWithin(path, kParameterFileLimit);
    if (!read.bytes)
        return {LoadResult::CannotOpen, read.problem, read.reason};
    return {loadParameterText(*read.bytes, image, tables, pageOnly, currentPage), ReadProblem::None, {}};
}

std::optional<std::string> saveParameterFile(const std::filesystem::path& path, ParamImage& image)
{
    OutsideSettings unused;
    (void)sanitiseImage(image, unused);
    return writeFileAtomically(path, writeParameterFile(image));
}

} // namespace quorvel
