#include "texts/language_captions.h"

#include "texts/language_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

namespace quorvel {
namespace {

std::optional<std::string> captionOf(const std::vector<ControlView>& views, std::string_view objectName)
{
    const auto view =
        std::ranges::find_if(views, [&](const ControlView& v) { return v.key.objectName() == objectName; });
    if (view == views.end())
        return std::nullopt;
    return view->caption;
}

std::optional<std::string> labelText(const std::vector<LabelState>& labels, std::string_view name)
{
    const auto label = std::ranges::find_if(labels, [&](const LabelState& l) { return l.key.objectName() == name; });
    if (label == labels.end())
        return std::nullopt;
    return label->text;
}

std::string tabOf(const LanguageCaptions& captions, int page)
{
    const auto tab = std::ranges::find(captions.pageTabs, page, &PageTabCaption::page);
    return tab == captions.pageTabs.end() ? std::string("<none>") : tab->caption;
}

TEST(ApplyLanguageCaptions, CzechWhileDisconnectedRenamesTheMapPageAndTheConnectionLabel)
{
    const LanguageCaptions czech = applyLanguageCaptions(Language::Czech, CaptionContext{});
    EXPECT_EQ(tabOf(czech, kPageInj1A), "Vstřik 1");
    EXPECT_EQ(captionOf(czech.captions, "LabelSpojeni"), "Není spojení s PC");
    EXPECT_EQ(captionOf(czech.captions, "TFormHlav"), "Programování jednotky Quorvel_2007");
    EXPECT_EQ(captionOf(czech.menuCaptions, "MenuFile"), "&Soubor");
    EXPECT_EQ(labelText(czech.monitorLabels, "LabelMon_Ign"), "Předstih= --- [°]");
}

TEST(ApplyLanguageCaptions, ConnectedUnitKeepsItsLiveMonitorValues)
{
    CaptionContext connected;
    connected.connected = true;
    EXPECT_TRUE(applyLanguageCaptions(Language::Czech, connected).monitorLabels.empty());
}

TEST(ApplyLanguageCaptions, FrenchEmptiesTheN2oDelayAndBuildUpLabels)
{
    const LanguageCaptions french = applyLanguageCaptions(Language::French, CaptionContext{});
    for (std::string_view label : {"LabelGasD", "LabelRetardD", "LabelGasT", "LabelRetardT"})
        EXPECT_EQ(captionOf(french.captions, label), "") << label;
    EXPECT_EQ(captionOf(french.captions, "LabelGas1"), "N2O 1 [%]");
}

TEST(ApplyLanguageCaptions, ChokeBikeAsksForDesiredRpmAndAnotherBikeForHysteresisAgain)
{
    CaptionContext choke;
    choke.chokeBike = true;
    const LanguageCaptions onChoke = applyLanguageCaptions(Language::English, choke);
    EXPECT_EQ(captionOf(onChoke.captions, "LabelIdleHyster"), "Desired RPM");
    EXPECT_EQ(captionOf(onChoke.captions, "LabelIdleStepPerioda"), "Idle regulation [0.1%/2rpm]");
    EXPECT_EQ(labelText(onChoke.monitorLabels, "LabelMonPilotLight"), "Choke - ---");

    const LanguageCaptions back = applyLanguageCaptions(Language::English, CaptionContext{});
    EXPECT_EQ(captionOf(back.captions, "LabelIdleHyster"), "Hysteresis [rpm]");
    EXPECT_EQ(captionOf(back.captions, "LabelIdleStepPerioda"), "Step motor period [ms]");
    EXPECT_EQ(labelText(back.monitorLabels, "LabelMonPilotLight"), "Gear Shift Light - ---");

    EXPECT_EQ(captionOf(applyLanguageCaptions(Language::German, choke).captions, "LabelIdleHyster"), "Gewünschte RPM");
    EXPECT_EQ(captionOf(applyLanguageCaptions(Language::Czech, CaptionContext{}).captions, "LabelIdleHyster"),
              "Hystereze [rpm]");
}

TEST(ApplyLanguageCaptions, EnglishLanguageMenuHintSplitsIntoTooltipAndStatusLine)
{
    const LanguageCaptions english = applyLanguageCaptions(Language::English, CaptionContext{});
    const auto hint =
        std::ranges::find_if(english.hints, [](const HintText& h) { return h.key.name == "MenuLanguage"; });
    ASSERT_NE(hint, english.hints.end());
    EXPECT_EQ(hint->tooltip, "Language");
    EXPECT_EQ(hint->statusTip, "Set English or German or French");

    const LanguageCaptions german = applyLanguageCaptions(Language::German, CaptionContext{});
    const auto one = std::ranges::find_if(german.hints, [](const HintText& h) { return h.key.name == "MenuLanguage"; });
    ASSERT_NE(one, german.hints.end());
    EXPECT_EQ(one->tooltip, "Sprache");
    EXPECT_EQ(one->statusTip, "Sprache");
}

TEST(SplitHint, SplitsAtTheFirstBarOnly)
{
    EXPECT_EQ(splitHint(ControlKey{"MenuEnglish"}, "|Set Englich menu"),
              (HintText{ControlKey{"MenuEnglish"}, "", "Set Englich menu"}));
    EXPECT_EQ(splitHint(ControlKey{"X"}, "a|b|c"), (HintText{ControlKey{"X"}, "a", "b|c"}));
    EXPECT_EQ(splitHint(ControlKey{"X"}, ""), (HintText{ControlKey{"X"}, "", ""}));
}

TEST(ApplyLanguageCaptions, GermanGearSystemItemsAreGerman)
{
    const LanguageCaptions german = applyLanguageCaptions(Language::German, CaptionContext{});
    const auto gear =
        std::ranges::find(german.radioItems, std::string_view("RadioGroupGearSystem"), &RadioGroupItems::group);
    ASSERT_NE(gear, german.radioItems.end());
    EXPECT_EQ(gear->items, (std::vector<std::string>{"Spannung", "Verhältnis Drehz./Geschw.",
                                                     "Automatik (Drehz./Geschw.)", "Keine "}));
}

TEST(ApplyLanguageCaptions, EachRadioGroupComesOnceWithAllItsItems)
{
    const LanguageCaptions czech = applyLanguageCaptions(Language::Czech, CaptionContext{});
    std::set<std::string_view> groups;
    for (const RadioGroupItems& group : czech.radioItems)
        EXPECT_TRUE(groups.insert(group.group).second) << group.group;
    EXPECT_EQ(groups, (std::set<std::string_view>{"RadioGroupPolohaA", "RadioGroupPolohaB", "RadioGroupIdleMode",
                                                  "RadioGroupGearSystem", "RadioGroupSpeedMode"}));
}

TEST(ApplyLanguageCaptions, OnlyTheCurrentLanguageIsChecked)
{
    const LanguageCaptions french = applyLanguageCaptions(Language::French, CaptionContext{});
    ASSERT_EQ(french.languageChecks.size(), 4u);
    for (const MenuCheck& check : french.languageChecks)
        EXPECT_EQ(check.checked, check.item == "MenuFrench") << check.item;
}

TEST(ApplyLanguageCaptions, CylinderCorrectionFollowsTheCylinderCountOnPagesWithCylinderFields)
{
    CaptionContext twin;
    twin.cylinderCount = 2;
    twin.activePage = kPageAdvance;
    EXPECT_EQ(captionOf(applyLanguageCaptions(Language::German, twin).captions, "LabelExtra_Uni1"),
              "Korrektion für Zylinder 1,2");
    twin.activePage = kPageInjIap;
    twin.cylinderCount = 7;
    EXPECT_EQ(captionOf(applyLanguageCaptions(Language::English, twin).captions, "LabelExtra_Uni1"),
              "Correction for cylinder 1,2,3,4");
    // Elsewhere label 1 names another field, which the page's own view captions.
    twin.activePage = kPageInj1A;
    EXPECT_EQ(captionOf(applyLanguageCaptions(Language::English, twin).captions, "LabelExtra_Uni1"), std::nullopt);
}

TEST(ApplyLanguageCaptions, LanguageOutOfRangeReadsAsEnglish)
{
    const LanguageCaptions stray = applyLanguageCaptions(static_cast<Language>(9), CaptionContext{});
    EXPECT_EQ(captionOf(stray.captions, "LabelSpojeni"), "No connection with PC");
}

struct PlaceholderCase {
    Language language;
    std::string_view label;
    std::string_view expected;
};

class MonitorPlaceholders : public ::testing::TestWithParam<PlaceholderCase> {};

TEST_P(MonitorPlaceholders, LabelShowsItsTextAndPlaceholder)
{
    const LanguageTable texts(GetParam().language);
    EXPECT_EQ(labelText(monitorPlaceholders(texts, false), GetParam().label), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MonitorPlaceholders,
    ::testing::Values(PlaceholderCase{Language::English, "LabelPocetProgramovani", "Number of Programing = ---"},
                      PlaceholderCase{Language::English, "LabelMon_Jet_3B", "Injection time 3B = --- us"},
                      PlaceholderCase{Language::German, "LabelMonServoExhaust", "Abblaseservo = ---/--- mV"},
                      PlaceholderCase{Language::Czech, "LabelMonServoIntake", "Sací servo  = ---/--- mV"},
                      PlaceholderCase{Language::French, "LabelMonSpeed", "Vitesse = --- [km/h]"},
                      PlaceholderCase{Language::English, "LabelGear", "Gear = --- "},
                      PlaceholderCase{Language::French, "LabelMonPilotLight", "Retard à l´allumage - ---"},
                      PlaceholderCase{Language::English, "LabelMaxInjProcent", "Max injection = --- %"}));

TEST(MonitorPlaceholders, EveryMonitorLabelOnce)
{
    const LanguageTable texts(Language::English);
    const std::vector<LabelState> labels = monitorPlaceholders(texts, false);
    std::set<std::string> names;
    for (const LabelState& label : labels)
        EXPECT_TRUE(names.insert(label.key.objectName()).second) << label.key.objectName();
    EXPECT_EQ(labels.size(), 30u);
}

} // namespace
} // namespace quorvel
