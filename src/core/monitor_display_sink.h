#pragma once

#include "core/monitor_decoder.h"
#include "core/monitor_sink.h"

#include <functional>
#include <optional>

namespace quorvel {

// The monitor sink of the window: decodes every monitor frame the link hands over and keeps the
// display of the last accepted one until the window takes it, so that a tick that brought no
// frame repaints nothing. The context (cylinders, limiter, the two check boxes) is asked for at
// each frame, because the user may change it at any time.
class MonitorDisplaySink final : public MonitorSink {
public:
    using ContextSource = std::function<MonitorContext()>;

    MonitorDisplaySink(const MessageTexts& texts, ContextSource context);

    [[nodiscard]] std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) override;

    // The display of the last accepted frame, once; none when no frame came since.
    [[nodiscard]] std::optional<MonitorDisplay> takeDisplay();
    [[nodiscard]] const MonitorSnapshot& snapshot() const { return m_decoder.snapshot(); }

private:
    const MessageTexts& m_texts;
    ContextSource m_context;
    MonitorDecoder m_decoder;
    std::optional<MonitorDisplay> m_pending;
};

} // namespace quorvel
