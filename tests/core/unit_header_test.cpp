#include "core/param_image.h"
#include "core/unit_header.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using Header = std::array<std::uint8_t, kBlockSize>;

Header header(std::initializer_list<std::pair<int, std::uint8_t>> bytes)
{
    Header h{};
    for (auto [index, value] : bytes)
        h[static_cast<std::size_t>(index)] = value;
    return h;
}

TEST(UnitHeader, EveryMonthCodeIsTheLowByteOfTheNameSum)
{
    const std::array<std::uint8_t, 12> codes = {25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
    const std::array<const char*, 12> shown = {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10", "11", "12"};
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(monthCode(m), codes[static_cast<std::size_t>(m - 1)]);
        EXPECT_EQ(monthCharacters(codes[static_cast<std::size_t>(m - 1)]), shown[static_cast<std::size_t>(m - 1)]);
    }
}

TEST(UnitHeader, CodesOfNoMonthShowDoubleZero)
{
    for (std::uint8_t code : {0, 1, 26, 255})
        EXPECT_EQ(monthCharacters(code), "00") << int(code);
}

TEST(UnitHeader, SingleDigitDayIsPaddedWithASpace)
{
    const auto texts =
        decodeHeaderTexts(header({{0, 'Q'}, {1, 'R'}, {2, 'V'}, {3, 7}, {4, 7}, {5, 13}, {6, 7}, {7, 9}, {8, 5}}));
    EXPECT_EQ(texts.date, " 7. 2.2007");
    EXPECT_EQ(texts.date.size(), 10U);
    EXPECT_EQ(texts.time, "09:05");
    EXPECT_EQ(texts.version, "QRV07");
}

TEST(UnitHeader, TwoDigitDayAndLateMonth)
{
    const auto texts =
        decodeHeaderTexts(header({{0, 'A'}, {1, 'B'}, {2, 'C'}, {3, 42}, {4, 31}, {5, 12}, {6, 99}, {7, 23}, {8, 59}}));
    EXPECT_EQ(texts.date, "31.12.2099");
    EXPECT_EQ(texts.time, "23:59");
    EXPECT_EQ(texts.version, "ABC42");
}

TEST(UnitHeader, VersionTextFromHeaderStopsAtZeroByte)
{
    auto h = header({{0, 'A'}, {1, 'B'}, {2, 'C'}});
    const std::string text = "RACE 2T";
    std::copy(text.begin(), text.end(), h.begin() + kHeaderTextStart);
    EXPECT_EQ(decodeHeaderTexts(h).version, "RACE 2T");
}

TEST(UnitHeader, VersionTextWithoutZeroByteTakesExactlyThirtyCharacters)
{
    Header h{};
    for (int k = 0; k < kBlockSize; ++k)
        h[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>('a' + k % 26);
    const auto texts = decodeHeaderTexts(h);
    ASSERT_EQ(texts.version.size(), 30U);
    EXPECT_EQ(texts.version.front(), 'a' + kHeaderTextStart % 26);
}

TEST(UnitHeader, StoringAHeaderRebuildsTheTexts)
{
    ParamImage image;
    image.storeHeader(header({{0, 'X'}, {1, 'Y'}, {2, 'Z'}, {3, 1}, {4, 10}, {5, 25}, {6, 7}}));
    EXPECT_EQ(image.headerTexts().version, "XYZ01");
    EXPECT_EQ(image.headerTexts().date, "10. 1.2007");
}

} // namespace
} // namespace quorvel
