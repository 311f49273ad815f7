#include "texts/compare_texts.h"
#include "texts/map_view_texts.h"
#include "texts/text_table_checks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <set>
#include <string>
#include <vector>

namespace quorvel {
namespace {

using test::expectComplete;
using test::inCaptionTable;
using test::kLanguages;

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
