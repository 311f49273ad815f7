#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "io/atomic_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

class CliDiffTest : public test::CliFixture {
protected:
    CliDiffTest()
        : CliFixture("cli-diff")
    {
        EXPECT_EQ(cli({"new", "--bike", "11", "-o", path("a.ign")}), kExitOk);
        // B: a limiter and one element of a row apart from A.
        EXPECT_EQ(cli({"set", path("a.ign"), "IgnLimiter=12500", "KorVoda[2]=120", "-o", path("b.ign")}), kExitOk);
    }
};

TEST_F(CliDiffTest, EqualSetsPrintNothingAndExitZero)
{
    EXPECT_EQ(cli({"diff", path("a.ign"), path("a.ign")}), kExitOk) << m_err.str();
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(cli({"diff", path("a.ign"), path("a.ign"), "--json"}), kExitOk);
    EXPECT_EQ(nlohmann::json::parse(m_out.str()), nlohmann::json::array());
}

TEST_F(CliDiffTest, DifferencesAreOneLineEachUnderThePagesCaptionInShownUnits)
{
    EXPECT_EQ(cli({"diff", path("a.ign"), path("b.ign")}), kExitFailed) << m_err.str();
    EXPECT_EQ(m_out.str(), "Bike / Ignition Limiter [rpm]: 14000 -> 12500\n"
                           "Corrections / Coolant, 50 °C [%]: 103 -> 120\n");
}

TEST_F(CliDiffTest, JsonIsAnArrayOfNamedDifferences)
{
    ASSERT_EQ(cli({"diff", path("b.ign"), path("a.ign"), "--json"}), kExitFailed) << m_err.str();
    const auto list = nlohmann::json::parse(m_out.str());
    ASSERT_TRUE(list.is_array());
    ASSERT_EQ(list.size(), 2U);
    EXPECT_EQ(list[0]["page"], 0);
    EXPECT_EQ(list[0]["pageName"], "Bike");
    EXPECT_EQ(list[0]["parameter"], "IgnLimiter");
    EXPECT_EQ(list[0]["caption"], "Ignition Limiter [rpm]");
    EXPECT_EQ(list[0]["unit"], "rpm");
    EXPECT_EQ(list[0]["a"], "12500");
    EXPECT_EQ(list[0]["b"], "14000");
    EXPECT_EQ(list[0]["bValue"], 14000);
    EXPECT_EQ(list[1]["label"], "KorVoda[2]");
    EXPECT_EQ(list[1]["caption"], "Coolant, 50 °C");
    EXPECT_EQ(list[1]["unit"], "%");
    EXPECT_EQ(list[1]["element"], 2);
}

TEST_F(CliDiffTest, MapCellsNameTheirRowAndColumn)
{
    ASSERT_EQ(cli({"new", "--bike", "12", "-o", path("c.ign")}), kExitOk);
    ASSERT_EQ(cli({"diff", path("a.ign"), path("c.ign"), "--json"}), kExitFailed);
    const auto list = nlohmann::json::parse(m_out.str());
    const auto cell = std::ranges::find_if(list, [](const auto& d) { return d["kind"] == "cell"; });
    ASSERT_NE(cell, list.end());
    EXPECT_TRUE(cell->contains("row"));
    EXPECT_TRUE(cell->contains("column"));
    EXPECT_EQ((*cell)["label"], std::string((*cell)["parameter"]) + "[" + std::to_string(int((*cell)["row"])) + "][" +
                                    std::to_string(int((*cell)["column"])) + "]");
}

// Open loads a file over the set on screen: what B does not carry keeps A's value, as in the window.
TEST_F(CliDiffTest, FileWithoutBikeIsComparedAsLoadedOverTheFirst)
{
    ASSERT_FALSE(writeFileAtomically(path("cooling.ign"), "TASKOVAR_KEY    71 \r\n\r\nCOOLING       90 \r\n"));
    ASSERT_EQ(cli({"diff", path("a.ign"), path("cooling.ign"), "--json"}), kExitFailed) << m_err.str();
    const auto list = nlohmann::json::parse(m_out.str());
    ASSERT_EQ(list.size(), 1U) << list.dump(1);
    EXPECT_EQ(list[0]["parameter"], "Chlazeni");
    EXPECT_EQ(list[0]["aValue"], 100);
    EXPECT_EQ(list[0]["bValue"], 90);

    ASSERT_FALSE(writeFileAtomically(path("version-only.ign"), "TASKOVAR_KEY    71 \r\n"));
    EXPECT_EQ(cli({"diff", path("a.ign"), path("version-only.ign")}), kExitOk) << m_out.str();
}

TEST_F(CliDiffTest, BadFilesAndBadUsageExitTwo)
{
    ASSERT_FALSE(writeFileAtomically(path("old.ign"), "TASKOVAR_KEY 70\r\nBIKE 11\r\n").has_value());
    EXPECT_EQ(cli({"diff", path("a.ign"), path("old.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("old.ign"), std::string::npos);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(cli({"diff", path("missing.ign"), path("a.ign")}), kExitBadInput);
    EXPECT_NE(m_err.str().find("Open file error!"), std::string::npos);
    EXPECT_EQ(cli({"diff", path("a.ign")}), kExitBadInput);
}

} // namespace
} // namespace quorvel::cli
