#include "io/map_csv.h"

#include "core/sanitise.h"
#include "maps/image_only_host.h"
#include "maps/tune_writer.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"
#include "model/map_cell_rules.h"
#include "texts/map_edit_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kServoInProcent = 213;

// The defaults of a bike with every map given cells of its own, stored as the pages store them.
class MapCsvTest : public testing::Test {
protected:
    MapCsvTest()
    {
        image.setByte(150, 11);
        applyDefaults(image, tables, {});
        for (InjectionMap map : kInjectionMaps) {
            for (std::size_t e = 0; e < kMapCells; ++e)
                tables.percent(map)[e] = static_cast<std::uint16_t>(60 + (e * 7 + static_cast<int>(map)) % 90);
            tables.percentToImage(map, image);
        }
        for (MapId map : {MapId::Advance, MapId::JetB, MapId::ServoIn, MapId::ServoEx}) {
            for (int e = 0; e < kMapCells; ++e)
                setMapCell(image, map, e, static_cast<std::uint16_t>(e % 50));
        }
        sanitise();
    }

    void sanitise()
    {
        OutsideSettings settings;
        (void)sanitiseImage(image, settings);
        tables.refreshFromImage(image);
    }

    // What the window's import and the command line do: read the file, hand it to the writer.
    std::optional<MapEditStatus> importMapCsv(std::string_view csv, const MapLayout& map,
                                              RangePolicy policy = RangePolicy::Refuse)
    {
        const SheetRead read = readMapCsv(csv, image, map);
        if (read.error)
            return read.error;
        written = writer.writeMap(map, read.values, unitOf(read), policy);
        return written.refusal;
    }

    InjectionTables tables;
    ParamImage image;
    ImageOnlyHost host{image};
    TuneWriter writer{image, tables, host};
    TuneWrite written;
};

TEST_F(MapCsvTest, EveryMapComesBackUnchangedThroughExportAndImport)
{
    for (std::uint8_t coupling : {0, 1}) {
        image.setByte(kJet123ModeOffset, coupling);
        image.setByte(kServoInProcent, coupling); // the intake servo in mV, then in percent
        sanitise();
        for (const MapLayout& map : MapTable::all()) {
            if (followsJet1A(image, map))
                continue;
            const std::string csv = exportMapCsv(image, tables, map);
            const ParamImage before = image;
            ASSERT_EQ(importMapCsv(csv, map), std::nullopt) << map.name;
            EXPECT_TRUE(std::ranges::equal(image.bytes(), before.bytes())) << map.name;
            EXPECT_EQ(exportMapCsv(image, tables, map), csv) << map.name;
        }
    }
}

TEST_F(MapCsvTest, TheHeaderStatesTheMapAndTheUnitsOfItsPage)
{
    image.setByte(kServoInProcent, 0);
    const std::string servo = exportMapCsv(image, tables, MapTable::of(MapId::ServoIn));
    EXPECT_TRUE(servo.starts_with("SERVO_IN_VALUE [mV],")) << servo.substr(0, 40);
    EXPECT_NE(servo.find("\r\n0%,"), std::string::npos);
    const std::string iap = exportMapCsv(image, tables, MapTable::of(MapId::Iap));
    EXPECT_TRUE(iap.starts_with("IAP [%],"));
    EXPECT_NE(iap.find("\r\n30,"), std::string::npos); // the first pressure row, in kPa
}

TEST_F(MapCsvTest, AGermanSpreadsheetsSemicolonsAndDecimalCommasAreRead)
{
    const MapLayout& advance = MapTable::of(MapId::Advance);
    std::string csv = exportMapCsv(image, tables, advance);
    std::ranges::replace(csv, ',', ';');
    csv.replace(csv.find("0%;0;"), 5, "0%;12,5;");
    ASSERT_EQ(importMapCsv(csv, advance), std::nullopt);
    EXPECT_EQ(mapCell(image, MapId::Advance, 0), 13);
}

TEST_F(MapCsvTest, ARefusedFileLeavesTheImageAsItWas)
{
    const MapLayout& jet = MapTable::of(MapId::Jet1A);
    const std::string csv = exportMapCsv(image, tables, jet);
    const ParamImage before = image;
    const PercentTable percents = tables.percent(InjectionMap::Jet1A);

    std::string badNumber = csv;
    badNumber.replace(badNumber.find("\r\n60%,") + 6, 1, "?");
    EXPECT_EQ(importMapCsv(badNumber, jet), (MapEditStatus{MapEditMessage::BadNumber, 9, 2}));
    EXPECT_EQ(importMapCsv(csv.substr(0, csv.rfind("\r\n", csv.size() - 3) + 2), jet),
              (MapEditStatus{MapEditMessage::WrongShape, 11, 1}));
    EXPECT_EQ(importMapCsv(exportMapCsv(image, tables, MapTable::of(MapId::Advance)), jet),
              (MapEditStatus{MapEditMessage::UnitDiffers, 1, 1}));
    EXPECT_EQ(importMapCsv("", jet), MapEditStatus{MapEditMessage::EmptyText});
    image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Same));
    EXPECT_EQ(importMapCsv(csv, MapTable::of(MapId::Jet2A)), MapEditStatus{MapEditMessage::FollowerMap});
    image.setByte(kJet123ModeOffset, before.byte(kJet123ModeOffset));

    EXPECT_TRUE(std::ranges::equal(image.bytes(), before.bytes()));
    EXPECT_EQ(tables.percent(InjectionMap::Jet1A), percents);
}

TEST_F(MapCsvTest, ImportingInj1AWhileCoupledCarriesTheChangeIntoTheFollowers)
{
    image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
    sanitise();
    const MapLayout& jet = MapTable::of(MapId::Jet1A);
    std::string csv = exportMapCsv(image, tables, jet);
    const int lead = tables.percent(InjectionMap::Jet1A)[0];
    const int follower = tables.percent(InjectionMap::Jet4A)[0];
    csv.replace(csv.find("\r\n0%,") + 5, std::to_string(lead).size(), std::to_string(lead + 20));
    ASSERT_EQ(importMapCsv(csv, jet), std::nullopt);
    EXPECT_EQ(tables.percent(InjectionMap::Jet4A)[0], follower + 20);
}

TEST_F(MapCsvTest, AValueOutOfItsRangeIsRefusedWithTheCellNamedOrHeldWhenAskedSo)
{
    const MapLayout& advance = MapTable::of(MapId::Advance);
    std::string csv = exportMapCsv(image, tables, advance);
    const std::size_t row = csv.find("\r\n20%,") + 6;
    csv.replace(row, csv.find(',', row) - row, "75");
    const ParamImage before = image;
    const auto refusal = importMapCsv(csv, advance);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(mapEditText(*refusal, Language::English),
              "Row 20%, " + std::to_string(100 * axisPoint(image, MapId::Advance, 0)) +
                  " rpm: 75 deg is outside the range 0 to 60 deg; nothing was changed");
    EXPECT_TRUE(std::ranges::equal(image.bytes(), before.bytes()));

    ASSERT_EQ(importMapCsv(csv, advance, RangePolicy::Hold), std::nullopt);
    EXPECT_EQ(written.held, 1);
    EXPECT_EQ(mapCell(image, MapId::Advance, 4 * kMapColumns), 60);
}

TEST_F(MapCsvTest, InjectionMapsTravelInMillisecondsToo)
{
    const MapLayout& jet = MapTable::of(MapId::Jet1A);
    const std::string percent = exportMapCsv(image, tables, jet);
    const std::string times = exportMapCsv(image, tables, jet, CellUnit::Milliseconds);
    EXPECT_TRUE(times.starts_with("JET_1A [ms],"));
    const std::uint16_t stored = mapCell(image, MapId::Jet1A, 0);
    EXPECT_NE(times.find("\r\n0%," + fixedText(stored, 3) + ","), std::string::npos);
    // Either file gives the map back; a map of times read while the page shows percent too.
    ASSERT_EQ(importMapCsv(times, jet), std::nullopt);
    EXPECT_EQ(exportMapCsv(image, tables, jet), percent);
    // A time beyond what the cell may hold (60 ms) is refused.
    std::string tooLong = times;
    tooLong.replace(tooLong.find("\r\n0%,") + 4, fixedText(stored, 3).size(), "61.000");
    ASSERT_TRUE(importMapCsv(tooLong, jet));
    EXPECT_EQ(exportMapCsv(image, tables, jet), percent);
}

TEST_F(MapCsvTest, AFileSavedAgainByASpreadsheetIsRead)
{
    // Carriage returns alone, the throttle heads as the fractions of percent cells, and the
    // full precision of a formula's result.
    const MapLayout& advance = MapTable::of(MapId::Advance);
    std::string csv = exportMapCsv(image, tables, advance);
    for (const auto& [head, fraction] : {std::pair{"\r\n2%,", "\r\n0.02,"}, std::pair{"\r\n100%,", "\r\n1,"}})
        csv.replace(csv.find(head), std::string_view(head).size(), fraction);
    const std::size_t cell = csv.find("\r\n0%,") + 5;
    csv.replace(cell, csv.find(',', cell) - cell, "13.799999999999999999");
    for (std::size_t end = csv.find("\r\n"); end != std::string::npos; end = csv.find("\r\n", end))
        csv.erase(end + 1, 1);
    ASSERT_EQ(importMapCsv(csv, advance), std::nullopt);
    EXPECT_EQ(mapCell(image, MapId::Advance, 0), 14);
}

} // namespace
} // namespace quorvel
