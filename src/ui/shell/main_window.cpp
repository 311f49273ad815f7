#include "ui/shell/main_window.h"

#include "core/control_views.h"
#include "core/page_index.h"
#include "core/sanitise.h"
#include "core/scoped_flag.h"
#include "core/start_up_rules.h"
#include "core/text_format.h"
#include "io/atomic_file.h"
#include "io/backup_store.h"
#include "io/code_page.h"
#include "io/parameter_file.h"
#include "maps/print_look.h"
#include "model/bike_defaults.h"
#include "model/bike_list.h"
#include "model/jet_coupling.h"
#include "sim/line_with_virtual_unit.h"
#include "texts/fault_message.h"
#include "texts/file_texts.h"
#include "texts/language_captions.h"
#include "texts/language_word.h"
#include "texts/window_texts.h"
#include "ui/backups/unit_backups.h"
#include "ui/binding/editor_binder.h"
#include "ui/binding/language_applier.h"
#include "ui/compare/compare_commands.h"
#include "ui/compare/compare_dock.h"
#include "ui/files/print_command.h"
#include "ui/log/datalog_commands.h"
#include "ui/log/log_viewer.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/elided_label.h"
#include "ui/pages/live_panel.h"
#include "ui/pages/monitor_page.h"
#include "ui/pages/page_control.h"
#include "ui/pages/static_page_builder.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/help_command.h"
#include "ui/shell/main_menu.h"
#include "ui/shell/tool_bar.h"
#include "ui/shell/window_placement.h"
#include "ui/views/map_view_docks.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <iostream>
#include <tuple>

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kGasOffset = 248; // N2O enabled (CheckBoxGas)
constexpr int kCylinderCountOffset = 406;
constexpr int kTestLabels = 8;
constexpr std::string_view kWindowTitle = "Programming of Quorvel_2007 unit";
constexpr std::string_view kDefaultFileName = "data.ign";

constexpr std::array<std::pair<std::string_view, Jet123Mode>, 3> kJetModeItems{{
    {"Menu_Jet123Normal", Jet123Mode::Normal},
    {"Menu_Jet123Coupled", Jet123Mode::Coupled},
    {"Menu_Jet123Stejny", Jet123Mode::Same},
}};

ControlView visibility(ControlKey key, bool visible)
{
    return ControlView{key, visible, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
}

// The product's picture at the end of the tool bar row; the print look leaves it out.
QLabel* makeLogo(QWidget& parent)
{
    constexpr int kLogoHeight = 40;
    auto* logo = new QLabel(&parent);
    logo->setObjectName("ImageLogo2");
    QSvgRenderer artwork(QStringLiteral(":/quorvel/about_artwork.svg"));
    const QSize size = artwork.defaultSize().scaled(QSize(4 * kLogoHeight, kLogoHeight), Qt::KeepAspectRatio);
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    artwork.render(&painter);
    painter.end();
    logo->setPixmap(picture);
    return logo;
}

std::filesystem::path settingsDirectory(const std::filesystem::path& configured)
{
    return configured.empty() ? SettingsStore::defaultDirectory() : configured;
}

} // namespace

TFormHlav::TFormHlav(WindowServices services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_store(settingsDirectory(m_services.configDirectory))
    , m_portMessages(
          *m_services.dialogs, m_texts, [this] { return m_port.lastOpenFailure(); },
          [this](std::string_view hint) {
              statusBar()->showMessage(QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size())));
          })
    , m_port(*m_services.line, *m_services.naming, m_texts, m_portMessages)
    , m_monitor(m_texts, [this] { return monitorContext(); })
    , m_recorder(m_monitor, m_image)
    , m_session(m_image, m_port, *this, m_recorder, m_texts)
    , m_bikeCommands(m_image, m_tables, *this, *m_services.dialogs, m_texts)
    , m_fileCommands(m_image, m_tables, m_files, *this, *m_services.dialogs, m_texts)
    , m_binder(std::make_unique<NoControlsBinder>())
    , m_controls(*this)
    , m_applier(m_controls)
{
    setObjectName("TFormHlav");
    setWindowTitle(QString::fromUtf8(kWindowTitle.data(), static_cast<qsizetype>(kWindowTitle.size())));
    buildControls();
    wireCommands();
    formCreate(m_services.commandLineLanguage);

    m_timer1.setObjectName("Timer1");
    m_timer1.setTimerType(Qt::PreciseTimer);
    m_timer1.setInterval(kTickMilliseconds);
    connect(&m_timer1, &QTimer::timeout, this, &TFormHlav::tick);
    if (m_services.runTimer)
        m_timer1.start();
    // A file handed over on the command line opens once the window is up, as Open would.
    if (!m_services.parameterFile.empty()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_fileCommands.openFile(m_services.parameterFile);
                showLink();
                showTitle();
            },
            Qt::QueuedConnection);
    }
}

TFormHlav::~TFormHlav() = default;

void TFormHlav::buildControls()
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    m_toolBar = new ToolBar(central);
    top->addWidget(m_toolBar, 0, Qt::AlignLeft);
    top->addStretch(1);
    top->addWidget(makeLogo(*central));
    column->addLayout(top);
    auto* row = new QHBoxLayout;
    m_monitorPage = new MonitorPage;
    m_pages = new PageControl(m_monitorPage, central);
    m_livePanel = new LivePanel(central);
    row->addWidget(m_pages, 1);
    row->addWidget(m_livePanel);
    column->addLayout(row, 1);
    setCentralWidget(central);

    QWidget& bikePage = m_pages->page(kPageBike);
    auto* fileRow = new QHBoxLayout;
    auto* fileCaption = new QLabel(QStringLiteral("File:"), &bikePage);
    fileCaption->setObjectName("LabelFile1");
    auto* fileName = new ElidedLabel(&bikePage);
    fileName->setObjectName("LabelFile2");
    fileRow->addWidget(fileCaption);
    fileRow->addWidget(fileName, 1);
    auto* bikeLayout = new QVBoxLayout(&bikePage);
    bikeLayout->addLayout(fileRow);
    bikeLayout->addStretch();
    StaticPageBuilder(*m_pages).build();

    m_extMonitor = m_monitorPage->findChild<QCheckBox*>("CheckBoxExtMonitor");
    m_positionAll = {m_pages->findChild<QCheckBox*>("CheckBoxAll_PolohaA"),
                     m_pages->findChild<QCheckBox*>("CheckBoxAll_PolohaB")};
    m_menu = std::make_unique<MainMenu>(*menuBar());
    m_mapPages = std::make_unique<MapPages>(
        MapPages::Parts{m_image,
                        m_tables,
                        m_allFlags,
                        m_settings.showMs,
                        m_settings.showColours,
                        m_texts,
                        *m_pages,
                        m_controls,
                        m_applier,
                        *m_menu,
                        *m_services.dialogs,
                        m_writer,
                        {[this] { fillPage(); }, [this](const std::string& text) { showStatusText(text); },
                         [this] { return filesFolder(); }, [this](int page) { viewRefreshed(page); },
                         [this] { m_views->selectionChanged(); }}});
    buildFeatureParts();
    m_language = std::make_unique<LanguageApplier>(m_applier, m_controls, *m_pages);
    m_help = std::make_unique<HelpCommand>(QCoreApplication::applicationDirPath().toStdString(), m_texts,
                                           *m_services.dialogs);
    // The hints of the controls and menu items under the pointer go to the status line.
    statusBar()->setObjectName("StatusBar1");
    m_controls.rebuild();
    m_mapPages->grid().registerItems(m_controls);
    m_mapPages->wirePositions();
    m_applier.forgetWidgets();

    auto editing = std::make_unique<EditorBinder>(
        *this, m_controls, m_applier,
        EditorWiring{m_image, m_tables, *this, *this, m_texts, m_monitor.snapshot(), m_outside, *m_mapPages, m_writer});
    m_editing = editing.get();
    m_binder = std::move(editing);
}

void TFormHlav::wire(std::string_view menuItem, const std::function<void()>& command)
{
    connect(&m_menu->action(menuItem), &QAction::triggered, this, [this, command] {
        command();
        showLink();
        showFeatureStates();
    });
}

void TFormHlav::wireButton(std::string_view button, const std::function<void()>& command)
{
    connect(&m_toolBar->button(button), &QAbstractButton::clicked, this, [this, command] {
        command();
        showLink();
        showFeatureStates();
    });
}

// The parts beyond the first window: the map views, the compare list, the datalogs.
void TFormHlav::buildFeatureParts()
{
    const auto language = [this] { return this->language(); };
    MapGrid& grid = m_mapPages->grid();
    m_views = std::make_unique<MapViewDocks>(*this, m_image, grid, language());
    m_compareDock = new CompareDock([this](int page) { return m_pages->tabText(page); }, language(), this);
    addDockWidget(Qt::BottomDockWidgetArea, m_compareDock);
    tabifyDockWidget(&m_views->curveDock(), m_compareDock);
    m_compareDock->hide();
    const auto memoText = [this](std::string_view stored) {
        return codePageToUtf8(stored, memoCodePage(static_cast<int>(this->language())));
    };
    m_compare = std::make_unique<CompareCommands>(CompareCommands::Parts{
        m_image, m_tables, m_session, m_controls, grid, *m_compareDock, *m_services.dialogs, m_texts, language,
        memoText, [this](int page) { m_pages->setCurrentIndex(page); }, [this] { return filesFolder(); }});
    m_datalog = std::make_unique<DatalogCommands>(DatalogCommands::Parts{
        *this, m_image, m_recorder, m_monitor, m_session, grid, *m_services.dialogs, language,
        [this] { return activePage(); }, [this] { return !m_session.display().noConnectionVisible; }, m_writer,
        [this](const std::string& text) { showStatusText(text); }, dataFolder() / "logs"});
}

std::filesystem::path TFormHlav::dataFolder() const
{
    return m_services.dataDirectory.empty() ? BackupStore::defaultDirectory().parent_path() : m_services.dataDirectory;
}

void TFormHlav::imageChangedWhole()
{
    m_writer.commitReplaced();
}

void TFormHlav::viewRefreshed(int page)
{
    m_views->pageFilled(page);
    m_compare->pageFilled(page);
    m_datalog->pageFilled(page);
    showMenuStates();
    showTitle();
}

// Items that would do nothing where the user is are greyed.
void TFormHlav::showMenuStates()
{
    m_menu->action("MenuEndCompare").setEnabled(m_compare->comparing());
    const bool slices = m_views->offersSlices();
    m_menu->action("MenuCurveRow").setEnabled(slices);
    m_menu->action("MenuCurveColumn").setEnabled(slices);
}

void TFormHlav::wireFeatureCommands()
{
    wire("MenuCompareFile", [this] { m_compare->compareWithFile(); });
    wire("MenuEndCompare", [this] { m_compare->endCompare(); });
    wire("MenuCompareUnit", [this] { m_compare->compareWithUnit(); });
    wire("MenuRestoreBackup", [this] { m_backups->restore(); });
    wire("MenuStartLog", [this] { m_datalog->startLog(); });
    wire("MenuStopLog", [this] { m_datalog->stopLog(); });
    wire("MenuOpenLog", [this] { m_datalog->openLog(); });
    wire("MenuCurveRow", [this] { m_views->chooseCurveOfCurrentRow(); });
    wire("MenuCurveColumn", [this] { m_views->chooseCurveOfCurrentColumn(); });
    wireButton("SpeedButtonLog", [this] {
        if (m_datalog->recording())
            m_datalog->stopLog();
        else
            m_datalog->startLog();
    });
    for (const auto& [item, button, dock] :
         {std::tuple{"MenuView3D", "ToolButtonView3D", &m_views->surfaceDock()},
          std::tuple{"MenuViewCurve", "ToolButtonViewCurve", &m_views->curveDock()}}) {
        QDockWidget* shown = dock;
        connect(&m_menu->action(item), &QAction::triggered, this, [shown](bool on) { shown->setVisible(on); });
        connect(&m_toolBar->button(button), &QAbstractButton::clicked, this,
                [shown](bool on) { shown->setVisible(on); });
    }
    auto* fastLogging = m_toolBar->findChild<QCheckBox*>("CheckBoxFastLogging");
    connect(fastLogging, &QCheckBox::clicked, this, [this](bool on) { m_datalog->setFastLogging(on); });
}

// What the menu and the tool bar show of the states the features keep.
void TFormHlav::showFeatureStates()
{
    const bool recording = m_datalog->recording();
    m_menu->action("MenuStartLog").setEnabled(!recording);
    m_menu->action("MenuStopLog").setEnabled(recording);
    m_toolBar->button("SpeedButtonLog").setChecked(recording);
    for (const auto& [item, button, dock] :
         {std::tuple{"MenuView3D", "ToolButtonView3D", &m_views->surfaceDock()},
          std::tuple{"MenuViewCurve", "ToolButtonViewCurve", &m_views->curveDock()}}) {
        const bool shown = !dock->isHidden();
        m_menu->action(item).setChecked(shown);
        m_toolBar->button(button).setChecked(shown);
    }
    showMenuStates();
}

void TFormHlav::wireCommands()
{
    const std::function<void()> newAll = [this] { m_bikeCommands.newAll(); };
    const std::function<void()> open = [this] { m_fileCommands.open(); };
    const std::function<void()> save = [this] { m_fileCommands.save(); };
    const std::function<void()> read = [this] { m_session.read(); };
    const std::function<void()> verify = [this] { m_session.verify(); };
    // Every Program keeps what the unit held first.
    const std::function<void()> program = [this] { m_backups->program(); };
    wire("MenuNew", newAll);
    wire("MenuNewActPage", [this] { m_bikeCommands.newForPage(); });
    wire("MenuOpen", open);
    wire("MenuOpenExeDir", [this] { m_fileCommands.openFromExeDir(); });
    wire("MenuOpenActPage", [this] { m_fileCommands.openForActualPage(); });
    wire("MenuSave", save);
    wire("MenuSaveExeDir", [this] { m_fileCommands.saveToExeDir(); });
    wire("MenuExit", [this] { close(); });
    wire("MenuRead", read);
    wire("MenuVerify", verify);
    wire("MenuProgram", program);
    for (const auto& [item, mode] : kJetModeItems)
        wire(item, [this, mode = mode] { m_mapPages->chooseJetMode(mode); });
    wire("MenuPrint", [this] { printWindow(); });
    wire("MenuEnglish", [this] { chooseLanguage(Language::English); });
    wire("MenuGerman", [this] { chooseLanguage(Language::German); });
    wire("MenuFrench", [this] { chooseLanguage(Language::French); });
    wire("MenuCzech", [this] { chooseLanguage(Language::Czech); });
    wire("MenuContens", [this] { m_help->openManual(); });
    wire("MenuAbout", [this] { showAbout(); });
    wire("MenuSaveAllNew", [this] { m_fileCommands.saveAllNew(); });
    wire("MenuCompareAll", [this] { m_fileCommands.compareAllNew(); });
    wire("OpenOldMaps", [this] { m_fileCommands.openOldMaps(); });
    wire("MenuServisUlozProcenta", [this] { m_fileCommands.savePercentMaps(); });
    wireFeatureCommands();
    for (int entry = 0; entry < MainMenu::kComEntries; ++entry) {
        connect(&m_menu->comEntry(entry), &QAction::triggered, this, [this, entry] {
            m_settings.virtualUnit = false;
            m_port.selectPort(entry);
            showLink();
        });
    }
    connect(&m_menu->virtualUnitEntry(), &QAction::triggered, this, [this] {
        m_settings.virtualUnit = true;
        m_port.selectDevice(std::string(sim::kVirtualUnitDevice));
        showLink();
    });
    // Adapters come and go: the entries name the devices as they are when the menu opens.
    connect(&m_menu->menu("MenuCom"), &QMenu::aboutToShow, this,
            [this] { m_menu->setComCaptions(m_port.menuCaptions()); });

    wireButton("SpeedButton6", newAll);
    wireButton("SpeedButton5", open);
    wireButton("SpeedButton7", save);
    wireButton("SpeedButtonPrint", [this] { printWindow(); });
    wireButton("ButtonRead", read);
    wireButton("ButtonVerify", verify);
    wireButton("ButtonProgram", program);

    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) { m_mapPages->pageChanged(page); });
    connect(m_extMonitor, &QCheckBox::clicked, this, [this] {
        collectPage();
        afterChange();
    });
}

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
    m_menu->setComCaptions(m_port.menuCaptions());
    m_port.openPort();
    if (m_editing != nullptr)
        m_editing->start(m_pages->activePage());
    applyLanguage();
    fillPage();
    readTestMarker();
    showLink();
    m_savedImage = m_image;
    showTitle();
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
    m_datalog->viewer().setStatisticsOptions(overlay);
    m_positionAll.at(0)->setChecked(m_settings.allPolohaA);
    m_positionAll.at(1)->setChecked(m_settings.allPolohaB);
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
    const CellStatisticsOptions overlay = m_datalog->viewer().statisticsOptions();
    m_settings.lambdaThresholdMv = overlay.lambdaThresholdMv;
    m_settings.lambdaMinimumSamples = overlay.minimumSamples;
    m_settings.allPolohaA = m_positionAll.at(0)->isChecked();
    m_settings.allPolohaB = m_positionAll.at(1)->isChecked();
    // The previous files stay whole; the user hears why the next start will not see this one.
    if (const auto error = m_store.save(m_settings, m_image, m_allFlags))
        m_services.dialogs->showMessage(formatText(*FileTexts::text("SettingsNotSaved", language()), error->c_str()));
}

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

void TFormHlav::reportFault(std::string_view what)
{
    const std::filesystem::path rescue = m_store.rescuePath();
    std::error_code ignored;
    std::filesystem::create_directories(rescue.parent_path(), ignored);
    const auto error = writeFileAtomically(rescue, writeParameterFile(m_image));
    m_services.dialogs->showMessage(faultMessage(language(), what, Rescue{rescue, error}));
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
    // The memo's code page and the captions the idle view composes follow the language.
    if (m_editing != nullptr)
        m_editing->editor().setLanguage(language);
    const CaptionContext context{!m_session.display().noConnectionVisible, m_image.chokeBike(),
                                 m_image.byte(kCylinderCountOffset), activePage()};
    m_language->apply(applyLanguageCaptions(language, context));
    showTitle();
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
