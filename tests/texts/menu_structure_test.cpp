#include "texts/menu_structure.h"

#include "texts/language_word.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace quorvel {
namespace {

std::map<std::string, std::string_view> shortcutsByItem()
{
    std::map<std::string, std::string_view> shortcuts;
    for (const MenuSpec& menu : mainMenus()) {
        for (const MenuItemSpec& item : menu.items) {
            if (!item.shortcut.empty())
                shortcuts[std::string(item.objectName)] = item.shortcut;
        }
    }
    return shortcuts;
}

TEST(MenuStructure, ShortcutsAreTheFixedKeysAndNoneIsTakenTwice)
{
    const std::map<std::string, std::string_view> expected{
        {"MenuNew", "Ctrl+N"},
        {"MenuOpen", "F3"},
        {"MenuSave", "F2"},
        {"MenuPrint", "Ctrl+P"},
        {"MenuRead", "F7"},
        {"MenuVerify", "F8"},
        {"MenuProgram", "F9"},
        {"MenuToolsMinus", "F4"},
        {"MenuToolsPlus", "F5"},
        {"MenuZpet", "Ctrl+Z"},
        {"MenuZnovu", "Ctrl+Alt+Z"},
        {"MenuContens", "F1"},
        // The keys beyond the first window's: the map views, the datalog and live tuning.
        {"MenuView3D", "F6"},
        {"MenuViewCurve", "Shift+F6"},
        {"MenuStartLog", "Ctrl+R"},
        {"MenuStopLog", "Ctrl+Shift+R"},
        {"MenuLiveTuning", "Ctrl+T"},
    };
    EXPECT_EQ(shortcutsByItem(), expected);
}

TEST(MenuStructure, ObjectNamesAreUniqueAcrossMenusItemsAndToolButtons)
{
    std::set<std::string_view> names;
    for (const MenuSpec& menu : mainMenus()) {
        EXPECT_TRUE(names.insert(menu.objectName).second) << menu.objectName;
        for (const MenuItemSpec& item : menu.items) {
            if (!item.isSeparator()) {
                EXPECT_TRUE(names.insert(item.objectName).second) << item.objectName;
            }
        }
    }
    for (const ToolButtonSpec& button : toolBar())
        EXPECT_TRUE(names.insert(button.objectName).second) << button.objectName;
}

TEST(MenuStructure, OnlyTheServiceMenuNeedsTestModeAndItHasNoShortcuts)
{
    int serviceMenus = 0;
    for (const MenuSpec& menu : mainMenus()) {
        if (!menu.serviceOnly)
            continue;
        ++serviceMenus;
        EXPECT_EQ(menu.objectName, "MenuServis");
        EXPECT_EQ(menu.items.size(), 4u);
        for (const MenuItemSpec& item : menu.items)
            EXPECT_TRUE(item.shortcut.empty()) << item.objectName;
    }
    EXPECT_EQ(serviceMenus, 1);
}

TEST(MenuStructure, EachCheckGroupStartsWithExactlyOneCheckedItem)
{
    std::map<CheckGroup, int> checked;
    std::map<CheckGroup, int> members;
    for (const MenuSpec& menu : mainMenus()) {
        for (const MenuItemSpec& item : menu.items) {
            ++members[item.checkGroup];
            checked[item.checkGroup] += item.checkedAtStart ? 1 : 0;
        }
    }
    EXPECT_EQ(members[CheckGroup::JetMode], 3);
    EXPECT_EQ(members[CheckGroup::Language], 4);
    EXPECT_EQ(checked[CheckGroup::JetMode], 1);
    EXPECT_EQ(checked[CheckGroup::Language], 1);
    EXPECT_EQ(checked[CheckGroup::None], 0);
}

TEST(MenuStructure, ToolBarRunsTheCommandsOfItsMenuItemsFromLeftToRight)
{
    const auto buttons = toolBar();
    ASSERT_EQ(buttons.size(), 12u);
    EXPECT_EQ(buttons[0].objectName, "SpeedButton6");
    EXPECT_EQ(buttons[0].command, MenuCommand::New);
    EXPECT_EQ(buttons[3].command, MenuCommand::Print);
    EXPECT_EQ(buttons[5].command, MenuCommand::Redo);
    EXPECT_EQ(buttons[8].objectName, "ButtonProgram");
    EXPECT_EQ(buttons[8].command, MenuCommand::Program);
    EXPECT_TRUE(buttons[8].iconName.empty());
    EXPECT_EQ(buttons[9].command, MenuCommand::RecordLog);
    EXPECT_TRUE(buttons[9].checkable && buttons[10].checkable && buttons[11].checkable);
}

TEST(MenuStructure, FixedCaptionsAreTheSameInEveryLanguage)
{
    for (Language language : {Language::English, Language::Czech}) {
        EXPECT_EQ(menuCaption("Menu_Jet123Stejny", language), "1=2=3=4");
        EXPECT_EQ(menuCaption("MenuToolsMinus", language), "Minus ");
        EXPECT_EQ(menuCaption("MenuServisUlozProcenta", language), "Uloz Map %");
    }
    EXPECT_EQ(menuCaption("Menu_Jet123Normal", Language::English), "Separate");
    EXPECT_EQ(menuCaption("MenuAbout", Language::German), "&Über Programm...");
    EXPECT_EQ(menuCaption("MenuUnknown", Language::German), "");
}

TEST(MenuStructure, JetModeValuesOtherThanCoupledOrSameCheckSeparate)
{
    EXPECT_EQ(jetModeMenuItem(0), "Menu_Jet123Normal");
    EXPECT_EQ(jetModeMenuItem(1), "Menu_Jet123Coupled");
    EXPECT_EQ(jetModeMenuItem(2), "Menu_Jet123Stejny");
    EXPECT_EQ(jetModeMenuItem(3), "Menu_Jet123Normal");
    EXPECT_EQ(jetModeMenuItem(255), "Menu_Jet123Normal");
}

struct WordCase {
    std::string_view word;
    std::optional<Language> expected;
};

class LanguageWord : public ::testing::TestWithParam<WordCase> {};

TEST_P(LanguageWord, OnlyTheFourUpperCaseWordsChooseALanguage)
{
    EXPECT_EQ(languageFromCommandWord(GetParam().word), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Words, LanguageWord,
                         ::testing::Values(WordCase{"ENGLISH", Language::English},
                                           WordCase{"DEUTSCH", Language::German}, WordCase{"FRENCH", Language::French},
                                           WordCase{"CESKY", Language::Czech}, WordCase{"english", std::nullopt},
                                           WordCase{"Deutsch", std::nullopt}, WordCase{"ENGLISH ", std::nullopt},
                                           WordCase{"GERMAN", std::nullopt}, WordCase{"", std::nullopt},
                                           WordCase{"--simulate", std::nullopt}));

TEST(LanguageWord, StoredIndexOutsideTheFourReadsAsEnglish)
{
    EXPECT_EQ(languageFromIndex(3), Language::Czech);
    EXPECT_EQ(languageFromIndex(4), Language::English);
    EXPECT_EQ(languageFromIndex(-1), Language::English);
    EXPECT_EQ(languageMenuItem(Language::German), "MenuGerman");
    EXPECT_EQ(languageMenuItem(static_cast<Language>(200)), "MenuEnglish");
}

} // namespace
} // namespace quorvel
