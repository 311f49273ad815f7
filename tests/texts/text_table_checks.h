#pragma once

// What every table of texts in the four languages must hold, for the tests of those tables.
#include "texts/caption_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::test {

inline constexpr std::array kLanguages = {Language::English, Language::German, Language::French, Language::Czech};

// Whether the window's first caption table names the control already.
inline bool inCaptionTable(std::string_view control, CaptionKind kind)
{
    return std::ranges::any_of(CaptionTable::rows(),
                               [&](const CaptionRow& row) { return row.control == control && row.kind == kind; });
}

// The printf conversions of a format in order: "%d", "%.1f", "%s" ...; "%%" and a lone % (as in
// "[%]" or "% of") are none.
inline std::vector<std::string> conversions(std::string_view format)
{
    std::vector<std::string> found;
    for (std::size_t at = 0; at < format.size(); ++at) {
        if (format[at] != '%')
            continue;
        if (at + 1 < format.size() && format[at + 1] == '%') {
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < format.size() && std::string_view("-+0123456789.").find(format[end]) != std::string_view::npos)
            ++end;
        if (end < format.size() && std::string_view("dfs").find(format[end]) != std::string_view::npos) {
            found.emplace_back(format.substr(at, end - at + 1));
            at = end;
        }
    }
    return found;
}

inline bool validUtf8(std::string_view text)
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

// A text in every language, as UTF-8; a format with the conversions of the English one.
inline void expectComplete(const LanguageTexts& texts, std::string_view what, bool format = true)
{
    const std::vector<std::string> english = conversions(texts[0]);
    for (Language language : kLanguages) {
        const std::string_view text = textIn(texts, language);
        EXPECT_FALSE(text.empty()) << what << " in language " << static_cast<int>(language);
        EXPECT_TRUE(validUtf8(text)) << what << " in language " << static_cast<int>(language);
        if (format) {
            EXPECT_EQ(conversions(text), english) << what << " in language " << static_cast<int>(language);
        }
    }
}

} // namespace quorvel::test
