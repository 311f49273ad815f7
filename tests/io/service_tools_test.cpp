#include "io/atomic_file.h"
#include "io/service_tools.h"
#include "model/bike_list.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class ServiceToolsTest : public ::testing::Test {
protected:
    ServiceToolsTest()
        : m_root(fs::temp_directory_path() / ("quorvel-service-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_root);
        fs::create_directories(m_root / "old");
        fs::create_directories(m_root / "new");
    }
    ~ServiceToolsTest() override { fs::remove_all(m_root); }

    fs::path m_root;
};

TEST_F(ServiceToolsTest, SaveAllNewWritesEveryBikeUnderItsListName)
{
    const ProgramBuild build{"Oct  6 2007", "23:22:54"};
    const auto saved = saveAllNew(ParamImage{}, m_root / "new", build);
    ASSERT_EQ(saved.size(), 53U);
    for (const SavedBikeFile& file : saved) {
        EXPECT_FALSE(file.error.has_value()) << file.path;
        EXPECT_TRUE(fs::exists(file.path)) << file.path;
    }
    // Bike code 11 sits at its own list position; its file starts with its code.
    const auto text = readWholeFile(bikeFilePath(m_root / "new", 11)).value_or("");
    EXPECT_NE(text.find("BIKE            11 "), std::string::npos);
}

TEST_F(ServiceToolsTest, IdenticalSetsReportOnlyTheSeparators)
{
    (void)saveAllNew(ParamImage{}, m_root / "new", {"a", "b"});
    (void)saveAllNew(ParamImage{}, m_root / "old", {"a", "b"});
    const std::string report = compareAllNew(m_root / "new", m_root / "old");
    int lines = 0;
    for (char c : report)
        lines += c == '\n';
    EXPECT_EQ(lines, 53);
    EXPECT_EQ(report.rfind("------------------------------------------------------   ", 0), 0U);
    EXPECT_EQ(report.find("....line:"), std::string::npos);
}

TEST_F(ServiceToolsTest, DifferencesAreBlankedAndExtraLinesIgnored)
{
    const std::string name(BikeList::itemText(0));
    ASSERT_FALSE(writeFileAtomically(m_root / "old" / (name + ".ign"), "1\n2\n3\n4\n5\n6\nABCD\n").has_value());
    ASSERT_FALSE(
        writeFileAtomically(m_root / "new" / (name + ".ign"), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\nABXD\r\nextra\r\n")
            .has_value());
    const std::string report = compareAllNew(m_root / "new", m_root / "old");
    const std::string first = "------------------------------------------------------   " + name + "\r\n" +
                              "....line:7\r\n  C \r\nABXD\r\n------";
    EXPECT_EQ(report.substr(0, first.size()), first);
    EXPECT_EQ(report.find("extra"), std::string::npos);
}

TEST_F(ServiceToolsTest, MissingFilesAreNamedInTheReport)
{
    const std::string name(BikeList::itemText(1));
    ASSERT_FALSE(writeFileAtomically(m_root / "old" / (name + ".ign"), "x").has_value());
    const std::string report = compareAllNew(m_root / "new", m_root / "old");
    EXPECT_NE(report.find(name + "\r\n!!!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!!!\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("!!!!!!!!!soubor \"old\" se nepodarilo otevrit \r\n"), std::string::npos);
}

TEST(PercentExport, SectionsOfAxesAndPercentages)
{
    ParamImage image;
    for (int c = 0; c < 15; ++c)
        image.setByte(530 + c, static_cast<std::uint8_t>(10 + c));
    InjectionTables tables;
    tables.percent(InjectionMap::Jet1A).fill(100);
    tables.percent(InjectionMap::Jet1A)[14] = 123;
    const std::string text = percentExport(image, tables);
    EXPECT_EQ(text.rfind("\r\nRPM_JET_1A    1000  1100  1200", 0), 0U);
    EXPECT_NE(text.find("\r\nJET_1A         100   100"), std::string::npos);
    EXPECT_NE(text.find("  123 \r\n             "), std::string::npos);
    EXPECT_NE(text.find("\r\nRPM_IAP      "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "\r\n             ");
}

} // namespace
} // namespace quorvel
