// TFormHlav from its start to its close: defaults, settings and the command line in their
// order, the test marker, the settings kept for the next start, and the rescue of the image
// when a fault stops an action.
#include "ui/shell/main_window.h"

#include "core/page_index.h"
#include "core/start_up_rules.h"
#include "core/text_format.h"
#include "io/atomic_file.h"
#include "io/file_reading.h"
#include "io/parameter_file.h"
#include "model/bike_defaults.h"
#include "sim/line_with_virtual_unit.h"
#include "texts/fault_message.h"
#include "texts/file_texts.h"
#include "ui/backups/unit_backups.h"
#include "ui/binding/editor_binder.h"
#include "ui/log/datalog_commands.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/shell/main_menu.h"
#include "ui/shell/window_constants.h"
#include "ui/shell/window_placement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QScreen>

#include <algorithm>

namespace quorvel {

// FormCreate: the order matters (settings over defaults, the command line over the settings,
// sanitising before anything is shown or sent).
void TFormHlav::formCreate(std::optional<Language> commandLineLanguage)
{
    m_port.setPortSelection(1);
    m_image.setByte(kBikeOffset, kStartBikeCode);
    applyDefaults(m_image, m_tables, {false, m_pages->activePage()});
    resize(WindowPlacement::firstSize(QSize(kDesignWidth, kDesignHeight), screen()));
    centreOnScreen();
    m_files.exeDirFileName =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / kDefaultFileName;
    loadSettings();
    fillPage();
    deriveBikeFields(m_image);
    m_tables.refreshFromImage(m_image);
    if (commandLineLanguage)
        m_settings.language = static_cast<int>(*commandLineLanguage);
    sanitiseImage();
    applyLanguage();
    fillPage();
    if (!m_services.portDevice.empty())
        m_port.setExplicitDevice(m_services.portDevice);
    else if (m_settings.virtualUnit)
        m_port.setExplicitDevice(std::string(sim::kVirtualUnitDevice));
    // The Com menu names its devices when it opens; asking the system for them here would only
    // delay the window.
    m_port.openPort();
    if (m_editing != nullptr)
        m_editing->start(m_pages->activePage());
    applyLanguage();
    fillPage();
    readTestMarker();
    showLink();
    m_savedImage = m_image;
    showTitle();
    m_created = true;
}

void TFormHlav::centreOnScreen()
{
    const QScreen* shown = screen();
    if (shown == nullptr)
        return;
    // A screen smaller than the window keeps its title bar on the screen.
    const QRect area = shown->availableGeometry();
    move(area.left() + std::max(0, (area.width() - width()) / 2),
         area.top() + std::max(0, (area.height() - height()) / 2));
}

void TFormHlav::loadSettings()
{
    if (const auto refused = m_store.load(m_settings, m_image, m_allFlags))
        m_services.dialogs->showMessage(formatText(*FileTexts::text("SettingsNotRead", language()), refused->c_str()));
    m_backups = std::make_unique<UnitBackups>(UnitBackups::Parts{m_session, m_image, m_tables, *m_services.dialogs,
                                                                 *this, [this] { return language(); },
                                                                 [this] { imageChangedWhole(); }},
                                              dataFolder() / "backups", m_settings.backupsKept);
    if (const auto& geometry = m_settings.geometry) {
        const QRect placed = WindowPlacement::restored(*geometry, screen());
        move(placed.topLeft());
        resize(placed.size());
    }
    m_port.setPortSelection(m_settings.portSelection);
    m_port.setAutoScanIndex(m_settings.autoScanIndex);
    m_files.fileLabel = m_settings.fileLabel;
    m_files.currentFileName = m_settings.currentFileName;
    if (m_settings.activePage >= 0 && m_settings.activePage < kPageCount &&
        m_pages->isTabVisible(m_settings.activePage))
        m_pages->setCurrentIndex(m_settings.activePage);
    m_extMonitor->setChecked(m_settings.extendedMonitor);
    CellStatisticsOptions overlay;
    overlay.lambdaThresholdMv = m_settings.lambdaThresholdMv;
    overlay.minimumSamples = m_settings.lambdaMinimumSamples;
    m_datalog->setStatisticsOptions(overlay);
    m_mapPages->setPositionAll(0, m_settings.allPolohaA);
    m_mapPages->setPositionAll(1, m_settings.allPolohaB);
}

void TFormHlav::readTestMarker()
{
    const auto marker = readWholeFile(m_store.testMarkerPath(), kTestMarkerLimit);
    m_testMode = marker && markerEnablesTestMode(*marker);
    for (int index = 1; index <= kTestLabels; ++index)
        m_applier.apply(LabelState{{"LabelTest", index}, std::nullopt, std::nullopt, m_testMode});
    m_menu->setServiceVisible(m_testMode);
}

void TFormHlav::closeEvent(QCloseEvent* event)
{
    formClose();
    event->accept();
}

// FormClose: the image is saved as the user last saw it, collected and sanitised.
void TFormHlav::formClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_timer1.stop();
    m_port.closePort();
    collectPage();
    sanitiseImage();
    m_settings.geometry = WindowGeometry{x(), y(), height(), width()};
    m_settings.portSelection = m_port.portSelection();
    m_settings.autoScanIndex = m_port.autoScanIndex();
    m_settings.fileLabel = m_files.fileLabel;
    m_settings.currentFileName = m_files.currentFileName.string();
    m_settings.activePage = m_pages->activePage();
    m_settings.extendedMonitor = m_extMonitor->isChecked();
    const CellStatisticsOptions overlay = m_datalog->statisticsOptions();
    m_settings.lambdaThresholdMv = overlay.lambdaThresholdMv;
    m_settings.lambdaMinimumSamples = overlay.minimumSamples;
    m_settings.allPolohaA = m_mapPages->positionAll(0);
    m_settings.allPolohaB = m_mapPages->positionAll(1);
    // The previous files stay whole; the user hears why the next start will not see this one.
    if (const auto error = m_store.save(m_settings, m_image, m_allFlags))
        m_services.dialogs->showMessage(formatText(*FileTexts::text("SettingsNotSaved", language()), error->c_str()));
}

void TFormHlav::reportFault(std::string_view what)
{
    const std::filesystem::path rescue = m_store.rescuePath();
    std::error_code ignored;
    std::filesystem::create_directories(rescue.parent_path(), ignored);
    const auto error = writeFileAtomically(rescue, writeParameterFile(m_image));
    m_services.dialogs->showMessage(faultMessage(language(), what, Rescue{rescue, error}));
}

} // namespace quorvel
