#include "app/sim_demand.h"

#include "io/atomic_file.h"
#include "io/file_reading.h"
#include "io/map_csv.h"
#include "maps/image_only_host.h"
#include "model/injection_tables.h"
#include "texts/map_edit_texts.h"

namespace quorvel::sim {

std::optional<FuelDemand> readFuelDemand(std::string_view csv, const ParamImage& memory, std::string& error)
{
    // Imported into a copy as the window imports a map file, whose working tables then hold the
    // file's percentages and whose Inj. 1 axis its heads.
    ParamImage scratch = memory;
    InjectionTables tables;
    tables.refreshFromImage(scratch);
    const MapLayout& jet1A = MapTable::of(MapId::Jet1A);
    const SheetRead read = readMapCsv(csv, scratch, jet1A);
    std::optional<MapEditStatus> refusal = read.error;
    if (!refusal) {
        ImageOnlyHost host(scratch);
        TuneWriter writer(scratch, tables, host);
        refusal = writer.writeMap(jet1A, read.values, unitOf(read), RangePolicy::Refuse).refusal;
    }
    if (refusal) {
        error = mapEditText(*refusal, Language::English);
        return std::nullopt;
    }
    FuelDemand demand;
    for (int c = 0; c < kMapColumns; ++c)
        demand.axis[static_cast<std::size_t>(c)] = axisPoint(scratch, MapId::Jet1A, c);
    demand.percent = tables.percent(InjectionMap::Jet1A);
    return demand;
}

bool configureEngine(VirtualUnit& unit, const EngineOptions& options, std::string& error)
{
    unit.setRide(options.ride);
    if (options.fuelDemandPath.empty())
        return true;
    // A map export: held to the bound of map texts.
    const FileRead csv = readFileWithin(options.fuelDemandPath, kMapTextLimit);
    if (!csv.bytes) {
        error = csv.reason;
        return false;
    }
    auto demand = readFuelDemand(*csv.bytes, unit.memory(), error);
    if (!demand) {
        error = options.fuelDemandPath + ": " + error;
        return false;
    }
    unit.setFuelDemand(std::move(demand));
    return true;
}

} // namespace quorvel::sim
