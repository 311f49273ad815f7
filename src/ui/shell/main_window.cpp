#include "ui/shell/main_window.h"
#include "ui/shell/window_constants.h"

#include "core/text_format.h"
#include "io/backup_store.h"
#include "io/code_page.h"
#include "sim/line_with_virtual_unit.h"
#include "texts/map_view_texts.h"
#include "ui/backups/unit_backups.h"
#include "ui/binding/editor_binder.h"
#include "ui/binding/language_applier.h"
#include "ui/compare/compare_commands.h"
#include "ui/compare/compare_dock.h"
#include "ui/log/datalog_commands.h"
#include "ui/maps/map_edit_actions.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/elided_label.h"
#include "ui/pages/live_panel.h"
#include "ui/pages/monitor_page.h"
#include "ui/pages/page_control.h"
#include "ui/pages/static_page_builder.h"
#include "ui/shell/help_command.h"
#include "ui/shell/main_menu.h"
#include "ui/shell/tool_bar.h"
#include "ui/tuning/tuning_commands.h"
#include "ui/views/map_view_docks.h"
#include "ui/views/views_module.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

constexpr std::array<std::pair<std::string_view, Jet123Mode>, 3> kJetModeItems{{
    {"Menu_Jet123Normal", Jet123Mode::Normal},
    {"Menu_Jet123Coupled", Jet123Mode::Coupled},
    {"Menu_Jet123Stejny", Jet123Mode::Same},
}};

// The product's picture at the end of the tool bar row; the print look leaves it out. It is drawn
// when first painted: its lettering needs fonts looked up, which the window need not wait for.
class Logo final : public QWidget {
public:
    explicit Logo(QWidget& parent)
        : QWidget(&parent)
    {
        constexpr int kLogoHeight = 40;
        setObjectName("ImageLogo2");
        setFixedSize(m_artwork.defaultSize().scaled(QSize(4 * kLogoHeight, kLogoHeight), Qt::KeepAspectRatio));
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        if (m_picture.isNull()) {
            m_picture = QPixmap(size());
            m_picture.fill(Qt::transparent);
            QPainter painter(&m_picture);
            m_artwork.render(&painter);
        }
        QPainter(this).drawPixmap(0, 0, m_picture);
    }

private:
    QSvgRenderer m_artwork{QStringLiteral(":/quorvel/about_artwork.svg")};
    QPixmap m_picture;
};

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
    // The static pages are made when first shown.
    m_controls.setPagesToCome(true);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    m_toolBar = new ToolBar(central);
    top->addWidget(m_toolBar, 0, Qt::AlignLeft);
    top->addStretch(1);
    top->addWidget(new Logo(*central));
    column->addLayout(top);
    auto* row = new QHBoxLayout;
    m_monitorPage = new MonitorPage;
    m_pages = new PageControl(m_monitorPage, central);
    m_livePanel = new LivePanel(central);
    row->addWidget(m_pages, 1);
    row->addWidget(m_livePanel);
    column->addLayout(row, 1);
    setCentralWidget(central);

    m_extMonitor = m_monitorPage->findChild<QCheckBox*>("CheckBoxExtMonitor");
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
    m_applier.forgetWidgets();

    auto editing = std::make_unique<EditorBinder>(
        *this, m_controls, m_applier,
        EditorWiring{m_image, m_tables, *this, *this, m_texts, m_monitor.snapshot(), m_outside, *m_mapPages, m_writer});
    m_editing = editing.get();
    m_binder = std::move(editing);
    m_pages->makeOnFirstShow(kFieldPages, [this](int page) { makePage(page); });
}

// The controls of a static page are made when the page is first shown, so that a start shows the
// window without making pages the user may never open. What the window applied to them meanwhile
// waited, and is shown now.
void TFormHlav::makePage(int page)
{
    QWidget& sheet = m_pages->page(page);
    // Made while hidden, the controls show with their page; made on a visible page, each would
    // stay hidden until shown one by one.
    sheet.hide();
    if (page == kPageBike)
        addFileRow(sheet);
    StaticPageBuilder(*m_pages).build(page);
    sheet.show();
    m_controls.rebuild();
    m_controls.setPagesToCome(!m_pages->allMade());
    if (page == kPagePoloha)
        m_mapPages->wirePositions();
    if (m_editing != nullptr)
        m_editing->wirePage(sheet);
    // The page restored at start takes its captions with the rest of the window.
    if (m_created)
        showCaptions();
    m_applier.showWaiting();
}

void TFormHlav::addFileRow(QWidget& bikePage)
{
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
    m_viewsModule = std::make_unique<ViewsModule>();
    m_views = std::make_unique<MapViewDocks>(*this, *m_viewsModule, m_image, grid, language());
    const auto memoText = [this](std::string_view stored) {
        return codePageToUtf8(stored, memoCodePage(static_cast<int>(this->language())));
    };
    m_compare = std::make_unique<CompareCommands>(CompareCommands::Parts{
        m_image, m_tables, m_session, m_controls, grid, [this]() -> CompareDock& { return makeCompareDock(); },
        *m_services.dialogs, m_texts, language, memoText, [this](int page) { m_pages->setCurrentIndex(page); },
        [this] { return filesFolder(); }});
    m_datalog = std::make_unique<DatalogCommands>(DatalogCommands::Parts{
        *this, m_image, m_recorder, m_monitor, m_session, grid, *m_services.dialogs, language,
        [this] { return activePage(); }, [this] { return !m_session.display().noConnectionVisible; }, m_writer,
        [this](const std::string& text) { showStatusText(text); }, dataFolder() / "logs", *m_viewsModule});
}

// Without the views module the items that would open its views are greyed, and say why where
// the pointer rests on them. A module that is there but does not load is found on first use: the
// status line says so then.
void TFormHlav::showViewsAvailability()
{
    const std::optional<ViewsModuleFault> fault = m_viewsModule->fault();
    if (!fault)
        return;
    const std::string detail = *fault == ViewsModuleFault::Missing ? ViewsModule::fileName().toStdString()
                                                                   : m_viewsModule->detail().toStdString();
    const std::string_view format =
        MapViewTexts::text(*fault == ViewsModuleFault::Missing ? "ViewsModuleMissing" : "ViewsModuleBroken", language())
            .value_or("%s");
    const QString reason = QString::fromStdString(formatText(format, detail.c_str()));
    for (const char* item : {"MenuView3D", "MenuViewCurve", "MenuCurveRow", "MenuCurveColumn", "MenuOpenLog"}) {
        QAction& action = m_menu->action(item);
        action.setEnabled(false);
        action.setToolTip(reason);
        action.setStatusTip(reason);
    }
    for (const char* name : {"ToolButtonView3D", "ToolButtonViewCurve"}) {
        QAbstractButton& button = m_toolBar->button(name);
        button.setEnabled(false);
        button.setToolTip(reason);
        button.setStatusTip(reason);
    }
    if (*fault == ViewsModuleFault::Broken && !m_viewsFaultTold) {
        m_viewsFaultTold = true;
        showStatusText(reason.toStdString());
    }
}

// The compare list shares the bottom with the curves, in a tab beside them when they are there.
CompareDock& TFormHlav::makeCompareDock()
{
    auto* dock = new CompareDock([this](int page) { return m_pages->tabText(page); }, language(), this);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    if (QDockWidget* curves = m_views->curveDock())
        tabifyDockWidget(curves, dock);
    dock->hide();
    return *dock;
}

TuningCommands& TFormHlav::tuning()
{
    if (!m_tuning) {
        m_tuning = std::make_unique<TuningCommands>(TuningCommands::Parts{
            *this, m_image, m_writer, m_recorder, m_session, m_mapPages->grid(), m_mapPages->editing().contextMenu(),
            [this] { return activePage(); }, [this](int page) { m_pages->setCurrentIndex(page); },
            [this](int page) { return m_pages->tabText(page); }, [this](const std::string& text) { showMessage(text); },
            [this] { return programsAfterChange(); },
            [this](bool runs) {
                const auto* fastLogging = m_toolBar->findChild<QCheckBox*>("CheckBoxFastLogging");
                m_session.setFastMonitor(runs || (fastLogging != nullptr && fastLogging->isChecked()));
            },
            [this] { m_session.verify(); }, settingsDirectory(m_services.configDirectory), language()});
    }
    return *m_tuning;
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
    showViewsAvailability();
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
    wire("MenuLiveTuning", [this] { tuning().show(); });
    wireButton("SpeedButtonLog", [this] {
        if (m_datalog->recording())
            m_datalog->stopLog();
        else
            m_datalog->startLog();
    });
    using Show = void (MapViewDocks::*)(bool);
    for (const auto& [item, button, show] :
         {std::tuple{"MenuView3D", "ToolButtonView3D", Show{&MapViewDocks::showSurface}},
          std::tuple{"MenuViewCurve", "ToolButtonViewCurve", Show{&MapViewDocks::showCurves}}}) {
        const auto toggle = [this, show = show](bool on) {
            (m_views.get()->*show)(on);
            showFeatureStates();
        };
        connect(&m_menu->action(item), &QAction::triggered, this, toggle);
        connect(&m_toolBar->button(button), &QAbstractButton::clicked, this, toggle);
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
    for (const auto& [item, button, shown] :
         {std::tuple{"MenuView3D", "ToolButtonView3D", m_views->surfaceShown()},
          std::tuple{"MenuViewCurve", "ToolButtonViewCurve", m_views->curvesShown()}}) {
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

} // namespace quorvel
