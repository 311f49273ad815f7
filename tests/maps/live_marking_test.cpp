#include "maps/live_marking.h"

#include "core/page_index.h"

#include <gtest/gtest.h>

#include <map>

namespace quorvel {
namespace {

class LiveMarkingTest : public ::testing::Test {
protected:
    LiveMarkingTest()
    {
        for (int axis : {515, 530, 545, 560, 575, 590, 605, 620, 635, 455, 485}) {
            for (int c = 0; c < 15; ++c)
                m_image.setByte(axis + c, static_cast<std::uint8_t>(10 * (c + 1))); // 1000..15000 rpm
        }
        const std::array<int, 10> pressures = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};
        for (int k = 0; k < 10; ++k)
            m_image.setWordAt(434 + 2 * k, static_cast<std::uint16_t>(pressures[static_cast<std::size_t>(k)]));
        m_image.setByte(190, 1); // advance follows the throttle
        m_live.Rpm = 3000;
        m_live.TpsTenths = 200;
        m_live.IapKpa = 80;
        m_live.UsesTpsMaps = true;
    }

    void refresh(int page, bool showMs = false)
    {
        m_colours.clear();
        m_bold.clear();
        for (const ControlMark& mark : m_marking.refresh(page, m_image, m_live, showMs)) {
            m_colours[mark.key.objectName()] = mark.colour;
            if (mark.bold)
                m_bold[mark.key.objectName()] = *mark.bold;
        }
    }
    [[nodiscard]] ColourRole colour(const std::string& name) const
    {
        const auto it = m_colours.find(name);
        EXPECT_NE(it, m_colours.end()) << name << " is not marked";
        return it == m_colours.end() ? ColourRole::NormalFace : it->second;
    }
    // The names of all controls marked in `role`.
    [[nodiscard]] std::vector<std::string> marked(ColourRole role = ColourRole::Lime) const
    {
        std::vector<std::string> names;
        for (const auto& [name, c] : m_colours) {
            if (c == role)
                names.push_back(name);
        }
        return names;
    }
    [[nodiscard]] static std::string cell(int row, int column)
    {
        return "EditMap_Uni" + std::to_string(row * 15 + column);
    }

    ParamImage m_image;
    MonitorSnapshot m_live;
    LiveMarking m_marking;
    std::map<std::string, ColourRole> m_colours;
    std::map<std::string, bool> m_bold;
};

TEST(NearestEntry, HalfwaySelectsTheUpperEntry)
{
    const std::array<int, 3> axis = {1000, 2000, 3000};
    EXPECT_EQ(nearestEntry(1499, axis), 0);
    EXPECT_EQ(nearestEntry(1500, axis), 1);
    EXPECT_EQ(nearestEntry(2499, axis), 1);
    EXPECT_EQ(nearestEntry(2500, axis), 2);
    EXPECT_EQ(nearestEntry(0, axis), 0);
    EXPECT_EQ(nearestEntry(99999, axis), 2);
}

TEST_F(LiveMarkingTest, ColumnFollowsTheNearestRpmPoint)
{
    for (auto [rpm, column] : {std::pair{1499, 0}, {1500, 1}, {14499, 13}, {14500, 14}, {25000, 14}}) {
        m_live.Rpm = static_cast<std::uint16_t>(rpm);
        refresh(kPageInj1A);
        EXPECT_EQ(m_marking.operatingCell().column, column) << rpm;
        EXPECT_EQ(colour("EditRpm_Uni" + std::to_string(column)), ColourRole::Lime) << rpm;
    }
}

TEST_F(LiveMarkingTest, ThrottleRowsByHalfPercent)
{
    for (auto [tenths, row] :
         {std::pair{0, 0}, {30, 1}, {40, 2}, {74, 2}, {75, 3}, {700, 8}, {699, 7}, {900, 9}, {1000, 9}}) {
        m_live.TpsTenths = static_cast<std::uint16_t>(tenths);
        refresh(kPageInj1A);
        EXPECT_EQ(m_marking.operatingCell().throttleRow, row) << tenths;
        EXPECT_EQ(colour("LabelRow_Uni" + std::to_string(row)), ColourRole::Lime) << tenths;
    }
}

TEST_F(LiveMarkingTest, ThrottleSensorErrorMarksNoRowAndNoCell)
{
    m_live.TpsError = true;
    for (int page : {kPageAdvance, kPageInj1A, kPageInj2A, kPageInj3A, kPageInj4A, kPageInjB}) {
        refresh(page);
        EXPECT_EQ(m_marking.operatingCell().throttleRow, OperatingCell::kNoRow) << page;
        for (const std::string& name : marked())
            EXPECT_TRUE(name.rfind("EditRpm_Uni", 0) == 0 || name.rfind("EditRow_Uni", 0) == 0)
                << page << " marks " << name;
    }
}

TEST_F(LiveMarkingTest, InjectionPagesMarkLimeOrYellowByMapShare)
{
    struct Case {
        int page;
        bool tps;
        bool iap;
        std::optional<ColourRole> expected;
    };
    const std::vector<Case> cases = {
        {kPageInj1A, true, false, ColourRole::Lime},  // share 100
        {kPageInj1A, true, true, ColourRole::Yellow}, // share 50
        {kPageInj1A, false, true, std::nullopt},      // share 0
        {kPageInjIap, false, true, ColourRole::Lime}, {kPageInjIap, true, true, ColourRole::Yellow},
        {kPageInjIap, true, false, std::nullopt},
    };
    for (const Case& c : cases) {
        m_live.UsesTpsMaps = c.tps;
        m_live.UsesIapMap = c.iap;
        refresh(c.page);
        const int row =
            c.page == kPageInjIap ? m_marking.operatingCell().pressureRow : m_marking.operatingCell().throttleRow;
        const std::string target = cell(row, m_marking.operatingCell().column);
        EXPECT_EQ(colour(target), c.expected.value_or(ColourRole::NormalWindow)) << c.page << c.tps << c.iap;
        const auto yellow = marked(ColourRole::Yellow);
        const auto limeCells = std::count_if(m_colours.begin(), m_colours.end(), [](const auto& entry) {
            return entry.first.rfind("EditMap_Uni", 0) == 0 && entry.second != ColourRole::NormalWindow;
        });
        EXPECT_EQ(limeCells, c.expected ? 1 : 0);
    }
}

TEST_F(LiveMarkingTest, PressureRowIsTheNearestPressurePoint)
{
    m_live.IapKpa = 77; // between 75 and 80, nearer 75
    refresh(kPageInjIap);
    EXPECT_EQ(m_marking.operatingCell().pressureRow, 4);
    m_live.IapError = true;
    refresh(kPageInjIap);
    EXPECT_EQ(m_marking.operatingCell().pressureRow, OperatingCell::kNoRow);
}

TEST_F(LiveMarkingTest, StoppedEngineMarksNothingOnMapPagesButServoPagesStill)
{
    m_live.Rpm = 0;
    for (int page : {kPageAdvance, kPageInj1A, kPageInj4A, kPageInjB, kPageInjIap}) {
        refresh(page);
        for (const std::string& name : marked())
            EXPECT_TRUE(name.rfind("LabelRow_Uni", 0) == 0 || name.rfind("EditRow_Uni", 0) == 0)
                << page << " marks " << name;
    }
    for (int page : {kPageIntakeServo, kPageExhaustServo}) {
        refresh(page);
        EXPECT_EQ(colour(cell(m_marking.operatingCell().throttleRow, 0)), ColourRole::Lime) << page;
        EXPECT_EQ(colour("EditRpm_Uni0"), ColourRole::Lime) << page;
    }
}

TEST_F(LiveMarkingTest, AdvanceWithoutThrottleUsesTheLastRow)
{
    m_image.setByte(190, 0);
    refresh(kPageAdvance);
    EXPECT_EQ(m_marking.operatingCell().throttleRow, 9);
    EXPECT_EQ(colour(cell(9, 2)), ColourRole::Lime);
}

TEST_F(LiveMarkingTest, ServoModesFixTheRowOrTheColumn)
{
    m_image.setByte(215, 1);
    refresh(kPageIntakeServo);
    EXPECT_EQ(colour(cell(9, 2)), ColourRole::Lime);
    m_image.setByte(214, 2);
    refresh(kPageExhaustServo);
    EXPECT_EQ(m_marking.operatingCell().column, 0);
    EXPECT_EQ(colour(cell(4, 0)), ColourRole::Lime);
}

TEST_F(LiveMarkingTest, MsLabelsTakeTheirCellColourOnFace)
{
    refresh(kPageInj1A, true);
    EXPECT_EQ(colour("LabelMs_Uni" + std::to_string(4 * 15 + 2)), ColourRole::Lime);
    EXPECT_EQ(colour("LabelMs_Uni0"), ColourRole::NormalFace);
    refresh(kPageInj1A, false);
    EXPECT_EQ(m_colours.count("LabelMs_Uni0"), 0U);
}

TEST_F(LiveMarkingTest, PositionColumnsOfBothCurves)
{
    m_image.setByte(485 + 3, 200); // B's fourth point moves far out, so 3000 rpm stays nearest its third
    for (int c = 4; c < 15; ++c)
        m_image.setByte(485 + c, static_cast<std::uint8_t>(200 + c));
    refresh(kPagePoloha);
    EXPECT_EQ(m_marking.positionColumns().a, 2);
    EXPECT_EQ(m_marking.positionColumns().b, 2);
    EXPECT_EQ(colour("EditPolohaARpm2"), ColourRole::Lime);
    EXPECT_EQ(colour("EditPolohaA2"), ColourRole::Lime);
    EXPECT_EQ(colour("EditPolohaB3"), ColourRole::NormalWindow);
}

TEST_F(LiveMarkingTest, CorrectionIndicesByCoolantAndAir)
{
    for (auto [raw, index] : {std::pair{0, 3}, {104, 0}, {105, 1}, {194, 3}, {195, 4}, {224, 4}, {225, 5}}) {
        m_live.CoolantRaw = static_cast<std::uint8_t>(raw);
        refresh(kPageKorekce);
        for (int k = 0; k < 5; ++k) {
            const ColourRole expected = k == index ? ColourRole::Lime : ColourRole::NormalWindow;
            EXPECT_EQ(colour("EditKorVoda" + std::to_string(k)), expected) << raw;
            EXPECT_EQ(colour("EditIgnVoda" + std::to_string(k)), expected) << raw;
        }
    }
    m_live.AirRaw = 0;
    refresh(kPageKorekce);
    EXPECT_EQ(colour("EditKorVzduch2"), ColourRole::Lime);
}

TEST_F(LiveMarkingTest, StartingCorrectionIsTheNearestStartingPoint)
{
    for (int i = 0; i < 4; ++i)
        m_image.setByte(217 + i, static_cast<std::uint8_t>(10 * (i + 1))); // 100, 200, 300, 400
    for (auto [start, index] : {std::pair{0, 0}, {50, 0}, {51, 1}, {149, 1}, {150, 2}, {349, 3}, {350, 4}}) {
        m_live.StartTime = static_cast<std::uint16_t>(start);
        refresh(kPageKorekce);
        EXPECT_EQ(colour("LabelSyticCas0"), index == 0 ? ColourRole::Lime : ColourRole::NormalFace) << start;
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(colour("EditSyticCas" + std::to_string(k)),
                      k == index ? ColourRole::Lime : ColourRole::NormalWindow)
                << start;
        EXPECT_EQ(colour("LabelSyticKorekce4"), index == 4 ? ColourRole::Lime : ColourRole::NormalFace) << start;
    }
}

TEST_F(LiveMarkingTest, IdleMarksTemperatureAndLimits)
{
    m_image.setByte(2751, 20); // 2000 rpm
    m_image.setByte(2752, 30); // 3 %
    m_live.CoolantRaw = 0;
    m_live.Rpm = 2000;
    m_live.TpsTenths = 29;
    refresh(kPageIdle);
    EXPECT_EQ(colour("EditIdleServoPoz7"), ColourRole::Lime);
    EXPECT_EQ(colour("LabelIdleAdvTeplota7"), ColourRole::Lime);
    EXPECT_EQ(colour("LabelIdleAdvTeplota6"), ColourRole::NormalFace);
    EXPECT_EQ(colour("EditIdleRpmMez"), ColourRole::Lime);
    EXPECT_EQ(colour("LabelIdleTpsMez"), ColourRole::Lime);
    m_live.Rpm = 2001;
    m_live.TpsTenths = 30;
    m_live.CoolantRaw = 225;
    refresh(kPageIdle);
    EXPECT_EQ(colour("EditIdleRpmMez"), ColourRole::NormalWindow);
    EXPECT_EQ(colour("EditIdleTpsMez"), ColourRole::NormalWindow);
    EXPECT_TRUE(marked().empty());
}

TEST_F(LiveMarkingTest, RaceAndGearMarkTheEngagedGear)
{
    m_live.Gear = 3;
    refresh(kPageRace);
    EXPECT_EQ(colour("EditClutchTime2"), ColourRole::Lime);
    EXPECT_EQ(colour("LabelRaceGear3"), ColourRole::Lime);
    EXPECT_EQ(marked().size(), 5U);

    m_image.setByte(286, 1); // gears by rpm/speed ratio
    refresh(kPageGear);
    EXPECT_EQ(colour("EditPomerRpmSpeed2"), ColourRole::Lime);
    EXPECT_EQ(colour("LabelPomerRpmSpeed3"), ColourRole::Lime);
    EXPECT_EQ(colour("EditGearNapeti3"), ColourRole::NormalWindow);
    EXPECT_EQ(colour("EditGearKorJet2"), ColourRole::Lime);
    EXPECT_TRUE(m_bold.at("ButtonGear3"));
    EXPECT_FALSE(m_bold.at("ButtonGear0"));
    EXPECT_EQ(colour("ButtonGear0"), ColourRole::Lime);

    m_live.Gear = 0;
    m_image.setByte(286, 0);
    refresh(kPageGear);
    EXPECT_TRUE(m_bold.at("ButtonGear0"));
    EXPECT_EQ(colour("LabelGear0"), ColourRole::Lime);
}

TEST_F(LiveMarkingTest, PagesWithoutLiveDataGetNoMarks)
{
    for (int page : {kPageBike, kPageCidla, kPageGas, kPageLadeni, kPageMonitor}) {
        m_colours.clear();
        EXPECT_TRUE(m_marking.refresh(page, m_image, m_live, true).empty()) << page;
    }
}

} // namespace
} // namespace quorvel
