#include "log/tuning_apply.h"

#include "log/tuning_cells.h"
#include "log_test_image.h"
#include "maps/image_only_host.h"
#include "model/jet_coupling.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::element;

constexpr int kCell = element(4, 2);
constexpr int kOtherCell = element(5, 3);

class TuningApplyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
        m_host.showImage(); // sanitised as a loaded set is, so only the apply changes blocks
        m_tables.refreshFromImage(m_image);
        m_writer.start(0);
        m_image.pendingBlocks().clearAll();
    }

    [[nodiscard]] int percent(MapId map, int cell) const
    {
        return tuningMapCells(m_image, map).percent[static_cast<std::size_t>(cell)];
    }
    [[nodiscard]] TuningProposal richer(int cell, int by) const
    {
        const int now = percent(MapId::Jet1A, cell);
        return {cell, CellReading::Lean, now, now + by, false};
    }

    ParamImage m_image = test::logTestImage();
    InjectionTables m_tables;
    ImageOnlyHost m_host{m_image};
    TuneWriter m_writer{m_image, m_tables, m_host};
};

TEST_F(TuningApplyTest, APassIsOneUndoStepCarriedByTheCouplingIntoChangedBlocksOnly)
{
    const int otherMapBefore = percent(MapId::Jet2A, kCell);
    const TuningProposal proposals[] = {richer(kCell, 3), richer(kOtherCell, -2)};
    const TuningApply applied = applyTuningProposals(m_writer, MapId::Jet1A, proposals);

    EXPECT_FALSE(applied.write.refusal);
    EXPECT_EQ(applied.write.changed, 2);
    EXPECT_EQ(applied.overtaken, 0);
    EXPECT_EQ(percent(MapId::Jet1A, kCell), proposals[0].percentAfter);
    EXPECT_EQ(percent(MapId::Jet1A, kOtherCell), proposals[1].percentAfter);
    EXPECT_EQ(percent(MapId::Jet2A, kCell), otherMapBefore + 3) << "Coupled adds the change to 2A";
    EXPECT_EQ(m_writer.history().undoSteps(), 1);
    EXPECT_TRUE(m_image.pendingBlocks().isSet(MapTable::of(MapId::Jet1A).cellOffsetOf(kCell) / kBlockSize));
    EXPECT_FALSE(m_image.pendingBlocks().isSet(1)) << "the blocks of the settings did not change";

    m_writer.undo();
    EXPECT_EQ(percent(MapId::Jet1A, kCell), proposals[0].percentBefore);
    EXPECT_EQ(percent(MapId::Jet2A, kCell), otherMapBefore);
}

TEST_F(TuningApplyTest, AHandEditAfterTheProposalWins)
{
    const TuningProposal proposals[] = {richer(kCell, 2), richer(kOtherCell, 2)};
    const CellInput byHand{{kOtherCell / kMapColumns, kOtherCell % kMapColumns}, proposals[1].percentBefore - 5, 1};
    (void)m_writer.writeCells(MapTable::of(MapId::Jet1A), CellUnit::Shown, {&byHand, 1}, RangePolicy::Refuse);

    const TuningApply applied = applyTuningProposals(m_writer, MapId::Jet1A, proposals);
    EXPECT_EQ(applied.write.changed, 1);
    EXPECT_EQ(applied.overtaken, 1);
    EXPECT_EQ(percent(MapId::Jet1A, kCell), proposals[0].percentAfter);
    EXPECT_EQ(percent(MapId::Jet1A, kOtherCell), proposals[1].percentBefore - 5);
}

TEST_F(TuningApplyTest, NothingIsWrittenWhereNothingMayMove)
{
    struct Case {
        const char* name;
        Jet123Mode mode;
        MapId map;
        std::optional<MapEditMessage> refusal;
    };
    for (const Case& c : {Case{"a copy of Inj. 1A", Jet123Mode::Same, MapId::Jet2A, MapEditMessage::FollowerMap},
                          Case{"a proposal that stays", Jet123Mode::Coupled, MapId::Jet1A, std::nullopt}}) {
        m_image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(c.mode));
        m_writer.start(0);
        const ParamImage before = m_image;
        const int now = percent(c.map, kCell);
        const TuningProposal proposal{kCell, CellReading::Lean, now, c.refusal ? now + 2 : now, true};
        const TuningApply applied = applyTuningProposals(m_writer, c.map, {&proposal, 1});
        EXPECT_EQ(applied.write.refusal.has_value(), c.refusal.has_value()) << c.name;
        if (c.refusal && applied.write.refusal) {
            EXPECT_EQ(applied.write.refusal->message, *c.refusal) << c.name;
        }
        EXPECT_TRUE(std::ranges::equal(m_image.bytes(), before.bytes())) << c.name;
        EXPECT_EQ(m_writer.history().undoSteps(), 0) << c.name;
    }
}

} // namespace
} // namespace quorvel
