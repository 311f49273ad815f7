#include "texts/map_edit_texts.h"

#include "texts/caption_table.h"
#include "texts/language_captions.h"
#include "texts/map_edit_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace quorvel {
namespace {

constexpr std::array kLanguages = {Language::English, Language::German, Language::French, Language::Czech};
constexpr int kLastMessage = static_cast<int>(MapEditMessage::FieldRounded);

// The %d (or %s) conversions of a format; "%%" and a lone % are no conversion.
int conversions(std::string_view format, char kind = 'd')
{
    int count = 0;
    for (std::size_t at = format.find('%'); at != std::string_view::npos; at = format.find('%', at + 1)) {
        if (at + 1 < format.size() && format[at + 1] == kind)
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
            EXPECT_EQ(conversions(format, 's'), wordCount(message)) << m << " " << format;
            // A count of one reads apart in every language or in none, and takes the numbers
            // after the first.
            const std::string_view singular = mapEditSingular(message, language);
            EXPECT_EQ(singular.empty(), mapEditSingular(message, Language::English).empty()) << m;
            if (!singular.empty()) {
                EXPECT_EQ(conversions(singular), argumentCount(message) - 1) << m << " " << singular;
            }
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

TEST(MapEditTexts, OneCellIsCountedInTheSingular)
{
    EXPECT_EQ(mapEditText({MapEditMessage::CellsChanged, 1}, Language::English), "1 cell changed");
    EXPECT_EQ(mapEditText({MapEditMessage::CellsPasted, 1}, Language::German), "1 Zelle eingefügt");
    EXPECT_EQ(mapEditText({MapEditMessage::CellsChanged, 1}, Language::French), "1 case modifiée");
    EXPECT_EQ(mapEditText({MapEditMessage::CellsPasted, 1}, Language::Czech), "Vložena 1 buňka");
    EXPECT_EQ(mapEditText({MapEditMessage::CellsChangedHeld, 1, 3}, Language::English),
              "1 cell changed; values held at the end of their range: 3");
    EXPECT_EQ(mapEditText({MapEditMessage::CellsChanged, 2}, Language::English), "2 cells changed");
}

TEST(MapEditTexts, AValueOutOfRangeNamesThePlaceTheValueAndTheRangeInEveryLanguage)
{
    const MapEditStatus cell{MapEditMessage::ValueOutOfRange, 0, 0, {"20%", "3000", "75", "0", "60", "deg"}};
    EXPECT_EQ(mapEditText(cell, Language::English),
              "Row 20%, 3000 rpm: 75 deg is outside the range 0 to 60 deg; nothing was changed");
    EXPECT_EQ(mapEditText(cell, Language::German),
              "Zeile 20%, 3000 U/min: 75 deg liegt außerhalb des Bereichs 0 bis 60 deg; nichts wurde geändert");
    EXPECT_NE(mapEditText(cell, Language::Czech).find("0 až 60 deg"), std::string::npos);
    // A parameter is named by itself and has no unit.
    const MapEditStatus field{MapEditMessage::ValueOutOfRange, 0, 0, {"IgnLimiter", "", "99999", "900", "25000", ""}};
    EXPECT_EQ(mapEditText(field, Language::English),
              "IgnLimiter: 99999 is outside the range 900 to 25000; nothing was changed");
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
