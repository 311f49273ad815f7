#include "io/service_tools.h"

#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/ign_text.h"
#include "model/bike_defaults.h"
#include "model/bike_list.h"
#include "model/map_layout.h"

#include <algorithm>
#include <sstream>

namespace quorvel {
namespace {

constexpr int kLastBikeCode = 52;

std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

// The old line with every character that matches the current line at the same place blanked,
// so only the differences stand out.
std::string differences(const std::string& oldLine, const std::string& currentLine)
{
    std::string marked = oldLine;
    const std::size_t common = std::min(oldLine.size(), currentLine.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (oldLine[i] == currentLine[i])
            marked[i] = ' ';
    }
    return marked;
}

} // namespace

std::filesystem::path bikeFilePath(const std::filesystem::path& directory, int bikeCode)
{
    const auto position = BikeList::positionOf(bikeCode).value_or(BikeList::kNoBikePosition);
    return directory / (std::string(BikeList::itemText(position)) + ".ign");
}

std::vector<SavedBikeFile> saveAllNew(const ParamImage& base, const std::filesystem::path& directory,
                                      const ProgramBuild& build)
{
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    std::vector<SavedBikeFile> saved;
    for (int code = 0; code <= kLastBikeCode; ++code) {
        ParamImage image = base;
        InjectionTables tables;
        image.setByte(150, static_cast<std::uint8_t>(code));
        applyDefaults(image, tables, DefaultsRun{});
        OutsideSettings unused;
        (void)sanitiseImage(image, unused);
        const auto path = bikeFilePath(directory, code);
        saved.push_back({path, writeFileAtomically(path, writeParameterFile(image, build))});
    }
    return saved;
}

std::string compareAllNew(const std::filesystem::path& currentDirectory, const std::filesystem::path& oldDirectory)
{
    std::string report;
    auto line = [&report](std::string_view text) {
        report += text;
        report += "\r\n";
    };
    for (int position = 0; position <= kLastBikeCode; ++position) {
        const std::string name(BikeList::itemText(position));
        line("------------------------------------------------------   " + name);
        const auto oldText = readWholeFile(oldDirectory / (name + ".ign"), kParameterFileLimit);
        if (!oldText) {
            line("!!!!!!!!!soubor \"old\" se nepodarilo otevrit ");
            continue;
        }
        const auto currentText = readWholeFile(currentDirectory / (name + ".ign"), kParameterFileLimit);
        if (!currentText) {
            line("!!!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!!!");
            continue;
        }
        const auto oldLines = textLines(*oldText);
        const auto currentLines = textLines(*currentText);
        const std::size_t common = std::min(oldLines.size(), currentLines.size());
        for (std::size_t j = 0; j < common; ++j) {
            if (oldLines[j] == currentLines[j])
                continue;
            line("....line:" + std::to_string(j + 1));
            line(differences(oldLines[j], currentLines[j]));
            line(currentLines[j]);
        }
    }
    return report;
}

std::string percentExport(const ParamImage& image, const InjectionTables& tables)
{
    std::string out;
    for (InjectionMap map : kInjectionMaps) {
        const MapLayout& layout = MapTable::of(mapOf(map));
        appendIgnKey(out, layout.axisName);
        for (int c = 0; c < kMapColumns; ++c)
            appendIgnNumber(out, axisPoint(image, layout.id, c) * 100);
        appendIgnKey(out, layout.name);
        const PercentTable& percent = tables.percent(map);
        for (int e = 0; e < kMapCells; ++e) {
            appendIgnNumber(out, percent[static_cast<std::size_t>(e)]);
            if (e % kIgnValuesPerMapLine == kIgnValuesPerMapLine - 1)
                out += kIgnContinuation;
        }
    }
    return out;
}

} // namespace quorvel
