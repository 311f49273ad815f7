#include "log/tuning_preflight.h"
#include "log/tuning_session.h"

#include "core/page_index.h"
#include "model/bike_defaults.h"
#include "model/field_codec.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"
#include "sim/virtual_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kPoll = 330; // the monitor's normal pace
constexpr int kRows = 5;             // the throttle rows 0, 2, 5, 10 and 20 %
constexpr int kColumns = 3;
constexpr std::array kOffsets = {-8, 6, -4, 8, -6, 4}; // what the engine needs beyond the map, %

int at(int row, int column)
{
    return row * kMapColumns + column;
}

// Proposals moved into the Inj. 1A page as its percentages, as an edit of the page stores them:
// through the reference times and with the coupling of the A maps.
void applyProposals(ParamImage& image, std::span<const TuningProposal> proposals)
{
    InjectionTables tables;
    tables.refreshFromImage(image);
    const BikeGridSet grids = selectBikeGrids(image);
    const JetCoupling coupling = JetCoupling::fromImage(image);
    MapPageValues page = fillMapPage(image, tables, grids, coupling, kPageInj1A);
    for (const TuningProposal& proposal : proposals)
        page.cells[static_cast<std::size_t>(proposal.element)] = proposal.percentAfter;
    collectMapPage(image, tables, grids, coupling, kPageInj1A, page);
}

// A bike on its defaults with the A maps coupled, a virtual engine whose demand differs from the
// map by up to 8 % in a block of cells, ridden on a dyno sweep over that block; the session
// applies every pass unattended.
class ClosedTuningLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_image.setByte(150, 11);
        InjectionTables tables;
        applyDefaults(m_image, tables, {});
        m_image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
        writeShown(m_image, *FieldTable::byName("LadeniLambda"), 0, 450);
        writeShown(m_image, *FieldTable::byName("LadeniHyster"), 0, 50);
        while (axisPoint(m_image, MapId::Jet1A, m_firstColumn) * 100 < 4000)
            ++m_firstColumn;
        m_start = tuningMapCells(m_image, MapId::Jet1A).percent;

        sim::FuelDemand demand;
        for (int c = 0; c < kMapColumns; ++c)
            demand.axis[static_cast<std::size_t>(c)] = axisPoint(m_image, MapId::Jet1A, c);
        for (int e = 0; e < kMapCells; ++e)
            demand.percent[static_cast<std::size_t>(e)] =
                static_cast<std::uint16_t>(m_start[static_cast<std::size_t>(e)]);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                const int e = at(r, m_firstColumn + c);
                // The overrun row needs more fuel than it gets: it must still not be enriched.
                const int offset = r == 0 ? 8 : kOffsets[static_cast<std::size_t>((r * kColumns + c) % 6)];
                m_demand[static_cast<std::size_t>(e)] = m_start[static_cast<std::size_t>(e)] * (100 + offset) / 100;
                demand.percent[static_cast<std::size_t>(e)] =
                    static_cast<std::uint16_t>(m_demand[static_cast<std::size_t>(e)]);
            }
        }
        m_unit.loadMemory(m_image);
        m_unit.setFuelDemand(demand);
        const int low = axisPoint(m_image, MapId::Jet1A, m_firstColumn) * 100;
        const int high = axisPoint(m_image, MapId::Jet1A, m_firstColumn + kColumns - 1) * 100;
        std::string error;
        sim::RidePlan sweep =
            *sim::parseRidePlan("sweep:" + std::to_string(low) + "-" + std::to_string(high) + ",0-20", error);
        sweep.hold = 2500ms;
        m_unit.setRide(sweep);
    }

    LinkFrame poll(std::uint32_t timeMs)
    {
        m_unit.advance(std::chrono::milliseconds(timeMs) - m_unit.engine().time());
        m_unit.receive(buildMonitorRequest());
        const std::vector<std::uint8_t> bytes = m_unit.takeTransmitted();
        LinkFrame frame{};
        std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
        return frame;
    }

    [[nodiscard]] int demandOf(int e) const { return m_demand[static_cast<std::size_t>(e)]; }
    [[nodiscard]] int startOf(int e) const { return m_start[static_cast<std::size_t>(e)]; }

    ParamImage m_image;
    int m_firstColumn = 0;
    CellValues m_start{};
    CellValues m_demand{};
    sim::VirtualUnit m_unit;
};

TEST_F(ClosedTuningLoop, HeldCellsEndCloserToTheDemandAndNothingElseMoves)
{
    TuningSettings settings = tuningSettingsFromImage(m_image, MapId::Jet1A);
    settings.range = {0, kRows - 1, m_firstColumn, m_firstColumn + kColumns - 1};
    ASSERT_EQ(settings.targetMv, 450);

    const std::vector<PreflightFinding> findings = preflightTuning({m_image, settings, poll(0), kPageInj1A});
    EXPECT_TRUE(mayStart(findings));
    EXPECT_NE(std::ranges::find(findings, PreflightCode::CouplingAddsToOtherMaps, &PreflightFinding::code),
              findings.end());

    const int locked = at(2, m_firstColumn + 1);
    CellLocks locks;
    locks.set(static_cast<std::size_t>(locked));
    const ParamImage before = m_image;
    TuningSession session(settings, tuningMapCells(m_image, MapId::Jet1A), locks);
    session.setApplyAfterEveryPass(true);

    int applies = 0;
    for (std::uint32_t t = kPoll; t < 10 * 15 * 2500; t += kPoll) {
        session.feed(t, poll(t), m_image);
        const std::vector<TuningProposal> due = session.takeUnattendedApply();
        if (due.empty())
            continue;
        applyProposals(m_image, due);
        m_unit.loadMemory(m_image); // what Program does
        session.mapChanged(tuningMapCells(m_image, MapId::Jet1A).percent);
        ++applies;
    }
    EXPECT_EQ(session.unattendedStop(), UnattendedStop::None) << session.stoppedAtCell().value_or(-1);
    EXPECT_GT(applies, 10);
    EXPECT_GT(session.verdictCounts()[static_cast<std::size_t>(FrameVerdict::FuelCut)], 0);

    const CellValues after = tuningMapCells(m_image, MapId::Jet1A).percent;
    const CellValues afterCylinder2 = tuningMapCells(m_image, MapId::Jet2A).percent;
    const CellValues startCylinder2 = tuningMapCells(before, MapId::Jet2A).percent;
    for (int e = 0; e < kMapCells; ++e) {
        const auto ue = static_cast<std::size_t>(e);
        const int row = e / kMapColumns;
        const int column = e % kMapColumns;
        const bool swept = row < kRows && column >= m_firstColumn && column < m_firstColumn + kColumns;
        if (!swept || e == locked || row == 0) {
            EXPECT_EQ(after[ue], startOf(e)) << "cell " << row << ":" << column << " was not to change";
            EXPECT_EQ(afterCylinder2[ue], startCylinder2[ue]) << "cell " << row << ":" << column;
            continue;
        }
        EXPECT_LT(std::abs(after[ue] - demandOf(e)), std::abs(startOf(e) - demandOf(e)))
            << "cell " << row << ":" << column << " from " << startOf(e) << " to " << after[ue] << ", demand "
            << demandOf(e);
        EXPECT_LE(std::abs(after[ue] - startOf(e)), startOf(e) / 10) << "beyond the most change";
        EXPECT_EQ(afterCylinder2[ue] - startCylinder2[ue], after[ue] - startOf(e)) << "coupling carries each change";
    }
}

} // namespace
} // namespace quorvel
