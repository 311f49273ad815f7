#include "texts/caption_table.h"

#include "core/page_index.h"
#include "texts/menu_structure.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace quorvel {
namespace {

constexpr Language kAllLanguages[] = {Language::English, Language::German, Language::French, Language::Czech};

TEST(CaptionTable, NoControlHasTwoTextsOfOneKindAndNoPageTwoTabCaptions)
{
    std::set<std::pair<std::string_view, CaptionKind>> seen;
    for (const CaptionRow& row : CaptionTable::rows())
        EXPECT_TRUE(seen.emplace(row.control, row.kind).second) << row.control;

    std::set<int> pages;
    for (const PageTabRow& row : CaptionTable::pageTabs()) {
        EXPECT_TRUE(pages.insert(row.page).second) << row.page;
        EXPECT_GE(row.page, 0);
        EXPECT_LT(row.page, kPageCount);
    }

    std::set<std::pair<std::string_view, int>> items;
    for (const RadioItemRow& row : CaptionTable::radioItems())
        EXPECT_TRUE(items.emplace(row.group, row.item).second) << row.group << " " << row.item;
}

// Only the French gaps of the N2O page are empty on purpose; every other text exists in all four
// languages.
TEST(CaptionTable, EveryTextHasFourLanguagesExceptTheKnownGaps)
{
    const std::set<std::pair<std::string_view, Language>> emptyOnPurpose{
        {"LabelGasD", Language::French},
        {"LabelRetardD", Language::French},
        {"LabelGasT", Language::French},
        {"LabelRetardT", Language::French},
    };
    for (const CaptionRow& row : CaptionTable::rows()) {
        for (Language language : kAllLanguages)
            EXPECT_EQ(textIn(row.texts, language).empty(), emptyOnPurpose.contains({row.control, language}))
                << row.control;
    }
    for (const PageTabRow& row : CaptionTable::pageTabs()) {
        for (Language language : kAllLanguages)
            EXPECT_FALSE(textIn(row.texts, language).empty()) << row.page;
    }
    for (const RadioItemRow& row : CaptionTable::radioItems()) {
        for (Language language : kAllLanguages)
            EXPECT_FALSE(textIn(row.texts, language).empty()) << row.group << " " << row.item;
    }
}

// The table is decoded as the Central European code page; French reads E8 and E0 as è and à.
TEST(CaptionTable, FrenchTextsNeverShowTheCentralEuropeanLettersOfTheirBytes)
{
    for (const CaptionRow& row : CaptionTable::rows()) {
        const std::string_view french = textIn(row.texts, Language::French);
        EXPECT_EQ(french.find("č"), std::string_view::npos) << row.control;
        EXPECT_EQ(french.find("ŕ"), std::string_view::npos) << row.control;
    }
    EXPECT_EQ(CaptionTable::find("MenuSave", CaptionKind::MenuCaption, Language::French), "&Mèmoriser");
    EXPECT_EQ(CaptionTable::find("MenuCzech", CaptionKind::MenuCaption, Language::French), "&Tchèque");
    EXPECT_EQ(CaptionTable::find("LabelPilotLight", CaptionKind::Caption, Language::French),
              "Retard à l´allumage [rpm]");
    EXPECT_EQ(CaptionTable::find("CheckBoxProgHned", CaptionKind::Caption, Language::French),
              "Sovegarde après modification");
    // The Czech column keeps its own č.
    EXPECT_EQ(CaptionTable::find("TabSheet_Cidla", CaptionKind::Caption, Language::Czech), std::nullopt);
    EXPECT_EQ(CaptionTable::pageTab(kPageCidla, Language::Czech), "Čidla");
}

struct LookupCase {
    std::string_view control;
    CaptionKind kind;
    Language language;
    std::string_view expected;
};

class CaptionLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(CaptionLookup, FindsTheTextOfTheControlKindAndLanguage)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(CaptionTable::find(c.control, c.kind, c.language), c.expected);
}

// Composed texts, trailing spaces, accelerators and a control with both a caption and a hint.
INSTANTIATE_TEST_SUITE_P(
    Table, CaptionLookup,
    ::testing::Values(
        LookupCase{"TFormHlav", CaptionKind::Caption, Language::English, "Programming of Quorvel_2007 unit"},
        LookupCase{"TFormHlav", CaptionKind::Caption, Language::Czech, "Programování jednotky Quorvel_2007"},
        LookupCase{"LabelSpojeni", CaptionKind::Caption, Language::Czech, "Není spojení s PC"},
        LookupCase{"LabelStartLimiter", CaptionKind::Caption, Language::German, "Startbegrenzer [rpm]"},
        LookupCase{"LabelIapsNapeti2", CaptionKind::Caption, Language::Czech, "Napětí 2 [mV]"},
        LookupCase{"ButtonRead", CaptionKind::Caption, Language::Czech, "Čí&st"},
        LookupCase{"ButtonRead", CaptionKind::Hint, Language::English, "Reading parametrs from ignition"},
        LookupCase{"ButtonVerify", CaptionKind::Hint, Language::English,
                   "Compare set parametrs  with parametrs of ignition"},
        LookupCase{"MenuCom", CaptionKind::Hint, Language::Czech, "Nastavení čísla serivého portu (Com) "},
        LookupCase{"MenuZnovu", CaptionKind::MenuCaption, Language::German, "Wieder"},
        LookupCase{"RadioGroupGearSystem", CaptionKind::Caption, Language::German, "Gangerkennung"},
        LookupCase{"LabelPocetGear", CaptionKind::Caption, Language::German, "Anzahl der Gänge"},
        LookupCase{"LabelGearKorJet", CaptionKind::Caption, Language::Czech, "Vstřik [%]"}));

TEST(CaptionTable, UnknownControlsAndKindsHaveNoText)
{
    EXPECT_EQ(CaptionTable::find("LabelNothing", CaptionKind::Caption, Language::English), std::nullopt);
    EXPECT_EQ(CaptionTable::find("MenuFile", CaptionKind::Hint, Language::English), std::nullopt);
    EXPECT_EQ(CaptionTable::pageTab(kPageMonitor, Language::English), std::nullopt);
    EXPECT_TRUE(CaptionTable::itemsOf("RadioGroupNothing", Language::English).empty());
}

TEST(CaptionTable, PageTabsNameTheMapPagesInEachLanguage)
{
    EXPECT_EQ(CaptionTable::pageTab(kPageInj1A, Language::Czech), "Vstřik 1");
    EXPECT_EQ(CaptionTable::pageTab(kPageInjIap, Language::German), "Einsp. IAP");
    EXPECT_EQ(CaptionTable::pageTab(kPageExhaustServo, Language::English), "Exhaust servo ");
    EXPECT_EQ(CaptionTable::pageTab(kPageGas, Language::French), "N2O");
}

TEST(CaptionTable, GermanGearSystemItemsAreAllGerman)
{
    const std::vector<std::string_view> german = CaptionTable::itemsOf("RadioGroupGearSystem", Language::German);
    ASSERT_EQ(german.size(), 4u);
    EXPECT_EQ(german[0], "Spannung");
    EXPECT_EQ(german[1], "Verhältnis Drehz./Geschw.");
    EXPECT_EQ(german[2], "Automatik (Drehz./Geschw.)");
    EXPECT_EQ(german[3], "Keine ");
    EXPECT_EQ(CaptionTable::itemsOf("RadioGroupGearSystem", Language::English)[1], "Ration Rpm Speed");
    EXPECT_EQ(CaptionTable::itemsOf("RadioGroupSpeedMode", Language::German).size(), 2U);
}

// Every menu and item the menu bar builds has a caption in every language, from the table or fixed.
TEST(CaptionTable, EveryMenuAndItemHasACaptionInEveryLanguage)
{
    for (const MenuSpec& menu : mainMenus()) {
        for (Language language : kAllLanguages) {
            EXPECT_FALSE(menuCaption(menu.objectName, language).empty()) << menu.objectName;
            for (const MenuItemSpec& item : menu.items) {
                if (!item.isSeparator()) {
                    EXPECT_FALSE(menuCaption(item.objectName, language).empty()) << item.objectName;
                }
            }
        }
    }
    for (const ToolButtonSpec& button : toolBar()) {
        if (button.iconName.empty()) {
            EXPECT_TRUE(CaptionTable::find(button.objectName, CaptionKind::Caption, Language::French))
                << button.objectName;
        }
    }
}

} // namespace
} // namespace quorvel
