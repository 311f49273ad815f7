#include "model/bike_commands.h"
#include "model/bike_defaults.h"
#include "model/bike_list.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kCorrectionsPage = 9;

class NumberedTexts final : public MessageTexts {
public:
    [[nodiscard]] std::string_view text(int number) const override
    {
        m_last = "text " + std::to_string(number);
        return m_last;
    }

private:
    mutable std::string m_last;
};

class ScriptedPrompts final : public UserPrompts {
public:
    std::deque<PromptAnswer> answers;
    std::vector<std::string> asked;
    std::vector<std::string> messages;

    [[nodiscard]] PromptAnswer askYesNoCancel(std::string_view text) override
    {
        asked.emplace_back(text);
        if (answers.empty())
            return PromptAnswer::Cancel;
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
};

// The main window as the commands see it: the list follows the image, as after a refill.
class FakeHost final : public BikeCommandHost {
public:
    explicit FakeHost(const ParamImage& image)
        : m_image(image)
    {
    }
    int page = 0;
    bool pageOnlyLoad = true;
    int afterChanges = 0;
    int forgets = 0;
    int captions = 0;
    std::optional<int> selectedOverride;

    [[nodiscard]] int selectedBikePosition() const override
    {
        return selectedOverride.value_or(BikeList::shownPosition(m_image.byte(kBikeOffset)));
    }
    [[nodiscard]] int activePage() const override { return page; }
    void setPageOnlyLoad(bool pageOnly) override { pageOnlyLoad = pageOnly; }
    void forgetTransferAndFile() override { ++forgets; }
    void afterChange() override { ++afterChanges; }
    void applyCaptions() override { ++captions; }

private:
    const ParamImage& m_image;
};

class BikeCommandsTest : public testing::Test {
protected:
    BikeCommandsTest()
    {
        m_image.setByte(kBikeOffset, 1);
        applyDefaults(m_image, m_tables, {});
    }

    [[nodiscard]] BikeCommands commands() { return {m_image, m_tables, m_host, m_prompts, m_texts}; }

    ParamImage m_image;
    InjectionTables m_tables;
    FakeHost m_host{m_image};
    ScriptedPrompts m_prompts;
    NumberedTexts m_texts;
};

bool sameBytes(const ParamImage& a, const ParamImage& b)
{
    return std::ranges::equal(a.bytes(), b.bytes());
}

TEST_F(BikeCommandsTest, NewAnsweredYesResetsTheWholeImage)
{
    writeShown(m_image, *FieldTable::byName("Chlazeni"), 0, 60);
    m_prompts.answers = {PromptAnswer::Yes};
    commands().newAll();
    EXPECT_EQ(m_prompts.asked, std::vector<std::string>{"text 27"});
    EXPECT_EQ(readShown(m_image, *FieldTable::byName("Chlazeni")), 100);
    EXPECT_FALSE(m_host.pageOnlyLoad);
    EXPECT_EQ(m_host.forgets, 1);
    EXPECT_EQ(m_host.afterChanges, 1);
}

TEST_F(BikeCommandsTest, NewAnsweredNoOrCancelChangesNothing)
{
    writeShown(m_image, *FieldTable::byName("Chlazeni"), 0, 60);
    const ParamImage before = m_image;
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Cancel}) {
        m_prompts.answers = {answer};
        commands().newAll();
        commands().newForPage();
    }
    EXPECT_TRUE(sameBytes(before, m_image));
    EXPECT_EQ(m_host.afterChanges, 0);
    EXPECT_TRUE(m_host.pageOnlyLoad);
}

TEST_F(BikeCommandsTest, NoBikeSelectedAsksNothingAndDoesNothing)
{
    m_image.setByte(kBikeOffset, 60);
    const ParamImage before = m_image;
    m_prompts.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    commands().newAll();
    m_host.page = kCorrectionsPage;
    commands().newForPage();
    EXPECT_TRUE(m_prompts.asked.empty());
    EXPECT_TRUE(sameBytes(before, m_image));
}

TEST_F(BikeCommandsTest, NewForPageOnCoupledAPagesIsRefusedSilently)
{
    m_image.setByte(kJet123ModeOffset, 1);
    for (int page = 2; page <= 5; ++page) {
        m_host.page = page;
        m_prompts.answers = {PromptAnswer::Yes};
        commands().newForPage();
    }
    EXPECT_TRUE(m_prompts.asked.empty());
    m_host.page = 6; // "Inj-B" is not coupled
    commands().newForPage();
    EXPECT_EQ(m_prompts.asked, std::vector<std::string>{"text 28"});
    EXPECT_TRUE(m_host.pageOnlyLoad);
    EXPECT_EQ(m_host.afterChanges, 1);
}

TEST_F(BikeCommandsTest, ChangeToBike8DecliningDefaultsKeepsEveryPercentage)
{
    // A file or a read replaced some stored times since the pages were last shown: the tables
    // are out of date, yet the change must keep the percentages of the maps as stored.
    setMapCell(m_image, MapId::Jet1A, 40, static_cast<std::uint16_t>(mapCell(m_image, MapId::Jet1A, 40) * 3 / 2));
    setMapCell(m_image, MapId::Iap, 7, static_cast<std::uint16_t>(mapCell(m_image, MapId::Iap, 7) / 2));
    InjectionTables before;
    before.refreshFromImage(m_image);
    const ParamImage stored = m_image;

    m_prompts.answers = {PromptAnswer::No};
    commands().changeBike(*BikeList::positionOf(8));

    EXPECT_EQ(m_image.byte(kBikeOffset), 8);
    EXPECT_EQ(m_prompts.asked, std::vector<std::string>{"text 27"});
    int changedTimes = 0;
    for (InjectionMap m : kInjectionMaps) {
        for (int e = 0; e < kMapCells; ++e) {
            const auto i = static_cast<std::size_t>(e);
            EXPECT_EQ(shownPercent(mapCell(m_image, mapOf(m), e), m_tables.reference(m)[i]), before.percent(m)[i])
                << "map " << static_cast<int>(m) << " cell " << e;
            changedTimes += mapCell(m_image, mapOf(m), e) != mapCell(stored, mapOf(m), e) ? 1 : 0;
        }
    }
    EXPECT_GT(changedTimes, 600);
    EXPECT_EQ(before.percent(InjectionMap::Jet1A)[40], 150);
    // The derived fields are the new bike's in any case.
    EXPECT_EQ(m_image.byte(152), 10);
    EXPECT_EQ(m_image.byte(402), 127);
    EXPECT_EQ(m_host.afterChanges, 1);
    EXPECT_EQ(m_host.captions, 1);
}

TEST_F(BikeCommandsTest, ChangeOfBikeAcceptingDefaultsLoadsTheNewBike)
{
    m_prompts.answers = {PromptAnswer::Yes};
    commands().changeBike(*BikeList::positionOf(50));
    EXPECT_EQ(m_image.byte(kBikeOffset), 50);
    EXPECT_EQ(m_image.byte(kJet123ModeOffset), 2);
    EXPECT_EQ(readShown(m_image, *FieldTable::byName("IgnLimiter")), 10900);
    for (int e = 0; e < kMapCells; ++e)
        EXPECT_EQ(mapCell(m_image, MapId::Jet2A, e),
                  m_tables.reference(InjectionMap::Jet2A)[static_cast<std::size_t>(e)]);
    EXPECT_EQ(m_host.afterChanges, 2); // "New", then the change itself
}

TEST_F(BikeCommandsTest, SelectingTheNoBikeItemKeepsTheBike)
{
    m_host.selectedOverride = BikeList::kNoBikePosition;
    const ParamImage before = m_image;
    commands().changeBike(BikeList::kNoBikePosition);
    EXPECT_EQ(m_image.byte(kBikeOffset), 1);
    EXPECT_TRUE(m_prompts.asked.empty());
    EXPECT_TRUE(sameBytes(before, m_image));
    EXPECT_EQ(commands().showBike(), *BikeList::positionOf(1));
}

TEST_F(BikeCommandsTest, UnknownBikeCodeIsShownAsNoBikeWithAMessage)
{
    m_image.setByte(kBikeOffset, 77);
    const ParamImage before = m_image;
    EXPECT_EQ(commands().showBike(), BikeList::kNoBikePosition);
    EXPECT_EQ(m_prompts.messages, std::vector<std::string>{"text 38"});
    EXPECT_TRUE(sameBytes(before, m_image));
    EXPECT_EQ(commands().showBike(), BikeList::kNoBikePosition);
    EXPECT_EQ(m_prompts.messages.size(), 2u);
}

} // namespace
} // namespace quorvel
