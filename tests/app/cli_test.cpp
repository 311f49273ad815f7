#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "io/atomic_file.h"
#include "io/parameter_set.h"
#include "log/datalog_writer.h"
#include "log/log_frames.h"
#include "model/field_codec.h"
#include "model/field_table.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

class CliTest : public test::CliFixture {
protected:
    CliTest()
        : CliFixture("cli")
    {
    }
};

int shownValue(const std::string& file, const char* name)
{
    ParamImage image;
    InjectionTables tables;
    EXPECT_EQ(loadParameterFile(file, image, tables), LoadResult::Loaded);
    return readShown(image, *FieldTable::byName(name));
}

TEST_F(CliTest, NewWritesTheDefaultsOfTheBike)
{
    ASSERT_EQ(cli({"new", "--bike", "1", "-o", path("bike1.ign")}), kExitOk) << m_err.str();
    EXPECT_EQ(shownValue(path("bike1.ign"), "IgnLimiter"), 10800);
    EXPECT_EQ(cli({"new", "--bike", "53", "-o", path("x.ign")}), kExitBadInput);
    EXPECT_EQ(cli({"new", "--bike", "1"}), kExitBadInput);
}

TEST_F(CliTest, ShowAsJsonHasFieldsAndMaps)
{
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("b.ign")}), kExitOk);
    ASSERT_EQ(cli({"show", path("b.ign"), "--json"}), kExitOk) << m_err.str();
    const auto json = nlohmann::json::parse(m_out.str());
    EXPECT_EQ(json["fields"]["Bike"], 11);
    EXPECT_EQ(json["maps"]["ADVANCE"]["cells"].size(), 10U);
    EXPECT_EQ(json["maps"]["JET_1A"]["percent"][0].size(), 15U);
    EXPECT_EQ(json["maps"]["IAP_IAP"].size(), 10U);
}

TEST_F(CliTest, SetStoresWhatTheWindowStoresAndSanitises)
{
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("b.ign")}), kExitOk);
    ASSERT_EQ(
        cli({"set", path("b.ign"), "IgnLimiter=15500", "Gas1=60", "Gas2=20", "KorVoda[2]=130", "-o", path("c.ign")}),
        kExitOk)
        << m_err.str();
    EXPECT_TRUE(m_err.str().empty()) << m_err.str();
    EXPECT_EQ(shownValue(path("c.ign"), "IgnLimiter"), 15500);
    EXPECT_EQ(shownValue(path("c.ign"), "Gas2"), 60); // raised to Gas1 by sanitising
    ParamImage image;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(path("c.ign"), image, tables), LoadResult::Loaded);
    EXPECT_EQ(readShown(image, *FieldTable::byName("KorVoda"), 2), 130);

    EXPECT_EQ(cli({"set", path("b.ign"), "NoSuchThing=1", "-o", path("d.ign")}), kExitBadInput);
    EXPECT_EQ(cli({"set", path("b.ign"), "KorVoda[9]=1", "-o", path("d.ign")}), kExitBadInput);
    EXPECT_FALSE(fs::exists(path("d.ign")));
}

TEST_F(CliTest, SetRefusesAValueOutsideTheFieldsRangeAndSaysWhatWasRounded)
{
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("b.ign")}), kExitOk);
    for (const char* value : {"IgnLimiter=99999", "IgnLimiter=-5"}) {
        EXPECT_EQ(cli({"set", path("b.ign"), value, "-o", path("d.ign")}), kExitBadInput) << value;
        EXPECT_NE(m_err.str().find("is outside the range 900 to 25000"), std::string::npos) << m_err.str();
        EXPECT_FALSE(fs::exists(path("d.ign"))) << value;
    }
    ASSERT_EQ(cli({"set", path("b.ign"), "IgnLimiter=15550", "-o", path("e.ign")}), kExitOk);
    EXPECT_EQ(m_err.str(), "quorvel-cli: IgnLimiter: 15550 stored as 15600, the nearest value the unit holds\n");
    EXPECT_EQ(shownValue(path("e.ign"), "IgnLimiter"), 15600);
}

TEST_F(CliTest, BadFilesAreRefusedWithTheSystemsTexts)
{
    EXPECT_EQ(cli({"show", path("missing.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Open file error!"), std::string::npos);
    ASSERT_FALSE(writeFileAtomically(path("old.ign"), "TASKOVAR_KEY 70\r\nBIKE 3").has_value());
    EXPECT_EQ(cli({"show", path("old.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Unmatched version of *.ign file!"), std::string::npos);
    EXPECT_EQ(cli({"frobnicate"}), kExitBadInput);
    EXPECT_EQ(cli({}), kExitBadInput);
    EXPECT_EQ(cli({"--help"}), kExitOk);
    EXPECT_NE(m_out.str().find("quorvel-cli COMMAND"), std::string::npos);
}

// Neither a directory given to read nor a FIFO given to write is a parameter file: both are the
// file error, and the FIFO is neither replaced nor written (its reader would see the bytes).
TEST_F(CliTest, PathsThatAreNoRegularFileGiveTheFileError)
{
    EXPECT_EQ(cli({"show", m_dir.string()}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Open file error!"), std::string::npos) << m_err.str();
    EXPECT_EQ(m_err.str().find("Unmatched"), std::string::npos) << m_err.str();

    ASSERT_EQ(::mkfifo(path("out.ign").c_str(), 0600), 0);
    const int reader = ::open(path("out.ign").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(cli({"new", "--bike", "3", "-o", path("out.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Open file error!"), std::string::npos) << m_err.str();
    EXPECT_TRUE(fs::is_fifo(path("out.ign")));
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    ::close(reader);
}

TEST_F(CliTest, ExportAndImportOfPercentMaps)
{
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("b.ign")}), kExitOk);
    ASSERT_EQ(cli({"export-percent", path("b.ign"), "-o", path("p.txt")}), kExitOk);
    const auto text = readWholeFile(path("p.txt")).value_or("");
    EXPECT_EQ(text.rfind("\r\nRPM_JET_1A", 0), 0U);

    ASSERT_FALSE(writeFileAtomically(path("old.map"), "IGN" + std::string(150 * 3, ' ') + " 33").has_value());
    std::string cells = "IGN";
    for (int i = 0; i < 150; ++i)
        cells += " 21";
    ASSERT_FALSE(writeFileAtomically(path("old.map"), cells).has_value());
    ASSERT_EQ(cli({"import-old-maps", path("old.map"), "--into", path("b.ign"), "-o", path("i.ign")}), kExitOk)
        << m_err.str();
    ParamImage image;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(path("i.ign"), image, tables), LoadResult::Loaded);
    EXPECT_EQ(image.byte(650 + 149), 21);
}

TEST_F(CliTest, LogCellsPrintsHitsAndLambdaOfTheVisitedCells)
{
    ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("b.ign")}), kExitOk);
    DatalogWriter writer;
    ASSERT_EQ(writer.open(path("ride.csv")), std::nullopt);
    for (int i = 0; i < 6; ++i)
        writer.record(330U * i, test::LiveFrame().rpm(3000).throttleTenths(200).lambda(300).sealed(), {});
    ASSERT_EQ(writer.close(), std::nullopt);

    ASSERT_EQ(cli({"log-cells", path("ride.csv"), path("b.ign"), "--map", "JET_1A", "--json"}), kExitOk) << m_err.str();
    const auto json = nlohmann::json::parse(m_out.str());
    EXPECT_EQ(json["rows"], 6);
    ASSERT_EQ(json["cells"].size(), 1U);
    const auto& cell = json["cells"][0];
    EXPECT_EQ(cell["row"], 4);
    EXPECT_EQ(cell["load"], 20);
    EXPECT_EQ(cell["samples"], 6);
    EXPECT_EQ(cell["timeMs"], 5 * 330);
    EXPECT_EQ(cell["meanLambdaMv"], 300);
    EXPECT_EQ(cell["reading"], "lean");

    ASSERT_EQ(cli({"log-cells", path("ride.csv"), path("b.ign"), "--map", "JET_1A", "--json", "--min-samples", "7"}),
              kExitOk);
    EXPECT_FALSE(nlohmann::json::parse(m_out.str())["cells"][0].contains("reading"));
    ASSERT_EQ(cli({"log-cells", path("ride.csv"), path("b.ign"), "--map", "IAP"}), kExitOk);
    EXPECT_NE(m_out.str().find("IAP: 0 of 6 rows"), std::string::npos);

    EXPECT_EQ(cli({"log-cells", path("ride.csv"), path("b.ign"), "--map", "JET_9A"}), kExitBadInput);
    EXPECT_EQ(cli({"log-cells", path("ride.csv"), path("b.ign")}), kExitBadInput);
    EXPECT_EQ(cli({"log-cells", path("none.csv"), path("b.ign"), "--map", "JET_1A"}), kExitBadInput);
    EXPECT_NE(m_err.str().find("The log could not be opened"), std::string::npos);
    EXPECT_EQ(cli({"log-cells", path("b.ign"), path("b.ign"), "--map", "JET_1A"}), kExitBadInput);
    EXPECT_NE(m_err.str().find("is not a log of this program"), std::string::npos);
}

} // namespace
} // namespace quorvel::cli
