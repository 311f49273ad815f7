// Takes the screenshots of the user manuals from the program itself: the window with the
// virtual unit running, in each of the four languages, written as docs/images/<view>_<lang>.png.
#include "core/page_index.h"
#include "serial/system_port_naming.h"
#include "sim/in_process_line.h"
#include "sim/virtual_unit.h"
#include "ui/main_window.h"
#include "ui/silent_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include <array>
#include <cstdio>
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

bool save(const QPixmap& picture, const std::filesystem::path& path)
{
    const bool saved = picture.save(QString::fromStdString(path.string()));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.string().c_str());
    return saved;
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
        services.dialogs = std::make_unique<SilentDialogs>();
        services.configDirectory = config;
        services.commandLineLanguage = static_cast<Language>(language);
        TFormHlav window(std::move(services));
        window.show();
        // The engine of the virtual unit opens the throttle a few seconds into its cycle.
        runFor(9000);
        auto* pages = window.findChild<QTabWidget*>("PageControl1");
        const std::string suffix = kLanguageSuffixes[language];
        for (const View& view : kViews) {
            if (pages != nullptr)
                pages->setCurrentIndex(view.page);
            runFor(700);
            ok &= save(window.grab(), images / (std::string(view.name) + "_" + suffix + ".png"));
        }
        if (QMenu* com = window.menuBar()->findChild<QMenu*>("MenuCom")) {
            com->popup(window.mapToGlobal(QPoint(40, 20)));
            runFor(300);
            ok &= save(com->grab(), images / ("com_menu_" + suffix + ".png"));
            com->hide();
        }
        window.close();
    }
    std::filesystem::remove_all(config);
    return ok ? 0 : 1;
}
