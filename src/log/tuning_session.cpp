#include "log/tuning_session.h"

#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

std::size_t at(int element)
{
    return static_cast<std::size_t>(element);
}

} // namespace

TuningSession::TuningSession(const TuningSettings& settings, const TuningMapCells& cells, const CellLocks& locks)
    : m_settings(settings)
    , m_percent(cells.percent)
    , m_startPercent(cells.percent)
    , m_highest(cells.highest)
    , m_locks(locks)
{
    m_steps.fill(settings.stepPercent);
}

void TuningSession::feed(std::uint32_t timeMs, FrameBytes frame, const ParamImage& image)
{
    const TuningFrame now = readTuningFrame(timeMs, frame, image);
    FrameJudgement judgement = judgeFrame(now, m_previous ? &*m_previous : nullptr, image, m_settings);
    // The first frame has nothing to judge the throttle by.
    if (!m_previous && judgement.verdict == FrameVerdict::Counts)
        judgement.verdict = FrameVerdict::LinkGap;
    m_previous = now;
    ++m_verdicts[static_cast<std::size_t>(judgement.verdict)];
    if (judgement.verdict != FrameVerdict::Counts) {
        m_stay = {};
        return;
    }
    count(*judgement.element, timeMs, now.live.LambdaMillivolts);
}

void TuningSession::count(int element, std::uint32_t timeMs, int lambdaMv)
{
    // Any frame that did not count ended the last stay, so the same cell means the engine
    // stayed in it since the previous frame. Its time counts from the frame that finds the
    // engine in the cell, its readings only once the sensor sees this cell's exhaust.
    if (m_stay.element != element)
        m_stay = {.element = element, .enteredMs = timeMs, .lastMs = timeMs};
    m_stay.pendingMs += timeMs - m_stay.lastMs;
    m_stay.lastMs = timeMs;
    if (timeMs - m_stay.enteredMs >= kLambdaSettleMs) {
        m_stay.pendingSum += lambdaMv;
        ++m_stay.pendingSamples;
    }
    // A hold shorter than the sensor's delay still waits for a reading of its own.
    if (!m_stay.held && (m_stay.pendingMs < m_settings.holdMs || m_stay.pendingSamples == 0))
        return;

    m_stay.held = true;
    TuningCell& cell = m_cells[at(element)];
    cell.heldMs += m_stay.pendingMs;
    cell.samples += m_stay.pendingSamples;
    m_lambdaSums[at(element)] += m_stay.pendingSum;
    cell.meanMv = m_lambdaSums[at(element)] / cell.samples;
    cell.reading = readingOf(cell.meanMv);
    m_stay.pendingMs = 0;
    m_stay.pendingSum = 0.0;
    m_stay.pendingSamples = 0;
}

CellReading TuningSession::readingOf(double meanMv) const
{
    if (meanMv < m_settings.targetMv - m_settings.bandMv)
        return CellReading::Lean;
    if (meanMv > m_settings.targetMv + m_settings.bandMv)
        return CellReading::Rich;
    return CellReading::InBand;
}

void TuningSession::mapChanged(const CellValues& percent)
{
    for (int e = 0; e < kMapCells; ++e) {
        if (percent[at(e)] == m_percent[at(e)])
            continue;
        m_percent[at(e)] = percent[at(e)];
        startPass(e);
    }
}

void TuningSession::startPass(int element)
{
    TuningCell& cell = m_cells[at(element)];
    // The pass that ends decided the step: it stays for the passes to come.
    if (cell.reading == CellReading::Lean || cell.reading == CellReading::Rich) {
        m_steps[at(element)] = stepPercent(element);
        m_lastMove[at(element)] = cell.reading;
    }
    cell = TuningCell{.passes = cell.passes + 1};
    m_lambdaSums[at(element)] = 0.0;
    // Frames of the present stay were taken on the old value.
    if (m_stay.element == element)
        m_stay = {};
}

void TuningSession::setLocked(int element, bool locked)
{
    m_locks.set(at(element), locked);
}

const TuningCell& TuningSession::cell(int element) const
{
    return m_cells.at(at(element));
}

int TuningSession::percent(int element) const
{
    return m_percent.at(at(element));
}

double TuningSession::stepPercent(int element) const
{
    const double step = m_steps.at(at(element));
    const CellReading reading = m_cells[at(element)].reading;
    const CellReading last = m_lastMove[at(element)];
    const bool reversed = (reading == CellReading::Lean && last == CellReading::Rich) ||
                          (reading == CellReading::Rich && last == CellReading::Lean);
    if (!reversed)
        return step;
    return std::max(step / 2.0, std::min(kSmallestStepPercent, m_settings.stepPercent));
}

std::optional<TuningProposal> TuningSession::proposalFor(int element) const
{
    const TuningCell& cell = m_cells[at(element)];
    if (m_locks.test(at(element)) || !m_settings.range.contains(element) ||
        (cell.reading != CellReading::Lean && cell.reading != CellReading::Rich))
        return std::nullopt;

    const bool lean = cell.reading == CellReading::Lean;
    const int now = m_percent[at(element)];
    const double step = stepPercent(element);
    const double factor = 1.0 + (lean ? step : -step) / 100.0;
    // Every step moves the cell by at least one percent, or a small cell would never move.
    const auto stepped = static_cast<int>(std::lround(now * factor));
    const int wanted = lean ? std::max(now + 1, stepped) : std::min(now - 1, stepped);

    const int start = m_startPercent[at(element)];
    const auto allowed = static_cast<int>(std::floor(start * m_settings.maxChangePercent / 100.0 + 1e-9));
    // Toward the target only: a cell already beyond a bound (edited by hand) stays where it is.
    const int after = lean ? std::max(now, std::min({wanted, start + allowed, m_highest[at(element)]}))
                           : std::min(now, std::max({wanted, start - allowed, 0}));
    return TuningProposal{element, cell.reading, now, after, after != wanted};
}

std::vector<TuningProposal> TuningSession::proposals() const
{
    std::vector<TuningProposal> proposals;
    for (int e = 0; e < kMapCells; ++e) {
        if (const auto proposal = proposalFor(e))
            proposals.push_back(*proposal);
    }
    return proposals;
}

TuningProgress TuningSession::progress() const
{
    TuningProgress progress;
    for (int e = 0; e < kMapCells; ++e) {
        if (!m_settings.range.contains(e) || m_locks.test(at(e)))
            continue;
        ++progress.cells;
        const CellReading reading = m_cells[at(e)].reading;
        progress.held += reading != CellReading::None ? 1 : 0;
        progress.inBand += reading == CellReading::InBand ? 1 : 0;
    }
    return progress;
}

void TuningSession::setApplyAfterEveryPass(bool on)
{
    m_unattended = on;
    if (on) {
        m_stop = UnattendedStop::None;
        m_stopCell.reset();
    }
}

std::vector<TuningProposal> TuningSession::takeUnattendedApply()
{
    if (!m_unattended)
        return {};
    std::vector<TuningProposal> due = proposals();
    const auto stuck = std::ranges::find_if(due, [](const TuningProposal& p) { return !p.moves(); });
    if (stuck != due.end()) {
        stopUnattended(UnattendedStop::CellAtLimit, stuck->element);
        return {};
    }
    return due;
}

void TuningSession::applyFailed(ApplyFault fault)
{
    stopUnattended(fault == ApplyFault::LinkFault ? UnattendedStop::LinkFault : UnattendedStop::VerifyRefused);
}

void TuningSession::stopUnattended(UnattendedStop reason, std::optional<int> element)
{
    m_unattended = false;
    m_stop = reason;
    m_stopCell = element;
}

} // namespace quorvel
