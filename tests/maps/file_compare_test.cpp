#include "maps/file_compare.h"

#include "core/page_index.h"
#include "map_test_image.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

std::vector<std::string> markedNames(const std::vector<CompareMark>& marks)
{
    std::vector<std::string> names;
    for (const CompareMark& mark : marks)
        names.push_back(mark.control.key().objectName());
    return names;
}

class FileCompareTest : public testing::Test {
protected:
    FileCompareTest()
        : m_image(defaultImage(m_tables))
        , m_reference(m_image)
    {
        // The file: a cell of Inj-1A, an RPM head of Advance and a coolant correction differ.
        m_reference.setWordAt(800 + 2 * 16, static_cast<std::uint16_t>(m_image.wordAt(800 + 2 * 16) * 2));
        m_reference.setByte(515 + 14, static_cast<std::uint8_t>(m_image.byte(515 + 14) - 1));
        m_reference.setByte(231, static_cast<std::uint8_t>(m_image.byte(231) + 7));
    }

    InjectionTables m_tables;
    ParamImage m_image;
    ParamImage m_reference;
    FileCompare m_compare;
};

TEST_F(FileCompareTest, MarksExactlyTheDifferingCellsAndFieldsOfEachPage)
{
    m_compare.start(m_reference, "/tunes/old.ign");
    EXPECT_TRUE(m_compare.refresh(m_image, m_tables));
    EXPECT_EQ(m_compare.differences().size(), 3U);

    EXPECT_EQ(markedNames(m_compare.marksOf(kPageInj1A)), std::vector<std::string>{"EditMap_Uni16"});
    EXPECT_EQ(markedNames(m_compare.marksOf(kPageAdvance)), std::vector<std::string>{"EditRpm_Uni14"});
    const std::vector<CompareMark> corrections = m_compare.marksOf(kPageKorekce);
    ASSERT_EQ(markedNames(corrections), std::vector<std::string>{"EditKorVoda1"});
    EXPECT_EQ(corrections[0].fileText, std::to_string(m_image.byte(231) + 7));
    EXPECT_EQ(corrections[0].hereText, std::to_string(m_image.byte(231)));
    for (int page : {kPageBike, kPageInj2A, kPageInjIap, kPageIdle})
        EXPECT_TRUE(m_compare.marksOf(page).empty()) << page;
}

TEST_F(FileCompareTest, MarksFollowEditsOfTheImageAndLeaveItAlone)
{
    m_compare.start(m_reference, "old.ign");
    m_compare.refresh(m_image, m_tables);
    const ParamImage before = m_image;

    m_image.setByte(231, m_reference.byte(231)); // the user types the file's value
    EXPECT_TRUE(m_compare.refresh(m_image, m_tables));
    EXPECT_TRUE(m_compare.marksOf(kPageKorekce).empty());
    m_image.setByte(2000, static_cast<std::uint8_t>(m_image.byte(2000) + 1));
    EXPECT_TRUE(m_compare.refresh(m_image, m_tables));
    EXPECT_EQ(markedNames(m_compare.marksOf(kPageInjB)), std::vector<std::string>{"EditMap_Uni0"});
    EXPECT_FALSE(m_compare.refresh(m_image, m_tables)); // nothing new

    // Comparing never wrote to the image.
    ParamImage expected = before;
    expected.setByte(231, m_reference.byte(231));
    expected.setByte(2000, static_cast<std::uint8_t>(before.byte(2000) + 1));
    EXPECT_TRUE(std::ranges::equal(m_image.bytes(), expected.bytes()));
}

TEST_F(FileCompareTest, NothingIsMarkedAfterEndCompare)
{
    m_compare.start(m_reference, "old.ign");
    m_compare.refresh(m_image, m_tables);
    m_compare.end();
    EXPECT_FALSE(m_compare.active());
    EXPECT_TRUE(m_compare.differences().empty());
    for (int page = 0; page < kPageCount; ++page)
        EXPECT_TRUE(m_compare.marksOf(page).empty()) << page;
    EXPECT_FALSE(m_compare.refresh(m_image, m_tables));
    EXPECT_TRUE(m_compare.differences().empty());
}

} // namespace
} // namespace quorvel
