#pragma once

#include "core/link_frame.h"
#include "core/param_image.h"
#include "log/tuning_cells.h"
#include "log/tuning_rules.h"
#include "log/tuning_settings.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvel {

using CellLocks = std::bitset<kMapCells>;

// What the mean lambda voltage of a held cell says against the target band.
enum class CellReading : std::uint8_t { None, Lean, InBand, Rich };

// One cell in its present pass. A pass starts with the session and again whenever the cell's
// value changes; its samples are only those taken since.
struct TuningCell {
    std::uint32_t heldMs = 0; // time counted for the cell in this pass
    int samples = 0;
    double meanMv = 0.0;
    CellReading reading = CellReading::None; // None until the cell was held for the hold time
    int passes = 0;                          // changes of the cell's value since the session began
};

// A cell's step never shrinks below this (or the session's step, where that is smaller).
inline constexpr double kSmallestStepPercent = 0.5;

// The change one pass proposes for a cell that reads lean or rich, in percent as the page shows
// it. `percentAfter` never leaves the session's most change or the cell's range; where either
// stops the step short `atLimit` is set, and a cell that cannot move at all has after == before.
struct TuningProposal {
    int element = 0;
    CellReading reading = CellReading::None;
    int percentBefore = 0;
    int percentAfter = 0;
    bool atLimit = false;

    [[nodiscard]] bool moves() const { return percentAfter != percentBefore; }
};

// How much of the session's range is tuned: cells that are not locked, those held in their
// present pass, and those reading in band.
struct TuningProgress {
    int cells = 0;
    int held = 0;
    int inBand = 0;
};

// Why unattended applying stopped.
enum class UnattendedStop : std::uint8_t { None, LinkFault, VerifyRefused, CellAtLimit };
// How an apply that was handed proposals went wrong.
enum class ApplyFault : std::uint8_t { LinkFault, VerifyRefused };

// A live tuning session on one injection map. Every monitor frame is judged by the tuning rules
// and goes to the cell it was taken in; a stay in a cell counts only once the engine stayed within
// its windows for the hold time, and from then on until it leaves. Each held cell reads lean,
// rich or in band and proposes one step toward the target. The session never writes the map: the
// caller applies proposals through the editor and tells the session what the map holds now.
class TuningSession {
public:
    // `cells` as the map's page shows it when the session starts; `locks` never change.
    TuningSession(const TuningSettings& settings, const TuningMapCells& cells, const CellLocks& locks);

    [[nodiscard]] const TuningSettings& settings() const { return m_settings; }

    // One monitor frame, taken `timeMs` after some fixed moment (the times must rise).
    void feed(std::uint32_t timeMs, FrameBytes frame, const ParamImage& image);

    // The map as it is now, after an apply or any other edit: each changed cell starts a new pass.
    void mapChanged(const CellValues& percent);

    void setLocked(int element, bool locked);
    [[nodiscard]] const CellLocks& locks() const { return m_locks; }

    [[nodiscard]] const TuningCell& cell(int element) const;
    [[nodiscard]] int percent(int element) const;
    // The step the cell's present pass proposes: the session's step, halved each time the cell's
    // reading turned from rich to lean or back after a change, so that a cell closes in on the
    // switch point instead of stepping across it for good.
    [[nodiscard]] double stepPercent(int element) const;
    // Every cell whose present pass proposes a step, in element order; locked cells propose none.
    [[nodiscard]] std::vector<TuningProposal> proposals() const;
    [[nodiscard]] TuningProgress progress() const;
    // How many frames got each verdict: where a session counts nothing, this says why.
    [[nodiscard]] const std::array<int, kFrameVerdictCount>& verdictCounts() const { return m_verdicts; }

    // "Apply after every pass": with it on, takeUnattendedApply hands over each pass's proposals.
    void setApplyAfterEveryPass(bool on);
    [[nodiscard]] bool applyAfterEveryPass() const { return m_unattended; }
    // The proposals to apply now unattended, empty when none are due. A proposal that cannot move
    // (a cell at its limit) stops unattended applying instead: nothing of that pass is handed over.
    [[nodiscard]] std::vector<TuningProposal> takeUnattendedApply();
    // The apply of handed-over proposals failed: unattended applying stops.
    void applyFailed(ApplyFault fault);
    [[nodiscard]] UnattendedStop unattendedStop() const { return m_stop; }
    [[nodiscard]] std::optional<int> stoppedAtCell() const { return m_stopCell; }

private:
    struct Stay {
        std::optional<int> element;
        std::uint32_t enteredMs = 0;
        std::uint32_t lastMs = 0;
        bool held = false; // reached the hold time: its frames go straight to the cell
        std::uint32_t pendingMs = 0;
        double pendingSum = 0.0;
        int pendingSamples = 0;
    };
    void count(int element, std::uint32_t timeMs, int lambdaMv);
    void startPass(int element);
    [[nodiscard]] CellReading readingOf(double meanMv) const;
    [[nodiscard]] std::optional<TuningProposal> proposalFor(int element) const;
    void stopUnattended(UnattendedStop reason, std::optional<int> element = std::nullopt);

    TuningSettings m_settings;
    CellValues m_percent{};
    CellValues m_startPercent{};
    CellValues m_highest{};
    CellLocks m_locks;
    std::array<TuningCell, kMapCells> m_cells{};
    std::array<double, kMapCells> m_lambdaSums{};
    std::array<double, kMapCells> m_steps{};
    std::array<CellReading, kMapCells> m_lastMove{}; // the reading that ended the cell's last pass
    std::array<int, kFrameVerdictCount> m_verdicts{};
    std::optional<TuningFrame> m_previous;
    Stay m_stay;
    bool m_unattended = false;
    UnattendedStop m_stop = UnattendedStop::None;
    std::optional<int> m_stopCell;
};

} // namespace quorvel
