#include "app/sim_demand.h"
#include "serial/qt_serial_line.h"
#include "serial/system_port_naming.h"
#include "sim/line_with_virtual_unit.h"
#include "sim/virtual_unit.h"
#include "texts/fault_message.h"
#include "ui/files/qt_dialogs.h"
#include "ui/shell/guarded_application.h"
#include "ui/shell/main_window.h"
#include "ui/shell/start_options.h"
#include "ui/shell/termination_signals.h"
#include "ui/views/views_module.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// A fault outside the event loop (while the window is built or taken down): told, the
// parameters saved where there is a window, and the program ends.
int endAfterFault(quorvel::TFormHlav* window, quorvel::Language language, std::string_view what)
{
    std::cerr << "quorvel: " << what << '\n';
    try {
        if (window != nullptr) {
            window->reportFault(what);
            window->close();
        } else {
            quorvel::QtDialogs().showMessage(quorvel::faultMessage(language, what, std::nullopt));
        }
    } catch (...) {
        std::cerr << "quorvel: the fault could not be reported on screen\n";
    }
    return 1;
}

// --check-views: whether this installation's program finds and loads its views module.
int checkViews()
{
    quorvel::ViewsModule module;
    if (!module.found()) {
        std::cerr << "quorvel: no " << quorvel::ViewsModule::fileName().toStdString() << " in";
        for (const std::filesystem::path& place : quorvel::ViewsModule::usualPlaces())
            std::cerr << ' ' << place.string();
        std::cerr << '\n';
        return 1;
    }
    if (module.factory() == nullptr) {
        std::cerr << "quorvel: " << module.file().string() << " does not load: " << module.detail().toStdString()
                  << '\n';
        return 1;
    }
    std::cout << "views module: " << module.file().string() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace quorvel;

    // --help, --version and a bad command line are answered before any window exists, so they
    // need no display.
    std::string error;
    {
        const std::vector<std::string> raw(argv + 1, argv + argc);
        const auto early = parseStartOptions(raw, error);
        if (!early) {
            std::cerr << "quorvel: " << error << "\n\n" << startUsage();
            return 2;
        }
        if (onlyPrints(*early)) {
            std::cout << (early->help ? startUsage() : versionText() + "\n");
            return 0;
        }
    }

    GuardedApplication application(argc, argv);
    QApplication::setApplicationDisplayName("Quorvel");
    // The application took its own options (-platform, -style ...) out of the arguments.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto options = parseStartOptions(arguments, error);
    if (!options) {
        std::cerr << "quorvel: " << error << "\n\n" << startUsage();
        return 2;
    }
    for (const std::string& warning : options->warnings)
        std::cerr << "quorvel: " << warning << '\n';
    if (options->checkViews)
        return checkViews();

    // The virtual unit lives as long as the window that talks to it; the Com menu reaches it
    // under its own device name, --simulate opens it at once.
    sim::VirtualUnit unit;
    WindowServices services;
    if (options->simulate && !sim::configureEngine(unit, options->engine, error)) {
        std::cerr << "quorvel: " << error << '\n';
        return 2;
    }
    services.line = std::make_unique<sim::LineWithVirtualUnit>(std::make_unique<QtSerialLine>(), unit);
    services.portDevice = options->simulate ? std::string(sim::kVirtualUnitDevice) : options->portDevice;
    services.naming = std::make_unique<SystemPortNaming>();
    services.dialogs = std::make_unique<QtDialogs>();
    services.configDirectory = options->configDirectory;
    services.commandLineLanguage = options->language;
    if (!options->parameterFile.empty()) {
        std::error_code ignored;
        services.parameterFile = std::filesystem::absolute(options->parameterFile, ignored);
    }

    const Language language = options->language.value_or(Language::English);
    std::unique_ptr<TFormHlav> window;
    try {
        // Set up before the window, whose start-up may already show a box. A signal closes the
        // window as Exit does and then ends every event loop, a dialog's included.
        const TerminationSignals termination([&window] {
            if (window)
                window->close();
        });
        window = std::make_unique<TFormHlav>(std::move(services));
        application.setFaultHandler([&window](std::string_view what) {
            if (window)
                window->reportFault(what);
        });
        if (termination.requested()) {
            window->close();
            return 0;
        }
        window->show();
        const int code = QApplication::exec();
        window.reset();
        return code;
    } catch (const std::bad_alloc&) {
        return endAfterFault(window.get(), language, kOutOfMemory);
    } catch (const std::exception& fault) {
        return endAfterFault(window.get(), language, fault.what());
    } catch (...) {
        return endAfterFault(window.get(), language, "unknown exception");
    }
}
