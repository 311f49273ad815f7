// TFormHlav as the host of the link, the pages and the editor: the tick, what the link shows,
// the title, filling and collecting pages, the language and the print.
#include "ui/shell/main_window.h"

#include "core/control_views.h"
#include "core/page_index.h"
#include "core/scoped_flag.h"
#include "core/text_format.h"
#include "maps/print_look.h"
#include "model/bike_list.h"
#include "model/jet_coupling.h"
#include "sim/line_with_virtual_unit.h"
#include "texts/language_captions.h"
#include "texts/language_word.h"
#include "texts/window_texts.h"
#include "ui/backups/unit_backups.h"
#include "ui/binding/editor_binder.h"
#include "ui/binding/language_applier.h"
#include "ui/compare/compare_commands.h"
#include "ui/files/print_command.h"
#include "ui/log/datalog_commands.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/main_menu.h"
#include "ui/shell/window_constants.h"
#include "ui/tuning/tuning_commands.h"
#include "ui/views/map_view_docks.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLocale>
#include <QStatusBar>

#include <algorithm>
#include <iostream>

namespace quorvel {
namespace {

ControlView visibility(ControlKey key, bool visible)
{
    return ControlView{key, visible, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
}

} // namespace

void TFormHlav::tick()
{
    bool verifyFailed = false;
    {
        const ScopedFlag ticking(m_ticking);
        const LinkMode before = m_session.mode();
        m_session.tick();
        const bool transferEnded = before != LinkMode::Idle && m_session.mode() == LinkMode::Idle;
        verifyFailed = transferEnded && before == LinkMode::Verify &&
                       m_session.display().statusText == m_texts.text(LinkSession::kTextVerifyError);
        if (transferEnded)
            m_compare->transferEnded();
        showLink();
        m_datalog->afterTick(std::chrono::milliseconds(kTickMilliseconds));
        if (m_tuning)
            m_tuning->afterTick(std::chrono::milliseconds(kTickMilliseconds));
        if (const auto display = m_monitor.takeDisplay()) {
            m_applier.applyAll<LabelState>(display->labels);
            m_applier.applyAll<GaugeState>(display->gauges);
        }
        showFeatureStates();
    }
    // Which parameters the unit holds otherwise, not only which blocks.
    if (verifyFailed)
        m_compare->showVerifyDifferences();
    // The boxes open once this tick has returned to the event loop: inside Timer1's own slot a
    // box would hold the timer, and with it the monitor requests and a running transfer.
    if (!m_tickMessages.empty() && !m_deliveryPosted) {
        m_deliveryPosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_deliveryPosted = false;
                m_tickMessages.deliver(*m_services.dialogs);
            },
            Qt::QueuedConnection);
    }
}

void TFormHlav::showLink()
{
    const LinkDisplay& link = m_session.display();
    m_applier.apply(LabelState{{"LabelHlaseni"}, link.statusText, link.statusColour, link.statusVisible});
    m_applier.apply(GaugeState{"CGaugeProgram", link.progress, std::nullopt});
    m_applier.apply(visibility({"CGaugeProgram"}, link.progressVisible));
    m_applier.apply(LabelState{{"LabelSpojeni"}, std::nullopt, std::nullopt, link.noConnectionVisible});
    m_applier.apply(LabelState{{"LabelVersion"}, std::nullopt, std::nullopt, link.versionVisible});
    m_applier.apply(LabelState{{"LabelCom"}, m_port.labelText(), std::nullopt, std::nullopt});
    m_applier.apply(LabelState{{"LabelFile2"}, m_files.fileLabel, std::nullopt, std::nullopt});
    const bool virtualUnit = m_port.explicitDevice() == sim::kVirtualUnitDevice;
    if (m_port.checkedMenuEntry() != m_checkedComEntry || virtualUnit != m_virtualUnitChecked) {
        m_checkedComEntry = m_port.checkedMenuEntry();
        m_virtualUnitChecked = virtualUnit;
        m_menu->checkComEntry(m_checkedComEntry, virtualUnit);
    }
}

void TFormHlav::imageMatchesFile(const std::filesystem::path& path, bool saved)
{
    m_savedImage = m_image;
    if (saved)
        showStatusText(formatText(WindowTexts::text("StatusSaved", language()), path.string().c_str()));
    showTitle();
}

// The file's name and, as desktop programs mark it, whether the image on screen differs from it.
void TFormHlav::showTitle()
{
    const std::string caption(CaptionTable::find("TFormHlav", CaptionKind::Caption, language()).value_or(kWindowTitle));
    const std::filesystem::path& file = m_files.currentFileName;
    const std::string title = file.empty() ? caption + "[*]" : file.filename().string() + "[*] - " + caption;
    if (windowTitle().toStdString() != title)
        setWindowTitle(QString::fromStdString(title));
    setWindowModified(
        !std::ranges::equal(m_image.bytes().subspan(kBlockSize), m_savedImage.bytes().subspan(kBlockSize)));
}

MonitorContext TFormHlav::monitorContext() const
{
    return MonitorContext::from(m_image, m_extMonitor->isChecked(), m_image.byte(kGasOffset) != 0);
}

void TFormHlav::setPageBinder(std::unique_ptr<PageBinder> binder)
{
    m_editing = nullptr;
    m_binder = std::move(binder);
    m_applier.forgetWidgets();
    fillPage();
}

int TFormHlav::activePage() const
{
    return m_pages->activePage();
}

void TFormHlav::fillPage()
{
    m_pageIndex = m_pages->activePage();
    const JetCoupling coupling = JetCoupling::fromImage(m_image);
    m_menu->action("Menu_Jet123Normal").setChecked(!coupling.coupled && !coupling.same);
    m_menu->action("Menu_Jet123Coupled").setChecked(coupling.coupled);
    m_menu->action("Menu_Jet123Stejny").setChecked(coupling.same);
    // The binder fills the static controls and, on a map page, the shared grid.
    m_binder->fillPage(m_pageIndex);
}

void TFormHlav::collectPage()
{
    m_binder->collectPage(m_pageIndex);
}

void TFormHlav::sanitiseImage()
{
    m_outside = OutsideSettings{m_settings.language, m_port.portSelection(), m_port.autoScanIndex()};
    for (const ControlColour& warning : quorvel::sanitiseImage(m_image, m_outside))
        m_applier.apply(ControlMark{{warning.control}, warning.role, std::nullopt});
    m_settings.language = m_outside.language;
    m_texts.setLanguage(static_cast<Language>(m_outside.language));
    m_port.setPortSelection(m_outside.portSelection);
    m_port.setAutoScanIndex(m_outside.autoScanIndex);
}

// After a read the image came in whole: the percent tables follow its maps.
void TFormHlav::refillPage()
{
    if (m_editing != nullptr)
        m_editing->editor().imageReplaced();
    fillPage();
}

void TFormHlav::clearFileName()
{
    m_files.fileLabel.clear();
}

void TFormHlav::refreshMonitorPanel()
{
    const std::vector<ControlMark> marks =
        m_marking.refresh(activePage(), m_image, m_monitor.snapshot(), m_settings.showMs);
    m_applier.applyAll<ControlMark>(marks);
    m_mapPages->showLive(marks, LiveCell{m_marking.operatingCell(), m_monitor.snapshot().Rpm},
                         m_marking.positionColumns());
    m_views->showLive(marks);
}

void TFormHlav::showMessage(std::string_view text)
{
    // A box opened inside the tick would hold the link still, or start the next tick inside
    // this one while its event loop runs.
    if (m_ticking)
        m_tickMessages.showMessage(text);
    else
        m_services.dialogs->showMessage(text);
}

PromptAnswer TFormHlav::askYesNoCancel(std::string_view text)
{
    return m_services.dialogs->askYesNoCancel(text);
}

int TFormHlav::selectedBikePosition() const
{
    return BikeList::shownPosition(m_image.byte(kBikeOffset));
}

void TFormHlav::setPageOnlyLoad(bool pageOnly)
{
    m_files.pageOnlyLoad = pageOnly;
}

void TFormHlav::forgetTransferAndFile()
{
    hideTransferMessage();
    clearFileName();
}

void TFormHlav::afterChange()
{
    m_writer.commit();
}

void TFormHlav::showImage()
{
    sanitiseImage();
    // Some captions name what a field means on this bike (a choke bike's idle fields, the
    // cylinders fitted): an image of another bike brings its own.
    const CaptionContext now = captionContext();
    if (now.chokeBike != m_captionsShown.chokeBike || now.cylinderCount != m_captionsShown.cylinderCount)
        showCaptions();
    fillPage();
    fillPage();
}

void TFormHlav::showRestored(int page)
{
    if (page != activePage() && page >= 0 && page < kPageCount)
        m_pages->setCurrentIndex(page); // the page change fills the page
    fillPage();
}

void TFormHlav::historyMoved()
{
    const UndoHistory& history = m_writer.history();
    for (std::string_view name : {"SpeedButtonZpet", "MenuZpet"})
        m_applier.apply(enabledView({name}, history.canUndo()));
    for (std::string_view name : {"SpeedButtonZnovu", "MenuZnovu"})
        m_applier.apply(enabledView({name}, history.canRedo()));
}

int TFormHlav::pageOfChange() const
{
    return m_editing != nullptr ? m_editing->editor().activePage() : activePage();
}

bool TFormHlav::programsAfterChange() const
{
    const auto* box = m_controls.find<QCheckBox>({"CheckBoxProgHned"});
    return box != nullptr && box->isChecked();
}

void TFormHlav::programPendingBlocks()
{
    m_backups->programPending();
    showLink();
}

void TFormHlav::applyCaptions()
{
    applyLanguage();
}

void TFormHlav::applyLanguage()
{
    const Language language = languageFromIndex(m_settings.language);
    m_texts.setLanguage(language);
    if (!m_qtTexts.apply(language))
        std::cerr << "quorvel: Qt's own texts are not installed for this language\n";
    m_mapPages->setLanguage(language);
    m_views->setLanguage(language);
    m_compare->setLanguage(language);
    m_datalog->setLanguage(language);
    if (m_tuning)
        m_tuning->setLanguage(language);
    // The memo's code page and the captions the idle view composes follow the language.
    if (m_editing != nullptr)
        m_editing->editor().setLanguage(language);
    showCaptions();
    showViewsAvailability();
    showTitle();
}

CaptionContext TFormHlav::captionContext() const
{
    return {!m_session.display().noConnectionVisible, m_image.chokeBike(), m_image.byte(kCylinderCountOffset),
            activePage()};
}

void TFormHlav::showCaptions()
{
    m_captionsShown = captionContext();
    m_language->apply(applyLanguageCaptions(m_texts.language(), m_captionsShown));
}

void TFormHlav::chooseLanguage(Language language)
{
    m_settings.language = static_cast<int>(language);
    applyLanguage();
    fillPage();
}

void TFormHlav::printWindow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    const PrintLook look =
        printLook(m_texts, activePage(), locale.toString(now.date(), QLocale::ShortFormat).toStdString(),
                  locale.toString(now.time(), QLocale::ShortFormat).toStdString());
    const std::filesystem::path preset = m_files.exeDirFileName.parent_path() / "quorvel_print.pdf";
    PrintCommand printing(*this, m_controls, *m_pages, *m_services.dialogs, m_texts);
    printing.print(look, preset, [this, &look] {
        m_session.showNotice(look.statusLine, ColourRole::White, kPrintMessageHoldTicks);
        m_session.setPrinting(true);
        showLink();
    });
    m_session.setPrinting(false);
    // Pages that do not apply to the bike hide their tabs again.
    fillPage();
}

void TFormHlav::showStatusText(const std::string& text)
{
    constexpr int kStatusMilliseconds = 8000;
    statusBar()->showMessage(QString::fromStdString(text), kStatusMilliseconds);
}

std::filesystem::path TFormHlav::filesFolder() const
{
    // Beside the parameter file last saved or opened, else beside the program.
    if (!m_files.currentFileName.empty() && m_files.currentFileName.has_parent_path())
        return m_files.currentFileName.parent_path();
    return m_files.exeDirFileName.parent_path();
}

void TFormHlav::showAbout()
{
    TFormAbout about(language(), buildDate(), buildTime(), this);
    about.exec();
}

void TFormHlav::collectSanitiseRefill()
{
    collectPage();
    sanitiseImage();
    if (m_editing != nullptr)
        m_editing->editor().imageReplaced();
    fillPage();
}

void TFormHlav::hideTransferMessage()
{
    m_session.hideTransferMessage();
}

} // namespace quorvel
