#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace quorvel {

// Turns SIGTERM and SIGINT into a call on the event loop, so that a logout or Ctrl+C in a
// terminal closes the window as Exit does; then every event loop ends, a modal dialog's too, and
// none starts again, so the program ends even while a box is open. The signal handler only
// writes one byte into a pipe; everything else runs later on the user-interface thread. One
// instance per process.
class TerminationSignals final : public QObject {
public:
    explicit TerminationSignals(std::function<void()> onTermination, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe or the handlers could not be set up; the signals then keep their
    // default action.
    [[nodiscard]] bool installed() const { return m_installed; }
    // A signal came: the program is ending.
    [[nodiscard]] bool requested() const { return m_requested; }

private:
    void drain();

    std::function<void()> m_onTermination;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_installed = false;
    bool m_requested = false;
};

} // namespace quorvel
