#include "log/tuning_keys.h"

#include "texts/tuning_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

std::vector<std::string_view> everyKey()
{
    std::vector<std::string_view> keys;
    for (int c = 0; c <= static_cast<int>(PreflightCode::FrameWouldNotCount); ++c)
        keys.push_back(textKey(static_cast<PreflightCode>(c)));
    for (std::size_t v = 0; v < kFrameVerdictCount; ++v)
        keys.push_back(textKey(static_cast<FrameVerdict>(v)));
    for (int r = 0; r <= static_cast<int>(CellReading::Rich); ++r)
        keys.push_back(textKey(static_cast<CellReading>(r)));
    for (int s = 1; s <= static_cast<int>(UnattendedStop::CellAtLimit); ++s)
        keys.push_back(textKey(static_cast<UnattendedStop>(s)));
    return keys;
}

// Every report of a session has its words in each language, with the same conversions, so that
// no language shows a bare key or formats past its arguments.
TEST(TuningKeys, EveryReportHasItsTextInEachLanguage)
{
    for (const std::string_view key : everyKey()) {
        const auto english = TuningTexts::text(key, Language::English);
        ASSERT_TRUE(english.has_value()) << key;
        for (const Language language : {Language::German, Language::French, Language::Czech}) {
            const auto text = TuningTexts::text(key, language);
            ASSERT_TRUE(text.has_value()) << key;
            EXPECT_FALSE(text->empty()) << key;
            EXPECT_EQ(text->find("%s") != std::string_view::npos, english->find("%s") != std::string_view::npos) << key;
        }
    }
}

} // namespace
} // namespace quorvel
