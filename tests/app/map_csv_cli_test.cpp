#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "io/atomic_file.h"
#include "io/parameter_set.h"
#include "model/bike_defaults.h"
#include "model/jet_coupling.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

class MapCsvCli : public test::CliFixture {
protected:
    MapCsvCli()
        : CliFixture("map-csv")
    {
    }
    [[nodiscard]] std::string file(const std::string& name) const
    {
        return readWholeFile(path(name)).value_or("<missing>");
    }

    // The defaults of bike 11 with maps of their own, saved with the coupling `mode`.
    void writeParameterFile(const std::string& name, Jet123Mode mode)
    {
        ParamImage image;
        InjectionTables tables;
        image.setByte(150, 11);
        applyDefaults(image, tables, {});
        image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(mode));
        for (InjectionMap map : kInjectionMaps) {
            for (std::size_t e = 0; e < kMapCells; ++e)
                tables.percent(map)[e] = static_cast<std::uint16_t>(70 + e % 80);
            tables.percentToImage(map, image);
        }
        for (int e = 0; e < kMapCells; ++e)
            setMapCell(image, MapId::Advance, e, static_cast<std::uint16_t>(e % 45));
        ASSERT_FALSE(saveParameterFile(path(name), image).has_value());
    }
};

TEST_F(MapCsvCli, EveryMapRoundTripsThroughExportAndImport)
{
    writeParameterFile("b.ign", Jet123Mode::Normal);
    for (const MapLayout& map : MapTable::all()) {
        const std::string key(map.name);
        ASSERT_EQ(cli({"map-export", path("b.ign"), key, "-o", path(key + ".csv")}), kExitOk) << m_err.str();
        EXPECT_TRUE(file(key + ".csv").starts_with(key + " [")) << key;
        ASSERT_EQ(cli({"map-import", path("b.ign"), key, path(key + ".csv"), "-o", path(key + ".ign")}), kExitOk)
            << m_err.str();
        EXPECT_EQ(file(key + ".ign"), file("b.ign")) << key;
    }
}

TEST_F(MapCsvCli, ARefusedCsvWritesNothingAndNamesLineAndColumn)
{
    writeParameterFile("b.ign", Jet123Mode::Normal);
    ASSERT_EQ(cli({"map-export", path("b.ign"), "ADVANCE", "-o", path("a.csv")}), kExitOk);
    std::string csv = file("a.csv");
    csv.replace(csv.find("\r\n2%,") + 5, 1, "x");
    ASSERT_FALSE(writeFileAtomically(path("bad.csv"), csv).has_value());
    ASSERT_FALSE(writeFileAtomically(path("out.ign"), "the previous file").has_value());
    const std::string before = file("b.ign");

    EXPECT_EQ(cli({"map-import", path("b.ign"), "ADVANCE", path("bad.csv"), "-o", path("out.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Line 3, column 2: not a number"), std::string::npos) << m_err.str();
    EXPECT_EQ(file("out.ign"), "the previous file");
    EXPECT_EQ(file("b.ign"), before);

    // A CSV of another unit.
    ASSERT_EQ(cli({"map-export", path("b.ign"), "JET_B", "-o", path("b.csv")}), kExitOk);
    EXPECT_EQ(cli({"map-import", path("b.ign"), "ADVANCE", path("b.csv"), "-o", path("out.ign")}), kExitBadInput);
    EXPECT_EQ(file("out.ign"), "the previous file");
}

TEST_F(MapCsvCli, AValueOutOfItsRangeExitsWith2NamingTheCellUnlessHeld)
{
    writeParameterFile("b.ign", Jet123Mode::Normal);
    ASSERT_EQ(cli({"map-export", path("b.ign"), "ADVANCE", "-o", path("a.csv")}), kExitOk);
    std::string csv = file("a.csv");
    const std::size_t first = csv.find("\r\n20%,") + 6;
    csv.replace(first, csv.find(',', first) - first, "75");
    const std::size_t second = csv.find("\r\n30%,") + 6;
    csv.replace(second, csv.find(',', second) - second, "-5");
    ASSERT_FALSE(writeFileAtomically(path("far.csv"), csv).has_value());

    EXPECT_EQ(cli({"map-import", path("b.ign"), "ADVANCE", path("far.csv"), "-o", path("out.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Row 20%, "), std::string::npos) << m_err.str();
    EXPECT_NE(m_err.str().find(" rpm: 75 deg is outside the range 0 to 60 deg"), std::string::npos) << m_err.str();
    EXPECT_FALSE(std::filesystem::exists(path("out.ign")));

    EXPECT_EQ(cli({"map-import", path("b.ign"), "ADVANCE", path("far.csv"), "--hold", "-o", path("out.ign")}), kExitOk);
    EXPECT_NE(m_err.str().find("held at the end of their range: 2"), std::string::npos) << m_err.str();
}

TEST_F(MapCsvCli, InjectionMapsTravelInMilliseconds)
{
    writeParameterFile("b.ign", Jet123Mode::Normal);
    ASSERT_EQ(cli({"map-export", path("b.ign"), "JET_1A", "--ms", "-o", path("ms.csv")}), kExitOk);
    EXPECT_TRUE(file("ms.csv").starts_with("JET_1A [ms],"));
    ASSERT_EQ(cli({"map-import", path("b.ign"), "JET_1A", path("ms.csv"), "-o", path("back.ign")}), kExitOk)
        << m_err.str();
    ASSERT_EQ(cli({"map-export", path("back.ign"), "JET_1A", "-o", path("back.csv")}), kExitOk);
    ASSERT_EQ(cli({"map-export", path("b.ign"), "JET_1A", "-o", path("before.csv")}), kExitOk);
    EXPECT_EQ(file("back.csv"), file("before.csv"));
}

TEST_F(MapCsvCli, AFollowerOfTheCouplingTakesNoImport)
{
    writeParameterFile("c.ign", Jet123Mode::Coupled);
    ASSERT_EQ(cli({"map-export", path("c.ign"), "JET_3A", "-o", path("3a.csv")}), kExitOk);
    EXPECT_EQ(cli({"map-import", path("c.ign"), "JET_3A", path("3a.csv"), "-o", path("out.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("follows Inj. 1"), std::string::npos) << m_err.str();
    EXPECT_FALSE(fs::exists(path("out.ign")));
}

TEST_F(MapCsvCli, BadUsageAndMissingFilesExitWith2)
{
    writeParameterFile("b.ign", Jet123Mode::Normal);
    EXPECT_EQ(cli({"map-export", path("b.ign"), "ADVANCE"}), kExitBadInput);
    EXPECT_EQ(cli({"map-export", path("b.ign"), "RPM_ADV", "-o", path("x.csv")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("no map named RPM_ADV"), std::string::npos);
    EXPECT_EQ(cli({"map-export", path("none.ign"), "ADVANCE", "-o", path("x.csv")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Open file error!"), std::string::npos);
    EXPECT_EQ(cli({"map-import", path("b.ign"), "ADVANCE", path("none.csv"), "-o", path("x.ign")}), kExitBadInput);
    EXPECT_EQ(cli({"map-import", path("b.ign"), "ADVANCE", "-o", path("x.ign")}), kExitBadInput);
    EXPECT_FALSE(fs::exists(path("x.csv")));
    EXPECT_FALSE(fs::exists(path("x.ign")));
}

} // namespace
} // namespace quorvel::cli
