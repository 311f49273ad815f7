#include "model/injection_tables.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct PercentCase {
    std::uint16_t percent, reference, stored;
};

class PercentArithmetic : public testing::TestWithParam<PercentCase> {};

TEST_P(PercentArithmetic, StoredTimeIsRoundedAndSaturated)
{
    const PercentCase c = GetParam();
    EXPECT_EQ(storedTime(c.percent, c.reference), c.stored);
}

INSTANTIATE_TEST_SUITE_P(InjectionTables, PercentArithmetic,
                         testing::Values(PercentCase{100, 1234, 1234}, PercentCase{57, 1234, 703},
                                         PercentCase{1000, 7000, 65535}, PercentCase{65535, 65535, 65535},
                                         PercentCase{0, 5000, 0}, PercentCase{1, 150, 2}));

TEST(InjectionTables, ShownPercentIsRoundedHalfUp)
{
    EXPECT_EQ(shownPercent(703, 1234), 57);
    EXPECT_EQ(shownPercent(1234, 1234), 100);
    EXPECT_EQ(shownPercent(65535, 100), 65535);
    EXPECT_EQ(shownPercent(1005, 1000), 101); // 100.5 % rounds up
    EXPECT_EQ(shownPercent(1004, 1000), 100);
}

void setAxis(ParamImage& image, MapId map, int firstPoint, int stepPoints)
{
    for (int c = 0; c < kMapColumns; ++c)
        setAxisPoint(image, map, c, static_cast<std::uint8_t>(firstPoint + stepPoints * c));
}

ParamImage imageOfBike(int code)
{
    ParamImage image;
    image.setByte(150, static_cast<std::uint8_t>(code));
    for (InjectionMap m : kInjectionMaps)
        setAxis(image, mapOf(m), 10, 8);
    return image;
}

TEST(InjectionTables, OuterGridServes1AAnd4AAndInnerGrid2AAnd3A)
{
    ParamImage image = imageOfBike(1);
    InjectionTables tables;
    tables.computeReferenceTables(image, selectBikeGrids(image));
    EXPECT_EQ(tables.reference(InjectionMap::Jet1A), tables.reference(InjectionMap::Jet4A));
    EXPECT_EQ(tables.reference(InjectionMap::Jet2A), tables.reference(InjectionMap::Jet3A));
    EXPECT_EQ(tables.reference(InjectionMap::Jet1A)[0], 1100); // bike 1, 0 %, 1000 rpm
    EXPECT_NE(tables.reference(InjectionMap::Jet1A), tables.reference(InjectionMap::Jet2A));
}

TEST(InjectionTables, BikeChangeKeepsEveryPercentageWhileTheStoredTimesChange)
{
    ParamImage image = imageOfBike(1);
    InjectionTables tables;
    for (InjectionMap m : kInjectionMaps) {
        for (std::size_t e = 0; e < kMapCells; ++e)
            tables.percent(m)[e] = static_cast<std::uint16_t>(60 + e % 90);
    }
    tables.storeAllAgainst(image, selectBikeGrids(image));
    const ParamImage before = image;

    image.setByte(150, 8); // a bike with a 15-column grid
    tables.storeAllAgainst(image, selectBikeGrids(image));
    InjectionTables shown;
    shown.refreshFromImage(image);
    for (InjectionMap m : kInjectionMaps) {
        EXPECT_EQ(shown.percent(m), tables.percent(m));
        bool changed = false;
        for (int e = 0; e < kMapCells; ++e)
            changed = changed || mapCell(image, mapOf(m), e) != mapCell(before, mapOf(m), e);
        EXPECT_TRUE(changed) << static_cast<int>(m);
    }
}

// A replaced image (read, file, undo) must not be overwritten with the percentages of the
// image before it when the bike then changes.
TEST(InjectionTables, RefreshAfterAReplacedImageTakesThePercentagesOfItsMaps)
{
    ParamImage loaded = imageOfBike(4);
    InjectionTables other;
    other.percent(InjectionMap::Iap).fill(130);
    other.percent(InjectionMap::Jet3A).fill(75);
    other.storeAllAgainst(loaded, selectBikeGrids(loaded));

    InjectionTables tables; // still at the percentages of an earlier image: 100 everywhere
    tables.refreshFromImage(loaded);
    for (InjectionMap m : kInjectionMaps)
        EXPECT_EQ(tables.percent(m), other.percent(m)) << static_cast<int>(m);
}

TEST(InjectionTables, ImageToPercentReadsOnlyItsOwnMap)
{
    ParamImage image = imageOfBike(1);
    InjectionTables tables;
    tables.computeReferenceTables(image, selectBikeGrids(image));
    setMapCell(image, MapId::Iap, 0, static_cast<std::uint16_t>(2 * tables.reference(InjectionMap::Iap)[0]));
    tables.imageToPercent(InjectionMap::Iap, image);
    EXPECT_EQ(tables.percent(InjectionMap::Iap)[0], 200);
    EXPECT_EQ(tables.percent(InjectionMap::Jet1A)[0], 100);
}

} // namespace
} // namespace quorvel
