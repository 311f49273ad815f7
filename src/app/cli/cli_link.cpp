#include "app/cli/cli_link.h"

#include "app/cli/terminal_link.h"
#include "core/link_only_monitor.h"
#include "core/monitor_display_sink.h"
#include "texts/language_table.h"

#include <nlohmann/json.hpp>

#include <limits>

namespace quorvel::cli {
namespace {

// Far beyond the longest transfer: every block of a transfer and its verify pass resent five times.
constexpr int kTransferTicks = 20 * 5 * 6 * 2 + 200;
// A unit that stays away this long after the watchdog gave it up is not coming.
constexpr int kGiveUpTicks = 100;

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
    outcome.agreed = !declined && finished && link.transferEndedOk();
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
