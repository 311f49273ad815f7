// Read, Verify and Program over QSerialPort against the virtual unit on a pseudo-terminal, for
// every fault a workshop line shows: the transfer must end verified or with the error text (or
// the version message), never with "OK" while unit and image differ, and afterwards the same
// session must find the healthy unit again and take its monitor frames.
//
// The ticks run at the window's real 55 ms pace. QUORVEL_FAULT_MATRIX=full runs every transfer of
// the slow late-reply faults too; by default they run Verify only, to keep the suite short.

#include "reliability/served_unit.h"
#include "serial/core_application.h"
#include "serial/fake_serial_line.h"
#include "serial/link_rig.h"
#include "serial/qt_serial_line.h"
#include "sim/factory_memory.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kTickInterval = 55ms;
constexpr int kTransferTickLimit = 1200;
constexpr int kReconnectTickLimit = 200;
constexpr int kMonitorFramesToReconnect = 2;

enum class Operation { Read, Verify, Program };
enum class Outcome : unsigned { Verified = 1, ErrorText = 2, VersionMessage = 4, Unfinished = 8 };

constexpr unsigned kVerified = static_cast<unsigned>(Outcome::Verified);
constexpr unsigned kError = static_cast<unsigned>(Outcome::ErrorText);
constexpr unsigned kVersion = static_cast<unsigned>(Outcome::VersionMessage);

const char* operationName(Operation operation)
{
    switch (operation) {
    case Operation::Read:
        return "Read";
    case Operation::Verify:
        return "Verify";
    case Operation::Program:
        return "Program";
    }
    return "?";
}

const char* outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Verified:
        return "verified";
    case Outcome::ErrorText:
        return "error text";
    case Outcome::VersionMessage:
        return "version message";
    case Outcome::Unfinished:
        return "UNFINISHED";
    }
    return "?";
}

struct FaultRow {
    const char* name;
    sim::FaultPlan faults;
    unsigned allowed[3]; // outcomes allowed for Read, Verify, Program
    bool slow = false;   // only Verify unless the full matrix is asked for
};

sim::FaultPlan plan(void (*change)(sim::FaultPlan&))
{
    sim::FaultPlan faults;
    change(faults);
    return faults;
}

const std::vector<FaultRow>& faultRows()
{
    static const std::vector<FaultRow> rows = {
        {"none", {}, {kVerified, kVerified, kVerified}},
        {"silence", plan([](auto& f) { f.silent = true; }), {kError, kError, kError}},
        {"bad checksum every 3rd reply",
         plan([](auto& f) { f.corruptEveryNth = 3; }),
         {kVerified, kVerified, kVerified}},
        {"replies 300 ms late", plan([](auto& f) { f.replyDelay = 300ms; }), {kVerified, kVerified, kVerified}, true},
        {"replies 360 ms late",
         plan([](auto& f) { f.replyDelay = 360ms; }),
         {kVerified | kError, kVerified | kError, kVerified | kError},
         true},
        {"unit program version 70", plan([](auto& f) { f.version = 70; }), {kVersion, kVerified, kVersion}},
        // A unit that reports block 7 other than it stores it: a read takes what it reports.
        {"block 7 differs", plan([](auto& f) { f.differingBlock = 7; }), {kVerified, kError, kError}},
        {"5 noise bytes before every 4th reply",
         plan([](auto& f) { f.noiseEveryNth = 4; }),
         {kVerified, kVerified, kVerified}},
        {"5 noise bytes before every reply", plan([](auto& f) { f.noiseEveryNth = 1; }), {kError, kError, kError}},
        {"brown-out 1 s after 8 replies",
         plan([](auto& f) {
             f.dropoutAfter = 8;
             f.dropoutFor = 1000ms;
         }),
         {kVerified | kError, kVerified | kError, kVerified | kError}},
        {"unplugged 1.5 s after 8 replies",
         plan([](auto& f) {
             f.unplugAfter = 8;
             f.unplugFor = 1500ms;
         }),
         {kVerified | kError, kVerified | kError, kVerified | kError}},
    };
    return rows;
}

struct MatrixResult {
    std::string fault;
    Operation operation;
    Outcome outcome;
    double transferSeconds;
    double reconnectSeconds; // negative when the unit was not found again
    bool unitMatchesImage;
};

std::vector<MatrixResult>& results()
{
    static std::vector<MatrixResult> all;
    return all;
}

// The table of every run, printed once the matrix is done.
class MatrixReport : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (results().empty())
            return;
        std::printf("\nLink fault matrix (%zu runs)\n", results().size());
        std::printf("| %-38s | %-9s | %-15s | %10s | %12s | %-10s |\n", "fault", "transfer", "outcome", "transfer s",
                    "reconnect s", "unit=image");
        std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(40, '-').c_str(), std::string(11, '-').c_str(),
                    std::string(17, '-').c_str(), std::string(12, '-').c_str(), std::string(14, '-').c_str(),
                    std::string(12, '-').c_str());
        for (const MatrixResult& r : results()) {
            char reconnect[16];
            if (r.reconnectSeconds < 0)
                std::snprintf(reconnect, sizeof reconnect, "never");
            else
                std::snprintf(reconnect, sizeof reconnect, "%.2f", r.reconnectSeconds);
            std::printf("| %-38s | %-9s | %-15s | %10.2f | %12s | %-10s |\n", r.fault.c_str(),
                        operationName(r.operation), outcomeName(r.outcome), r.transferSeconds, reconnect,
                        r.unitMatchesImage ? "yes" : "no");
        }
        std::fflush(stdout);
    }
};

const auto* const kReport = ::testing::AddGlobalTestEnvironment(new MatrixReport);

// Counts the monitor frames the session accepts, to see the link come back.
class CountingMonitor final : public MonitorSink {
public:
    std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) override
    {
        const auto countdown = m_inner.decodeMonitorFrame(frame);
        if (countdown)
            ++accepted;
        return countdown;
    }
    int accepted = 0;

private:
    LinkOnlyMonitor m_inner;
};

// The unit as the PC sees it: its memory, with the block that it reports differently.
ParamImage reportedContents(const sim::VirtualUnit& unit, const sim::FaultPlan& faults)
{
    ParamImage reported = unit.memory();
    if (faults.differingBlock) {
        const int offset = *faults.differingBlock * kBlockSize;
        reported.setByte(offset, static_cast<std::uint8_t>(reported.byte(offset) ^ 0xFFU));
    }
    return reported;
}

bool fullMatrix()
{
    const char* value = std::getenv("QUORVEL_FAULT_MATRIX");
    return value != nullptr && std::string(value) == "full";
}

struct MatrixCase {
    std::size_t row;
    Operation operation;
};

class LinkFaultMatrix : public ::testing::TestWithParam<MatrixCase> {
protected:
    void SetUp() override
    {
        test::ensureCoreApplication();
        if (row().slow && GetParam().operation != Operation::Verify && !fullMatrix())
            GTEST_SKIP() << "slow fault; QUORVEL_FAULT_MATRIX=full runs it";
        m_unit = std::make_unique<test::ServedUnit>(row().faults);
        m_port.setExplicitDevice(m_unit->devicePath());
        m_port.openPort();
        ASSERT_TRUE(m_port.isOpen());
    }

    [[nodiscard]] const FaultRow& row() const { return faultRows()[GetParam().row]; }

    // Ticks at the window's pace until `done`, at most `limit` ticks; how many it took.
    template <typename Done> int tickUntil(Done done, int limit)
    {
        auto next = Clock::now();
        int ticks = 0;
        while (!done() && ticks < limit) {
            next += kTickInterval;
            std::this_thread::sleep_until(next);
            m_session.tick();
            ++ticks;
        }
        return ticks;
    }

    [[nodiscard]] Outcome outcome() const
    {
        for (const std::string& message : m_host.messages) {
            if (message.starts_with(m_texts.text(LinkSession::kTextVersionMismatch)))
                return Outcome::VersionMessage;
        }
        const std::string& status = m_session.display().statusText;
        if (m_session.mode() == LinkMode::Idle && status.ends_with(" OK"))
            return Outcome::Verified;
        if (m_session.mode() == LinkMode::Idle && status.ends_with("error!"))
            return Outcome::ErrorText;
        return Outcome::Unfinished;
    }

    ParamImage m_image;
    test::RecordingHost m_host{m_image};
    LanguageTable m_texts;
    CountingMonitor m_monitor;
    QtSerialLine m_line;
    test::FakePortNaming m_naming;
    SerialPort m_port{m_line, m_naming, m_texts, m_host};
    LinkSession m_session{m_image, m_port, m_host, m_monitor, m_texts};
    std::unique_ptr<test::ServedUnit> m_unit;
};

TEST_P(LinkFaultMatrix, EndsVerifiedOrWithTheErrorAndFindsTheUnitAgain)
{
    const Operation operation = GetParam().operation;
    if (operation != Operation::Read) {
        m_image = sim::factoryMemory();
        (void)sanitiseImage(m_image, m_host.settings);
    }
    if (operation == Operation::Program) {
        const std::string memo = "Fault matrix";
        for (std::size_t i = 0; i < memo.size(); ++i)
            m_image.setByte(2850 + static_cast<int>(i), static_cast<std::uint8_t>(memo[i]));
    }

    const auto started = Clock::now();
    switch (operation) {
    case Operation::Read:
        m_session.read();
        break;
    case Operation::Verify:
        m_session.verify();
        break;
    case Operation::Program:
        m_session.program();
        break;
    }
    tickUntil([&] { return m_session.mode() == LinkMode::Idle; }, kTransferTickLimit);
    const double transferSeconds = std::chrono::duration<double>(Clock::now() - started).count();
    const Outcome result = outcome();

    // The line heals: the same session must find the unit and take its live data again.
    m_unit->liftFaults();
    const int framesBefore = m_monitor.accepted;
    const auto healed = Clock::now();
    tickUntil([&] { return m_monitor.accepted >= framesBefore + kMonitorFramesToReconnect; }, kReconnectTickLimit);
    const bool reconnected = m_monitor.accepted >= framesBefore + kMonitorFramesToReconnect;
    const double reconnectSeconds = std::chrono::duration<double>(Clock::now() - healed).count();
    const bool connectedShown = !m_session.display().noConnectionVisible;

    m_unit->stop();
    const bool matches = test::parametersEqual(m_image, reportedContents(m_unit->unit(), row().faults));
    results().push_back(
        {row().name, operation, result, transferSeconds, reconnected ? reconnectSeconds : -1.0, matches});

    const unsigned allowed = row().allowed[static_cast<int>(operation)];
    EXPECT_NE(allowed & static_cast<unsigned>(result), 0U)
        << outcomeName(result) << " with status \"" << m_session.display().statusText << "\"";
    if (result == Outcome::Verified) {
        EXPECT_TRUE(matches) << "\"OK\" while unit and image differ";
    }
    EXPECT_TRUE(reconnected) << "the unit was not found again";
    EXPECT_TRUE(connectedShown) << "\"No Connection\" still shown";
}

std::vector<MatrixCase> allCases()
{
    std::vector<MatrixCase> cases;
    for (std::size_t row = 0; row < faultRows().size(); ++row) {
        for (Operation operation : {Operation::Read, Operation::Verify, Operation::Program})
            cases.push_back({row, operation});
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<MatrixCase>& info)
{
    std::string name;
    bool upper = true;
    for (char c : std::string(faultRows()[info.param.row].name)) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name + "_" + operationName(info.param.operation);
}

INSTANTIATE_TEST_SUITE_P(Faults, LinkFaultMatrix, ::testing::ValuesIn(allCases()), caseName);

} // namespace
} // namespace quorvel
