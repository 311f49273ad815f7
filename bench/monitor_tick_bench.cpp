// Time of the live-data work of one tick: decoding a monitor frame and marking the Inj-1A page.
#include "core/monitor_decoder.h"
#include "core/page_index.h"
#include "maps/live_marking.h"
#include "sim/virtual_unit.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

using namespace quorvel;

class BenchTexts final : public MessageTexts {
public:
    [[nodiscard]] std::string_view text(int number) const override
    {
        return number % 2 == 0 ? "Injection time" : "YES";
    }
};

LinkFrame liveFrame(sim::VirtualUnit& unit)
{
    unit.receive(buildMonitorRequest());
    const auto bytes = unit.takeTransmitted();
    LinkFrame frame{};
    std::copy_n(bytes.begin(), frame.size(), frame.begin());
    return frame;
}

void DecodeAndMarkInj1A(benchmark::State& state)
{
    sim::VirtualUnit unit;
    unit.advance(std::chrono::seconds(8));
    const LinkFrame frame = liveFrame(unit);
    const ParamImage& image = unit.memory();
    const MonitorContext context = MonitorContext::from(image, true, true);
    BenchTexts texts;
    MonitorDecoder decoder;
    LiveMarking marking;
    for (auto _ : state) {
        auto display = decoder.decode(frame, context, texts);
        auto marks = marking.refresh(kPageInj1A, image, decoder.snapshot(), true);
        benchmark::DoNotOptimize(display);
        benchmark::DoNotOptimize(marks);
    }
}
BENCHMARK(DecodeAndMarkInj1A)->Unit(benchmark::kMicrosecond);

// The virtual unit's answer to one monitor request with a fuel demand, as `quorvel --simulate`
// makes it inside the window's tick (every tick with fast logging).
void VirtualEngineMonitorReply(benchmark::State& state)
{
    sim::VirtualUnit unit;
    ParamImage memory = unit.memory();
    memory.setByte(177, 1); // the tacho/lambda line on lambda
    memory.setByte(406, 4); // four cylinders, each with its own demand
    unit.loadMemory(memory);
    sim::FuelDemand demand;
    for (int c = 0; c < kMapColumns; ++c)
        demand.axis[static_cast<std::size_t>(c)] = axisPoint(unit.memory(), MapId::Jet1A, c);
    demand.percent.fill(104);
    unit.setFuelDemand(demand);
    unit.setRide({.kind = sim::RideKind::Sweep});
    for (auto _ : state) {
        unit.advance(std::chrono::milliseconds(55));
        benchmark::DoNotOptimize(liveFrame(unit));
    }
}
BENCHMARK(VirtualEngineMonitorReply)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
