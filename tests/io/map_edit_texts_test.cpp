#include "io/map_edit_texts.h"

#include "io/caption_table.h"
#include "io/language_captions.h"
#include "io/map_edit_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace quorvel {
namespace {

constexpr std::array kLanguages = {Language::English, Language::German, Language::French, Language::Czech};
constexpr int kLastMessage = static_cast<int>(MapEditMessage::CsvFileFilter);

// The %d conversions of a format; "%%" and a lone % are no conversion.
int conversions(std::string_view format)
{
    int count = 0;
    for (std::size_t at = format.find('%'); at != std::string_view::npos; at = format.find('%', at + 1)) {
        if (at + 1 < format.size() && format[at + 1] == 'd')
            ++count;
    }
    return count;
}

TEST(MapEditTexts, EveryMessageHasItsOwnTextWithItsNumbersInEveryLanguage)
{
    std::set<std::string_view> english;
    for (int m = 0; m <= kLastMessage; ++m) {
        const auto message = static_cast<MapEditMessage>(m);
        english.insert(mapEditFormat(message, Language::English));
        for (Language language : kLanguages) {
            const std::string_view format = mapEditFormat(message, language);
            EXPECT_FALSE(format.empty()) << m;
            EXPECT_EQ(conversions(format), argumentCount(message)) << m << " " << format;
        }
    }
    EXPECT_EQ(english.size(), static_cast<std::size_t>(kLastMessage + 1)); // no message lacks its row
}

TEST(MapEditTexts, NumbersAreFilledInAndPercentSignsKept)
{
    EXPECT_EQ(mapEditText({MapEditMessage::CellsPasted, 12}, Language::English), "12 cells pasted");
    EXPECT_EQ(mapEditText({MapEditMessage::CellsPasted, 12}, Language::Czech), "Vloženo buněk: 12");
    EXPECT_EQ(mapEditText({MapEditMessage::BadNumber, 3, 7}, Language::German), "Zeile 3, Spalte 7: keine Zahl");
    EXPECT_NE(mapEditText({MapEditMessage::BadRowHead, 2, 1}, Language::French).find("de 0 % à 100 %"),
              std::string::npos);
}

TEST(MapEditTexts, EveryMenuItemHasACaptionInEveryLanguageAppliedLikeTheOthers)
{
    std::set<std::string_view> names;
    for (const MapEditItem& item : mapEditItems()) {
        if (item.isSeparator())
            continue;
        EXPECT_TRUE(names.insert(item.objectName).second) << item.objectName;
        for (Language language : kLanguages) {
            const auto caption = CaptionTable::find(item.objectName, CaptionKind::MenuCaption, language);
            ASSERT_TRUE(caption) << item.objectName;
            EXPECT_FALSE(caption->empty()) << item.objectName;
        }
    }
    EXPECT_TRUE(CaptionTable::find(kColoursBoxName, CaptionKind::Caption, Language::Czech));

    const LanguageCaptions german = applyLanguageCaptions(Language::German, {});
    const auto smooth = std::ranges::find(german.menuCaptions, ControlKey{"MenuMapSmooth"}, &ControlView::key);
    ASSERT_NE(smooth, german.menuCaptions.end());
    EXPECT_EQ(smooth->caption, "Glätten");
    const auto hint = std::ranges::find(german.hints, ControlKey{"CheckBoxColours_Uni"}, &HintText::key);
    ASSERT_NE(hint, german.hints.end());
    EXPECT_EQ(hint->tooltip, "Farbe nach Wert");
}

TEST(MapEditTexts, NamesAreNewToTheCaptionTable)
{
    for (const CaptionRow& row : mapEditCaptionRows()) {
        const bool taken = std::ranges::any_of(CaptionTable::rows(), [&](const CaptionRow& other) {
            return other.control == row.control && other.kind == row.kind;
        });
        EXPECT_FALSE(taken) << row.control;
        for (Language language : kLanguages)
            EXPECT_FALSE(textIn(row.texts, language).empty()) << row.control;
    }
}

TEST(MapEditMenu, ShortcutsDoNotClashWithEachOtherOrTheMainMenu)
{
    std::set<std::string_view> keys = {"F1", "F2", "F3",     "F4",     "F5",     "F7",
                                       "F8", "F9", "Ctrl+N", "Ctrl+P", "Ctrl+Z", "Ctrl+Alt+Z"};
    for (const MapEditItem& item : mapEditItems()) {
        if (!item.shortcut.empty()) {
            EXPECT_TRUE(keys.insert(item.shortcut).second) << item.shortcut;
        }
        EXPECT_NE(item.places, 0) << item.objectName;
    }
}

} // namespace
} // namespace quorvel
