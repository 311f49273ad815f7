#include "io/map_sheet.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct DecimalCase {
    std::string_view text;
    DecimalMark mark;
    NumberFault fault;
    DecimalNumber number;
};

class ReadDecimal : public testing::TestWithParam<DecimalCase> {};

TEST_P(ReadDecimal, ReadsWhatASpreadsheetWritesAndNothingElse)
{
    const DecimalRead read = readDecimal(GetParam().text, GetParam().mark);
    EXPECT_EQ(read.fault, GetParam().fault);
    if (GetParam().fault == NumberFault::None) {
        EXPECT_EQ(read.number, GetParam().number);
    }
}

using enum DecimalMark;
using enum NumberFault;

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadDecimal,
    testing::Values(DecimalCase{"12", Point, None, {12, 1}}, DecimalCase{" -3.25 ", Point, None, {-325, 100}},
                    DecimalCase{"+.5", Point, None, {5, 10}}, DecimalCase{"12,5", Comma, None, {125, 10}},
                    DecimalCase{"0,125", Comma, None, {125, 1000}},
                    DecimalCase{"1234,567", Comma, None, {1234567, 1000}}, DecimalCase{"1,000", Comma, Ambiguous, {}},
                    DecimalCase{"12,345", Comma, Ambiguous, {}}, DecimalCase{"12,5", Point, NotANumber, {}},
                    DecimalCase{"1.5", Comma, NotANumber, {}}, DecimalCase{"1.000.000", Point, NotANumber, {}},
                    DecimalCase{"1e3", Point, NotANumber, {}}, DecimalCase{"1.", Point, NotANumber, {}},
                    DecimalCase{"-", Point, NotANumber, {}}, DecimalCase{"  ", Point, Empty, {}},
                    // A spreadsheet's full precision: six places kept, rounded.
                    DecimalCase{"13.799999999999999999", Point, None, {13800000, 1000000}},
                    DecimalCase{"-0.12345649", Point, None, {-123456, 1000000}},
                    DecimalCase{"0012,5", Comma, None, {125, 10}},
                    // Beyond every range, and read as such rather than overflowing.
                    DecimalCase{"1234567890123456", Point, None, {1000000000000, 1}}));

TEST(SplitDelimited, TakesACarriageReturnAloneAsALineEnd)
{
    const auto rows = splitDelimited("a,b\r1,2\r\r3\r", ',');
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(rows[2].fields, std::vector<std::string>{""});
    EXPECT_EQ(rows[3].line, 4);
    EXPECT_EQ(detectSeparator("JET_1A [%];1000\r1;2,3"), ';');
}

TEST(SplitDelimited, TakesCrLfAByteOrderMarkQuotesAndTrailingLineEnds)
{
    const auto rows = splitDelimited("\xEF\xBB\xBF"
                                     "a;\"b;c\";\"say \"\"hi\"\"\"\r\n\r\n1;2\r\n\r\n\n",
                                     ';');
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"a", "b;c", "say \"hi\""}));
    EXPECT_EQ(rows[1].fields, std::vector<std::string>{""}); // an empty line inside stays a line
    EXPECT_EQ(rows[2].line, 3);
    EXPECT_EQ(rows[2].fields, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(detectSeparator("JET_1A [%];1000;2000\n"), ';');
    EXPECT_EQ(detectSeparator("a\tb"), '\t');
    EXPECT_EQ(detectSeparator("a,b\nc;d"), ',');
}

TEST(DecimalMarkOf, ACommaIsTheMarkOnlyWhereNoNumberHoldsAPoint)
{
    EXPECT_EQ(decimalMarkOf(splitDelimited("1,5\t2\n", '\t'), '\t'), Comma);
    EXPECT_EQ(decimalMarkOf(splitDelimited("1,5\t2.5\n", '\t'), '\t'), Point);
    // A caption with a point decides nothing.
    EXPECT_EQ(decimalMarkOf(splitDelimited("Inj. 1;1,5\n", ';'), ';'), Comma);
    EXPECT_EQ(decimalMarkOf(splitDelimited("1;2\n", ','), ','), Point);
}

// A whole map as a sheet: the IAP page's pressure rows or the throttle rows.
std::string sheetText(bool pressures)
{
    MapSheet sheet;
    sheet.corner = sheetCorner(pressures ? "IAP" : "ADVANCE", pressures ? "%" : "deg");
    for (int c = 0; c < kMapColumns; ++c)
        sheet.rpm[static_cast<std::size_t>(c)] = 1000 + 500 * c;
    for (int r = 0; r < kMapRows; ++r)
        sheet.rowHeads[static_cast<std::size_t>(r)] =
            pressures ? std::to_string(30 + 7 * r)
                      : std::to_string(kThrottleRowPercent[static_cast<std::size_t>(r)]) + "%";
    for (int e = 0; e < kMapCells; ++e)
        sheet.cells[static_cast<std::size_t>(e)] = e % 61;
    return formatMapSheet(sheet, ',', "\r\n");
}

SheetRead readSheet(std::string_view text, std::string_view unit, bool pressures)
{
    const auto rows = splitDelimited(text, ',');
    return readMapSheet(rows, Point, {{unit}, pressures});
}

TEST(MapSheet, ReadsBackWhatItWrites)
{
    for (bool pressures : {false, true}) {
        const std::string text = sheetText(pressures);
        EXPECT_TRUE(looksLikeMapSheet(splitDelimited(text, ',')));
        const SheetRead read = readSheet(text, pressures ? "%" : "deg", pressures);
        ASSERT_FALSE(read.error) << read.error->first << ":" << read.error->second;
        EXPECT_EQ(read.values.rpm[14], 8000);
        EXPECT_EQ(read.values.cells[149], (DecimalNumber{149 % 61, 1}));
        EXPECT_EQ(read.values.pressures[9], pressures ? 93 : 0);
    }
}

struct SheetFault {
    std::string_view what;
    std::string_view replace;
    std::string_view by;
    MapEditStatus error;
};

class MapSheetFaults : public testing::TestWithParam<SheetFault> {};

TEST_P(MapSheetFaults, NameTheLineAndColumn)
{
    std::string text = sheetText(false);
    const SheetFault& fault = GetParam();
    text.replace(text.find(fault.replace), fault.replace.size(), fault.by);
    const SheetRead read = readSheet(text, "deg", false);
    ASSERT_TRUE(read.error) << fault.what;
    EXPECT_EQ(*read.error, fault.error) << fault.what;
}

using enum MapEditMessage;

INSTANTIATE_TEST_SUITE_P(Texts, MapSheetFaults,
                         testing::Values(SheetFault{"short line", "5%,", "5%", {WrongShape, 4, 16}},
                                         SheetFault{"long line", "\r\n10%", ",1\r\n10%", {WrongShape, 4, 17}},
                                         SheetFault{"empty row head", "100%", "", {EmptyField, 11, 1}},
                                         SheetFault{"extra line", "\r\n100%", "\r\n1\r\n100%", {WrongShape, 11, 2}},
                                         SheetFault{"unit", "[deg]", "[%]", {UnitDiffers, 1, 1}},
                                         SheetFault{"head out of order", ",1500,", ",900,", {BadRpmHead, 1, 3}},
                                         SheetFault{"head out of range", ",8000", ",26000", {BadRpmHead, 1, 16}},
                                         SheetFault{"row head", "20%", "25%", {BadRowHead, 6, 1}},
                                         SheetFault{"cell", "2%,15", "2%,1x", {BadNumber, 3, 2}},
                                         SheetFault{"empty cell", "2%,15", "2%,", {EmptyField, 3, 2}}));

TEST(MapSheet, AMissingLineIsNamedAfterTheLastOne)
{
    const std::string text = sheetText(false);
    const SheetRead read = readSheet(text.substr(0, text.find("100%")), "deg", false);
    EXPECT_EQ(read.error, (MapEditStatus{WrongShape, 11, 1}));
}

TEST(MapSheet, TakesACornerWithoutAUnitAndKeepsTheCellsAsWritten)
{
    std::string text = sheetText(false);
    text.replace(0, text.find(','), "my map");
    text.replace(text.find("0%,0,"), 5, "0%,12.5,");
    text.replace(text.find("2%,15,"), 6, "2%,99,");
    const SheetRead read = readSheet(text, "deg", false);
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.unit, "deg");
    // Rounding and the range are for the writer of the tune, which names a cell out of range.
    EXPECT_EQ(read.values.cells[0], (DecimalNumber{125, 10}));
    EXPECT_EQ(read.values.cells[15], (DecimalNumber{99, 1}));
}

TEST(MapSheet, ThrottleHeadsMayBeTheFractionsOfASpreadsheetsPercentCells)
{
    std::string text = sheetText(false);
    for (const auto& [head, fraction] : {std::pair{"\r\n2%,", "\r\n0.02,"}, std::pair{"\r\n10%,", "\r\n0.1,"},
                                         std::pair{"\r\n100%,", "\r\n1,"}, std::pair{"\r\n20%,", "\r\n20,"}})
        text.replace(text.find(head), std::string_view(head).size(), fraction);
    EXPECT_FALSE(readSheet(text, "deg", false).error);
    text.replace(text.find("\r\n0.02,"), 7, "\r\n0.2,");
    EXPECT_EQ(readSheet(text, "deg", false).error, (MapEditStatus{MapEditMessage::BadRowHead, 3, 1}));
}

TEST(MapSheet, AMapOfTimesMayStateMillisecondsWhereThePageAllowsThem)
{
    std::string text = sheetText(false);
    text.replace(text.find("[deg]"), 5, "[ms]");
    const auto rows = splitDelimited(text, ',');
    const SheetRead times = readMapSheet(rows, Point, {{"%", "ms"}, false});
    ASSERT_FALSE(times.error);
    EXPECT_EQ(times.unit, "ms");
    EXPECT_EQ(readMapSheet(rows, Point, {{"deg"}, false}).error, (MapEditStatus{MapEditMessage::UnitDiffers, 1, 1}));
}

} // namespace
} // namespace quorvel
