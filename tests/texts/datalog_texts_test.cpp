#include "texts/datalog_texts.h"
#include "texts/text_table_checks.h"

#include "core/monitor_channels.h"
#include "log/datalog_format.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <set>
#include <string>
#include <vector>

namespace quorvel {
namespace {

using test::conversions;
using test::expectComplete;
using test::inCaptionTable;
using test::kLanguages;

TEST(DatalogTexts, EveryControlHasItsTextsInFourLanguagesAndNoNameOfTheCaptionTable)
{
    std::set<std::pair<std::string_view, CaptionKind>> seen;
    for (const CaptionRow& row : DatalogTexts::controls()) {
        const std::string what(row.control);
        EXPECT_TRUE(seen.insert({row.control, row.kind}).second) << what << " is listed twice";
        expectComplete(row.texts, what, false);
        EXPECT_FALSE(inCaptionTable(row.control, row.kind)) << what << " has a caption already";
        EXPECT_EQ(DatalogTexts::find(row.control, row.kind, Language::Czech), textIn(row.texts, Language::Czech));
    }
    for (std::string_view name : {"MenuStartLog", "MenuStopLog", "FormLogViewer", "ButtonSuggestCorrections",
                                  "FormSuggestCorrections", "LabelSuggestNarrowBand"})
        EXPECT_TRUE(DatalogTexts::find(name, name.starts_with("Menu") ? CaptionKind::MenuCaption : CaptionKind::Caption,
                                       Language::German))
            << name;
}

TEST(DatalogTexts, MessagesTakeTheSameConversionsInEveryLanguage)
{
    for (const DatalogMessageRow& row : DatalogTexts::messages()) {
        const std::string what = "message " + std::to_string(static_cast<int>(row.message));
        expectComplete(row.texts, what, false);
        const auto english = conversions(textIn(row.texts, Language::English));
        for (Language language : kLanguages)
            EXPECT_EQ(conversions(textIn(row.texts, language)), english) << what << " " << static_cast<int>(language);
    }
    EXPECT_EQ(DatalogTexts::message(DatalogMessage::Rich, Language::French), "riche");
    EXPECT_EQ(conversions(DatalogTexts::message(DatalogMessage::CellTimeHint, Language::English)),
              (std::vector<std::string>{"%d", "%.1f"}));
}

TEST(DatalogTexts, EveryColumnOfALogHasANameForUsers)
{
    std::vector<std::string_view> columns;
    for (const MonitorChannel& channel : monitorChannels()) {
        if (channel.logged)
            columns.push_back(channel.name);
    }
    columns.insert(columns.end(), {kCellPageColumn, kCellRowColumn, kCellColumnColumn});
    for (std::string_view column : columns) {
        const auto english = DatalogTexts::channel(column, Language::English);
        EXPECT_TRUE(english) << column;
        EXPECT_TRUE(DatalogTexts::channel(column, Language::Czech)) << column;
    }
    EXPECT_EQ(DatalogTexts::channels().size(), columns.size()) << "a name for a column no log has";
    for (const ChannelCaptionRow& row : DatalogTexts::channels())
        expectComplete(row.texts, std::string(row.column), false);
    EXPECT_FALSE(DatalogTexts::channel("boost", Language::English));
}

} // namespace
} // namespace quorvel
