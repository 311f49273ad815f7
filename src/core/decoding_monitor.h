#pragma once

#include "core/monitor_decoder.h"
#include "core/monitor_sink.h"

#include <functional>
#include <utility>

namespace quorvel {

// The monitor sink of a link session that shows live data: each frame is decoded into the
// display of the window (or of a terminal) with the context of the moment.
class DecodingMonitor final : public MonitorSink {
public:
    using ContextSource = std::function<MonitorContext()>;
    using DisplayTarget = std::function<void(const MonitorDisplay&)>;

    DecodingMonitor(const MessageTexts& texts, ContextSource context, DisplayTarget show)
        : m_texts(texts)
        , m_context(std::move(context))
        , m_show(std::move(show))
    {
    }

    [[nodiscard]] std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) override
    {
        const auto display = m_decoder.decode(frame, m_context(), m_texts);
        if (!display)
            return std::nullopt;
        m_show(*display);
        return m_decoder.snapshot().SavingCountdown;
    }

    [[nodiscard]] const MonitorSnapshot& snapshot() const { return m_decoder.snapshot(); }

private:
    const MessageTexts& m_texts;
    ContextSource m_context;
    DisplayTarget m_show;
    MonitorDecoder m_decoder;
};

} // namespace quorvel
