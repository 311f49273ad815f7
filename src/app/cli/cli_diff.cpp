#include "app/cli/cli_diff.h"

#include "app/cli/cli.h"
#include "app/cli/command_support.h"
#include "core/page_index.h"
#include "io/code_page.h"
#include "io/reference_file.h"
#include "model/image_compare.h"
#include "texts/compare_captions.h"

#include <nlohmann/json.hpp>

#include <array>

namespace quorvel::cli {
namespace {

// The tabs of the window in English.
constexpr std::array<std::string_view, kPageCount> kPageNames = {
    "Bike",    "Advance",  "Inj-1A",      "Inj-2A",  "Inj-3A",       "Inj-4A",        "Inj-B",
    "Inj-IAP", "Position", "Corrections", "Sensors", "Intake servo", "Exhaust servo", "Idle",
    "N2O",     "Race",     "Gear",        "Tuning",  "Monitor"};

std::string_view pageName(int page)
{
    return page >= 0 && page < kPageCount ? kPageNames[static_cast<std::size_t>(page)] : "(no page)";
}

std::string_view kindName(DifferenceKind kind)
{
    switch (kind) {
    case DifferenceKind::Field:
        return "parameter";
    case DifferenceKind::Memo:
        return "memo";
    case DifferenceKind::RpmAxis:
        return "axis";
    case DifferenceKind::PressureRow:
        return "pressure row";
    case DifferenceKind::MapCell:
        return "cell";
    case DifferenceKind::OtherByte:
        return "byte";
    }
    return {};
}

nlohmann::ordered_json asJson(const Difference& d, const ShownName& shown)
{
    nlohmann::ordered_json entry;
    entry["page"] = d.page;
    entry["pageName"] = pageName(d.page);
    entry["kind"] = kindName(d.kind);
    entry["parameter"] = d.name;
    entry["label"] = d.label();
    entry["caption"] = shown.caption;
    entry["unit"] = shown.unit;
    if (d.kind == DifferenceKind::MapCell) {
        entry["row"] = d.row();
        entry["column"] = d.column();
    } else if (d.element >= 0) {
        entry["element"] = d.element;
    }
    entry["a"] = d.a.text;
    entry["b"] = d.b.text;
    if (d.kind != DifferenceKind::Memo) {
        entry["aValue"] = d.a.number;
        entry["bValue"] = d.b.number;
    }
    return entry;
}

std::string shownText(const Difference& d, const ShownValue& value)
{
    return d.kind == DifferenceKind::Memo ? "\"" + value.text + "\"" : value.text;
}

} // namespace

int runDiff(const Arguments& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positional();
    if (words.size() != 3) {
        err << "quorvel-cli: diff needs A.ign B.ign\n\n" << usage();
        return kExitBadInput;
    }
    // B is loaded over A as the window's Open loads a file over the set on screen: what B does
    // not carry keeps A's value rather than counting as a difference.
    const ParamImage blank;
    std::array<ParamImage, 2> images;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::string& path = words[i + 1];
        const ParamImage& under = i == 0 ? blank : images[0];
        if (const std::optional<int> failed = loadFailure(loadReferenceFile(path, under, images[i]), path, err))
            return *failed;
    }
    const InjectionTables first = referencesOf(images[0]);
    const InjectionTables second = referencesOf(images[1]);
    CompareOptions options;
    options.memoText = [](std::string_view memo) { return codePageToUtf8(memo, CodePage::Western1252); };
    const std::vector<Difference> differences = compareImages({images[0], first}, {images[1], second}, options);

    // Named as the window names them: the caption on the page and the unit, here in English.
    const NameContext names = NameContext::of(images[1]);
    if (args.flag("--json")) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const Difference& d : differences)
            list.push_back(asJson(d, shownName(d, Language::English, names)));
        out << list.dump(2) << '\n';
    } else {
        for (const Difference& d : differences) {
            out << pageName(d.page) << " / " << shownName(d, Language::English, names).withUnit() << ": "
                << shownText(d, d.a) << " -> " << shownText(d, d.b) << '\n';
        }
    }
    return differences.empty() ? kExitOk : kExitFailed;
}

} // namespace quorvel::cli
