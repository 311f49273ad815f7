// A ride recorded from the virtual unit, replayed by it and recorded again at the same rate comes
// back frame for frame: none lost, none twice, however the ticks of either recording jitter.
#include "app/sim_replay.h"
#include "core/link_only_monitor.h"
#include "core/link_session.h"
#include "log/datalog_reader.h"
#include "log/datalog_recorder.h"
#include "reliability/scratch_directory.h"
#include "serial/fake_serial_line.h"
#include "serial/link_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel::sim {
namespace {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds kTick{55};
// The window's timer fires up to this late, never early; its next time does not move with it.
constexpr int kLatestTickMs = 10;
// One frame on the line at 57600 baud: the reply comes this long after its request.
constexpr std::chrono::milliseconds kReplyTime{27};

struct Rate {
    const char* name;
    bool fast;
    int ticks;
};

// Records `ticks` ticks of the link to `unit` into `file`; tick k fires at k * 55 ms plus a
// delay that a fixed sequence from `seed` picks, so every run records the same.
void record(VirtualUnit& unit, const std::filesystem::path& file, const Rate& rate, std::uint32_t seed)
{
    test::FakeSerialLine line;
    test::FakePortNaming naming;
    line.attachUnit(unit);
    ParamImage image = unit.memory();
    test::RecordingHost host(image);
    LanguageTable texts;
    SerialPort port(line, naming, texts, host);
    LinkOnlyMonitor monitor;
    std::chrono::milliseconds now{0};
    DatalogRecorder recorder(monitor, image, [&] { return now; });
    LinkSession session(image, port, host, recorder, texts);
    session.setFastMonitor(rate.fast);
    port.setPortSelection(0);
    port.openPort();
    ASSERT_EQ(recorder.start(file), std::nullopt);
    for (int tick = 1; tick <= rate.ticks; ++tick) {
        seed = seed * 1664525U + 1013904223U;
        const std::chrono::milliseconds fires =
            tick * kTick + std::chrono::milliseconds((seed >> 16) % (kLatestTickMs + 1));
        line.advanceUnit(fires - now);
        now = fires;
        session.tick();
        ASSERT_EQ(recorder.writeIfDue(), std::nullopt);
    }
    ASSERT_EQ(recorder.stop(), std::nullopt);
}

std::vector<LinkFrame> framesOf(const std::filesystem::path& file)
{
    const DatalogRead read = readDatalog(file);
    EXPECT_TRUE(read.log) << read.detail;
    if (!read.log)
        return {};
    return {read.log->frames().begin(), read.log->frames().end()};
}

class RideReplayTest : public ::testing::TestWithParam<Rate> {
protected:
    test::ScratchDirectory m_dir{"ride-replay"};
};

TEST_P(RideReplayTest, ReplayRecordedAtTheRideRateGivesEveryFrameOnceInOrder)
{
    const Rate rate = GetParam();
    FaultPlan wire;
    wire.replyDelay = kReplyTime;
    const auto ride = m_dir.path() / "ride.csv";
    {
        VirtualUnit unit(wire);
        unit.advance(3s);
        record(unit, ride, rate, 1U);
    }
    const std::vector<LinkFrame> recorded = framesOf(ride);
    ASSERT_GE(recorded.size(), static_cast<std::size_t>(rate.ticks / (rate.fast ? 2 : 7)));
    for (std::size_t i = 1; i < recorded.size(); ++i)
        ASSERT_NE(recorded[i], recorded[i - 1]) << "the engine moves from frame to frame";

    std::string error;
    auto replay = loadReplay(ride, error);
    ASSERT_TRUE(replay) << error;
    VirtualUnit replaying(wire);
    replaying.advance(42s); // the replay starts with the first request, whenever that comes
    replaying.replayRide(std::move(*replay));
    const auto again = m_dir.path() / "again.csv";
    // Two ticks fewer: the second recording ends before the ride does.
    record(replaying, again, {rate.name, rate.fast, rate.ticks - 2}, 7U);
    const std::vector<LinkFrame> replayed = framesOf(again);

    ASSERT_GE(replayed.size() + 3, recorded.size()) << "no more frames lost than the ticks left out";
    // Neighbouring frames differ, so a frame lost or given twice shifts the rows after it.
    for (std::size_t i = 0; i < std::min(replayed.size(), recorded.size()); ++i)
        EXPECT_EQ(replayed[i], recorded[i])
            << rate.name << ": row " << i << " of the replay is not row " << i << " of the ride";
}

INSTANTIATE_TEST_SUITE_P(Rates, RideReplayTest,
                         ::testing::Values(Rate{"normal", false, 6 * 30}, Rate{"fast", true, 363}),
                         [](const ::testing::TestParamInfo<Rate>& param) { return std::string(param.param.name); });

} // namespace
} // namespace quorvel::sim
