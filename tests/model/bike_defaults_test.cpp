#include "core/sanitise.h"
#include "model/bike_defaults.h"
#include "model/bike_presets.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <vector>

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kCorrectionsPage = 9;
constexpr int kInj2APage = 3;
constexpr int kRacePage = 15;
constexpr int kBikePage = 0;

int shown(const ParamImage& image, std::string_view name, int element = 0)
{
    return readShown(image, *FieldTable::byName(name), element);
}

ParamImage imageOfBike(int code)
{
    ParamImage image;
    image.setByte(kBikeOffset, static_cast<std::uint8_t>(code));
    return image;
}

ParamImage defaultsOf(int code, InjectionTables& tables)
{
    ParamImage image = imageOfBike(code);
    applyDefaults(image, tables, {false, kBikePage});
    return image;
}

// Every byte of blocks 1..19 set to a pattern that no default produces by chance, so that an
// untouched byte is recognised.
ParamImage patternedImage(int code)
{
    ParamImage image;
    for (int offset = kBlockSize; offset < kImageSize; ++offset)
        image.setByte(offset, static_cast<std::uint8_t>((offset * 7 + 3) % 251));
    image.setByte(kBikeOffset, static_cast<std::uint8_t>(code));
    return image;
}

// What every defaults run writes, whatever the page: the derived fields, the servo modes and
// the coupling byte of bike 50.
std::set<int> offsetsOfEveryRun()
{
    std::set<int> offsets = {417};
    for (const Field* f : FieldTable::derived()) {
        for (int e = 0; e < f->count; ++e) {
            for (int b = 0; b < f->bytesPerElement(); ++b)
                offsets.insert(f->elementOffset(e) + b);
        }
    }
    offsets.insert(FieldTable::byName("ServoExMode")->offset);
    offsets.insert(FieldTable::byName("ServoInMode")->offset);
    return offsets;
}

std::set<int> offsetsOfPage(int page)
{
    std::set<int> offsets;
    for (const Field* f : FieldTable::ofPage(page)) {
        for (int offset = f->offset; offset <= f->lastOffset(); ++offset)
            offsets.insert(offset);
    }
    return offsets;
}

void expectOnlyChanged(const ParamImage& before, const ParamImage& after, const std::set<int>& allowed)
{
    for (int offset = 0; offset < kImageSize; ++offset) {
        if (!allowed.contains(offset)) {
            EXPECT_EQ(before.byte(offset), after.byte(offset)) << "offset " << offset;
        }
    }
}

TEST(Defaults, NewForBike1SetsLimitersShiftLightsAndThrottle)
{
    InjectionTables tables;
    const ParamImage image = defaultsOf(1, tables);
    EXPECT_EQ(shown(image, "IgnLimiter"), 10800);
    EXPECT_EQ(shown(image, "JetLimiter"), 11100);
    EXPECT_EQ(shown(image, "RetardLimiterRpm"), 11100);
    for (int gear = 0; gear < 6; ++gear) {
        EXPECT_EQ(shown(image, "PilotLight1", gear), 8800);
        EXPECT_EQ(shown(image, "PilotLight2", gear), 9300);
    }
    EXPECT_EQ(shown(image, "Tps0"), 340);
    EXPECT_EQ(shown(image, "Tps100"), 4730);
    EXPECT_EQ(shown(image, "StartLimiter"), 7000);
    EXPECT_EQ(image.byte(kJet123ModeOffset), 1); // "Coupled"
}

TEST(Defaults, InjectionMapsEqualTheirReferenceTables)
{
    InjectionTables tables;
    const ParamImage image = defaultsOf(8, tables);
    for (InjectionMap m : kInjectionMaps) {
        for (int e = 0; e < kMapCells; ++e) {
            EXPECT_EQ(tables.percent(m)[static_cast<std::size_t>(e)], 100);
            EXPECT_EQ(mapCell(image, mapOf(m), e), tables.reference(m)[static_cast<std::size_t>(e)]);
        }
    }
}

TEST(Defaults, Bike50IsAlwaysSetToSameMaps)
{
    InjectionTables tables;
    EXPECT_EQ(defaultsOf(50, tables).byte(kJet123ModeOffset), 2);

    for (const auto& [code, expected] : {std::pair{50, 2}, std::pair{29, 0}}) {
        ParamImage image = defaultsOf(code, tables);
        image.setByte(kJet123ModeOffset, 0);
        applyDefaults(image, tables, {true, kBikePage});
        EXPECT_EQ(image.byte(kJet123ModeOffset), expected) << "bike " << code;
    }
}

TEST(Defaults, PageOnlyCorrectionsSetsTheBikesCorrections)
{
    InjectionTables tables;
    ParamImage image = patternedImage(8);
    applyDefaults(image, tables, {true, kCorrectionsPage});
    EXPECT_EQ(shown(image, "SyticCas4"), 20);
    EXPECT_EQ(shown(image, "SyticKorekce0"), 250);
    EXPECT_EQ(shown(image, "KorVoda", 0), 125);
    EXPECT_EQ(shown(image, "IgnVoda", 4), -5);
    EXPECT_EQ(shown(image, "AkcelJet"), 1700);
    EXPECT_EQ(shown(image, "StartJet"), 12);
}

struct PageOnlyCase {
    int page;
    std::vector<std::string_view> alsoWritten; // fields of other pages reset with this one
    std::vector<std::string_view> notWritten;  // fields of this page reset with another one
};

// A page-only run writes the fields of its page and what every run writes, nothing else: no
// field of another page, no map, no percent table.
class PageOnlyRun : public testing::TestWithParam<PageOnlyCase> {};

TEST_P(PageOnlyRun, TouchesOnlyItsPage)
{
    const PageOnlyCase& c = GetParam();
    InjectionTables tables;
    for (InjectionMap m : kInjectionMaps)
        tables.percent(m).fill(77);
    const ParamImage before = patternedImage(8);
    ParamImage after = before;
    applyDefaults(after, tables, {true, c.page});

    std::set<int> allowed = offsetsOfEveryRun();
    allowed.merge(offsetsOfPage(c.page));
    auto offsetsOf = [](std::string_view name) {
        const Field* f = FieldTable::byName(name);
        std::set<int> offsets;
        for (int offset = f->offset; offset <= f->lastOffset(); ++offset)
            offsets.insert(offset);
        return offsets;
    };
    for (std::string_view name : c.alsoWritten)
        allowed.merge(offsetsOf(name));
    for (std::string_view name : c.notWritten) {
        for (int offset : offsetsOf(name))
            allowed.erase(offset);
    }
    expectOnlyChanged(before, after, allowed);
    for (InjectionMap m : kInjectionMaps)
        EXPECT_EQ(tables.percent(m)[0], 77);
}

INSTANTIATE_TEST_SUITE_P(Defaults, PageOnlyRun,
                         testing::Values(PageOnlyCase{kCorrectionsPage, {}, {}}, PageOnlyCase{10, {}, {}},
                                         PageOnlyCase{13, {"SpeedMode", "PulsuProSpeed"}, {}}, PageOnlyCase{14, {}, {}},
                                         PageOnlyCase{kRacePage, {}, {}},
                                         PageOnlyCase{16, {}, {"SpeedMode", "PulsuProSpeed"}},
                                         PageOnlyCase{17, {}, {}}));

TEST(Defaults, PageOnlyInj2AInNormalModeResetsOnlyItsAxisAndMap)
{
    InjectionTables tables;
    ParamImage before = patternedImage(3);
    before.setByte(kJet123ModeOffset, 0);
    for (InjectionMap m : kInjectionMaps)
        tables.percent(m).fill(77);
    ParamImage after = before;
    applyDefaults(after, tables, {true, kInj2APage});

    const MapLayout& jet2A = MapTable::of(MapId::Jet2A);
    std::set<int> allowed = offsetsOfEveryRun();
    for (int offset = jet2A.cellOffset; offset <= jet2A.lastCellOffset(); ++offset)
        allowed.insert(offset);
    for (int c = 0; c < kMapColumns; ++c)
        allowed.insert(jet2A.axisOffset + c);
    expectOnlyChanged(before, after, allowed);

    const auto axis = BikePresets::values("RpmAxis", 3);
    for (int c = 0; c < kMapColumns; ++c)
        EXPECT_EQ(axisPoint(after, MapId::Jet2A, c) * 100, axis[static_cast<std::size_t>(c)]);
    for (int e = 0; e < kMapCells; ++e)
        EXPECT_EQ(mapCell(after, MapId::Jet2A, e), tables.reference(InjectionMap::Jet2A)[static_cast<std::size_t>(e)]);
    EXPECT_EQ(tables.percent(InjectionMap::Jet2A)[0], 100);
    EXPECT_EQ(tables.percent(InjectionMap::Jet3A)[0], 77);
    EXPECT_EQ(tables.percent(InjectionMap::Jet1A)[0], 77);
}

TEST(Defaults, PageOnlyInj2AInCoupledModeLeavesTheCoupledMaps)
{
    InjectionTables tables;
    ParamImage before = patternedImage(3);
    before.setByte(kJet123ModeOffset, 1);
    ParamImage after = before;
    applyDefaults(after, tables, {true, kInj2APage});
    expectOnlyChanged(before, after, offsetsOfEveryRun());
}

// A limiter below 2900 rpm, possible on a page-only run, gives the lowest shift light instead
// of a code that wraps below zero to 24500 rpm.
TEST(Defaults, ShiftLightsOfALowLimiterStayAtTheLowestSetting)
{
    InjectionTables tables;
    ParamImage image = defaultsOf(1, tables);
    writeShown(image, *FieldTable::byName("IgnLimiter"), 0, 900);
    applyDefaults(image, tables, {true, kRacePage});
    EXPECT_EQ(shown(image, "PilotLight1", 0), 900);
    EXPECT_EQ(shown(image, "PilotLight2", 0), 1400);
}

TEST(Defaults, PositionAngleBeyond720DegreesIsStoredAtTheControlLimit)
{
    InjectionTables tables;
    const ParamImage image = defaultsOf(12, tables);
    EXPECT_EQ(image.byte(FieldTable::byName("PositionAAngle")->elementOffset(8)), 144);
    EXPECT_EQ(shown(image, "PositionAAngle", 7), 390);
}

TEST(Defaults, ServoMapsFollowTheBikesUnitAndMode)
{
    InjectionTables tables;
    // Bike 8: intake servo in percent with a full map.
    const ParamImage percent = defaultsOf(8, tables);
    EXPECT_EQ(shown(percent, "ServoInProcent"), 1);
    EXPECT_EQ(shown(percent, "ServoInMode"), 0);
    EXPECT_NE(mapCell(percent, MapId::ServoIn, 14), mapCell(percent, MapId::ServoIn, 9 * 15 + 14));
    // Bike 11: voltages in 20 mV, one row in every row.
    const ParamImage volts = defaultsOf(11, tables);
    EXPECT_EQ(shown(volts, "ServoInMode"), 1);
    EXPECT_EQ(shown(volts, "ServoExMode"), 1);
    for (int c = 0; c < kMapColumns; ++c) {
        EXPECT_GE(mapCell(volts, MapId::ServoIn, c), 50);
        EXPECT_EQ(mapCell(volts, MapId::ServoIn, c), mapCell(volts, MapId::ServoIn, 9 * 15 + c));
    }
}

TEST(DeriveBikeFields, WritesTheBikesBytesAndTheChokeFlag)
{
    ParamImage image = imageOfBike(38);
    deriveBikeFields(image);
    EXPECT_TRUE(image.chokeBike());
    EXPECT_EQ(image.byte(152), 11);
    EXPECT_EQ(image.byte(406), 1); // CylinderCount
    EXPECT_EQ(image.byte(407), 0); // EngineTiming after the cylinder count
    EXPECT_EQ(image.byte(424), 2); // last TriggerParams byte
    EXPECT_EQ(image.wordAt(380), 220);

    image.setByte(kBikeOffset, 8);
    deriveBikeFields(image);
    EXPECT_FALSE(image.chokeBike());
    EXPECT_EQ(image.byte(402), 127);
}

TEST(DeriveBikeFields, LobeCopyFollowsLobeWidthForTheLobeEngines)
{
    ParamImage image = imageOfBike(44); // EngineType 22
    image.setByte(FieldTable::byName("LobeWidth")->offset, 60);
    deriveBikeFields(image);
    EXPECT_EQ(image.byte(417), 60);
}

TEST(DeriveBikeFields, UnlistedCodeStaysAndGetsTheStandInsBytes)
{
    ParamImage unlisted = imageOfBike(60);
    ParamImage standIn = imageOfBike(kUnlistedBikeStandIn);
    deriveBikeFields(unlisted);
    deriveBikeFields(standIn);
    EXPECT_EQ(unlisted.byte(kBikeOffset), 60);
    for (int offset = 152; offset <= 424; ++offset) {
        if (offset != kBikeOffset) {
            EXPECT_EQ(unlisted.byte(offset), standIn.byte(offset)) << offset;
        }
    }
}

// Every bike's defaults are already what the sanitiser would make of them: a fresh image is
// programmed as it is shown.
class DefaultsOfEveryBike : public testing::TestWithParam<int> {};

TEST_P(DefaultsOfEveryBike, AreLeftUnchangedBySanitising)
{
    InjectionTables tables;
    const ParamImage image = defaultsOf(GetParam(), tables);
    ParamImage sanitised = image;
    OutsideSettings settings;
    static_cast<void>(sanitiseImage(sanitised, settings));
    for (int offset = 0; offset < kImageSize; ++offset)
        EXPECT_EQ(sanitised.byte(offset), image.byte(offset)) << "offset " << offset;
}

INSTANTIATE_TEST_SUITE_P(Defaults, DefaultsOfEveryBike, testing::Range(0, kBikeCodeCount));

} // namespace
} // namespace quorvel
