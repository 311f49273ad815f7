#include "io/compare_texts.h"
#include "io/map_view_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <set>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// Whether the window's first caption table names the control already.
bool inCaptionTable(std::string_view control, CaptionKind kind)
{
    return std::ranges::any_of(CaptionTable::rows(),
                               [&](const CaptionRow& row) { return row.control == control && row.kind == kind; });
}

constexpr std::array kLanguages = {Language::English, Language::German, Language::French, Language::Czech};

// The printf conversions of a text in order: "%s", "%d"; a lone % (as in "[%]") is none.
std::vector<std::string> conversions(std::string_view text)
{
    std::vector<std::string> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && (text[i + 1] == 's' || text[i + 1] == 'd'))
            found.emplace_back(text.substr(i, 2));
    }
    return found;
}

bool validUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2)
                return false;
        }
        i += length;
    }
    return true;
}

void expectComplete(const LanguageTexts& texts, std::string_view name)
{
    const std::vector<std::string> english = conversions(texts[0]);
    for (Language language : kLanguages) {
        const std::string_view text = textIn(texts, language);
        EXPECT_FALSE(text.empty()) << name;
        EXPECT_TRUE(validUtf8(text)) << name;
        EXPECT_EQ(conversions(text), english) << name << " in language " << static_cast<int>(language);
    }
}

TEST(CompareAndViewTexts, EveryTextInFourLanguagesWithTheSameConversions)
{
    std::set<std::pair<std::string_view, CaptionKind>> controls;
    for (std::span<const CaptionRow> table : {CompareTexts::captions(), MapViewTexts::captions()}) {
        for (const CaptionRow& row : table) {
            expectComplete(row.texts, row.control);
            EXPECT_TRUE(controls.insert({row.control, row.kind}).second) << row.control;
            // The names are new: no control of the caption table carries them.
            EXPECT_FALSE(inCaptionTable(row.control, row.kind)) << row.control;
        }
    }
    std::set<std::string_view> keys;
    for (std::span<const KeyedText> table : {CompareTexts::texts(), MapViewTexts::texts()}) {
        for (const KeyedText& row : table) {
            expectComplete(row.texts, row.key);
            EXPECT_TRUE(keys.insert(row.key).second) << row.key;
        }
    }
}

TEST(CompareAndViewTexts, LookUpByKeyInTheLanguage)
{
    EXPECT_EQ(CompareTexts::text("CompareTooltip", Language::English), "file: %s  here: %s");
    EXPECT_EQ(CompareTexts::text("CompareTooltip", Language::Czech), "soubor: %s  zde: %s");
    EXPECT_EQ(MapViewTexts::text("View3DNeedsOpenGl", Language::English),
              "3D view needs OpenGL, which is not available here");
    EXPECT_EQ(MapViewTexts::text("AxisRpm", Language::German), "Drehzahl [1/min]");
    EXPECT_FALSE(CompareTexts::text("NoSuchText", Language::English).has_value());
}

} // namespace
} // namespace quorvel
