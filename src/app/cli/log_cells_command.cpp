#include "app/cli/log_cells_command.h"

#include "app/cli/cli.h"
#include "app/cli/command_support.h"
#include "core/text_format.h"
#include "log/cell_statistics.h"
#include "log/datalog_reader.h"
#include "model/map_layout.h"
#include "texts/datalog_texts.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iomanip>

namespace quorvel::cli {
namespace {

constexpr int kColumnWidth = 7;

std::string_view readingWord(MixtureReading reading)
{
    switch (reading) {
    case MixtureReading::Lean:
        return "lean";
    case MixtureReading::Rich:
        return "rich";
    case MixtureReading::AtThreshold:
        return "at threshold";
    case MixtureReading::Hidden:
        break;
    }
    return {};
}

// The load of row r: its throttle opening in %, or for the IAP map its pressure point in kPa.
int rowLoad(const ParamImage& image, MapId map, int row)
{
    return map == MapId::Iap ? iapRow(image, row) : kThrottleRowPercent[static_cast<std::size_t>(row)];
}

int columnRpm(const ParamImage& image, MapId map, int column)
{
    return axisPoint(image, map, column) * 100;
}

// One grid of the map's shape, with the load rows down and the RPM columns across.
template <typename CellText>
void printGrid(std::ostream& out, const ParamImage& image, MapId map, std::string_view title, CellText cellText)
{
    const std::string_view loadUnit = map == MapId::Iap ? "kPa" : "%";
    out << title << '\n' << std::setw(kColumnWidth) << "rpm";
    for (int c = 0; c < kMapColumns; ++c)
        out << std::setw(kColumnWidth) << columnRpm(image, map, c);
    out << '\n';
    for (int r = 0; r < kMapRows; ++r) {
        out << std::setw(kColumnWidth - 4) << rowLoad(image, map, r) << ' ' << std::setw(3) << loadUnit;
        for (int c = 0; c < kMapColumns; ++c)
            out << std::setw(kColumnWidth) << cellText(r * kMapColumns + c);
        out << '\n';
    }
}

nlohmann::ordered_json asJson(const MapCellStatistics& stats, const Datalog& log, const ParamImage& image, MapId map,
                              const CellStatisticsOptions& options)
{
    nlohmann::ordered_json json = {{"map", MapTable::of(map).name},
                                   {"rows", log.rowCount()},
                                   {"skippedRows", log.skippedRows()},
                                   {"samplesInCells", stats.samples},
                                   {"minimumSamples", options.minimumSamples},
                                   {"thresholdMv", options.lambdaThresholdMv},
                                   {"cells", nlohmann::ordered_json::array()}};
    for (int e = 0; e < kMapCells; ++e) {
        const CellStatistic& cell = stats.cells[static_cast<std::size_t>(e)];
        if (cell.samples == 0)
            continue;
        const int row = e / kMapColumns;
        const int column = e % kMapColumns;
        nlohmann::ordered_json entry = {{"row", row},
                                        {"column", column},
                                        {"rpm", columnRpm(image, map, column)},
                                        {"load", rowLoad(image, map, row)},
                                        {"samples", cell.samples},
                                        {"timeMs", cell.timeMs}};
        if (cell.reading != MixtureReading::Hidden) {
            entry["meanLambdaMv"] = std::lround(cell.meanLambdaMv);
            entry["reading"] = readingWord(cell.reading);
        }
        json["cells"].push_back(std::move(entry));
    }
    return json;
}

} // namespace

int logCells(const Arguments& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positional();
    const auto mapName = args.option("--map");
    bool bad = false;
    CellStatisticsOptions options;
    options.minimumSamples = numberOption(args.option("--min-samples"), 1, bad).value_or(options.minimumSamples);
    options.lambdaThresholdMv = numberOption(args.option("--threshold"), 0, bad).value_or(options.lambdaThresholdMv);
    if (words.size() != 3 || !mapName || bad)
        return usageError(err, "log-cells needs LOG.csv FILE.ign --map NAME [--min-samples N] [--threshold MV]");
    const MapLayout* map = MapTable::byName(*mapName);
    if (map == nullptr)
        return usageError(err, "no map named " + *mapName);

    const DatalogRead read = readDatalog(words[1]);
    if (!read.log) {
        const DatalogMessage text =
            read.problem == DatalogProblem::CannotOpen ? DatalogMessage::CannotOpenLog : DatalogMessage::NotALog;
        err << formatText(DatalogTexts::message(text, Language::English), read.detail.c_str()) << '\n';
        return kExitBadInput;
    }
    ParamImage image;
    InjectionTables tables;
    if (const auto failed = loadParameters(words[2], image, tables, err))
        return *failed;

    const Datalog& log = *read.log;
    const MapCellStatistics stats = cellStatistics(log, image, map->id, options);
    if (log.skippedRows() > 0) {
        err << formatText(DatalogTexts::message(DatalogMessage::RowsLeftOut, Language::English),
                          static_cast<int>(log.skippedRows()))
            << '\n';
    }
    if (args.flag("--json")) {
        out << asJson(stats, log, image, map->id, options).dump(2) << '\n';
        return kExitOk;
    }

    out << map->name << ": " << stats.samples << " of " << log.rowCount() << " rows fell into its cells\n\n";
    printGrid(out, image, map->id, "Samples per cell", [&](int e) {
        const int samples = stats.cells[static_cast<std::size_t>(e)].samples;
        return samples == 0 ? std::string(".") : std::to_string(samples);
    });
    out << '\n';
    printGrid(out, image, map->id,
              "Mean lambda [mV], L lean, R rich (. fewer than " + std::to_string(options.minimumSamples) + " samples)",
              [&](int e) {
                  const CellStatistic& cell = stats.cells[static_cast<std::size_t>(e)];
                  if (cell.reading == MixtureReading::Hidden)
                      return std::string(".");
                  const char mark = cell.reading == MixtureReading::Lean   ? 'L'
                                    : cell.reading == MixtureReading::Rich ? 'R'
                                                                           : '=';
                  return std::to_string(std::lround(cell.meanLambdaMv)) + mark;
              });
    return kExitOk;
}

} // namespace quorvel::cli
