#include "ui/shell/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace quorvel {
namespace {

std::array<int, 2> g_pipe{-1, -1};
constexpr std::array kSignals{SIGTERM, SIGINT};

extern "C" void writeWakeByte(int /*signal*/)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a pending wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

bool makePipe()
{
    if (::pipe(g_pipe.data()) != 0)
        return false;
    for (const int fd : g_pipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return true;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onTermination, QObject* parent)
    : QObject(parent)
    , m_onTermination(std::move(onTermination))
{
    if (g_pipe[0] < 0 && !makePipe())
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::drain);
    struct sigaction action {};
    action.sa_handler = writeWakeByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_installed = true;
    for (const int signal : kSignals)
        m_installed = ::sigaction(signal, &action, nullptr) == 0 && m_installed;
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
}

void TerminationSignals::drain()
{
    std::array<char, 64> bytes{};
    while (::read(g_pipe[0], bytes.data(), bytes.size()) > 0) {
    }
    m_requested = true;
    if (m_onTermination)
        m_onTermination();
    QCoreApplication::exit(0);
}

} // namespace quorvel
