#pragma once

#include "core/link_host.h"
#include "core/link_session.h"
#include "core/message_queue.h"
#include "core/monitor_display_sink.h"
#include "core/param_image.h"
#include "core/sanitise.h"
#include "core/serial_port.h"
#include "io/settings_store.h"
#include "log/datalog_recorder.h"
#include "maps/editor_host.h"
#include "maps/live_marking.h"
#include "maps/tune_writer.h"
#include "model/bike_commands.h"
#include "model/injection_tables.h"
#include "texts/language_captions.h"
#include "texts/language_table.h"
#include "ui/binding/control_applier.h"
#include "ui/binding/control_registry.h"
#include "ui/binding/page_binder.h"
#include "ui/files/file_commands.h"
#include "ui/shell/port_access_hint.h"
#include "ui/shell/qt_translations.h"
#include "ui/shell/window_services.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;

namespace quorvel {

class CompareCommands;
class CompareDock;
class DatalogCommands;
class EditorBinder;
class HelpCommand;
class LanguageApplier;
class LivePanel;
class MainMenu;
class MapPages;
class MapViewDocks;
class MonitorPage;
class PageControl;
class ToolBar;
class TuningCommands;
class UnitBackups;
class ViewsModule;

// The main window. It owns the image, the link and the settings for the life of the program
// and is put together from small parts: the page control, the always-visible live panel, the
// tool bar and the main menu. What it shows is decided by the core (link display, monitor
// decoding, live marking) and applied by name through one ControlApplier; every command of a
// menu item or button goes to the core object that does the work.
class TFormHlav final : public QMainWindow,
                        private LinkHost,
                        private UserPrompts,
                        private BikeCommandHost,
                        private FileCommandHost,
                        private EditorHost,
                        private TuneHost {
public:
    static constexpr int kTickMilliseconds = 55;
    static constexpr int kDesignWidth = 1320;
    static constexpr int kDesignHeight = 700;
    static constexpr int kStartBikeCode = 11;

    // Runs the start-up in its documented order; the port is opened at its end, which may show
    // "Com opening error!".
    explicit TFormHlav(WindowServices services, QWidget* parent = nullptr);
    ~TFormHlav() override;
    TFormHlav(const TFormHlav&) = delete;
    TFormHlav& operator=(const TFormHlav&) = delete;

    // Timer1: one 55 ms tick of the link, then what it changed on screen. The messages the tick
    // raised open from the event loop after it, so the ticks go on while a box is open.
    void tick();

    // After a fault (an exception) stopped an action: the parameters on screen are saved to the
    // rescue file and the user is told what happened and where they are. The window stays.
    void reportFault(std::string_view what);

    // The page whose controls are bound now binds through `binder` from here on.
    void setPageBinder(std::unique_ptr<PageBinder> binder);

    [[nodiscard]] const ParamImage& image() const { return m_image; }
    [[nodiscard]] ParamImage& image() { return m_image; }
    [[nodiscard]] const LinkSession& link() const { return m_session; }
    [[nodiscard]] const SerialPort& port() const { return m_port; }
    [[nodiscard]] Language language() const { return m_texts.language(); }
    [[nodiscard]] bool testMode() const { return m_testMode; }
    [[nodiscard]] const FileState& files() const { return m_files; }
    [[nodiscard]] const ControlApplier& applier() const { return m_applier; }
    [[nodiscard]] const ControlRegistry& controls() const { return m_controls; }
    [[nodiscard]] MapPages& mapPages() const { return *m_mapPages; }
    [[nodiscard]] int activePage() const override;
    // The one way the tune changes.
    [[nodiscard]] TuneWriter& writer() { return m_writer; }
    // The editing of the static pages; null once another binder was set.
    [[nodiscard]] EditorBinder* editing() const { return m_editing; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // LinkHost
    void collectPage() override;
    void sanitiseImage() override;
    void refillPage() override;
    void clearFileName() override;
    void refreshMonitorPanel() override;
    // Every message of the window and its editor; one raised in the tick waits for its end.
    void showMessage(std::string_view text) override;
    // UserPrompts of the editor
    [[nodiscard]] PromptAnswer askYesNoCancel(std::string_view text) override;
    // BikeCommandHost
    [[nodiscard]] int selectedBikePosition() const override;
    void setPageOnlyLoad(bool pageOnly) override;
    void forgetTransferAndFile() override;
    void afterChange() override;
    void applyCaptions() override;
    // FileCommandHost
    void collectSanitiseRefill() override;
    void hideTransferMessage() override;
    void imageMatchesFile(const std::filesystem::path& path, bool saved) override;
    // TuneHost
    void showImage() override;
    void showRestored(int page) override;
    void historyMoved() override;
    [[nodiscard]] int pageOfChange() const override;
    [[nodiscard]] bool programsAfterChange() const override;
    void programPendingBlocks() override;

    void buildControls();
    void buildFeatureParts();
    void makePage(int page);
    void addFileRow(QWidget& bikePage);
    [[nodiscard]] CaptionContext captionContext() const;
    void showCaptions();
    // Live tuning, made on first use.
    TuningCommands& tuning();
    void wireFeatureCommands();
    void showFeatureStates();
    CompareDock& makeCompareDock();
    void showViewsAvailability();
    void showMenuStates();
    void viewRefreshed(int page);
    // The stored maps changed as a whole (a backup restored): the working tables follow them, and
    // the change is recorded.
    void imageChangedWhole();
    [[nodiscard]] std::filesystem::path dataFolder() const;
    void wireCommands();
    void wire(std::string_view menuItem, const std::function<void()>& command);
    void wireButton(std::string_view button, const std::function<void()>& command);
    void formCreate(std::optional<Language> commandLineLanguage);
    void centreOnScreen();
    void loadSettings();
    void readTestMarker();
    void formClose();
    void fillPage();
    // ApplyLanguage: the message texts, then every text of the window in the current language.
    void applyLanguage();
    void chooseLanguage(Language language);
    void printWindow();
    void showAbout();
    void showStatusText(const std::string& text);
    [[nodiscard]] std::filesystem::path filesFolder() const;
    void showLink();
    void showTitle();
    [[nodiscard]] MonitorContext monitorContext() const;

    WindowServices m_services;
    LanguageTable m_texts;
    ParamImage m_image;
    InjectionTables m_tables;
    TuneWriter m_writer{m_image, m_tables, *this};
    AllFlags m_allFlags{};
    AppSettings m_settings;
    SettingsStore m_store;
    FileState m_files;
    PortAccessHint m_portMessages;
    SerialPort m_port;
    MonitorDisplaySink m_monitor;
    DatalogRecorder m_recorder; // between the link and the monitor display: records the ride
    LinkSession m_session;
    LiveMarking m_marking;
    BikeCommands m_bikeCommands;
    FileCommands m_fileCommands;
    std::unique_ptr<PageBinder> m_binder;
    EditorBinder* m_editing = nullptr; // owned by m_binder while it binds the pages
    OutsideSettings m_outside;         // what sanitising keeps in range besides the image
    int m_pageIndex = 0;
    bool m_testMode = false;
    bool m_closed = false;
    bool m_created = false;      // FormCreate has run: from then on a page made late takes its own captions
    bool m_ticking = false;      // inside the work of tick()
    MessageQueue m_tickMessages; // raised while ticking, shown once the tick has returned
    bool m_deliveryPosted = false;

    MonitorPage* m_monitorPage = nullptr;
    PageControl* m_pages = nullptr;
    LivePanel* m_livePanel = nullptr;
    ToolBar* m_toolBar = nullptr;
    QCheckBox* m_extMonitor = nullptr;
    std::unique_ptr<MainMenu> m_menu;
    std::unique_ptr<MapPages> m_mapPages; // the shared map grid on the map pages
    std::unique_ptr<LanguageApplier> m_language;
    std::unique_ptr<HelpCommand> m_help;
    std::unique_ptr<ViewsModule> m_viewsModule;
    std::unique_ptr<MapViewDocks> m_views;
    bool m_viewsFaultTold = false;
    std::unique_ptr<CompareCommands> m_compare;
    std::unique_ptr<DatalogCommands> m_datalog;
    std::unique_ptr<UnitBackups> m_backups;
    std::unique_ptr<TuningCommands> m_tuning; // made when live tuning is first opened
    QtTranslations m_qtTexts;                 // Qt's own dialogs speak the chosen language
    ControlRegistry m_controls;               // every name the core uses, resolved to its control
    ControlApplier m_applier;
    int m_checkedComEntry = -1;
    bool m_virtualUnitChecked = false;
    ParamImage m_savedImage;        // the image as last saved or opened: what the title's mark compares with
    CaptionContext m_captionsShown; // what the captions on the window were composed for
    QTimer m_timer1;
};

} // namespace quorvel
