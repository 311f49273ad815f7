#include "sim/pty_bridge.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace quorvel::sim {
namespace {

// Where the system puts the terminal side of a pseudo-terminal.
constexpr std::string_view kTerminalDirectory = "/dev/pts/";

std::string systemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

// A link of the user's own that names a pseudo-terminal: what this bridge leaves behind.
bool terminalLinkOfOurs(const std::filesystem::path& link)
{
    struct stat info {};
    if (::lstat(link.c_str(), &info) != 0 || !S_ISLNK(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    std::error_code ec;
    const std::string target = std::filesystem::read_symlink(link, ec).string();
    return !ec && target.starts_with(kTerminalDirectory);
}

} // namespace

PtyBridge::PtyBridge(VirtualUnit& unit, bool lineTiming)
    : m_unit(unit)
    , m_lineTiming(lineTiming)
{
}

PtyBridge::~PtyBridge()
{
    closeTerminal();
    removeLink();
}

void PtyBridge::closeTerminal()
{
    if (m_terminal >= 0)
        ::close(m_terminal);
    if (m_master >= 0)
        ::close(m_master);
    m_terminal = -1;
    m_master = -1;
}

bool PtyBridge::open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        m_error = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_error = systemError("grantpt/unlockpt");
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (name == nullptr) {
        m_error = systemError("ptsname");
        return false;
    }
    m_devicePath = name;
    m_terminal = ::open(name, O_RDWR | O_NOCTTY);
    if (m_terminal < 0) {
        m_error = systemError("open terminal side");
        return false;
    }
    // Raw bytes: no echo, no line editing, no translation of the frames' binary payload.
    termios settings{};
    ::tcgetattr(m_terminal, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(m_terminal, TCSANOW, &settings);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    return m_stableLink.empty() || placeLink();
}

bool PtyBridge::placeLink()
{
    const std::string shown = m_stableLink.string();
    if (::symlink(m_devicePath.c_str(), m_stableLink.c_str()) == 0)
        return true;
    if (errno != EEXIST) {
        m_error = systemError(("cannot link " + shown).c_str());
        return false;
    }
    if (!terminalLinkOfOurs(m_stableLink)) {
        m_error = shown + " exists and is no link this program left there; name a path where nothing is";
        return false;
    }
    // A link of an earlier run: replaced in one step by a new link made beside it.
    const std::string beside = shown + ".new-" + std::to_string(::getpid());
    ::unlink(beside.c_str());
    if (::symlink(m_devicePath.c_str(), beside.c_str()) != 0 || ::rename(beside.c_str(), shown.c_str()) != 0) {
        m_error = systemError(("cannot link " + shown).c_str());
        ::unlink(beside.c_str());
        return false;
    }
    return true;
}

void PtyBridge::removeLink() const
{
    if (m_stableLink.empty() || m_devicePath.empty())
        return;
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(m_stableLink, ec)) &&
        std::filesystem::read_symlink(m_stableLink, ec) == m_devicePath && !ec)
        ::unlink(m_stableLink.c_str());
}

void PtyBridge::unplugWhenDue(const std::atomic<bool>& stop)
{
    const FaultPlan& faults = m_unit.faults();
    if (m_unplugged || faults.unplugAfter <= 0 || m_unit.replyCount() < faults.unplugAfter)
        return;
    m_unplugged = true;
    closeTerminal();
    removeLink();
    const auto back = std::chrono::steady_clock::now() + faults.unplugFor;
    while (!stop.load() && std::chrono::steady_clock::now() < back)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // Whatever the unit had still to say went down with the old terminal.
    (void)m_unit.takeTransmitted();
    m_outgoing.clear();
    m_sendCredit = 0.0;
    if (!open())
        closeTerminal();
}

void PtyBridge::run(const std::atomic<bool>& stop)
{
    using Clock = std::chrono::steady_clock;
    auto last = Clock::now();
    while (!stop.load()) {
        unplugWhenDue(stop);
        pollfd fd{m_master, POLLIN, 0};
        ::poll(&fd, 1, 2);
        const auto now = Clock::now();
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - last);
        if (elapsed.count() > 0)
            last += elapsed;
        pump(elapsed);
    }
}

void PtyBridge::pump(std::chrono::milliseconds elapsed)
{
    std::uint8_t buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_unit.receive(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)));
    }
    m_unit.advance(elapsed);
    const auto reply = m_unit.takeTransmitted();
    m_outgoing.insert(m_outgoing.end(), reply.begin(), reply.end());
    if (m_outgoing.empty()) {
        m_sendCredit = 0.0;
        return;
    }

    // With line timing the bytes leave at the pace of the real line; otherwise all at once.
    std::size_t count = m_outgoing.size();
    if (m_lineTiming) {
        m_sendCredit += static_cast<double>(elapsed.count()) * kBytesPerMillisecond;
        count = std::min(count, static_cast<std::size_t>(m_sendCredit));
    }
    if (count == 0)
        return;
    const ssize_t written = ::write(m_master, m_outgoing.data(), count);
    if (written > 0) {
        m_outgoing.erase(m_outgoing.begin(), m_outgoing.begin() + written);
        if (m_lineTiming)
            m_sendCredit -= static_cast<double>(written);
    }
}

} // namespace quorvel::sim
