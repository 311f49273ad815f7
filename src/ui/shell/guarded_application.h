#pragma once

#include <QApplication>

#include <functional>
#include <string_view>

namespace quorvel {

// The application of the desktop program. An exception that leaves an event handler or a slot
// ends at the event loop, where it is handed to the fault handler (the window shows it and saves
// the parameters); the program runs on. Without a handler, or when the handler fails itself, the
// description goes to the error stream.
class GuardedApplication final : public QApplication {
public:
    using FaultHandler = std::function<void(std::string_view what)>;

    GuardedApplication(int& argc, char** argv);

    void setFaultHandler(FaultHandler handler) { m_handler = std::move(handler); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void reportFault(std::string_view what) const;

    FaultHandler m_handler;
};

} // namespace quorvel
