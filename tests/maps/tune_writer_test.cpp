#include "maps/tune_writer.h"

#include "core/page_index.h"
#include "map_test_image.h"
#include "maps/image_only_host.h"
#include "model/field_codec.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"
#include "texts/map_edit_texts.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

constexpr int kServoInProcent = 213;
constexpr int kIdleMode = 2750;

// The window's side of the writer, recorded: what was shown and what would reach the unit.
class RecordingHost final : public TuneHost {
public:
    explicit RecordingHost(ParamImage& image)
        : m_sanitising(image)
    {
    }
    void collectPage() override { ++collects; }
    void showImage() override
    {
        ++shows;
        m_sanitising.showImage();
    }
    void showRestored(int page) override { restoredPages.push_back(page); }
    void historyMoved() override {}
    [[nodiscard]] int pageOfChange() const override { return kPageInj1A; }
    [[nodiscard]] bool programsAfterChange() const override { return programs; }
    void programPendingBlocks() override { ++programmed; }

    bool programs = false;
    int collects = 0;
    int shows = 0;
    int programmed = 0;
    std::vector<int> restoredPages;

private:
    ImageOnlyHost m_sanitising;
};

class TuneWriterTest : public testing::Test {
protected:
    TuneWriterTest() { m_writer.start(kPageInj1A); }

    [[nodiscard]] int percent(InjectionMap map, GridCell cell) const
    {
        return m_tables.percent(map)[static_cast<std::size_t>(cell.row * kMapColumns + cell.column)];
    }
    [[nodiscard]] std::uint16_t reference(InjectionMap map, GridCell cell) const
    {
        return m_tables.reference(map)[static_cast<std::size_t>(cell.row * kMapColumns + cell.column)];
    }
    TuneWrite write(MapId map, CellUnit unit, std::vector<CellInput> values, RangePolicy policy = RangePolicy::Refuse)
    {
        return m_writer.writeCells(MapTable::of(map), unit, values, policy);
    }
    void couple(Jet123Mode mode)
    {
        m_image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(mode));
        m_writer.commit();
    }

    InjectionTables m_tables;
    ParamImage m_image = defaultImage(m_tables);
    RecordingHost m_host{m_image};
    TuneWriter m_writer{m_image, m_tables, m_host};
};

// A value in a unit, and what the cell of the map holds afterwards in the page's unit.
struct UnitCase {
    std::string_view what;
    MapId map;
    CellUnit unit;
    CellInput value;
    int shown; // the grid value, -1: worked out from the reference (a time in ms)
};

class Units : public TuneWriterTest, public testing::WithParamInterface<UnitCase> {};

TEST_P(Units, AreStoredAtTheNearestStepOfTheCell)
{
    const UnitCase& c = GetParam();
    m_image.setByte(kServoInProcent, 0); // the intake servo in mV
    m_image.setByte(kJet123ModeOffset, 0);
    ASSERT_FALSE(write(c.map, c.unit, {c.value}).refusal) << c.what;
    MapPageValues shown = fillMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image),
                                      MapTable::of(c.map).page);
    const int cell = shown.cells[static_cast<std::size_t>(c.value.cell.row * kMapColumns + c.value.cell.column)];
    if (c.shown >= 0) {
        EXPECT_EQ(cell, c.shown) << c.what;
        return;
    }
    // A time: the nearest whole percent of the cell's reference.
    const std::uint16_t ref = reference(InjectionMap::Jet1A, c.value.cell);
    const std::int64_t microseconds = c.value.numerator * 1000 / c.value.denominator;
    EXPECT_EQ(cell, (microseconds * 100 + ref / 2) / ref) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Values, Units,
    testing::Values(UnitCase{"degrees, halves away from zero", MapId::Advance, CellUnit::Shown, {{2, 2}, 255, 10}, 26},
                    UnitCase{"percent", MapId::Jet1A, CellUnit::Shown, {{2, 2}, 1374, 10}, 137},
                    UnitCase{"mV in steps of 20", MapId::ServoIn, CellUnit::Shown, {{3, 3}, 2510, 1}, 2520},
                    UnitCase{"ms, not percent", MapId::Jet1A, CellUnit::Milliseconds, {{4, 4}, 2, 1}, -1},
                    UnitCase{"ms to the thousandth", MapId::Jet1A, CellUnit::Milliseconds, {{4, 5}, 1404, 1000}, -1},
                    UnitCase{"raw", MapId::JetB, CellUnit::Shown, {{0, 0}, 99, 1}, 99}));

// A value beyond what a cell holds, in each unit.
struct RangeCase {
    std::string_view what;
    MapId map;
    CellUnit unit;
    CellInput value;
    std::string_view text; // the refusal, in English
};

class Ranges : public TuneWriterTest, public testing::WithParamInterface<RangeCase> {};

TEST_P(Ranges, AreRefusedWithNothingChangedAndTheCellNamed)
{
    const RangeCase& c = GetParam();
    const ParamImage before = m_image;
    const InjectionTables tables = m_tables;
    const TuneWrite written = write(c.map, c.unit, {{{0, 0}, 1}, c.value});
    ASSERT_TRUE(written.refusal) << c.what;
    EXPECT_NE(mapEditText(*written.refusal, Language::English).find(c.text), std::string::npos)
        << mapEditText(*written.refusal, Language::English);
    EXPECT_TRUE(std::ranges::equal(m_image.bytes(), before.bytes())) << c.what;
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet1A), tables.percent(InjectionMap::Jet1A));
    EXPECT_FALSE(m_writer.history().canUndo());
    EXPECT_EQ(m_host.shows, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Ranges,
    testing::Values(
        RangeCase{"advance",
                  MapId::Advance,
                  CellUnit::Shown,
                  {{4, 0}, 75, 1},
                  "Row 20%, 1000 rpm: 75 deg is outside the range 0 to 60 deg"},
        RangeCase{
            "below zero", MapId::JetB, CellUnit::Shown, {{1, 1}, -5, 1}, ": -5 raw is outside the range 0 to 100 raw"},
        RangeCase{"rounded beyond", MapId::Advance, CellUnit::Shown, {{1, 1}, 605, 10}, "60.5 deg"},
        RangeCase{
            "percent", MapId::Jet1A, CellUnit::Shown, {{1, 1}, 1001, 1}, "1001 % is outside the range 0 to 1000 %"},
        RangeCase{"longer than the unit holds", MapId::Jet1A, CellUnit::Milliseconds, {{1, 1}, 61, 1}, "61 ms"},
        RangeCase{"a time below zero", MapId::Iap, CellUnit::Milliseconds, {{9, 1}, -1, 1}, "-1 ms"},
        RangeCase{"far beyond", MapId::Advance, CellUnit::Shown, {{1, 1}, 1'000'000'000'000, 1}, "1000000000000 deg"}));

TEST_F(TuneWriterTest, HeldValuesAreCountedAndStoredAtTheEndOfTheRange)
{
    const TuneWrite written =
        write(MapId::Advance, CellUnit::Shown, {{{0, 0}, 75}, {{0, 1}, -3}, {{0, 2}, 20}}, RangePolicy::Hold);
    EXPECT_EQ(written.held, 2);
    EXPECT_EQ(written.cells, 3);
    EXPECT_EQ(mapCell(m_image, MapId::Advance, 0), 60);
    EXPECT_EQ(mapCell(m_image, MapId::Advance, 1), 0);
    EXPECT_EQ(mapCell(m_image, MapId::Advance, 2), 20);
}

TEST_F(TuneWriterTest, AChangeIsShownOnceRecordedOnceAndProgrammedWhenTicked)
{
    m_host.programs = true;
    m_image.pendingBlocks().clearAll();
    const TuneWrite written = write(MapId::JetB, CellUnit::Shown, {{{0, 0}, 42}, {{0, 1}, 43}});
    EXPECT_EQ(written.changed, 2);
    EXPECT_EQ(m_host.shows, 1);
    EXPECT_EQ(m_writer.history().undoSteps(), 1);
    EXPECT_EQ(m_host.programmed, 1);
    for (int block = 0; block < kBlockCount; ++block)
        EXPECT_EQ(m_image.pendingBlocks().isSet(block), block == 2000 / kBlockSize) << block;

    // The same values again change nothing: nothing shown, recorded or programmed.
    EXPECT_EQ(write(MapId::JetB, CellUnit::Shown, {{{0, 0}, 42}}).changed, 0);
    EXPECT_EQ(m_host.shows, 1);
    EXPECT_EQ(m_writer.history().undoSteps(), 1);

    // Undo is a write too: programmed, and the page of the change shown.
    m_writer.undo();
    EXPECT_EQ(m_host.programmed, 2);
    EXPECT_EQ(m_host.restoredPages, std::vector<int>{kPageInj1A});
}

TEST_F(TuneWriterTest, ACellOfInj1ACoupledCarriesItsDifferenceIntoTheFollowers)
{
    couple(Jet123Mode::Coupled);
    const GridCell cell{5, 5};
    const int lead = percent(InjectionMap::Jet1A, cell);
    const int follower = percent(InjectionMap::Jet4A, cell);
    ASSERT_FALSE(write(MapId::Jet1A, CellUnit::Shown, {{cell, lead + 12}}).refusal);
    EXPECT_EQ(percent(InjectionMap::Jet4A, cell), follower + 12);

    // A time given for Inj. 1 carries the same percentage points.
    const int before = percent(InjectionMap::Jet2A, cell);
    const std::int64_t time = storedTime(static_cast<std::uint16_t>(lead + 20), reference(InjectionMap::Jet1A, cell));
    ASSERT_FALSE(write(MapId::Jet1A, CellUnit::Milliseconds, {{cell, time, 1000}}).refusal);
    EXPECT_EQ(percent(InjectionMap::Jet2A, cell), before + 8);

    // The followers take no value of their own.
    EXPECT_EQ(write(MapId::Jet3A, CellUnit::Shown, {{cell, 50}}).refusal, MapEditStatus{MapEditMessage::FollowerMap});
}

TEST_F(TuneWriterTest, OneEqualsTwoMakesTheFollowersCopiesOfInj1A)
{
    couple(Jet123Mode::Same);
    ASSERT_FALSE(write(MapId::Jet1A, CellUnit::Shown, {{{2, 7}, 321}}).refusal);
    for (MapId follower : {MapId::Jet2A, MapId::Jet3A, MapId::Jet4A}) {
        for (int e = 0; e < kMapCells; ++e)
            ASSERT_EQ(mapCell(m_image, follower, e), mapCell(m_image, MapId::Jet1A, e)) << e;
    }
}

TEST_F(TuneWriterTest, AWholeMapTakesItsTimesAgainstTheReferencesOfItsNewHeads)
{
    m_image.setByte(kJet123ModeOffset, 0);
    SheetValues sheet;
    for (int c = 0; c < kMapColumns; ++c)
        sheet.rpm[static_cast<std::size_t>(c)] = 1000 + 1000 * c;
    for (DecimalNumber& cell : sheet.cells)
        cell = {3, 1}; // 3 ms everywhere
    ASSERT_FALSE(
        m_writer.writeMap(MapTable::of(MapId::Jet1A), sheet, CellUnit::Milliseconds, RangePolicy::Refuse).refusal);
    EXPECT_EQ(axisPoint(m_image, MapId::Jet1A, 14), 150);
    for (int e = 0; e < kMapCells; e += 7) {
        const std::uint16_t ref = m_tables.reference(InjectionMap::Jet1A)[static_cast<std::size_t>(e)];
        EXPECT_EQ(m_tables.percent(InjectionMap::Jet1A)[static_cast<std::size_t>(e)], (300000 + ref / 2) / ref) << e;
    }
}

// A parameter by its shown value: the nearest the field holds, or refused outside its range.
struct FieldCase {
    std::string_view field;
    DecimalNumber given;
    std::optional<int> stored; // none: refused
    bool rounded = false;
};

class Fields : public TuneWriterTest, public testing::WithParamInterface<FieldCase> {};

TEST_P(Fields, TakeTheNearestValueTheyHoldOrAreRefused)
{
    const FieldCase& c = GetParam();
    const Field& field = *FieldTable::byName(c.field);
    const ParamImage before = m_image;
    const FieldWrite written = m_writer.writeField(field, 0, c.given);
    if (!c.stored) {
        ASSERT_TRUE(written.refusal) << c.field;
        EXPECT_TRUE(std::ranges::equal(m_image.bytes(), before.bytes()));
        return;
    }
    ASSERT_FALSE(written.refusal) << c.field;
    EXPECT_EQ(written.stored, *c.stored);
    EXPECT_EQ(written.rounded, c.rounded);
    EXPECT_EQ(readShown(m_image, field), *c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Fields,
    testing::Values(FieldCase{"IgnLimiter", {99999, 1}, std::nullopt}, FieldCase{"IgnLimiter", {-5, 1}, std::nullopt},
                    FieldCase{"IgnLimiter", {15550, 1}, 15600, true}, FieldCase{"IgnLimiter", {15500, 1}, 15500, false},
                    FieldCase{"RpmKorekce", {-60, 1}, -60, false}, FieldCase{"Tps100", {4444, 1}, 4440, true},
                    FieldCase{"Chlazeni", {1504, 10}, 150, true}, FieldCase{"Chlazeni", {151, 1}, std::nullopt}));

TEST_F(TuneWriterTest, TheIdleTargetsTakeTheRangeOfTheIdleMode)
{
    const Field& targets = *FieldTable::byName("IdleServoPoz");
    m_image.setByte(kIdleMode, 1); // the intake servo
    m_image.setByte(kServoInProcent, 1);
    EXPECT_TRUE(m_writer.writeField(targets, 0, {101, 1}).refusal);
    m_image.setByte(kIdleMode, 3); // the step motor making TPS min
    EXPECT_FALSE(m_writer.writeField(targets, 0, {25000, 1}).refusal);
}

} // namespace
} // namespace quorvel
