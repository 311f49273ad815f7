#include "app/cli/cli.h"
#include "app/cli_fixture.h"
#include "app/sim_process.h"
#include "io/map_sheet.h"
#include "io/parameter_set.h"
#include "log/tuning_cells.h"
#include "log/tuning_locks.h"
#include "serial/core_application.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kRows = 3;                        // the throttle rows 0, 2 and 5 %: the first is the overrun's fuel cut
constexpr int kColumns = 2;                     // two RPM heads from 4000 rpm on
constexpr std::array kOffsets = {-8, 6, -4, 8}; // what the engine needs beyond the map, %

int at(int row, int column)
{
    return row * kMapColumns + column;
}

// A bike whose Tuning fields let a session count (target 450 mV, a short hold), a virtual engine
// that needs up to 8 % more or less than the map in a block of cells, and a dyno sweep over it.
class CliTuneTest : public test::CliFixture {
protected:
    CliTuneTest()
        : CliFixture("cli-tune")
    {
        test::ensureCoreApplication();
    }

    void prepareBike(const std::string& target)
    {
        ASSERT_EQ(cli({"new", "--bike", "11", "-o", path("b11.ign")}), kExitOk);
        ASSERT_EQ(cli({"set", path("b11.ign"), "LadeniLambda=" + target, "LadeniHyster=50", "LadeniCas=400", "-o",
                       path("tune.ign")}),
                  kExitOk)
            << m_err.str();
        InjectionTables tables;
        ASSERT_EQ(loadParameterFile(path("tune.ign"), m_image, tables), LoadResult::Loaded);
        while (axisPoint(m_image, MapId::Jet1A, m_firstColumn) * 100 < 4000)
            ++m_firstColumn;
        m_start = tuningMapCells(m_image, MapId::Jet1A).percent;
        m_demand = m_start;
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                // The overrun row needs more fuel than it gets: it must still not be enriched.
                const int offset = r == 0 ? 8 : kOffsets[static_cast<std::size_t>((r - 1) * kColumns + c)];
                const auto e = static_cast<std::size_t>(at(r, m_firstColumn + c));
                m_demand[e] = m_start[e] * (100 + offset) / 100;
            }
        }
        MapSheet sheet{sheetCorner("JET_1A", "%"), {}, {}, m_demand, 0};
        for (int c = 0; c < kMapColumns; ++c)
            sheet.rpm[static_cast<std::size_t>(c)] = axisPoint(m_image, MapId::Jet1A, c) * 100;
        for (int r = 0; r < kMapRows; ++r)
            sheet.rowHeads[static_cast<std::size_t>(r)] =
                std::to_string(kThrottleRowPercent[static_cast<std::size_t>(r)]) + "%";
        std::ofstream(path("demand.csv"), std::ios::binary) << formatMapSheet(sheet, ',', "\r\n");
    }

    [[nodiscard]] std::vector<std::string> simArguments() const
    {
        const int low = axisPoint(m_image, MapId::Jet1A, m_firstColumn) * 100;
        const int high = axisPoint(m_image, MapId::Jet1A, m_firstColumn + kColumns - 1) * 100;
        return {"--fuel-demand", path("demand.csv"),
                "--ride",        "sweep:" + std::to_string(low) + "-" + std::to_string(high) + ",0-5",
                "--hold-ms",     "600"};
    }

    ParamImage m_image;
    int m_firstColumn = 0;
    CellValues m_start{};
    CellValues m_demand{};
};

TEST_F(CliTuneTest, PassesWithApplyBringHeldCellsTowardTheDemandAndLeaveTheRestAlone)
{
    prepareBike("450");
    const int locked = at(2, m_firstColumn + 1);
    TuningLocks locks;
    std::bitset<kMapCells> jet1A;
    jet1A.set(static_cast<std::size_t>(locked));
    locks.set(MapId::Jet1A, jet1A);
    ASSERT_FALSE(saveTuningLocks(tuningLocksPath(m_dir), locks));

    test::SimProcess unit(simArguments());
    ASSERT_FALSE(unit.devicePath().empty());
    ASSERT_EQ(cli({"program", "--port", unit.devicePath(), "--no-backup", path("tune.ign")}), kExitOk) << m_err.str();
    ASSERT_EQ(cli({"tune", "--port", unit.devicePath(), "--map", "JET_1A", "--seconds", "4", "--passes", "3", "--apply",
                   "--config-dir", m_dir.string(), "--backup-dir", path("backups"), "-o", path("tuned.ign")}),
              kExitOk)
        << m_out.str() << m_err.str();
    EXPECT_NE(m_out.str().find("Pass 3 of 3"), std::string::npos) << m_out.str();
    EXPECT_FALSE(fs::is_empty(path("backups"))) << "the unit's tune is kept before the first write";

    ParamImage tuned;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(path("tuned.ign"), tuned, tables), LoadResult::Loaded);
    const CellValues after = tuningMapCells(tuned, MapId::Jet1A).percent;
    for (int e = 0; e < kMapCells; ++e) {
        const auto ue = static_cast<std::size_t>(e);
        const int row = e / kMapColumns;
        const int column = e % kMapColumns;
        const bool swept = row < kRows && column >= m_firstColumn && column < m_firstColumn + kColumns;
        if (!swept || e == locked || row == 0) {
            EXPECT_EQ(after[ue], m_start[ue]) << "cell " << row << ":" << column << " was not to change";
            continue;
        }
        EXPECT_LT(std::abs(after[ue] - m_demand[ue]), std::abs(m_start[ue] - m_demand[ue]))
            << "cell " << row << ":" << column << " from " << m_start[ue] << " to " << after[ue] << ", demand "
            << m_demand[ue] << "\n"
            << m_out.str();
    }

    // What the unit holds is what was saved.
    ASSERT_EQ(cli({"verify", "--port", unit.devicePath(), path("tuned.ign")}), kExitOk) << m_err.str();
}

TEST_F(CliTuneTest, ChecksThatFailStopBeforeAnythingIsCountedAndSayWhy)
{
    prepareBike("800"); // 800 +- 50 mV reaches the sensor's rich level
    test::SimProcess unit(simArguments());
    ASSERT_EQ(cli({"program", "--port", unit.devicePath(), "--no-backup", path("tune.ign")}), kExitOk) << m_err.str();
    EXPECT_EQ(cli({"tune", "--port", unit.devicePath(), "--map", "JET_1A", "--apply", "--config-dir", m_dir.string(),
                   "-o", path("tuned.ign")}),
              kExitFailed);
    EXPECT_NE(m_err.str().find("Cannot start: The target voltage and band reach beyond the sensor's switching range "
                               "(set LadeniLambda=770)"),
              std::string::npos)
        << m_err.str();
    EXPECT_FALSE(fs::exists(path("tuned.ign")));

    EXPECT_EQ(cli({"tune", "--port", unit.devicePath(), "--map", "ADVANCE"}), kExitBadInput);
    EXPECT_NE(m_err.str().find("tune works on JET_1A..JET_4A or IAP"), std::string::npos) << m_err.str();
}

} // namespace
} // namespace quorvel::cli
