#include "io/reference_file.h"

#include "core/sanitise.h"
#include "model/injection_tables.h"

namespace quorvel {

LoadResult loadReferenceFile(const std::filesystem::path& path, const ParamImage& current, ParamImage& reference)
{
    ParamImage loaded = current;
    InjectionTables tables;
    const LoadResult result = loadParameterFile(path, loaded, tables).result;
    if (result != LoadResult::Loaded)
        return result;
    OutsideSettings unused;
    (void)sanitiseImage(loaded, unused);
    reference = loaded;
    return LoadResult::Loaded;
}

} // namespace quorvel
