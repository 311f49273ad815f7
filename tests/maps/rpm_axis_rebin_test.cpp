#include "maps/rpm_axis_rebin.h"

#include "core/page_index.h"
#include "map_test_image.h"
#include "model/jet_coupling.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::defaultImage;
using Heads = std::array<int, kMapColumns>;

constexpr int kServoInEnable = 209;
constexpr int kServoInMode = 215;

Heads headsOf(const ParamImage& image, MapId map)
{
    Heads heads{};
    for (int c = 0; c < kMapColumns; ++c)
        heads[static_cast<std::size_t>(c)] = 100 * axisPoint(image, map, c);
    return heads;
}

void setAxis(ParamImage& image, MapId map, const Heads& heads)
{
    for (int c = 0; c < kMapColumns; ++c)
        setAxisPoint(image, map, c, static_cast<std::uint8_t>(heads[static_cast<std::size_t>(c)] / 100));
}

// 1000 .. 15000 rpm, a head every 1000, and a row rising by 4 per head.
constexpr Heads kEvenHeads = {1000, 2000,  3000,  4000,  5000,  6000,  7000, 8000,
                              9000, 10000, 11000, 12000, 13000, 14000, 15000};
// Every second head stays; 20000 lies beyond the old axis.
constexpr Heads kNewHeads = {1000, 1500,  3000,  3500,  5000,  5500,  7000, 8500,
                             9000, 10000, 11000, 12000, 14000, 15000, 20000};

TEST(ValueAtRpm, LinearBetweenTheAxisPointsRoundedToTheNearestStepAndHeldBeyondThem)
{
    const std::array<std::uint8_t, kMapColumns> axis = {10, 20,  30,  40,  50,  60,  70, 80,
                                                        90, 100, 110, 120, 130, 140, 150};
    std::array<std::uint16_t, kMapColumns> row{};
    for (std::size_t c = 0; c < kMapColumns; ++c)
        row[c] = static_cast<std::uint16_t>(c % 2 == 0 ? 1000 : 2001);
    EXPECT_EQ(valueAtRpm(axis, row, 2000), 2001);
    // Halfway a half step is rounded away from the point the value leaves.
    EXPECT_EQ(valueAtRpm(axis, row, 1500), 1501); // 1000 + 500.5
    EXPECT_EQ(valueAtRpm(axis, row, 2500), 1500); // 2001 - 500.5
    EXPECT_EQ(valueAtRpm(axis, row, 1300), 1300); // 1000 + 300.3
    EXPECT_EQ(valueAtRpm(axis, row, 2700), 1300); // 2001 - 700.7
    EXPECT_EQ(valueAtRpm(axis, row, 300), 1000);
    EXPECT_EQ(valueAtRpm(axis, row, 25000), 1000);
}

class RpmAxisRebin : public testing::Test {
protected:
    RpmAxisRebin()
        : image(defaultImage(tables))
    {
    }

    [[nodiscard]] std::vector<int> row(MapId map, int r) const
    {
        std::vector<int> values;
        for (int c = 0; c < kMapColumns; ++c)
            values.push_back(mapCell(image, map, r * kMapColumns + c));
        return values;
    }

    InjectionTables tables;
    ParamImage image;
};

TEST_F(RpmAxisRebin, KeepsTheValuesAtTheHeadsThatStayAndGivesThemBackAtTheOldHeads)
{
    setAxis(image, MapId::Advance, kEvenHeads);
    for (int e = 0; e < kMapCells; ++e)
        setMapCell(image, MapId::Advance, e, static_cast<std::uint16_t>(e % kMapColumns * 4));
    const std::vector<int> old = row(MapId::Advance, 0);

    const RebinOutcome outcome = rebinRpmAxis(image, tables, kPageAdvance, kNewHeads);
    ASSERT_FALSE(outcome.refusal);
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(headsOf(image, MapId::Advance), kNewHeads);
    for (int r : {0, 9})
        EXPECT_EQ(row(MapId::Advance, r), (std::vector<int>{0, 2, 8, 10, 16, 18, 24, 30, 32, 36, 40, 44, 52, 56, 56}));

    // Back on the old heads, the engine gets what it got before at every one of them.
    ASSERT_FALSE(rebinRpmAxis(image, tables, kPageAdvance, kEvenHeads).refusal);
    EXPECT_EQ(row(MapId::Advance, 0), old);
    EXPECT_FALSE(rebinRpmAxis(image, tables, kPageAdvance, kEvenHeads).changed);
}

TEST_F(RpmAxisRebin, InjectionMapsKeepTheirStoredTimesAndThePercentagesFollowTheNewReferences)
{
    Heads heads = headsOf(image, MapId::Jet1A);
    ASSERT_EQ(heads[3], 4000);
    ASSERT_EQ(heads[4], 6000);
    ParamImage before = image;
    const ReferenceTable oldReferences = tables.reference(InjectionMap::Jet1A);
    heads[4] = 5000;

    ASSERT_FALSE(rebinRpmAxis(image, tables, kPageInj1A, heads).refusal);
    for (int e = 0; e < kMapCells; ++e) {
        const std::uint16_t stored = mapCell(image, MapId::Jet1A, e);
        if (e % kMapColumns != 4) {
            EXPECT_EQ(stored, mapCell(before, MapId::Jet1A, e)) << e;
        } else {
            EXPECT_EQ(stored, (mapCell(before, MapId::Jet1A, e - 1) + mapCell(before, MapId::Jet1A, e)) / 2) << e;
        }
        const std::uint16_t reference = tables.reference(InjectionMap::Jet1A)[static_cast<std::size_t>(e)];
        EXPECT_EQ(tables.percent(InjectionMap::Jet1A)[static_cast<std::size_t>(e)], shownPercent(stored, reference));
    }
    EXPECT_NE(tables.reference(InjectionMap::Jet1A), oldReferences);
}

TEST_F(RpmAxisRebin, CoupledFollowersMoveTheirAxesByTheSameDifferences)
{
    image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
    setAxisPoint(image, MapId::Jet3A, 4, 65); // 3A's own point: 6500 rpm
    setMapCell(image, MapId::Jet3A, 3, 2000);
    setMapCell(image, MapId::Jet3A, 4, 3000);
    Heads heads = headsOf(image, MapId::Jet1A);
    heads[4] -= 1000;

    ASSERT_FALSE(rebinRpmAxis(image, tables, kPageInj1A, heads).refusal);
    EXPECT_EQ(axisPoint(image, MapId::Jet2A, 4), 50);
    EXPECT_EQ(axisPoint(image, MapId::Jet3A, 4), 55);
    // 5500 rpm on 3A's old axis: 4000 rpm holds 2000 us, 6500 rpm 3000 us.
    EXPECT_EQ(mapCell(image, MapId::Jet3A, 4), 2000 + 1500 * 1000 / 2500);

    // A 3A point just above its left neighbour cannot move down with 1A.
    setAxisPoint(image, MapId::Jet3A, 4, 41);
    const ParamImage before = image;
    heads[4] -= 500;
    EXPECT_EQ(rebinRpmAxis(image, tables, kPageInj1A, heads).refusal,
              MapEditStatus{MapEditMessage::FollowerAxesWouldNotRise});
    EXPECT_TRUE(std::ranges::equal(image.bytes(), before.bytes()));
}

TEST_F(RpmAxisRebin, EqualMapsBecomeCopiesOfTheNewInj1A)
{
    image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Same));
    ASSERT_FALSE(rebinRpmAxis(image, tables, kPageInj1A, kNewHeads).refusal);
    for (MapId follower : {MapId::Jet2A, MapId::Jet3A, MapId::Jet4A}) {
        EXPECT_EQ(headsOf(image, follower), kNewHeads);
        EXPECT_EQ(row(follower, 5), row(MapId::Jet1A, 5));
    }
}

TEST_F(RpmAxisRebin, RefusesWithoutAChange)
{
    const ParamImage before = image;
    Heads offStep = kNewHeads;
    offStep[3] = 3550;
    EXPECT_EQ(rebinRpmAxis(image, tables, kPageAdvance, offStep).refusal,
              (MapEditStatus{MapEditMessage::BadNewRpmHead, 4}));
    Heads falling = kNewHeads;
    falling[14] = 15000;
    EXPECT_EQ(rebinRpmAxis(image, tables, kPageAdvance, falling).refusal,
              (MapEditStatus{MapEditMessage::BadNewRpmHead, 15}));
    Heads tooLow = kNewHeads;
    tooLow[0] = 200;
    EXPECT_EQ(rebinRpmAxis(image, tables, kPageAdvance, tooLow).refusal,
              (MapEditStatus{MapEditMessage::BadNewRpmHead, 1}));

    image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
    EXPECT_EQ(rebinRpmAxis(image, tables, kPageInj4A, kNewHeads).refusal, MapEditStatus{MapEditMessage::FollowerMap});
    image.setByte(kJet123ModeOffset, before.byte(kJet123ModeOffset));

    image.setByte(kServoInEnable, 1);
    image.setByte(kServoInMode, 2); // by load only: no RPM axis shown
    EXPECT_EQ(rebinRpmAxis(image, tables, kPageIntakeServo, kNewHeads).refusal,
              MapEditStatus{MapEditMessage::NoRpmAxis});
    image.setByte(kServoInEnable, before.byte(kServoInEnable));
    image.setByte(kServoInMode, before.byte(kServoInMode));
    EXPECT_TRUE(std::ranges::equal(image.bytes(), before.bytes()));
}

} // namespace
} // namespace quorvel
