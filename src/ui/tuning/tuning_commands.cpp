#include "ui/tuning/tuning_commands.h"

#include "core/monitor_snapshot.h"
#include "core/text_format.h"
#include "log/cell_overlay.h"
#include "log/tuning_apply.h"
#include "log/tuning_cells.h"
#include "log/tuning_keys.h"
#include "model/field_table.h"
#include "texts/map_edit_texts.h"
#include "texts/tuning_texts.h"
#include "ui/binding/text_lookup.h"
#include "ui/maps/map_grid.h"
#include "ui/tuning/tuning_dock.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

// A frame older than this is no sign of a unit that answers now.
constexpr std::chrono::milliseconds kFreshFrame{2000};
constexpr Rgb kInBandColour{170, 225, 170};
constexpr Rgb kLockedColour{205, 195, 230};

QColor qColour(Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

QColor readingColour(CellReading reading)
{
    switch (reading) {
    case CellReading::Lean:
        return qColour(kLeanColour);
    case CellReading::Rich:
        return qColour(kRichColour);
    case CellReading::InBand:
        return qColour(kInBandColour);
    case CellReading::None:
        break;
    }
    return qColour(kHeatLeast);
}

} // namespace

TuningCommands::TuningCommands(Parts parts)
    : m_parts(std::move(parts))
{
    m_dock = new TuningDock(m_parts.pageName, m_parts.language, &m_parts.window);
    m_parts.window.addDockWidget(Qt::RightDockWidgetArea, m_dock);
    m_dock->hide();
    m_dock->setHandlers({[this](std::string_view field, int shown) {
                             (void)m_parts.writer.writeField(*FieldTable::byName(field), 0, DecimalNumber{shown, 1});
                         },
                         [this] {
                             m_mapPicked = true;
                             refresh();
                         },
                         [this](int finding) { fix(finding); }, [this] { startOrStop(); },
                         [this] {
                             if (m_session)
                                 apply(m_session->proposals());
                         },
                         [this](bool on) {
                             if (m_session)
                                 m_session->setApplyAfterEveryPass(on);
                         }});

    m_parts.gridMenu.addSeparator();
    m_lock = m_parts.gridMenu.addAction(QString());
    m_lock->setObjectName("ActionTuningLock");
    m_lock->setCheckable(true);
    QObject::connect(m_lock, &QAction::triggered, m_dock, [this] { toggleLock(); });
    QObject::connect(&m_parts.gridMenu, &QMenu::aboutToShow, m_dock, [this] {
        const auto current = m_parts.grid.selection().current();
        const auto element = static_cast<std::size_t>(current.row * kMapColumns + current.column);
        m_lock->setEnabled(m_parts.activePage() == MapTable::of(m_dock->map()).page);
        m_lock->setChecked(m_locks.of(m_dock->map()).test(element));
    });
    m_parts.recorder.setFrameObserver([this](FrameBytes frame) { frameArrived(frame); });
    loadLocks();
    setLanguage(m_parts.language);
}

TuningCommands::~TuningCommands()
{
    m_parts.recorder.setFrameObserver({});
}

std::string TuningCommands::words(std::string_view key) const
{
    return std::string(TuningTexts::text(key, m_parts.language).value_or(key));
}

void TuningCommands::show()
{
    m_dock->show();
    m_dock->raise();
    refresh();
}

void TuningCommands::setLanguage(Language language)
{
    m_parts.language = language;
    m_dock->setLanguage(language);
    m_lock->setText(qText(words("TuningLock")));
}

void TuningCommands::frameArrived(FrameBytes frame)
{
    std::ranges::copy(frame, m_lastFrame.emplace().begin());
    m_lastFrameTime = m_clock;
    // Until the user picks a map, the choice is the map the unit doses by now; a running session
    // keeps its map.
    if (!m_session && !m_mapPicked)
        m_dock->chooseMap(mapInUse(readMonitorSnapshot(frame)));
    if (m_session)
        m_session->feed(static_cast<std::uint32_t>((m_clock - m_startTime).count()), frame, m_parts.image);
}

TuningSettings TuningCommands::settings() const
{
    TuningSettings settings = tuningSettingsFromImage(m_parts.image, m_dock->map());
    settings.stepPercent = m_dock->stepPercent();
    settings.maxChangePercent = m_dock->maxChangePercent();
    return settings;
}

void TuningCommands::afterTick(std::chrono::milliseconds elapsed)
{
    m_clock += elapsed;
    refresh();
}

void TuningCommands::refresh()
{
    if (m_dock->isHidden() && !m_session)
        return;
    m_dock->showFields(m_parts.image);
    if (!m_session) {
        const bool fresh = m_lastFrame && m_clock - m_lastFrameTime < kFreshFrame;
        const TuningSettings now = settings();
        m_findings = preflightTuning({m_parts.image, now, fresh ? m_lastFrame : std::nullopt, m_parts.activePage()});
        m_dock->showFindings(m_findings);
        m_dock->showRunning(false, mayStart(m_findings));
        m_dock->showProgress({}, 0, false);
        return;
    }
    // A hand edit, an undo or an apply: each changed cell starts a new pass.
    m_session->mapChanged(tuningMapCells(m_parts.image, m_session->settings().map).percent);
    if (m_session->applyAfterEveryPass())
        applyUnattended();
    m_dock->showProgress(m_session->progress(), static_cast<int>(m_session->proposals().size()), true);
    showOverlay();
}

void TuningCommands::startOrStop()
{
    if (m_session) {
        m_session.reset();
        m_parts.sessionRuns(false);
        m_unitStep = UnitStep::None;
        clearOverlay();
        m_dock->showRunning(false, mayStart(m_findings));
        refresh();
        return;
    }
    refresh();
    if (!mayStart(m_findings))
        return;
    const TuningSettings now = settings();
    m_session = std::make_unique<TuningSession>(now, tuningMapCells(m_parts.image, now.map), m_locks.of(now.map));
    m_session->setApplyAfterEveryPass(m_dock->applyEveryPass());
    m_startTime = m_lastFrameTime;
    m_parts.sessionRuns(true);
    // The session's figures take the grid: a log's overlay shown before goes.
    m_parts.grid.model().setOverlay({});
    m_dock->showStatus({});
    m_dock->showRunning(true, true);
    refresh();
}

void TuningCommands::apply(const std::vector<TuningProposal>& proposals)
{
    const MapId map = m_session->settings().map;
    const TuningApply applied = applyTuningProposals(m_parts.writer, map, proposals);
    if (applied.write.refusal) {
        m_dock->showStatus(qText(mapEditText(*applied.write.refusal, m_parts.language)));
        return;
    }
    QString status = qText(formatText(words("TuningApplied"), applied.write.changed));
    if (applied.overtaken > 0)
        status += "\n" + qText(formatText(words("TuningOvertaken"), applied.overtaken));
    m_dock->showStatus(status);
    m_session->mapChanged(tuningMapCells(m_parts.image, map).percent);
}

void TuningCommands::applyUnattended()
{
    const bool idle = m_parts.session.mode() == LinkMode::Idle;
    if (m_unitStep == UnitStep::Programming && idle) {
        // The unit left blocks unprogrammed: it did not take the change. Else it is verified.
        if (m_parts.image.pendingBlocks().any()) {
            m_session->applyFailed(ApplyFault::LinkFault);
            m_unitStep = UnitStep::None;
        } else {
            m_parts.verifyUnit();
            m_unitStep = UnitStep::Verifying;
        }
    } else if (m_unitStep == UnitStep::Verifying && idle) {
        m_unitStep = UnitStep::None;
        if (m_parts.session.lastTransferFailed())
            m_session->applyFailed(ApplyFault::VerifyRefused);
    } else if (m_unitStep == UnitStep::None && idle) {
        const std::vector<TuningProposal> due = m_session->takeUnattendedApply();
        if (!due.empty()) {
            apply(due);
            m_unitStep = m_parts.programsAfterChange() ? UnitStep::Programming : UnitStep::None;
        }
    }
    if (m_session->unattendedStop() == UnattendedStop::None)
        return;
    m_dock->endApplyEveryPass();
    std::string text = words(textKey(m_session->unattendedStop()));
    if (const auto cell = m_session->stoppedAtCell()) {
        const int row = *cell / kMapColumns;
        const int column = *cell % kMapColumns;
        text = formatText(text, (std::to_string(row + 1) + ":" + std::to_string(column + 1)).c_str());
    }
    m_dock->showStatus(qText(text));
}

void TuningCommands::fix(int finding)
{
    if (finding < 0 || static_cast<std::size_t>(finding) >= m_findings.size())
        return;
    const PreflightFix fix = m_findings[static_cast<std::size_t>(finding)].fix;
    switch (fix.kind) {
    case PreflightFixKind::SetField:
        (void)m_parts.writer.writeField(*FieldTable::byName(fix.field), 0, DecimalNumber{fix.value, 1});
        break;
    case PreflightFixKind::ShowPage:
        m_parts.showPage(fix.value);
        break;
    case PreflightFixKind::TuneMap:
        m_mapPicked = true;
        m_dock->chooseMap(static_cast<MapId>(fix.value));
        break;
    case PreflightFixKind::None:
        break;
    }
    refresh();
}

void TuningCommands::toggleLock()
{
    const MapId map = m_dock->map();
    if (m_parts.activePage() != MapTable::of(map).page)
        return;
    std::vector<GridCell> cells = m_parts.grid.selection().cells();
    if (cells.empty())
        cells.push_back(m_parts.grid.selection().current());
    std::bitset<kMapCells> locks = m_locks.of(map);
    const auto at = [](GridCell cell) { return static_cast<std::size_t>(cell.row * kMapColumns + cell.column); };
    const bool lock = !std::ranges::all_of(cells, [&](GridCell cell) { return locks.test(at(cell)); });
    for (const GridCell cell : cells) {
        locks.set(at(cell), lock);
        if (m_session && m_session->settings().map == map)
            m_session->setLocked(static_cast<int>(at(cell)), lock);
    }
    m_locks.set(map, locks);
    if (const auto failed = saveTuningLocks(tuningLocksPath(m_parts.settingsDirectory), m_locks))
        m_parts.showMessage(formatText(words("TuningLocksUnsaved"), failed->c_str()));
    if (m_session)
        showOverlay();
}

void TuningCommands::loadLocks()
{
    std::string error;
    if (auto locks = loadTuningLocks(tuningLocksPath(m_parts.settingsDirectory), error))
        m_locks = std::move(*locks);
    else
        m_parts.showMessage(formatText(words("TuningLocksUnread"), error.c_str()));
}

void TuningCommands::showOverlay()
{
    const MapId map = m_session->settings().map;
    if (m_parts.activePage() != MapTable::of(map).page) {
        clearOverlay();
        return;
    }
    std::map<int, std::pair<QColor, QString>> overlay;
    for (int e = 0; e < kMapCells; ++e) {
        const TuningCell& cell = m_session->cell(e);
        if (m_session->locks().test(static_cast<std::size_t>(e))) {
            overlay[e] = {qColour(kLockedColour), qText(words("TuningCellLocked"))};
            continue;
        }
        if (cell.reading == CellReading::None)
            continue;
        const std::string hint =
            formatText(words("TuningCellHint"), cell.heldMs / 1000.0, cell.samples,
                       static_cast<int>(std::lround(cell.meanMv)), words(textKey(cell.reading)).c_str());
        overlay[e] = {readingColour(cell.reading), qText(hint)};
    }
    for (const TuningProposal& proposal : m_session->proposals()) {
        auto& hint = overlay[proposal.element].second;
        hint += QString("\n%1 -> %2").arg(proposal.percentBefore).arg(proposal.percentAfter);
    }
    if (overlay != m_overlay) {
        m_overlay = overlay;
        m_parts.grid.model().setOverlay(std::move(overlay));
    }
}

void TuningCommands::clearOverlay()
{
    if (!m_overlay.empty())
        m_parts.grid.model().setOverlay({});
    m_overlay.clear();
}

} // namespace quorvel
