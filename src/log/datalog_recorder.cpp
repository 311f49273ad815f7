#include "log/datalog_recorder.h"

#include <utility>

namespace quorvel {

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
    return accepted;
}

} // namespace quorvel
