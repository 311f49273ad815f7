// Takes the screenshots of the user manuals from the program itself: the window with the
// virtual unit running, in each of the four languages, written as docs/images/<view>_<lang>.png.
#include "core/page_index.h"
#include "io/parameter_set.h"
#include "log/tuning_cells.h"
#include "serial/system_port_naming.h"
#include "sim/in_process_line.h"
#include "sim/virtual_unit.h"
#include "ui/compare/compare_dock.h"
#include "ui/maps/map_edit_actions.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/shell/main_window.h"
#include "ui/tuning/tuning_dock.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include <array>
#include <cstdio>
#include <deque>
#include <filesystem>

namespace {

using namespace quorvel;

struct View {
    const char* name;
    int page;
};

constexpr std::array kViews = {View{"main_window", kPageMonitor}, View{"bike_page", kPageBike},
                               View{"map_page", kPageInj1A}, View{"position_page", kPagePoloha},
                               View{"monitor_page", kPageMonitor}};
constexpr std::array<const char*, 4> kLanguageSuffixes = {"en", "de", "fr", "cz"};

// Runs the window's own event loop (and so its ticks) for a while.
void runFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Dialogs that answer the file questions with the files the screenshots need, and nothing else.
class ScreenshotDialogs final : public Dialogs {
public:
    void showMessage(std::string_view /*text*/) override {}
    PromptAnswer askYesNoCancel(std::string_view /*text*/) override { return PromptAnswer::Cancel; }
    std::optional<std::filesystem::path> askOpenFile(const std::filesystem::path& /*preset*/) override
    {
        return next();
    }
    std::optional<std::filesystem::path> askSaveFile(const std::filesystem::path& /*preset*/) override { return {}; }
    std::optional<std::filesystem::path> askPdfFile(const std::filesystem::path& /*preset*/) override { return {}; }
    std::optional<std::filesystem::path> askDataFile(const DataFileQuestion& /*question*/) override { return next(); }
    std::optional<double> askNumber(std::string_view /*text*/, const NumberQuestion& /*question*/) override
    {
        return {};
    }
    std::optional<std::string> askText(std::string_view /*text*/, std::string_view /*initial*/) override { return {}; }

    std::deque<std::filesystem::path> files;

private:
    std::optional<std::filesystem::path> next()
    {
        if (files.empty())
            return std::nullopt;
        std::filesystem::path file = files.front();
        files.pop_front();
        return file;
    }
};

void trigger(QWidget& window, const char* item)
{
    if (auto* action = window.findChild<QAction*>(item))
        action->trigger();
}

bool save(const QPixmap& picture, const std::filesystem::path& path)
{
    const bool saved = picture.save(QString::fromStdString(path.string()));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.string().c_str());
    return saved;
}

// The map editing, the compare list, the curve view and the log viewer.
bool shootFeatures(TFormHlav& window, ScreenshotDialogs& answers, const std::filesystem::path& config,
                   const std::filesystem::path& images, const std::string& suffix)
{
    bool ok = true;
    constexpr int kWithDockHeight = 960; // room for a dock under the pages
    window.resize(TFormHlav::kDesignWidth, kWithDockHeight);
    auto* pages = window.findChild<QTabWidget*>("PageControl1");
    pages->setCurrentIndex(kPageAdvance);
    MapGrid& grid = window.mapPages().grid();
    if (auto* colours = window.findChild<QCheckBox*>("CheckBoxColours_Uni");
        colours != nullptr && !colours->isChecked())
        colours->click();
    grid.selection().press({3, 4});
    grid.selection().extendTo({6, 9});
    grid.showSelection();
    runFor(500);
    ok &= save(window.grab(), images / ("map_editing_" + suffix + ".png"));
    QMenu& context = window.mapPages().editing().contextMenu();
    context.popup(window.mapToGlobal(QPoint(300, 300)));
    runFor(300);
    ok &= save(context.grab(), images / ("map_context_menu_" + suffix + ".png"));
    context.hide();

    // A file that differs in a few values, compared with the image.
    ParamImage reference = window.image();
    reference.setByte(185, static_cast<std::uint8_t>(reference.byte(185) + 5));
    reference.setByte(650 + 5 * 15 + 6, static_cast<std::uint8_t>(reference.byte(650 + 5 * 15 + 6) + 4));
    const std::filesystem::path file = config / "reference.ign";
    if (!saveParameterFile(file, reference)) {
        answers.files.push_back(file);
        trigger(window, "MenuCompareFile");
        runFor(500);
        ok &= save(window.grab(), images / ("compare_" + suffix + ".png"));
        trigger(window, "MenuEndCompare");
    }

    pages->setCurrentIndex(kPageKorekce);
    trigger(window, "MenuViewCurve");
    runFor(500);
    ok &= save(window.grab(), images / ("curve_view_" + suffix + ".png"));
    trigger(window, "MenuViewCurve");

    // Without a recorded ride (the recording could not start) the viewer's picture is missing,
    // and the run says so instead of ending on an exception.
    std::error_code noLogs;
    for (const auto& entry : std::filesystem::directory_iterator(config / "data" / "logs", noLogs))
        answers.files.push_back(entry.path());
    if (answers.files.empty()) {
        std::printf("no recorded ride for the log viewer\n");
        ok = false;
    }
    trigger(window, "MenuOpenLog");
    if (auto* viewer = window.findChild<QWidget*>("FormLogViewer")) {
        viewer->resize(1100, 650);
        runFor(700);
        ok &= save(viewer->grab(), images / ("log_viewer_" + suffix + ".png"));
        viewer->close();
    }
    window.resize(TFormHlav::kDesignWidth, TFormHlav::kDesignHeight);
    return ok;
}

// Live tuning: the dock beside the Inj. 1A page while a session runs on a dyno sweep of four cells
// whose engine needs 6 % more fuel than the map gives, after the first check's fix (the bike's own
// target lies beyond the sensor's switching range).
bool shootTuning(TFormHlav& window, sim::VirtualUnit& unit, const std::filesystem::path& images,
                 const std::string& suffix)
{
    constexpr int kWithDockWidth = 1700;
    sim::FuelDemand demand;
    const CellValues percent = tuningMapCells(unit.memory(), MapId::Jet1A).percent;
    for (int c = 0; c < kMapColumns; ++c)
        demand.axis[static_cast<std::size_t>(c)] = axisPoint(unit.memory(), MapId::Jet1A, c);
    for (std::size_t e = 0; e < kMapCells; ++e)
        demand.percent[e] = static_cast<std::uint16_t>(percent[e] * 106 / 100);
    unit.setFuelDemand(demand);
    std::string error;
    unit.setRide(*sim::parseRidePlan("sweep:3000-4000,20-30", error));
    window.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(kPageInj1A);
    window.resize(kWithDockWidth, TFormHlav::kDesignHeight);
    trigger(window, "MenuLiveTuning");
    runFor(1500);
    auto* dock = window.findChild<TuningDock*>("DockWidgetTuning");
    if (dock == nullptr)
        return false;
    dock->findings().setCurrentRow(0);
    if (auto* fix = dock->findChild<QPushButton*>("ButtonTuningFix"))
        fix->click();
    runFor(500);
    dock->startButton().click();
    runFor(8000);
    const bool ok = save(window.grab(), images / ("tuning_" + suffix + ".png"));
    dock->startButton().click();
    dock->hide();
    window.resize(TFormHlav::kDesignWidth, TFormHlav::kDesignHeight);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel-manual-screenshots IMAGE_DIRECTORY\n");
        return 2;
    }
    const std::filesystem::path images = argv[1];
    std::filesystem::create_directories(images);
    const auto config = std::filesystem::temp_directory_path() / "quorvel-manual-screenshots";
    bool ok = true;
    for (std::size_t language = 0; language < kLanguageSuffixes.size(); ++language) {
        std::filesystem::remove_all(config);
        sim::VirtualUnit unit;
        WindowServices services;
        services.line = std::make_unique<sim::InProcessLine>(unit);
        services.portDevice = "virtual unit";
        services.naming = std::make_unique<SystemPortNaming>();
        auto dialogs = std::make_unique<ScreenshotDialogs>();
        ScreenshotDialogs& answers = *dialogs;
        services.dialogs = std::move(dialogs);
        services.configDirectory = config;
        services.dataDirectory = config / "data";
        services.commandLineLanguage = static_cast<Language>(language);
        TFormHlav window(std::move(services));
        // The pictures show the window at its designed size, whatever the offscreen screen is.
        window.resize(TFormHlav::kDesignWidth, TFormHlav::kDesignHeight);
        window.show();
        // The engine of the virtual unit opens the throttle a few seconds into its cycle; the
        // ride is recorded for the log viewer's picture.
        trigger(window, "MenuStartLog");
        runFor(9000);
        trigger(window, "MenuStopLog");
        auto* pages = window.findChild<QTabWidget*>("PageControl1");
        const std::string suffix = kLanguageSuffixes[language];
        for (const View& view : kViews) {
            if (pages != nullptr)
                pages->setCurrentIndex(view.page);
            runFor(700);
            ok &= save(window.grab(), images / (std::string(view.name) + "_" + suffix + ".png"));
        }
        ok &= shootFeatures(window, answers, config, images, suffix);
        if (QMenu* com = window.menuBar()->findChild<QMenu*>("MenuCom")) {
            com->popup(window.mapToGlobal(QPoint(40, 20)));
            runFor(300);
            ok &= save(com->grab(), images / ("com_menu_" + suffix + ".png"));
            com->hide();
        }
        ok &= shootTuning(window, unit, images, suffix);
        window.close();
    }
    std::filesystem::remove_all(config);
    return ok ? 0 : 1;
}
