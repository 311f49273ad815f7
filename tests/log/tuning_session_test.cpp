#include "log/tuning_session.h"

#include "log_frames.h"
#include "log_test_image.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::element;
using test::LiveFrame;
using test::tuningFrame;

constexpr int kCell = element(4, 2);      // 3000 rpm, 20 % throttle
constexpr int kOtherCell = element(5, 3); // 4000 rpm, 30 % throttle
constexpr std::uint32_t kPoll = 330;      // the monitor's normal pace

LiveFrame inOtherCell(int lambda)
{
    return tuningFrame().rpm(4000).throttleTenths(300).lambda(lambda);
}

TuningMapCells flatMap(int percent = 100, int highest = 1000)
{
    TuningMapCells cells;
    cells.percent.fill(percent);
    cells.highest.fill(highest);
    return cells;
}

class TuningSessionTest : public ::testing::Test {
protected:
    // `count` frames `kPoll` apart from the session's clock on.
    void ride(int count, const LiveFrame& frame)
    {
        for (int i = 0; i < count; ++i) {
            m_session.feed(m_clock, frame.sealed(), m_image);
            m_clock += kPoll;
        }
    }
    // A stay long enough to be held: the frame before it ends any other stay.
    void holdCell(const LiveFrame& frame, int frames = 6) { ride(frames, frame); }

    ParamImage m_image = test::logTestImage();
    TuningSettings m_settings; // 450 mV +- 50, hold 1000 ms
    TuningSession m_session{m_settings, flatMap(), {}};
    std::uint32_t m_clock = 0;
};

TEST_F(TuningSessionTest, StayCountsOnlyOnceTheEngineHeldTheCellForTheHoldTime)
{
    ride(1, tuningFrame().lambda(300)); // nothing before it to judge the throttle by
    // The frame that finds the engine in the cell starts the clock; the sensor still reads the
    // exhaust of before, so its voltage is left out.
    ride(1, tuningFrame().lambda(900));
    ride(3, tuningFrame().lambda(300));
    EXPECT_EQ(m_session.cell(kCell).reading, CellReading::None) << "990 ms is short of the hold time";
    EXPECT_EQ(m_session.cell(kCell).samples, 0);

    ride(1, tuningFrame().lambda(300));
    EXPECT_EQ(m_session.cell(kCell).reading, CellReading::Lean);
    EXPECT_EQ(m_session.cell(kCell).heldMs, 1320U);
    EXPECT_EQ(m_session.cell(kCell).samples, 4) << "the whole stay counts once held";
    EXPECT_DOUBLE_EQ(m_session.cell(kCell).meanMv, 300.0);

    ride(1, tuningFrame().lambda(600));
    EXPECT_EQ(m_session.cell(kCell).heldMs, 1650U);
    EXPECT_EQ(m_session.cell(kCell).samples, 5);
    EXPECT_DOUBLE_EQ(m_session.cell(kCell).meanMv, 360.0);
}

TEST(TuningSessionSettle, ReadingsBeforeTheSensorSeesTheCellsExhaustAreLeftOut)
{
    struct Case {
        const char* name;
        std::uint32_t paceMs; // between monitor frames
        std::uint32_t holdMs;
        int frames; // of the stay, the first taken as the engine enters the cell
        int samples;
        std::uint32_t heldMs;
    };
    const ParamImage image = test::logTestImage();
    for (const Case& c : {
             Case{"FastMonitorLeavesOutTwoReadings", 55, 1000, 20, 18, 1045},
             Case{"NormalPaceLeavesOutTheEntryFrameOnly", 330, 1000, 5, 4, 1320},
             Case{"ReadingTakenAfterExactlyTheDelayCounts", 50, 1000, 21, 19, 1000},
             Case{"HoldShorterThanTheDelayWaitsForAReading", 55, 50, 3, 1, 110},
         }) {
        TuningSettings settings;
        settings.holdMs = c.holdMs;
        TuningSession session(settings, flatMap(), {});
        // The engine comes from a rich cell: until the delay is over the sensor still reads it.
        session.feed(0, tuningFrame().rpm(4000).lambda(900).sealed(), image);
        const std::uint32_t entered = c.paceMs;
        for (int i = 0; i < c.frames; ++i) {
            const std::uint32_t since = static_cast<std::uint32_t>(i) * c.paceMs;
            const int lambda = since < kLambdaSettleMs ? 900 : 300;
            EXPECT_EQ(session.cell(kCell).samples, 0) << c.name << ": held before frame " << i;
            session.feed(entered + since, tuningFrame().lambda(lambda).sealed(), image);
        }
        const TuningCell& cell = session.cell(kCell);
        EXPECT_EQ(cell.samples, c.samples) << c.name;
        EXPECT_EQ(cell.heldMs, c.heldMs) << c.name;
        EXPECT_DOUBLE_EQ(cell.meanMv, 300.0) << c.name;
        EXPECT_EQ(cell.reading, CellReading::Lean) << c.name;
    }
}

TEST_F(TuningSessionTest, AFrameThatDoesNotCountEndsTheStay)
{
    ride(4, tuningFrame());
    ride(1, tuningFrame().injection1A(0)); // a blip into the overrun cut
    ride(4, tuningFrame());
    ride(1, inOtherCell(450)); // leaving the cell: a new stay elsewhere
    ride(4, tuningFrame());
    EXPECT_EQ(m_session.cell(kCell).reading, CellReading::None);
    EXPECT_EQ(m_session.cell(kOtherCell).reading, CellReading::None);
    EXPECT_EQ(m_session.verdictCounts()[static_cast<std::size_t>(FrameVerdict::FuelCut)], 1);
    EXPECT_EQ(m_session.progress().held, 0);
}

TEST_F(TuningSessionTest, MeanAgainstTheBandGivesTheReadingAndTheStep)
{
    struct Case {
        int lambda;
        CellReading reading;
        std::optional<int> after;
    };
    for (const Case& c : {Case{399, CellReading::Lean, 102}, Case{400, CellReading::InBand, std::nullopt},
                          Case{500, CellReading::InBand, std::nullopt}, Case{501, CellReading::Rich, 98}}) {
        TuningSession session(m_settings, flatMap(), {});
        for (std::uint32_t t = 0; t <= 5 * kPoll; t += kPoll)
            session.feed(t, tuningFrame().lambda(c.lambda).sealed(), m_image);
        EXPECT_EQ(session.cell(kCell).reading, c.reading) << c.lambda;
        const auto proposals = session.proposals();
        ASSERT_EQ(proposals.size(), c.after ? 1U : 0U) << c.lambda;
        if (c.after) {
            EXPECT_EQ(proposals[0].element, kCell);
            EXPECT_EQ(proposals[0].percentBefore, 100);
            EXPECT_EQ(proposals[0].percentAfter, *c.after) << c.lambda;
            EXPECT_FALSE(proposals[0].atLimit);
        }
    }
}

TEST_F(TuningSessionTest, LockedCellReadsButNeverProposes)
{
    m_session.setLocked(kCell, true);
    holdCell(tuningFrame().lambda(200));
    holdCell(inOtherCell(200));
    EXPECT_EQ(m_session.cell(kCell).reading, CellReading::Lean);
    const auto proposals = m_session.proposals();
    ASSERT_EQ(proposals.size(), 1U);
    EXPECT_EQ(proposals[0].element, kOtherCell);
    EXPECT_EQ(m_session.progress().cells, kMapCells - 1);
}

TEST(TuningSessionLimits, NoStepLeavesTheMostChangeOrTheCellsRange)
{
    struct Case {
        const char* name;
        int start; // when the session began
        int now;
        int highest;
        int lambda;
        int after;
        bool atLimit;
    };
    const ParamImage image = test::logTestImage();
    for (const Case& c : {
             Case{"StepEndsOnTheMostChange", 100, 108, 1000, 200, 110, false},
             Case{"AtTheMostChangeNothingMoves", 100, 110, 1000, 200, 110, true},
             Case{"StepCutShortByTheMostChange", 100, 91, 1000, 700, 90, true},
             Case{"StepCutShortByTheCellsRange", 100, 100, 101, 200, 101, true},
             Case{"AtTheCellsRangeNothingMoves", 100, 100, 100, 200, 100, true},
             Case{"SmallCellStillMovesOnePercent", 20, 20, 1000, 200, 21, false},
             Case{"SmallCellsMostChangeRoundsDown", 29, 31, 1000, 200, 31, true},
             Case{"HandEditBeyondTheLimitIsNotPulledBack", 100, 130, 1000, 200, 130, true},
         }) {
        TuningSession session({}, flatMap(c.start, c.highest), {});
        CellValues now;
        now.fill(c.start);
        now[static_cast<std::size_t>(kCell)] = c.now;
        session.mapChanged(now);
        for (std::uint32_t t = 0; t <= 5 * kPoll; t += kPoll)
            session.feed(t, tuningFrame().lambda(c.lambda).sealed(), image);
        const auto proposals = session.proposals();
        ASSERT_EQ(proposals.size(), 1U) << c.name;
        EXPECT_EQ(proposals[0].percentAfter, c.after) << c.name;
        EXPECT_EQ(proposals[0].atLimit, c.atLimit) << c.name;
    }
}

TEST_F(TuningSessionTest, AChangedCellStartsANewPassAndOthersKeepTheirs)
{
    holdCell(tuningFrame().lambda(200));
    ride(4, inOtherCell(700));
    ASSERT_EQ(m_session.cell(kCell).reading, CellReading::Lean);

    CellValues applied = flatMap().percent;
    applied[static_cast<std::size_t>(kCell)] = 102;
    applied[static_cast<std::size_t>(kOtherCell)] = 98; // an edit in the middle of a stay
    m_session.mapChanged(applied);
    EXPECT_EQ(m_session.cell(kCell).reading, CellReading::None);
    EXPECT_EQ(m_session.cell(kCell).samples, 0);
    EXPECT_EQ(m_session.cell(kCell).passes, 1);
    EXPECT_EQ(m_session.percent(kCell), 102);
    EXPECT_TRUE(m_session.proposals().empty());

    // Frames of the other cell's stay before the change are not counted in its new pass.
    ride(4, inOtherCell(700));
    EXPECT_EQ(m_session.cell(kOtherCell).reading, CellReading::None);
    ride(1, inOtherCell(700));
    EXPECT_EQ(m_session.cell(kOtherCell).reading, CellReading::Rich);
    EXPECT_EQ(m_session.cell(kOtherCell).samples, 4);

    m_session.mapChanged(applied); // nothing changed: no new pass
    EXPECT_EQ(m_session.cell(kOtherCell).passes, 1);
    EXPECT_EQ(m_session.cell(kOtherCell).samples, 4);
}

TEST_F(TuningSessionTest, ProgressCountsHeldAndInBandCellsOfTheRange)
{
    TuningSettings settings;
    settings.range = {4, 5, 2, 3}; // four cells
    TuningSession session(settings, flatMap(), {});
    std::uint32_t t = 0;
    const auto stay = [&](const LiveFrame& frame) {
        for (int i = 0; i < 6; ++i, t += kPoll)
            session.feed(t, frame.sealed(), m_image);
    };
    stay(tuningFrame().lambda(450));
    stay(inOtherCell(200));
    stay(tuningFrame().rpm(8000).lambda(450)); // outside the range
    const TuningProgress progress = session.progress();
    EXPECT_EQ(progress.cells, 4);
    EXPECT_EQ(progress.held, 2);
    EXPECT_EQ(progress.inBand, 1);
    EXPECT_EQ(session.verdictCounts()[static_cast<std::size_t>(FrameVerdict::OutsideRange)], 5);
}

TEST_F(TuningSessionTest, UnattendedApplyHandsOverEachPassUntilAFaultOrACellAtItsLimit)
{
    holdCell(tuningFrame().lambda(200));
    EXPECT_TRUE(m_session.takeUnattendedApply().empty()) << "off by default";

    m_session.setApplyAfterEveryPass(true);
    const auto due = m_session.takeUnattendedApply();
    ASSERT_EQ(due.size(), 1U);
    EXPECT_EQ(due[0].percentAfter, 102);

    m_session.applyFailed(ApplyFault::VerifyRefused);
    EXPECT_FALSE(m_session.applyAfterEveryPass());
    EXPECT_EQ(m_session.unattendedStop(), UnattendedStop::VerifyRefused);
    EXPECT_TRUE(m_session.takeUnattendedApply().empty());

    m_session.setApplyAfterEveryPass(true);
    EXPECT_EQ(m_session.unattendedStop(), UnattendedStop::None);
    m_session.applyFailed(ApplyFault::LinkFault);
    EXPECT_EQ(m_session.unattendedStop(), UnattendedStop::LinkFault);

    // A cell that must move and cannot stops the run, and nothing of its pass is handed over.
    m_session.setApplyAfterEveryPass(true);
    CellValues atLimit = flatMap().percent;
    atLimit[static_cast<std::size_t>(kOtherCell)] = 110;
    m_session.mapChanged(atLimit);
    holdCell(inOtherCell(200));
    EXPECT_TRUE(m_session.takeUnattendedApply().empty());
    EXPECT_EQ(m_session.unattendedStop(), UnattendedStop::CellAtLimit);
    EXPECT_EQ(m_session.stoppedAtCell(), kOtherCell);
    EXPECT_FALSE(m_session.applyAfterEveryPass());
    EXPECT_EQ(m_session.proposals().size(), 2U) << "the proposals stay for the rider to decide";
}

TEST(TuningSessionSteps, StepHalvesEachTimeTheReadingTurnsAndNeverBelowTheFloor)
{
    const ParamImage image = test::logTestImage();
    TuningSession session(TuningSettings{}, flatMap(400), {});
    std::uint32_t clock = 0;
    // One pass: the cell held until it reads, its proposal applied as Apply does.
    const auto pass = [&](int lambda) {
        for (int i = 0; i < 6; ++i, clock += kPoll)
            session.feed(clock, tuningFrame().lambda(lambda).sealed(), image);
        const auto proposals = session.proposals();
        EXPECT_EQ(proposals.size(), 1U);
        const int after = proposals.empty() ? session.percent(kCell) : proposals[0].percentAfter;
        CellValues map = flatMap(400).percent;
        map[static_cast<std::size_t>(kCell)] = after;
        session.mapChanged(map);
        // The frame that leaves the cell ends the stay, so the next pass starts afresh.
        session.feed(clock, inOtherCell(450).sealed(), image);
        clock += kPoll;
        return after;
    };
    struct Step {
        int lambda;
        int after;
        double step; // the step the cell proposes with from then on
    };
    const Step steps[] = {
        {200, 408, 2.0}, // lean: the whole step
        {200, 416, 2.0}, // lean again: the step holds
        {700, 412, 1.0}, // turned rich: half the step
        {700, 408, 1.0}, // rich again: the half holds
        {200, 410, 0.5}, // turned lean: half again
        {700, 408, 0.5}, // and the floor holds from here on
        {200, 410, 0.5},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(pass(step.lambda), step.after) << step.lambda;
        EXPECT_DOUBLE_EQ(session.stepPercent(kCell), step.step) << step.after;
    }
}

} // namespace
} // namespace quorvel
