#include "model/bike_list.h"
#include "model/bike_map_presets.h"
#include "model/bike_presets.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace quorvel {
namespace {

std::set<std::string> valuesRowNames()
{
    std::set<std::string> names;
    for (const BikeValuesRow& row : BikePresets::valuesRows())
        names.emplace(row.name);
    return names;
}

// A bike in two rows of one preset, or in none, is a fault of the data: the lookup would
// silently take the first row or nothing.
TEST(BikePresets, EveryValuesPresetHoldsEveryBikeExactlyOnce)
{
    const std::set<int> fullAdvance = {8, 26, 34, 36, 39, 45, 47};
    for (const std::string& name : valuesRowNames()) {
        for (int code = 0; code < kBikeCodeCount; ++code) {
            int rows = 0;
            for (const BikeValuesRow& row : BikePresets::valuesRows())
                rows += (row.name == name && row.bikes.contains(code)) ? 1 : 0;
            const int expected = (name == "AdvanceCurve" && fullAdvance.contains(code)) ? 0 : 1;
            EXPECT_EQ(rows, expected) << name << " bike " << code;
        }
    }
    for (int code = 0; code < kBikeCodeCount; ++code) {
        int tables = 0;
        for (const BikeMapCells& table : BikeMapPresets::advanceTables())
            tables += table.bikes.contains(code) ? 1 : 0;
        EXPECT_EQ(tables, fullAdvance.contains(code) ? 1 : 0) << "bike " << code;
    }
}

TEST(BikePresets, EveryScalarHasOneRowForTheOtherBikesAndNoBikeTwice)
{
    std::map<std::string, std::vector<const BikeScalarRow*>> byName;
    for (const BikeScalarRow& row : BikePresets::scalarRows())
        byName[std::string(row.name)].push_back(&row);
    for (const auto& [name, rows] : byName) {
        EXPECT_TRUE(rows.back()->bikes.isOthers()) << name;
        for (int code = 0; code < kBikeCodeCount; ++code) {
            int explicitRows = 0;
            for (const BikeScalarRow* row : rows)
                explicitRows += row->bikes.contains(code) ? 1 : 0;
            EXPECT_LE(explicitRows, 1) << name << " bike " << code;
        }
    }
}

// The rev ceilings as the bike table lists them; the derived byte 402 must agree, since the
// limiter defaults are taken from it.
TEST(BikePresets, DerivedRevCeilingAgreesWithTheRevCeilingTable)
{
    const std::vector<std::pair<int, std::set<int>>> ceilings = {
        {9500, {52}},
        {10000, {24}},
        {10500, {16, 25, 37}},
        {10800, {1, 30}},
        {10900, {15, 29, 50}},
        {11000, {0, 5, 9, 10, 40}},
        {11300, {43}},
        {11500, {39}},
        {12000, {4, 13, 14, 22, 31, 38, 51}},
        {12400, {21}},
        {12700, {8, 36}},
        {13000, {26, 35}},
        {13500, {45}},
        {13600, {12, 23}},
        {13800, {17}},
        {14000, {2, 6, 7, 11, 19, 20, 32, 44, 47, 49}},
        {14300, {27}},
        {15000, {3, 18, 28, 33, 42}},
        {15200, {48}},
        {15400, {41}},
        {15500, {46}},
        {15800, {34}},
    };
    int listed = 0;
    for (const auto& [rpm, codes] : ceilings) {
        for (int code : codes) {
            EXPECT_EQ(BikePresets::derivedBytes(code)[7] * 100, rpm) << "bike " << code;
            ++listed;
        }
    }
    EXPECT_EQ(listed, kBikeCodeCount);
}

TEST(BikePresets, ScalarsAndRowsOfSampleBikes)
{
    EXPECT_EQ(BikePresets::scalar("Tps0", 1), 340);
    EXPECT_EQ(BikePresets::scalar("Tps100", 1), 4730);
    EXPECT_EQ(BikePresets::scalar("Tps0", 44), 1100); // the other bikes
    EXPECT_EQ(BikePresets::scalar("StartLimiter", 33), 10000);
    EXPECT_EQ(BikePresets::scalar("AktFall", 40), 0);
    EXPECT_EQ(BikePresets::scalar("AktFall", 43), 1);
    EXPECT_EQ(BikePresets::scalar("LobeWidth", 44), 60);
    EXPECT_EQ(BikePresets::scalar("IapTpsMax", 47), 7);
    EXPECT_EQ(BikePresets::values("Idle", 46)[4], 25000);
    EXPECT_EQ(BikePresets::values("CidloVzduch", 50)[8], 1416);
    EXPECT_EQ(BikePresets::values("PressureSensors", 43)[1], 1556);
    EXPECT_EQ(BikePresets::values("RpmAxis", 24).back(), 10000);
    EXPECT_EQ(BikePresets::derivedBytes(50)[0], 24);
}

TEST(BikePresets, UnlistedCodesTakeThePresetsOfTheStandIn)
{
    EXPECT_EQ(BikePresets::derivedBytes(53), BikePresets::derivedBytes(kUnlistedBikeStandIn));
    EXPECT_EQ(BikePresets::scalar("Tps100", 200), BikePresets::scalar("Tps100", kUnlistedBikeStandIn));
    EXPECT_EQ(BikeMapPresets::advance(99), BikeMapPresets::advance(kUnlistedBikeStandIn));
}

TEST(BikeList, PositionsAndCodesAreOneToOne)
{
    std::set<int> codes;
    for (int position = 0; position < BikeList::kNoBikePosition; ++position) {
        const auto code = BikeList::bikeCodeOf(position);
        ASSERT_TRUE(code.has_value()) << position;
        codes.insert(*code);
        EXPECT_EQ(BikeList::positionOf(*code), position);
    }
    EXPECT_EQ(codes.size(), 53u);
    EXPECT_EQ(*codes.rbegin(), 52);
}

TEST(BikeList, NoBikeItemAndUnknownCodes)
{
    EXPECT_FALSE(BikeList::bikeCodeOf(53).has_value());
    EXPECT_FALSE(BikeList::bikeCodeOf(54).has_value());
    EXPECT_FALSE(BikeList::bikeCodeOf(-1).has_value());
    EXPECT_FALSE(BikeList::positionOf(53).has_value());
    EXPECT_EQ(BikeList::shownPosition(53), BikeList::kNoBikePosition);
    EXPECT_EQ(BikeList::shownPosition(11), 28);
    EXPECT_EQ(BikeList::itemText(53), "-------------");
    EXPECT_EQ(BikeList::itemText(0), "Aprilia RSV MILLE                98-");
    EXPECT_EQ(BikeList::itemText(22), "Kawasaki  ZX10 R               06- ");
    EXPECT_EQ(BikeList::itemText(54), "");
}

TEST(BikeMapPresets, AdvanceFallsWithLoadAndStaysInRange)
{
    for (int code = 0; code < kBikeCodeCount; ++code) {
        const auto cells = BikeMapPresets::advance(code);
        for (std::size_t e = 0; e < cells.size(); ++e) {
            EXPECT_LE(cells[e], 60) << "bike " << code;
            if (e >= 15) {
                EXPECT_LE(cells[e], cells[e - 15]) << "bike " << code << " cell " << e;
            }
        }
    }
    // A bike with a curve has it in every row.
    EXPECT_EQ(BikeMapPresets::advance(1)[0], 9);
    EXPECT_EQ(BikeMapPresets::advance(1)[135], 9);
    EXPECT_GT(BikeMapPresets::advance(8)[5], BikeMapPresets::advance(8)[140]);
}

TEST(BikeMapPresets, InjBOnlyForTheBikesWithSecondaryInjectors)
{
    const std::set<int> withB = {3, 21, 28, 46, 19, 48, 26, 41, 49, 34};
    for (int code = 0; code < kBikeCodeCount; ++code) {
        const auto cells = BikeMapPresets::injB(code);
        int sum = 0;
        for (std::size_t e = 0; e < cells.size(); ++e) {
            sum += cells[e];
            EXPECT_LE(cells[e], 100);
            if (e >= 15) {
                EXPECT_GE(cells[e], cells[e - 15]) << "bike " << code << " cell " << e;
            }
        }
        EXPECT_EQ(sum > 0, withB.contains(code)) << "bike " << code;
    }
}

// The servo presets must fit the unit and mode the bike's scalars choose: a full map exactly for
// the intake servos in mode "R + T", percentages exactly where the servo works in percent, and
// voltages the unit can store (the sanitiser replaces a byte above 249).
void expectServoFits(const ServoPreset& preset, bool percent, int rows, int code)
{
    EXPECT_EQ(preset.rows, rows) << "bike " << code;
    for (int c = 1; c < 15; ++c)
        EXPECT_GT(preset.rpm[static_cast<std::size_t>(c)], preset.rpm[static_cast<std::size_t>(c - 1)]) << code;
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 15; ++c) {
            const int cell = preset.cell(r, c);
            if (percent) {
                EXPECT_LE(cell, 100) << "bike " << code;
            } else {
                EXPECT_GE(cell, 1000) << "bike " << code;
                EXPECT_LE(cell, 249 * 20) << "bike " << code;
                EXPECT_EQ(cell % 20, 0) << "bike " << code;
            }
        }
    }
}

TEST(BikeMapPresets, ServoPresetsFitTheBikesServoModes)
{
    for (int code = 0; code < kBikeCodeCount; ++code) {
        const bool intakeFull = BikePresets::scalar("ServoInMode", code) == 0;
        expectServoFits(BikeMapPresets::intakeServo(code), BikePresets::scalar("ServoInProcent", code) == 1,
                        intakeFull ? 10 : 1, code);
        expectServoFits(BikeMapPresets::exhaustServo(code), BikePresets::scalar("ServoExProcent", code) == 1, 1, code);
    }
    EXPECT_EQ(BikeMapPresets::intakeServos().size(), 11u);
    EXPECT_EQ(BikeMapPresets::exhaustServos().size(), 8u);
}

} // namespace
} // namespace quorvel
