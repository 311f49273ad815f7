#include "app/cli/tune_report.h"

#include "core/text_format.h"
#include "log/tuning_keys.h"
#include "model/map_layout.h"
#include "texts/tuning_texts.h"

#include <algorithm>
#include <cmath>
#include <iomanip>

namespace quorvel::cli {
namespace {

std::string_view english(std::string_view key)
{
    return TuningTexts::text(key, Language::English).value_or(key);
}

std::string fixText(const PreflightFix& fix)
{
    switch (fix.kind) {
    case PreflightFixKind::SetField:
        return " (set " + std::string(fix.field) + "=" + std::to_string(fix.value) + ")";
    case PreflightFixKind::TuneMap:
        return " (tune " + std::string(MapTable::of(static_cast<MapId>(fix.value)).name) + ")";
    case PreflightFixKind::ShowPage:
    case PreflightFixKind::None:
        break;
    }
    return {};
}

const TuningProposal* proposalOf(std::span<const TuningProposal> proposals, int element)
{
    const auto found = std::ranges::find(proposals, element, &TuningProposal::element);
    return found == proposals.end() ? nullptr : &*found;
}

std::string changeText(const TuningProposal* proposal)
{
    if (proposal == nullptr)
        return "-";
    return std::to_string(proposal->percentBefore) + " -> " + std::to_string(proposal->percentAfter) +
           (proposal->atLimit ? " (limit)" : "");
}

// The verdict most frames got, when it was not that they counted: why a pass found nothing.
std::optional<FrameVerdict> mostCommonRefusal(const TuningSession& session)
{
    const auto& counts = session.verdictCounts();
    const auto most = std::max_element(counts.begin() + 1, counts.end());
    if (*most == 0)
        return std::nullopt;
    return static_cast<FrameVerdict>(most - counts.begin());
}

} // namespace

void printPreflight(std::ostream& out, std::span<const PreflightFinding> findings)
{
    for (const PreflightFinding& finding : findings) {
        const bool blocks = finding.severity == PreflightSeverity::Blocks;
        std::string reason(english(textKey(finding.code)));
        if (finding.verdict)
            reason = formatText(reason, std::string(english(textKey(*finding.verdict))).c_str());
        out << english(blocks ? "PreflightBlocks" : "PreflightAdvice") << ": " << reason << fixText(finding.fix)
            << '\n';
    }
}

std::string cellName(const ParamImage& image, MapId map, int element)
{
    const int row = element / kMapColumns;
    const int column = element % kMapColumns;
    const std::string load = map == MapId::Iap
                                 ? std::to_string(iapRow(image, row)) + " kPa"
                                 : std::to_string(kThrottleRowPercent.at(static_cast<std::size_t>(row))) + "%";
    return load + " " + std::to_string(axisPoint(image, map, column) * 100) + " rpm";
}

void printPass(std::ostream& out, const TuningSession& session, const ParamImage& image, const PassReport& report)
{
    const TuningProgress progress = session.progress();
    out << "Pass " << report.pass << " of " << report.passes << ": "
        << formatText(english("TuningProgress"), progress.held, progress.cells, progress.inBand) << '\n';
    const MapId map = session.settings().map;
    bool any = false;
    for (int e = 0; e < kMapCells; ++e) {
        const TuningCell& cell = session.cell(e);
        if (cell.samples == 0)
            continue;
        if (!any) {
            out << std::left << std::setw(18) << "cell" << std::right << std::setw(8) << "samples" << std::setw(9)
                << "held ms" << std::setw(9) << "mean mV"
                << "  " << std::left << std::setw(9) << "reading"
                << "change\n"
                << std::right;
            any = true;
        }
        out << std::left << std::setw(18) << cellName(image, map, e) << std::right << std::setw(8) << cell.samples
            << std::setw(9) << cell.heldMs << std::setw(9) << std::lround(cell.meanMv) << "  " << std::left
            << std::setw(9) << english(textKey(cell.reading)) << std::right
            << changeText(proposalOf(report.proposals, e)) << '\n';
    }
    if (!any) {
        if (const auto why = mostCommonRefusal(session))
            out << "No cell held; most frames: " << english(textKey(*why)) << '\n';
    }
    if (report.applied > 0)
        out << formatText(english("TuningApplied"), report.applied) << '\n';
    if (report.overtaken > 0)
        out << formatText(english("TuningOvertaken"), report.overtaken) << '\n';
}

nlohmann::ordered_json passAsJson(const TuningSession& session, const ParamImage& image, const PassReport& report)
{
    const TuningProgress progress = session.progress();
    const MapId map = session.settings().map;
    nlohmann::ordered_json json = {{"pass", report.pass},
                                   {"cellsInRange", progress.cells},
                                   {"held", progress.held},
                                   {"inBand", progress.inBand},
                                   {"applied", report.applied},
                                   {"overtaken", report.overtaken},
                                   {"cells", nlohmann::ordered_json::array()}};
    for (int e = 0; e < kMapCells; ++e) {
        const TuningCell& cell = session.cell(e);
        if (cell.samples == 0)
            continue;
        nlohmann::ordered_json entry = {{"row", e / kMapColumns},
                                        {"column", e % kMapColumns},
                                        {"rpm", axisPoint(image, map, e % kMapColumns) * 100},
                                        {"samples", cell.samples},
                                        {"heldMs", cell.heldMs},
                                        {"meanMv", std::lround(cell.meanMv)},
                                        {"reading", english(textKey(cell.reading))},
                                        {"percent", session.percent(e)}};
        if (const TuningProposal* proposal = proposalOf(report.proposals, e)) {
            entry["proposed"] = proposal->percentAfter;
            entry["atLimit"] = proposal->atLimit;
        }
        json["cells"].push_back(std::move(entry));
    }
    return json;
}

} // namespace quorvel::cli
