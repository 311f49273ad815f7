#include "ui/log/datalog_commands.h"

#include "core/text_format.h"
#include "log/cell_overlay.h"
#include "log/log_location.h"
#include "maps/tune_writer.h"
#include "model/map_layout.h"
#include "texts/datalog_texts.h"
#include "texts/map_edit_texts.h"
#include "ui/files/dialogs.h"
#include "ui/log/log_viewer.h"
#include "ui/log/recording_indicator.h"
#include "ui/log/suggest_corrections_dialog.h"
#include "ui/maps/map_grid.h"

#include <QMainWindow>
#include <QStatusBar>

#include <ctime>

namespace quorvel {
namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

constexpr int kBikeOffset = 150;

} // namespace

DatalogCommands::DatalogCommands(Parts parts)
    : m_parts(std::move(parts))
{
    m_indicator = new RecordingIndicator(m_parts.language(), m_parts.window.statusBar());
    m_parts.window.statusBar()->addPermanentWidget(m_indicator);
}

LogViewer& DatalogCommands::makeViewer()
{
    if (m_viewer != nullptr)
        return *m_viewer;
    m_viewer = new LogViewer(
        m_parts.language(), m_parts.dialogs,
        [this]() -> std::optional<std::filesystem::path> {
            // The filters of the table are "Datalog (*.csv);;All files (*)"; the first one serves.
            const std::string filters(DatalogTexts::message(DatalogMessage::LogFileFilter, m_parts.language()));
            return m_parts.dialogs.askDataFile(
                // The folder itself, even before the first log made it.
                DataFileQuestion{m_parts.logsFolder / "", false, filters.substr(0, filters.find(";;")), "csv"});
        },
        &m_parts.window);
    m_viewer->setWindowFlag(Qt::Window);
    m_viewer->setStatisticsOptions(m_statistics);
    // Played frames take the way a unit's frame takes, past the recorder: a replay is never
    // written into the log being recorded, and it waits while a unit answers.
    m_viewer->setFrameHandler([this](FrameBytes frame) {
        if (!m_parts.connected())
            (void)m_parts.monitor.decodeMonitorFrame(frame);
    });
    m_viewer->setOverlayHandler([this] { showOverlay(); });
    m_viewer->setSuggestHandler([this] { suggestCorrections(); });
    return *m_viewer;
}

CellStatisticsOptions DatalogCommands::statisticsOptions() const
{
    return m_viewer != nullptr ? m_viewer->statisticsOptions() : m_statistics;
}

void DatalogCommands::setStatisticsOptions(const CellStatisticsOptions& options)
{
    m_statistics = options;
    if (m_viewer != nullptr)
        m_viewer->setStatisticsOptions(options);
}

std::optional<std::chrono::milliseconds> DatalogCommands::playbackPosition() const
{
    return m_viewer != nullptr ? m_viewer->playbackPosition() : std::nullopt;
}

DatalogCommands::~DatalogCommands() = default;

void DatalogCommands::report(DatalogMessage message, const std::string& detail)
{
    m_parts.dialogs.showMessage(formatText(DatalogTexts::message(message, m_parts.language()), detail.c_str()));
}

void DatalogCommands::startLog()
{
    if (recording())
        return;
    m_parts.recorder.setActivePage(m_parts.activePage());
    if (const auto failed = m_parts.recorder.startNew(m_parts.logsFolder, localNow(), m_parts.image.byte(kBikeOffset)))
        report(DatalogMessage::CannotCreateLog, *failed);
    showStates();
}

void DatalogCommands::stopLog()
{
    if (!recording())
        return;
    if (const auto failed = m_parts.recorder.stop())
        report(DatalogMessage::CannotWriteLog, *failed);
    showStates();
}

void DatalogCommands::openLog()
{
    LogViewer& viewer = makeViewer();
    viewer.show();
    viewer.raise();
    viewer.askAndOpen();
}

void DatalogCommands::setFastLogging(bool on)
{
    m_parts.session.setFastMonitor(on);
}

void DatalogCommands::afterTick(std::chrono::milliseconds elapsed)
{
    if (const auto failed = m_parts.recorder.writeIfDue()) {
        report(DatalogMessage::CannotWriteLog, *failed);
        showStates();
    }
    if (m_viewer != nullptr)
        m_viewer->tick(elapsed);
    m_indicator->refresh(m_parts.recorder, playbackPosition());
}

void DatalogCommands::pageFilled(int page)
{
    m_parts.recorder.setActivePage(page);
    m_page = page;
    // The cells of the log follow the axes as they are now (an RPM head edited moves them).
    showOverlay();
}

void DatalogCommands::setLanguage(Language language)
{
    if (m_viewer != nullptr)
        m_viewer->setLanguage(language);
    m_indicator->setLanguage(language);
    showOverlay();
}

void DatalogCommands::showStates()
{
    m_indicator->refresh(m_parts.recorder, playbackPosition());
}

// Time in each cell and the mean lambda of the open log, on the map of the page shown.
void DatalogCommands::showOverlay()
{
    const MapLayout* map = MapTable::ofPage(m_page);
    const std::optional<CellOverlayOptions> options = m_viewer != nullptr ? m_viewer->overlayOptions() : std::nullopt;
    if (map == nullptr || !options || m_viewer->log() == nullptr) {
        m_parts.grid.showOverlay(nullptr, m_parts.language());
        return;
    }
    const CellOverlay overlay = logCellOverlay(*m_viewer->log(), m_parts.image, map->id, *options);
    m_parts.grid.showOverlay(&overlay, m_parts.language());
}

void DatalogCommands::suggestCorrections()
{
    const MapLayout* map = MapTable::ofPage(m_page);
    if (map == nullptr || m_viewer->log() == nullptr || !takesCorrections(map->id)) {
        m_parts.dialogs.showMessage(
            std::string(DatalogTexts::message(DatalogMessage::OnlyInjectionMaps, m_parts.language())));
        return;
    }
    SuggestCorrectionsDialog dialog(*m_viewer->log(), m_parts.image, map->id, m_parts.language(), m_limits,
                                    &m_parts.window);
    dialog.setPreviewHandler([this](std::span<const CellCorrection> cells) { m_parts.grid.showPreview(cells); });
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_limits = dialog.limits();
    m_parts.grid.showPreview({});
    if (!accepted || dialog.acceptedCorrections().empty())
        return;
    const TuneWrite written = applyCorrections(m_parts.writer, map->id, dialog.acceptedCorrections());
    m_parts.showStatus(mapEditText(writeStatus(written, MapEditMessage::CellsChanged), m_parts.language()));
}

} // namespace quorvel
