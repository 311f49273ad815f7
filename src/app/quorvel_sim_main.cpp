#include "app/sim_demand.h"
#include "app/sim_options.h"
#include "app/sim_replay.h"
#include "sim/pty_bridge.h"
#include "sim/virtual_unit.h"
#include "texts/fault_message.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <new>

namespace {

std::atomic<bool> g_stop{false};

void requestStop(int)
{
    g_stop = true;
}

int serve(int argc, char** argv)
{
    using namespace quorvel::sim;

    std::string error;
    const auto options = parseSimOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::cerr << "quorvel-sim: " << error << "\n\n" << simUsage();
        return 2;
    }
    if (options->help) {
        std::cout << simUsage();
        return 0;
    }

    FaultPlan faults = options->faults;
    // A request also takes a frame time to arrive on a real line; the pseudo-terminal delivers
    // it at once, so the reply waits that long instead.
    if (options->lineTiming)
        faults.replyDelay += std::chrono::milliseconds(26);
    VirtualUnit unit(faults);
    if (!configureEngine(unit, options->engine, error)) {
        std::cerr << "quorvel-sim: " << error << '\n';
        return 2;
    }
    if (!options->replayPath.empty()) {
        auto ride = loadReplay(options->replayPath, error);
        if (!ride) {
            std::cerr << "quorvel-sim: " << error << '\n';
            return 2;
        }
        std::cerr << "Replaying " << ride->frameCount() << " recorded monitor frames of " << options->replayPath
                  << '\n';
        unit.replayRide(std::move(*ride));
    }
    PtyBridge bridge(unit, options->lineTiming);
    if (!options->linkPath.empty())
        bridge.setStableLink(options->linkPath);
    if (!bridge.open()) {
        std::cerr << "quorvel-sim: " << bridge.error() << '\n';
        return 1;
    }

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    std::cout << bridge.devicePath() << std::endl;
    std::cerr << "Virtual unit (program version " << int(faults.version) << ") ready on " << bridge.devicePath()
              << "; open it with: quorvel --port " << bridge.devicePath() << "\nPress Ctrl+C to stop.\n";
    bridge.run(g_stop);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // A replayed ride too large for the memory ends with a word instead of an abort.
    try {
        return serve(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "quorvel-sim: " << quorvel::kOutOfMemory << '\n';
        return 1;
    }
}
