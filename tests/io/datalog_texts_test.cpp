#include "io/datalog_texts.h"

#include "core/monitor_channels.h"
#include "log/datalog_format.h"

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

// The printf conversions of a format in order: "%d", "%.1f", "%s" ...; "%%" is none.
std::vector<std::string> conversions(std::string_view format)
{
    std::vector<std::string> found;
    for (std::size_t at = format.find('%'); at != std::string_view::npos; at = format.find('%', at + 1)) {
        const std::size_t end = format.find_first_of("dfs%", at + 1);
        if (end == std::string_view::npos)
            break;
        if (format[end] != '%')
            found.emplace_back(format.substr(at, end - at + 1));
        at = end;
    }
    return found;
}

bool validUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
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

void expectComplete(const LanguageTexts& texts, const std::string& what)
{
    for (Language language : kLanguages) {
        const std::string_view text = textIn(texts, language);
        EXPECT_FALSE(text.empty()) << what << " in language " << static_cast<int>(language);
        EXPECT_TRUE(validUtf8(text)) << what << " in language " << static_cast<int>(language);
    }
}

TEST(DatalogTexts, EveryControlHasItsTextsInFourLanguagesAndNoNameOfTheCaptionTable)
{
    std::set<std::pair<std::string_view, CaptionKind>> seen;
    for (const CaptionRow& row : DatalogTexts::controls()) {
        const std::string what(row.control);
        EXPECT_TRUE(seen.insert({row.control, row.kind}).second) << what << " is listed twice";
        expectComplete(row.texts, what);
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
        expectComplete(row.texts, what);
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
        expectComplete(row.texts, std::string(row.column));
    EXPECT_FALSE(DatalogTexts::channel("boost", Language::English));
}

} // namespace
} // namespace quorvel
