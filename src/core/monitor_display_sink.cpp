#include "core/monitor_display_sink.h"

#include <utility>

namespace quorvel {

MonitorDisplaySink::MonitorDisplaySink(const MessageTexts& texts, ContextSource context)
    : m_texts(texts)
    , m_context(std::move(context))
{
}

std::optional<std::uint16_t> MonitorDisplaySink::decodeMonitorFrame(FrameBytes frame)
{
    auto display = m_decoder.decode(frame, m_context(), m_texts);
    if (!display)
        return std::nullopt;
    m_pending = std::move(display);
    return m_decoder.snapshot().SavingCountdown;
}

std::optional<MonitorDisplay> MonitorDisplaySink::takeDisplay()
{
    return std::exchange(m_pending, std::nullopt);
}

} // namespace quorvel
