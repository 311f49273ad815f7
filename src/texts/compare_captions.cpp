#include "texts/compare_captions.h"

#include "core/text_format.h"
#include "model/map_layout.h"
#include "texts/caption_table.h"
#include "texts/compare_texts.h"
#include "texts/language_captions.h"
#include "texts/language_table.h"
#include "texts/static_page_layout.h"

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kChokeBike = 38;
constexpr int kServoExProcentOffset = 212;
constexpr int kServoInProcentOffset = 213;

struct FieldUnit {
    std::string_view field;
    std::string_view unit;
};

// The unit of each parameter's shown value; parameters not listed show counts, choices, ticks
// or values whose unit follows a mode.
constexpr auto kUnits = std::to_array<FieldUnit>({
    {"StartLimiter", "rpm"},
    {"IgnLimiter", "rpm"},
    {"JetLimiter", "rpm"},
    {"RetardLimiterRpm", "rpm"},
    {"IntakePortRpm", "rpm"},
    {"IdleRpmMez", "rpm"},
    {"IdleHyster", "rpm"},
    {"IdleAdvPoz", "rpm"},
    {"PilotLight1", "rpm"},
    {"PilotLight2", "rpm"},
    {"ClutchMinRpm", "rpm"},
    {"GearAutoRpm", "rpm"},
    {"IapRpmMin", "rpm"},
    {"IapRpmMax", "rpm"},
    {"PositionARpm", "rpm"},
    {"PositionBRpm", "rpm"},
    {"LadeniRpm", "rpm"},
    {"RetardLimiterAdv", "°/100rpm"},
    {"Chlazeni", "°C"},
    {"ApsTlak1", "kPa"},
    {"ApsTlak2", "kPa"},
    {"IapsTlak1", "kPa"},
    {"IapsTlak2", "kPa"},
    {"ApsNapeti1", "mV"},
    {"ApsNapeti2", "mV"},
    {"IapsNapeti1", "mV"},
    {"IapsNapeti2", "mV"},
    {"Tps0", "mV"},
    {"Tps100", "mV"},
    {"CidloVoda", "mV"},
    {"CidloVzduch", "mV"},
    {"GearNapeti", "mV"},
    {"ServoExHyster", "mV"},
    {"ServoInHyster", "mV"},
    {"SyticKorekce0", "%"},
    {"SyticKorekce1", "%"},
    {"SyticKorekce2", "%"},
    {"SyticKorekce3", "%"},
    {"KorVoda", "%"},
    {"KorVzduch", "%"},
    {"Gas1", "%"},
    {"Gas2", "%"},
    {"GasJetKor1", "%"},
    {"GasJetKor2", "%"},
    {"ClutchJet", "%"},
    {"GearAutoTps", "%"},
    {"GearKorJet", "%"},
    {"IapTpsMin", "%"},
    {"IapTpsMax", "%"},
    {"IapCylKor", "%"},
    {"SyticCas1", "s"},
    {"SyticCas2", "s"},
    {"SyticCas3", "s"},
    {"SyticCas4", "s"},
    {"GearAutoTime", "s"},
    {"AkcelPrah", "%/s"},
    {"AkcelJet", "µs"},
    {"IdleStepPuls", "µs"},
    {"StepExcitation", "µs"},
    {"StartJet", "ms"},
    {"IdleStart", "ms"},
    {"GasT", "ms"},
    {"GasD", "ms"},
    {"RetardT", "ms"},
    {"RetardD", "ms"},
    {"ClutchTime", "ms"},
    {"ClutchPause", "ms"},
    {"StepPeriod", "ms"},
    {"IgnVoda", "°"},
    {"IdleMaxAdv", "°"},
    {"Retard1", "°"},
    {"Retard2", "°"},
    {"ClutchAdv", "°"},
    {"GearKorAdv", "°"},
    {"AdvCylKor", "°"},
    {"AdvBase", "°"},
    {"LobeWidth", "°"},
    {"PositionAAngle", "°"},
    {"PositionBAngle", "°"},
    {"IdleAdvNaRpm", "°/1000rpm"},
    {"IdleAdvNaCas", "°/10s"},
    {"GearAutoBand", "0.1%"},
});

// The fields under the map grid, labelled by the message texts the grid's labels show.
struct ExtraCaption {
    std::string_view field;
    int text;
    bool perCylinder = false; // one field per cylinder: the cylinder's number follows
};

constexpr auto kExtraCaptions = std::to_array<ExtraCaption>({
    {"AdvCylKor", 57, true},
    {"AdvBase", 39},
    {"LobeWidth", 56},
    {"IapTpsMin", 58},
    {"IapTpsMax", 59},
    {"IapRpmMin", 60},
    {"IapRpmMax", 61},
    {"IapCylKor", 57, true},
    {"ServoExHyster", 55},
    {"ServoInHyster", 55},
    {"StepPeriod", 67},
    {"StepExcitation", 68},
});

struct DesignCaption {
    std::string_view control;
    std::string_view caption;
};

// Options of the map grid that keep the caption they were built with in every language.
constexpr auto kGridOptionCaptions = std::to_array<DesignCaption>({
    {"CheckBoxTps_Uni", "TPS"},
    {"CheckBoxProcenta", "Procent"},
    {"CheckBoxStepMotor", "Step motor"},
    {"RadioGroupServoMode", "R + T / RPM / TPS"},
});

constexpr std::string_view kJetModeMenu = "Menu_Jet123Mode";

// A caption without its keyboard accelerator, blanks at its ends or the colon a label ends in.
std::string plain(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c != '&')
            out += c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ':'))
        out.pop_back();
    const auto first = out.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : out.substr(first);
}

// The text a control carries in the language: the caption table's, else the one it was built
// with, which also names a value whose label the language leaves empty.
std::string captionOf(std::string_view control, std::string_view built, Language language)
{
    const std::string caption = plain(CaptionTable::find(control, CaptionKind::Caption, language).value_or(built));
    return caption.empty() ? plain(built) : caption;
}

std::string stemOf(std::string_view control)
{
    for (std::string_view prefix : {"UpDown", "Edit"}) {
        if (control.starts_with(prefix))
            return std::string(control.substr(prefix.size()));
    }
    return std::string(control);
}

const GroupSpec* groupOf(const PlacementSpec& placement)
{
    const auto groups = StaticPageLayout::groups();
    const auto it = std::ranges::find(groups, placement.group, &GroupSpec::name);
    return it == groups.end() ? nullptr : &*it;
}

std::string groupCaption(const GroupSpec* group, Language language)
{
    return group == nullptr ? std::string() : captionOf(group->name, group->caption, language);
}

std::string keyed(std::string_view key, Language language)
{
    return std::string(CompareTexts::text(key, language).value_or(key));
}

// The heading of a column of run-time fields: its own, a shared one with the column's number,
// the group's title where the heading only names a unit, or the group's title with the heading.
std::string columnHeading(const PlacementSpec& placement, const GroupSpec* group, Language language)
{
    if (!placement.heading.empty())
        return captionOf(placement.heading, placement.caption, language);
    if (placement.caption.empty()) {
        const auto placements = StaticPageLayout::placements();
        const auto self = std::ranges::find(placements, placement.control, &PlacementSpec::control);
        for (auto before = self; before != placements.begin();) {
            --before;
            if (before->group == placement.group && !before->caption.empty())
                return columnHeading(*before, group, language) + " 2";
        }
        return groupCaption(group, language);
    }
    if (placement.caption.starts_with('['))
        return groupCaption(group, language) + " " + std::string(placement.caption);
    return groupCaption(group, language) + ": " + std::string(placement.caption);
}

std::string rowLabel(const GroupSpec* group, int row)
{
    if (group == nullptr || row < 0 || row >= static_cast<int>(group->rows.size()))
        return std::to_string(row + 1);
    return plain(group->rows[static_cast<std::size_t>(row)]);
}

// The label standing at the start of a row of a table-like group (the starting corrections).
std::string rowHeading(const PlacementSpec& placement, Language language)
{
    for (const ExtraSpec& extra : StaticPageLayout::extras()) {
        if (extra.group == placement.group && extra.cell.given() && extra.cell.row == placement.cell.row &&
            extra.cell.column == 0)
            return captionOf(extra.name, extra.caption, language);
    }
    return groupCaption(groupOf(placement), language);
}

std::string spinCaption(const Field& field, const PlacementSpec& placement, Language language,
                        const NameContext& context)
{
    const std::string label = "Label" + stemOf(field.controlName);
    const LanguageTable texts(language);
    for (const ControlView& view : bikeDependentCaptions(language, texts, context.chokeBike)) {
        if (view.key.name == label && view.caption)
            return plain(*view.caption);
    }
    return captionOf(label, placement.caption, language);
}

std::string staticFieldCaption(const Field& field, int element, Language language, const NameContext& context)
{
    const PlacementSpec* placement = StaticPageLayout::placementOf(field.controlName);
    if (placement == nullptr)
        return std::string(field.name);
    const GroupSpec* group = groupOf(*placement);
    if (field.control == ControlKind::MemoBox)
        return captionOf("LabelMemo", "Memo sheet", language);
    if (field.isArray() && field.controlIndex >= 0)
        return columnHeading(*placement, group, language) + ", " + rowLabel(group, element);
    if (placement->cell.given())
        return rowHeading(*placement, language) + ", " + std::to_string(placement->cell.column - 1);
    switch (field.control) {
    case ControlKind::Spin:
        return spinCaption(field, *placement, language, context);
    case ControlKind::CheckBox:
    case ControlKind::RadioGroup:
        return captionOf(field.controlName, placement->caption, language);
    case ControlKind::ComboBox:
        return groupCaption(group, language);
    case ControlKind::MemoBox:
    case ControlKind::Menu:
    case ControlKind::None:
        break;
    }
    return std::string(field.name);
}

std::optional<std::string> gridFieldCaption(const Field& field, int element, Language language)
{
    if (const auto extra = std::ranges::find(kExtraCaptions, field.name, &ExtraCaption::field);
        extra != kExtraCaptions.end()) {
        std::string caption(LanguageTable(language).text(extra->text));
        caption = plain(caption);
        if (extra->perCylinder)
            caption += " " + std::to_string(element + 1);
        return caption;
    }
    if (field.control == ControlKind::Menu)
        return plain(CaptionTable::find(kJetModeMenu, CaptionKind::MenuCaption, language).value_or(field.name));
    if (const auto option = std::ranges::find(kGridOptionCaptions, field.controlName, &DesignCaption::control);
        option != kGridOptionCaptions.end())
        return captionOf(option->control, option->caption, language);
    if (field.controlName == "CheckBoxServoEnable")
        return captionOf(field.controlName, field.name, language);
    return std::nullopt;
}

std::string fieldUnit(std::string_view name)
{
    const auto it = std::ranges::find(kUnits, name, &FieldUnit::field);
    return it == kUnits.end() ? std::string() : std::string(it->unit);
}

std::string cellUnit(int page, const NameContext& context)
{
    const MapLayout* map = MapTable::ofPage(page);
    if (map == nullptr)
        return {};
    switch (map->id) {
    case MapId::Advance:
        return "°";
    case MapId::Jet1A:
    case MapId::Jet2A:
    case MapId::Jet3A:
    case MapId::Jet4A:
    case MapId::Iap:
        return "%";
    case MapId::JetB:
        return {};
    case MapId::ServoEx:
        return context.servoExPercent ? "%" : "mV";
    case MapId::ServoIn:
        return context.servoInPercent ? "%" : "mV";
    }
    return {};
}

ShownName fieldName(const Difference& d, Language language, const NameContext& context)
{
    const Field* field = FieldTable::byName(d.name);
    if (field == nullptr || field->isDerived())
        return {d.label(), {}};
    const int element = std::max(d.element, 0);
    if (auto caption = gridFieldCaption(*field, element, language))
        return {std::move(*caption), fieldUnit(field->name)};
    return {staticFieldCaption(*field, element, language, context), fieldUnit(field->name)};
}

} // namespace

NameContext NameContext::of(const ParamImage& image)
{
    return {image.byte(kBikeOffset) == kChokeBike, image.byte(kServoInProcentOffset) != 0,
            image.byte(kServoExProcentOffset) != 0};
}

std::string ShownName::withUnit() const
{
    if (unit.empty() || caption.find('[') != std::string::npos)
        return caption;
    return caption + " [" + unit + "]";
}

ShownName shownName(const Difference& d, Language language, const NameContext& context)
{
    switch (d.kind) {
    case DifferenceKind::Field:
    case DifferenceKind::Memo:
        return fieldName(d, language, context);
    case DifferenceKind::RpmAxis:
        return {formatText(keyed("CompareAxisPoint", language), d.element + 1), "rpm"};
    case DifferenceKind::PressureRow:
        return {formatText(keyed("ComparePressureRow", language), d.element + 1), "kPa"};
    case DifferenceKind::MapCell:
        return {formatText(keyed("CompareCell", language), d.row() + 1, d.column() + 1), cellUnit(d.page, context)};
    case DifferenceKind::OtherByte:
        return {formatText(keyed("CompareByte", language), d.offset), {}};
    }
    return {d.label(), {}};
}

} // namespace quorvel
