#include "sim/engine_model.h"

#include "even_axes_memory.h"
#include "model/injection_tables.h"
#include "sim/virtual_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace quorvel::sim {
namespace {

using namespace std::chrono_literals;

constexpr int kHead5000 = 4; // the factory axis runs 1000, 2000 .. 15000 rpm
constexpr int kRow20 = 4;
constexpr int kRow30 = 5;

int word(const LinkFrame& frame, int at)
{
    return frame[static_cast<std::size_t>(at)] | (frame[static_cast<std::size_t>(at) + 1] << 8);
}

// One cylinder on Inj. 1A and the tacho/lambda line on lambda: what the sensor sees is that map.
ParamImage lambdaMemory()
{
    ParamImage memory = test::evenAxesMemory();
    memory.setByte(406, 1);
    memory.setByte(177, 1);
    return memory;
}

// The percentages of the memory's Inj. 1A page, each scaled by `factor(element)`.
template <class Factor> FuelDemand demandOf(const ParamImage& memory, Factor factor)
{
    InjectionTables tables;
    tables.refreshFromImage(memory);
    FuelDemand demand;
    for (int c = 0; c < kMapColumns; ++c)
        demand.axis[static_cast<std::size_t>(c)] = axisPoint(memory, MapId::Jet1A, c);
    for (int e = 0; e < kMapCells; ++e) {
        const auto ue = static_cast<std::size_t>(e);
        demand.percent[ue] =
            static_cast<std::uint16_t>(std::lround(tables.percent(InjectionMap::Jet1A)[ue] * factor(e)));
    }
    return demand;
}

class EngineLambda : public ::testing::Test {
protected:
    void SetUp() override { m_unit.loadMemory(m_memory); }

    LinkFrame frameAt(std::chrono::milliseconds time)
    {
        m_unit.advance(time - m_unit.engine().time());
        m_unit.receive(buildMonitorRequest());
        const std::vector<std::uint8_t> bytes = m_unit.takeTransmitted();
        LinkFrame frame{};
        EXPECT_EQ(bytes.size(), frame.size());
        std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
        return frame;
    }
    // The lambda voltages of `count` frames a third of a second apart from `from`.
    std::vector<int> lambdas(int count, std::chrono::milliseconds from = 1s)
    {
        std::vector<int> readings;
        for (int i = 0; i < count; ++i)
            readings.push_back(word(frameAt(from + i * 330ms), 58));
        return readings;
    }
    void ride(const std::string& text)
    {
        std::string error;
        const auto plan = parseRidePlan(text, error);
        ASSERT_TRUE(plan) << error;
        m_unit.setRide(*plan);
    }

    ParamImage m_memory = lambdaMemory();
    VirtualUnit m_unit;
};

TEST_F(EngineLambda, ReadsRichOrLeanAsTheMapsGiveMoreOrLessThanTheEngineNeeds)
{
    struct Case {
        double demand; // of what the map gives
        int low;
        int high;
    };
    ride("hold:5000,30");
    for (const Case& c : {Case{0.95, 800, 880}, Case{0.90, 800, 880}, Case{1.05, 60, 150}, Case{1.20, 60, 150}}) {
        m_unit.setFuelDemand(demandOf(m_memory, [&](int) { return c.demand; }));
        for (int mv : lambdas(12))
            EXPECT_TRUE(mv >= c.low && mv <= c.high) << c.demand << ": " << mv << " mV";
    }
}

TEST_F(EngineLambda, SwitchesAroundTheThresholdWhenTheMapsGiveWhatIsNeeded)
{
    ride("hold:5000,30");
    for (const bool withDemand : {false, true}) {
        if (withDemand)
            m_unit.setFuelDemand(demandOf(m_memory, [](int) { return 1.0; }));
        const std::vector<int> readings = lambdas(60);
        const auto rich = std::ranges::count_if(readings, [](int mv) { return mv > 450; });
        EXPECT_GT(rich, 10) << withDemand;
        EXPECT_LT(rich, 50) << withDemand;
        EXPECT_TRUE(std::ranges::all_of(readings, [](int mv) { return mv > 150 && mv < 800; })) << withDemand;
    }
}

TEST_F(EngineLambda, OverrunCutsTheFuelAndTheSensorReadsNextToNothing)
{
    ride("hold:5000,0");
    m_unit.setFuelDemand(demandOf(m_memory, [](int) { return 1.2; }));
    for (int i = 0; i < 10; ++i) {
        const LinkFrame frame = frameAt(1s + i * 330ms);
        EXPECT_LT(word(frame, 58), 30);
        for (int b = 14; b < 22; ++b)
            EXPECT_EQ(frame[static_cast<std::size_t>(b)], 0) << b;
    }
    ride("hold:2500,0"); // at idle speed the shut throttle still gets fuel
    EXPECT_GT(frameAt(20s)[14], 0);
}

TEST_F(EngineLambda, SensorAnswersOneTransportDelayLate)
{
    // A sweep from a lean cell into a rich one at 1000 ms.
    ride("sweep:5000-5000,20-30");
    RidePlan plan = m_unit.engine().ride();
    plan.hold = 1000ms;
    m_unit.setRide(plan);
    m_unit.setFuelDemand(demandOf(m_memory, [](int e) {
        return e / kMapColumns == kRow20 ? 1.1 : e / kMapColumns == kRow30 ? 0.9 : 1.0;
    }));
    EXPECT_LT(word(frameAt(950ms), 58), 150);
    EXPECT_EQ(word(frameAt(1000ms), 138), 300) << "the throttle is in the rich cell";
    EXPECT_LT(word(frameAt(1099ms), 58), 150) << "the sensor still sees the lean cell's exhaust";
    EXPECT_GT(word(frameAt(1100ms), 58), 800);
}

TEST_F(EngineLambda, TachoOnTheLineLeavesNoLambdaReading)
{
    m_memory.setByte(177, 0);
    m_unit.loadMemory(m_memory);
    const LinkFrame frame = frameAt(1s);
    EXPECT_EQ(frame[2] & 0b11, 0b11) << "input inactive, line on tacho";
    EXPECT_EQ(word(frame, 58), 0);
    m_memory.setByte(177, 1);
    m_unit.loadMemory(m_memory);
    EXPECT_EQ(frameAt(2s)[2] & 0b11, 0);
}

TEST_F(EngineLambda, UnitBlendsTheCellsAroundTheOperatingPoint)
{
    setMapCell(m_memory, MapId::Jet1A, kRow20 * kMapColumns + kHead5000, 3000);
    setMapCell(m_memory, MapId::Jet1A, kRow20 * kMapColumns + kHead5000 + 1, 5000);
    m_unit.loadMemory(m_memory);
    ride("hold:5500,20");
    EXPECT_EQ(frameAt(1s)[14], 40) << "halfway between 3000 and 5000 us";
    ride("hold:5000,20");
    EXPECT_EQ(frameAt(2s)[14], 30);
}

TEST_F(EngineLambda, LimitersCutAndAreReported)
{
    m_memory.setByte(180, 50); // injection limiter 5000 rpm
    m_memory.setByte(179, 60); // ignition limiter 6000 rpm
    m_unit.loadMemory(m_memory);
    ride("hold:5000,30");
    const LinkFrame cut = frameAt(1s);
    EXPECT_EQ(cut[2] & 0b1100, 0b1000);
    EXPECT_EQ(cut[14], 0);
    ride("hold:6000,30");
    EXPECT_EQ(frameAt(2s)[2] & 0b1100, 0b1100);
    ride("hold:4900,30");
    const LinkFrame free = frameAt(3s);
    EXPECT_EQ(free[2] & 0b1100, 0);
    EXPECT_GT(free[14], 0);
}

TEST_F(EngineLambda, CorrectionsReadOneHundredPercentOnceWarm)
{
    const LinkFrame cold = frameAt(0ms); // the cycle starts at 20 degrees
    EXPECT_GT(word(cold, 100), 1000);
    for (int w : {102, 104, 106})
        EXPECT_EQ(word(cold, w), 1000) << w;
    EXPECT_EQ(word(frameAt(10min), 100), 1000);
}

} // namespace
} // namespace quorvel::sim
