#include "serial/qt_serial_line.h"
#include "serial/system_port_naming.h"
#include "sim/in_process_line.h"
#include "sim/virtual_unit.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"
#include "ui/start_options.h"
#include "ui/termination_signals.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace quorvel;

    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName("Quorvel");

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto options = parseStartOptions(arguments, error);
    if (!options) {
        std::cerr << "quorvel: " << error << "\n\n" << startUsage();
        return 2;
    }
    if (options->help) {
        std::cout << startUsage();
        return 0;
    }

    // The virtual unit lives as long as the window that talks to it.
    sim::VirtualUnit unit;
    WindowServices services;
    if (options->simulate) {
        services.line = std::make_unique<sim::InProcessLine>(unit);
        services.portDevice = "virtual unit";
    } else {
        services.line = std::make_unique<QtSerialLine>();
        services.portDevice = options->portDevice;
    }
    services.naming = std::make_unique<SystemPortNaming>();
    services.dialogs = std::make_unique<QtDialogs>();
    services.configDirectory = options->configDirectory;
    services.commandLineLanguage = options->language;

    TFormHlav window(std::move(services));
    const TerminationSignals termination([&window] { window.close(); });
    window.show();
    return QApplication::exec();
}
