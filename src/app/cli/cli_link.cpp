#include "app/cli/cli_link.h"

#include "core/link_only_monitor.h"
#include "core/link_session.h"
#include "core/monitor_display_sink.h"
#include "core/sanitise.h"
#include "serial/qt_serial_line.h"
#include "serial/system_port_naming.h"
#include "texts/language_table.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <limits>
#include <thread>

namespace quorvel::cli {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kTick{55};
// Far beyond the longest transfer: every block of a transfer and its verify pass resent five times.
constexpr int kTransferTicks = 20 * 5 * 6 * 2 + 200;
// A unit that stays away this long after the watchdog gave it up is not coming.
constexpr int kGiveUpTicks = 100;

// The link's host in a terminal: no page to collect or fill; messages go to the error stream.
class TerminalHost final : public LinkHost {
public:
    TerminalHost(ParamImage& image, std::ostream& err)
        : m_image(image)
        , m_err(err)
    {
    }
    void collectPage() override {}
    void sanitiseImage() override
    {
        OutsideSettings unused;
        (void)quorvel::sanitiseImage(m_image, unused);
    }
    void refillPage() override {}
    void clearFileName() override {}
    void refreshMonitorPanel() override {}
    void showMessage(std::string_view text) override
    {
        m_err << text << '\n';
        m_messageShown = true;
    }
    [[nodiscard]] bool messageShown() const { return m_messageShown; }

private:
    ParamImage& m_image;
    std::ostream& m_err;
    bool m_messageShown = false;
};

// A serial port on one device, with the link session around it.
class Link {
public:
    Link(ParamImage& image, const std::string& device, MonitorSink& monitor, std::ostream& err)
        : m_host(image, err)
        , m_port(m_line, m_naming, m_texts, m_host)
        , m_session(image, m_port, m_host, monitor, m_texts)
    {
        m_port.setExplicitDevice(device);
        m_port.openPort();
    }

    [[nodiscard]] bool isOpen() const { return m_port.isOpen(); }
    [[nodiscard]] LinkSession& session() { return m_session; }
    [[nodiscard]] const TerminalHost& host() const { return m_host; }

    // Ticks every 55 ms until `done` says so or `maxTicks` are spent; false on the latter.
    template <typename Done> bool tickUntil(int maxTicks, Done done)
    {
        auto next = Clock::now();
        for (int tick = 0; tick < maxTicks; ++tick) {
            next += kTick;
            std::this_thread::sleep_until(next);
            m_session.tick();
            if (done())
                return true;
        }
        return false;
    }

private:
    QtSerialLine m_line;
    SystemPortNaming m_naming;
    LanguageTable m_texts;
    TerminalHost m_host;
    SerialPort m_port;
    LinkSession m_session;
};

bool endsWithOk(const std::string& text)
{
    constexpr std::string_view kOk = " OK";
    return text.size() >= kOk.size() && text.compare(text.size() - kOk.size(), kOk.size(), kOk) == 0;
}

} // namespace

TransferOutcome runTransfer(Transfer transfer, const std::string& device, ParamImage& image, std::ostream& err,
                            const TransferHooks& hooks)
{
    LinkOnlyMonitor monitor;
    Link link(image, device, monitor, err);
    if (!link.isOpen())
        return {};
    LinkSession& session = link.session();
    bool declined = false;
    switch (transfer) {
    case Transfer::Read:
        session.setReadObserver(hooks.afterRead);
        session.read();
        break;
    case Transfer::Verify:
        session.verify();
        break;
    case Transfer::Program:
        if (!hooks.backupBeforeProgram) {
            session.program();
            break;
        }
        // The read for the backup ends with "Read: OK": that is no programmed unit.
        session.programWithBackup([&](const UnitCopy& unit) {
            declined = !hooks.backupBeforeProgram(unit);
            return !declined;
        });
        break;
    }

    LinkDisplay shown;
    TransferOutcome outcome;
    const bool finished = link.tickUntil(kTransferTicks, [&] {
        const LinkDisplay& now = session.display();
        if (now.statusText != shown.statusText || now.progress != shown.progress)
            err << now.statusText << ' ' << now.progress * 5 << " %\n";
        shown = now;
        // A read goes on to its verify pass once the last block is stored.
        if (transfer == Transfer::Read && session.mode() == LinkMode::Verify)
            outcome.readWhole = true;
        return session.mode() == LinkMode::Idle;
    });
    const LinkDisplay& end = session.display();
    outcome.agreed = !declined && finished && !link.host().messageShown() && end.statusColour != ColourRole::Red &&
                     endsWithOk(end.statusText);
    return outcome;
}

bool runMonitor(const std::string& device, int frames, bool json, const ParamImage& image, std::ostream& out,
                std::ostream& err)
{
    LanguageTable texts;
    MonitorDisplaySink monitor(texts, [&image] { return MonitorContext::from(image, true, true); });
    int shown = 0;
    auto print = [&](const MonitorDisplay& display) {
        ++shown;
        if (json) {
            nlohmann::ordered_json line = nlohmann::ordered_json::object();
            for (const LabelState& label : display.labels) {
                if (label.text)
                    line[label.key.objectName()] = *label.text;
            }
            out << line.dump() << std::endl;
            return;
        }
        for (const LabelState& label : display.labels) {
            if (label.text)
                out << label.key.objectName() << ": " << *label.text << '\n';
        }
        out << std::endl;
    };
    ParamImage linkImage = image;
    Link link(linkImage, device, monitor, err);
    if (!link.isOpen())
        return false;
    int disconnectedTicks = 0;
    const int budget = frames * LinkSession::kResendInterval * 4 + kGiveUpTicks;
    const bool complete = link.tickUntil(budget, [&] {
        if (const auto display = monitor.takeDisplay())
            print(*display);
        const bool disconnected = link.session().silenceTicks() >= LinkSession::kDisconnectedSilence;
        disconnectedTicks = disconnected ? disconnectedTicks + 1 : 0;
        return shown >= frames || disconnectedTicks > kGiveUpTicks;
    });
    return complete && shown >= frames;
}

bool runMonitorLink(const std::string& device, const ParamImage& image, MonitorSink& monitor, bool fastMonitor,
                    const std::function<bool(const LinkSession&)>& done, std::ostream& err)
{
    ParamImage linkImage = image;
    Link link(linkImage, device, monitor, err);
    if (!link.isOpen())
        return false;
    link.session().setFastMonitor(fastMonitor);
    (void)link.tickUntil(std::numeric_limits<int>::max(), [&] { return done(link.session()); });
    return true;
}

} // namespace quorvel::cli
