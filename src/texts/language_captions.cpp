#include "texts/language_captions.h"

#include "texts/caption_table.h"
#include "texts/feature_captions.h"
#include "texts/language_table.h"
#include "texts/language_word.h"

#include <array>

namespace quorvel {
namespace {

struct Placeholder {
    std::string_view label;
    int textNumber;
    std::string_view placeholder;
};

constexpr int kGearShiftLightText = 52;
constexpr int kChokeText = 53;
constexpr int kDesiredRpmText = 74;
constexpr int kCylinderCorrectionText = 57;

// The pilot light label is not listed: its text depends on the bike.
constexpr Placeholder kPlaceholders[] = {
    {"LabelMon_Ign", 12, "= --- [°]"},
    {"LabelPocetProgramovani", 13, "---"},
    {"LabelMonBlock2Out", 14, " - ---"},
    {"LabelMonStartLimiterOut", 15, " - ---"},
    {"LabelMonIgnLimiter", 16, " - ---"},
    {"LabelMonJetLimiter", 17, " - ---"},
    {"LabelMonRetardLimiter", 18, " - ---"},
    {"LabelSnimacCkps", 33, " - ---"},
    {"LabelSnimacCmps", 34, " - ---"},
    {"LabelMon_Jet_A", 41, " A = --- us"},
    {"LabelMon_Jet_B", 41, " B = --- us"},
    {"LabelMon_Jet_1A", 41, " 1A = --- us"},
    {"LabelMon_Jet_2A", 41, " 2A = --- us"},
    {"LabelMon_Jet_3A", 41, " 3A = --- us"},
    {"LabelMon_Jet_4A", 41, " 4A = --- us"},
    {"LabelMon_Jet_1B", 41, " 1B = --- us"},
    {"LabelMon_Jet_2B", 41, " 2B = --- us"},
    {"LabelMon_Jet_3B", 41, " 3B = --- us"},
    {"LabelMon_Jet_4B", 41, " 4B = --- us"},
    {"LabelMaxInjProcent", 42, " = --- %"},
    {"LabelMon_PolohaA", 43, " A = ---"},
    {"LabelMon_PolohaB", 43, " B = ---"},
    {"LabelMonServoIntake", 45, " = ---/--- mV"},
    {"LabelMonServoExhaust", 44, " = ---/--- mV"},
    {"LabelMonPotenc", 47, " = --- mV"},
    {"LabelGear", 50, " = --- "},
    {"LabelMonSpeed", 51, " = --- [km/h]"},
    {"LabelMonFallOut", 48, " - ---"},
    {"LabelClazeniMon", 49, " - ---"},
};

constexpr LanguageTexts kStepPeriodNormal{"Step motor period [ms]", "Step Motor Periode [ms]", "Step motor period [ms]",
                                          "Perioda krokového motoru [ms]"};
constexpr LanguageTexts kStepPeriodChoke{"Idle regulation [0.1%/2rpm]", "Freilaufregulationg[0.1%/2rpm]",
                                         "Idle regulation [0.1%/2rpm]", "Regulace volnoběhu [0.1%/2rpm]"};
constexpr LanguageTexts kIdleHysteresis{"Hysteresis [rpm]", "Hysteresis [rpm]", "Hysteresis [rpm]", "Hystereze [rpm]"};

constexpr std::array kLanguages{Language::English, Language::German, Language::French, Language::Czech};

ControlView captionView(ControlKey key, std::string_view text)
{
    ControlView view;
    view.key = key;
    view.caption = std::string(text);
    return view;
}

void addCaptionRows(std::span<const CaptionRow> rows, Language language, LanguageCaptions& result)
{
    for (const CaptionRow& row : rows) {
        if (isOwnDialogControl(row.control))
            continue;
        const ControlKey key{row.control};
        const std::string_view text = textIn(row.texts, language);
        switch (row.kind) {
        case CaptionKind::Caption:
            result.captions.push_back(captionView(key, text));
            break;
        case CaptionKind::MenuCaption:
            result.menuCaptions.push_back(captionView(key, text));
            break;
        case CaptionKind::Hint:
            result.hints.push_back(splitHint(key, text));
            break;
        }
    }
}

void addTableTexts(Language language, LanguageCaptions& result)
{
    addCaptionRows(CaptionTable::rows(), language, result);
    for (const std::span<const CaptionRow> table : featureCaptionRows())
        addCaptionRows(table, language, result);
    for (const PageTabRow& row : CaptionTable::pageTabs())
        result.pageTabs.push_back({row.page, std::string(textIn(row.texts, language))});
    for (const RadioItemRow& row : CaptionTable::radioItems()) {
        if (result.radioItems.empty() || result.radioItems.back().group != row.group)
            result.radioItems.push_back({row.group, {}});
        result.radioItems.back().items.emplace_back(textIn(row.texts, language));
    }
}

} // namespace

std::vector<LabelState> monitorPlaceholders(const MessageTexts& texts, bool chokeBike)
{
    std::vector<LabelState> labels;
    auto add = [&](std::string_view label, int textNumber, std::string_view placeholder) {
        LabelState state;
        state.key = ControlKey{label};
        state.text = std::string(texts.text(textNumber)) + std::string(placeholder);
        labels.push_back(std::move(state));
    };
    for (const Placeholder& p : kPlaceholders)
        add(p.label, p.textNumber, p.placeholder);
    add("LabelMonPilotLight", chokeBike ? kChokeText : kGearShiftLightText, " - ---");
    return labels;
}

std::vector<ControlView> bikeDependentCaptions(Language language, const MessageTexts& texts, bool chokeBike)
{
    return {
        captionView(ControlKey{"LabelIdleStepPerioda"},
                    textIn(chokeBike ? kStepPeriodChoke : kStepPeriodNormal, language)),
        captionView(ControlKey{"LabelIdleHyster"},
                    chokeBike ? texts.text(kDesiredRpmText) : textIn(kIdleHysteresis, language)),
    };
}

std::string cylinderCorrectionCaption(const MessageTexts& texts, std::uint8_t cylinderCount)
{
    return std::string(texts.text(kCylinderCorrectionText)) + std::string(cylinderListSuffix(cylinderCount));
}

LanguageCaptions applyLanguageCaptions(Language language, const CaptionContext& context)
{
    language = languageFromIndex(static_cast<int>(language));
    const LanguageTable texts(language);
    LanguageCaptions result;

    // Texts first, so that nothing below composes from the texts of the previous language.
    if (!context.connected)
        result.monitorLabels = monitorPlaceholders(texts, context.chokeBike);
    for (Language candidate : kLanguages)
        result.languageChecks.push_back({languageMenuItem(candidate), candidate == language});

    addTableTexts(language, result);
    for (ControlView& view : bikeDependentCaptions(language, texts, context.chokeBike))
        result.captions.push_back(std::move(view));
    // Label 1 of the extra fields names the cylinders on the two pages with per-cylinder fields.
    if (context.activePage == kPageAdvance || context.activePage == kPageInjIap)
        result.captions.push_back(
            captionView(ControlKey{"LabelExtra_Uni", 1}, cylinderCorrectionCaption(texts, context.cylinderCount)));
    return result;
}

} // namespace quorvel
