#include "log/datalog_recorder.h"

#include "log/log_location.h"

#include <utility>

namespace quorvel {
namespace {

// Far more than windows that start a log in one second.
constexpr int kMostLogsInASecond = 1000;

} // namespace

DatalogRecorder::Clock DatalogRecorder::steadyClock()
{
    return [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    };
}

DatalogRecorder::DatalogRecorder(MonitorSink& display, const ParamImage& image, Clock clock)
    : m_display(display)
    , m_image(image)
    , m_clock(std::move(clock))
{
}

std::optional<std::string> DatalogRecorder::start(const std::filesystem::path& file)
{
    if (auto failed = m_writer.open(file))
        return failed;
    m_started = m_clock();
    m_lastWrite = m_started;
    return std::nullopt;
}

std::optional<std::string> DatalogRecorder::startNew(const std::filesystem::path& directory, const std::tm& started,
                                                     int bikeCode)
{
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec)
        return "cannot create " + directory.string() + ": " + ec.message();
    std::optional<std::string> failed;
    for (int n = 1; n <= kMostLogsInASecond; ++n) {
        failed = start(logPath(directory, started, bikeCode, n));
        if (!failed || !m_writer.nameTaken())
            break;
    }
    return failed;
}

std::optional<std::string> DatalogRecorder::stop()
{
    return m_writer.close();
}

std::chrono::milliseconds DatalogRecorder::elapsed() const
{
    return recording() ? m_clock() - m_started : std::chrono::milliseconds{0};
}

std::optional<std::string> DatalogRecorder::writeIfDue()
{
    const std::chrono::milliseconds now = m_clock();
    if (!recording() || now - m_lastWrite < kWriteInterval)
        return std::nullopt;
    m_lastWrite = now;
    return m_writer.write();
}

std::optional<std::uint16_t> DatalogRecorder::decodeMonitorFrame(FrameBytes frame)
{
    const auto accepted = m_display.decodeMonitorFrame(frame);
    if (accepted && recording()) {
        const auto time = static_cast<std::uint32_t>((m_clock() - m_started).count());
        m_writer.record(time, frame, loggedCell(m_activePage, m_image, readMonitorSnapshot(frame)));
    }
    if (accepted && m_observer)
        m_observer(frame);
    return accepted;
}

} // namespace quorvel
