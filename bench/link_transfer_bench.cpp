// Times a whole transfer with its verify pass over a pseudo-terminal against the virtual unit
// sending at the pace of the real line, and sets it beside two bounds:
//   tick bound: 39 exchanges of one 55 ms tick each (20 blocks, then the 19-block verify pass)
//   line limit: 39 x 2 frames x 152 bytes x 10 bits at 57600 baud
// The time runs from the first frame of the transfer to the tick that handles the last reply;
// the up to 6 ticks between the command and its first frame are the tick's rhythm, not the
// transfer's cost.

#include "serial/core_application.h"
#include "serial/fake_serial_line.h"
#include "serial/link_rig.h"
#include "serial/pty_unit.h"
#include "serial/qt_serial_line.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>
#include <thread>

namespace quorvel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTickInterval = std::chrono::milliseconds(55);
constexpr int kExchanges = 39;
constexpr double kTickBoundSeconds = kExchanges * 0.055;
constexpr double kLineLimitSeconds = kExchanges * 2.0 * kFrameSize * 10.0 / 57600.0;

// The real line, noting when the first block frame of a transfer leaves.
class TimedLine final : public SerialLine {
public:
    void arm() { m_firstFrame.reset(); }
    [[nodiscard]] std::optional<Clock::time_point> firstFrame() const { return m_firstFrame; }

    bool open(const std::string& deviceName) override { return m_line.open(deviceName); }
    void close() override { m_line.close(); }
    bool isOpen() const override { return m_line.isOpen(); }
    std::size_t bytesWaiting() override { return m_line.bytesWaiting(); }
    std::size_t read(std::span<std::uint8_t> buffer) override { return m_line.read(buffer); }
    void writeFrame(FrameBytes frame) override
    {
        if (!m_firstFrame && frame[0] != kMonitorRequest)
            m_firstFrame = Clock::now();
        m_line.writeFrame(frame);
    }

private:
    QtSerialLine m_line;
    std::optional<Clock::time_point> m_firstFrame;
};

enum class Transfer { ReadAndVerify, ProgramAndVerify };

void transferOverPty(benchmark::State& state, Transfer transfer)
{
    test::ensureCoreApplication();
    test::PtyUnit unit({}, /*lineTiming=*/true);
    TimedLine line;
    test::FakePortNaming naming;
    test::LinkRig rig(line, naming);
    rig.port.setExplicitDevice(unit.devicePath());
    rig.port.openPort();
    if (!rig.port.isOpen()) {
        state.SkipWithError("cannot open the pseudo-terminal");
        return;
    }

    int ticks = 0;
    bool allOk = true;
    for (auto _ : state) {
        line.arm();
        if (transfer == Transfer::ReadAndVerify)
            rig.session.read();
        else
            rig.session.program();
        auto next = Clock::now();
        ticks = 0;
        while (rig.session.mode() != LinkMode::Idle && ticks < 1000) {
            next += kTickInterval;
            std::this_thread::sleep_until(next);
            const bool sending = line.firstFrame().has_value();
            rig.session.tick();
            if (sending)
                ++ticks;
        }
        const auto end = Clock::now();
        // Errors are red; a success may already show the unit storing what it received.
        allOk = allOk && rig.session.display().statusColour != ColourRole::Red;
        const auto first = line.firstFrame().value_or(end);
        state.SetIterationTime(std::chrono::duration<double>(end - first).count());
        // Let the unit finish storing before the next round.
        for (int i = 0; i < 12; ++i) {
            next += kTickInterval;
            std::this_thread::sleep_until(next);
            rig.session.tick();
        }
    }
    if (!allOk)
        state.SkipWithError("a transfer ended with an error");
    state.counters["ticks_after_first_frame"] = ticks;
    state.counters["tick_bound_s"] = kTickBoundSeconds;
    state.counters["line_limit_s"] = kLineLimitSeconds;
}

BENCHMARK_CAPTURE(transferOverPty, ReadAndVerify, Transfer::ReadAndVerify)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(transferOverPty, ProgramAndVerify, Transfer::ProgramAndVerify)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvel

BENCHMARK_MAIN();
