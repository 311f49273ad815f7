#include "model/field_codec.h"
#include "model/field_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvel {
namespace {

const Field& field(std::string_view name)
{
    const Field* found = FieldTable::byName(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

struct FormCase {
    const char* field;
    int shown;
    std::uint16_t code;
};

// Values at the ends of the forms: each shown value is stored as the code, and the code shows
// the same value again.
class FormEnds : public testing::TestWithParam<FormCase> {};

TEST_P(FormEnds, EncodeAndDecodeMeetAtTheCode)
{
    const FormCase c = GetParam();
    EXPECT_EQ(encodeField(field(c.field), c.shown), c.code);
    EXPECT_EQ(decodeField(field(c.field), c.code), c.shown);
}

INSTANTIATE_TEST_SUITE_P(FieldCodec, FormEnds,
                         testing::Values(FormCase{"Tps100", 2500, 0}, FormCase{"Tps100", 5000, 250},
                                         FormCase{"Tps100", 3000, 50}, FormCase{"RpmKorekce", -60, 40},
                                         FormCase{"RpmKorekce", 60, 160}, FormCase{"IgnVoda", -20, 80},
                                         FormCase{"SyticKorekce0", 350, 250}, FormCase{"SyticKorekce0", 100, 0},
                                         FormCase{"IgnLimiter", 25000, 250}, FormCase{"IdleAdvPoz", 12000, 240},
                                         FormCase{"ClutchPause", 2500, 250}, FormCase{"StepExcitation", 25000, 100},
                                         FormCase{"GearNapeti", 5000, 5000}, FormCase{"Gas", 1, 1}));

TEST(FieldCodec, CodeOutsideTheRangeShowsAsTheNearestBound)
{
    ParamImage image;
    const Field& correction = field("RpmKorekce");
    writeCode(image, correction, 0, 0);
    EXPECT_EQ(decodeField(correction, 0), -100);
    EXPECT_EQ(readShown(image, correction), -60);
    writeShown(image, correction, 0, readShown(image, correction));
    EXPECT_EQ(image.byte(187), 40);

    const Field& start = field("SyticKorekce0");
    writeCode(image, start, 0, 251);
    EXPECT_EQ(decodeField(start, 251), 351);
    EXPECT_EQ(readShown(image, start), 350);

    const Field& tps = field("Tps100");
    writeCode(image, tps, 0, 255);
    EXPECT_EQ(readShown(image, tps), 5000);
    writeShown(image, tps, 0, readShown(image, tps));
    EXPECT_EQ(image.byte(184), 250);
}

TEST(FieldCodec, ScaledValueBetweenStepsIsTruncated)
{
    const Field& limiter = field("JetLimiter");
    EXPECT_EQ(encodeField(limiter, 950), 9);
    EXPECT_EQ(decodeField(limiter, 9), 900);
}

TEST(FieldCodec, CheckBoxHoldingSevenIsCheckedAndStoredBackAsOne)
{
    ParamImage image;
    const Field& gas = field("Gas");
    image.setByte(248, 7);
    EXPECT_EQ(readShown(image, gas), 1);
    writeShown(image, gas, 0, readShown(image, gas));
    EXPECT_EQ(image.byte(248), 1);
}

TEST(FieldCodec, WordsAreLittleEndianAtTheirElement)
{
    ParamImage image;
    writeShown(image, field("PomerRpmSpeed"), 5, 32000);
    EXPECT_EQ(image.byte(322), 32000 & 0xFF);
    EXPECT_EQ(image.byte(323), 32000 >> 8);
}

TEST(FieldCodec, ArrayWithAHoleSkipsTheByteOfItsNeighbour)
{
    const Field& timing = field("EngineTiming");
    EXPECT_EQ(timing.elementOffset(2), 405);
    EXPECT_EQ(timing.elementOffset(3), 407);
    EXPECT_EQ(timing.lastOffset(), 410);
}

// Every value a control can hold, on its step grid, comes back unchanged after a store and a
// fill: no range reaches beyond what the stored code can hold.
class EveryField : public testing::TestWithParam<Field> {};

TEST_P(EveryField, EveryValueOfTheRangeSurvivesStoreAndFill)
{
    const Field& f = GetParam();
    ParamImage image;
    for (int element : {0, f.count - 1}) {
        for (int shown = f.minimum; shown <= f.maximum; shown += f.step) {
            writeShown(image, f, element, shown);
            ASSERT_EQ(readShown(image, f, element), shown) << f.name << "[" << element << "]";
        }
        writeShown(image, f, element, f.maximum);
        ASSERT_EQ(readShown(image, f, element), f.maximum) << f.name;
    }
}

TEST_P(EveryField, EachElementIsFoundThroughItsControlOnItsPage)
{
    const Field& f = GetParam();
    if (f.isDerived())
        GTEST_SKIP() << "no control";
    for (int element = 0; element < f.count; ++element) {
        const auto found = FieldTable::byControl(f.controlName, f.controlIndexOf(element), f.page);
        ASSERT_TRUE(found.has_value()) << f.name;
        EXPECT_EQ(found->field->name, f.name);
        EXPECT_EQ(found->element, element);
    }
}

std::vector<Field> numericFields()
{
    std::vector<Field> fields;
    for (const Field& f : FieldTable::all()) {
        if (f.form != FieldForm::Text)
            fields.push_back(f);
    }
    return fields;
}

INSTANTIATE_TEST_SUITE_P(FieldTable, EveryField, testing::ValuesIn(numericFields()),
                         [](const testing::TestParamInfo<Field>& param) { return std::string(param.param.name); });

TEST(FieldTable, OneByteFieldsOfWiderControlsAreNarrowedToAByte)
{
    EXPECT_EQ(field("GearKorJet").maximum, 255);
    EXPECT_EQ(field("IapCylKor").maximum, 255);
}

TEST(FieldTable, NamesAreUniqueAndWordsLieAtEvenOffsetsInsideTheParameterBlocks)
{
    std::set<std::string_view> names;
    for (const Field& f : FieldTable::all()) {
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        EXPECT_GE(f.offset, 150) << f.name;
        EXPECT_LE(f.lastOffset(), 2999) << f.name;
        if (f.width == FieldWidth::U16) {
            EXPECT_EQ(f.offset % 2, 0) << f.name;
        }
        EXPECT_LE(f.minimum, f.maximum) << f.name;
    }
}

TEST(FieldTable, EditNameFindsTheFieldOfItsUpDown)
{
    const auto found = FieldTable::byControl("EditChlazeni", -1, 0);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->field, FieldTable::byName("Chlazeni"));
}

TEST(FieldTable, SharedGridControlsEditAnotherFieldOnEachPage)
{
    struct Case {
        int page;
        int index;
        const char* name;
        int element;
    };
    for (const Case c :
         {Case{1, 0, "AdvCylKor", 0}, Case{1, 4, "AdvBase", 0}, Case{2, 3, "IapRpmMax", 0}, Case{7, 2, "IapCylKor", 2},
          Case{11, 3, "StepExcitation", 0}, Case{12, 0, "ServoExHyster", 0}}) {
        const auto found = FieldTable::byControl("UpDownExtra_Uni", c.index, c.page);
        ASSERT_TRUE(found.has_value()) << c.name;
        EXPECT_EQ(found->field->name, c.name);
        EXPECT_EQ(found->element, c.element);
    }
    EXPECT_EQ(FieldTable::byControl("CheckBoxServoEnable", -1, 11)->field->name, "ServoInEnable");
    EXPECT_FALSE(FieldTable::byControl("UpDownExtra_Uni", 5, 2).has_value());
    EXPECT_FALSE(FieldTable::byControl("UpDownChlazeni", -1, 9).has_value());
}

TEST(FieldTable, PagesBindTheirFieldsAndNoPageShowsTheDerivedOnes)
{
    EXPECT_TRUE(FieldTable::ofPage(18).empty());
    EXPECT_EQ(FieldTable::ofPage(17).size(), 5U);
    EXPECT_EQ(FieldTable::ofPage(11).size(), 7U);
    for (const Field* f : FieldTable::derived()) {
        EXPECT_EQ(f->page, kNoPage);
        EXPECT_TRUE(f->controlName.empty());
    }
    EXPECT_EQ(FieldTable::derived().size(), 8U);
}

} // namespace
} // namespace quorvel
