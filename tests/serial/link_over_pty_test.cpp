#include "serial/core_application.h"
#include "serial/fake_serial_line.h"
#include "serial/link_rig.h"
#include "serial/pty_unit.h"
#include "serial/qt_serial_line.h"
#include "sim/factory_memory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

constexpr auto kTickInterval = 55ms;
constexpr int kTickLimit = 600;

// The link session on QSerialPort against the virtual unit on a pseudo-terminal, ticking at
// the window's pace.
class LinkOverPty : public ::testing::Test {
protected:
    void SetUp() override { test::ensureCoreApplication(); }

    void connect(sim::FaultPlan faults = {}, bool lineTiming = false)
    {
        m_unit = std::make_unique<test::PtyUnit>(faults, lineTiming);
        m_rig = std::make_unique<test::LinkRig>(m_line, m_naming);
        m_rig->port.setExplicitDevice(m_unit->devicePath());
        m_rig->port.openPort();
        ASSERT_TRUE(m_rig->port.isOpen());
    }
    LinkSession& session() { return m_rig->session; }
    ParamImage& image() { return m_rig->image; }

    // Ticks every 55 ms until the transfer is over.
    void runTransfer()
    {
        auto next = std::chrono::steady_clock::now();
        for (int tick = 0; tick < kTickLimit && session().mode() != LinkMode::Idle; ++tick) {
            next += kTickInterval;
            std::this_thread::sleep_until(next);
            session().tick();
        }
        ASSERT_EQ(session().mode(), LinkMode::Idle);
    }
    const sim::VirtualUnit& stoppedUnit()
    {
        m_unit->stop();
        return m_unit->unit();
    }
    [[nodiscard]] std::string status() const { return m_rig->session.display().statusText; }

private:
    QtSerialLine m_line;
    test::FakePortNaming m_naming;
    std::unique_ptr<test::PtyUnit> m_unit;
    std::unique_ptr<test::LinkRig> m_rig;
};

class ReadOverPty : public LinkOverPty, public ::testing::WithParamInterface<bool> {};

TEST_P(ReadOverPty, ReadCopiesTheUnitAndItsVerifyPassConfirmsIt)
{
    connect({}, GetParam());
    session().read();
    runTransfer();
    EXPECT_EQ(status(), "Verify: OK");
    EXPECT_EQ(image().byte(kHeaderVersionByte - 2), kProgramVersion);
    EXPECT_TRUE(test::parametersEqual(image(), stoppedUnit().memory()));
}

INSTANTIATE_TEST_SUITE_P(LineTiming, ReadOverPty, ::testing::Values(false, true));

TEST_F(LinkOverPty, ProgramWritesTheWholeImageAndItsVerifyPassConfirmsIt)
{
    connect();
    const std::string memo = "Written over the pty";
    for (std::size_t i = 0; i < memo.size(); ++i)
        image().setByte(2850 + static_cast<int>(i), static_cast<std::uint8_t>(memo[i]));
    session().program();
    runTransfer();
    EXPECT_EQ(status(), "Program device: OK");
    EXPECT_FALSE(image().verifyAfterProgram());
    const sim::VirtualUnit& unit = stoppedUnit();
    EXPECT_TRUE(test::parametersEqual(image(), unit.memory()));
    EXPECT_FALSE(test::parametersEqual(unit.memory(), sim::factoryMemory()));
    EXPECT_EQ(unit.memory().byte(2850), 'W');
}

struct FaultCase {
    const char* name;
    sim::FaultPlan faults;
    bool program;
};

sim::FaultPlan faultPlan(bool silent, int corruptEveryNth, std::optional<int> differingBlock,
                         std::chrono::milliseconds replyDelay = 0ms)
{
    sim::FaultPlan plan;
    plan.silent = silent;
    plan.corruptEveryNth = corruptEveryNth;
    plan.differingBlock = differingBlock;
    plan.replyDelay = replyDelay;
    return plan;
}

class FaultyLineOverPty : public LinkOverPty, public ::testing::WithParamInterface<FaultCase> {};

// Whatever the line does, "OK" may only be shown when the unit holds the image. (A unit that
// consistently reports other bytes than it holds cannot be caught by a read, so the differing
// block is a programming fault only.)
TEST_P(FaultyLineOverPty, EndsVerifiedOrWithTheErrorNeverWithOkWhileUnitAndImageDiffer)
{
    connect(GetParam().faults);
    image().setByte(2850, 'F');
    if (GetParam().program)
        session().program();
    else
        session().read();
    runTransfer();
    const bool ok = status().ends_with(" OK");
    const bool error = status().ends_with("error!");
    EXPECT_TRUE(ok || error) << status();
    if (ok) {
        EXPECT_TRUE(test::parametersEqual(image(), stoppedUnit().memory()));
    }
    if (GetParam().faults.silent || GetParam().faults.differingBlock) {
        EXPECT_TRUE(error) << status();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultyLineOverPty,
    ::testing::Values(FaultCase{"SilentRead", faultPlan(true, 0, std::nullopt), false},
                      FaultCase{"SilentProgram", faultPlan(true, 0, std::nullopt), true},
                      FaultCase{"CorruptEveryThirdRead", faultPlan(false, 3, std::nullopt), false},
                      FaultCase{"CorruptEverySecondProgram", faultPlan(false, 2, std::nullopt), true},
                      FaultCase{"SlowRepliesRead", faultPlan(false, 0, std::nullopt, 150ms), false},
                      FaultCase{"DifferingBlockProgram", faultPlan(false, 0, 7), true}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace quorvel
