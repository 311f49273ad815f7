#pragma once

#include "core/page_index.h"
#include "serial/fake_serial_line.h"
#include "ui/binding/control_registry.h"
#include "ui/pages/page_control.h"
#include "ui/shell/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorvel::test {

inline void failOnMissingControl(const QString& name, int carriers)
{
    ADD_FAILURE() << "control " << name.toStdString() << " is carried by " << carriers << " objects";
}

// A test that needs an application of its own makes it before the first window.
inline void ensureApplication()
{
    // A name the core hands the window and no control carries is a defect, never a skip.
    ControlRegistry::setMissHandler(failOnMissingControl);
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "quorvel-gui-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's print and image plugins are unloaded before a static application
    // would be, and its exit routines would then call into them.
    static const QApplication* application = new QApplication(argc, argv);
    (void)application;
}

// Records the names no control carries instead of failing, while it lives.
struct MissingControls {
    MissingControls()
    {
        ControlRegistry::setMissHandler([this](const QString& name, int) { names.push_back(name.toStdString()); });
    }
    ~MissingControls() { ControlRegistry::setMissHandler(failOnMissingControl); }
    MissingControls(const MissingControls&) = delete;
    MissingControls& operator=(const MissingControls&) = delete;

    std::vector<std::string> names;
};

// Dialogs that answer from a script and remember every message.
class ScriptedDialogs final : public Dialogs {
public:
    void showMessage(std::string_view text) override
    {
        messages.emplace_back(text);
        if (whileShown)
            whileShown();
    }
    PromptAnswer askYesNoCancel(std::string_view text) override
    {
        questions.emplace_back(text);
        return answer;
    }
    std::optional<std::filesystem::path> askOpenFile(const std::filesystem::path& preset) override
    {
        presets.push_back(preset);
        return takePath();
    }
    std::optional<std::filesystem::path> askSaveFile(const std::filesystem::path& preset) override
    {
        presets.push_back(preset);
        return takePath();
    }
    std::optional<std::filesystem::path> askPdfFile(const std::filesystem::path& preset) override
    {
        presets.push_back(preset);
        return takePath();
    }

    std::optional<std::filesystem::path> askDataFile(const DataFileQuestion& question) override
    {
        presets.push_back(question.preset);
        return takePath();
    }
    std::optional<double> askNumber(std::string_view text, const NumberQuestion& /*question*/) override
    {
        questions.emplace_back(text);
        if (numbers.empty())
            return std::nullopt;
        const double number = numbers.front();
        numbers.pop_front();
        return number;
    }
    std::optional<std::string> askText(std::string_view text, std::string_view /*initial*/) override
    {
        questions.emplace_back(text);
        if (lines.empty())
            return std::nullopt;
        std::string line = lines.front();
        lines.pop_front();
        return line;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<double> numbers;    // the numbers the user types, in order
    std::deque<std::string> lines; // the lines of text the user types, in order
    std::vector<std::filesystem::path> presets;
    std::deque<std::optional<std::filesystem::path>> paths; // the files the user picks, in order
    PromptAnswer answer = PromptAnswer::Yes;
    std::function<void()> whileShown; // what happens while a message box is open

private:
    std::optional<std::filesystem::path> takePath()
    {
        if (paths.empty())
            return std::nullopt;
        auto path = paths.front();
        paths.pop_front();
        return path;
    }
};

// A main window on a fake line, with its settings in a fresh directory; ticks only when told.
struct WindowRig {
    WindowRig()
    {
        ensureApplication();
        static int count = 0;
        configDirectory = std::filesystem::temp_directory_path() /
                          ("quorvel-gui-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        std::filesystem::remove_all(configDirectory);
        std::filesystem::create_directories(configDirectory);
    }
    ~WindowRig()
    {
        window.reset();
        std::filesystem::remove_all(configDirectory);
    }
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    // Builds the window; `prepare` can set up the line before the start-up opens it.
    TFormHlav& start(std::optional<Language> language = std::nullopt, bool withUnit = true)
    {
        auto fakeLine = std::make_unique<FakeSerialLine>();
        line = fakeLine.get();
        if (withUnit)
            line->attachUnit(unit);
        if (!devices.empty())
            line->setDevices(devices);
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        WindowServices services;
        services.line = std::move(fakeLine);
        services.naming = std::make_unique<FakePortNaming>(portPaths);
        services.dialogs = std::move(scripted);
        services.configDirectory = configDirectory;
        services.dataDirectory = configDirectory / "data"; // backups and logs of the test alone
        services.commandLineLanguage = language;
        services.runTimer = runTimer;
        services.portDevice = portDevice;
        services.parameterFile = parameterFile;
        window = std::make_unique<TFormHlav>(std::move(services));
        return *window;
    }

    // One tick, then what the event loop does after it (the messages the tick raised).
    void step()
    {
        line->advanceUnit(std::chrono::milliseconds(TFormHlav::kTickMilliseconds));
        window->tick();
        QCoreApplication::sendPostedEvents(window.get(), QEvent::MetaCall);
    }
    void steps(int count)
    {
        for (int i = 0; i < count; ++i)
            step();
    }

    void writeConfig(const std::string& name, const std::string& content) const
    {
        std::FILE* file = std::fopen((configDirectory / name).c_str(), "wb");
        std::fputs(content.c_str(), file);
        std::fclose(file);
    }

    template <typename W = QWidget> W& control(const char* name) const
    {
        auto* found = window->findChild<W*>(name);
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }
    // As the user opens a page: its controls are made then, if they were not yet.
    void showPage(int page) const { control<PageControl>("PageControl1").setCurrentIndex(page); }
    // Every static page made, the one whose tab is hidden too.
    void makeEveryPage() const
    {
        for (int page : kFieldPages)
            control<PageControl>("PageControl1").makePage(page);
    }
    [[nodiscard]] std::string text(const char* label) const { return control<QLabel>(label).text().toStdString(); }
    // Shown on screen once the window is: not hidden by the program.
    [[nodiscard]] bool shown(const char* name) const { return !control(name).isHidden(); }

    std::filesystem::path configDirectory;
    std::set<std::string> devices;
    bool runTimer = false;               // Timer1 drives the ticks instead of step()
    std::string portDevice;              // as --port gives it
    std::vector<std::string> portPaths;  // the serial devices the system has, COM 1 first; none: "COMn"
    std::filesystem::path parameterFile; // named on the command line
    sim::VirtualUnit unit;
    FakeSerialLine* line = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<TFormHlav> window;
};

} // namespace quorvel::test
