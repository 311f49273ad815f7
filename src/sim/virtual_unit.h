#pragma once

#include "core/link_frame.h"
#include "core/param_image.h"
#include "sim/engine_model.h"
#include "sim/fault_plan.h"
#include "sim/frame_replay.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace quorvel::sim {

// A simulated engine control unit at the far end of the serial line. It takes the bytes the PC
// sends, answers each complete 152-byte request with one reply frame after its reply delay,
// stores programmed blocks, and reports live data from its engine model. Time only moves when
// advance() is called, so tests drive it tick by tick and never sleep.
class VirtualUnit {
public:
    static constexpr std::uint16_t kSavingFullScale = 5782;
    // A partly received request is dropped after this much silence on the line, so that noise
    // or a lost byte costs one exchange rather than the framing of every later one.
    static constexpr std::chrono::milliseconds kFrameGapReset{20};

    explicit VirtualUnit(FaultPlan faults = {});

    void setFaults(const FaultPlan& faults) { m_faults = faults; }
    [[nodiscard]] const FaultPlan& faults() const { return m_faults; }

    // Bytes arriving from the PC.
    void receive(std::span<const std::uint8_t> bytes);
    // Lets time pass: the engine runs, the saving countdown runs down, delayed replies fall due.
    void advance(std::chrono::milliseconds elapsed);
    // The bytes the unit has sent since the last call.
    [[nodiscard]] std::vector<std::uint8_t> takeTransmitted();

    // The reply to one request, before any fault but corruption and differing blocks is applied;
    // none for frames the unit ignores.
    [[nodiscard]] std::optional<LinkFrame> answer(FrameBytes request);

    // The parameter memory as the unit holds it; block 0 is its header.
    [[nodiscard]] const ParamImage& memory() const { return m_memory; }
    // From now on monitor requests are answered with the frames of a recorded ride instead of
    // the engine model's; the rest of the unit (its memory, its faults) is unchanged.
    void replayRide(FrameReplay ride) { m_ride.emplace(std::move(ride)); }
    void loadMemory(const ParamImage& image);

    [[nodiscard]] std::uint16_t programmingCount() const { return m_programmingCount; }
    // Replies sent or queued so far, monitor replies included.
    [[nodiscard]] int replyCount() const { return m_replyCount; }
    [[nodiscard]] std::uint16_t savingCountdown() const;
    [[nodiscard]] const EngineModel& engine() const { return m_engine; }
    // How the virtual engine is ridden and what fuel it really needs.
    void setRide(const RidePlan& ride) { m_engine.setRide(ride); }
    void setFuelDemand(std::optional<FuelDemand> demand) { m_engine.setFuelDemand(std::move(demand)); }
    [[nodiscard]] RidePoint operatingPoint() const { return m_engine.operatingPoint(m_memory); }

private:
    struct PendingReply {
        std::chrono::milliseconds due;
        std::vector<std::uint8_t> bytes; // any noise, then the frame
    };

    [[nodiscard]] LinkFrame headerReply(std::uint8_t command) const;
    [[nodiscard]] LinkFrame blockReply(std::uint8_t command, int block) const;
    [[nodiscard]] LinkFrame monitorReply();
    void storeProgrammed(int block, FrameBytes request);
    // The reply as it goes onto the line, after corruption, differing blocks and noise.
    [[nodiscard]] std::vector<std::uint8_t> applyReplyFaults(LinkFrame reply);
    // True while a brown-out keeps the unit from hearing anything.
    [[nodiscard]] bool droppedOut(std::chrono::milliseconds now);

    FaultPlan m_faults;
    ParamImage m_memory;
    EngineModel m_engine;
    std::optional<FrameReplay> m_ride;
    std::vector<std::uint8_t> m_request;
    std::chrono::milliseconds m_lastByteTime{0};
    std::deque<PendingReply> m_replies;
    std::vector<std::uint8_t> m_transmitted;
    std::optional<std::chrono::milliseconds> m_savingStarted;
    std::chrono::milliseconds m_lastProgramTime{-std::chrono::hours(1)};
    std::optional<std::chrono::milliseconds> m_dropoutStarted;
    std::uint16_t m_programmingCount = 0;
    int m_replyCount = 0;
    std::uint32_t m_noiseSeed = 0x2545F491U;
};

} // namespace quorvel::sim
