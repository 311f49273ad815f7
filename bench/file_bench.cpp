// Time of the file commands as the user meets them, disk included: "Save All New" writing the
// defaults of all 53 bikes, and Open and Save of one parameter file.
#include "core/sanitise.h"
#include "io/parameter_set.h"
#include "io/service_tools.h"
#include "model/bike_defaults.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace quorvel;
namespace fs = std::filesystem;

class ScratchDirectory {
public:
    ScratchDirectory()
        : m_path(fs::temp_directory_path() / ("quorvel-file-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_path);
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    [[nodiscard]] const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

ParamImage bikeImage(InjectionTables& tables)
{
    ParamImage image;
    image.setByte(150, 11);
    applyDefaults(image, tables, {});
    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    return image;
}

void SaveAllNew53Bikes(benchmark::State& state)
{
    ScratchDirectory dir;
    const ParamImage base;
    for (auto _ : state) {
        const auto files = saveAllNew(base, dir.path() / "new_ign");
        if (files.size() != 53 || files.front().error)
            state.SkipWithError("not every bike file was written");
    }
}
BENCHMARK(SaveAllNew53Bikes)->Unit(benchmark::kMillisecond);

void SaveIgn(benchmark::State& state)
{
    ScratchDirectory dir;
    InjectionTables tables;
    ParamImage image = bikeImage(tables);
    for (auto _ : state) {
        if (saveParameterFile(dir.path() / "r6.ign", image))
            state.SkipWithError("the file was not written");
    }
}
BENCHMARK(SaveIgn)->Unit(benchmark::kMillisecond);

void LoadIgn(benchmark::State& state)
{
    ScratchDirectory dir;
    InjectionTables tables;
    ParamImage image = bikeImage(tables);
    if (saveParameterFile(dir.path() / "r6.ign", image)) {
        state.SkipWithError("the file was not written");
        return;
    }
    for (auto _ : state) {
        ParamImage loaded;
        InjectionTables loadedTables;
        if (loadParameterFile(dir.path() / "r6.ign", loaded, loadedTables) != LoadResult::Loaded)
            state.SkipWithError("the file was not loaded");
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(LoadIgn)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
