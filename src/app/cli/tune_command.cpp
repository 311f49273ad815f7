#include "app/cli/tune_command.h"

#include "app/cli/cli.h"
#include "app/cli/cli_backup.h"
#include "app/cli/command_support.h"
#include "app/cli/terminal_link.h"
#include "app/cli/tune_report.h"
#include "core/link_only_monitor.h"
#include "core/text_format.h"
#include "io/parameter_set.h"
#include "io/settings_store.h"
#include "log/tuning_apply.h"
#include "log/tuning_cells.h"
#include "log/tuning_keys.h"
#include "log/tuning_locks.h"
#include "log/tuning_preflight.h"
#include "log/tuning_session.h"
#include "texts/map_edit_texts.h"
#include "texts/tuning_texts.h"

#include <chrono>
#include <limits>
#include <memory>

namespace quorvel::cli {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultSeconds = 30;
// Far beyond the longest transfer: every block of a transfer and its verify pass resent five times.
constexpr int kTransferTicks = 20 * 5 * 6 * 2 + 200;
// How long the first monitor frame may take after the read before the unit counts as silent.
constexpr int kFirstFrameTicks = 60;

// Every accepted monitor frame goes to the session while one runs; the last is kept for the
// checks before it starts.
class TuningMonitor final : public MonitorSink {
public:
    explicit TuningMonitor(const ParamImage& image)
        : m_image(image)
    {
    }

    std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) override
    {
        const auto countdown = m_accept.decodeMonitorFrame(frame);
        if (!countdown)
            return countdown;
        std::ranges::copy(frame, m_last.emplace().begin());
        if (m_session != nullptr) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start).count();
            m_session->feed(static_cast<std::uint32_t>(ms), frame, m_image);
        }
        return countdown;
    }

    void feed(TuningSession* session) { m_session = session; }
    [[nodiscard]] const std::optional<LinkFrame>& lastFrame() const { return m_last; }

private:
    const ParamImage& m_image;
    LinkOnlyMonitor m_accept;
    std::optional<LinkFrame> m_last;
    TuningSession* m_session = nullptr;
    Clock::time_point m_start = Clock::now();
};

// The writer's host on the command line: nothing is shown; with --apply each change goes to the
// unit as its pending blocks, the unit's tune kept as a backup before the first write.
class UnitWritingHost final : public TuneHost {
public:
    UnitWritingHost(ParamImage& image, LinkSession& link, LinkSession::UnitBackup backup, bool programs)
        : m_image(image)
        , m_link(link)
        , m_backup(std::move(backup))
        , m_programs(programs)
    {
    }

    void collectPage() override {}
    void showImage() override { (void)sanitiseImage(m_image, m_outside); }
    void showRestored(int /*page*/) override { showImage(); }
    void historyMoved() override {}
    [[nodiscard]] int pageOfChange() const override { return 0; }
    [[nodiscard]] bool programsAfterChange() const override { return m_programs; }
    void programPendingBlocks() override
    {
        m_link.programWithBackup(
            [this](const UnitCopy& unit) {
                m_declined = m_backup && !m_backup(unit);
                // One backup per run: what the unit held before this run first wrote to it.
                m_backup = nullptr;
                return !m_declined;
            },
            LinkSession::ProgramScope::PendingBlocks);
    }
    [[nodiscard]] bool declined() const { return m_declined; }

private:
    ParamImage& m_image;
    LinkSession& m_link;
    LinkSession::UnitBackup m_backup;
    bool m_programs;
    bool m_declined = false;
    OutsideSettings m_outside;
};

struct TuneOptions {
    std::string device;
    MapId map = MapId::Jet1A;
    int seconds = kDefaultSeconds;
    int passes = 1;
    bool apply = false;
    bool json = false;
    std::optional<std::string> output;
};

std::string english(std::string_view key)
{
    return std::string(TuningTexts::text(key, Language::English).value_or(key));
}

// Ticks until the transfer under way is over, with its status lines on `err`; false when it
// did not end, ended in its error or raised a message.
bool finishTransfer(Link& link, std::ostream& err)
{
    std::string shown;
    const bool finished = link.tickUntil(kTransferTicks, [&] {
        const LinkDisplay& now = link.session().display();
        if (now.statusText != shown)
            err << now.statusText << '\n';
        shown = now.statusText;
        return link.session().mode() == LinkMode::Idle;
    });
    return finished && !link.session().lastTransferFailed() && !link.host().messageShown();
}

// Ticks for `seconds`; false when the unit fell silent meanwhile.
bool listen(Link& link, int seconds)
{
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    bool silent = false;
    (void)link.tickUntil(std::numeric_limits<int>::max(), [&] {
        silent = link.session().silenceTicks() >= LinkSession::kDisconnectedSilence;
        return silent || Clock::now() >= end;
    });
    return !silent;
}

class TuneRun {
public:
    TuneRun(const TuneOptions& options, const CellLocks& locks, LinkSession::UnitBackup backup, std::ostream& out,
            std::ostream& err)
        : m_options(options)
        , m_locks(locks)
        , m_out(out)
        , m_err(err)
        , m_monitor(m_image)
        , m_link(m_image, options.device, m_monitor, err)
        , m_host(m_image, m_link.session(), std::move(backup), options.apply)
        , m_writer(m_image, m_tables, m_host)
    {
    }

    int run()
    {
        if (!m_link.isOpen())
            return kExitFailed;
        m_link.session().read();
        if (!finishTransfer(m_link, m_err))
            return kExitFailed;
        m_tables.refreshFromImage(m_image);
        m_writer.start(MapTable::of(m_options.map).page);
        m_link.session().setFastMonitor(true);
        (void)m_link.tickUntil(kFirstFrameTicks, [&] { return m_monitor.lastFrame().has_value(); });

        const TuningSettings settings = tuningSettingsFromImage(m_image, m_options.map);
        const std::vector<PreflightFinding> findings =
            preflightTuning({m_image, settings, m_monitor.lastFrame(), MapTable::of(m_options.map).page});
        printPreflight(m_err, findings);
        if (!mayStart(findings))
            return kExitFailed;

        TuningSession session(settings, tuningMapCells(m_image, m_options.map), m_locks);
        session.setApplyAfterEveryPass(m_options.apply);
        m_monitor.feed(&session);
        const int exit = runPasses(session);
        m_monitor.feed(nullptr);
        if (m_options.json)
            m_out << m_report.dump(2) << '\n';
        if (m_options.output) {
            if (const auto error = saveParameterFile(*m_options.output, m_image)) {
                m_err << "quorvel-cli: " << *error << '\n';
                return kExitBadInput;
            }
        }
        return exit;
    }

private:
    int runPasses(TuningSession& session)
    {
        m_report = {{"map", MapTable::of(m_options.map).name}, {"passes", nlohmann::ordered_json::array()}};
        for (int pass = 1; pass <= m_options.passes; ++pass) {
            if (!listen(m_link, m_options.seconds)) {
                m_err << english("PreflightNoUnit") << '\n';
                return kExitFailed;
            }
            const std::vector<TuningProposal> due =
                m_options.apply ? session.takeUnattendedApply() : session.proposals();
            PassReport report{pass, m_options.passes, due};
            if (m_options.apply && !due.empty()) {
                const TuningApply applied = applyTuningProposals(m_writer, m_options.map, due);
                report.applied = applied.write.changed;
                report.overtaken = applied.overtaken;
                if (applied.write.refusal) {
                    tell(session, report);
                    m_err << "quorvel-cli: " << mapEditText(*applied.write.refusal, Language::English) << '\n';
                    return kExitFailed;
                }
                if (applied.write.imageChanged)
                    confirmOnUnit(session);
            }
            tell(session, report);
            if (session.unattendedStop() != UnattendedStop::None) {
                tellStop(session);
                return kExitFailed;
            }
            session.mapChanged(tuningMapCells(m_image, m_options.map).percent);
        }
        return kExitOk;
    }

    // Waits for the programming the writer started, then verifies the unit against the image.
    void confirmOnUnit(TuningSession& session)
    {
        if (!finishTransfer(m_link, m_err) || m_host.declined() || m_image.pendingBlocks().any()) {
            session.applyFailed(ApplyFault::LinkFault);
            return;
        }
        m_link.session().verify();
        if (!finishTransfer(m_link, m_err))
            session.applyFailed(ApplyFault::VerifyRefused);
    }

    void tell(const TuningSession& session, const PassReport& report)
    {
        if (m_options.json)
            m_report["passes"].push_back(passAsJson(session, m_image, report));
        else
            printPass(m_out, session, m_image, report);
    }

    void tellStop(const TuningSession& session)
    {
        std::string text = english(textKey(session.unattendedStop()));
        if (const auto cell = session.stoppedAtCell())
            text = formatText(text, cellName(m_image, m_options.map, *cell).c_str());
        m_err << text << '\n';
        m_report["stopped"] = text;
    }

    const TuneOptions& m_options;
    CellLocks m_locks;
    std::ostream& m_out;
    std::ostream& m_err;
    ParamImage m_image;
    InjectionTables m_tables;
    TuningMonitor m_monitor;
    Link m_link;
    UnitWritingHost m_host;
    TuneWriter m_writer;
    nlohmann::ordered_json m_report;
};

bool isInjectionMap(MapId map)
{
    return map == MapId::Jet1A || map == MapId::Jet2A || map == MapId::Jet3A || map == MapId::Jet4A ||
           map == MapId::Iap;
}

} // namespace

int tuneCommand(const Arguments& args, std::ostream& out, std::ostream& err)
{
    constexpr std::string_view kUsage =
        "tune needs --port DEV --map NAME [--seconds N] [--passes K] [--apply] [--json] [-o OUT.ign]";
    const auto device = args.option("--port");
    const auto mapName = args.option("--map");
    bool bad = false;
    TuneOptions options;
    options.seconds = numberOption(args.option("--seconds"), 1, bad).value_or(kDefaultSeconds);
    options.passes = numberOption(args.option("--passes"), 1, bad).value_or(1);
    if (!device || !mapName || bad || args.positional().size() != 1)
        return usageError(err, std::string(kUsage));
    const MapLayout* map = MapTable::byName(*mapName);
    if (map == nullptr || !isInjectionMap(map->id))
        return usageError(err, "tune works on JET_1A..JET_4A or IAP, not " + *mapName);
    options.device = *device;
    options.map = map->id;
    options.apply = args.flag("--apply");
    options.json = args.flag("--json");
    options.output = args.option("-o");
    if (!options.output)
        options.output = args.option("--output");

    const auto configDir = args.option("--config-dir");
    const auto locksPath =
        tuningLocksPath(configDir ? std::filesystem::path(*configDir) : SettingsStore::defaultDirectory());
    std::string error;
    const auto locks = loadTuningLocks(locksPath, error);
    if (!locks) {
        err << "quorvel-cli: " << locksPath.string() << ": " << error << '\n';
        return kExitBadInput;
    }
    LinkSession::UnitBackup backup;
    if (options.apply && !args.flag("--no-backup"))
        backup = backupBeforeProgram(backupStoreFor(args), err);
    return TuneRun(options, locks->of(options.map), std::move(backup), out, err).run();
}

} // namespace quorvel::cli
