#include "model/image_compare.h"

#include "core/page_index.h"
#include "core/sanitise.h"
#include "model/bike_defaults.h"
#include "model/map_layout.h"
#include "model/memo_text.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

ParamImage bikeImage(int code)
{
    ParamImage image;
    InjectionTables tables;
    image.setByte(150, static_cast<std::uint8_t>(code));
    applyDefaults(image, tables, {});
    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    return image;
}

std::vector<Difference> compare(const ParamImage& a, const ParamImage& b, const CompareOptions& options = {})
{
    const InjectionTables ta = referencesOf(a);
    const InjectionTables tb = referencesOf(b);
    return compareImages({a, ta}, {b, tb}, options);
}

std::vector<std::string> labels(const std::vector<Difference>& differences)
{
    std::vector<std::string> out;
    for (const Difference& d : differences)
        out.push_back(d.label());
    return out;
}

TEST(ImageCompare, EqualImagesAndAnotherHeaderGiveNothing)
{
    const ParamImage a = bikeImage(11);
    ParamImage b = a;
    b.setByte(8, 70); // the header's program version
    b.setByte(100, 1);
    EXPECT_TRUE(compare(a, b).empty());
}

// One change of every kind the window marks, each named, placed and shown as the window shows it.
TEST(ImageCompare, NamesEachDifferenceByPageParameterElementAndControl)
{
    const ParamImage a = bikeImage(11);
    ParamImage b = a;
    const Field& ignLimiter = *FieldTable::byName("IgnLimiter");
    b.setByte(ignLimiter.offset, static_cast<std::uint8_t>(a.byte(ignLimiter.offset) + 5));
    b.setByte(FieldTable::byName("KorVoda")->elementOffset(2), 120);
    setAxisPoint(b, MapId::Advance, 4, static_cast<std::uint8_t>(axisPoint(a, MapId::Advance, 4) + 1));
    setIapRow(b, 9, 99);
    const InjectionTables references = referencesOf(a);
    const std::uint16_t reference = references.reference(InjectionMap::Jet1A)[3 * 15 + 7];
    setMapCell(b, MapId::Jet1A, 3 * 15 + 7, storedTime(110, reference));
    storeMemo(b, "new tune");

    const std::vector<Difference> d = compare(a, b);
    ASSERT_EQ(labels(d), (std::vector<std::string>{"IgnLimiter", "Memo", "RPM_ADV[4]", "JET_1A[3][7]", "IAP_IAP[9]",
                                                   "KorVoda[2]"}));

    EXPECT_EQ(d[0].page, kPageBike);
    EXPECT_EQ(d[0].control.key().objectName(), "EditIgnLimiter");
    EXPECT_EQ(d[0].b.number, d[0].a.number + 500); // shown in rpm
    EXPECT_EQ(d[1].kind, DifferenceKind::Memo);
    EXPECT_EQ(d[1].b.text, "new tune");
    EXPECT_EQ(d[1].control.key().objectName(), "Memo1");
    EXPECT_EQ(d[2].page, kPageAdvance);
    EXPECT_EQ(d[2].control.key().objectName(), "EditRpm_Uni4");
    EXPECT_EQ(d[2].b.number - d[2].a.number, 100);
    EXPECT_EQ(d[3].page, kPageInj1A);
    EXPECT_EQ(d[3].row(), 3);
    EXPECT_EQ(d[3].column(), 7);
    EXPECT_EQ(d[3].control.key().objectName(), "EditMap_Uni52");
    EXPECT_EQ(d[3].b.text, "110"); // percent, as the grid shows it
    EXPECT_EQ(d[4].page, kPageInjIap);
    EXPECT_EQ(d[4].control.key().objectName(), "EditRow_Uni9");
    EXPECT_EQ(d[4].b.text, "99");
    EXPECT_EQ(d[5].page, kPageKorekce);
    EXPECT_EQ(d[5].control.key().objectName(), "EditKorVoda2");
    EXPECT_EQ(d[5].b.text, "120");
}

TEST(ImageCompare, ServoCellsFollowEachSidesUnit)
{
    ParamImage a = bikeImage(11);
    const int procent = FieldTable::byName("ServoExProcent")->offset;
    a.setByte(procent, 0); // mV: 20 per stored unit
    ParamImage b = a;
    b.setByte(procent, 1); // percent
    setMapCell(a, MapId::ServoEx, 0, 40);
    setMapCell(b, MapId::ServoEx, 0, 41);
    const std::vector<Difference> d = compare(a, b);
    ASSERT_EQ(labels(d), (std::vector<std::string>{"SERVO_EX_VALUE[0][0]", "ServoExProcent"}));
    EXPECT_EQ(d[0].a.text, "800");
    EXPECT_EQ(d[0].b.text, "41");
    EXPECT_EQ(d[0].page, kPageExhaustServo);
}

TEST(ImageCompare, TimesThatRoundToOnePercentageStillDifferAndShowTheirTimes)
{
    const ParamImage a = bikeImage(11);
    ParamImage b = a;
    const std::uint16_t time = mapCell(a, MapId::Jet2A, 0);
    setMapCell(b, MapId::Jet2A, 0, static_cast<std::uint16_t>(time + 1));
    const std::vector<Difference> d = compare(a, b);
    ASSERT_EQ(d.size(), 1U);
    EXPECT_EQ(d[0].a.number, d[0].b.number);
    EXPECT_NE(d[0].a.text, d[0].b.text);
    EXPECT_NE(d[0].b.text.find(" ms)"), std::string::npos) << d[0].b.text;
}

TEST(ImageCompare, CheckFieldsCompareAsCheckedOrNot)
{
    const ParamImage a = bikeImage(11);
    ParamImage b = a;
    const int gas = FieldTable::byName("Gas")->offset;
    b.setByte(gas, a.byte(gas) != 0 ? 2 : 0);
    EXPECT_TRUE(compare(a, b).empty());
    b.setByte(gas, a.byte(gas) != 0 ? 0 : 1);
    EXPECT_EQ(labels(compare(a, b)), std::vector<std::string>{"Gas"});
}

// What no control shows is listed without a control to mark, after the pages.
TEST(ImageCompare, MenuAndBikeDerivedValuesComeLastWithoutAControl)
{
    const ParamImage a = bikeImage(11);
    ParamImage b = a;
    b.setByte(197, static_cast<std::uint8_t>(a.byte(197) == 1 ? 2 : 1));
    b.setByte(FieldTable::byName("CylinderCount")->offset, static_cast<std::uint8_t>(a.byte(406) == 2 ? 3 : 2));
    const int gearSystem = FieldTable::byName("GearSystem")->offset;
    b.setByte(gearSystem, static_cast<std::uint8_t>(a.byte(gearSystem) == 1 ? 2 : 1));
    const std::vector<Difference> d = compare(a, b);
    ASSERT_EQ(d.size(), 3U);
    EXPECT_EQ(d[0].label(), "GearSystem");
    EXPECT_EQ(d[d.size() - 2].label(), "Jet123Mode");
    EXPECT_EQ(d.back().label(), "CylinderCount");
    for (const Difference* last : {&d[d.size() - 2], &d.back()}) {
        EXPECT_EQ(last->page, kNoPage);
        EXPECT_TRUE(last->control.name.empty());
    }
}

TEST(ImageCompare, BytesNoParameterHoldsOnlyWhenAskedFor)
{
    const ParamImage a = bikeImage(11);
    ParamImage b = a;
    b.setByte(2800, static_cast<std::uint8_t>(a.byte(2800) + 1));
    b.setByte(151, static_cast<std::uint8_t>(a.byte(151) + 1));
    EXPECT_TRUE(compare(a, b).empty());
    CompareOptions all;
    all.otherBytes = true;
    EXPECT_EQ(labels(compare(a, b, all)), (std::vector<std::string>{"byte 151", "byte 2800"}));
}

TEST(ImageCompare, UnitBlocksNotSeenCompareEqual)
{
    const ParamImage image = bikeImage(11);
    ParamImage unitHeld = image;
    unitHeld.setByte(179, static_cast<std::uint8_t>(image.byte(179) + 1));   // block 1: IgnLimiter
    unitHeld.setByte(2000, static_cast<std::uint8_t>(image.byte(2000) + 1)); // block 13: JET_B[0][0]
    UnitCopy unit;
    unit.store(1, unitHeld.block(1));
    const InjectionTables tables = referencesOf(image);
    EXPECT_EQ(labels(compareWithUnit(unit, image, tables)), std::vector<std::string>{"IgnLimiter"});
    unit.store(13, unitHeld.block(13));
    const std::vector<Difference> both = compareWithUnit(unit, image, tables);
    EXPECT_EQ(labels(both), (std::vector<std::string>{"IgnLimiter", "JET_B[0][0]"}));
    EXPECT_EQ(both[0].b.number + 100, both[0].a.number); // side a is the unit
}

} // namespace
} // namespace quorvel
