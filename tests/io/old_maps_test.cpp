#include "io/old_maps.h"
#include "io/parameter_file.h"
#include "model/bike_defaults.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

std::string numbers(int count, int value)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += ' ';
        text += std::to_string(value);
    }
    return text;
}

// The parts one after the other, appended: GCC 12 at -O3 takes the insertions that `"key" +
// text` makes for overlapping copies (a false -Wrestrict).
template <typename... Parts> std::string joined(const Parts&... parts)
{
    std::string text;
    (text += ... += parts);
    return text;
}

std::string axis(int first, int step)
{
    std::string text;
    for (int c = 0; c < 15; ++c) {
        text += ' ';
        text += std::to_string(first + c * step);
    }
    return text;
}

class OldMapsTest : public ::testing::Test {
protected:
    OldMapsTest()
    {
        m_image.setByte(150, 1);
        applyDefaults(m_image, m_tables, {});
    }
    ParamImage m_image;
    InjectionTables m_tables;
};

TEST_F(OldMapsTest, PairedMapTakesOnePercentTableForBothMaps)
{
    readOldMaps(joined("RPM_JET_14A", axis(1000, 1000), " JET_14A", numbers(150, 120)), m_image, m_tables, {});
    for (int c = 0; c < 15; ++c) {
        EXPECT_EQ(m_image.byte(530 + c), 10 + 10 * c);
        EXPECT_EQ(m_image.byte(575 + c), 10 + 10 * c);
    }
    for (InjectionMap map : {InjectionMap::Jet1A, InjectionMap::Jet4A}) {
        const MapId id = mapOf(map);
        for (int e = 0; e < 150; ++e) {
            const auto reference = m_tables.reference(map)[static_cast<std::size_t>(e)];
            ASSERT_EQ(mapCell(m_image, id, e), storedTime(120, reference)) << e;
        }
    }
}

TEST_F(OldMapsTest, HundredPercentIsTheReferenceAndZeroIsEmpty)
{
    readOldMaps(joined("JET_IAP", numbers(1, 0), numbers(149, 100)), m_image, m_tables, {});
    EXPECT_EQ(mapCell(m_image, MapId::Iap, 0), 0);
    EXPECT_EQ(mapCell(m_image, MapId::Iap, 1), m_tables.reference(InjectionMap::Iap)[1]);
}

TEST_F(OldMapsTest, EmptyFileNeutralisesCorrectionsAndRebuildsTheMaps)
{
    m_image.setByte(191, 90);
    m_image.setByte(205, 80);
    m_image.setWord(142, 5);
    m_tables.percent(InjectionMap::Jet2A).fill(50);
    readOldMaps("", m_image, m_tables, {});
    EXPECT_EQ(m_image.byte(191), 100);
    EXPECT_EQ(m_image.byte(205), 100);
    EXPECT_EQ(m_image.word(142), 30);
    EXPECT_EQ(m_image.word(151), 100);
    EXPECT_EQ(mapCell(m_image, MapId::Jet2A, 7), storedTime(50, m_tables.reference(InjectionMap::Jet2A)[7]));
}

TEST_F(OldMapsTest, CurrentFileGivesItsMapSettingsButNotItsWordMapsOrBike)
{
    ParamImage source = m_image;
    source.setByte(150, 8);
    source.setByte(515, 11);
    source.setByte(650, 33);
    source.setByte(2000, 44);
    source.setByte(455, 12);
    source.setByte(178, 200); // limiter: not a map section
    source.setWordAt(800, 9999);
    const std::string file = writeParameterFile(source);
    const auto percentBefore = m_tables.percent(InjectionMap::Jet1A);
    readOldMaps(file, m_image, m_tables, {});
    EXPECT_EQ(m_image.byte(150), 1);
    EXPECT_EQ(m_image.byte(515), 11);
    EXPECT_EQ(m_image.byte(650), 33);
    EXPECT_EQ(m_image.byte(2000), 44);
    EXPECT_EQ(m_image.byte(455), 12);
    EXPECT_NE(m_image.byte(178), 200);
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet1A), percentBefore);
    EXPECT_NE(m_image.wordAt(800), 9999);
}

TEST_F(OldMapsTest, PageOnlyImportOnInj2ATakesOnlyItsSections)
{
    const std::string file =
        joined("RPM_JET_23A", axis(2000, 500), " JET_23A", numbers(150, 90), " RPM_JET_2A", axis(1500, 1000),
               " RPM_JET_14A", axis(900, 100), " JET_14A", numbers(150, 70), " RPM_JET_3A", axis(1100, 1000));
    m_image.setByte(197, 0); // maps independent
    const std::uint8_t axis1A = m_image.byte(530);
    const std::uint8_t axis3A = m_image.byte(560 + 1);
    readOldMaps(file, m_image, m_tables, {true, 3});
    EXPECT_EQ(m_image.byte(545), 15); // RPM_JET_2A came last among its sections
    EXPECT_EQ(m_image.byte(560), 20); // copied from RPM_JET_23A, RPM_JET_3A is page 4
    EXPECT_NE(m_image.byte(561), axis3A);
    EXPECT_EQ(m_image.byte(530), axis1A);
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet2A)[0], 90);
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet3A)[0], 90);
    EXPECT_NE(m_tables.percent(InjectionMap::Jet1A)[0], 70);

    m_image.setByte(197, 1); // coupled: the paired 2A/3A sections are not taken on page 3
    readOldMaps(joined("JET_23A", numbers(150, 40)), m_image, m_tables, {true, 3});
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet2A)[0], 90);
}

TEST_F(OldMapsTest, PercentageAboveTwoFiftyFiveKeepsItsLowBits)
{
    readOldMaps("JET_14A 300", m_image, m_tables, {});
    EXPECT_EQ(m_tables.percent(InjectionMap::Jet1A)[0], 44);
}

} // namespace
} // namespace quorvel
