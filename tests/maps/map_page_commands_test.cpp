#include "maps/map_page_commands.h"

#include "core/page_index.h"
#include "map_test_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

// The window's side of the map pages and of the writer: "after" is the image sanitised and
// shown again at the end of a change, "snapshot" an undo entry recorded.
class RecordingHost final : public MapPageHost, public TuneHost {
public:
    void setMapGridVisible(bool visible) override { calls.push_back(visible ? "show" : "hide"); }
    void selectPage(int page) override { calls.push_back("page " + std::to_string(page)); }
    void collectPage() override { calls.push_back("collect"); }
    void fillPage() override { calls.push_back("fill"); }
    void refreshView() override { calls.push_back("view"); }
    void showImage() override { calls.push_back("after"); }
    void showRestored(int) override {}
    void historyMoved() override { calls.push_back("snapshot"); }
    [[nodiscard]] int pageOfChange() const override { return 0; }
    [[nodiscard]] bool programsAfterChange() const override { return false; }
    void programPendingBlocks() override {}

    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

class MapPageCommandsTest : public testing::Test {
protected:
    MapPageCommandsTest()
        : m_image(defaultImage(m_tables))
    {
        m_writer.start(kPageBike);
        m_host.calls.clear();
    }

    InjectionTables m_tables;
    ParamImage m_image;
    RecordingHost m_host;
    TuneWriter m_writer{m_image, m_tables, m_host};
    MapPageCommands m_commands{m_writer, m_image, m_host};
};

TEST_F(MapPageCommandsTest, MinusWithTheEngineStoppedRecordsNothing)
{
    const ParamImage before = m_image;
    m_commands.tools(StepDirection::Down, {kPageInj1A, false, {{5, 3, 6}, 0}, {}, {}});
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_TRUE(std::ranges::equal(before.bytes(), m_image.bytes()));
}

TEST_F(MapPageCommandsTest, PlusWithAllIsOneChange)
{
    m_commands.tools(StepDirection::Up, {kPageAdvance, true, {}, {}, {}});
    EXPECT_EQ(m_host.calls, (Calls{"after", "snapshot"}));
}

TEST_F(MapPageCommandsTest, F4OnPositionLowersBothBanksEachWithItsOwnAfterChange)
{
    for (int i = 0; i < 15; ++i) {
        m_image.setByte(470 + i, 50);
        m_image.setByte(500 + i, 50);
    }
    m_commands.tools(StepDirection::Down, {kPagePoloha, false, {}, {3, 7}, {false, false}});
    EXPECT_EQ(m_host.calls, (Calls{"collect", "after", "snapshot", "collect", "after", "snapshot"}));
    EXPECT_EQ(m_image.byte(470 + 3), 49);
    EXPECT_EQ(m_image.byte(470 + 4), 50);
    EXPECT_EQ(m_image.byte(500 + 7), 49);
    EXPECT_EQ(m_image.byte(500 + 3), 50);

    m_commands.tools(StepDirection::Down, {kPagePoloha, false, {}, {3, 7}, {false, true}});
    EXPECT_EQ(m_image.byte(500 + 0), 49);
    EXPECT_EQ(m_image.byte(470 + 0), 50);
}

TEST_F(MapPageCommandsTest, Jet123SameOnInj4ASwitchesToInj1A)
{
    m_commands.jet123(Jet123Mode::Same, kPageInj4A);
    EXPECT_EQ(m_image.byte(197), 2);
    EXPECT_EQ(m_host.calls, (Calls{"page 2", "hide", "fill", "show", "snapshot"}));
}

TEST_F(MapPageCommandsTest, Jet123CoupledStaysOnThePageAndCopiesThe1AAxisInto2A)
{
    m_image.setByte(545, 77);
    m_commands.jet123(Jet123Mode::Coupled, kPageInj3A);
    EXPECT_EQ(m_image.byte(545), m_image.byte(530));
    // The start bike's maps are coupled already, with the axes alike: nothing to record.
    EXPECT_EQ(m_host.calls, (Calls{"hide", "fill", "show"}));
}

TEST_F(MapPageCommandsTest, ServoModeAndEnableStoreOnTheirOwnPage)
{
    m_commands.servoMode(kPageExhaustServo, 2);
    EXPECT_EQ(m_image.byte(214), 2);
    EXPECT_EQ(m_host.calls, (Calls{"hide", "view", "show", "snapshot"}));
    m_commands.servoEnable(kPageIntakeServo, true);
    EXPECT_EQ(m_image.byte(209), 1);
    m_commands.servoEnable(kPageIntakeServo, false);
    EXPECT_EQ(m_image.byte(209), 0);
}

TEST_F(MapPageCommandsTest, PercentSwitchHidesTheGridAndAlwaysEndsTheChange)
{
    m_image.setByte(212, 1);
    m_writer.start(kPageExhaustServo);
    m_host.calls.clear();
    m_commands.percentSwitch(kPageExhaustServo, true);
    EXPECT_EQ(m_host.calls, (Calls{"hide", "show", "after"}));
}

TEST_F(MapPageCommandsTest, PageChangeFillsWithoutCollecting)
{
    m_commands.pageChanged(kPageInjB);
    EXPECT_EQ(m_host.calls, (Calls{"hide", "page 6", "fill", "show"}));
}

TEST_F(MapPageCommandsTest, ColumnSpinOnACoupledFollowerIsNotRun)
{
    m_image.setByte(197, 1);
    m_commands.columnSpin(kPageInj2A, 0, StepDirection::Up);
    EXPECT_TRUE(m_host.calls.empty());
    m_commands.columnSpin(kPageInj1A, 0, StepDirection::Up);
    EXPECT_EQ(m_host.calls, (Calls{"after", "snapshot"}));
}

} // namespace
} // namespace quorvel
